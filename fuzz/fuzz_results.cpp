// Any bytes as a result file for the teachers' tool: reading them and printing the table and the CSV must
// neither crash nor hang, every finding and every row must stay one line of valid UTF-8, and a file name of
// any bytes must print as valid UTF-8 too.
#include "basetool/ResultsTable.h"
#include "basetool/Utf8Text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool ValidUtf8(const std::string &text)
{
    return DecodeUtf8(text).badAt == std::string_view::npos;
}

std::size_t Lines(const std::string &text, std::string_view end)
{
    std::size_t count = 0;
    for (auto at = text.find(end); at != std::string::npos; at = text.find(end, at + end.size()))
        ++count;
    return count;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    // The first line doubles as a file's name, of any bytes.
    const std::string name =
        PathText(std::filesystem::path(bytes.substr(0, std::min<std::size_t>(bytes.find('\n'), 200))));
    Require(ValidUtf8(name) && name.find_first_of("\r\n") == std::string::npos);

    for (const Columns columns : {Columns{false, false}, Columns{true, true}}) {
        std::ostringstream findings;
        FindingPrinter printer(findings, findings);
        TablePrinter table(columns);
        std::ostringstream csv;
        CsvPrinter csvPrinter(columns, csv);
        std::size_t rows = 0;
        const int status = ReadResultBytes(
            bytes, name, {name, name, 0, {}},
            [&](const ResultRow &row) {
                table.Add(row);
                csvPrinter.Add(row);
                ++rows;
            },
            printer);
        Require(ValidUtf8(findings.str()) && (status == 0) == findings.str().empty());
        std::ostringstream printed;
        table.Print(printed);
        Require(ValidUtf8(printed.str()) && Lines(printed.str(), "\n") == rows + 1);
        Require(ValidUtf8(csv.str()) && Lines(csv.str(), "\r\n") == rows + 1 &&
                Lines(csv.str(), "\n") == rows + 1);
    }
    return 0;
}
