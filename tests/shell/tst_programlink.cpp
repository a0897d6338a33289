// The program end to end on a real line: the simulator on a pseudo-terminal, the real
// serial component and port probe, the main window with its panels.
#include "programrig.h"

#include "meterlink/meterframe.h"
#include "platform/picturebutton.h"
#include "readout/showform.h"
#include "table/dataform.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestProgramLink : public QObject {
    Q_OBJECT
private slots:
    void connectReadHangUp();
    void reconnectsWhenTheDeviceComesBack();
    void twoWindowsContendForOnePort();
    void deviceAtTenTimesTheRate();
};


void TestProgramLink::connectReadHangUp()
{
    // The demo's first frames are a DC voltage sine on the 50.000V range.
    QProcess simulator;
    const QString device =
        startSimulator(simulator, {"--count", "12", "--interval", "60", "--wait-open", "--settle", "200"});
    QVERIFY(!device.isEmpty());
    ProgramRig rig;
    GVarMod &vars = rig.vars;
    QtSerialComm &comm = rig.comm;
    FakeMessageBox &messages = rig.messages;
    MainForm &form = rig.form;
    form.MDIForm_Load();
    ConnectForm *strip = form.connectForm();
    QVERIFY(!strip->Label1[0]->isHidden());

    strip->Combo1->setEditText(device);
    strip->btn_conn_Click();
    QVERIFY2(messages.asked.isEmpty(), qPrintable(messages.asked.value(0)));
    QVERIFY(comm.PortOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!strip->Label1[1]->isHidden(), 3000); // ONLINE
    QTRY_VERIFY_WITH_TIMEOUT(vars.recordCount >= 3, 5000);
    QCOMPARE(form.showForm()->Label2->text(), QStringLiteral("DC Spannung"));
    QCOMPARE(form.showForm()->Label3->text(), QStringLiteral("V"));
    QCOMPARE(form.showForm()->Label4->text(), vars.log[vars.recordCount].valueText);
    QCOMPARE(form.dataForm()->Label4->text(), QString::number(vars.recordCount));

    // The simulator closes its end after its frames: a pulled cable.
    QTRY_VERIFY_WITH_TIMEOUT(!comm.PortOpen(), 10000);
    QVERIFY(!strip->Label1[0]->isHidden()); // OFFLINE
    QVERIFY(strip->btn_conn->isEnabled());
    QVERIFY(!rig.readout.online);
    const int logged = vars.recordCount;
    QVERIFY(logged >= 3);
    QCOMPARE(vars.log[1].nr, 1);
    simulator.waitForFinished(3000);
}

void TestProgramLink::reconnectsWhenTheDeviceComesBack()
{
    // The device is reached through a fixed name, as a bridge keeps its node when it is
    // plugged in again; each simulator run makes the name anew.
    QTemporaryDir dir;
    const QString link = dir.filePath("meter");
    const QStringList arguments{"--count", "6", "--interval", "60", "--wait-open", "--settle", "200",
                                "--link", link};
    QProcess first;
    QVERIFY(!startSimulator(first, arguments).isEmpty());

    ProgramRig rig;
    GVarMod &vars = rig.vars;
    QtSerialComm &comm = rig.comm;
    MainForm &form = rig.form;
    form.MDIForm_Load(link);
    ConnectForm *strip = form.connectForm();
    QTRY_VERIFY_WITH_TIMEOUT(vars.recordCount >= 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!comm.PortOpen(), 10000); // the first run ends: cable pulled
    QVERIFY(strip->reconnectTimer->isActive());
    first.waitForFinished(3000);
    const int before = vars.recordCount;

    QProcess second;
    QVERIFY(!startSimulator(second, arguments).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(comm.PortOpen(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(vars.recordCount > before + 1, 5000);
    QVERIFY(rig.messages.asked.isEmpty());
    for (int i = 1; i <= vars.recordCount; ++i)
        QCOMPARE(vars.log[i].nr, i); // one log across the loss
    second.waitForFinished(5000);
}

void TestProgramLink::twoWindowsContendForOnePort()
{
    QProcess simulator;
    const QString device = startSimulator(simulator, {"--count", "20", "--interval", "60", "--wait-open"});
    QVERIFY(!device.isEmpty());
    ProgramRig first;
    ProgramRig second;
    first.form.MDIForm_Load();
    second.form.MDIForm_Load();
    first.connectTo(device);
    QVERIFY(first.comm.PortOpen());
    second.connectTo(device);
    QVERIFY(!second.comm.PortOpen());
    QCOMPARE(second.messages.asked.size(), 1);
    QVERIFY2(second.messages.asked.first().startsWith("port error!\n"), qPrintable(second.messages.asked.first()));
    QVERIFY(second.messages.asked.first().contains("anderen Programm"));
    QTRY_VERIFY_WITH_TIMEOUT(first.vars.recordCount >= 2, 5000);
    QCOMPARE(second.vars.recordCount, 0);
    simulator.kill();
    simulator.waitForFinished(3000);
}

void TestProgramLink::deviceAtTenTimesTheRate()
{
    // Ten times the line's pace: 28 ms a frame with 25 ms between frames. The frames are
    // still told apart by their pauses; whatever is taken must be a whole frame.
    QTemporaryDir dir;
    QProcess simulator;
    const QString device = startSimulator(simulator, {"--count", "300", "--speed", "10", "--wait-open",
                                                      "--settle", "2000", "--record", dir.filePath("sent.txt")});
    QVERIFY(!device.isEmpty());
    ProgramRig program;
    program.form.MDIForm_Load();
    program.connectTo(device);
    QTRY_VERIFY_WITH_TIMEOUT(!program.comm.PortOpen(), 30000); // the run ends with a hang-up
    simulator.waitForFinished(3000);

    QFile sentFile(dir.filePath("sent.txt"));
    QVERIFY(sentFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> sent = sentFile.readAll().trimmed().split('\n');
    qInfo("10x rate: %lld frames sent, %d logged", qlonglong(sent.size()), program.vars.recordCount);
    QVERIFY(program.vars.recordCount >= sent.size() * 9 / 10);
    // Every logged reading is one of the frames sent, in order: nothing misaligned.
    qsizetype at = 0;
    for (int i = 1; i <= program.vars.recordCount; ++i) {
        const QString text = program.vars.log[i].valueText;
        bool found = false;
        while (!found && at < sent.size()) {
            const QByteArray bytes = QByteArray::fromHex(sent[at++]);
            MeterFrame f{};
            std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.constData()), 8, f.begin());
            found = decodeFrame(f).valueText == text;
        }
        QVERIFY2(found, qPrintable(QStringLiteral("reading %1 (%2) was never sent").arg(i).arg(text)));
    }
}

QTEST_MAIN(TestProgramLink)
#include "tst_programlink.moc"
