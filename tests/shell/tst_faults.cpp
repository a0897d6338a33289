// What a bench brings: a cable pulled in the middle of a save or a print, a folder that
// goes away under the save dialog, a line that never pauses. Nothing is lost and the user
// is told where something must be done.
#include "mainrig.h"

#include "shell/connectform.h"
#include "table/dataform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct Logging : MainRig {
    ConnectForm *strip = nullptr;
    DataForm *table = nullptr;
    Logging()
    {
        portMap.bridge = QStringLiteral("COM1");
        load();
        strip = form->connectForm();
        table = form->dataForm();
        strip->Timer1_Timer();
        for (int i = 1; i <= 3; ++i)
            send(meterFrame(1, 2, 0, {0, 0, 0, 0, i}));
    }
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void cablePulledDuringSave();
    void cablePulledDuringPrintFailure();
    void folderGoneUnderTheDialog();
    void lineThatNeverPauses();
    void closingWhileWaitingForTheDevice();
};

void TestFaults::cablePulledDuringSave()
{
    QTemporaryDir dir;
    Logging rig;
    rig.dataDialog.answers = {dir.filePath("log.txt")};
    rig.dataDialog.whileOpen = [&] { rig.comm.loseDevice(QStringLiteral("cable pulled")); };
    rig.table->Toolbar1_ButtonClick(QStringLiteral("save"));

    QFile saved(dir.filePath("log.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().count("\r\n"), 2 + 3);
    QCOMPARE(rig.vars.recordCount, 3);
    QVERIFY(!rig.comm.PortOpen());
    QVERIFY(rig.strip->reconnectTimer->isActive()); // waiting for the device to come back
    rig.strip->Timer1_Timer(); // the save's resynchronisation finds the port closed
    QVERIFY(!rig.strip->Timer1->isActive());
    QVERIFY(!rig.readout.online);
    rig.strip->reconnectTimer_Timer();
    QVERIFY(rig.comm.PortOpen());
    rig.strip->Timer1_Timer();
    rig.send(meterFrame(1, 2, 0, {0, 0, 0, 0, 4}));
    QCOMPARE(rig.vars.recordCount, 4);
}

void TestFaults::cablePulledDuringPrintFailure()
{
    Logging rig;
    rig.printer.failAt = 5;
    rig.messages.whileOpen = [&] { rig.comm.loseDevice(QStringLiteral("cable pulled")); };
    rig.table->Toolbar1_ButtonClick(QStringLiteral("print"));
    QCOMPARE(rig.messages.asked, QStringList{"druck Fehler Bericht!"});
    QVERIFY(rig.printer.aborted);
    QCOMPARE(rig.vars.recordCount, 3);
    QVERIFY(!rig.comm.PortOpen());
    rig.strip->Timer1_Timer();
    QVERIFY(!rig.strip->Timer1->isActive());
}

void TestFaults::folderGoneUnderTheDialog()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("messungen");
    QVERIFY(QDir().mkpath(folder));
    Logging rig;
    rig.dataDialog.answers = {folder + "/log.txt"};
    rig.dataDialog.whileOpen = [&] { QDir(folder).removeRecursively(); };
    rig.table->Toolbar1_ButtonClick(QStringLiteral("save"));
    QCOMPARE(rig.messages.asked.size(), 1);
    QVERIFY(rig.messages.asked.first().startsWith("Die Datei konnte nicht gespeichert werden"));
    QCOMPARE(rig.vars.recordCount, 3);
    QVERIFY(rig.strip->Timer1->isActive()); // the toolbar's trailing steps ran
}

void TestFaults::lineThatNeverPauses()
{
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    rig.load();
    ConnectForm *strip = rig.form->connectForm();
    for (int tick = 0; tick < 2 * ConnectForm::busyTicksBeforeNotice; ++tick) {
        rig.comm.deliver("\x01\x02\x03\x04", tick * 20);
        strip->Timer1_Timer();
    }
    QCOMPARE(rig.messages.asked.size(), 1); // told once, not every tick
    QVERIFY(rig.messages.asked.first().contains("ununterbrochen"));
    QVERIFY(rig.messages.asked.first().contains("/dev/ttyUSB0"));
    QVERIFY(strip->Timer1->isActive()); // still waiting for a quiet line
    QCOMPARE(rig.vars.recordCount, 0);
    strip->Timer1_Timer();
    QVERIFY(rig.readout.online);
}

void TestFaults::closingWhileWaitingForTheDevice()
{
    Logging rig;
    rig.comm.loseDevice(QStringLiteral("cable pulled"));
    QVERIFY(rig.strip->reconnectTimer->isActive());
    rig.messages.answers = {false};
    rig.form->close();
    QVERIFY(!rig.strip->reconnectTimer->isActive()); // the port stays closed at the end
    QCOMPARE(rig.comm.opened.size(), 1);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
