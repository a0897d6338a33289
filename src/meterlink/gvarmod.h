#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// One logged reading.
struct ReadingRecord {
    std::int32_t nr = 0; // the record's own index in the log
    double value = 0;    // in the unit of its range, sign applied; the charts plot it
    QString funcName;
    QString stamp; // short date, "\", long time
    QString unit;
    QString valueText; // exactly as displayed, e.g. 12.345, -0.0321 or ".OL"
};

// One point of the chart page being drawn.
struct PlotPoint {
    std::int32_t recordIndex = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The log: one preallocated block of records, indexed 1..capacity like the table
// and the files number them. It never grows, shrinks or wraps.
class ReadingLog {
public:
    static constexpr int capacity = 50000;

    ReadingLog() : m_records(capacity + 1) {}

    ReadingRecord &operator[](int index) { return m_records[std::size_t(index)]; }
    const ReadingRecord &operator[](int index) const { return m_records[std::size_t(index)]; }

private:
    std::vector<ReadingRecord> m_records; // slot 0 unused
};

// The program-wide state: the log, the chart page both charts show, and the Y scale.
// One instance is made at start-up and handed to the forms.
class GVarMod {
public:
    static constexpr int pageSize = 100;

    ReadingLog log;
    std::int32_t recordCount = 0;
    std::array<PlotPoint, pageSize + 1> plotPoints{}; // 1..100; scratch of the chart being drawn

    // The page window: the page of the log the charts show.
    std::int32_t pageFirst = 1;
    std::int32_t pagePoints = 0;
    bool browsing = false; // the user paged away from the live page

    std::int32_t yScale = 400; // value drawn at the top grid line; its negative at the bottom

    // Takes the next record number. Callers check for room first.
    int appendRecord() { return ++recordCount; }

    // Empties the log. The records themselves and the page stay as they were; the next
    // reading overwrites record 1 and moves the page.
    void clearLog()
    {
        recordCount = 0;
        browsing = false;
    }

    // Moves the page to the one holding the newest record.
    void followLive()
    {
        pagePoints = livePagePoints(recordCount);
        pageFirst = recordCount - pagePoints + 1;
    }

    static std::int32_t livePagePoints(std::int32_t count)
    {
        std::int32_t points = count % pageSize;
        if (count >= pageSize && points == 0)
            points = pageSize;
        return points;
    }

    bool isFull() const { return recordCount >= ReadingLog::capacity; }
};
