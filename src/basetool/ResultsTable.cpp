#include "basetool/ResultsTable.h"

#include "basetool/Utf8Text.h"
#include "results/ResultFile.h"
#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <algorithm>

namespace {
std::string_view FaultText(ResultLineFault fault)
{
    switch (fault) {
    case ResultLineFault::NoFalse:
        return "в конце нет «  False= » с числом";
    case ResultLineFault::NoTrue:
        return "перед «  False= » нет «  True= » с числом";
    case ResultLineFault::NoSeparator:
        return "между именем и ответами нет «= »";
    case ResultLineFault::BadAnswer:
        return "ответ не число от 0 до 4";
    case ResultLineFault::CountsDisagree:
        return "верных и неверных вместе не столько, сколько ответов";
    case ResultLineFault::None:
        break;
    }
    return {};
}

std::string Answers(const ResultRecord &record)
{
    std::string text;
    for (const int answer : record.GivenAnswer)
        text += (text.empty() ? "" : " ") + std::to_string(answer);
    return text;
}

// The share of right answers in percent, to a tenth, with the Russian decimal comma.
std::string Percent(const ResultRecord &record)
{
    const long long all = static_cast<long long>(record.TrueCount) + record.FalseCount;
    if (all == 0)
        return "—";
    const long long tenths = (record.TrueCount * 1000LL + all / 2) / all;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

// The fields of one row, in the columns' order.
std::vector<std::string> Fields(const ResultRow &row, Columns columns)
{
    std::vector<std::string> fields;
    if (columns.folder)
        fields.push_back(row.folder);
    if (columns.file)
        fields.push_back(row.file);
    for (std::string field :
         {Shown(row.record.UserName), Answers(row.record), std::to_string(row.record.TrueCount),
          std::to_string(row.record.FalseCount), Percent(row.record)})
        fields.push_back(std::move(field));
    return fields;
}

std::vector<std::string> Heading(Columns columns)
{
    std::vector<std::string> heading;
    if (columns.folder)
        heading.emplace_back("Папка");
    if (columns.file)
        heading.emplace_back("Файл");
    for (const char *title : {"Имя", "Ответы", "Верно", "Неверно", "% верных"})
        heading.emplace_back(title);
    return heading;
}

// A field as spreadsheets read it back unchanged: quoted when it holds a separator, a quotation mark, a
// line end or an outer blank; a leading character that would start a formula is kept as text.
std::string CsvField(std::string field)
{
    if (!field.empty() && std::string_view("=+-@").find(field.front()) != std::string_view::npos)
        field.insert(0, "'");
    if (field.find_first_of(";\"\r\n") == std::string::npos && !field.starts_with(' ') &&
        !field.ends_with(' '))
        return field;
    std::string quoted = "\"";
    for (const char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}
} // namespace

int ReadResults(const std::filesystem::path &file, const std::string &folder, std::vector<ResultRow> &rows,
                FindingPrinter &printer)
{
    FileBytes read = ReadWholeFile(file);
    if (read.error != FileError::None) {
        printer.Print(PathText(file), Unreadable(read.error));
        return 3;
    }
    return ReadResultBytes(std::move(read.bytes), PathText(file), {folder, PathText(file.filename()), 0, {}},
                           rows, printer);
}

int ReadResultBytes(std::string bytes, const std::string &name, const ResultRow &where,
                    std::vector<ResultRow> &rows, FindingPrinter &printer)
{
    const BaseText lines(std::move(bytes));
    int status = 0;
    for (std::size_t n = 1; n <= lines.LineCount(); ++n) {
        ResultRow row = where;
        row.line = n;
        const ResultLineFault fault = ParseResultLine(lines.Line(n), row.record);
        if (fault == ResultLineFault::None) {
            rows.push_back(std::move(row));
        } else {
            printer.Print(name, {n, Level::Error, Aspect::Content,
                                 "строка не в формате результата: " + std::string(FaultText(fault)) + ": " +
                                     Quoted(lines.Line(n))});
            status = 1;
        }
    }
    return status;
}

std::vector<std::filesystem::path> ArchivedResults(const std::filesystem::path &folder)
{
    std::vector<std::pair<std::string, std::filesystem::path>> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        const std::string name = PathText(it->path().filename());
        if (it->is_regular_file(kind) && IsArchiveName(name))
            files.emplace_back(name, it->path());
    }
    std::sort(files.begin(), files.end(),
              [](const auto &a, const auto &b) { return ArchivedBefore(a.first, b.first); });
    std::vector<std::filesystem::path> paths;
    paths.reserve(files.size());
    for (auto &[name, path] : files)
        paths.push_back(std::move(path));
    return paths;
}

void PrintTable(const std::vector<ResultRow> &rows, Columns columns, std::ostream &out)
{
    std::vector<std::vector<std::string>> table{Heading(columns)};
    for (const ResultRow &row : rows)
        table.push_back(Fields(row, columns));
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto &fields : table) {
        for (std::size_t c = 0; c < fields.size(); ++c)
            widths[c] = std::max(widths[c], Utf8Length(fields[c]));
    }
    for (const auto &fields : table) {
        std::string line;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            // Texts line up on the left, numbers (the last three columns) on the right.
            const std::string pad(widths[c] - Utf8Length(fields[c]), ' ');
            const bool number = c + 3 >= fields.size();
            line += (c == 0 ? "" : "  ") + (number ? pad + fields[c] : fields[c] + pad);
        }
        out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
    }
}

void PrintCsv(const std::vector<ResultRow> &rows, Columns columns, std::ostream &out)
{
    const auto print = [&](const std::vector<std::string> &fields) {
        for (std::size_t c = 0; c < fields.size(); ++c)
            out << (c == 0 ? "" : ";") << CsvField(fields[c]);
        out << "\r\n";
    };
    out << Utf8Bom;
    print(Heading(columns));
    for (const ResultRow &row : rows)
        print(Fields(row, columns));
}
