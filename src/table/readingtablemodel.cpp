#include "readingtablemodel.h"

#include "meterlink/gvarmod.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace {

enum Column { ColNr = 0, ColFunc = 1, ColValue = 2, ColUnit = 3, ColStamp = 4 };

} // namespace

ReadingTableModel::ReadingTableModel(const GVarMod &vars, QObject *parent)
    : QAbstractTableModel(parent), m_vars(vars), m_funcUnitWritten(ReadingLog::capacity + 1, false)
{
}

int ReadingTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows + 1;
}

int ReadingTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant ReadingTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::BackgroundRole && index.column() == ColNr)
        return QGuiApplication::palette().brush(QPalette::Button); // the fixed column
    if (role != Qt::DisplayRole)
        return {};
    const int nr = recordAt(index.row());
    if (nr < 1 || nr > ReadingLog::capacity)
        return QString();
    const ReadingRecord &record = m_vars.log[nr];
    switch (index.column()) {
    case ColNr:
        return QString::number(nr);
    case ColFunc:
        return m_funcUnitWritten[std::size_t(nr)] ? record.funcName : QString();
    case ColValue:
        return record.valueText;
    case ColUnit:
        return m_funcUnitWritten[std::size_t(nr)] ? record.unit : QString();
    case ColStamp:
        return record.stamp;
    default:
        return {};
    }
}

QVariant ReadingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < columns)
        return m_headers[std::size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ReadingTableModel::reset(const std::array<QString, columns> &headers)
{
    beginResetModel();
    m_headers = headers;
    std::fill(m_funcUnitWritten.begin(), m_funcUnitWritten.begin() + m_rows + 1, false);
    m_rows = 0;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void ReadingTableModel::insertOnTop()
{
    // The table follows the log, which never holds more than its capacity.
    if (m_rows >= ReadingLog::capacity)
        return;
    beginInsertRows({}, 0, 0);
    ++m_rows;
    m_funcUnitWritten[std::size_t(m_rows)] = false;
    endInsertRows();
}

void ReadingTableModel::markWritten(int column)
{
    if (m_rows == 0 || column < 0 || column >= columns)
        return;
    if (column == ColFunc || column == ColUnit)
        m_funcUnitWritten[std::size_t(m_rows)] = true;
    const QModelIndex cell = index(0, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}
