#include "results/ResultFile.h"
#include "testbase/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {
// A folder of its own, with Result.res in it holding the given bytes (none: no file); removed afterwards.
struct Folder
{
    explicit Folder(const std::optional<std::string> &bytes = {})
    {
        fs::create_directories(path);
        if (bytes)
            std::ofstream(file, std::ios::binary) << *bytes;
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    // Nothing is left beside the result file.
    bool Alone() const { return std::distance(fs::directory_iterator(path), fs::directory_iterator()) == 1; }

    const fs::path path =
        fs::temp_directory_path() / ("zt_results_" + std::to_string(std::random_device{}()));
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

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "name" + std::to_string(i) + "=   1  True= 1  False= 0\r\n";
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
        ASSERT_TRUE(SaveResult(folder.file, state));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, expected);
    }
}

TEST(ResultFile, AppendsUntilAHundredLinesThenStartsAfresh)
{
    const std::string line = ResultLine(Ivanov);
    const std::string last = "a=   1  True= 1  False= 0";
    const std::tuple<const char *, std::string, std::string> cases[] = {
        {"empty file", "", line},
        {"99 lines", Lines(99), Lines(99) + line},
        {"100 lines", Lines(100), line},
        {"150 lines", Lines(150), line},
        {"missing final line end", last, last + "\r\n" + line},
        {"bare CR at the end", last + "\r", last + "\r" + line}};
    for (const auto &[what, before, after] : cases) {
        SCOPED_TRACE(what);
        const Folder folder(before);
        ASSERT_TRUE(SaveResult(folder.file, Ivanov));
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, after);
        EXPECT_TRUE(folder.Alone());
    }
}

TEST(ResultFile, FailureAtAnyStepLosesNothing)
{
    const std::tuple<const char *, int, SaveStep> cases[] = {
        {"reading a short file", 5, SaveStep::Read},
        {"appending", 5, SaveStep::Append},
        {"reading a full file", 100, SaveStep::Read},
        {"writing the fresh file", 100, SaveStep::Replace},
        {"putting the fresh file in place", 100, SaveStep::Rename}};
    for (const auto &[what, lines, failing] : cases) {
        SCOPED_TRACE(what);
        const Folder folder(Lines(lines));
        std::vector<SaveStep> asked;
        EXPECT_FALSE(SaveResult(folder.file, Ivanov, [&](SaveStep step) {
            asked.push_back(step);
            return step == failing;
        }));
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.back(), failing);
        EXPECT_EQ(ReadWholeFile(folder.file).bytes, Lines(lines));
        EXPECT_TRUE(folder.Alone());
    }
}
} // namespace
