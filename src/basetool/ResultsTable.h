#pragma once

#include "basetool/Findings.h"
#include "results/ResultLines.h"

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Takes each result line as it is read, so that a file of any size is never held whole.
using RowSink = std::function<void(const ResultRow &)>;

// The result lines of file, each handed to sink with folder as theirs; every other line is printed as an
// error with its number (the first thousand; then how many more). Returns 0 when every line is a result
// line, 1 when some are not, 3 when the file cannot be read.
int ReadResults(const std::filesystem::path &file, const std::string &folder, const RowSink &sink,
                FindingPrinter &printer);
// The same for a file already read, shown as name.
int ReadResultBytes(std::string_view bytes, const std::string &name, const ResultRow &where,
                    const RowSink &sink, FindingPrinter &printer);

// The result files that the program moved aside into folder, oldest first, by the names it gives them: a
// copy that someone made beside one is not read twice.
std::vector<std::filesystem::path> ArchivedResults(const std::filesystem::path &folder);

// Which columns tell where a row came from.
struct Columns
{
    bool folder = false;
    bool file = false;
};

// A table for the terminal, in UTF-8. Its columns are as wide as their widest field, so every row is
// kept until the end, compactly: its fields' text in one buffer.
class TablePrinter
{
public:
    explicit TablePrinter(Columns columns);
    void Add(const ResultRow &row);
    std::size_t Rows() const { return m_rows.size(); }
    void Print(std::ostream &out) const;

private:
    struct Row
    {
        std::size_t end;    // where its fields end in m_text
        std::uint32_t from; // its folder and file in m_places
    };
    void Widen(std::size_t column, std::string_view field);

    Columns m_columns;
    std::vector<std::size_t> m_widths;
    std::vector<std::pair<std::string, std::string>> m_places;
    std::string m_text; // each row's own fields, each ended by a line end
    std::vector<Row> m_rows;
};

// CSV in UTF-8 with a byte-order mark and ';' between fields, as spreadsheets with a Russian locale open
// it; each row is printed as it comes.
class CsvPrinter
{
public:
    CsvPrinter(Columns columns, std::ostream &out);
    void Add(const ResultRow &row);

private:
    Columns m_columns;
    std::ostream &m_out;
};
