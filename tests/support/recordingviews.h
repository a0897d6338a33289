#pragma once

#include "meterlink/pipelineviews.h"
#include "meterlink/readoutstate.h"

#include <QStringList>

#include <vector>

// Views for the reading pipeline that note every call, in order, in one shared list.
struct CallLog {
    QStringList calls;
};

class RecordingTable final : public ReadingTableView {
public:
    explicit RecordingTable(CallLog &log) : m_log(log) {}
    struct Row {
        QString cells[5];
    };
    std::vector<Row> rows; // rows[0] is the top row below the header
    QString countCaption;

    void setCountCaption(const QString &text) override
    {
        countCaption = text;
        m_log.calls << QStringLiteral("count %1").arg(text);
    }
    void insertRowOnTop(const QString &nrText) override
    {
        Row row;
        row.cells[0] = nrText;
        rows.insert(rows.begin(), row);
        m_log.calls << QStringLiteral("row %1").arg(nrText);
    }
    void setCurrentRowText(int column, const QString &text) override
    {
        rows.front().cells[column] = text;
    }

private:
    CallLog &m_log;
};

class RecordingReadout final : public ReadoutView {
public:
    explicit RecordingReadout(CallLog &log) : m_log(log) {}
    int draws = 0;
    void drawReadout(const ReadoutState &) override
    {
        ++draws;
        m_log.calls << QStringLiteral("readout");
    }

private:
    CallLog &m_log;
};

class RecordingChart final : public ChartView {
public:
    RecordingChart(CallLog &log, QString name) : m_log(log), m_name(std::move(name)) {}
    int lastRelabel = -1;
    int redraws = 0;
    void relabelX(int pageFirst) override
    {
        lastRelabel = pageFirst;
        m_log.calls << QStringLiteral("%1 relabel %2").arg(m_name).arg(pageFirst);
    }
    void clearAndRedraw() override
    {
        ++redraws;
        m_log.calls << QStringLiteral("%1 redraw").arg(m_name);
    }

private:
    CallLog &m_log;
    QString m_name;
};

class RecordingGraphLink final : public GraphWindowLink {
public:
    ChartView *chart = nullptr; // nullptr: the window is closed
    ChartView *openGraphChart() override { return chart; }
};
