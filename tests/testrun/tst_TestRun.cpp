#include "testrun/TestRun.h"

#include "testbase/Conversions.h"
#include "testbase/Topics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {
using Answers = std::array<std::string, 4>;
using Given = std::vector<std::int16_t>;
const Answers Plain = {"a", "b", "c", "d"};

// A moment so many milliseconds after a test that started at startOfDay (10:00:00).
Now At(std::int64_t ms, int startOfDay = 36000)
{
    return {ms, static_cast<int>((startOfDay + ms / 1000) % 86400)};
}

// A test loaded by the question window from questions with these answers and flags, and these limits.
struct LoadedTest
{
    explicit LoadedTest(const std::vector<std::pair<Answers, int>> &questions,
                        const std::string &testTime = "00:00:00", const std::string &questTime = "00:00:00",
                        int startOfDay = 36000)
    {
        std::string base =
            "[ZorvantaBaseFile.2.0]\r\n  T\r\n        " + testTime + "\r\n               " + questTime;
        for (const auto &[a, flag] : questions)
            base += "\r\n[QUESTION]=Q\r\nANSWER1=" + a[0] + "\r\nANSWER2=" + a[1] + "\r\nANSWER3=" + a[2] +
                    "\r\nANSWER4=" + a[3] + "\r\nflag=" + std::to_string(flag) + "\r\nHELP=H";
        base += "\r\nSHOW_TIME=1\r\nSHOW_QUESTIONTIME=1\r\nSHOW_QUESTIONTEST=1\r\nSHOW_FALSEANSWERS=1\r\n"
                "SHOW_TRUEANSWERS=1\r\nSHOW_num=1\r\n";
        EXPECT_EQ(run.Form_Load(At(0, startOfDay), {base}), LoadFailure::None);
    }

    TestState state;
    TestRun run{state};
};

// n questions, b) right.
std::vector<std::pair<Answers, int>> Numbered(int n)
{
    return std::vector(static_cast<std::size_t>(n), std::pair(Plain, 2));
}

TEST(Submission, ScoresAndRecordsOnEveryPath)
{
    // The answer chosen on question 1 is carried over to question 2 and submitted there too.
    const std::tuple<const char *, int, int, Answers, int, int> cases[] = {
        // question 1's flag, the choice, question 2's answers and flag, right answers at the end
        {"right, then wrong", 2, 2, Plain, 1, 1},
        {"wrong, then right", 2, 3, Plain, 3, 1},
        {"right d) twice", 4, 4, Plain, 4, 2},
        {"flag 0 is never right", 0, 1, Plain, 0, 0},
        {"flag 5 is never right", 5, 4, Plain, 5, 0},
        {"a choice on a NONE slot stays and scores", 3, 3, {"one", " NONE", "none", "NONE."}, 3, 2}};
    for (const auto &[what, flag1, chosen, answers2, flag2, right] : cases) {
        SCOPED_TRACE(what);
        LoadedTest t({{Plain, flag1}, {answers2, flag2}});
        t.run.Opt_Click(chosen);
        ASSERT_EQ(t.run.cmdNext_Click(At(1000)), Outcome::NextQuestion);
        // The counters and the number of the question now on screen, and its clock's new start.
        const int first = flag1 == chosen ? 1 : 0;
        const QuestionView &view = t.run.View();
        EXPECT_EQ(std::tie(view.Label5, view.lblTrue, view.lblFalse, t.run.Clock().QuestStart),
                  std::tuple("2", std::to_string(first), std::to_string(1 - first), "10:00:01"));
        for (int k = 1; k <= 4; ++k) {
            const bool none = IsNoneAnswer(answers2[k - 1]);
            EXPECT_EQ(t.run.View().enabled[k], !none) << k;
            EXPECT_EQ(t.run.View().answer[k], none ? "" : answers2[k - 1]) << k;
            EXPECT_EQ(t.run.View().picture[k] == Marker::Selected, k == chosen) << k;
            EXPECT_EQ(t.state.Chosen(k), k == chosen) << k;
        }
        ASSERT_EQ(t.run.cmdNext_Click(At(2000)), Outcome::TestEnded);
        const auto given = static_cast<std::int16_t>(chosen);
        EXPECT_EQ(std::tie(t.state.GivenAnswer, t.state.TrueCount),
                  std::tuple(Given{0, given, given}, right));
    }
}

// Nothing follows, not even limits that have run out since.
TEST(Submission, SingleQuestionEndsTheTestAndNothingFollows)
{
    LoadedTest t(Numbered(1), "00:00:01", "00:00:01");
    t.run.Timer1_Timer(At(4200));
    t.run.Opt_Click(2);
    ASSERT_EQ(t.run.cmdNext_Click(At(4250)), Outcome::TestEnded);
    const auto record = [&] {
        return std::tuple(t.state.TrueCount, t.state.GivenAnswer, t.state.SpentTime, t.state.Chosen2,
                          t.run.Clock().Label6, t.run.Clock().QuestStart);
    };
    const auto ended = record();
    EXPECT_EQ(ended, std::tuple(1, Given{0, 2}, "0:00:04", true, "0:00:04", "10:00:04"));
    EXPECT_EQ(t.run.cmdNext_Click(At(5000)), Outcome::Nothing);
    EXPECT_EQ(t.run.Timer2_Timer(), Outcome::Nothing);
    EXPECT_EQ(t.run.Timer3_Timer(At(5000)), Outcome::Nothing);
    t.run.Timer1_Timer(At(9000));
    t.run.Opt_Click(3);
    EXPECT_EQ(record(), ended);
}

// Three questions, b) right, ticked every 100 ms for two hours with the choices 2, 3, 1 clicked on them. A
// question's whole seconds count from its own start, so the first 300 ms tick to see ten seconds ends it.
// A limit that is never enforced stays on display as written.
TEST(Limits, EndTheTestOrTheQuestionInTime)
{
    const struct
    {
        const char *what;
        std::string testTime, questTime;
        std::optional<std::int64_t> end;
        std::string spent;
        Given given;
        int startOfDay = 36000;
        std::int64_t press = -1;                 // when cmdNext is pressed
        std::int64_t stallFrom = 0, stallTo = 0; // no ticks in between
    } cases[] = {
        {"1-minute test limit", "00:01:00", "00:00:00", 60000, "0:01:00", {0, 0, 0, 0}},
        {"10-second question limit", "00:00:00", "00:00:10", 30600, "0:00:30", {0, 2, 3, 1}},
        {"zero question limit", "00:00:00", "0:00:00", 600, "0:00:00", {0, 2, 3, 1}},
        {"zero test limit", "0:00:00", "00:00:00", 0, "0:00:00", {0, 0, 0, 0}},
        {"no limits", "00:00:00", "00:00:00", {}, "", {0, 0, 0, 0}},
        {"unreadable", "ab:cd:ef", "24:00:00", {}, "", {0, 0, 0, 0}},
        {"unreadable too", "", "1", {}, "", {0, 0, 0, 0}},
        {"across midnight", "00:00:30", "00:00:00", 30000, "0:00:30", {0, 0, 0, 0}, 86400 - 10},
        // Submitted once, and the next question gets its own full ten seconds.
        {"press at the time-out", "00:00:00", "00:00:10", 30600, "0:00:30", {0, 2, 3, 1}, 36000, 10200},
        {"stalled window", "00:01:00", "00:00:00", 63000, "0:01:03", {0, 0, 0, 0}, 36000, -1, 59000, 63000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LoadedTest t(Numbered(3), c.testTime, c.questTime, c.startOfDay);
        const int choices[] = {2, 3, 1};
        std::optional<std::int64_t> end;
        for (std::int64_t ms = 0; ms <= 2LL * 3600 * 1000 && !end; ms += 100) {
            if (ms > c.stallFrom && ms < c.stallTo)
                continue;
            const Now now = At(ms, c.startOfDay);
            t.run.Opt_Click(choices[t.state.CurQuestion - 1]);
            t.run.Timer1_Timer(now);
            if (ms == c.press) {
                EXPECT_EQ(t.run.cmdNext_Click(now), Outcome::NextQuestion);
            }
            if (ms % 300 == 0 &&
                (t.run.Timer2_Timer() == Outcome::TestEnded || t.run.Timer3_Timer(now) == Outcome::TestEnded))
                end = ms;
        }
        EXPECT_EQ(std::tie(end, t.state.SpentTime, t.state.GivenAnswer), std::tie(c.end, c.spent, c.given));
        if (!c.end) {
            EXPECT_EQ(std::tie(t.run.Clock().Label10, t.run.Clock().Label11),
                      std::tie(c.testTime, c.questTime));
        }
        if (c.stallTo != 0) { // past the limit, the remaining time shows by how much
            EXPECT_EQ(t.run.Clock().Label10, "0:00:03");
        }
    }
}

// The bases shipped beside the program are listed and load, and every question can be answered right.
// Their bytes are as the program needs them: a checkout that converted their line ends fails here.
TEST(Loading, SampleBasesAreListedAndLoad)
{
    const TopicList list = ListTopics(fs::path(ZT_TEST_DATA) / ".." / ".." / "Tests");
    ASSERT_EQ(list.error, FileError::None);
    ASSERT_GE(list.topics.size(), 3u);
    for (const Topic &topic : list.topics) {
        SCOPED_TRACE(topic.file.filename().string());
        const FileBytes base = ReadWholeFile(topic.file);
        EXPECT_EQ(CountLines(base.bytes),
                  static_cast<std::size_t>(std::count(base.bytes.begin(), base.bytes.end(), '\n')));
        TestState s;
        ASSERT_EQ(TestRun(s).Form_Load(At(0), base), LoadFailure::None);
        EXPECT_TRUE(s.QuestCount >= 10 && s.QuestCount <= 25);
        for (int q = 1; q <= s.QuestCount; ++q) {
            const int right = s.RightAnswer[q];
            EXPECT_TRUE(right >= 1 && right <= 4 && !IsNoneAnswer(s.Answer(right, q)) &&
                        !s.HelpText[q].empty())
                << q;
        }
    }
}
} // namespace
