// Saving a result line to a 100 MB result file: the time, and how far the process's peak memory grows
// while saving, which must not depend on the file's size. A file of 50 long lines is counted to its end
// and appended to; a file of 100 lines is counted to its 100th line and archived whole.
// Then saves per second of ordinary lines into one folder, by one copy alone and by many at once (threads
// here, which take turns exactly as processes do), and what taking the lock alone costs.
#include "results/FileLock.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
constexpr std::uintmax_t fileSize = std::uintmax_t(100) << 20;
const LocalDateTime now{2025, 3, 7, 9, 5, 2};

long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void SaveToAHugeFile(benchmark::State &state)
{
    const int lines = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / "zt_bench_result";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = ResultFilePath(folder);
    {
        std::ofstream out(file, std::ios::binary);
        const std::string line(fileSize / lines - 2, 'x');
        for (int i = 0; i < lines; ++i)
            out << line << "\r\n";
    }
    TestState test;
    test.UserName = "bench";
    test.QuestCount = 1;
    test.GivenAnswer = {0, 1};

    const long before = PeakMemoryKb();
    for (auto _ : state) {
        if (!SaveResult(folder, test, now))
            state.SkipWithError("the save failed");
        // The file as it was before the save, for the next round.
        state.PauseTiming();
        if (lines < 100)
            fs::resize_file(file, fileSize);
        else
            fs::rename(ArchiveFolder(folder) / ArchiveName(now, 1), file);
        state.ResumeTiming();
    }
    state.counters["peak_memory_growth_kB"] = static_cast<double>(PeakMemoryKb() - before);
    fs::remove_all(folder);
}
const fs::path sharedFolder = fs::temp_directory_path() / "zt_bench_contention";

void SaveWithOthers(benchmark::State &state)
{
    if (state.thread_index() == 0) {
        fs::remove_all(sharedFolder);
        fs::create_directories(sharedFolder);
    }
    TestState test;
    test.UserName = "copy" + std::to_string(state.thread_index());
    test.QuestCount = 20;
    test.GivenAnswer.assign(21, 1);
    for (auto _ : state) {
        if (!SaveResult(sharedFolder, test, now))
            state.SkipWithError("the save failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void TakeTheLock(benchmark::State &state)
{
    const fs::path folder = fs::temp_directory_path() / "zt_bench_lock";
    fs::create_directories(folder);
    for (auto _ : state) {
        const FileLock lock(ResultFilePath(folder), std::chrono::seconds(10));
        benchmark::DoNotOptimize(lock.Held());
    }
    fs::remove_all(folder);
}
} // namespace

BENCHMARK(SaveToAHugeFile)->ArgName("lines")->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveWithOthers)->Threads(1)->Threads(4)->Threads(16)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(TakeTheLock)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
