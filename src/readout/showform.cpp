#include "showform.h"

#include "chartgeometry.h"
#include "meterlink/gvarmod.h"
#include "meterlink/readoutstate.h"
#include "platform/pictures.h"
#include "platform/uifonts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

const QColor kYellow(255, 255, 0);

QLabel *label(QWidget *parent, QRect geometry, const QFont &font, const QString &text = {})
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setFont(font);
    return l;
}

void setTextColour(QLabel *l, const QColor &colour)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
}

// White on black in bold, as the meter's own annunciators.
QLabel *annunciator(QWidget *parent, QRect geometry, const QString &caption)
{
    QLabel *l = label(parent, geometry, uiFont(QStringLiteral("MS Sans Serif"), 9.75, true), caption);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// The bar graph: segment i at x = 72 + 8i from y 168, longer every fifth and tenth.
int segmentBottom(int i)
{
    if (i % 10 == 0)
        return 184;
    if (i % 5 == 0)
        return 180;
    return 176;
}

constexpr int kLabellineLeft[5] = {69, 148, 228, 307, 387};
constexpr int kShapelineLeft[4] = {111, 191, 271, 351};

} // namespace

ShowForm::ShowForm(GVarMod &vars, ReadoutState &state, RunningExtremes &extremes, QWidget *parent)
    : QWidget(parent), m_vars(vars), m_state(state), m_extremes(extremes)
{
    setObjectName(QStringLiteral("ShowForm"));
    buildReadout();
    buildChart();
}

void ShowForm::buildReadout()
{
    const QFont sans = uiFont(QStringLiteral("MS Sans Serif"), 9.75);
    const QFont sansBold = uiFont(QStringLiteral("MS Sans Serif"), 9.75, true);

    Label2 = label(this, {0, 24, 297, 17}, sans);
    setTextColour(Label2, kYellow);
    Label18 = annunciator(this, {40, 48, 42, 16}, QStringLiteral("AUTO"));
    Label19 = annunciator(this, {168, 48, 41, 16}, QStringLiteral("HOLD"));
    Label20 = annunciator(this, {216, 48, 31, 16}, QStringLiteral("MAX"));
    Label21 = annunciator(this, {256, 48, 27, 16}, QStringLiteral("MIN"));
    Label22 = annunciator(this, {288, 48, 63, 16}, QStringLiteral("MAX-MIN"));
    Label23 = annunciator(this, {360, 48, 29, 16}, QStringLiteral("REL"));
    Picture7 = new QLabel(this);
    Picture7->setGeometry(88, 48, 33, 17);
    Picture7->setPixmap(picture(QStringLiteral("diode"), {30, 15}));
    Picture8 = new QLabel(this);
    Picture8->setGeometry(128, 48, 33, 17);
    Picture8->setPixmap(picture(QStringLiteral("continuity"), {30, 15}));

    Label4 = label(this, {16, 56, 441, 97}, uiFont(QStringLiteral("Arial"), 72));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5 = label(this, {88, 72, 369, 113}, uiFont(QStringLiteral("Arial"), 48, true),
                   QStringLiteral("OFFLINE"));
    setTextColour(Label5, QColor(192, 0, 0));
    Label16 = annunciator(this, {16, 80, 21, 16}, m_state.acdcText);
    Label3 = label(this, {432, 112, 89, 17}, sansBold);
    setTextColour(Label3, Qt::black);

    for (int i = 0; i < 5; ++i) {
        labelline[std::size_t(i)] = label(this, {kLabellineLeft[i], 192, 40, 16}, font());
        labelline[std::size_t(i)]->adjustSize();
    }
    rangelabel = label(this, {0, 208, 225, 17}, sans);
    setTextColour(rangelabel, kYellow);

    Label10 = label(this, {32, 243, 30, 16}, sans, QStringLiteral("MIN:"));
    setTextColour(Label10, Qt::black);
    Label10->adjustSize();
    TextMIN = new QLineEdit(this);
    TextMIN->setGeometry(64, 240, 113, 19);
    Label11 = label(this, {184, 243, 30, 16}, sans, QStringLiteral("MAX:"));
    setTextColour(Label11, Qt::black);
    Label11->adjustSize();
    TextMAX = new QLineEdit(this);
    TextMAX->setGeometry(216, 240, 113, 19);
    Command1 = new QPushButton(QStringLiteral("RESET"), this);
    Command1->setGeometry(336, 240, 65, 20);
    Command1->setFont(uiFont(QStringLiteral("MS Serif"), 9.75));
    connect(Command1, &QPushButton::clicked, this, &ShowForm::Command1_Click);
}

void ShowForm::Form_Load()
{
    setGeometry(0, 40, 500, 600);
    drawReadout(m_state);

    Picture1_Paint();
    for (const QString &choice : yScaleChoices())
        Combo1->addItem(choice);
    Combo1->setCurrentText(QStringLiteral("400"));
}

void ShowForm::drawReadout(const ReadoutState &s)
{
    Label2->setText(s.funcName);
    Label18->setVisible(s.showAuto);
    Label19->setVisible(s.showHold);
    Label20->setVisible(s.showMax);
    Label21->setVisible(s.showMin);
    Label22->setVisible(s.showMaxMin);
    Label23->setVisible(s.showRel);
    Picture7->setVisible(s.icon == FunctionIcon::Diode);
    Picture8->setVisible(s.icon == FunctionIcon::Continuity);
    Label4->setText(s.valueText);
    Label16->setText(s.acdcText);
    Label16->setVisible(s.acdcShown);
    Label3->setText(s.unit);
    rangelabel->setText(s.rangeText);
    labelline[0]->setText(QStringLiteral("0"));
    for (int i = 0; i < 4; ++i)
        labelline[std::size_t(i) + 1]->setText(s.barLabels[std::size_t(i)]);
    for (QLabel *l : labelline)
        l->adjustSize();
    if (s.minWrites != m_minWritesShown) {
        TextMIN->setText(s.minText);
        m_minWritesShown = s.minWrites;
    }
    if (s.maxWrites != m_maxWritesShown) {
        TextMAX->setText(s.maxText);
        m_maxWritesShown = s.maxWrites;
    }

    Label5->setVisible(!s.online);
    for (QWidget *w : {static_cast<QWidget *>(Label4), static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(rangelabel)})
        w->setVisible(s.online);
    for (QLabel *l : labelline)
        l->setVisible(s.online);
    update(QRect(40, 160, 400, 40)); // the bar graph, the minus mark and the dots
}

bool ShowForm::isSegmentLit(int i) const
{
    return i < m_state.barLit;
}

bool ShowForm::isMinusMarkShown() const
{
    return m_state.negativeShown;
}

void ShowForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(QStringLiteral("showform_bg"), {500, 600}));
    // The bar graph and its marks take the platform's default line colour, black.
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < ReadoutState::barSegments; ++i)
        if (isSegmentLit(i)) {
            const qreal x = 72 + 8 * i;
            p.drawLine(QPointF(x, 168), QPointF(x, segmentBottom(i)));
        }
    if (isMinusMarkShown())
        p.drawLine(QPointF(50, 173), QPointF(64, 173));
    if (m_state.online) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        for (int left : kShapelineLeft)
            p.drawEllipse(QRectF(left, 192 + 17 / 2.0 - 2, 4, 4));
    }
}

void ShowForm::showOnline()
{
    m_state.online = true;
    m_state.acdcShown = true;
    m_state.barLit = ReadoutState::barSegments;
    drawReadout(m_state);
}

void ShowForm::showOffline()
{
    m_state.online = false;
    m_state.acdcShown = false;
    m_state.barLit = 0;
    m_state.negativeShown = false;
    drawReadout(m_state);
}

void ShowForm::Command1_Click()
{
    m_state.maxText = QStringLiteral("0");
    ++m_state.maxWrites;
    m_state.minText = QStringLiteral("0");
    ++m_state.minWrites;
    m_extremes.reset();
    drawReadout(m_state);
}
