#pragma once

#include "testbase/Now.h"

#include <cstdint>
#include <string>

// "HH:MM:SS", 24-hour clock, two digits each.
std::string StampText(int secondsOfDay);
// Display form "H:mm:ss" of a number of seconds: its magnitude, whole days dropped.
std::string DisplayText(std::int64_t seconds);

// The question window's two clocks and two limits. The label texts are the clocks' working state: the
// limits read the elapsed times back as the display clock last wrote them.
class Clocks
{
public:
    // Loading: both stamps now. The clocks measure from these moments, not from the time of day, so a
    // test across midnight or a changed system clock keeps its times.
    void Start(const Now &now);
    // A submission: the question clock restarts. LabelD is emptied so that no limit acts on the old
    // question's time before the display clock has measured the new one.
    void QuestionStarted(const Now &now);
    // Loading: the limit texts of the base, shown as they stand until the first limit tick.
    void SetLimits(const std::string &testTime, const std::string &questTime, bool noTestLimit,
                   bool noQuestionLimit);

    void Timer1_Timer(const Now &now);
    // True when the test time has run out: zero or less remains.
    bool Timer2_Timer();
    // True when the question time has run out and the question is to be submitted.
    bool Timer3_Timer();

    std::string StartTime;
    std::string QuestStart;
    std::string TestTime;
    std::string QuestTime;
    std::string Label6 = "Time";
    std::string LabelD;
    std::string Label10 = "0:00:00";
    std::string Label11 = "0:00:00";

private:
    std::int64_t m_testStartMs = 0;
    std::int64_t m_questStartMs = 0;
    bool m_noTestLimit = false;
    bool m_noQuestionLimit = false;
};
