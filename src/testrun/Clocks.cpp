#include "testrun/Clocks.h"

#include "testbase/Conversions.h"

#include <cstdio>
#include <vector>

namespace {
constexpr std::int64_t secondsPerDay = 86400;

// Hours, minutes and seconds of a time of day; the stamps pad the hours to two digits, displays don't.
std::string TimeText(std::int64_t secondsOfDay, bool twoDigitHours)
{
    const int hours = static_cast<int>(secondsOfDay / 3600);
    const int minutes = static_cast<int>(secondsOfDay / 60 % 60);
    const int seconds = static_cast<int>(secondsOfDay % 60);
    char text[16];
    if (twoDigitHours) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, seconds);
    } else {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, seconds);
    }
    return text;
}

// One field of a time: one or two digits.
std::optional<int> ReadField(std::string_view field)
{
    if (field.empty() || field.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::int64_t ElapsedSeconds(std::int64_t fromMs, std::int64_t toMs)
{
    return (toMs - fromMs) / 1000;
}

// Counts a limit down from the elapsed time as displayed. Texts that are not times end the tick quietly,
// leaving the remaining-time label as it was.
bool LimitRunOut(const std::string &elapsedText, const std::string &limitText, std::string &remaining)
{
    const auto elapsed = ReadTime(elapsedText);
    if (!elapsed) {
        return false;
    }
    const auto limit = ReadTime(limitText);
    if (!limit) {
        return false;
    }
    const std::int64_t left = *limit - *elapsed;
    remaining = DisplayText(left);
    // Zero or less: a window that missed the one second at zero still acts once it ticks again.
    return left <= 0;
}
} // namespace

std::string StampText(int secondsOfDay)
{
    return TimeText(secondsOfDay, true);
}

std::string DisplayText(std::int64_t seconds)
{
    std::int64_t ofDay = seconds % secondsPerDay;
    if (ofDay < 0) {
        ofDay = -ofDay;
    }
    return TimeText(ofDay, false);
}

std::optional<std::int64_t> ReadTime(std::string_view text)
{
    // Hours and minutes, or hours, minutes and seconds, as a time of day.
    std::vector<std::string_view> parts;
    text = TrimBlanks(text);
    for (auto colon = text.find(':'); colon != std::string_view::npos; colon = text.find(':')) {
        parts.push_back(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    parts.push_back(text);
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    const int limits[] = {23, 59, 59};
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto field = i < parts.size() ? ReadField(parts[i]) : 0;
        if (!field || *field > limits[i]) {
            return std::nullopt;
        }
        seconds = seconds * 60 + *field;
    }
    return seconds;
}

void Clocks::Start(const Now &now)
{
    StartTime = StampText(now.secondsOfDay);
    QuestStart = StartTime;
    m_testStartMs = now.monotonicMs;
    m_questStartMs = now.monotonicMs;
}

void Clocks::QuestionStarted(const Now &now)
{
    QuestStart = StampText(now.secondsOfDay);
    m_questStartMs = now.monotonicMs;
    LabelD.clear();
}

void Clocks::SetLimits(const std::string &testTime, const std::string &questTime, bool noTestLimit,
                       bool noQuestionLimit)
{
    TestTime = testTime;
    QuestTime = questTime;
    m_noTestLimit = noTestLimit;
    m_noQuestionLimit = noQuestionLimit;
    Label10 = TestTime;
    Label11 = QuestTime;
}

void Clocks::Timer1_Timer(const Now &now)
{
    Label6 = DisplayText(ElapsedSeconds(m_testStartMs, now.monotonicMs));
    LabelD = DisplayText(ElapsedSeconds(m_questStartMs, now.monotonicMs));
}

bool Clocks::Timer2_Timer()
{
    return !m_noTestLimit && LimitRunOut(Label6, TestTime, Label10);
}

bool Clocks::Timer3_Timer()
{
    return !m_noQuestionLimit && LimitRunOut(LabelD, QuestTime, Label11);
}
