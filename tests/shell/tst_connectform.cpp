#include "mainrig.h"

#include "platform/picturebutton.h"
#include "readout/showform.h"
#include "shell/connectform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

int pictureOf(const QWidget *w)
{
    return w->property("pictureIndex").toInt();
}

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

// The strip after start-up without a bridge: offline, the user connects by hand.
struct Strip : MainRig {
    ConnectForm *strip = nullptr;
    Strip()
    {
        load();
        strip = form->connectForm();
    }
    void connectTo(const QString &name)
    {
        strip->Combo1->setEditText(name);
        strip->btn_conn_Click();
    }
    bool online() const { return shown(strip->Label1[1]) && !shown(strip->Label1[0]); }
};

} // namespace

class TestConnectForm : public QObject {
    Q_OBJECT
private slots:
    void afterLoad();
    void buttonBlinks();
    void connectThenQuietLineGoesOnline();
    void busyLineStaysConnected();
    void probeFailureSaysWhy_data();
    void probeFailureSaysWhy();
    void openFailureAfterProbeStaysOffline();
    void typedDeviceIsOpenedAsTyped();
    void pickFromListClosesPort();
    void resyncWithClosedPortStops();
    void lostDeviceGoesOfflineKeepingTheLog();
    void lostDeviceReconnectsWhenBack();
    void userClosedPortIsNotWatched();
    void permissionAdvice_data();
    void permissionAdvice();
};

void TestConnectForm::afterLoad()
{
    Strip s;
    QCOMPARE(s.strip->Combo1->count(), 16);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(s.strip->Combo1->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    QCOMPARE(s.strip->Combo1->currentText(), QStringLiteral("COM3"));
    QCOMPARE(s.strip->Combo1->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(shown(s.strip->Label1[0]));
    QVERIFY(!shown(s.strip->Label1[1]));
    for (QLabel *link : s.strip->Image3)
        QCOMPARE(pictureOf(link), 1);
    QVERIFY(s.strip->btn_connTimer->isActive());
    QCOMPARE(s.strip->btn_connTimer->interval(), 500);
    QVERIFY(!s.strip->Timer1->isActive());
    QCOMPARE(s.strip->geometry(), QRect(0, 0, 938, 40));
    QVERIFY(s.messages.asked.isEmpty());
}

void TestConnectForm::buttonBlinks()
{
    Strip s;
    QList<int> seen;
    for (int i = 0; i < 6; ++i) {
        s.strip->btn_connTimer_Timer();
        seen << pictureOf(s.strip->btn_conn);
    }
    QCOMPARE(seen, (QList<int>{3, 4, 2, 3, 4, 2}));
}

void TestConnectForm::connectThenQuietLineGoesOnline()
{
    Strip s;
    s.connectTo(QStringLiteral("COM5"));
    QCOMPARE(s.probe.probed, QStringList{"/dev/ttyUSB4"});
    QVERIFY(s.comm.PortOpen());
    QCOMPARE(s.comm.CommPort(), 5);
    QVERIFY(!s.strip->btn_conn->isEnabled());
    QCOMPARE(pictureOf(s.strip->btn_conn), 1);
    QVERIFY(!s.strip->btn_connTimer->isActive());
    QVERIFY(s.strip->Timer1->isActive());
    QCOMPARE(s.strip->Timer1->interval(), 20);
    QVERIFY(!s.online());
    QCOMPARE(s.comm.RThreshold(), 0);

    s.strip->Timer1_Timer(); // nothing waiting
    QVERIFY(s.online());
    QCOMPARE(s.comm.RThreshold(), 8);
    QVERIFY(!s.strip->Timer1->isActive());
    for (QLabel *link : s.strip->Image3)
        QCOMPARE(pictureOf(link), 2);
    QVERIFY(s.readout.online);
    QCOMPARE(s.readout.barLit, 41);
}

void TestConnectForm::busyLineStaysConnected()
{
    Strip s;
    s.connectTo(QStringLiteral("COM1"));
    for (int tick = 0; tick < 5; ++tick) {
        s.comm.deliver("\x01\x02\x03", tick * 20);
        s.strip->Timer1_Timer();
        QCOMPARE(s.comm.InBufferCount(), 0);
        QVERIFY(!s.online());
        QCOMPARE(s.comm.RThreshold(), 0);
    }
    s.strip->Timer1_Timer();
    QVERIFY(s.online());
}

void TestConnectForm::probeFailureSaysWhy_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("absent") << int(SerialComm::OpenError::NotFound) << "nicht vorhanden";
    QTest::newRow("busy") << int(SerialComm::OpenError::Busy) << "anderen Programm";
    QTest::newRow("refused") << int(SerialComm::OpenError::PermissionDenied) << "dialout";
}

void TestConnectForm::probeFailureSaysWhy()
{
    QFETCH(int, error);
    QFETCH(QString, reason);
    Strip s;
    s.probe.failures.insert("/dev/ttyUSB11", {SerialComm::OpenError(error), "system says no"});
    s.connectTo(QStringLiteral("COM12"));
    QCOMPARE(s.messages.asked.size(), 1);
    const QString text = s.messages.asked.first();
    QVERIFY(text.startsWith("port error!\n"));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(!s.comm.PortOpen());
    QVERIFY(s.strip->btn_conn->isEnabled());
    QVERIFY(s.strip->btn_connTimer->isActive());
    QVERIFY(!s.strip->Timer1->isActive());
}

void TestConnectForm::openFailureAfterProbeStaysOffline()
{
    Strip s;
    s.comm.refusals.insert("/dev/ttyUSB0", SerialComm::OpenError::Busy);
    s.connectTo(QStringLiteral("COM1"));
    QCOMPARE(s.messages.asked.size(), 1);
    QVERIFY(s.messages.asked.first().startsWith("port error!\n"));
    QVERIFY(!s.comm.PortOpen());
    QVERIFY(s.strip->btn_conn->isEnabled());
    QVERIFY(!s.strip->Timer1->isActive());
}

void TestConnectForm::typedDeviceIsOpenedAsTyped()
{
    Strip s;
    s.comm.setCommPort(7);
    s.connectTo(QStringLiteral("/dev/pts/42"));
    QCOMPARE(s.probe.probed, QStringList{"/dev/pts/42"});
    QCOMPARE(s.comm.opened, QStringList{"/dev/pts/42"});
    QCOMPARE(s.comm.CommPort(), 7);
    QCOMPARE(s.strip->Combo1->currentText(), QStringLiteral("/dev/pts/42"));
    QCOMPARE(s.strip->Combo1->count(), 16); // typed text never joins the list
}

void TestConnectForm::pickFromListClosesPort()
{
    Strip s;
    s.strip->Combo1_Click(); // offline: nothing happens
    QVERIFY(s.messages.asked.isEmpty());
    QVERIFY(!s.comm.PortOpen());

    s.connectTo(QStringLiteral("COM2"));
    s.strip->Timer1_Timer();
    s.readout.showHold = true;
    s.strip->Combo1_Click();
    QVERIFY(!s.comm.PortOpen());
    QCOMPARE(s.comm.RThreshold(), 0);
    QVERIFY(shown(s.strip->Label1[0]));
    QVERIFY(!shown(s.strip->Label1[1]));
    for (QLabel *link : s.strip->Image3)
        QCOMPARE(pictureOf(link), 1);
    QVERIFY(s.strip->btn_conn->isEnabled());
    QCOMPARE(pictureOf(s.strip->btn_conn), 1); // until the next tick
    QVERIFY(s.strip->btn_connTimer->isActive());
    QVERIFY(!s.readout.online);
    QVERIFY(s.readout.showHold);
    QVERIFY(shown(s.form->showForm()->Label5));
    QVERIFY(shown(s.form->showForm()->Label19)); // HOLD stays beside OFFLINE
}

void TestConnectForm::resyncWithClosedPortStops()
{
    Strip s;
    s.connectTo(QStringLiteral("COM2"));
    s.strip->Timer1_Timer();
    s.strip->Combo1_Click();
    s.strip->startResync(); // e.g. the table's save after the user closed the port
    s.strip->Timer1_Timer();
    QVERIFY(!s.strip->Timer1->isActive());
    QVERIFY(!s.online());
    QVERIFY(!s.readout.online);
    QCOMPARE(s.comm.RThreshold(), 0);
}

void TestConnectForm::lostDeviceGoesOfflineKeepingTheLog()
{
    Strip s;
    s.connectTo(QStringLiteral("COM1"));
    s.strip->Timer1_Timer();
    s.send(meterFrame(1, 2, 0, {0, 1, 2, 3, 4}));
    QCOMPARE(s.vars.recordCount, 1);
    s.comm.loseDevice(QStringLiteral("gone"));
    QVERIFY(!s.online());
    QVERIFY(s.strip->btn_conn->isEnabled());
    QVERIFY(!s.readout.online);
    QCOMPARE(s.vars.recordCount, 1);
    s.connectTo(QStringLiteral("COM1"));
    QVERIFY(s.comm.PortOpen());
}

void TestConnectForm::lostDeviceReconnectsWhenBack()
{
    Strip s;
    s.connectTo(QStringLiteral("COM1"));
    s.strip->Timer1_Timer();
    s.send(meterFrame(1, 2, 0, {0, 1, 2, 3, 4}));
    s.comm.loseDevice(QStringLiteral("cable pulled"));
    QVERIFY(s.strip->reconnectTimer->isActive());
    QCOMPARE(s.strip->reconnectTimer->interval(), 1000);
    QVERIFY(s.strip->Label1[0]->toolTip().contains("/dev/ttyUSB0"));

    s.probe.failures.insert("/dev/ttyUSB0", {SerialComm::OpenError::NotFound, "gone"});
    s.strip->reconnectTimer_Timer();
    QVERIFY(!s.comm.PortOpen());
    QVERIFY(s.messages.asked.isEmpty()); // waiting for the cable says nothing
    QVERIFY(s.strip->reconnectTimer->isActive());

    // The user tries another port in vain; the watch stays on the lost one.
    s.probe.failures.insert("/dev/pts/9", {SerialComm::OpenError::NotFound, "gone"});
    s.connectTo(QStringLiteral("/dev/pts/9"));
    QCOMPARE(s.messages.asked.size(), 1);
    QVERIFY(s.strip->reconnectTimer->isActive());
    s.strip->Combo1->setEditText(QStringLiteral("/dev/pts/9"));

    s.probe.failures.clear();
    s.strip->reconnectTimer_Timer();
    QVERIFY(s.comm.PortOpen());
    QCOMPARE(s.comm.opened, (QStringList{"/dev/ttyUSB0", "/dev/ttyUSB0"}));
    QVERIFY(!s.strip->reconnectTimer->isActive());
    QVERIFY(!s.strip->btn_conn->isEnabled());
    QVERIFY(s.strip->Timer1->isActive()); // the same resynchronisation as a connect
    QCOMPARE(s.strip->Combo1->currentText(), QStringLiteral("COM1"));
    s.strip->Timer1_Timer();
    QVERIFY(s.online());
    s.send(meterFrame(1, 2, 0, {0, 1, 2, 3, 5}));
    QCOMPARE(s.vars.recordCount, 2); // one log across the loss
    QCOMPARE(s.vars.log[2].valueText, QStringLiteral("01.235"));
}

void TestConnectForm::userClosedPortIsNotWatched()
{
    Strip s;
    s.connectTo(QStringLiteral("COM1"));
    s.strip->Timer1_Timer();
    s.strip->Combo1_Click();
    QVERIFY(!s.strip->reconnectTimer->isActive());

    // A loss, then the user picks another port: the watch for the lost one ends.
    s.connectTo(QStringLiteral("COM1"));
    s.comm.loseDevice(QStringLiteral("gone"));
    QVERIFY(s.strip->reconnectTimer->isActive());
    s.strip->Combo1_Click();
    QVERIFY(!s.strip->reconnectTimer->isActive());
}

void TestConnectForm::permissionAdvice_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("advice");
    QTest::newRow("not in the group") << int(DialoutState::NotMember) << "udev-Regel";
    QTest::newRow("joined, not logged in again") << int(DialoutState::JoinedNotLoggedIn)
                                                 << "erst nach einer neuen Anmeldung";
    QTest::newRow("in the group") << int(DialoutState::Active) << "Permission denied";
}

void TestConnectForm::permissionAdvice()
{
    QFETCH(int, state);
    QFETCH(QString, advice);
    const QString text = ConnectForm::portErrorText(SerialComm::OpenError::PermissionDenied, "/dev/ttyUSB0",
                                                    "Permission denied", DialoutState(state));
    QVERIFY(text.startsWith("port error!\nKein Zugriff auf /dev/ttyUSB0"));
    QVERIFY2(text.contains(advice), qPrintable(text));
}

QTEST_MAIN(TestConnectForm)
#include "tst_connectform.moc"
