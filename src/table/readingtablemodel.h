#pragma once

#include <QAbstractTableModel>

#include <array>
#include <vector>

class GVarMod;

// The reading table's rows, read from the log itself: the newest reading on top, and an
// empty row below the oldest. The header row is the view's horizontal header.
//
// A reading whose function or range the decoding did not know shows columns 1 and 3
// empty although its record keeps the texts of the reading before; each row therefore
// notes whether those two columns were written.
class ReadingTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int columns = 5;

    explicit ReadingTableModel(const GVarMod &vars, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The header texts, and no readings.
    void reset(const std::array<QString, columns> &headers);
    // A row for the newest record on top; it becomes the row the column texts go to.
    void insertOnTop();
    // Notes that the top row's column was written. Its text is the record's.
    void markWritten(int column);

    int readingRows() const { return m_rows; }
    // The log index a row shows, or 0 for the empty last row.
    int recordAt(int row) const { return row < m_rows ? m_rows - row : 0; }

private:
    const GVarMod &m_vars;
    std::array<QString, columns> m_headers;
    int m_rows = 0; // reading rows; the empty row comes on top of them
    std::vector<bool> m_funcUnitWritten; // by log index
};
