#include "results/ResultFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
std::string ReadBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Expected(const char *name)
{
    return ReadBytes(fs::path(ZT_TEST_DATA) / "results" / name);
}

// A folder of its own for each test, removed afterwards.
struct ScratchDir
{
    ScratchDir()
    {
        const auto *test = testing::UnitTest::GetInstance()->current_test_info();
        path = fs::temp_directory_path() /
               (std::string("zt_") + test->name() + "_" + std::to_string(std::random_device{}()));
        fs::create_directories(path);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    fs::path path;
};

TestState Finished(std::string name, std::vector<std::int16_t> given, int trueCount)
{
    TestState state;
    state.UserName = std::move(name);
    state.QuestCount = static_cast<int>(given.size());
    state.GivenAnswer = {0};
    state.GivenAnswer.insert(state.GivenAnswer.end(), given.begin(), given.end());
    state.TrueCount = trueCount;
    return state;
}

// Three questions, the third not reached when the time ran out.
TestState Ivanov()
{
    return Finished("\xC8\xE2\xE0\xED\xEE\xE2", {2, 4, 0}, 1); // Иванов
}

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "name" + std::to_string(i) + "=   1  True= 1  False= 0\r\n";
    }
    return text;
}
} // namespace

TEST(ResultFile, LinesAreByteExact)
{
    struct Case
    {
        const char *file;
        TestState state;
    };
    const Case cases[] = {
        {"ivanov.res", Ivanov()},
        {"empty_name.res", Finished("", {3}, 0)},
        {"ten_questions.res", // Пётр Ёлкин
         Finished("\xCF\xB8\xF2\xF0 \xA8\xEB\xEA\xE8\xED", {1, 2, 3, 4, 1, 0, 2, 2, 0, 0}, 3)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const std::string expected = Expected(c.file);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ResultLine(c.state), expected);

        ScratchDir dir;
        const fs::path file = dir.path / "Result.res";
        ASSERT_TRUE(SaveResult(file, c.state));
        EXPECT_EQ(ReadBytes(file), expected);
    }
}

TEST(ResultFile, AppendsUntilAHundredLinesThenStartsAfresh)
{
    const std::string line = ResultLine(Ivanov());
    struct Case
    {
        const char *what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"empty file", "", line},
        {"one line", Lines(1), Lines(1) + line},
        {"99 lines", Lines(99), Lines(99) + line},
        {"100 lines", Lines(100), line},
        {"150 lines", Lines(150), line},
        {"missing final line end", "a=   1  True= 1  False= 0", "a=   1  True= 1  False= 0\r\n" + line},
        {"bare CR at the end", "a=   1  True= 1  False= 0\r", "a=   1  True= 1  False= 0\r" + line},
        {"99 lines, the last without its end", Lines(99).substr(0, Lines(99).size() - 2), Lines(99) + line},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        const fs::path file = dir.path / "Result.res";
        WriteBytes(file, c.before);
        ASSERT_TRUE(SaveResult(file, Ivanov()));
        EXPECT_EQ(ReadBytes(file), c.after);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    }
}

TEST(ResultFile, FolderThatCannotBeWrittenFails)
{
    ScratchDir dir;
    EXPECT_FALSE(SaveResult(dir.path / "no such folder" / "Result.res", Ivanov()));
    EXPECT_FALSE(fs::exists(dir.path / "no such folder"));
    fs::create_directory(dir.path / "Result.res");
    EXPECT_FALSE(SaveResult(dir.path / "Result.res", Ivanov()));

#ifndef _WIN32
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
#endif
    const fs::path readOnly = dir.path / "read-only";
    fs::create_directory(readOnly);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveResult(readOnly / "Result.res", Ivanov()));
    EXPECT_FALSE(fs::exists(readOnly / "Result.res"));
}

TEST(ResultFile, FailureAtAnyStepLosesNothing)
{
    struct Case
    {
        const char *what;
        int lines;
        SaveStep failing;
    };
    const Case cases[] = {
        {"reading a short file", 5, SaveStep::Read},
        {"appending", 5, SaveStep::Append},
        {"reading a full file", 100, SaveStep::Read},
        {"writing the fresh file", 100, SaveStep::Replace},
        {"putting the fresh file in place", 100, SaveStep::Rename},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        const fs::path file = dir.path / "Result.res";
        WriteBytes(file, Lines(c.lines));
        std::vector<SaveStep> asked;
        const bool saved = SaveResult(file, Ivanov(), [&](SaveStep step) {
            asked.push_back(step);
            return step == c.failing;
        });
        EXPECT_FALSE(saved);
        EXPECT_EQ(asked.back(), c.failing);
        EXPECT_EQ(ReadBytes(file), Lines(c.lines));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    }
}
