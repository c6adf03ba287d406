#include "testbase/BaseText.h"
#include "testbase/Cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
std::vector<std::string> LinesOf(const BaseText &text)
{
    std::vector<std::string> lines;
    for (std::size_t n = 1; n <= text.LineCount(); ++n)
        lines.emplace_back(text.Line(n));
    return lines;
}

TEST(BaseText, SplitsLinesAtCrLfAndBareCr)
{
    using namespace std::string_literals;
    const struct
    {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}}, // a final line end adds no empty line
        {"a\r", {"a"}},
        {"\r\n", {""}},
        {"\r\r", {"", ""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\r", {"a", ""}},
        {"\n", {"\n"}}, // a bare LF is an ordinary character
        {"a\nb\r\nc", {"a\nb", "c"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a\n"}},
        {"a\n\r\n", {"a\n"}},
        {"a\r\n\n", {"a", "\n"}},
        {"a\r\n\nb\r", {"a", "\nb"}},
        {"x\0y\r\n"s, {"x\0y"s}},
        {"\xCF\xF0\xE8\r\xE2\xE5\xF2", {"\xCF\xF0\xE8", "\xE2\xE5\xF2"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        const BaseText text(c.bytes);
        EXPECT_EQ(LinesOf(text), c.lines);
        EXPECT_EQ(CountLines(c.bytes), c.lines.size());
        EXPECT_EQ(text.Line(0), "");
        EXPECT_EQ(text.Line(text.LineCount() + 1), "");
    }
}

TEST(BaseText, YieldsWhileSplittingAHugeText)
{
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += "line\r\n";
    int calls = 0;
    const BaseText text(bytes, [&] { ++calls; });
    EXPECT_EQ(text.LineCount(), 10000u);
    EXPECT_GE(calls, 2);
}

// Lines: 1 "[QUESTION]=q1", 2 "answer1=a1", 3 "ANSWER1=", 4 " ANSWER2=x", 5 "Answer2= b ", 6 "",
// 7 "ANSWER", 8 "\xEE\xF2\xE2\xE5\xF2=\xE4\xE0" (a Cyrillic key in lower case), 9 "flag=2".
const BaseText Sample(std::string("[QUESTION]=q1\r\nanswer1=a1\r\nANSWER1=\r\n ANSWER2=x\rAnswer2= b \r\n\r\n"
                                  "ANSWER\r\n\xEE\xF2\xE2\xE5\xF2=\xE4\xE0\r\nflag=2"));

TEST(GetSet, MatchesKeysAtTheStartOfALineInAnyCase)
{
    const struct
    {
        std::string_view key;
        std::size_t start;
        std::string value;
    } cases[] = {
        {"[QUESTION]=", 1, "q1"},
        {"[question]=", 0, "q1"}, // start 0 searches from line 1
        {"ANSWER1=", 1, "a1"},
        {"ANSWER1=", 3, ""},                      // found, with an empty value
        {"ANSWER2=", 1, " b "},                   // not the indented line; blanks are kept
        {"ANSWER", 1, "1=a1"},                    // any prefix is a key
        {"ANSWER=", 1, ""},                       // a line shorter than the key never matches
        {"\xCE\xD2\xC2\xC5\xD2=", 1, "\xE4\xE0"}, // Cyrillic upper-cased too
        {"FLAG=", 2, "2"},                        // the search runs to the end of the text
        {"flag=", 9, "2"},
        {"flag=", 10, ""}, // beyond the last line
        {"HELP=", 1, ""},
        {"", 4, " ANSWER2=x"}, // an empty key matches the start line whole
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.key) + " from " + std::to_string(c.start));
        EXPECT_EQ(GetSet(Sample, c.key, c.start), c.value);
        const KeyIndex index(Sample, {c.key}, {c.start});
        EXPECT_EQ(index.Value(0, 0), c.value);
    }
}

// Random bases built from the lines that matter: keys in random letter case, keys that are prefixes of
// other keys, indented keys, empty lines, Cyrillic bytes and all three kinds of line end.
class RandomBase
{
public:
    explicit RandomBase(unsigned seed) : m_random(seed) {}

    std::string Text()
    {
        static const std::string_view pieces[] = {
            "[QUESTION]=", "ANSWER1=", "ANSWER1=x", "ANSWER2=",
            "flag=",       "HELP=",    "SHOW_num=", "\xC2\xCE\xCF\xD0\xCE\xD1=",
            " ANSWER1=",   "",         "\xB8\xA8",  "[QUESTION]",
            "x",
        };
        std::string text;
        const int lines = Pick(60);
        for (int i = 0; i < lines; ++i) {
            text += RandomCase(pieces[Pick(std::size(pieces))]);
            if (Pick(2) == 0)
                text += "v" + std::to_string(i);
            static const char *const ends[] = {"\r\n", "\r", "\n"};
            if (i + 1 < lines || Pick(2) == 0)
                text += ends[Pick(3)];
        }
        return text;
    }

    std::vector<std::string_view> Keys()
    {
        static const std::string_view keys[] = {
            "[QUESTION]=", "ANSWER1=", "answer1=X", "Answer2=",
            "FLAG=",       "help=",    "SHOW_NUM=", "\xE2\xEE\xEF\xF0\xEE\xF1=",
            "MISSING=",    "\xB8",     "A"};
        std::vector<std::string_view> chosen;
        for (const auto key : keys) {
            if (Pick(2) == 0)
                chosen.push_back(key);
        }
        return chosen;
    }

    std::vector<std::size_t> Starts(std::size_t lineCount)
    {
        std::vector<std::size_t> starts;
        const int count = Pick(12);
        for (int i = 0; i < count; ++i)
            starts.push_back(static_cast<std::size_t>(Pick(static_cast<int>(lineCount) + 3)));
        std::sort(starts.begin(), starts.end());
        return starts;
    }

private:
    int Pick(std::size_t n)
    {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random));
    }

    std::string RandomCase(std::string_view text)
    {
        std::string mixed(text);
        for (char &c : mixed) {
            const auto b = static_cast<unsigned char>(c);
            if (Pick(2) == 0 && ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)))
                c = static_cast<char>(b + 0x20);
            else if (Pick(2) == 0 && b == 0xA8)
                c = '\xB8';
        }
        return mixed;
    }

    std::mt19937 m_random;
};

TEST(KeyIndex, AnswersExactlyAsGetSetOnRandomBases)
{
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        RandomBase random(seed);
        const BaseText text(random.Text());
        const auto keys = random.Keys();
        const auto starts = random.Starts(text.LineCount());
        const KeyIndex index(text, keys, starts);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            for (std::size_t j = 0; j < keys.size(); ++j) {
                ASSERT_EQ(index.Value(i, j), GetSet(text, keys[j], starts[i]))
                    << "seed " << seed << ", key " << keys[j] << ", start " << starts[i];
            }
        }
    }
}
} // namespace
