#pragma once

#include "testrun/Now.h"

#include <QString>

class QWidget;

// Everything the windows ask of the world outside: message boxes, ending the program, the running-copy
// query, the program's folder, the command line and the clock. Tests put a scripted one in its place.
class Platform
{
public:
    enum class Icon
    {
        Exclamation,
        Critical,
        Information,
    };
    enum class Buttons
    {
        Ok,
        YesNo, // Yes is the default
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
    };

    virtual ~Platform() = default;

    // A modal box captioned "Test" with Russian buttons.
    virtual Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) = 0;
    // Ends the program at once. Callers return straight away; nothing else runs for them afterwards.
    virtual void EndProgram() = 0;
    virtual bool Ended() const = 0;
    // Whether another copy of the program is running.
    virtual bool PrevInstance() = 0;
    // The program's own folder, without a trailing separator unless it is a root.
    virtual QString AppPath() const = 0;
    // The command-line text; empty when there is none, and after it has been taken once.
    virtual QString TakeCommand() = 0;
    virtual Now Clock() const = 0;
};
