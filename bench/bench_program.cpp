// The whole program's footprint: peak memory of a full log of 50000 readings with the
// table and both charts live, and the processor time it takes to log at the line's rate
// from the meter simulator over a pseudo-terminal.
#include "mainrig.h"
#include "programrig.h"

#include "graph/graphform.h"
#include "readout/showform.h"
#include "shell/connectform.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_fullLogPeakMemory(benchmark::State &state)
{
    for (auto _ : state) {
        MainRig rig;
        rig.portMap.bridge = QStringLiteral("COM1");
        MainForm &form = rig.load();
        form.connectForm()->Timer1_Timer();
        form.showForm()->Image1_Click(); // the graph window, live too
        state.counters["rss_before_MB"] = peakMegabytes();
        for (int i = 0; i < ReadingLog::capacity - 1; ++i) {
            rig.send(meterFrame(1, 2, (i & 1) ? 0x20 : 0, {i / 10000 % 10, i / 1000 % 10, i / 100 % 10,
                                                         i / 10 % 10, i % 10}));
            if (i % 50 == 0)
                QCoreApplication::processEvents(); // let the table and the charts paint
        }
        QCoreApplication::processEvents();
        state.counters["records"] = rig.vars.recordCount;
        state.counters["peak_rss_MB"] = peakMegabytes();
    }
}
BENCHMARK(BM_fullLogPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

void BM_cpuAtLineRate(benchmark::State &state)
{
    for (auto _ : state) {
        QProcess simulator;
        const QString device =
            startSimulator(simulator, {"--interval", "40", "--wait-open", "--settle", "100"});
        ProgramRig rig;
        rig.form.MDIForm_Load(device);
        rig.form.showForm()->Image1_Click();
        const GVarMod &vars = rig.vars;

        const double cpuStart = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        const int seconds = int(state.range(0));
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = cpuSeconds() - cpuStart;
        state.counters["frames_per_s"] = double(vars.recordCount) * 1000.0 / double(wall.elapsed());
        state.counters["cpu_percent"] = 100.0 * cpu * 1000.0 / double(wall.elapsed());
        simulator.kill();
        simulator.waitForFinished(3000);
    }
}
BENCHMARK(BM_cpuAtLineRate)->Arg(20)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
