#include "graphform.h"

#include "graphchart.h"
#include "meterlink/gvarmod.h"
#include "platform/picturebutton.h"
#include "platform/pictures.h"
#include "platform/uifonts.h"
#include "readout/chartgeometry.h"
#include "readout/chartnavigation.h"
#include "readout/showform.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kSans = QStringLiteral("MS Sans Serif");
constexpr int kLabelHeight = 13;

QLabel *formLabel(QWidget *parent, QRect geometry, const QFont &font, Qt::Alignment alignment,
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

// A readout box inside the chart: black bold text in a single-line frame.
QLabel *readoutBox(QWidget *parent, QRect geometry, const QColor &background)
{
    QLabel *l = formLabel(parent, geometry, uiFont(kSans, 13.5, true), Qt::AlignLeft);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setLineWidth(1);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, background);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->hide();
    return l;
}

// Form row of grid level k: the chart's inner area starts at row 40 + 2, its levels at
// 31 + 27k.
int levelRow(int k)
{
    return 42 + 31 + 27 * k;
}

} // namespace

GraphForm::GraphForm(GVarMod &vars, ShowForm &show, QWidget *parent)
    : QWidget(parent,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_vars(vars), m_show(show)
{
    setObjectName(QStringLiteral("GraphForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Grafen"));
    setFixedSize(clientSize);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(p);

    const QFont labelFont = uiFont(kSans, 8.25, true);

    Label8[8] = formLabel(
        this, {32, 16, 20, 17}, uiFont(kSans, 9.75, true), Qt::AlignLeft, QStringLiteral("Y:"));
    Combo1 = new QComboBox(this);
    Combo1->setGeometry(56, 13, 73, 21);
    Combo1->setEditable(false);
    Combo1->setFont(uiFont(kSans, 8.25));
    connect(Combo1, &QComboBox::activated, this, &GraphForm::Combo1_Click);

    struct Paging {
        PictureButton *&button;
        int left;
        const char *normal;
        const char *hot;
        bool (*operation)(GVarMod &);
    };
    const Paging paging[] = {
        {imgbtnfirst, 152, "page_first", "page_first_hot", goFirstPage},
        {imgbtnleft, 224, "page_prev", "page_prev_hot", goPreviousPage},
        {imgbtncenter, 296, "page_live", "page_live_hot", goLastPage},
        {imgbtnright, 368, "page_next", "page_next_hot", goNextPage},
        {imgbtnend, 440, "page_last", "page_last_hot", goLastPage},
    };
    for (const Paging &pg : paging) {
        auto *b = new PictureButton(this);
        b->setGeometry(pg.left, 13, 60, 21);
        const QString normal = QString::fromLatin1(pg.normal);
        const QString hot = QString::fromLatin1(pg.hot);
        b->setPixmap(picture(normal, {60, 21}));
        b->setCursor(Qt::PointingHandCursor);
        // Here the picture follows the mouse button, not the pointer.
        connect(b, &PictureButton::pressed, b, [b, hot] { b->setPixmap(picture(hot, {60, 21})); });
        connect(b, &PictureButton::released, b, [b, normal] {
            b->setPixmap(picture(normal, {60, 21}));
        });
        connect(b, &PictureButton::clicked, this,
            [this, operation = pg.operation] { pageMoved(operation(m_vars)); });
        pg.button = b;
    }

    Command1 = new QPushButton(QStringLiteral("Druck"), this);
    Command1->setGeometry(512, 13, 81, 21);
    Command1->setFont(uiFont(kSans, 8.25));
    connect(Command1, &QPushButton::clicked, this, &GraphForm::printRequested);

    Picture1 = new GraphChart(m_vars, this);
    Picture1->move(56, 40);
    connect(Picture1, &TrendChart::moved, this,
        [this](QPointF pos) { Picture1_MouseMove(pos.x(), pos.y()); });

    // ImageList2: Image2 normal and pressed are entries 2 and 3, Image3's are 4 and 1.
    const struct {
        PictureButton *&button;
        int top;
        const char *normal;
        const char *pressed;
        void (GraphForm::*click)();
    } zoom[] = {
        {Image2, 240, "zoom_apart", "zoom_apart_pressed", &GraphForm::Image2_Click},
        {Image3, 296, "zoom_together", "zoom_together_pressed", &GraphForm::Image3_Click},
    };
    for (const auto &z : zoom) {
        auto *b = new PictureButton(this);
        b->setGeometry(768, z.top, 42, 42);
        b->setFrameStyle(QFrame::Box | QFrame::Plain);
        b->setLineWidth(1);
        b->setAlignment(Qt::AlignCenter);
        b->setCursor(Qt::PointingHandCursor);
        const QString normal = QString::fromLatin1(z.normal);
        const QString pressed = QString::fromLatin1(z.pressed);
        b->setPixmap(picture(normal, {40, 40}));
        connect(b, &PictureButton::pressed, b, [b, pressed] {
            b->setPixmap(picture(pressed, {40, 40}));
        });
        connect(b, &PictureButton::released, b, [b, normal] {
            b->setPixmap(picture(normal, {40, 40}));
        });
        connect(b, &PictureButton::clicked, this, z.click);
        z.button = b;
    }

    for (int k = 0; k <= 16; ++k) {
        if (k == 8)
            continue;
        Label8[std::size_t(k)] = formLabel(
            this, {8, levelRow(k) - kLabelHeight / 2, 41, kLabelHeight}, labelFont, Qt::AlignRight);
    }
    Label6 = formLabel(this, {40, levelRow(8) - kLabelHeight / 2, 16, kLabelHeight}, labelFont,
        Qt::AlignLeft, QStringLiteral("0"));

    numlabel1[0] = formLabel(this, {56, 544, 57, kLabelHeight}, labelFont, Qt::AlignLeft);
    numlabel1[1] = formLabel(this, {376, 544, 57, kLabelHeight}, labelFont, Qt::AlignHCenter);
    numlabel1[2] = formLabel(this, {704, 544, 57, kLabelHeight}, labelFont, Qt::AlignRight);

    QWidget *inner = Picture1->inner();
    Line1 = new CursorLine(QColor(0, 0, 255), 496, inner);
    Label1 = readoutBox(inner, {0, 0, 211, 26}, palette().color(QPalette::Button));
    Label2 = readoutBox(inner, {0, 0, 99, 26}, palette().color(QPalette::Base));
    Label3 = readoutBox(inner, {0, 468, 211, 26}, Qt::white);

    Form_Load();
}

void GraphForm::Form_Load()
{
    for (const QString &choice : yScaleChoices())
        Combo1->addItem(choice);
    Combo1->setCurrentText(QStringLiteral("400"));
    setYLabels(400);
    relabelX(1);
}

void GraphForm::open(const QString &scaleText)
{
    Combo1->setCurrentText(scaleText);
    bool ok = false;
    const int a = scaleText.toInt(&ok);
    if (ok && a > 0) {
        m_vars.yScale = a;
        setYLabels(a);
    }
    relabelX(m_vars.pageFirst);
}

void GraphForm::setYLabels(int a)
{
    const std::array<QString, 16> labels = graphYLabels(a);
    for (std::size_t k = 0; k < 8; ++k) {
        Label8[k]->setText(labels[k]);
        Label8[k + 9]->setText(labels[k + 8]);
    }
}

void GraphForm::Picture1_Paint()
{
    Picture1->Picture1_Paint();
}

void GraphForm::clearAndRedraw()
{
    Picture1_Paint();
}

void GraphForm::relabelX(int pageFirst)
{
    numlabel1[0]->setText(QString::number(pageFirst));
    numlabel1[1]->setText(QString::number(pageFirst + 49));
    numlabel1[2]->setText(QString::number(pageFirst + 99));
}

void GraphForm::Combo1_Clicktwo()
{
    // The boxes list only the nine scales; anything else would divide the drawing by
    // zero or by a stray number, so it leaves the scale as it was.
    bool ok = false;
    const int a = Combo1->currentText().toInt(&ok);
    if (!ok || a <= 0)
        return;
    m_vars.yScale = a;
    setYLabels(a);
    Picture1_Paint();
}

void GraphForm::Combo1_Click()
{
    Combo1_Clicktwo();
    m_show.Combo1->setCurrentText(Combo1->currentText());
    m_show.Combo1_Clicktwo();
}

void GraphForm::stepYScale(const std::optional<QString> &next)
{
    if (!next)
        return;
    Combo1->setCurrentText(*next);
    Combo1_Click();
}

void GraphForm::Image2_Click()
{
    stepYScale(nextSmallerScale(Combo1->currentText()));
}

void GraphForm::Image3_Click()
{
    stepYScale(nextLargerScale(Combo1->currentText()));
}

void GraphForm::pageMoved(bool moved)
{
    if (!moved)
        return;
    m_show.relabelX(m_vars.pageFirst);
    m_show.clearAndRedraw();
    relabelX(m_vars.pageFirst);
    clearAndRedraw();
}

void GraphForm::Picture1_MouseMove(double x, double y)
{
    const QSize area = Picture1->layout().inner;
    if (x < 0 || x > area.width() || y < 0 || y > area.height()) {
        Line1->hide();
        for (QLabel *box : {Label1, Label2, Label3}) {
            box->clear();
            box->hide();
        }
        Picture1->releasePointer();
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(Line1), static_cast<QWidget *>(Label1),
             static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label3)})
        w->show();
    const int px = qRound(x);
    // The boxes start at the pointer and stop at the right edge; the name and the stamp
    // keep their rows at the top and the bottom, the value follows the pointer down.
    auto leftOf = [&](const QLabel *box) {
        return px + box->width() > area.width() ? area.width() - box->width() : px;
    };
    Label1->move(leftOf(Label1), Label1->y());
    Label3->move(leftOf(Label3), Label3->y());
    int valueTop = qRound(y) + 3;
    if (valueTop + Label2->height() > area.height())
        valueTop = area.height() - Label2->height();
    Label2->move(leftOf(Label2), valueTop);
    Line1->moveToX(px);

    const int n = cursorPointNumber(x, graphGeometry.xStep);
    if (m_vars.recordCount >= 1 && n >= 1 && n <= m_vars.pagePoints) {
        const int index = m_vars.plotPoints[std::size_t(n)].recordIndex;
        if (index >= 1 && index <= m_vars.recordCount) {
            const ReadingRecord &r = m_vars.log[index];
            Label2->setText(r.valueText + r.unit);
            Label1->setText(r.funcName);
            Label3->setText(r.stamp);
            return;
        }
    }
    for (QLabel *box : {Label1, Label2, Label3})
        box->clear();
}

QString GraphForm::yLabelCaption(int k) const
{
    if (k < 0 || k > 16)
        return {};
    if (k == 8)
        return Label6->text();
    return Label8[std::size_t(k)]->text();
}

QString GraphForm::xLabelCaption(int i) const
{
    if (i < 0 || i > 2)
        return {};
    return numlabel1[std::size_t(i)]->text();
}
