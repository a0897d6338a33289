// A long run on a real line: the simulator on a pseudo-terminal sends readings with
// noise bursts and partial frames in between, the whole program logs them. Every whole
// frame must be logged, in order, and nothing else.
//
// The default is about a minute. The full log through the line, with the limit handling
// and its report, takes tens of minutes:
//   KALVENDO_SOAK_FRAMES=50010 ctest --test-dir build -R tst_soak --output-on-failure
#include "programrig.h"
#include "soakscript.h"

#include "meterlink/meterframe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>


namespace {

QList<QByteArray> readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void everyWholeFrameIsLogged();
};

void TestSoak::everyWholeFrameIsLogged()
{
    const int frames = qEnvironmentVariableIsSet("KALVENDO_SOAK_FRAMES")
                           ? qEnvironmentVariableIntValue("KALVENDO_SOAK_FRAMES")
                           : 1200;
    QTemporaryDir dir;
    QFile script(dir.filePath("soak.sim"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(soakScript(frames));
    script.close();
    const QString sentPath = dir.filePath("sent.txt");

    QProcess simulator;
    const QString device = startSimulator(simulator, {"--script", script.fileName(), "--record", sentPath,
                                                      "--no-line-time", "--wait-open", "--settle", "200"});
    QVERIFY(!device.isEmpty());

    ProgramRig rig;
    GVarMod &vars = rig.vars;
    const QString reportPath = dir.filePath("limit.txt");
    rig.messages.answers = {true}; // "Bitte abspeichern!": Yes
    rig.mainDialog.answers = {reportPath};
    QElapsedTimer elapsed;
    elapsed.start();
    rig.form.MDIForm_Load(device);

    // The script ends with a hang-up.
    QTRY_VERIFY_WITH_TIMEOUT(!rig.comm.PortOpen(), frames * 200 + 10000);
    if (simulator.state() != QProcess::NotRunning)
        QVERIFY(simulator.waitForFinished(5000));
    const QList<QByteArray> sent = readLines(sentPath);
    qInfo("%d frames scripted, %lld whole frames sent, %d logged, %d lost, in %.1f s", frames,
          qlonglong(sent.size()), vars.recordCount, int(sent.size()) - vars.recordCount,
          double(elapsed.elapsed()) / 1000.0);
    QList<QByteArray> logged = sent;
    if (sent.size() >= ReadingLog::capacity) {
        // The limit handling ran once after the 50000th frame and saved the report.
        QCOMPARE(rig.messages.asked.count(QStringLiteral("Bitte abspeichern!")), 1);
        QFile report(reportPath);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QList<MeterFrame> full;
        for (const QByteArray &hex : sent.mid(0, ReadingLog::capacity))
            full << frameFromHex(hex);
        QCOMPARE(report.readAll(), expectedReport(full));
        // After the reset the line is resynchronised, which may cost the frame that
        // arrives during the wait for a quiet line.
        logged = sent.mid(ReadingLog::capacity);
        if (vars.recordCount == logged.size() - 1)
            logged.removeFirst();
    }
    QCOMPARE(vars.recordCount, int(logged.size()));
    for (int i = 0; i < logged.size(); ++i) {
        const MeterReading expected = decodeFrame(frameFromHex(logged[i]));
        QCOMPARE(vars.log[i + 1].valueText, expected.valueText);
        QCOMPARE(vars.log[i + 1].value, expected.value);
        QCOMPARE(vars.log[i + 1].unit, expected.unit);
    }
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
