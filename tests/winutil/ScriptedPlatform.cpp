#include "ScriptedPlatform.h"

Platform::Answer ScriptedPlatform::MsgBox(const QString &text, Icon icon, Buttons buttons)
{
    shown.push_back({text, icon, buttons});
    if (whileShown) {
        auto during = std::move(whileShown);
        whileShown = nullptr;
        during();
    }
    if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QString ScriptedPlatform::TakeCommand()
{
    QString taken = command;
    command.clear();
    return taken;
}

void ScriptedPlatform::Advance(std::int64_t ms)
{
    now.monotonicMs += ms;
    msOfDay = (msOfDay + ms) % (86400 * 1000LL);
    now.secondsOfDay = static_cast<int>(msOfDay / 1000);
}
