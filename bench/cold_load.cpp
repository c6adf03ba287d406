// Loading speed as a freshly started program has it: the file is in the page cache, but every byte the
// loaded test occupies is new memory of the process, so its page faults count. Each measure runs in a
// process of its own, started anew; the medians of reading the file, of splitting it into lines alone and
// of the whole loading are printed, for the typical generated base and the one without hints, at 100,000
// questions. Times are the process's processor time, the kernel's part (the page faults) included: on a
// shared machine the time on the clock mostly measures how long the others ran meanwhile.
// Usage: bench_cold_load [RUNS]   (default 11)
#include "BenchBase.h"
#include "testbase/FileIo.h"
#include "testbase/Loader.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {
double Seconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// One measure in this process: prints the seconds of reading and of splitting or loading.
int MeasureOnce(const char *file, bool splitOnly)
{
    const double start = Seconds();
    FileBytes read = ReadWholeFile(file);
    const double readEnd = Seconds();
    TestState state;
    BaseLimits limits;
    LoadFailure failure = LoadFailure::None;
    if (splitOnly)
        state.BaseLines = BaseText(std::move(read.bytes));
    else
        failure = LoadBase(std::move(read.bytes), state, limits);
    const double loadEnd = Seconds();
    if (read.error != FileError::None || failure != LoadFailure::None) {
        std::fprintf(stderr, "the base did not load\n");
        return 1;
    }
    std::printf("%.6f %.6f\n", readEnd - start, loadEnd - readEnd);
    return 0;
}

// Runs this program anew on file in mode and reads back its two figures.
bool MeasureInFreshProcess(const std::string &self, std::string mode, const std::string &file, double &read,
                           double &load)
{
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    char *argv[] = {const_cast<char *>(self.c_str()), mode.data(), const_cast<char *>(file.c_str()), nullptr};
    pid_t child = 0;
    const bool started = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    char text[128] = {};
    const ssize_t got = started ? ::read(channel[0], text, sizeof text - 1) : -1;
    close(channel[0]);
    int status = 1;
    if (started)
        waitpid(child, &status, 0);
    return got > 0 && status == 0 && std::sscanf(text, "%lf %lf", &read, &load) == 2;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && (std::string(argv[1]) == "--split" || std::string(argv[1]) == "--load"))
        return MeasureOnce(argv[2], std::string(argv[1]) == "--split");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    for (const bool help : {true, false}) {
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() /
            ("zt_bench_cold_" + std::to_string(std::random_device{}()) + ".bse");
        std::uintmax_t size = 0;
        {
            const std::string base = MakeBase(100000, help);
            std::ofstream(file, std::ios::binary) << base;
            size = base.size();
        }
        std::vector<double> reads;
        std::vector<double> splits;
        std::vector<double> loads;
        for (int run = 0; run < runs; ++run) {
            double read = 0;
            double split = 0;
            double load = 0;
            // In turns, so that a busy moment of the machine falls on both alike.
            if (!MeasureInFreshProcess(self, "--split", file.string(), read, split) ||
                !MeasureInFreshProcess(self, "--load", file.string(), read, load)) {
                std::fprintf(stderr, "a measuring process failed\n");
                std::filesystem::remove(file);
                return 1;
            }
            reads.push_back(read);
            splits.push_back(split);
            loads.push_back(load);
        }
        std::filesystem::remove(file);
        const double megabytes = static_cast<double>(size) / 1e6;
        std::printf("100,000 questions %-11s %.1f MB; medians of %d fresh processes:\n"
                    "  reading %5.1f ms, splitting into lines %5.1f ms, the rest of loading %5.1f ms;\n"
                    "  loading (splitting included) %4.0f MB/s\n",
                    help ? "with hints," : "no hints,", megabytes, runs, Median(reads) * 1e3,
                    Median(splits) * 1e3, (Median(loads) - Median(splits)) * 1e3, megabytes / Median(loads));
    }
    return 0;
}
