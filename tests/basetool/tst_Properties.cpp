// Properties over random bases: check's verdicts are the program's own, and a converted text never has
// encoding or line-end problems.
#include "basetool/BaseCheck.h"
#include "basetool/Convert.h"
#include "basetool/Utf8Text.h"
#include "testbase/Conversions.h"
#include "testbase/Cp1251.h"
#include "testbase/KeyLookup.h"
#include "testbase/RandomBase.h"
#include "testbase/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {
// A base that loads and is listed, and the lines that break it or not: keys in other letter case, bad
// values, headers the two readers take differently, short lines.
const BaseText
    ModelText("[ZorvantaBaseFile.2.0]\r\n  T\r\n        00:00:00\r\n               00:00:30\r\n"
              "[QUESTION]=q1\r\nANSWER1=a\r\nANSWER2=b\r\nANSWER3=NONE\r\nANSWER4=d\r\nflag=2\r\nHELP=h\r\n"
              "[QUESTION]=q2\r\nANSWER1=a\r\nANSWER2=b\r\nANSWER3=c\r\nANSWER4=d\r\nflag=1\r\nHELP=h\r\n"
              "SHOW_TIME=True\r\nSHOW_QUESTIONTIME=0\r\nSHOW_QUESTIONTEST=1\r\n"
              "SHOW_FALSEANSWERS=False\r\nSHOW_TRUEANSWERS=1\r\nSHOW_num=True\r\n");
const std::vector<std::string_view> Model = [] {
    std::vector<std::string_view> lines;
    for (std::size_t n = 1; n <= ModelText.LineCount(); ++n)
        lines.push_back(ModelText.Line(n));
    return lines;
}();
const std::string_view Pieces[] = {"[ZorvantaBaseFile.2.0]",
                                   " [ZorvantaBaseFile.2.0]",
                                   "[QUESTION]=",
                                   " [QUESTION]=q",
                                   "[QUESTION] =q",
                                   "flag=3",
                                   "flag=",
                                   "flag= 2,5",
                                   "flag=300",
                                   "flag=x",
                                   "ANSWER1=",
                                   "ANSWER4=NONE",
                                   "ANSWR2=x",
                                   "HELP :h",
                                   "SHOW_num=",
                                   "SHOW_TIME=yes",
                                   "SHOW_QUESTIONTEST=0",
                                   "\xD4\xEB\xE0\xE3=1",
                                   "",
                                   "x",
                                   "\xEF\xF0\xE8"};

TEST(CheckProperty, VerdictsAreThoseOfTheProgramOnRandomBases)
{
    const TempFolder temp;
    const fs::path &folder = temp.path;
    RandomBase random;
    int loaded = 0;
    int listed = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string bytes = random.Make(Pieces, Model.size() - 3 + random.Pick(5), Model, 93);
        std::ofstream(folder / "base.bse", std::ios::binary) << bytes;
        const BaseReport report = CheckFile(folder / "base.bse");
        TestState state;
        BaseLimits limits;
        const LoadFailure failure = LoadBase(bytes, state, limits);
        const bool inList = ListTopics(folder).topics.size() == 1;
        ASSERT_EQ(report.load, failure) << testing::PrintToString(bytes);
        ASSERT_EQ(report.listed, inList) << testing::PrintToString(bytes);
        ASSERT_EQ(report.Status() >= 2, failure != LoadFailure::None || !inList);
        // What the loader found in one pass is what the plain lookup finds.
        for (int k = 1; failure == LoadFailure::None && k <= state.QuestCount; ++k) {
            const auto get = [&](std::string_view key) {
                return GetSet(state.BaseLines, key, state.QuestLine[k]);
            };
            ASSERT_EQ(state.QuestText[k], get("[QUESTION]=")) << testing::PrintToString(bytes);
            ASSERT_EQ(state.HelpText[k], get("HELP="));
            ASSERT_EQ(state.RightAnswer[k], ParseFlag(get("flag=")));
            for (int slot = 1; slot <= 4; ++slot)
                ASSERT_EQ(state.Answer(slot, k), get("ANSWER" + std::to_string(slot) + "="));
        }
        loaded += failure == LoadFailure::None;
        listed += inList;
    }
    // Both verdicts go both ways often enough to mean something.
    EXPECT_GT(loaded, 20);
    EXPECT_LT(loaded, 380);
    EXPECT_GT(listed, 20);
    EXPECT_LT(listed, 380);
}

// Random texts as teachers type them: Russian and Latin words, the punctuation of Russian text, blanks and
// tabs, any line ends, in UTF-8 with or without a mark, or in Windows-1251.
TEST(ConvertProperty, ConvertedTextHasNoEncodingOrLineEndProblems)
{
    const std::u16string_view words[] = {u"Столица", u"ёжик", u"Ёлка", u"«ответ»", u"—", u"№",  u"…",
                                         u"flag=1",  u"x",    u" ",    u"\t",      u"",  u"ЪЫЬ"};
    const std::u16string_view ends[] = {u"\r\n", u"\n", u"\r"};
    RandomBase random;
    for (int round = 0; round < 500; ++round) {
        std::u16string text;
        for (std::size_t line = random.Pick(8); line > 0; --line) {
            for (std::size_t w = random.Pick(6); w > 0; --w)
                text += words[random.Pick(std::size(words))];
            text += line > 1 || random.Pick(2) == 0 ? ends[random.Pick(3)] : u"";
        }
        // Lines all ending in LF CR are read as such, which the findings test covers.
        if (text.find(u"\n\r") != std::u16string::npos)
            continue;
        // The same lines, each ending in CR LF.
        std::u16string expected;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' || text[i] == u'\n') {
                i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
                expected += u"\r\n";
            } else {
                expected += text[i];
            }
        }
        if (!expected.empty() && !expected.ends_with(u"\r\n"))
            expected += u"\r\n";
        const std::size_t form = random.Pick(3);
        const std::string bytes = form == 0   ? Utf16ToCp1251(text)
                                  : form == 1 ? EncodeUtf8(text)
                                              : std::string(Utf8Bom) + EncodeUtf8(text);
        const Converted converted = ConvertText(bytes);
        SCOPED_TRACE(testing::PrintToString(bytes));
        ASSERT_EQ(converted.error, "");
        EXPECT_EQ(Cp1251ToUtf16(converted.bytes), expected);
        for (const Finding &finding : CheckBytes(converted.bytes, ListingEntry::Read, {}).findings)
            EXPECT_TRUE(finding.aspect != Aspect::Encoding && finding.aspect != Aspect::LineEnds)
                << finding.text;
    }
}
} // namespace
