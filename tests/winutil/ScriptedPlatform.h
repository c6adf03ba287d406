#pragma once

#include "winutil/Platform.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// A platform for window tests: message boxes are answered from a queue and recorded, the clock is set by
// the test, and ending the program is recorded instead of done.
class ScriptedPlatform final : public Platform
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
    };

    Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) override;
    void EndProgram() override { ++endings; }
    bool Ended() const override { return endings > 0; }
    bool PrevInstance() override { return otherCopyRunning; }
    QString AppPath() const override { return appPath; }
    QString TakeCommand() override;
    Now Clock() const override { return now; }

    // Moves the fake clock on; the time of day wraps at midnight.
    void Advance(std::int64_t ms);

    std::deque<Answer> answers;        // answers to the coming boxes; Ok or the default when empty
    std::function<void()> whileShown;  // runs inside the next box, as events would while it is open
    std::vector<Shown> shown;
    int endings = 0;
    bool otherCopyRunning = false;
    QString appPath;
    QString command;
    Now now{1'000'000, 10 * 3600};
    std::int64_t msOfDay = 10 * 3600 * 1000LL;
};
