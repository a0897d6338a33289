// Per-frame costs of the meter link: decoding, and the pipeline with the log nearly
// empty and nearly full. The line delivers at most 30 frames a second (33 ms each).
#include "pipelinerig.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>

// Counts heap allocations (Qt's containers call malloc directly), to show what one
// appended reading costs beyond its texts.
static std::atomic<long> g_allocations{0};

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);

void *malloc(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void *realloc(void *p, std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}

namespace {

const MeterFrame kFrame{0x01, 0x02, 0x20, 1, 2, 3, 4, 5};

QByteArray frameBytes()
{
    return QByteArray(reinterpret_cast<const char *>(kFrame.data()), 8);
}

void BM_decodeFrame(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeFrame(kFrame));
}
BENCHMARK(BM_decodeFrame);

// The pipeline with its real decoding, stamps and readout state; the views are absent so
// that this measures the meter link alone (the forms have their own benchmarks).
void BM_pipelinePerFrame(benchmark::State &state)
{
    PipelineRig rig;
    GVarMod &vars = rig.vars;
    const QByteArray bytes = frameBytes();
    const int start = int(state.range(0));
    qint64 now = 0;
    long allocations = 0;
    long frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        vars.recordCount = start; // stay at the same fill level
        state.ResumeTiming();
        const long before = g_allocations.load(std::memory_order_relaxed);
        now += 100;
        rig.comm.deliver(bytes, now);
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++frames;
    }
    state.counters["allocs_per_frame"] = double(allocations) / double(frames);
}
BENCHMARK(BM_pipelinePerFrame)->Arg(0)->Arg(49999);

} // namespace

BENCHMARK_MAIN();
