// The charts' drawing cost: one clear and redraw of a full page on each chart, and the
// reading pipeline's cost per reading while both charts follow the live page. A frame
// takes about 33 ms on the line; a reading must cost a small part of that.
#include "pipelinerig.h"
#include "testframes.h"
#include "fakeclock.h"
#include "fakeserialcomm.h"

#include "graph/graphchart.h"
#include "graph/graphform.h"
#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "readout/showform.h"
#include "readout/trendchart.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct Windows : PipelineRig {
    ShowForm form{vars, readout, extremes};
    int reading = 0;

    Windows()
    {
        pipeline.setViews({nullptr, &form, &form, &form, nullptr});
        form.Form_Load();
        form.show();
        form.showOnline();
        form.Image1_Click();
        QCoreApplication::processEvents();
    }
    ~Windows() { form.closeGraphForm(); }

    // The next reading of a wave that crosses the whole scale.
    void read()
    {
        ++reading;
        now += 250;
        const int count = int(std::lround(380 + 380 * std::sin(reading / 9.0)));
        comm.deliver(microfarads(count), now);
    }
};

void fullPage(Windows &w)
{
    while (w.vars.recordCount < 300)
        w.read();
    w.vars.pageFirst = 101;
    w.vars.pagePoints = 100;
    w.vars.browsing = true;
}

void BM_ShowFormRedraw(benchmark::State &state, Windows *windows)
{
    Windows &w = *windows;
    fullPage(w);
    TrendChart *chart = w.form.Picture1;
    QImage image(chart->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        w.form.clearAndRedraw();
        chart->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_GraphRedraw(benchmark::State &state, Windows *windows)
{
    Windows &w = *windows;
    fullPage(w);
    GraphForm *graph = w.form.graphForm();
    QImage image(graph->Picture1->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        graph->clearAndRedraw();
        graph->Picture1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One frame through the pipeline on the live page, with the readout, both charts'
// relabel and redraw, and the repaints they ask for carried out before the next frame.
void BM_PipelinePerReading(benchmark::State &state, Windows *windows)
{
    Windows &w = *windows;
    w.vars.browsing = false;
    w.vars.followLive();
    for (auto _ : state) {
        if (w.vars.recordCount >= ReadingLog::capacity - 1) {
            state.PauseTiming();
            w.vars.clearLog();
            state.ResumeTiming();
        }
        w.read();
        QCoreApplication::processEvents();
    }
    state.counters["pagePoints"] = w.vars.pagePoints;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Windows windows;
    benchmark::RegisterBenchmark("BM_ShowFormRedraw", BM_ShowFormRedraw, &windows)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_GraphRedraw", BM_GraphRedraw, &windows)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_PipelinePerReading", BM_PipelinePerReading, &windows)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
