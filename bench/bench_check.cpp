// Speed of "zorvanta-base check" on the generated base of 100,000 questions read from a file: reading,
// the listing's look at the head, loading and every warning rule. With hints the base is clean; without,
// every question earns a warning, so the cost of reporting shows too.
#include "BenchBase.h"
#include "basetool/BaseCheck.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {
void BM_CheckFile(benchmark::State &state)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("zt_bench_check_" + std::to_string(std::random_device{}()) + ".bse");
    const std::string base = MakeBase(static_cast<int>(state.range(0)), state.range(1) != 0);
    std::ofstream(file, std::ios::binary) << base;
    for (auto _ : state) {
        const BaseReport report = CheckFile(file);
        if (report.load != LoadFailure::None)
            state.SkipWithError("the generated base did not load");
        benchmark::DoNotOptimize(report.findings.data());
    }
    std::filesystem::remove(file);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * base.size()));
    state.counters["file_MB"] = static_cast<double>(base.size()) / 1e6;
}
} // namespace

BENCHMARK(BM_CheckFile)
    ->ArgNames({"questions", "help"})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

BENCHMARK_MAIN();
