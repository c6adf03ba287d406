#pragma once

#include "testbase/TestState.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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

// The limit texts as loading takes them from lines 3 and 4, shorter (possibly empty) when a line is short.
BaseLimits ReadLimits(const BaseText &text);

// What a format failure failed on, for a tool that shows a base's author the line; the program needs only
// the failure.
struct LoadFault
{
    enum class Cause
    {
        None,        // no format failure
        FewLines,    // fewer than 4 lines
        Flag,        // the "flag=" of question
        Setting,     // the display setting key
        OutOfMemory, // too big for the memory left
    };
    Cause cause = Cause::None;
    std::size_t question = 0;
    std::string_view key;
    std::size_t line = 0; // the line whose value failed; 0 when no line has the key
};

// Loads a base's bytes into state: BaseLines, QuestLine and QuestCount always (once the lines are read);
// the per-question lists, GivenAnswer, the settings, the no-limit flags and limits only when every check
// passes.
// CurQuestion, TrueCount, the choice and the hand-over texts are left alone. yield is called often enough
// (every few thousand lines) for the caller to let its interface breathe. fault, when given, is told what a
// format failure failed on.
LoadFailure LoadBase(std::string bytes, TestState &state, BaseLimits &limits,
                     const std::function<void()> &yield = {}, LoadFault *fault = nullptr);

// Loads as LoadBase does, to the same verdict, but leaves the six text lists empty: a tool that only checks
// a base has no use for them, and on a base of millions of questions they would be most of its memory.
LoadFailure CheckBase(std::string bytes, TestState &state, BaseLimits &limits, LoadFault &fault);
