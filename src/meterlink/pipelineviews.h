#pragma once

#include <QString>

struct ReadoutState;

// What the reading pipeline drives in the other panels. The forms implement these;
// tests record the calls.

class ReadingTableView {
public:
    virtual ~ReadingTableView() = default;
    virtual void setCountCaption(const QString &text) = 0;
    // A new row directly below the header, holding nr in column 0, made current.
    virtual void insertRowOnTop(const QString &nrText) = 0;
    virtual void setCurrentRowText(int column, const QString &text) = 0;
};

class ReadoutView {
public:
    virtual ~ReadoutView() = default;
    virtual void drawReadout(const ReadoutState &state) = 0;
};

// A chart that shows the shared page: the readout's trend chart, the graph window.
class ChartView {
public:
    virtual ~ChartView() = default;
    // The three X labels: first, first + 49, first + 99.
    virtual void relabelX(int pageFirst) = 0;
    // Fill the area with its background and draw it anew from the shared state.
    virtual void clearAndRedraw() = 0;
};

// The graph window, which exists only while it is open.
class GraphWindowLink {
public:
    virtual ~GraphWindowLink() = default;
    // The open graph window's chart, or nullptr while it is closed.
    virtual ChartView *openGraphChart() = 0;
};

class LimitFlow {
public:
    virtual ~LimitFlow() = default;
    // Runs once the 50000th record has been stored, shown and drawn.
    virtual void runLimitFlow() = 0;
};

// The pipeline's partners; any of them may be missing.
struct PipelineViews {
    ReadingTableView *table = nullptr;
    ReadoutView *readout = nullptr;
    ChartView *trendChart = nullptr;
    GraphWindowLink *graph = nullptr;
    LimitFlow *limit = nullptr;
};
