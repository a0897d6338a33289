#include "trendchart.h"

#include "meterlink/gvarmod.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kBackground(224, 224, 224);
const QColor kGrid(192, 192, 192);
const QColor kTrace(255, 0, 0);

QPen pen(const QColor &colour, Qt::PenStyle style)
{
    QPen p(colour, 1, style, Qt::FlatCap);
    p.setCosmetic(true);
    return p;
}

} // namespace

ChartLayout showFormChartLayout()
{
    return {showFormGeometry, {405, 245}, 415, {23, 48, 73, 98, 148, 173, 198, 223}, 244, 247};
}

// The inner area: draws and takes the pointer.
class TrendChart::Surface final : public QWidget {
public:
    explicit Surface(TrendChart &chart) : QWidget(&chart), m_chart(chart)
    {
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_chart.paintInner(p);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        // Holding the capture brings the first movement outside the area here too, so
        // the readout disappears as soon as the pointer leaves.
        if (QWidget::mouseGrabber() != this)
            grabMouse();
        emit m_chart.moved(event->position());
    }

private:
    TrendChart &m_chart;
};

TrendChart::TrendChart(GVarMod &vars, QWidget *parent)
    : TrendChart(vars, showFormChartLayout(), parent)
{
}

TrendChart::TrendChart(GVarMod &vars, ChartLayout layout, QWidget *parent)
    : QFrame(parent), m_vars(vars), m_layout(std::move(layout))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFixedSize(m_layout.inner + QSize(2 * border, 2 * border));
    m_inner = new Surface(*this);
    m_inner->setGeometry(QRect(QPoint(border, border), m_layout.inner));
}

void TrendChart::Picture1_Paint()
{
    // The points are computed now, not only when the repaint comes, so that the cursor
    // readout names the records of the page just moved to.
    if (m_vars.recordCount > 0)
        fillPlotPoints(m_vars, m_layout.geometry);
    m_inner->update();
}

void TrendChart::releasePointer()
{
    if (QWidget::mouseGrabber() == m_inner)
        m_inner->releaseMouse();
}

void TrendChart::paintInner(QPainter &p)
{
    const ChartLayout &l = m_layout;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(QPoint(0, 0), l.inner), kBackground);

    p.setPen(pen(Qt::black, Qt::SolidLine));
    p.drawLine(0, l.geometry.zeroY, l.lineEnd, l.geometry.zeroY);
    p.setPen(pen(kGrid, Qt::DotLine));
    for (int y : l.gridLevels)
        p.drawLine(0, y, l.lineEnd, y);
    p.setPen(pen(kGrid, Qt::SolidLine));
    for (int i = 1; i <= GVarMod::pageSize; ++i) {
        const int x = l.geometry.xStep * i;
        p.drawLine(x, l.tickTop, x, l.tickBottom);
    }

    if (m_vars.recordCount <= 0)
        return;
    fillPlotPoints(m_vars, l.geometry);
    p.setPen(pen(kTrace, Qt::SolidLine));
    p.setBrush(kTrace);
    const auto &pts = m_vars.plotPoints;
    auto marker = [&p](const PlotPoint &pt) { p.drawEllipse(QPoint(pt.x, pt.y), 2, 2); };
    if (m_vars.pagePoints == 1)
        marker(pts[1]);
    for (int i = 2; i <= m_vars.pagePoints; ++i) {
        const PlotPoint &a = pts[std::size_t(i)];
        const PlotPoint &b = pts[std::size_t(i) - 1];
        p.drawLine(a.x, a.y, b.x, b.y);
        marker(a);
        marker(b);
    }
}

CursorLine::CursorLine(const QColor &colour, int length, QWidget *parent)
    : QWidget(parent), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, length + 1);
    hide();
}

void CursorLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(pen(m_colour, Qt::DotLine));
    p.drawLine(0, 0, 0, height() - 1);
}
