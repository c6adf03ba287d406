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
    std::string folder; // the program's folder the file came from, as named
    std::string file;   // the file's name without its folder
    std::size_t line = 0;
    ResultRecord record;
};

// The result lines of file, appended to rows with folder as theirs; every other line is printed as an
// error with its number. Returns 0 when every line is a result line, 1 when some are not, 3 when the file
// cannot be read.
int ReadResults(const std::filesystem::path &file, const std::string &folder, std::vector<ResultRow> &rows,
                FindingPrinter &printer);
// The same for a file already read, shown as name.
int ReadResultBytes(std::string bytes, const std::string &name, const ResultRow &where,
                    std::vector<ResultRow> &rows, FindingPrinter &printer);

// The result files that the program moved aside into folder, oldest first, by the names it gives them: a
// copy that someone made beside one is not read twice.
std::vector<std::filesystem::path> ArchivedResults(const std::filesystem::path &folder);

// Which columns tell where a row came from.
struct Columns
{
    bool folder = false;
    bool file = false;
};

// A table for the terminal, in UTF-8.
void PrintTable(const std::vector<ResultRow> &rows, Columns columns, std::ostream &out);

// CSV in UTF-8 with a byte-order mark and ';' between fields, as spreadsheets with a Russian locale open it.
void PrintCsv(const std::vector<ResultRow> &rows, Columns columns, std::ostream &out);
