#include "showform.h"

#include "chartgeometry.h"
#include "chartnavigation.h"
#include "graph/graphform.h"
#include "meterlink/gvarmod.h"
#include "platform/picturebutton.h"
#include "platform/pictures.h"
#include "platform/uifonts.h"
#include "trendchart.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>

// The trend chart under the readout, its paging and Y-scale controls, and the graph
// window they share the page and the scale with.

namespace {

const QString kSans = QStringLiteral("MS Sans Serif");

QLabel *chartLabel(QWidget *parent, QRect geometry, const QFont &font, Qt::Alignment alignment,
    const QString &text = {})
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(alignment | Qt::AlignVCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    return l;
}

// Form rows of the chart's grid levels, top to bottom: the chart's inner area starts at
// row 296 + 2, and its levels lie 25 px apart around the zero line at 123.
constexpr int kYLabelRows[8] = {321, 346, 371, 396, 446, 471, 496, 521};
constexpr int kZeroRow = 421;
constexpr int kYLabelHeight = 13;

// A paging button of ImageList1: its normal picture and, while the pointer is over it,
// the highlighted one.
struct PagingPictures {
    QString normal;
    QString hot;
};

void hover(PictureButton *button, const PagingPictures &pictures, QPointF pos)
{
    // The capture brings the first movement outside the button here, so the highlight
    // goes the moment the pointer leaves.
    if (QWidget::mouseGrabber() != button)
        button->grabMouse();
    const bool over = pos.x() >= 0 && pos.x() <= 60 && pos.y() >= 0 && pos.y() <= 21;
    button->setPixmap(picture(over ? pictures.hot : pictures.normal, {60, 21}));
    if (!over)
        button->releaseMouse();
}

PictureButton *zoomButton(
    QWidget *parent, QPoint topLeft, const QString &normal, const QString &pressed)
{
    auto *b = new PictureButton(parent);
    b->setGeometry(QRect(topLeft, QSize(42, 42)));
    b->setFrameStyle(QFrame::Box | QFrame::Plain);
    b->setLineWidth(1);
    b->setAlignment(Qt::AlignCenter);
    b->setCursor(Qt::PointingHandCursor);
    b->setPixmap(picture(normal, {40, 40}));
    if (!pressed.isEmpty()) {
        QObject::connect(b, &PictureButton::pressed, b, [b, pressed] {
            b->setPixmap(picture(pressed, {40, 40}));
        });
        QObject::connect(b, &PictureButton::released, b, [b, normal] {
            b->setPixmap(picture(normal, {40, 40}));
        });
    }
    return b;
}

} // namespace

void ShowForm::buildChart()
{
    const QFont labelFont = uiFont(kSans, 8.25, true);
    const QFont captionFont = uiFont(kSans, 9.75);

    Picture1 = new TrendChart(m_vars, this);
    Picture1->move(40, 296);
    connect(Picture1, &TrendChart::moved, this,
        [this](QPointF pos) { Picture1_MouseMove(pos.x(), pos.y()); });

    Label8[8] = chartLabel(
        this, {16, 264, 20, 17}, uiFont(kSans, 9.75, true), Qt::AlignLeft, QStringLiteral("Y:"));
    Combo1 = new QComboBox(this);
    Combo1->setGeometry(40, 264, 73, 21);
    Combo1->setEditable(false);
    Combo1->setFont(uiFont(kSans, 8.25));
    connect(Combo1, &QComboBox::activated, this, &ShowForm::Combo1_Click);

    for (int k = 0; k < 8; ++k)
        Label8[std::size_t(k)]
            = chartLabel(this, {0, kYLabelRows[k] - kYLabelHeight / 2, 41, kYLabelHeight},
                labelFont, Qt::AlignHCenter);
    const ShowFormYLabels initial = showFormYLabels(QStringLiteral("400"));
    for (std::size_t k = 0; k < initial.labels.size(); ++k)
        Label8[k]->setText(initial.labels[k]);
    Label6 = chartLabel(this, {24, kZeroRow - kYLabelHeight / 2, 16, kYLabelHeight}, labelFont,
        Qt::AlignLeft, QStringLiteral("0"));

    Label7[0] = chartLabel(this, {40, 544, 57, kYLabelHeight}, labelFont, Qt::AlignLeft);
    Label7[1] = chartLabel(this, {240, 544, 57, kYLabelHeight}, labelFont, Qt::AlignLeft);
    Label7[2] = chartLabel(this, {449 - 49, 544, 49, kYLabelHeight}, labelFont, Qt::AlignRight);
    relabelX(1);

    struct Paging {
        PictureButton *&button;
        int left;
        PagingPictures pictures;
        const char *tip;
        bool (*operation)(GVarMod &);
    };
    const Paging paging[] = {
        {Picture2, 120, {"page_first", "page_first_hot"}, "first page", goFirstPage},
        {Picture3, 184, {"page_prev", "page_prev_hot"}, "previous page", goPreviousPage},
        {Picture4, 248, {"page_live", "page_live_hot"}, "last page", goLastPage},
        {Picture5, 312, {"page_next", "page_next_hot"}, "next page", goNextPage},
        {Picture6, 376, {"page_last", "page_last_hot"}, "last page", goLastPage},
    };
    for (const Paging &p : paging) {
        auto *b = new PictureButton(this);
        b->setGeometry(p.left, 264, 60, 21);
        b->setPixmap(picture(p.pictures.normal, {60, 21}));
        b->setToolTip(QString::fromLatin1(p.tip));
        b->setCursor(Qt::PointingHandCursor);
        b->setMouseTracking(true);
        connect(b, &PictureButton::moved, b,
            [b, pictures = p.pictures](QPointF pos) { hover(b, pictures, pos); });
        connect(b, &PictureButton::clicked, this,
            [this, operation = p.operation] { pageMoved(operation(m_vars)); });
        p.button = b;
    }

    Image1 = zoomButton(this, {452, 336}, QStringLiteral("magnifier"), {});
    connect(Image1, &PictureButton::clicked, this, &ShowForm::Image1_Click);
    // ImageList2: Image2 normal and pressed are entries 2 and 3, Image3's are 4 and 1.
    Image2 = zoomButton(
        this, {452, 384}, QStringLiteral("zoom_apart"), QStringLiteral("zoom_apart_pressed"));
    connect(Image2, &PictureButton::clicked, this, &ShowForm::Image2_Click);
    Image3 = zoomButton(
        this, {452, 432}, QStringLiteral("zoom_together"), QStringLiteral("zoom_together_pressed"));
    connect(Image3, &PictureButton::clicked, this, &ShowForm::Image3_Click);

    Label9
        = chartLabel(this, {32, 560, 38, 17}, captionFont, Qt::AlignLeft, QStringLiteral("Funk:"));
    Label14 = chartLabel(this, {72, 560, 209, 17}, captionFont, Qt::AlignLeft);
    Label13
        = chartLabel(this, {264, 560, 38, 17}, captionFont, Qt::AlignLeft, QStringLiteral("Zeit:"));
    Label15 = chartLabel(this, {304, 560, 185, 17}, captionFont, Qt::AlignLeft);

    QWidget *inner = Picture1->inner();
    Line1 = new CursorLine(QColor(0, 0, 192), 248, inner);
    Label12 = chartLabel(inner, {0, 0, 99, 26}, uiFont(kSans, 13.5), Qt::AlignLeft);
    Label12->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label12->setLineWidth(1);
    Label12->setAutoFillBackground(true);
    Label12->setBackgroundRole(QPalette::Base);
    Label12->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label12->hide();
}

void ShowForm::relabelX(int pageFirst)
{
    Label7[0]->setText(QString::number(pageFirst));
    Label7[1]->setText(QString::number(pageFirst + 49));
    Label7[2]->setText(QString::number(pageFirst + 99));
}

void ShowForm::clearAndRedraw()
{
    Picture1_Paint();
}

void ShowForm::Picture1_Paint()
{
    Picture1->Picture1_Paint();
}

void ShowForm::Combo1_Clicktwo()
{
    const ShowFormYLabels scale = showFormYLabels(Combo1->currentText());
    m_vars.yScale = scale.yScale;
    for (std::size_t k = 0; k < scale.labels.size(); ++k)
        Label8[k]->setText(scale.labels[k]);
    Picture1_Paint();
}

void ShowForm::Combo1_Click()
{
    Combo1_Clicktwo();
    if (GraphForm *graph = graphForm()) {
        graph->Combo1->setCurrentText(Combo1->currentText());
        graph->Combo1_Clicktwo();
    }
}

void ShowForm::stepYScale(const std::optional<QString> &next)
{
    if (!next)
        return;
    Combo1->setCurrentText(*next);
    Combo1_Click();
}

void ShowForm::Image2_Click()
{
    stepYScale(nextSmallerScale(Combo1->currentText()));
}

void ShowForm::Image3_Click()
{
    stepYScale(nextLargerScale(Combo1->currentText()));
}

void ShowForm::pageMoved(bool moved)
{
    if (!moved)
        return;
    relabelX(m_vars.pageFirst);
    Picture1_Paint();
    if (ChartView *graph = openGraphChart()) {
        graph->relabelX(m_vars.pageFirst);
        graph->clearAndRedraw();
    }
}

void ShowForm::Picture1_MouseMove(double x, double y)
{
    const QSize area = Picture1->layout().inner;
    if (x < 0 || x > area.width() || y < 0 || y > area.height()) {
        Line1->hide();
        Label12->clear();
        Label14->clear();
        Label15->clear();
        Label12->hide();
        Picture1->releasePointer();
        return;
    }
    Line1->show();
    Label12->show();
    int left = qRound(x) + 3;
    int top = qRound(y) + 3;
    if (left + Label12->width() > area.width())
        left = area.width() - Label12->width();
    if (top + Label12->height() > area.height())
        top = area.height() - Label12->height();
    Label12->move(left, top);
    Line1->moveToX(qRound(x));

    const int n = cursorPointNumber(x, showFormGeometry.xStep);
    if (m_vars.recordCount >= 1 && n >= 1 && n <= m_vars.pagePoints) {
        const int index = m_vars.plotPoints[std::size_t(n)].recordIndex;
        if (index >= 1 && index <= m_vars.recordCount) {
            const ReadingRecord &r = m_vars.log[index];
            const bool overload = r.valueText == QLatin1String(".OL");
            Label12->setText(overload ? r.valueText : r.valueText + r.unit);
            Label14->setText(r.funcName);
            Label15->setText(r.stamp);
            return;
        }
    }
    Label12->clear();
    Label14->clear();
    Label15->clear();
}

GraphForm *ShowForm::graphForm() const
{
    // A closed window is gone even while its deletion is still pending.
    return m_graph && m_graph->isVisible() ? m_graph.data() : nullptr;
}

ChartView *ShowForm::openGraphChart()
{
    return graphForm();
}

void ShowForm::Image1_Click()
{
    GraphForm *form = graphForm();
    if (form) {
        form->raise();
        form->activateWindow();
    } else {
        form = new GraphForm(m_vars, *this, this);
        connect(form, &GraphForm::printRequested, this,
            [this, form] { emit graphPrintRequested(form); });
        m_graph = form;
        const QRect screen = form->screen()->availableGeometry();
        form->move(screen.center() - form->rect().center());
        form->show();
    }
    form->open(Combo1->currentText());
}

void ShowForm::closeGraphForm()
{
    if (m_graph)
        m_graph->close();
}
