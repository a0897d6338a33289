#pragma once

#include "meterlink/pipelineviews.h"

#include <QWidget>

#include <array>

class GVarMod;
class QLabel;
class QLineEdit;
class QPushButton;
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

    // The lines and shapes drawn on the panel itself.
    bool isSegmentLit(int i) const;
    bool isMinusMarkShown() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildReadout();

    GVarMod &m_vars;
    ReadoutState &m_state;
    RunningExtremes &m_extremes;
    int m_minWritesShown = -1;
    int m_maxWritesShown = -1;
};
