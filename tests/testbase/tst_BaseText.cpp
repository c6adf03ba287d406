#include "testbase/BaseText.h"
#include "testbase/KeyLookup.h"
#include "testbase/RandomBase.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using namespace std::string_literals;

// Lines as split, each followed by "|". A final line end adds no empty line; a bare LF is an ordinary
// character.
TEST(BaseText, SplitsLinesAtCrLfAndBareCr)
{
    const std::pair<std::string, std::string> cases[] = {{"", ""},
                                                         {"a\r\n", "a|"},
                                                         {"a\r", "a|"},
                                                         {"\r\r", "||"},
                                                         {"a\r\n\r", "a||"},
                                                         {"a\nb\r\nc", "a\nb|c|"},
                                                         {"a\r\r\nb", "a||b|"},
                                                         {"a\n\r", "a\n|"},
                                                         {"a\r\n\nb\r", "a|\nb|"},
                                                         {"x\0y\r\n"s, "x\0y|"s},
                                                         {"\xCF\r\xE2\xFF", "\xCF|\xE2\xFF|"}};
    for (const auto &[bytes, lines] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        const BaseText text(bytes);
        std::string split;
        for (std::size_t n = 1; n <= text.LineCount(); ++n)
            split += std::string(text.Line(n)) + "|";
        EXPECT_EQ(split, lines);
        EXPECT_EQ(CountLines(bytes), text.LineCount());
        // Fed a byte at a time, a line end split between two pieces is still one.
        LineSplitter pieces;
        for (const char c : bytes)
            pieces.Feed(std::string_view(&c, 1), [](std::string_view, bool) {});
        EXPECT_EQ(pieces.Lines(), text.LineCount());
        EXPECT_EQ(pieces.InLine(), !bytes.empty() && bytes.back() != '\r' && !bytes.ends_with("\r\n"));
        EXPECT_TRUE(text.Line(0).empty() && text.Line(text.LineCount() + 1).empty());
    }
    // The CRs, counted sixteen bytes at a time and summed every 255 blocks, when a lane of CRs alone is full,
    // and the rest one by one.
    std::string many(5001, '\r');
    many[100] = 'x';
    EXPECT_EQ(CountCr(many), 5000U);
}

// GetSet is the definition; the loader's tests pin what it finds. Random bases of the lines that matter:
// keys in random letter case, keys that are prefixes of other keys, indented keys, empty lines, Cyrillic
// letters (Ў and ў are not one bit apart, and a Ј after one is neither) and all three kinds of line end.
TEST(KeyIndex, AnswersExactlyAsGetSetOnRandomBases)
{
    const std::string_view pieces[] = {
        "[QUESTION]=",   "ANSWER1=",  "ANSWER1=x", "ANSWER2=",   "flag=", "HELP=",
        "SHOW_num=",     " ANSWER1=", "\xB8\xA8",  "[QUESTION]", "",      "x",
        "\xC2\xCE\xCF=", "\xA2\xA1=", "\xA2\xA3="};
    const std::string_view keys[] = {
        "[QUESTION]=", "ANSWER1=",      "answer1=X", "Answer2=", "FLAG=", "help=",
        "SHOW_NUM=",   "\xE2\xEE\xEF=", "MISSING=",  "\xB8",     "A",     "\xA1\xA2="};
    RandomBase random;
    const auto pick = [&](std::size_t n) { return random.Pick(n); };
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = random.Make(pieces, pick(60));
        const BaseText text(bytes);
        std::vector<std::string_view> chosen;
        for (const auto key : keys) {
            if (pick(2) == 0)
                chosen.push_back(key);
        }
        std::vector<std::size_t> starts(pick(12));
        for (auto &start : starts)
            start = pick(text.LineCount() + 3);
        std::sort(starts.begin(), starts.end());
        KeyIndex index(text, chosen, starts.empty() ? 0 : starts.front());
        for (const std::size_t start : starts) {
            index.MoveTo(start);
            for (std::size_t j = 0; j < chosen.size(); ++j)
                ASSERT_EQ(index.Value(j), GetSet(text, chosen[j], start))
                    << "round " << round << ", key " << chosen[j] << ", start " << start;
        }
    }
}
} // namespace
