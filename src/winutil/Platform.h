#pragma once

#include "testbase/Now.h"

#include <QString>

#include <filesystem>

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

    // A modal box captioned "Test" with Russian buttons; returns once it is answered or closed.
    virtual Answer MsgBox(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) = 0;
    // Closes the box that is open, if any, as if No (or OK) had been chosen: what it asks no longer
    // applies.
    virtual void CloseMsgBox() = 0;
    // Whether a box is open: whoever asked for it is waiting on the stack for the answer.
    virtual bool BoxOpen() const = 0;
    // Ends the program at once. Callers return straight away; nothing else runs for them afterwards.
    virtual void EndProgram() = 0;
    // Whether another copy of the program is running.
    virtual bool PrevInstance() = 0;
    // The program's own folder.
    virtual std::filesystem::path AppPath() const = 0;
    // The command-line text as a path; empty when there is none, and after it has been taken once.
    virtual std::filesystem::path TakeCommand() = 0;
    virtual Now Clock() const = 0;
    virtual LocalDateTime LocalTime() const = 0;
};
