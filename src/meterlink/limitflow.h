#pragma once

#include "pipelineviews.h"

#include <functional>

class Clock;
class FileDialog;
class GVarMod;
class LocaleForms;
class MessageBox;
class SerialComm;

// The reading table as the reset at the limit empties it.
class LimitTableView {
public:
    virtual ~LimitTableView() = default;
    // Header row and one empty row, with column 1's header text given.
    virtual void resetTable(const QString &column1Header) = 0;
    virtual void setCountCaption(const QString &text) = 0;
};

struct LimitFlowPartners {
    GVarMod &vars;
    const Clock &clock;
    const LocaleForms &forms;
    MessageBox &messages;
    FileDialog &dialog; // MainForm's CommonDialog1
    LimitTableView &table;
    ChartView &trendChart;
    SerialComm &comm;
    // Waits for a quiet line, then turns frame reception on again.
    std::function<void()> startResync;
};

// What happens once the log holds 50000 readings: the user is asked to save it, and
// logging starts again at 1. A log that was not saved, because the dialog was cancelled
// or the file could not be written, stays full and later frames are dropped until the
// table's "new" empties it.
class LogLimitFlow final : public LimitFlow {
public:
    explicit LogLimitFlow(LimitFlowPartners partners);

    void runLimitFlow() override;

private:
    void resetLog();

    LimitFlowPartners m_p;
};
