#pragma once

#include "chartgeometry.h"

#include <QFrame>

#include <vector>

class GVarMod;
class QPainter;

// What a chart draws besides the readings: its inner area, the zero line, the dotted grey
// grid and the tick marks under the points.
struct ChartLayout {
    ChartGeometry geometry;
    QSize inner; // inside the 2-px sunken border
    int lineEnd; // zero line and grid run from x 0 to here, clipped at the edge
    std::vector<int> gridLevels; // top to bottom
    int tickTop;
    int tickBottom;
};

// The readout panel's chart: 405 x 245 px inside the border, a quarter of the scale
// between grid levels, the zero level solid black and not among them.
ChartLayout showFormChartLayout();

// A chart area (a form's Picture1): the current page of the log drawn from the shared
// state on every repaint, never from a kept image, so a redraw after any change of the
// page, the scale or the log shows exactly that state. Antialiasing stays off so that
// every line and marker lands on the pixels its numbers name.
//
// Pointer movements over the inner area are reported in its own pixel coordinates while
// the chart holds the pointer capture it takes on the first movement; the form's cursor
// readout hands the capture back with releasePointer() once the pointer is outside.
// Controls shown inside the chart (the readout boxes and the cursor line) go on
// inner(), which is clipped to the inner area like the drawing.
class TrendChart : public QFrame {
    Q_OBJECT
public:
    static constexpr int border = 2;

    explicit TrendChart(GVarMod &vars, QWidget *parent = nullptr);

    // Clear and redraw: refill plotPoints for the page and have the area repainted anew.
    void Picture1_Paint();

    QWidget *inner() const { return m_inner; }
    const ChartLayout &layout() const { return m_layout; }
    void releasePointer();

signals:
    void moved(QPointF position);

protected:
    TrendChart(GVarMod &vars, ChartLayout layout, QWidget *parent);

private:
    class Surface;
    friend class Surface;

    void paintInner(QPainter &p);

    GVarMod &m_vars;
    ChartLayout m_layout;
    QWidget *m_inner = nullptr; // the Surface
};

// A cursor line: a vertical dotted line one pixel wide, moved along with the pointer.
class CursorLine final : public QWidget {
public:
    CursorLine(const QColor &colour, int length, QWidget *parent);

    void moveToX(int x) { move(x, 0); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
