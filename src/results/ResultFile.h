#pragma once

#include "testbase/TestState.h"

#include <filesystem>
#include <functional>
#include <string>

// One result line, Windows-1251, ending in CR LF: name, "= ", each given answer after two blanks,
// "  True= ", right answers, "  False= ", wrong answers.
std::string ResultLine(const TestState &state);

// The steps of a save, named so that tests can make one of them fail.
enum class SaveStep
{
    Read,    // counting the lines already there
    Replace, // writing a fresh file beside the old one
    Rename,  // putting the fresh file in the old one's place
    Append,  // appending the line to the existing file
};

// Appends the line to the result file, starting the file afresh once it holds 100 lines or more. The
// line reaches the disk in one write; a fresh start writes beside the old file and then replaces it, so
// a failure at any step leaves the old file or the new one; a failed append is cut back off, leaving the
// file as it was. Returns false on any failure.
// failAt, when set, is asked before each step and makes that step fail when it answers true.
bool SaveResult(const std::filesystem::path &file, const TestState &state,
                const std::function<bool(SaveStep)> &failAt = {});
