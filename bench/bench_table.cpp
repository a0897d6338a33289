// The reading table's cost per reading with an empty and with a full log, and the
// printout of a full log to PDF.
#include "meterlink/gvarmod.h"
#include "platform/clock.h"
#include "platform/filedialog.h"
#include "platform/localeforms.h"
#include "platform/messagebox.h"
#include "platform/qtprinter.h"
#include "table/dataform.h"
#include "table/tableprint.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

class NoDialog final : public FileDialog {
public:
    QString askSaveFileName(const QString &, const QString &) override { return {}; }
};

class NoMessages final : public MessageBox {
public:
    bool askYesNo(const QString &) override { return false; }
    void tell(const QString &) override { }
};

class NoChart final : public ChartView {
public:
    void relabelX(int) override { }
    void clearAndRedraw() override { }
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2012, 5, 14), QTime(7, 3, 31)); }
};

const QString kFunc = QStringLiteral("DC Spannung");
const QString kUnit = QStringLiteral("V");
const QString kStamp = QStringLiteral("14.05.2012\\07:03:31");

// What the pipeline does to the table for one reading, with the record it stores.
void oneReading(GVarMod &vars, DataForm &form)
{
    const int n = vars.appendRecord();
    const QString nr = QString::number(n);
    form.setCountCaption(nr);
    form.insertRowOnTop(nr);
    form.setCurrentRowText(1, kFunc);
    form.setCurrentRowText(3, kUnit);
    const QString value = QString::number(n % 1000);
    form.setCurrentRowText(2, value);
    form.setCurrentRowText(4, kStamp);
    ReadingRecord &r = vars.log[n];
    r = {n, double(n % 1000), kFunc, kStamp, kUnit, value};
}

long maxRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Printed first, so that the peak memory it reports is its own.
// records: the log printed (50000: 1389 pages). Run one size per process for its own
// peak memory: ru_maxrss only ever grows.
void BM_PrintTablePdf(benchmark::State &state)
{
    const int records = int(state.range(0));
    GVarMod vars;
    for (int n = 1; n <= records; ++n) {
        vars.appendRecord();
        vars.log[n]
            = {n, double(n), kFunc, kStamp, kUnit, QString::number(n) + QStringLiteral(".000")};
    }
    FixedClock clock;
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    NoMessages messages;
    const QString path = QDir::temp().filePath(QStringLiteral("bench_table.pdf"));
    const long before = maxRssKiB();
    bool ok = true;
    for (auto _ : state) {
        QtPrinter printer = QtPrinter::toPdfFile(path);
        ok &= printTable(printer, vars, forms, clock, messages);
    }
    const long after = maxRssKiB();
    if (!ok)
        state.SkipWithError("the printout failed");
    state.counters["maxrss_before_MiB"] = double(before) / 1024;
    state.counters["maxrss_after_MiB"] = double(after) / 1024;
    state.counters["pdf_MiB"] = double(QFile(path).size()) / (1024 * 1024);
    QFile::remove(path);
}
BENCHMARK(BM_PrintTablePdf)->Arg(50000)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The shown table taking readings, each followed by the event processing that lays out
// and paints the view. rows: the readings the table holds once the measured one is in.
// The small tables are emptied and refilled between readings, outside the timing; with a
// full log the last 1000 readings before 50000 are measured. Every reading repaints the
// visible rows, as all of them move down one; 30 rows fill the grid as 50000 do, so the
// two show what the size of the log itself costs.
void BM_TableReading(benchmark::State &state)
{
    const int rows = int(state.range(0));
    GVarMod vars;
    FixedClock clock;
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    NoDialog dialog;
    NoMessages messages;
    NoChart chart;
    QtPrinter printer
        = QtPrinter::toPdfFile(QDir::temp().filePath(QStringLiteral("bench_unused.pdf")));
    DataForm form(vars, clock, forms, dialog, messages, printer, chart, [] {});
    form.Form_Load();
    form.show();
    const bool full = rows > 1000;
    auto refill = [&](int count) {
        while (vars.recordCount < count)
            oneReading(vars, form);
    };
    refill(full ? ReadingLog::capacity - 1000 : rows - 1);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        if (!full) {
            state.PauseTiming();
            vars.clearLog();
            form.resetTable(QStringLiteral("Funk"));
            refill(rows - 1);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        oneReading(vars, form);
        QCoreApplication::processEvents();
    }
    state.counters["rows_at_end"] = double(form.Rows());
}
BENCHMARK(BM_TableReading)
    ->Arg(1)
    ->Arg(30)
    ->Arg(50000)
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
