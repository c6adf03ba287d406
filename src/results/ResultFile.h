#pragma once

#include "testbase/Now.h"
#include "testbase/TestState.h"

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

// The steps of a save, named so that tests can make one of them fail or see that it happens.
enum class SaveStep
{
    Read,       // counting the lines already there
    Archive,    // making the archive folder for a full file
    Replace,    // starting the archived file afresh with the line
    Append,     // writing the line at the end of the existing file
    Sync,       // putting the written line on the disk, whether appended or starting the file afresh
    SyncFolder, // making a new entry of a folder last
};

// Asked before each step; an error it returns makes the step fail with that error. A folder that
// cannot be synced does not fail a save, so SyncFolder is only seen.
using SaveFailAt = std::function<std::errc(SaveStep)>;

// Appends the line to the result file in the program's folder. Once the file holds 100 lines or more, it
// is first archived whole under the name for now, and the line starts it afresh; while no archive can be
// made, the line is appended to the full file. Copies of the program saving into one folder at the same
// time, from one PC or many, take turns; a copy that cannot have its turn within 10 seconds fails.
// The line reaches the disk in one write; a failure leaves every old line in the file or in the archive,
// and a failed append is cut back off. Returns false on any failure. The file is read piece by piece, so
// memory does not grow with its size.
bool SaveResult(const std::filesystem::path &programFolder, const TestState &state, const LocalDateTime &now,
                const SaveFailAt &failAt = {});
