#include "testbase/Conversions.h"
#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"
#include "testbase/Loader.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
using Lines = std::vector<std::string>;

TEST(Conversions, FlagsAndTruthValues)
{
    const struct
    {
        std::string_view text;
        std::optional<int> flag;
        std::optional<bool> truth;
    } cases[] = {
        {" 3", 3, true},   {"5", 5, true},      {"", {}, {}},         {"-1", {}, true},      {"300", {}, true},
        {"2.5", 2, true},  {"3.5", 4, true},    {"-0.5", 0, true},    {"2,5", 2, true},      {"255", 255, true},
        {"255.5", {}, true}, {"1e400", {}, {}}, {"nan", {}, {}},      {"3a", {}, {}},        {"yes", {}, {}},
        {"1", 1, true},    {"0", 0, false},     {" 0,0 ", 0, false},  {"True", {}, true},    {"false", {}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(ParseFlag(c.text), c.flag);
        EXPECT_EQ(ParseTruth(c.text), c.truth);
    }
}

// Lines 5 to 11 are question 1 (flag at 10, HELP= at 11), 12 to 18 question 2, 19 to 24 the settings.
Lines TwoQuestions()
{
    return {"[ZorvantaBaseFile.2.0]", "  Title", "        00:05:00", "               00:00:30", "[QUESTION]=q1",
            "ANSWER1=a1", "ANSWER2=b1", "ANSWER3=c1", "ANSWER4=d1", "flag=2", "HELP=h1", "[QUESTION]=q2",
            "ANSWER1=a2", "ANSWER2=b2", "ANSWER3=c2", "ANSWER4=d2", "flag=4", "HELP=h2", "SHOW_TIME=True",
            "SHOW_QUESTIONTIME=True", "SHOW_QUESTIONTEST=True", "SHOW_FALSEANSWERS=True",
            "SHOW_TRUEANSWERS=True", "SHOW_num=True"};
}

Lines With(Lines lines, std::size_t lineNumber, const std::string &text)
{
    lines.at(lineNumber - 1) = text;
    return lines;
}

Lines Without(Lines lines, std::size_t lineNumber)
{
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(lineNumber - 1));
    return lines;
}

std::string Join(const Lines &lines)
{
    std::string bytes;
    for (const auto &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

struct Loaded
{
    LoadFailure failure;
    TestState state;
    BaseLimits limits;
};

Loaded Load(const Lines &lines)
{
    Loaded loaded{};
    loaded.failure = LoadBase(Join(lines), loaded.state, loaded.limits);
    return loaded;
}

TEST(LoadBase, ReadsASampleBase)
{
    const auto cp = [](std::u16string_view text) { return Utf16ToCp1251(text); };
    for (const char *file : {"good.bse", "good_cr.bse"}) {
        SCOPED_TRACE(file);
        Loaded loaded{};
        const auto bytes = ReadWholeFile(std::string(ZT_TEST_DATA) + "/bases/" + file).bytes;
        ASSERT_EQ(LoadBase(bytes, loaded.state, loaded.limits), LoadFailure::None);
        const TestState &s = loaded.state;
        EXPECT_EQ(s.QuestCount, 3);
        EXPECT_EQ(s.QuestLine, (std::vector<std::size_t>{0, 6, 13, 20}));
        EXPECT_EQ(s.BaseLines.LineCount(), 32u);
        EXPECT_EQ(s.QuestText, (Lines{"", cp(u"Столица России?"), cp(u"Самая длинная река России?"),
                                      cp(u"Какое озеро самое глубокое?")}));
        EXPECT_EQ(s.Answer1, (Lines{"", cp(u"Москва"), cp(u"Волга"), cp(u"Байкал")}));
        EXPECT_EQ(s.Answer4, (Lines{"", "NONE", "none", " NONE"}));
        EXPECT_TRUE(IsNoneAnswer(s.Answer(4, 2)));
        EXPECT_FALSE(IsNoneAnswer(s.Answer(4, 3)));
        EXPECT_EQ(s.RightAnswer, (std::vector<std::int32_t>{0, 1, 3, 1}));
        // Question 2 has no hint of its own and takes question 3's.
        EXPECT_EQ(s.HelpText, (Lines{"", cp(u"Город на Москве-реке"), cp(u"Сибирь"), cp(u"Сибирь")}));
        EXPECT_EQ(s.GivenAnswer, (std::vector<std::int16_t>{0, 0, 0, 0}));
        EXPECT_EQ(loaded.limits.TestTime, "00:10:00");
        EXPECT_EQ(loaded.limits.QuestTime, "00:00:00");
        EXPECT_FALSE(s.NoTestLimit);
        EXPECT_TRUE(s.NoQuestionLimit);
        EXPECT_EQ((std::vector<bool>{s.ShowTime, s.ShowQuestionTime, s.ShowQuestionTest, s.ShowFalseAnswers,
                                     s.ShowTrueAnswers, s.ShowNum}),
                  (std::vector<bool>{true, false, true, false, true, false}));
    }
}

TEST(LoadBase, FailuresInTheirOrder)
{
    const struct
    {
        const char *name;
        Lines lines;
        LoadFailure failure;
    } cases[] = {
        {"no bytes", {}, LoadFailure::EmptyFile},
        {"one empty line", {""}, LoadFailure::NoQuestions},
        {"no question and no header", {"hello", "world"}, LoadFailure::NoQuestions},
        {"header in lower case", With(TwoQuestions(), 1, "[zorvantabasefile.2.0]"), LoadFailure::WrongHeader},
        {"header with a blank inside", With(TwoQuestions(), 1, "[Zorvanta BaseFile.2.0]"), LoadFailure::WrongHeader},
        {"header before the line count", {"x", "[QUESTION]=q"}, LoadFailure::WrongHeader},
        {"fewer than 4 lines", {"[ZorvantaBaseFile.2.0]", "[QUESTION]=q", "  "}, LoadFailure::FormatFailure},
        {"header anywhere in line 1", With(TwoQuestions(), 1, " x[ZorvantaBaseFile.2.0]y"), LoadFailure::None},
        {"flag out of range", With(TwoQuestions(), 17, "flag=300"), LoadFailure::FormatFailure},
        // Question 2's, so that a missing one is not found further on.
        {"flag missing", With(TwoQuestions(), 17, "flg=1"), LoadFailure::FormatFailure},
        {"setting not a truth value", With(TwoQuestions(), 24, "SHOW_num=yes"), LoadFailure::FormatFailure},
        {"setting missing", Without(TwoQuestions(), 24), LoadFailure::FormatFailure},
        {"setting before the last question is not seen",
         With(With(TwoQuestions(), 11, "SHOW_num=1"), 24, ""), LoadFailure::FormatFailure},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Load(c.lines).failure, c.failure);
    }
}

TEST(LoadBase, TimeLimitsComeFromFixedColumns)
{
    const struct
    {
        std::string line3, line4, testTime, questTime;
        bool noTestLimit, noQuestionLimit;
    } cases[] = {
        {"        00:00:00", "               00:00:00", "00:00:00", "00:00:00", true, true},
        {"Limit:  00:00:00 ignored", "Question limit:00:00:00 ignored", "00:00:00", "00:00:00", true, true},
        {"        0:00:00", "               0:00:00", "0:00:00", "0:00:00", false, false}, // a zero limit
        {"        01:30:00", "               00:01:00", "01:30:00", "00:01:00", false, false},
        {"short", "", "", "", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line3 + " / " + c.line4);
        const auto loaded = Load(With(With(TwoQuestions(), 3, c.line3), 4, c.line4));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(std::tie(loaded.limits.TestTime, loaded.limits.QuestTime), std::tie(c.testTime, c.questTime));
        EXPECT_EQ(loaded.state.NoTestLimit, c.noTestLimit);
        EXPECT_EQ(loaded.state.NoQuestionLimit, c.noQuestionLimit);
    }
}

TEST(LoadBase, QuestionLinesAndLookupsFollowTheFormat)
{
    {
        SCOPED_TRACE("a lower-case question line is no question; its keys serve earlier questions");
        const auto loaded = Load(With(Without(Without(TwoQuestions(), 11), 6), 10, "[question]=q2"));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 1);
        EXPECT_EQ(loaded.state.Answer1[1], "a2");
        EXPECT_EQ(loaded.state.HelpText[1], "h2");
    }
    {
        SCOPED_TRACE("blanks before a question line: counted, its text from the next question");
        const auto loaded = Load(With(TwoQuestions(), 5, " [QUESTION]=q1"));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 2);
        EXPECT_EQ(loaded.state.QuestText[1], "q2");
        EXPECT_EQ(loaded.state.Answer1[1], "a1");
    }
    {
        SCOPED_TRACE("a title containing the question mark counts as a question");
        const auto loaded = Load(With(TwoQuestions(), 2, "  About [QUESTION] marks"));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 3);
        EXPECT_EQ(loaded.state.QuestLine, (std::vector<std::size_t>{0, 2, 5, 12}));
        EXPECT_EQ(loaded.state.QuestText[1], "q1");
        EXPECT_EQ(loaded.state.RightAnswer[1], 2);
    }
    SCOPED_TRACE("missing hints: the next question's, the last one empty");
    EXPECT_EQ(Load(Without(TwoQuestions(), 11)).state.HelpText, (Lines{"", "h2", "h2"}));
    EXPECT_EQ(Load(Without(Without(TwoQuestions(), 18), 11)).state.HelpText, (Lines{"", "", ""}));
}

TEST(LoadBase, ReloadKeepsTheRunAndAFailedConversionWritesNothing)
{
    Loaded loaded{};
    TestState &s = loaded.state;
    const auto runFields = [&] {
        return std::tie(s.CurQuestion, s.TrueCount, s.TestTitle, s.BaseFile, s.UserName, s.Chosen2, s.SpentTime);
    };
    const auto run = std::make_tuple(7, 3, std::string("title"), std::string("file"), std::string("name"), true,
                                     std::string("00:01:02"));
    runFields() = run;
    s.GivenAnswer = {0, 2};
    ASSERT_EQ(LoadBase(Join(TwoQuestions()), s, loaded.limits), LoadFailure::None);
    EXPECT_EQ(s.GivenAnswer, (std::vector<std::int16_t>{0, 2, 0}));
    EXPECT_EQ(runFields(), run);

    // A refused base replaces the lines and the question count, nothing that a question is shown from.
    const Lines refused = With(With(TwoQuestions(), 5, "[QUESTION]=other"), 10, "flag=9999");
    EXPECT_EQ(LoadBase(Join(refused) + "[QUESTION]=3\r\n", s, loaded.limits), LoadFailure::FormatFailure);
    EXPECT_EQ(s.QuestCount, 3);
    EXPECT_EQ(s.BaseLines.Line(5), "[QUESTION]=other");
    EXPECT_EQ(s.QuestText, (Lines{"", "q1", "q2"}));
    EXPECT_EQ(s.GivenAnswer.size(), 3u);
    EXPECT_EQ(loaded.limits.TestTime, "00:05:00");
    EXPECT_EQ(runFields(), run);
}

TEST(LoadBase, YieldsWhileLoadingAHugeBase)
{
    Lines lines = TwoQuestions();
    lines.insert(lines.begin() + 11, 5000, "comment");
    int calls = 0;
    Loaded loaded{};
    EXPECT_EQ(LoadBase(Join(lines), loaded.state, loaded.limits, [&] { ++calls; }), LoadFailure::None);
    EXPECT_GE(calls, 3);
}
} // namespace
