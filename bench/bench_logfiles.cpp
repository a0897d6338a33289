// Writing a full log of 50000 records in each format: time and peak memory.
#include "fakeclock.h"
#include "logfixture.h"

#include "platform/localeforms.h"
#include "table/logfiles.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

GVarMod &fullLog()
{
    static GVarMod vars;
    if (vars.recordCount == 0)
        while (!vars.isFull())
            addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("12.345"), QStringLiteral("V"),
                      QStringLiteral("14.05.2012\\07:03:31"), 12.345);
    return vars;
}

void BM_writeTextReport(benchmark::State &state)
{
    const GVarMod &vars = fullLog();
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        const QByteArray bytes = textReportBytes(vars, QStringLiteral("Kalvendo Report"), forms, FakeClock().now());
        benchmark::DoNotOptimize(writeWholeFile(dir.filePath("report.txt"), bytes, &error));
        state.counters["bytes"] = double(bytes.size());
    }
    state.counters["peak_rss_MB"] = double(peakKilobytes()) / 1024.0;
}
BENCHMARK(BM_writeTextReport)->Unit(benchmark::kMillisecond);

void BM_writeTabExport(benchmark::State &state)
{
    const GVarMod &vars = fullLog();
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        const QByteArray bytes = tabExportBytes(vars);
        benchmark::DoNotOptimize(writeWholeFile(dir.filePath("export.xls"), bytes, &error));
        state.counters["bytes"] = double(bytes.size());
    }
    state.counters["peak_rss_MB"] = double(peakKilobytes()) / 1024.0;
}
BENCHMARK(BM_writeTabExport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
