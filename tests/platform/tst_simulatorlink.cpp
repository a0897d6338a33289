// The meter link end to end: the simulator on a pseudo-terminal, the real serial
// component, the resynchronisation's quiet-line wait and the pipeline.
#include "fakeclock.h"

#include "meterlink/gvarmod.h"
#include "meterlink/meterframe.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "platform/qtserialcomm.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const char *kScript = R"(# readings, with the faults a line has in between
reading func=2 range=1 value=-12.345
reading func=10 range=2 value=4.7 hold
noise 3 pause=60
reading func=7 range=1 value=50
partial 5 pause=60
reading func=12 range=5 value=1234
double pause=60
reading func=2 range=0 value=1.5 ol
unknown func=25 range=3 count=42
burst 3 pause=60
reading func=13 range=0 value=10 rel minmax=3
hangup
)";

MeterFrame frameFromHex(const QByteArray &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    MeterFrame f{};
    for (int i = 0; i < 8 && i < bytes.size(); ++i)
        f[std::size_t(i)] = std::uint8_t(bytes.at(i));
    return f;
}

} // namespace

class TestSimulatorLink : public QObject {
    Q_OBJECT
private slots:
    void simulatorFramesAreLoggedInOrder();
};

void TestSimulatorLink::simulatorFramesAreLoggedInOrder()
{
    QTemporaryDir dir;
    QFile script(dir.filePath("line.sim"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(kScript);
    script.close();

    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(QStringLiteral(KALVENDO_METERSIM),
                    {"--script", script.fileName(), "--record", dir.filePath("sent.txt"), "--interval",
                     "60", "--wait-open", "--settle", "200"});
    QVERIFY(simulator.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();

    QtSerialComm comm;
    GVarMod vars;
    ReadoutState readout;
    RunningExtremes extremes;
    FakeClock clock;
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    ModalGate modal;
    ReadingPipeline pipeline(comm, vars, readout, extremes, clock, forms, modal);
    connect(&comm, &SerialComm::OnComm, this, [&] { pipeline.MSComm1_OnComm(); });
    comm.setDevicePath(device);
    QVERIFY2(comm.setPortOpen(true), qPrintable(comm.errorString()));

    // The resynchronisation: empty the buffer every 20 ms until a tick finds it empty.
    QTimer resync;
    resync.setInterval(20);
    connect(&resync, &QTimer::timeout, this, [&] {
        if (comm.InBufferCount() > 0) {
            comm.setInBufferCount(0);
            return;
        }
        comm.setRThreshold(8);
        resync.stop();
    });
    resync.start();

    QSignalSpy lost(&comm, &SerialComm::deviceLost);
    QVERIFY(lost.wait(20000)); // the script ends with a hang-up
    if (simulator.state() != QProcess::NotRunning)
        QVERIFY(simulator.waitForFinished(5000));
    QCOMPARE(simulator.exitCode(), 0);

    QFile sentFile(dir.filePath("sent.txt"));
    QVERIFY(sentFile.open(QIODevice::ReadOnly));
    QList<QByteArray> sent;
    for (const QByteArray &line : sentFile.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            sent << line.trimmed();
    QCOMPARE(sent.size(), 7); // stray bytes before a pause spoil nothing; glued frames are lost

    // Every whole frame the simulator sent is logged, in order, and nothing else.
    QCOMPARE(vars.recordCount, int(sent.size()));
    for (int i = 0; i < sent.size(); ++i) {
        const MeterReading expected = decodeFrame(frameFromHex(sent[i]));
        QCOMPARE(vars.log[i + 1].valueText, expected.valueText);
        QCOMPARE(vars.log[i + 1].value, expected.value);
    }
    QCOMPARE(vars.log[1].valueText, QStringLiteral("-12.345"));
    QCOMPARE(vars.log[1].funcName, QStringLiteral("DC Spannung"));
    QVERIFY(!comm.PortOpen());
}

QTEST_GUILESS_MAIN(TestSimulatorLink)
#include "tst_simulatorlink.moc"
