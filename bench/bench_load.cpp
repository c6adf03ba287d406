// Loading speed and memory on generated bases: a typical one, and the worst case where no question has a
// hint, so that every hint lookup would run to the end of the file; each at 100,000 and 400,000 questions.
//
// Two measures: "warm", where the allocator keeps the memory of the previous load, measures the loader's
// own work; "cold" hands all free memory back to the system before each load, as a fresh program has it,
// and so also pays the page faults of every byte the loaded test occupies.
#include "BenchBase.h"
#include "testbase/Loader.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

// Every allocation of the program is counted, so that a benchmark can report the most memory that
// loading held at once.
namespace {
std::size_t g_live = 0;
std::size_t g_peak = 0;
} // namespace

void *operator new(std::size_t size)
{
    void *memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr)
        throw std::bad_alloc();
    g_live += malloc_usable_size(memory);
    g_peak = std::max(g_peak, g_live);
    return memory;
}

// The replaced operator new above takes its memory from malloc, so free is the right way back; the
// compiler cannot see that pairing.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void *memory) noexcept
{
    g_live -= malloc_usable_size(memory);
    std::free(memory);
}
#pragma GCC diagnostic pop

void *operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete[](void *memory) noexcept
{
    operator delete(memory);
}
void operator delete(void *memory, std::size_t) noexcept
{
    operator delete(memory);
}
void operator delete[](void *memory, std::size_t) noexcept
{
    operator delete(memory);
}

namespace {
void LoadRepeatedly(benchmark::State &state, bool cold)
{
    // Blocks of every size come from one heap that is never trimmed on its own, so that both sizes of
    // base are measured alike; the cold measure trims it explicitly.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const std::string base = MakeBase(static_cast<int>(state.range(0)), state.range(1) != 0);
    std::size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The loaded bytes count as loading's memory: the program reads the file and hands its bytes over.
        const std::size_t before = g_live;
        g_peak = g_live;
        std::string bytes = base;
        auto test = std::make_unique<TestState>();
        BaseLimits limits;
        state.ResumeTiming();

        const LoadFailure failure = LoadBase(std::move(bytes), *test, limits);

        state.PauseTiming();
        peak = std::max(peak, g_peak - before);
        if (failure != LoadFailure::None)
            state.SkipWithError("the generated base did not load");
        test.reset();
        if (cold)
            malloc_trim(0);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * base.size()));
    state.counters["file_MB"] = static_cast<double>(base.size()) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_per_file"] = static_cast<double>(peak) / static_cast<double>(base.size());
}

void BM_LoadWarm(benchmark::State &state)
{
    LoadRepeatedly(state, false);
}

void BM_LoadCold(benchmark::State &state)
{
    LoadRepeatedly(state, true);
}

void Sizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({"questions", "help"});
    for (const int help : {1, 0}) {
        for (const int questions : {100000, 400000})
            benchmark->Args({questions, help});
    }
    benchmark->Unit(benchmark::kMillisecond)->MinTime(2);
}
} // namespace

BENCHMARK(BM_LoadWarm)->Apply(Sizes);
BENCHMARK(BM_LoadCold)->Apply(Sizes);

BENCHMARK_MAIN();
