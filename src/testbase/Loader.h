#pragma once

#include "testbase/TestState.h"

#include <functional>
#include <string>

// Why a base did not load, in the order the checks run.
enum class LoadFailure
{
    None,
    EmptyFile,     // no lines at all
    NoQuestions,   // no line contains "[QUESTION]"
    WrongHeader,   // line 1 lacks the header in its exact letter case
    FormatFailure, // unreadable file, fewer than 4 lines, a bad "flag=" or display setting, too big for
                   // memory
};

// The two limit texts of lines 3 and 4, which belong to the question window rather than the state.
struct BaseLimits
{
    std::string TestTime;
    std::string QuestTime;
};

// Loads a base's bytes into state: BaseLines, QuestLine and QuestCount always (once the lines are read);
// the per-question lists, GivenAnswer, the settings, the no-limit flags and limits only when every check
// passes.
// CurQuestion, TrueCount, the choice and the hand-over texts are left alone. yield is called often enough
// (every few thousand lines) for the caller to let its interface breathe.
LoadFailure LoadBase(std::string bytes, TestState &state, BaseLimits &limits,
                     const std::function<void()> &yield = {});
