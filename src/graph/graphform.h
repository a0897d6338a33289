#pragma once

#include "meterlink/pipelineviews.h"

#include <QWidget>

#include <array>
#include <optional>

class CursorLine;
class GVarMod;
class GraphChart;
class PictureButton;
class QComboBox;
class QLabel;
class QPushButton;
class ShowForm;

// The graph window: the page the readout's trend chart shows, drawn larger, with its own
// paging, Y scale, zoom and a cursor readout in three boxes. Both windows work on the one
// shared page and scale, so whatever moves one moves the other. The readout panel opens
// it (and makes it anew after each close); closing it destroys it.
class GraphForm final : public QWidget, public ChartView {
    Q_OBJECT
public:
    // The fixed inner area. The controls reach down to row 557 (the X labels under the
    // chart), so the window is as tall as they need.
    static constexpr QSize clientSize{812, 560};

    GraphForm(GVarMod &vars, ShowForm &show, QWidget *parent = nullptr);

    // What the opening does once the window is shown: the scale of the readout's box,
    // the Y labels for it and the X labels of the current page.
    void open(const QString &scaleText);

    void Picture1_Paint(); // clear and redraw
    void Combo1_Clicktwo(); // apply Combo1's number as the Y scale, relabel, redraw
    void Combo1_Click(); // the user's pick: apply it here and on the readout panel
    void Image2_Click(); // zoom: the next smaller scale
    void Image3_Click(); // zoom: the next larger scale
    void Picture1_MouseMove(double x, double y); // cursor readout, in the chart's pixels

    void relabelX(int pageFirst) override;
    void clearAndRedraw() override;

    // The captions the printout copies: the Y labels top to bottom (k = 8 is the "0" at
    // the zero line) and the three X labels.
    QString yLabelCaption(int k) const;
    QString xLabelCaption(int i) const;

    // Controls, named as on the form.
    std::array<QLabel *, 17> Label8{}; // 0..7 and 9..16 Y labels, 8 "Y:"
    QLabel *Label6 = nullptr; // "0" at the zero line
    QComboBox *Combo1 = nullptr; // Y scale
    PictureButton *imgbtnfirst = nullptr;
    PictureButton *imgbtnleft = nullptr;
    PictureButton *imgbtncenter = nullptr;
    PictureButton *imgbtnright = nullptr;
    PictureButton *imgbtnend = nullptr;
    QPushButton *Command1 = nullptr; // "Druck"
    PictureButton *Image2 = nullptr; // zoom in: smaller scale
    PictureButton *Image3 = nullptr; // zoom out: larger scale
    GraphChart *Picture1 = nullptr;
    std::array<QLabel *, 3> numlabel1{}; // X labels
    QLabel *Label1 = nullptr; // function under the cursor
    QLabel *Label2 = nullptr; // value under the cursor
    QLabel *Label3 = nullptr; // stamp under the cursor
    CursorLine *Line1 = nullptr;

signals:
    void printRequested();

private:
    void Form_Load();
    void setYLabels(int a);
    void pageMoved(bool moved);
    void stepYScale(const std::optional<QString> &next);

    GVarMod &m_vars;
    ShowForm &m_show;
};
