#include "mainrig.h"

#include "readout/showform.h"
#include "shell/connectform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

// The program connected to a port on which the test sends the frames.
struct Online : MainRig {
    ShowForm *show = nullptr;
    Online()
    {
        portMap.bridge = QStringLiteral("COM1");
        load();
        form->connectForm()->Timer1_Timer();
        show = form->showForm();
    }
    void resync()
    {
        form->connectForm()->startResync();
        form->connectForm()->Timer1_Timer();
    }
};

} // namespace

class TestReadoutPanel : public QObject {
    Q_OBJECT
private slots:
    void atStartOffline();
    void connectedWithNothingArriving();
    void annunciatorsFollowTheReading();
    void acdcCaptionOfAFunctionWithoutOne();
    void resetRestartsTheExtremes();
    void typedExtremeStaysUntilBeaten();
    void offlineKeepsAnnunciators();
    void functionIcons();
};

void TestReadoutPanel::atStartOffline()
{
    MainRig rig;
    rig.load();
    ShowForm *show = rig.form->showForm();
    QVERIFY(shown(show->Label5));
    QCOMPARE(show->Label5->text(), QStringLiteral("OFFLINE"));
    for (QWidget *w : {(QWidget *)show->Label4, (QWidget *)show->Label2, (QWidget *)show->Label3,
             (QWidget *)show->rangelabel, (QWidget *)show->Label16})
        QVERIFY(!shown(w));
    QCOMPARE(show->TextMIN->text(), QStringLiteral("0"));
    QCOMPARE(show->TextMAX->text(), QStringLiteral("0"));
    QVERIFY(shown(show->Command1));
    QVERIFY(!show->isSegmentLit(0));
    QCOMPARE(show->Label4->geometry(), QRect(16, 56, 441, 97));
    QCOMPARE(show->Label4->font().pointSizeF(), 72.0);
}

void TestReadoutPanel::connectedWithNothingArriving()
{
    Online o;
    QVERIFY(!shown(o.show->Label5));
    QCOMPARE(o.show->Label4->text(), QStringLiteral("0.0000"));
    QCOMPARE(o.show->Label3->text(), QStringLiteral("Gerät"));
    QVERIFY(shown(o.show->Label16));
    QCOMPARE(o.show->Label16->text(), QStringLiteral("DC"));
    for (int i = 0; i < 41; ++i)
        QVERIFY(o.show->isSegmentLit(i));
    QStringList scale;
    for (QLabel *l : o.show->labelline)
        scale << l->text();
    QCOMPARE(scale, (QStringList{"0", "10", "20", "30", "40"}));
}

void TestReadoutPanel::annunciatorsFollowTheReading()
{
    Online o;
    o.send(meterFrame(1, 0x42, 0x17, {0, 1, 0, 0, 0})); // HOLD, MAX-MIN, REL, manual range
    QVERIFY(shown(o.show->Label19));
    QVERIFY(shown(o.show->Label22));
    QVERIFY(shown(o.show->Label23));
    QVERIFY(!shown(o.show->Label18));
    QVERIFY(!shown(o.show->Label20));
    QVERIFY(!shown(o.show->Label21));
    o.send(meterFrame(1, 0x02, 0x01, {0, 1, 0, 0, 0})); // auto range, MAX
    QVERIFY(shown(o.show->Label18));
    QVERIFY(shown(o.show->Label20));
    QVERIFY(!shown(o.show->Label19));
    QVERIFY(!shown(o.show->Label22));
}

void TestReadoutPanel::acdcCaptionOfAFunctionWithoutOne()
{
    Online o;
    o.send(meterFrame(1, 2, 0, {0, 1, 0, 0, 0}));
    QVERIFY(shown(o.show->Label16));
    o.send(meterFrame(0, 1, 0, {0, 1, 0, 0, 0})); // dBm has no DC/AC annunciator
    QVERIFY(!shown(o.show->Label16));
    QCOMPARE(o.show->Label16->text(), QString());
    o.resync();
    QVERIFY(shown(o.show->Label16)); // shown, but with nothing in it
    QCOMPARE(o.show->Label16->text(), QString());
}

void TestReadoutPanel::resetRestartsTheExtremes()
{
    Online o;
    o.send(meterFrame(5, 12, 0, {0, 0, 1, 0, 0}));
    o.send(meterFrame(5, 12, 0, {0, 0, 9, 0, 0}));
    QCOMPARE(o.show->TextMAX->text(), QStringLiteral("00900"));
    o.show->Command1->click();
    QCOMPARE(o.show->TextMIN->text(), QStringLiteral("0"));
    QCOMPARE(o.show->TextMAX->text(), QStringLiteral("0"));
    QVERIFY(o.form->extremes.empty);
    QCOMPARE(o.form->extremes.varmin, 50000.0);
    o.send(meterFrame(5, 12, 0, {0, 0, 5, 0, 0}));
    QCOMPARE(o.show->TextMIN->text(), QStringLiteral("00500"));
    QCOMPARE(o.show->TextMAX->text(), QStringLiteral("00500"));
}

void TestReadoutPanel::typedExtremeStaysUntilBeaten()
{
    Online o;
    o.send(meterFrame(5, 12, 0, {0, 0, 1, 0, 0}));
    o.show->TextMAX->setText(QStringLiteral("mine"));
    o.send(meterFrame(5, 12, 0, {0, 0, 0, 5, 0}));
    QCOMPARE(o.show->TextMAX->text(), QStringLiteral("mine"));
    o.send(meterFrame(5, 12, 0, {0, 0, 2, 0, 0}));
    QCOMPARE(o.show->TextMAX->text(), QStringLiteral("00200"));
}

void TestReadoutPanel::offlineKeepsAnnunciators()
{
    Online o;
    o.send(meterFrame(1, 0x42, 0x20, {0, 1, 0, 0, 0})); // HOLD, negative
    QVERIFY(o.show->isMinusMarkShown());
    o.form->connectForm()->Combo1_Click();
    QVERIFY(shown(o.show->Label5));
    QVERIFY(shown(o.show->Label19));
    QVERIFY(!shown(o.show->Label4));
    QVERIFY(!shown(o.show->Label16));
    QVERIFY(!o.show->isMinusMarkShown());
    QVERIFY(!o.show->isSegmentLit(0));
    QVERIFY(shown(o.show->TextMIN));
}

void TestReadoutPanel::functionIcons()
{
    Online o;
    o.send(meterFrame(13, 9, 0, {0, 0, 6, 0, 0}));
    QVERIFY(shown(o.show->Picture7));
    QVERIFY(!shown(o.show->Picture8));
    o.send(meterFrame(4, 11, 0, {0, 0, 6, 0, 0}));
    QVERIFY(!shown(o.show->Picture7));
    QVERIFY(shown(o.show->Picture8));
    o.send(meterFrame(1, 2, 0, {0, 0, 6, 0, 0}));
    QVERIFY(!shown(o.show->Picture7));
    QVERIFY(!shown(o.show->Picture8));
}

QTEST_MAIN(TestReadoutPanel)
#include "tst_readoutpanel.moc"
