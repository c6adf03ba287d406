#include "testbase/Conversions.h"
#include "testbase/Cp1251.h"
#include "testbase/FileIo.h"
#include "testbase/Loader.h"

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;

std::string Join(const Lines &lines)
{
    std::string bytes;
    for (const auto &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Two questions and the six settings; tests change single lines of it.
Lines TwoQuestions()
{
    return {"[ZorvantaBaseFile.2.0]",
            "  Title",
            "        00:05:00",
            "               00:00:30",
            "[QUESTION]=q1",
            "ANSWER1=a1",
            "ANSWER2=b1",
            "ANSWER3=c1",
            "ANSWER4=d1",
            "flag=2",
            "HELP=h1",
            "[QUESTION]=q2",
            "ANSWER1=a2",
            "ANSWER2=b2",
            "ANSWER3=c2",
            "ANSWER4=d2",
            "flag=4",
            "HELP=h2",
            "SHOW_TIME=True",
            "SHOW_QUESTIONTIME=True",
            "SHOW_QUESTIONTEST=True",
            "SHOW_FALSEANSWERS=True",
            "SHOW_TRUEANSWERS=True",
            "SHOW_num=True"};
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

struct Loaded
{
    LoadFailure failure;
    TestState state;
    BaseLimits limits;
};

Loaded Load(const std::string &bytes)
{
    Loaded loaded{};
    loaded.failure = LoadBase(bytes, loaded.state, loaded.limits);
    return loaded;
}

std::string Cp(std::u16string_view text)
{
    return Utf16ToCp1251(text);
}

TEST(LoadBase, ReadsASampleBase)
{
    for (const char *file : {"good.bse", "good_cr.bse"}) {
        SCOPED_TRACE(file);
        const auto loaded = Load(ReadWholeFile(std::string(ZT_TEST_DATA) + "/bases/" + file).bytes);
        const TestState &s = loaded.state;
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(s.QuestCount, 3);
        EXPECT_EQ(s.QuestLine, (std::vector<std::size_t>{0, 6, 13, 20}));
        EXPECT_EQ(s.BaseLines.LineCount(), 32u);
        EXPECT_EQ(s.QuestText, (Lines{"", Cp(u"Столица России?"), Cp(u"Самая длинная река России?"),
                                      Cp(u"Какое озеро самое глубокое?")}));
        EXPECT_EQ(s.Answer1, (Lines{"", Cp(u"Москва"), Cp(u"Волга"), Cp(u"Байкал")}));
        EXPECT_EQ(s.Answer4, (Lines{"", "NONE", "none", " NONE"}));
        EXPECT_TRUE(IsNoneAnswer(s.Answer(4, 2)));
        EXPECT_FALSE(IsNoneAnswer(s.Answer(4, 3)));
        EXPECT_EQ(s.RightAnswer, (std::vector<std::int32_t>{0, 1, 3, 1}));
        // Question 2 has no hint of its own and takes question 3's.
        EXPECT_EQ(s.HelpText, (Lines{"", Cp(u"Город на Москве-реке"), Cp(u"Сибирь"), Cp(u"Сибирь")}));
        EXPECT_EQ(s.GivenAnswer, (std::vector<std::int16_t>{0, 0, 0, 0}));
        EXPECT_EQ(loaded.limits.TestTime, "00:10:00");
        EXPECT_EQ(loaded.limits.QuestTime, "00:00:00");
        EXPECT_FALSE(s.NoTestLimit);
        EXPECT_TRUE(s.NoQuestionLimit);
        const bool shown[] = {s.ShowTime,         s.ShowQuestionTime, s.ShowQuestionTest,
                              s.ShowFalseAnswers, s.ShowTrueAnswers,  s.ShowNum};
        EXPECT_EQ(std::vector<bool>(std::begin(shown), std::end(shown)),
                  (std::vector<bool>{true, false, true, false, true, false}));
    }
}

TEST(LoadBase, ChecksRunInTheirOrder)
{
    const struct
    {
        const char *name;
        std::string bytes;
        LoadFailure failure;
    } cases[] = {
        {"no bytes", "", LoadFailure::EmptyFile},
        {"one empty line", "\r\n", LoadFailure::NoQuestions},
        {"no question and no header", "hello\r\nworld\r\n", LoadFailure::NoQuestions},
        {"header in other case", Join(With(TwoQuestions(), 1, "[zorvantabasefile.2.0]")),
         LoadFailure::WrongHeader},
        {"header check before the line count", "x\r\n[QUESTION]=q\r\n", LoadFailure::WrongHeader},
        {"fewer than 4 lines", "[ZorvantaBaseFile.2.0]\r\n[QUESTION]=q\r\n  \r\n",
         LoadFailure::FormatFailure},
        {"header anywhere in line 1", Join(With(TwoQuestions(), 1, " x[ZorvantaBaseFile.2.0]y")),
         LoadFailure::None},
        {"header with a blank inside", Join(With(TwoQuestions(), 1, "[Zorvanta BaseFile.2.0]")),
         LoadFailure::WrongHeader},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Load(c.bytes).failure, c.failure);
    }
}

TEST(LoadBase, FlagIsANumberFrom0To255)
{
    const struct
    {
        std::string line;
        std::optional<int> flag;
    } cases[] = {
        {"flag= 3", 3}, {"FLAG=5", 5},   {"Flag=2.5", 2},  {"flag=3.5", 4}, {"flag=0", 0},
        {"flag=", {}},  {"flag=-1", {}}, {"flag=300", {}}, {"flag=x", {}},  {"flg=1", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        // Question 2's flag, so that a missing one is not found anywhere else.
        const auto loaded = Load(Join(With(TwoQuestions(), 17, c.line)));
        if (c.flag) {
            ASSERT_EQ(loaded.failure, LoadFailure::None);
            EXPECT_EQ(loaded.state.RightAnswer[2], *c.flag);
        } else {
            EXPECT_EQ(loaded.failure, LoadFailure::FormatFailure);
        }
    }
}

TEST(LoadBase, SettingsAreTruthValuesAfterTheLastQuestion)
{
    const std::size_t showNum = 24;
    const struct
    {
        const char *name;
        Lines lines;
        std::optional<bool> showNum;
    } cases[] = {
        {"1", With(TwoQuestions(), showNum, "SHOW_num=1"), true},
        {"0", With(TwoQuestions(), showNum, "SHOW_num=0"), false},
        {"any case", With(TwoQuestions(), showNum, "show_NUM=fALSE"), false},
        {"yes", With(TwoQuestions(), showNum, "SHOW_num=yes"), {}},
        {"empty", With(TwoQuestions(), showNum, "SHOW_num="), {}},
        {"missing", Without(TwoQuestions(), showNum), {}},
        // Settings before the last question line are not seen.
        {"before the last question", With(With(TwoQuestions(), 11, "SHOW_num=1"), showNum, ""), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded = Load(Join(c.lines));
        if (c.showNum) {
            ASSERT_EQ(loaded.failure, LoadFailure::None);
            EXPECT_EQ(loaded.state.ShowNum, *c.showNum);
        } else {
            EXPECT_EQ(loaded.failure, LoadFailure::FormatFailure);
        }
    }
}

TEST(LoadBase, TimeLimitsComeFromFixedColumns)
{
    const struct
    {
        std::string line3;
        std::string line4;
        std::string testTime;
        std::string questTime;
        bool noTestLimit;
        bool noQuestionLimit;
    } cases[] = {
        {"        00:00:00", "               00:00:00", "00:00:00", "00:00:00", true, true},
        {"Limit:  00:00:00 ignored", "Question limit:00:00:00 ignored", "00:00:00", "00:00:00", true, true},
        {"        0:00:00", "               0:00:00", "0:00:00", "0:00:00", false, false},
        {"        01:30:00", "               00:01:00", "01:30:00", "00:01:00", false, false},
        {"short", "", "", "", false, false},
        {"        0", "               1", "0", "1", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line3 + " / " + c.line4);
        const auto loaded = Load(Join(With(With(TwoQuestions(), 3, c.line3), 4, c.line4)));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.limits.TestTime, c.testTime);
        EXPECT_EQ(loaded.limits.QuestTime, c.questTime);
        EXPECT_EQ(loaded.state.NoTestLimit, c.noTestLimit);
        EXPECT_EQ(loaded.state.NoQuestionLimit, c.noQuestionLimit);
    }
}

TEST(LoadBase, QuestionLinesAndLookupsFollowTheFormat)
{
    {
        SCOPED_TRACE("a lower-case question line is no question; its keys serve earlier questions");
        auto lines = Without(Without(TwoQuestions(), 11), 6); // question 1 lacks ANSWER1= and HELP=
        lines = With(lines, 10, "[question]=q2");
        const auto loaded = Load(Join(lines));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 1);
        EXPECT_EQ(loaded.state.Answer1[1], "a2");
        EXPECT_EQ(loaded.state.HelpText[1], "h2");
    }
    {
        SCOPED_TRACE("blanks before a question line: counted, its text from the next question");
        const auto loaded = Load(Join(With(TwoQuestions(), 5, " [QUESTION]=q1")));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 2);
        EXPECT_EQ(loaded.state.QuestText[1], "q2");
        EXPECT_EQ(loaded.state.Answer1[1], "a1");
    }
    {
        SCOPED_TRACE("a title containing the question mark counts as a question");
        const auto loaded = Load(Join(With(TwoQuestions(), 2, "  About [QUESTION] marks")));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.QuestCount, 3);
        EXPECT_EQ(loaded.state.QuestLine, (std::vector<std::size_t>{0, 2, 5, 12}));
        EXPECT_EQ(loaded.state.QuestText[1], "q1");
        EXPECT_EQ(loaded.state.RightAnswer[1], 2);
    }
    {
        SCOPED_TRACE("missing hints: the next question's, the last one empty");
        const auto loaded = Load(Join(Without(Without(TwoQuestions(), 18), 11)));
        ASSERT_EQ(loaded.failure, LoadFailure::None);
        EXPECT_EQ(loaded.state.HelpText, (Lines{"", "", ""}));
        const auto firstOnly = Load(Join(Without(TwoQuestions(), 11)));
        EXPECT_EQ(firstOnly.state.HelpText, (Lines{"", "h2", "h2"}));
    }
    {
        SCOPED_TRACE("values are not trimmed");
        const auto loaded = Load(Join(With(TwoQuestions(), 13, "answer1=  a2 ")));
        EXPECT_EQ(loaded.state.Answer1[2], "  a2 ");
    }
}

TEST(LoadBase, ReloadKeepsGivenAnswersAndTheRunFields)
{
    Loaded loaded{};
    TestState &s = loaded.state;
    s.CurQuestion = 7;
    s.TrueCount = 3;
    s.TestTitle = "title";
    s.BaseFile = "file";
    s.UserName = "name";
    s.Chosen2 = true;
    s.SpentTime = "00:01:02";
    s.GivenAnswer = {0, 2};
    ASSERT_EQ(LoadBase(Join(TwoQuestions()), s, loaded.limits), LoadFailure::None);
    EXPECT_EQ(s.GivenAnswer, (std::vector<std::int16_t>{0, 2, 0}));
    EXPECT_EQ(s.CurQuestion, 7);
    EXPECT_EQ(s.TrueCount, 3);
    EXPECT_EQ(s.TestTitle, "title");
    EXPECT_EQ(s.BaseFile, "file");
    EXPECT_EQ(s.UserName, "name");
    EXPECT_TRUE(s.Chosen2);
    EXPECT_EQ(s.SpentTime, "00:01:02");

    // A refused base replaces the lines and the question count, nothing that a question is shown from.
    const Lines refused = With(With(TwoQuestions(), 5, "[QUESTION]=other"), 10, "flag=9999");
    EXPECT_EQ(LoadBase(Join(refused) + "[QUESTION]=3\r\n", s, loaded.limits), LoadFailure::FormatFailure);
    EXPECT_EQ(s.QuestCount, 3);
    EXPECT_EQ(s.BaseLines.Line(5), "[QUESTION]=other");
    EXPECT_EQ(s.QuestText, (Lines{"", "q1", "q2"}));
    EXPECT_EQ(s.GivenAnswer.size(), 3u);
    EXPECT_EQ(loaded.limits.TestTime, "00:05:00");
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
