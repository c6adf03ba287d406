#include "testbase/Conversions.h"
#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"
#include "testbase/Loader.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
using Lines = std::vector<std::string>;

Lines Texts(const TextList &texts)
{
    Lines lines;
    for (std::size_t i = 0; i < texts.size(); ++i)
        lines.emplace_back(texts[i]);
    return lines;
}

TEST(Conversions, FlagsAndTruthValues)
{
    const std::tuple<std::string_view, std::optional<int>, std::optional<bool>> cases[] = {
        {" 3", 3, true},   {"5", 5, true},      {"", {}, {}},        {"-1", {}, true},
        {"300", {}, true}, {"2.5", 2, true},    {"3.5", 4, true},    {"-0.5", 0, true},
        {"2,5", 2, true},  {"255", 255, true},  {"255.5", {}, true}, {"1e400", {}, {}},
        {"nan", {}, {}},   {"3a", {}, {}},      {"yes", {}, {}},     {"1", 1, true},
        {"0", 0, false},   {" 0,0 ", 0, false}, {"True", {}, true},  {"false", {}, false}};
    for (const auto &[text, flag, truth] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(ParseFlag(text), flag);
        EXPECT_EQ(ParseTruth(text), truth);
    }
}

// Two questions and the six settings; tests edit it.
const std::string TwoQuestions =
    "[ZorvantaBaseFile.2.0]\r\n  Title\r\n        00:05:00\r\n               00:00:30\r\n"
    "[QUESTION]=q1\r\nANSWER1=a1\r\nANSWER2=b1\r\nANSWER3=c1\r\nANSWER4=d1\r\nflag=2\r\nHELP=h1\r\n"
    "[QUESTION]=q2\r\nANSWER1=a2\r\nANSWER2=b2\r\nANSWER3=c2\r\nANSWER4=d2\r\nflag=4\r\nHELP=h2\r\n"
    "SHOW_TIME=True\r\nSHOW_QUESTIONTIME=True\r\nSHOW_QUESTIONTEST=True\r\nSHOW_FALSEANSWERS=True\r\n"
    "SHOW_TRUEANSWERS=True\r\nSHOW_num=True\r\n";

// TwoQuestions with the first occurrence of each text replaced.
std::string Edited(std::initializer_list<std::pair<std::string_view, std::string_view>> edits)
{
    std::string bytes = TwoQuestions;
    for (const auto &[from, to] : edits)
        bytes.replace(bytes.find(from), from.size(), to); // throws, failing the test, when from is missing
    return bytes;
}

struct Loaded
{
    explicit Loaded(const std::string &bytes, const std::function<void()> &yield = {})
        : failure(LoadBase(bytes, state, limits, yield, &fault))
    {}
    TestState state;
    BaseLimits limits;
    LoadFault fault;
    LoadFailure failure;
};

TEST(LoadBase, ReadsASampleBase)
{
    const auto cp = [](std::u16string_view text) { return Utf16ToCp1251(text); };
    for (const char *file : {"good.bse", "good_cr.bse"}) {
        SCOPED_TRACE(file);
        const Loaded loaded(ReadWholeFile(std::string(ZT_TEST_DATA) + "/bases/" + file).bytes);
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        const TestState &s = loaded.state;
        EXPECT_EQ(Texts(s.QuestText), (Lines{"", cp(u"Столица России?"), cp(u"Самая длинная река России?"),
                                             cp(u"Какое озеро самое глубокое?")}));
        EXPECT_EQ(Texts(s.Answer4), (Lines{"", "NONE", "none", " NONE"}));
        EXPECT_TRUE(IsNoneAnswer(s.Answer(4, 2)) && !IsNoneAnswer(s.Answer(4, 3)));
        EXPECT_EQ(s.RightAnswer, (std::vector<std::int32_t>{0, 1, 3, 1}));
        // Question 2 has no hint of its own and takes question 3's.
        EXPECT_EQ(Texts(s.HelpText), (Lines{"", cp(u"Город на Москве-реке"), cp(u"Сибирь"), cp(u"Сибирь")}));
        EXPECT_EQ(
            std::tuple(loaded.limits.TestTime, loaded.limits.QuestTime, s.NoTestLimit, s.NoQuestionLimit),
            std::tuple("00:10:00", "00:00:00", false, true));
        EXPECT_EQ((std::vector<bool>{s.ShowTime, s.ShowQuestionTime, s.ShowQuestionTest, s.ShowFalseAnswers,
                                     s.ShowTrueAnswers, s.ShowNum}),
                  (std::vector<bool>{true, false, true, false, true, false}));
    }
}

// Each refusal for its own reason, not one that a later check would also give.
TEST(LoadBase, FailuresInTheirOrder)
{
    using enum LoadFailure;
    using Cause = LoadFault::Cause;
    const std::tuple<const char *, std::string, LoadFailure, Cause> cases[] = {
        {"no bytes", "", EmptyFile, Cause::None},
        {"one empty line", "\r\n", NoQuestions, Cause::None},
        {"no question and no header", "hello\r\nworld\r\n", NoQuestions, Cause::None},
        {"lower-case header", Edited({{"ZorvantaBaseFile", "zorvantabasefile"}}), WrongHeader, Cause::None},
        {"header before the line count", "x\r\n[QUESTION]=q\r\n", WrongHeader, Cause::None},
        {"3 lines", "[ZorvantaBaseFile.2.0]\r\n[QUESTION]=q\r\n  \r\n", FormatFailure, Cause::FewLines},
        {"header anywhere in line 1", " x" + Edited({{"2.0]", "2.0]y"}}), None, Cause::None},
        {"flag out of range", Edited({{"flag=4", "flag=300"}}), FormatFailure, Cause::Flag},
        // Question 2's, so that a missing one is not found further on.
        {"flag missing", Edited({{"flag=4", "flg=4"}}), FormatFailure, Cause::Flag},
        {"setting not a truth value", Edited({{"num=True", "num=yes"}}), FormatFailure, Cause::Setting},
        {"setting missing", Edited({{"SHOW_num=True\r\n", ""}}), FormatFailure, Cause::Setting},
        {"only the first of a setting's lines counts", TwoQuestions + "SHOW_num=yes\r\n", None, Cause::None},
        {"setting before the last question is not seen",
         Edited({{"HELP=h1", "SHOW_num=1"}, {"SHOW_num=True", ""}}), FormatFailure, Cause::Setting}};
    for (const auto &[name, bytes, failure, cause] : cases) {
        const Loaded loaded(bytes);
        EXPECT_EQ(std::tuple(loaded.failure, loaded.fault.cause), std::tuple(failure, cause)) << name;
    }
}

TEST(LoadBase, TimeLimitsComeFromFixedColumns)
{
    using Limits = std::tuple<std::string, std::string, bool, bool>; // texts, then no-limit flags
    const std::tuple<std::string_view, std::string_view, Limits> cases[] = {
        {"Limit:  00:00:00 ignored", "Question limit:00:00:00 ignored", {"00:00:00", "00:00:00", true, true}},
        {"        0:00:00", "               0:00:00", {"0:00:00", "0:00:00", false, false}}, // zero limits
        {"short", "", {"", "", false, false}}};
    for (const auto &[line3, line4, limits] : cases) {
        SCOPED_TRACE(std::string(line3) + " / " + std::string(line4));
        const Loaded loaded(Edited({{"        00:05:00", line3}, {"               00:00:30", line4}}));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(Limits(loaded.limits.TestTime, loaded.limits.QuestTime, loaded.state.NoTestLimit,
                         loaded.state.NoQuestionLimit),
                  limits);
    }
}

// A lower-case question line is no question: its keys serve the questions before it. A question line with
// blanks before it counts, and takes its text from the next one; so does a title holding "[QUESTION]". A
// missing hint is the next question's, the last one's empty.
TEST(LoadBase, QuestionLinesAndLookupsFollowTheFormat)
{
    // Each question as "text answer1 hint".
    const std::tuple<const char *, std::string, Lines> cases[] = {
        {"lower-case question line",
         Edited({{"ANSWER1=a1\r\n", ""}, {"HELP=h1\r\n", ""}, {"[QUESTION]=q2", "[question]=q2"}}),
         {"q1 a2 h2"}},
        {"blank before", Edited({{"[QUESTION]=q1", " [QUESTION]=q1"}}), {"q2 a1 h1", "q2 a2 h2"}},
        {"in the title", Edited({{"Title", "About [QUESTION] marks"}}), {"q1 a1 h1", "q1 a1 h1", "q2 a2 h2"}},
        {"a missing hint", Edited({{"HELP=h1\r\n", ""}}), {"q1 a1 h2", "q2 a2 h2"}},
        {"the last hint missing", Edited({{"HELP=h1\r\n", ""}, {"HELP=h2\r\n", ""}}), {"q1 a1 ", "q2 a2 "}}};
    for (const auto &[name, bytes, questions] : cases) {
        SCOPED_TRACE(name);
        const Loaded loaded(bytes);
        const TestState &s = loaded.state;
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        Lines shown;
        for (int q = 1; q <= s.QuestCount; ++q)
            shown.push_back(std::string(s.QuestText.at(q)) + " " + std::string(s.Answer1.at(q)) + " " +
                            std::string(s.HelpText.at(q)));
        EXPECT_EQ(shown, questions);
    }
}

TEST(LoadBase, ReloadKeepsTheRunAndAFailedConversionWritesNothing)
{
    TestState s;
    BaseLimits limits;
    s.CurQuestion = 7;
    s.UserName = "name";
    s.GivenAnswer = {0, 2};
    ASSERT_EQ(LoadBase(TwoQuestions, s, limits), LoadFailure::None);
    EXPECT_EQ(s.GivenAnswer, (std::vector<std::int16_t>{0, 2, 0}));
    EXPECT_EQ(std::tie(s.CurQuestion, s.UserName), std::tuple(7, "name"));

    // A refused base replaces the lines and the question count, nothing that a question is shown from.
    const std::string refused = Edited({{"q1", "other"}, {"flag=2", "flag=9999"}}) + "[QUESTION]=3\r\n";
    EXPECT_EQ(LoadBase(refused, s, limits), LoadFailure::FormatFailure);
    EXPECT_EQ(std::tuple(s.QuestCount, Texts(s.QuestText), limits.TestTime),
              std::tuple(3, Lines{"", "q1", "q2"}, "00:05:00"));
    EXPECT_EQ(s.BaseLines.Line(5), "[QUESTION]=other");
    EXPECT_EQ(s.GivenAnswer.size(), 3u);
}

TEST(LoadBase, YieldsWhileLoadingAHugeBase)
{
    int calls = 0;
    // The pass over the lines hands over control every few thousand of them.
    const Loaded loaded(TwoQuestions + std::string(10000, '\r'), [&] { ++calls; });
    EXPECT_EQ(loaded.failure, LoadFailure::None);
    EXPECT_GE(calls, 2);
}
} // namespace
