#pragma once

#include "basetool/Findings.h"
#include "results/ResultLines.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// One finished test as a result file holds it, and where it stands.
struct ResultRow
{
    std::string file; // the file's name without its folder
    std::size_t line = 0;
    ResultRecord record;
};

// The result lines of file, appended to rows; every other line is printed as an error with its number.
// Returns 0 when every line is a result line, 1 when some are not, 3 when the file cannot be read.
int ReadResults(const std::filesystem::path &file, std::vector<ResultRow> &rows, FindingPrinter &printer);

// The result files that the program moved aside into folder, oldest first: "Result-YYYY-MM-DD_HHMMSS.res",
// possibly with a suffix before ".res" for a second file of the same second.
std::vector<std::filesystem::path> ArchivedResults(const std::filesystem::path &folder);

// A table for the terminal, in UTF-8, with the file of each row when withFile.
void PrintTable(const std::vector<ResultRow> &rows, bool withFile, std::ostream &out);

// CSV in UTF-8 with a byte-order mark and ';' between fields, as spreadsheets with a Russian locale open it.
void PrintCsv(const std::vector<ResultRow> &rows, bool withFile, std::ostream &out);
