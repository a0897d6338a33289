#include "mainrig.h"

#include "platform/picturebutton.h"
#include "readout/showform.h"
#include "shell/connectform.h"
#include "table/dataform.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void windowShape();
    void startUp_data();
    void startUp();
    void noBridgeIsOfflineWithoutMessage();
    void bridgeThatCannotBeOpened();
    void readingsReachReadoutAndTable();
    void unloadQuestion_data();
    void unloadQuestion();
    void unloadAsksAgainAfterAFailedSave();
};

void TestMainForm::windowShape()
{
    MainRig rig;
    MainForm &form = rig.load();
    QCOMPARE(form.windowTitle(), QStringLiteral("Kalvendo"));
    QCOMPARE(form.size(), QSize(938, 640));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form.connectForm()->geometry(), QRect(0, 0, 938, 40));
    QCOMPARE(form.showForm()->geometry(), QRect(0, 40, 500, 600));
    QCOMPARE(form.dataForm()->geometry(), QRect(500, 40, 438, 600));
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.extremes.empty);
    QCOMPARE(form.extremes.varmax, 50000.0);
}

void TestMainForm::startUp_data()
{
    QTest::addColumn<QString>("bridge");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("commPort");
    QTest::newRow("COM4") << "COM4" << "/dev/ttyUSB3" << 4;
    QTest::newRow("COM12") << "COM12" << "/dev/ttyUSB11" << 12;
    QTest::newRow("no COM name: the device itself") << "/dev/ttyUSB17" << "/dev/ttyUSB17" << 3;
}

void TestMainForm::startUp()
{
    QFETCH(QString, bridge);
    QFETCH(QString, device);
    MainRig rig;
    rig.portMap.bridge = bridge;
    MainForm &form = rig.load();
    QTEST(rig.comm.CommPort(), "commPort");
    QCOMPARE(rig.comm.opened, QStringList{device});
    ConnectForm *strip = form.connectForm();
    QCOMPARE(strip->Combo1->currentText(), bridge);
    QVERIFY(!strip->btn_conn->isEnabled());
    QVERIFY(!strip->btn_connTimer->isActive());
    QVERIFY(strip->Timer1->isActive());
    QVERIFY(rig.messages.asked.isEmpty());
    strip->Timer1_Timer();
    QVERIFY(!strip->Label1[1]->isHidden());
    QVERIFY(rig.readout.online);
}

void TestMainForm::noBridgeIsOfflineWithoutMessage()
{
    MainRig rig;
    MainForm &form = rig.load();
    QVERIFY(rig.comm.opened.isEmpty());
    QVERIFY(rig.messages.asked.isEmpty());
    QCOMPARE(form.connectForm()->Combo1->currentText(), QStringLiteral("COM3"));
    QVERIFY(form.connectForm()->btn_connTimer->isActive());
    QVERIFY(!form.showForm()->Label5->isHidden()); // the readout's OFFLINE
}

void TestMainForm::bridgeThatCannotBeOpened()
{
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    rig.comm.refusals.insert("/dev/ttyUSB0", SerialComm::OpenError::PermissionDenied);
    MainForm &form = rig.load();
    QCOMPARE(rig.messages.asked.size(), 1);
    QVERIFY(rig.messages.asked.first().startsWith("port error!\n"));
    QVERIFY(rig.messages.asked.first().contains("dialout"));
    QVERIFY(!rig.comm.PortOpen());
    QVERIFY(form.connectForm()->btn_conn->isEnabled());
    QVERIFY(form.connectForm()->btn_connTimer->isActive());
    QVERIFY(!form.connectForm()->Timer1->isActive());
}

void TestMainForm::readingsReachReadoutAndTable()
{
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    MainForm &form = rig.load();
    form.connectForm()->Timer1_Timer();
    rig.send(meterFrame(1, 2, 0x20, {1, 2, 3, 4, 5}));
    QCOMPARE(rig.vars.recordCount, 1);
    ShowForm *show = form.showForm();
    QCOMPARE(show->Label4->text(), QStringLiteral("-12.345"));
    QCOMPARE(show->Label3->text(), QStringLiteral("V"));
    QCOMPARE(show->rangelabel->text(), QStringLiteral("50.000V"));
    QCOMPARE(show->Label2->text(), QStringLiteral("DC Spannung"));
    QVERIFY(!show->Label16->isHidden());
    QCOMPARE(show->Label16->text(), QStringLiteral("DC"));
    QCOMPARE(show->TextMIN->text(), QStringLiteral("-12.345"));
    QCOMPARE(show->TextMAX->text(), QStringLiteral("-12.345"));
    QVERIFY(show->isMinusMarkShown());
    QVERIFY(show->isSegmentLit(10));
    QVERIFY(!show->isSegmentLit(11));
    QCOMPARE(form.dataForm()->Label4->text(), QStringLiteral("1"));
}

void TestMainForm::unloadQuestion_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("chooseName");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("written");
    QTest::newRow("empty log asks nothing") << 0 << QList<bool>{} << false << 0 << false;
    QTest::newRow("No writes nothing") << 2 << QList<bool>{false} << false << 1 << false;
    QTest::newRow("Yes then cancel") << 2 << QList<bool>{true} << false << 1 << false;
    QTest::newRow("Yes and a name") << 2 << QList<bool>{true} << true << 1 << true;
}

void TestMainForm::unloadQuestion()
{
    QFETCH(int, records);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, chooseName);
    QTemporaryDir dir;
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    MainForm &form = rig.load();
    form.connectForm()->Timer1_Timer();
    for (int i = 0; i < records; ++i)
        rig.send(meterFrame(1, 2, 0, {0, 0, 0, 0, i}));
    rig.messages.answers = answers;
    const QString file = dir.filePath("exit.txt");
    if (chooseName)
        rig.mainDialog.answers = {file};
    form.close();
    QVERIFY(!rig.comm.PortOpen());
    QTEST(int(rig.messages.asked.size()), "questions");
    if (!rig.messages.asked.isEmpty())
        QCOMPARE(rig.messages.asked.first(), QStringLiteral("Möchten Sie abspeichern?"));
    QTEST(QFile::exists(file), "written");
    if (QFile::exists(file)) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("Kalvendo Report14.05.201207:03:31\r\n\r\n 1 DC Spannung"));
    }
    QVERIFY(rig.dataDialog.titles.isEmpty()); // the exit uses the main window's dialog
}

void TestMainForm::unloadAsksAgainAfterAFailedSave()
{
    QTemporaryDir dir;
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    MainForm &form = rig.load();
    form.connectForm()->Timer1_Timer();
    rig.send(meterFrame(1, 2, 0, {0, 0, 0, 0, 1}));
    rig.messages.answers = {true, true};
    rig.mainDialog.answers = {dir.filePath("missing/exit.txt"), dir.filePath("exit.txt")};
    form.close();
    QCOMPARE(rig.messages.asked.size(), 3); // question, failure notice, question again
    QVERIFY(rig.messages.asked.at(1).startsWith("Die Datei konnte nicht gespeichert werden"));
    QVERIFY(QFile::exists(dir.filePath("exit.txt")));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
