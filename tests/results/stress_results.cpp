// Many copies of the program saving into one folder at once, without windows. Each copy is a process:
//   zt_stress_results prepare FOLDER           a result file of 90 lines, so that the burst crosses 100
//   zt_stress_results save FOLDER P K BARRIER  makes BARRIER.P, waits for the file BARRIER, then saves K
//                                              lines named "pP-i"
//   zt_stress_results hold FOLDER              takes the result file's lock, says "held", waits forever
//   zt_stress_results check FOLDER PROCS K     every line once, in the file or an archive of 100 lines
// scripts/stress-results.sh runs it.
#include "results/FileLock.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"
#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {
constexpr int seedLines = 90;

std::string SeedName(int i)
{
    return "seed-" + std::to_string(i);
}

TestState Result(const std::string &name)
{
    TestState state;
    state.UserName = name;
    state.QuestCount = 2;
    state.GivenAnswer = {0, 1, 2};
    state.TrueCount = 1;
    return state;
}

LocalDateTime LocalNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

int Prepare(const fs::path &folder)
{
    fs::create_directories(folder);
    std::ofstream out(ResultFilePath(folder), std::ios::binary);
    for (int i = 0; i < seedLines; ++i)
        out << ResultLine(Result(SeedName(i)));
    return out ? 0 : 1;
}

int Save(const fs::path &folder, int proc, int count, const fs::path &barrier)
{
    fs::path ready = barrier;
    ready += "." + std::to_string(proc);
    std::ofstream(ready).put('\n');
    while (!fs::exists(barrier))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < count; ++i) {
        if (!SaveResult(folder, Result("p" + std::to_string(proc) + "-" + std::to_string(i)), LocalNow())) {
            std::cerr << "process " << proc << ": save " << i << " failed\n";
            return 1;
        }
    }
    return 0;
}

int Hold(const fs::path &folder)
{
    const FileLock lock(ResultFilePath(folder), std::chrono::seconds(10));
    if (!lock.Held())
        return 1;
    std::cout << "held" << std::endl;
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

// Counts each line's name; a file's line count is returned.
std::size_t Tally(const fs::path &file, std::map<std::string, int> &seen)
{
    const BaseText text(ReadWholeFile(file).bytes);
    for (std::size_t i = 1; i <= text.LineCount(); ++i) {
        const std::string line(text.Line(i));
        ++seen[line.substr(0, line.find('='))];
    }
    return text.LineCount();
}

int Check(const fs::path &folder, int procs, int count)
{
    std::map<std::string, int> seen;
    int archives = 0, wrongArchives = 0;
    std::error_code none;
    for (const auto &entry : fs::directory_iterator(ArchiveFolder(folder), none)) {
        ++archives;
        if (Tally(entry.path(), seen) != 100)
            ++wrongArchives;
    }
    Tally(ResultFilePath(folder), seen);
    int lost = 0, duplicated = 0;
    const auto expect = [&](const std::string &name) {
        const auto found = seen.find(name);
        const int times = found == seen.end() ? 0 : found->second;
        lost += times == 0;
        duplicated += times > 1 ? times - 1 : 0;
        if (found != seen.end())
            seen.erase(found);
    };
    for (int i = 0; i < seedLines; ++i)
        expect(SeedName(i));
    for (int p = 0; p < procs; ++p)
        for (int i = 0; i < count; ++i)
            expect("p" + std::to_string(p) + "-" + std::to_string(i));
    std::cout << "lost " << lost << ", duplicated " << duplicated << ", unknown " << seen.size()
              << ", archives " << archives << " (" << wrongArchives << " not of 100 lines)\n";
    return lost + duplicated + static_cast<int>(seen.size()) + wrongArchives == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 2 ? argv[1] : "";
    const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::path();
    if (mode == "prepare" && argc == 3)
        return Prepare(folder);
    if (mode == "save" && argc == 6)
        return Save(folder, std::stoi(argv[3]), std::stoi(argv[4]), argv[5]);
    if (mode == "hold" && argc == 3)
        return Hold(folder);
    if (mode == "check" && argc == 5)
        return Check(folder, std::stoi(argv[3]), std::stoi(argv[4]));
    std::cerr << "usage: zt_stress_results prepare|save|hold|check FOLDER ...\n";
    return 2;
}
