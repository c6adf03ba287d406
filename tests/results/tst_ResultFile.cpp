#include "results/FileLock.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"
#include "testbase/FileIo.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
// A program folder of its own, named with Cyrillic letters and blanks as in a school's lab, with
// Result.res in it holding the given bytes (none: no file); removed afterwards.
struct Folder
{
    explicit Folder(const std::optional<std::string> &bytes = {})
    {
        fs::create_directories(path);
        if (bytes)
            std::ofstream(file, std::ios::binary) << *bytes;
    }
    // Every file in the folder, the archived ones included.
    std::ptrdiff_t Files() const
    {
        return std::count_if(fs::recursive_directory_iterator(path), fs::recursive_directory_iterator(),
                             [](const fs::directory_entry &entry) { return entry.is_regular_file(); });
    }

    const TempFolder root;
    const fs::path path = root.path / u8"Учебный класс" / u8"Зорванта";
    const fs::path file = path / "Result.res";
};

// A test ended with these answers given (0: none), so many of them right.
TestState Finished(std::string name, std::vector<std::int16_t> given, int trueCount)
{
    TestState state;
    state.UserName = std::move(name);
    state.QuestCount = static_cast<int>(given.size());
    given.insert(given.begin(), 0);
    state.GivenAnswer = std::move(given);
    state.TrueCount = trueCount;
    return state;
}

// Three questions, the third not reached when the time ran out.
const TestState Ivanov = Finished("\xC8\xE2\xE0\xED\xEE\xE2", {2, 4, 0}, 1);
const LocalDateTime Now{2025, 3, 7, 9, 5, 2};

// Root, unless it has given up that right, writes to read-only files.
bool WritesReadOnlyFiles()
{
    const TempFolder folder;
    const fs::path probe = folder.path / "probe";
    std::ofstream(probe).put('\n');
    fs::permissions(probe, fs::perms::owner_write, fs::perm_options::remove);
    const bool written = static_cast<bool>(std::ofstream(probe, std::ios::app));
    fs::permissions(probe, fs::perms::owner_write, fs::perm_options::add);
    return written;
}

// count result lines, their names padded to width bytes.
std::string Lines(int count, std::size_t width = 0)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        std::string name = "name" + std::to_string(i);
        name.resize(std::max(name.size(), width), 'x');
        text += name + "=   1  True= 1  False= 0\r\n";
    }
    return text;
}

TEST(ResultFile, LinesAreByteExact)
{
    const std::pair<const char *, TestState> cases[] = {
        {"ivanov.res", Ivanov},
        {"empty_name.res", Finished("", {3}, 0)},
        {"ten_questions.res", // Пётр Ёлкин
         Finished("\xCF\xB8\xF2\xF0 \xA8\xEB\xEA\xE8\xED", {1, 2, 3, 4, 1, 0, 2, 2, 0, 0}, 3)}};
    for (const auto &[name, state] : cases) {
        SCOPED_TRACE(name);
        const std::string expected = ReadWholeFile(fs::path(ZT_TEST_DATA) / "results" / name).bytes;
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ResultLine(state), expected);
        const Folder folder;
        ASSERT_TRUE(SaveResult(folder.path, state, Now));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, expected);
    }
}

// The line is synced on every save, and a new entry in the folder (the file itself, or the archive's) too,
// so that both outlive a power cut. The file is read in pieces: long lines count whichever piece ends them.
TEST(ResultFile, AppendsUntilAHundredLinesThenStartsAfresh)
{
    const std::string line = ResultLine(Ivanov);
    const std::string last = "a=   1  True= 1  False= 0";
    const std::tuple<const char *, std::optional<std::string>, std::string, bool> cases[] = {
        {"no file yet", std::nullopt, line, true},
        {"empty file", "", line, false},
        {"99 lines", Lines(99), Lines(99) + line, false},
        {"60 lines over 64 KiB", Lines(60, 2000), Lines(60, 2000) + line, false},
        {"100 lines", Lines(100), line, true},
        {"100 lines over 64 KiB", Lines(100, 1000), line, true},
        {"150 lines", Lines(150), line, true},
        {"missing final line end", last, last + "\r\n" + line, false},
        {"bare CR at the end", last + "\r", last + "\r" + line, false},
        {"bare LF at the end, which ends no line", last + "\n", last + "\n\r\n" + line, false}};
    for (const auto &[what, before, after, synced] : cases) {
        SCOPED_TRACE(what);
        const Folder folder(before);
        std::vector<SaveStep> seen;
        ASSERT_TRUE(SaveResult(folder.path, Ivanov, Now, [&](SaveStep step) {
            seen.push_back(step);
            return std::errc{};
        }));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, after);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), SaveStep::SyncFolder) > 0, synced);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), SaveStep::Sync), 1);
    }
}

// A full file moves whole into Results, under a name of its own even within one second.
TEST(ResultFile, FullFileIsArchivedWhole)
{
    const Folder folder;
    const fs::path archive = folder.path / "Results";
    for (const char *name : {"Result-2025-03-07_090502.res", "Result-2025-03-07_090502_2.res"}) {
        SCOPED_TRACE(name);
        std::ofstream(folder.file, std::ios::binary) << Lines(100) + name;
        ASSERT_TRUE(SaveResult(folder.path, Ivanov, Now));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, ResultLine(Ivanov));
        EXPECT_EQ(ReadWholeFile(archive / name).bytes, Lines(100) + name);
    }
}

// While Results is a plain file or a folder that takes no files, a full file keeps its lines and each new
// line joins them; the first save that can archive takes them all.
TEST(ResultFile, FullFileKeepsItsLinesUntilItCanBeArchived)
{
    const std::string line = ResultLine(Ivanov);
    for (const bool plainFile : {true, false}) {
        SCOPED_TRACE(plainFile ? "a file named Results" : "a folder Results without write access");
        const Folder folder(Lines(100));
        const fs::path archive = folder.path / "Results";
        if (plainFile) {
            std::ofstream(archive) << "not a folder";
        } else {
            fs::create_directory(archive);
            fs::permissions(archive, fs::perms::owner_write, fs::perm_options::remove);
            if (std::ofstream(archive / "probe")) {
                fs::permissions(archive, fs::perms::owner_write, fs::perm_options::add);
                std::cout << "[ SKIPPED  ] this user writes into folders without write access\n";
                continue;
            }
        }
        ASSERT_TRUE(SaveResult(folder.path, Ivanov, Now));
        ASSERT_TRUE(SaveResult(folder.path, Ivanov, Now));
        const std::string kept = Lines(100).append(line).append(line);
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, kept);

        if (plainFile)
            fs::remove(archive);
        else
            fs::permissions(archive, fs::perms::owner_write, fs::perm_options::add);
        ASSERT_TRUE(SaveResult(folder.path, Ivanov, Now));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, line);
        EXPECT_EQ(ReadWholeFile(archive / ArchiveName(Now, 1)).bytes, kept);
    }
}

// A failure leaves every old byte once, in the file or in the archive, and no part of the line, even when
// the line was written and only its sync failed. A full file whose archive cannot be made takes the line
// as a short file does.
TEST(ResultFile, FailingStepsLoseNothing)
{
    using enum SaveStep;
    const std::errc io = std::errc::io_error, full = std::errc::no_space_on_device;
    const std::string line = ResultLine(Ivanov);
    const std::string longLines = Lines(60, 2000); // over 64 KiB
    const std::tuple<const char *, std::string, std::vector<SaveStep>, std::errc, bool, std::string> cases[] =
        {{"reading a short file", Lines(5), {Read}, io, false, Lines(5)},
         {"appending", Lines(5), {Append}, full, false, Lines(5)},
         {"syncing the appended line", Lines(5), {Sync}, io, false, Lines(5)},
         {"syncing a line appended after 64 KiB", longLines, {Sync}, full, false, longLines},
         {"reading a full file", Lines(100), {Read}, io, false, Lines(100)},
         {"making the archive", Lines(100), {Archive}, io, true, Lines(100) + line},
         {"making the archive, then syncing", Lines(100), {Archive, Sync}, full, false, Lines(100)},
         {"starting afresh after archiving", Lines(100), {Replace}, io, false, ""},
         {"syncing the fresh start", Lines(100), {Sync}, io, false, ""}};
    for (const auto &[what, before, failing, error, saved, after] : cases) {
        SCOPED_TRACE(what);
        const Folder folder(before);
        const auto failAt = [&steps = failing, error = error](SaveStep step) {
            return std::find(steps.begin(), steps.end(), step) != steps.end() ? error : std::errc{};
        };
        EXPECT_EQ(SaveResult(folder.path, Ivanov, Now, failAt), saved);
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, after);
        const fs::path archived = folder.path / "Results" / ArchiveName(Now, 1);
        EXPECT_EQ(ReadWholeFile(archived).bytes, after.empty() ? before : "");
        EXPECT_EQ(folder.Files(), after.empty() ? 2 : 1);
    }
}

// Another program holding the file open without sharing, and a read-only file: the save fails and the
// lines stay.
TEST(ResultFile, UnwritableFileFailsAndKeepsItsLines)
{
    if (WritesReadOnlyFiles())
        GTEST_SKIP() << "this user writes to read-only files";
    const std::tuple<int, bool> cases[] = {// lines, the file is held open
#ifdef _WIN32
                                           {5, true},
                                           {100, true},
#endif
                                           {5, false},
                                           {100, false}};
    for (const auto &[lines, heldOpen] : cases) {
        SCOPED_TRACE(testing::Message() << lines << heldOpen);
        const Folder folder(Lines(lines));
        const fs::path &locked = folder.file;
        fs::permissions(locked, fs::perms::owner_write,
                        heldOpen ? fs::perm_options::add : fs::perm_options::remove);
#ifdef _WIN32
        int held = -1;
        if (heldOpen)
            _wsopen_s(&held, folder.file.c_str(), _O_RDONLY, _SH_DENYRW, _S_IREAD);
#endif
        EXPECT_FALSE(SaveResult(folder.path, Ivanov, Now));
#ifdef _WIN32
        if (held >= 0)
            _close(held);
#endif
        fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, Lines(lines));
        EXPECT_EQ(folder.Files(), 1);
    }
}

// Copies take turns: a lock held elsewhere, even in this process, is waited for and then given up on; it
// ends with its holder, and with a holder's process killed in the middle of a save.
TEST(ResultFile, OneCopyHoldsTheLockAtATime)
{
    using namespace std::chrono_literals;
    const Folder folder;
    {
        const FileLock held(folder.file, 0ms);
        ASSERT_TRUE(held.Held());
        EXPECT_TRUE(held.Created());
        EXPECT_FALSE(FileLock(folder.file, 50ms).Held());
    }
    EXPECT_TRUE(FileLock(folder.file, 0ms).Held());
#ifndef _WIN32
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const FileLock held(folder.file, 0ms);
        const char taken = held.Held() ? 'y' : 'n';
        if (write(pipeEnds[1], &taken, 1) == 1)
            pause();
        _exit(0);
    }
    char taken = 0;
    ASSERT_EQ(read(pipeEnds[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    EXPECT_FALSE(FileLock(folder.file, 0ms).Held());
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    EXPECT_TRUE(FileLock(folder.file, 0ms).Held());
#endif
}

// The file lies in the program's folder however that folder's path ends, a drive's root included, and
// whichever separators it mixes.
TEST(ResultFile, FolderAndNameJoinWithOneSeparator)
{
#ifdef _WIN32
    EXPECT_EQ(ResultFilePath(L"C:\\").native(), L"C:\\Result.res");
    EXPECT_EQ(ResultFilePath(L"C:/Учебный класс\\Зорванта/").native(),
              L"C:/Учебный класс\\Зорванта/Result.res");
    EXPECT_EQ(ResultFilePath(L"C:/Учебный класс\\Зорванта").native(),
              L"C:/Учебный класс\\Зорванта\\Result.res");
#endif
    EXPECT_EQ(ResultFilePath("/").native(), fs::path("/Result.res").native());
}
} // namespace
