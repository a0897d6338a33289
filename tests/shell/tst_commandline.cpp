// The program's command line, run as a user runs it: the built executable in a terminal
// that has no display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void printingOptionsNeedNoDisplay_data();
    void printingOptionsNeedNoDisplay();
};

void TestCommandLine::printingOptionsNeedNoDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version") << "--version" << "kalvendo " KALVENDO_VERSION;
    QTest::newRow("help") << "--help" << "--port <gerät>";
}

void TestCommandLine::printingOptionsNeedNoDisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KALVENDO_EXE), {option});
    QVERIFY(program.waitForFinished(10000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(program.readAllStandardError()));
    QVERIFY2(out.contains(expected), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
