#include "dataform.h"

#include "meterlink/gvarmod.h"
#include "platform/clock.h"
#include "platform/localeforms.h"
#include "platform/pictures.h"
#include "platform/uifonts.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

QLabel *captionLabel(QWidget *parent, QRect twips, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    l->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    return l;
}

} // namespace

DataForm::DataForm(GVarMod &vars, const Clock &clock, const LocaleForms &forms, QWidget *parent)
    : QWidget(parent), m_vars(vars), m_clock(clock), m_forms(forms)
{
    setObjectName(QStringLiteral("DataForm"));
    Label3 = captionLabel(this, {1800, 600, 1215, 375}, QStringLiteral("DatenNr."));
    Label4 = captionLabel(this, {3120, 600, 1455, 375}, QStringLiteral("0"));
    Label2 = captionLabel(this, {4680, 600, 1575, 375}, QStringLiteral("MAX:  50000"));
    Label1 = captionLabel(this, {3600, 8640, 3015, 375}, QString());
    Label1->setAlignment(Qt::AlignCenter);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &DataForm::Timer1_Timer);
}

void DataForm::Form_Load()
{
    Timer1_Timer();
    setGeometry(500, 40, 438, 600);
    Label1->move(Label1->x(), Label1->y() + px(80));
    Timer1->start();
}

void DataForm::Timer1_Timer()
{
    Label1->setText(m_forms.clockText(m_clock.now()));
}

void DataForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(QStringLiteral("dataform_bg"), {438, 600}));
}

void DataForm::setCountCaption(const QString &text)
{
    Label4->setText(text);
}

void DataForm::insertRowOnTop(const QString &)
{
}

void DataForm::setCurrentRowText(int, const QString &)
{
}
