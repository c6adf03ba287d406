#pragma once

#include "winutil/Platform.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <utility>

// A platform for window tests: message boxes are answered from a queue and recorded, the clock is set by
// the test, and ending the program is recorded instead of done.
class ScriptedPlatform final : public Platform
{
public:
    // Records the box as "icon: text", with " YesNo" after the icon when it asks; answers Ok or the
    // default once the queue is empty.
    Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) override
    {
        const char *const icons[] = {"Exclamation", "Critical", "Information"};
        boxes << icons[int(icon)] + QString(buttons == Buttons::YesNo ? " YesNo: " : ": ") + text;
        if (const auto during = std::exchange(whileShown, nullptr)) {
            ++open;
            during();
            --open;
        }
        if (answers.empty())
            return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void CloseMsgBox() override { ++closedBoxes; }
    bool BoxOpen() const override { return open > 0; }
    void EndProgram() override { ++endings; }
    bool PrevInstance() override { return otherCopyRunning; }
    std::filesystem::path AppPath() const override { return appPath.toStdU16String(); }
    std::filesystem::path TakeCommand() override
    {
        return std::exchange(command, QString()).toStdU16String();
    }
    // Each reading moves the clock on by step milliseconds, as a slow machine's would.
    Now Clock() const override
    {
        const Now read = now;
        Advance(step);
        return read;
    }

    LocalDateTime LocalTime() const override { return {2026, 12, 7, 10, 0, 0}; }

    // Moves the fake clock on; the time of day wraps at midnight.
    void Advance(std::int64_t ms) const
    {
        now.monotonicMs += ms;
        now.secondsOfDay = static_cast<int>(now.monotonicMs / 1000 % 86400);
    }

    std::deque<Answer> answers;       // answers to the coming boxes
    std::function<void()> whileShown; // runs inside the next box, as events would while it is open
    QStringList boxes;
    int closedBoxes = 0;
    int open = 0;
    int endings = 0;
    bool otherCopyRunning = false;
    QString appPath;
    QString command;
    mutable Now now{10LL * 3600 * 1000, 10 * 3600};
    std::int64_t step = 0;
};
