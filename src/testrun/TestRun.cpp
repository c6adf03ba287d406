#include "testrun/TestRun.h"

#include "testbase/Conversions.h"

TestRun::TestRun(TestState &state) : m_state(state)
{
    // The answer slots are enabled at design; only a NONE answer disables one.
    m_view.enabled.fill(true);
    m_view.enabled[0] = false;
}

PreparedBase PrepareBase(const std::filesystem::path &file)
{
    PreparedBase base;
    FileBytes read = ReadWholeFile(file);
    base.error = read.error;
    if (read.error == FileError::None) {
        base.failure = LoadBase(std::move(read.bytes), base.state, base.limits);
    }
    return base;
}

LoadFailure TestRun::Form_Load(const Now &now, FileBytes base, const std::function<void()> &yield)
{
    BeginLoad(now);
    if (base.error != FileError::None) {
        return LoadFailure::FormatFailure;
    }
    BaseLimits limits;
    const LoadFailure failure = LoadBase(std::move(base.bytes), m_state, limits, yield);
    return EndLoad(failure, limits);
}

LoadFailure TestRun::Form_Load(const Now &now, PreparedBase base)
{
    BeginLoad(now);
    if (base.error != FileError::None) {
        return LoadFailure::FormatFailure;
    }
    TakeLoaded(std::move(base.state));
    return EndLoad(base.failure, base.limits);
}

void TestRun::BeginLoad(const Now &now)
{
    m_clocks.Start(now);
    m_state.CurQuestion = 1;
    OptionsCls();
    Opt_Click(1);
}

// The state as loading here would have left it: what loading writes comes from loaded, whatever it leaves
// alone (the hand-over texts, the counters, the choice, the time spent) stays. The answers given are empty
// before a first load, as loading would have found them.
void TestRun::TakeLoaded(TestState loaded)
{
    loaded.CurQuestion = m_state.CurQuestion;
    loaded.TrueCount = m_state.TrueCount;
    loaded.TestTitle = std::move(m_state.TestTitle);
    loaded.BaseFile = std::move(m_state.BaseFile);
    loaded.UserName = std::move(m_state.UserName);
    for (int k = 1; k <= 4; ++k) {
        loaded.Chosen(k) = m_state.Chosen(k);
    }
    loaded.SpentTime = std::move(m_state.SpentTime);
    m_state = std::move(loaded);
}

LoadFailure TestRun::EndLoad(LoadFailure failure, const BaseLimits &limits)
{
    if (failure != LoadFailure::None) {
        return failure;
    }
    m_clocks.SetLimits(limits.TestTime, limits.QuestTime, m_state.NoTestLimit, m_state.NoQuestionLimit);
    ShowQuestion(1);
    return LoadFailure::None;
}

void TestRun::OptionsCls()
{
    for (int k = 1; k <= 4; ++k) {
        m_view.picture[k] = Marker::Unselected;
    }
    for (int k = 1; k <= 4; ++k) {
        m_state.Chosen(k) = false;
    }
}

void TestRun::SetPicture()
{
    for (int k = 1; k <= 4; ++k) {
        if (m_state.Chosen(k)) {
            m_view.picture[k] = Marker::Selected;
            return;
        }
    }
}

void TestRun::Opt_Click(int k)
{
    // A disabled control takes no clicks, and an ended test takes none at all.
    if (m_finished || k < 1 || k > 4 || !m_view.enabled[k] || m_state.Chosen(k)) {
        return;
    }
    OptionsCls();
    m_state.Chosen(k) = true;
    SetPicture();
}

Outcome TestRun::cmdNext_Click(const Now &now)
{
    const int q = m_state.CurQuestion;
    if (m_finished || q < 1 || q > m_state.QuestCount) {
        return Outcome::Nothing;
    }
    // Renewing the question clock also keeps a time-out in the same instant from submitting again.
    m_clocks.QuestionStarted(now);

    for (int k = 1; k <= 4; ++k) {
        if (m_state.RightAnswer[q] == k && m_state.Chosen(k)) {
            ++m_state.TrueCount;
            m_state.GivenAnswer[q] = static_cast<std::int16_t>(k);
        }
    }
    for (int k = 1; k <= 4; ++k) {
        if (m_state.Chosen(k)) {
            m_state.GivenAnswer[q] = static_cast<std::int16_t>(k);
        }
    }

    if (m_state.CurQuestion == m_state.QuestCount) {
        return EndTest();
    }
    ++m_state.CurQuestion;
    ShowQuestion(m_state.CurQuestion);
    m_view.lblTrue = std::to_string(m_state.TrueCount);
    m_view.lblFalse = std::to_string(m_state.CurQuestion - m_state.TrueCount - 1);
    // The choice stays where it was, even on a slot that has just been disabled.
    return Outcome::NextQuestion;
}

void TestRun::Timer1_Timer(const Now &now)
{
    if (!m_finished) {
        m_clocks.Timer1_Timer(now);
    }
}

Outcome TestRun::Timer2_Timer()
{
    if (m_finished || !m_clocks.Timer2_Timer()) {
        return Outcome::Nothing;
    }
    // The question on screen is left unsubmitted.
    return EndTest();
}

Outcome TestRun::Timer3_Timer(const Now &now)
{
    if (m_finished || !m_clocks.Timer3_Timer()) {
        return Outcome::Nothing;
    }
    return cmdNext_Click(now);
}

bool TestRun::CoverVisible(int k) const
{
    switch (k) {
    case 1:
        return !m_state.ShowTime;
    case 2:
        return !m_state.ShowQuestionTime;
    case 3:
        return !m_state.ShowQuestionTest;
    case 4:
        return !m_state.ShowFalseAnswers;
    case 5:
        return !m_state.ShowTrueAnswers;
    case 6:
        return !m_state.ShowNum;
    default:
        return false;
    }
}

void TestRun::ShowQuestion(int q)
{
    m_view.enabled.fill(true);
    m_view.enabled[0] = false;
    m_view.Text1 = m_state.QuestText[q];
    for (int k = 1; k <= 4; ++k) {
        const std::string_view text = m_state.Answer(k, q);
        if (IsNoneAnswer(text)) {
            m_view.answer[k].clear();
            m_view.enabled[k] = false;
        } else {
            m_view.answer[k] = text;
        }
    }
    m_view.help = m_state.HelpText[q];
    m_view.Label5 = std::to_string(q);
}

Outcome TestRun::EndTest()
{
    m_state.SpentTime = m_clocks.Label6;
    m_finished = true;
    return Outcome::TestEnded;
}
