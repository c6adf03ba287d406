#pragma once

#include "testbase/Now.h"
#include "testbase/TestState.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A result line read back: what the program wrote for one finished test.
struct ResultRecord
{
    std::string UserName;         // Windows-1251
    std::vector<int> GivenAnswer; // for questions 1 to n: the slot 1 to 4, 0 when not answered
    int TrueCount = 0;
    int FalseCount = 0;
};

// Why a line is not a result line, checked from the line's end, since a name may hold anything.
enum class ResultLineFault
{
    None,
    NoFalse,        // it does not end with "  False= " and a number
    NoTrue,         // no "  True= " and a number before that
    NoSeparator,    // no "= " between the name and the answers
    BadAnswer,      // an answer that is not 0 to 4
    CountsDisagree, // right and wrong answers do not add up to the number of answers
};

// Reads one line, without its line end, into record.
ResultLineFault ParseResultLine(std::string_view line, ResultRecord &record);

// The result file beside the program, and the folder beside it where full result files are kept.
inline constexpr std::string_view ResultFileName = "Result.res";
inline constexpr std::string_view ArchiveFolderName = "Results";

// One result line, Windows-1251, ending in CR LF: name, "= ", each given answer after two blanks,
// "  True= ", right answers, "  False= ", wrong answers.
std::string ResultLine(const TestState &state);

// "Result.res" in the program's folder; a folder that already ends with a separator gets no second one.
std::filesystem::path ResultFilePath(const std::filesystem::path &programFolder);

// "Results" in the program's folder, where full result files are kept.
std::filesystem::path ArchiveFolder(const std::filesystem::path &programFolder);

// The name a full result file is kept under: "Result-YYYY-MM-DD_HHMMSS.res", and from the second file
// archived within the same second on "Result-YYYY-MM-DD_HHMMSS_2.res", "_3" and so on.
std::string ArchiveName(const LocalDateTime &at, int attempt);
// Whether a file name is one that ArchiveName gives.
bool IsArchiveName(std::string_view name);
// Archive names in the order they were archived: by their stamp, and within one second by the number
// after it, so that "_2" comes before "_10".
bool ArchivedBefore(std::string_view a, std::string_view b);
