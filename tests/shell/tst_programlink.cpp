// The program end to end on a real line: the simulator on a pseudo-terminal, the real
// serial component and port probe, the main window with its panels.
#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakeplatform.h"
#include "recordingprinter.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "platform/qtserialcomm.h"
#include "platform/picturebutton.h"
#include "readout/showform.h"
#include "shell/connectform.h"
#include "shell/mainform.h"
#include "table/dataform.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestProgramLink : public QObject {
    Q_OBJECT
private slots:
    void connectReadHangUp();
    void reconnectsWhenTheDeviceComesBack();
};

void TestProgramLink::connectReadHangUp()
{
    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The demo's first frames are a DC voltage sine on the 50.000V range.
    simulator.start(QStringLiteral(KALVENDO_METERSIM),
                    {"--count", "12", "--interval", "60", "--wait-open", "--settle", "200"});
    QVERIFY(simulator.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();

    GVarMod vars;
    ReadoutState readout;
    ModalGate modal;
    QtSerialComm comm;
    FakeFileDialog mainDialog, dataDialog;
    FakeMessageBox messages;
    FakeClock clock;
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    FakePortMap portMap;
    SerialPortProbe probe;
    RecordingPrinter printer;
    MainForm form({vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap, probe, modal, printer});
    form.show();
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
    QVERIFY(!readout.online);
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
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(QStringLiteral(KALVENDO_METERSIM), arguments);
    QVERIFY(first.waitForReadyRead(5000));

    GVarMod vars;
    ReadoutState readout;
    ModalGate modal;
    QtSerialComm comm;
    FakeFileDialog mainDialog, dataDialog;
    FakeMessageBox messages;
    FakeClock clock;
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    FakePortMap portMap;
    SerialPortProbe probe;
    RecordingPrinter printer;
    MainForm form({vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap, probe, modal, printer});
    form.show();
    form.MDIForm_Load(link);
    ConnectForm *strip = form.connectForm();
    QTRY_VERIFY_WITH_TIMEOUT(vars.recordCount >= 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!comm.PortOpen(), 10000); // the first run ends: cable pulled
    QVERIFY(strip->reconnectTimer->isActive());
    first.waitForFinished(3000);
    const int before = vars.recordCount;

    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(QStringLiteral(KALVENDO_METERSIM), arguments);
    QVERIFY(second.waitForReadyRead(5000));
    QTRY_VERIFY_WITH_TIMEOUT(comm.PortOpen(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(vars.recordCount > before + 1, 5000);
    QVERIFY(messages.asked.isEmpty());
    for (int i = 1; i <= vars.recordCount; ++i)
        QCOMPARE(vars.log[i].nr, i); // one log across the loss
    second.waitForFinished(5000);
}

QTEST_MAIN(TestProgramLink)
#include "tst_programlink.moc"
