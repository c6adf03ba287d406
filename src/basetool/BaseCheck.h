#pragma once

#include "basetool/Findings.h"
#include "testbase/HeadLines.h"
#include "testbase/Loader.h"
#include "testbase/Topics.h"

#include <filesystem>
#include <string>
#include <vector>

// What the program does with one base, found by the program's own listing and loading code, and what
// its author should know about it.
struct BaseReport
{
    std::vector<Finding> findings; // warnings by line, then the verdicts of listing and loading
    bool readable = true;
    bool listed = false;
    LoadFailure load = LoadFailure::None;

    // 0 loads cleanly, 1 loads with warnings, 2 refused or left out of the list, 3 unreadable.
    int Status() const;
};

// Reads the file and checks it as if it lay in the tests folder and as if it were named on the command line.
BaseReport CheckFile(const std::filesystem::path &file);

// The same for a file already read: entry and head are what the listing found for it.
BaseReport CheckBytes(std::string bytes, ListingEntry entry, const HeadLines &head);
