#pragma once

#include "meterlink/pipelineviews.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class CursorLine;
class GVarMod;
class GraphForm;
class PictureButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TrendChart;
struct ReadoutState;
struct RunningExtremes;

// What the connection strip tells the readout.
class LinkStateView {
public:
    virtual ~LinkStateView() = default;
    virtual void showOnline() = 0;
    virtual void showOffline() = 0;
};

// The panel under the connection strip: the live readout imitating the meter's display,
// with the program's own MIN/MAX, and below it the trend chart.
class ShowForm final : public QWidget,
                       public ReadoutView,
                       public LinkStateView,
                       public ChartView,
                       public GraphWindowLink {
    Q_OBJECT
public:
    ShowForm(GVarMod &vars, ReadoutState &state, RunningExtremes &extremes, QWidget *parent = nullptr);

    void Form_Load();

    void drawReadout(const ReadoutState &state) override;
    void showOnline() override;
    void showOffline() override;
    void Command1_Click(); // RESET

    // The trend chart (the lower half) and the graph window it opens.
    void relabelX(int pageFirst) override;
    void clearAndRedraw() override;
    ChartView *openGraphChart() override;
    void closeGraphForm();
    GraphForm *graphForm() const; // the open graph window, or nullptr

    void Picture1_Paint(); // clear and redraw
    void Combo1_Clicktwo(); // apply Combo1's text as the Y scale, relabel, redraw
    void Combo1_Click(); // the user's pick in Combo1: apply it here and in the graph window
    void Image1_Click(); // open the graph window
    void Image2_Click(); // zoom: the next smaller scale
    void Image3_Click(); // zoom: the next larger scale
    void Picture1_MouseMove(double x, double y); // cursor readout, in the chart's pixels

    // Controls, named as on the form.
    QLabel *Label2 = nullptr;  // function name
    QLabel *Label18 = nullptr; // AUTO
    QLabel *Label19 = nullptr; // HOLD
    QLabel *Label20 = nullptr; // MAX
    QLabel *Label21 = nullptr; // MIN
    QLabel *Label22 = nullptr; // MAX-MIN
    QLabel *Label23 = nullptr; // REL
    QLabel *Picture7 = nullptr; // diode
    QLabel *Picture8 = nullptr; // continuity
    QLabel *Label4 = nullptr;  // the reading
    QLabel *Label5 = nullptr;  // OFFLINE
    QLabel *Label16 = nullptr; // DC/AC
    QLabel *Label3 = nullptr;  // unit
    QLabel *rangelabel = nullptr;
    std::array<QLabel *, 5> labelline{};
    QLabel *Label10 = nullptr;
    QLineEdit *TextMIN = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *TextMAX = nullptr;
    QPushButton *Command1 = nullptr;

    // The trend chart and its navigation.
    TrendChart *Picture1 = nullptr;
    QComboBox *Combo1 = nullptr; // Y scale
    std::array<QLabel *, 9> Label8{}; // 0..7 Y labels of the grid levels, 8 "Y:"
    QLabel *Label6 = nullptr; // "0" at the zero line
    std::array<QLabel *, 3> Label7{}; // X labels
    PictureButton *Picture2 = nullptr; // first page
    PictureButton *Picture3 = nullptr; // previous page
    PictureButton *Picture4 = nullptr; // live page
    PictureButton *Picture5 = nullptr; // next page
    PictureButton *Picture6 = nullptr; // last page
    PictureButton *Image1 = nullptr; // magnifier: the graph window
    PictureButton *Image2 = nullptr; // zoom in: smaller scale
    PictureButton *Image3 = nullptr; // zoom out: larger scale
    QLabel *Label9 = nullptr; // "Funk:"
    QLabel *Label14 = nullptr; // function under the cursor
    QLabel *Label13 = nullptr; // "Zeit:"
    QLabel *Label15 = nullptr; // stamp under the cursor
    QLabel *Label12 = nullptr; // value under the cursor, inside the chart
    CursorLine *Line1 = nullptr;

    // The lines and shapes drawn on the panel itself.
    bool isSegmentLit(int i) const;
    bool isMinusMarkShown() const;

signals:
    // The graph window's print button was clicked; whoever prints takes the window's
    // captions from the form.
    void graphPrintRequested(GraphForm *form);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildReadout();
    void buildChart();
    void pageMoved(bool moved);
    void stepYScale(const std::optional<QString> &next);

    GVarMod &m_vars;
    ReadoutState &m_state;
    RunningExtremes &m_extremes;
    int m_minWritesShown = -1;
    int m_maxWritesShown = -1;
    QPointer<GraphForm> m_graph; // exists from its first opening until it is closed
};
