#include "testrun/TestRun.h"

#include "testbase/Conversions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {
struct Question
{
    std::array<std::string, 4> answers;
    int flag;
};

// A loaded test of the given questions, question 1 on screen and nothing chosen yet.
TestState Loaded(const std::vector<Question> &questions)
{
    TestState s;
    s.QuestCount = static_cast<int>(questions.size());
    s.CurQuestion = 1;
    const std::size_t size = questions.size() + 1;
    s.QuestText.resize(size);
    s.Answer1.resize(size);
    s.Answer2.resize(size);
    s.Answer3.resize(size);
    s.Answer4.resize(size);
    s.RightAnswer.resize(size);
    s.HelpText.resize(size);
    s.GivenAnswer.resize(size);
    for (std::size_t q = 1; q < size; ++q) {
        const Question &question = questions[q - 1];
        s.QuestText[q] = "Question " + std::to_string(q);
        s.HelpText[q] = "Hint " + std::to_string(q);
        s.Answer1[q] = question.answers[0];
        s.Answer2[q] = question.answers[1];
        s.Answer3[q] = question.answers[2];
        s.Answer4[q] = question.answers[3];
        s.RightAnswer[q] = question.flag;
    }
    return s;
}

const std::array<std::string, 4> plain = {"one", "two", "three", "four"};

// A moment so many milliseconds after a test that started at startOfDay.
Now At(std::int64_t ms, int startOfDay = 36000)
{
    return {ms, static_cast<int>((startOfDay + ms / 1000) % 86400)};
}

int SelectedMarkers(const QuestionView &view)
{
    int selected = 0;
    for (int k = 1; k <= 4; ++k) {
        selected += view.picture[k] == Marker::Selected;
    }
    return selected;
}

// A test loaded by the question window from a base of n questions "Question k" with answers "ak" to "dk",
// b) right, and question 1's d) unused.
struct LoadedRun
{
    LoadedRun(const std::string &testTime, const std::string &questTime, int questions,
              int startOfDay = 36000)
        : dir(fs::temp_directory_path() / ("zt_testrun_" + std::to_string(std::random_device{}()))),
          run(state), startOfDay(startOfDay)
    {
        std::string text = "[ZorvantaBaseFile.2.0]\r\n  Sample\r\n        " + testTime +
                           "\r\n               " + questTime + "\r\n";
        for (int q = 1; q <= questions; ++q) {
            const std::string n = std::to_string(q);
            text += "[QUESTION]=Question " + n + "\r\nANSWER1=a" + n + "\r\nANSWER2=b" + n + "\r\nANSWER3=c" +
                    n + "\r\nANSWER4=" + (q == 1 ? "none" : "d" + n) + "\r\nflag=2\r\nHELP=Hint " + n +
                    "\r\n";
        }
        text += "SHOW_TIME=True\r\nSHOW_QUESTIONTIME=0\r\nSHOW_QUESTIONTEST=1\r\nSHOW_FALSEANSWERS=False\r\n"
                "SHOW_TRUEANSWERS=true\r\nSHOW_num=False\r\n";
        fs::create_directories(dir);
        std::ofstream(dir / "test.bse", std::ios::binary) << text;
        state.BaseFile = (dir / "test.bse").string();
        failure = run.Form_Load(At(0, startOfDay));
    }
    ~LoadedRun() { fs::remove_all(dir); }

    // The window's three timers from one moment to another, 100 ms apart; stops when the test ends.
    std::optional<std::int64_t> Tick(std::int64_t from, std::int64_t to)
    {
        for (std::int64_t ms = from; ms <= to; ms += 100) {
            run.Timer1_Timer(At(ms, startOfDay));
            if (ms % 300 == 0 && (run.Timer2_Timer() == Outcome::TestEnded ||
                                  run.Timer3_Timer(At(ms, startOfDay)) == Outcome::TestEnded)) {
                return ms;
            }
        }
        return std::nullopt;
    }

    fs::path dir;
    TestState state;
    TestRun run;
    int startOfDay;
    LoadFailure failure = LoadFailure::None;
};
} // namespace

TEST(AnswerChoice, OneMarkerFollowsTheClicks)
{
    TestState state = Loaded({{plain, 1}});
    TestRun run(state);
    run.OptionsCls();
    run.Opt_Click(1);
    EXPECT_EQ(run.View().picture[1], Marker::Selected);
    EXPECT_EQ(SelectedMarkers(run.View()), 1);

    for (int k : {3, 3, 2, 4, 1, 1}) {
        SCOPED_TRACE(k);
        run.Opt_Click(k);
        EXPECT_EQ(run.View().picture[k], Marker::Selected);
        EXPECT_EQ(SelectedMarkers(run.View()), 1);
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(state.Chosen(slot), slot == k);
        }
    }
}

TEST(Submission, ScoresAndRecordsTheChosenAnswer)
{
    struct Case
    {
        const char *what;
        int flag;
        int chosen;
        int trueCount;
    };
    const Case cases[] = {
        {"right", 2, 2, 1},  {"wrong", 2, 3, 0},  {"right d)", 4, 4, 1},
        {"flag 0", 0, 1, 0}, {"flag 5", 5, 4, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestState state = Loaded({{plain, c.flag}, {plain, 1}});
        TestRun run(state);
        run.Opt_Click(c.chosen);
        EXPECT_EQ(run.cmdNext_Click(At(1000)), Outcome::NextQuestion);
        EXPECT_EQ(state.TrueCount, c.trueCount);
        EXPECT_EQ(state.GivenAnswer[1], c.chosen);
        EXPECT_EQ(state.GivenAnswer[2], 0);
        EXPECT_EQ(state.CurQuestion, 2);
        // The choice carries over to the next question.
        EXPECT_TRUE(state.Chosen(c.chosen));
        EXPECT_EQ(run.View().picture[c.chosen], Marker::Selected);
    }
}

TEST(Submission, NoneSlotKeepsTheChoiceThatLiesOnIt)
{
    TestState state = Loaded({{plain, 3}, {{"one", " NONE", "none", "NONE."}, 3}, {plain, 1}});
    TestRun run(state);
    run.Opt_Click(3);
    run.cmdNext_Click(At(1000));

    const QuestionView &view = run.View();
    EXPECT_EQ(view.Text1, "Question 2");
    EXPECT_EQ(view.help, "Hint 2");
    EXPECT_EQ(view.answer, (std::array<std::string, 5>{"", "one", " NONE", "", "NONE."}));
    EXPECT_EQ(view.enabled, (std::array<bool, 5>{false, true, true, false, true}));
    EXPECT_EQ(view.picture[3], Marker::Selected);

    // The choice left on the unused slot is submitted, and scores.
    run.cmdNext_Click(At(2000));
    EXPECT_EQ(state.GivenAnswer[2], 3);
    EXPECT_EQ(state.TrueCount, 2);
    EXPECT_TRUE(view.enabled[3]);
    EXPECT_EQ(view.answer[3], "three");
}

TEST(Submission, CountersAfterEachSubmission)
{
    const int chosen[] = {1, 2, 2, 4, 1};
    TestState state = Loaded({{plain, 1}, {plain, 1}, {plain, 2}, {plain, 4}, {plain, 3}, {plain, 1}});
    TestRun run(state);
    const int expectedTrue[] = {1, 1, 2, 3, 3};
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        run.Opt_Click(chosen[n - 1]);
        ASSERT_EQ(run.cmdNext_Click(At(n * 1000)), Outcome::NextQuestion);
        EXPECT_EQ(run.View().Label5, std::to_string(n + 1));
        EXPECT_EQ(run.View().lblTrue, std::to_string(expectedTrue[n - 1]));
        EXPECT_EQ(run.View().lblFalse, std::to_string(n - expectedTrue[n - 1]));
    }
    EXPECT_EQ(run.Clock().QuestStart, "10:00:05");
}

TEST(Submission, LastQuestionEndsTheTestOnce)
{
    TestState state = Loaded({{plain, 2}});
    TestRun run(state);
    run.Timer1_Timer(At(4200));
    run.Opt_Click(2);
    ASSERT_EQ(run.cmdNext_Click(At(4250)), Outcome::TestEnded);
    EXPECT_TRUE(run.Finished());
    EXPECT_EQ(state.SpentTime, "0:00:04");
    EXPECT_EQ(state.TrueCount, 1);
    EXPECT_EQ(state.GivenAnswer[1], 2);
    EXPECT_EQ(run.View().lblTrue, "0");
    EXPECT_EQ(run.View().lblFalse, "0");

    // After the end no handler changes anything: no second score, no second ending.
    const Clocks clocks = run.Clock();
    EXPECT_EQ(run.cmdNext_Click(At(5000)), Outcome::Nothing);
    EXPECT_EQ(run.Timer2_Timer(), Outcome::Nothing);
    EXPECT_EQ(run.Timer3_Timer(At(5000)), Outcome::Nothing);
    run.Timer1_Timer(At(9000));
    run.Opt_Click(3);
    EXPECT_EQ(state.TrueCount, 1);
    EXPECT_EQ(state.GivenAnswer[1], 2);
    EXPECT_EQ(state.SpentTime, "0:00:04");
    EXPECT_TRUE(state.Chosen2);
    EXPECT_EQ(run.Clock().Label6, clocks.Label6);
    EXPECT_EQ(run.Clock().QuestStart, clocks.QuestStart);
}

TEST(Loading, ShowsTheFirstQuestion)
{
    LoadedRun t("00:10:00", "00:00:00", 3);
    ASSERT_EQ(t.failure, LoadFailure::None);
    EXPECT_EQ(t.run.Clock().StartTime, "10:00:00");
    EXPECT_EQ(t.run.Clock().Label10, "00:10:00");
    EXPECT_EQ(t.run.Clock().Label11, "00:00:00");
    const QuestionView &view = t.run.View();
    EXPECT_EQ(view.Text1, "Question 1");
    EXPECT_EQ(view.help, "Hint 1");
    EXPECT_EQ(view.Label5, "1");
    EXPECT_EQ(view.answer, (std::array<std::string, 5>{"", "a1", "b1", "c1", ""}));
    EXPECT_EQ(view.enabled, (std::array<bool, 5>{false, true, true, true, false}));
    EXPECT_TRUE(t.state.Chosen1);
    EXPECT_EQ(view.picture[1], Marker::Selected);
    EXPECT_EQ(SelectedMarkers(view), 1);
    // The unused slot takes no click.
    t.run.Opt_Click(4);
    EXPECT_TRUE(t.state.Chosen1);
    const bool covers[] = {false, true, false, true, false, true};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(t.run.CoverVisible(k), covers[k - 1]) << "cover " << k;
    }
}

TEST(Loading, FailuresReachTheWindow)
{
    TestState state;
    state.BaseFile = (fs::temp_directory_path() / "zt no such base.bse").string();
    EXPECT_EQ(TestRun(state).Form_Load(At(0)), LoadFailure::FormatFailure);
    EXPECT_EQ(LoadedRun("00:10:00", "00:00:00", 0).failure, LoadFailure::NoQuestions);
}

TEST(Loading, SampleBasesLoad)
{
    int bases = 0;
    for (const auto &entry : fs::directory_iterator(fs::path(ZT_TEST_DATA) / ".." / ".." / "Tests")) {
        SCOPED_TRACE(entry.path().filename().string());
        TestState state;
        state.BaseFile = entry.path().string();
        ASSERT_EQ(TestRun(state).Form_Load(At(0)), LoadFailure::None);
        EXPECT_GE(state.QuestCount, 10);
        EXPECT_LE(state.QuestCount, 25);
        for (int q = 1; q <= state.QuestCount; ++q) {
            SCOPED_TRACE(q);
            ASSERT_GE(state.RightAnswer[q], 1);
            ASSERT_LE(state.RightAnswer[q], 4);
            EXPECT_FALSE(IsNoneAnswer(state.Answer(state.RightAnswer[q], q)));
            EXPECT_FALSE(state.HelpText[q].empty());
        }
        ++bases;
    }
    EXPECT_GE(bases, 3);
}

TEST(Limits, TestTimeEndsWithTheQuestionUnsubmitted)
{
    LoadedRun t("00:01:00", "00:00:00", 3);
    t.Tick(0, 20000);
    t.run.Opt_Click(2);
    t.run.cmdNext_Click(At(20000));
    EXPECT_EQ(t.Tick(20100, 120000), 60000);
    EXPECT_EQ(t.state.SpentTime, "0:01:00");
    EXPECT_EQ(t.state.CurQuestion, 2);
    EXPECT_EQ(t.state.GivenAnswer, (std::vector<std::int16_t>{0, 2, 0, 0}));
    EXPECT_EQ(t.state.TrueCount, 1);
}

TEST(Limits, QuestionTimeSubmitsEachQuestionWithItsChoice)
{
    LoadedRun t("00:00:00", "00:00:10", 3);
    const int choices[] = {2, 3, 1};
    std::vector<std::int64_t> submitted;
    for (std::int64_t ms = 0; ms <= 60000 && !t.run.Finished(); ms += 100) {
        t.run.Opt_Click(choices[t.state.CurQuestion - 1]);
        t.run.Timer1_Timer(At(ms));
        if (ms % 300 == 0 && t.run.Timer3_Timer(At(ms)) != Outcome::Nothing) {
            submitted.push_back(ms);
        }
    }
    // A question's whole seconds count from its own start; the first 300 ms tick to see ten comes here.
    EXPECT_EQ(submitted, (std::vector<std::int64_t>{10200, 20400, 30600}));
    EXPECT_TRUE(t.run.Finished());
    EXPECT_EQ(t.state.GivenAnswer, (std::vector<std::int16_t>{0, 2, 3, 1}));
    EXPECT_EQ(t.state.TrueCount, 1);
    EXPECT_EQ(t.state.SpentTime, "0:00:30");
}

TEST(Limits, ZeroLimitsActOnTheFirstMeasuredTick)
{
    LoadedRun quest("00:00:00", "0:00:00", 3);
    EXPECT_FALSE(quest.state.NoQuestionLimit);
    // One question per tick of the question limit.
    EXPECT_EQ(quest.Tick(0, 5000), 600);
    EXPECT_EQ(quest.state.GivenAnswer, (std::vector<std::int16_t>{0, 1, 1, 1}));

    LoadedRun test("0:00:00", "00:00:00", 3);
    EXPECT_EQ(test.Tick(0, 5000), 0);
    EXPECT_EQ(test.state.SpentTime, "0:00:00");
    EXPECT_EQ(test.state.GivenAnswer[1], 0);
}

TEST(Limits, NoLimitAndUnreadableLimitsAreNeverEnforced)
{
    const std::pair<const char *, const char *> limits[] = {
        {"00:00:00", "00:00:00"}, {"ab:cd:ef", "25:00:00"}, {"", "1"}};
    for (const auto &[testTime, questTime] : limits) {
        SCOPED_TRACE(testTime);
        LoadedRun t(testTime, questTime, 2);
        EXPECT_EQ(t.Tick(0, 2 * 3600 * 1000), std::nullopt);
        EXPECT_EQ(t.run.Clock().Label10, testTime);
        EXPECT_EQ(t.run.Clock().Label11, questTime);
        EXPECT_EQ(t.run.Clock().Label6, "2:00:00");
        EXPECT_EQ(t.state.CurQuestion, 1);
    }
}

TEST(Limits, StalledWindowStillEndsTheTest)
{
    LoadedRun t("00:01:00", "00:00:00", 2);
    EXPECT_EQ(t.Tick(0, 59000), std::nullopt);
    EXPECT_EQ(t.Tick(63000, 63000), 63000);
    EXPECT_EQ(t.state.SpentTime, "0:01:03");
}

TEST(Limits, TestAcrossMidnight)
{
    LoadedRun t("00:00:30", "00:00:00", 2, 86400 - 10);
    EXPECT_EQ(t.Tick(0, 25200), std::nullopt);
    EXPECT_EQ(t.run.Clock().Label6, "0:00:25");
    EXPECT_EQ(t.run.Clock().Label10, "0:00:05");
    EXPECT_EQ(t.Tick(25300, 60000), 30000);
    EXPECT_EQ(t.state.SpentTime, "0:00:30");
}

TEST(Limits, PressAndTimeOutInTheSameInstantSubmitOnce)
{
    LoadedRun t("00:00:00", "00:00:10", 3);
    t.run.Timer1_Timer(At(10000));
    t.run.Opt_Click(2);
    EXPECT_EQ(t.run.cmdNext_Click(At(10000)), Outcome::NextQuestion);
    EXPECT_EQ(t.run.Timer3_Timer(At(10000)), Outcome::Nothing);
    EXPECT_EQ(t.state.CurQuestion, 2);
    EXPECT_EQ(t.state.TrueCount, 1);
    EXPECT_EQ(t.state.GivenAnswer[2], 0);
    // The new question gets its own full ten seconds.
    EXPECT_EQ(t.Tick(10100, 19900), std::nullopt);
    EXPECT_EQ(t.state.CurQuestion, 2);
}
