// The full log at full speed through the serial component's interface: 50000 frames of
// the soak script, with its noise and partial frames, into the whole program. The limit
// handling runs once, after the 50000th frame, and its report matches the frames sent.
#include "mainrig.h"
#include "soakscript.h"

#include "shell/connectform.h"
#include "simscript.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestFullLog : public QObject {
    Q_OBJECT
private slots:
    void limitAfterTheLastFrame();
};

void TestFullLog::limitAfterTheLastFrame()
{
    constexpr int kExtra = 30; // frames after the limit's reset
    std::string error;
    const std::vector<metersim::Step> steps =
        metersim::parseScript(soakScript(ReadingLog::capacity + kExtra).toStdString(), &error);
    QVERIFY2(error.empty(), error.c_str());

    QTemporaryDir dir;
    const QString reportPath = dir.filePath("limit.txt");
    MainRig rig;
    rig.portMap.bridge = QStringLiteral("COM1");
    rig.messages.answers = {true};
    rig.mainDialog.answers = {reportPath};
    MainForm &form = rig.load();
    ConnectForm *strip = form.connectForm();

    QList<MeterFrame> whole;
    int limitAt = -1;
    qint64 now = 1000;
    for (const metersim::Step &step : steps) {
        if (step.hangup)
            break;
        // The resynchronisation's ticks fall into the pause before the bytes.
        if (strip->Timer1->isActive())
            strip->Timer1_Timer();
        const int questionsBefore = int(rig.messages.asked.size());
        rig.comm.deliver(QByteArrayView(reinterpret_cast<const char *>(step.bytes.data()),
                                        qsizetype(step.bytes.size())),
                         now);
        if (step.wholeFrames == 1) {
            MeterFrame f;
            std::copy_n(step.bytes.begin(), 8, f.begin());
            whole << f;
        }
        if (rig.messages.asked.size() > questionsBefore) {
            QCOMPARE(limitAt, -1); // once only
            limitAt = int(whole.size());
        }
        now += qint64(step.bytes.size() * 4 + step.pauseAfterMs);
    }

    QCOMPARE(limitAt, ReadingLog::capacity);
    QCOMPARE(rig.messages.asked, QStringList{"Bitte abspeichern!"});
    QFile report(reportPath);
    QVERIFY(report.open(QIODevice::ReadOnly));
    QCOMPARE(report.readAll(), expectedReport(whole.mid(0, ReadingLog::capacity)));

    // Logging went on at 1 after the reset.
    const QList<MeterFrame> after = whole.mid(ReadingLog::capacity);
    QCOMPARE(rig.vars.recordCount, int(after.size()));
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(rig.vars.log[i + 1].valueText, decodeFrame(after[i]).valueText);
}

QTEST_MAIN(TestFullLog)
#include "tst_fulllog.moc"
