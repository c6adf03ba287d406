#include "basetool/ResultsTable.h"

#include "basetool/Utf8Text.h"
#include "results/ResultLines.h"
#include "testbase/LineReader.h"

#include <algorithm>
#include <array>

namespace {
// More errors than anyone reads; a file of millions of broken lines must not flood the terminal.
constexpr std::size_t MostErrors = 1000;

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

// The fields a row has whatever the columns: name, answers, right, wrong, percent.
constexpr std::size_t OwnFields = 5;

std::array<std::string, OwnFields> OwnFieldsOf(const ResultRecord &record)
{
    return {Shown(record.UserName), Answers(record), std::to_string(record.TrueCount),
            std::to_string(record.FalseCount), Percent(record)};
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

// Prints the first MostErrors faulty lines of a file and counts the rest.
class FaultReport
{
public:
    FaultReport(const std::string &name, FindingPrinter &printer) : m_name(name), m_printer(printer) {}
    ~FaultReport()
    {
        if (m_left > 0)
            m_printer.Print(m_name, {0, Level::Error, Aspect::Content,
                                     "и ещё строк не в формате результата, не показанных здесь: " +
                                         std::to_string(m_left)});
    }
    FaultReport(const FaultReport &) = delete;
    FaultReport &operator=(const FaultReport &) = delete;

    void Line(std::size_t n, ResultLineFault fault, std::string_view line)
    {
        m_any = true;
        if (m_shown == MostErrors) {
            ++m_left;
            return;
        }
        ++m_shown;
        m_printer.Print(m_name, {n, Level::Error, Aspect::Content,
                                 "строка не в формате результата: " + std::string(FaultText(fault)) + ": " +
                                     Quoted(line)});
    }
    bool Any() const { return m_any; }

private:
    const std::string &m_name;
    FindingPrinter &m_printer;
    std::size_t m_shown = 0;
    std::size_t m_left = 0;
    bool m_any = false;
};

// Reads the lines that lines hands over, one by one, as result lines.
template <typename ForEachLine>
int ReadLines(ForEachLine forEachLine, const std::string &name, const ResultRow &where, const RowSink &sink,
              FindingPrinter &printer)
{
    FaultReport faults(name, printer);
    ResultRow row = where;
    std::size_t n = 0;
    forEachLine([&](std::string_view line) {
        row.line = ++n;
        const ResultLineFault fault = ParseResultLine(line, row.record);
        if (fault == ResultLineFault::None)
            sink(row);
        else
            faults.Line(n, fault, line);
    });
    return faults.Any() ? 1 : 0;
}
} // namespace

int ReadResults(const std::filesystem::path &file, const std::string &folder, const RowSink &sink,
                FindingPrinter &printer)
{
    const std::string name = PathText(file);
    FileError error = FileError::None;
    const int status = ReadLines([&](const auto &onLine) { error = ForEachFileLine(file, onLine); }, name,
                                 {folder, PathText(file.filename()), 0, {}}, sink, printer);
    if (error != FileError::None) {
        printer.Print(name, Unreadable(error));
        return 3;
    }
    return status;
}

int ReadResultBytes(std::string_view bytes, const std::string &name, const ResultRow &where,
                    const RowSink &sink, FindingPrinter &printer)
{
    return ReadLines([&](const auto &onLine) { ForEachLine(bytes, onLine); }, name, where, sink, printer);
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

TablePrinter::TablePrinter(Columns columns) : m_columns(columns)
{
    const std::vector<std::string> heading = Heading(columns);
    m_widths.assign(heading.size(), 0);
    for (std::size_t c = 0; c < heading.size(); ++c)
        Widen(c, heading[c]);
}

void TablePrinter::Widen(std::size_t column, std::string_view field)
{
    m_widths[column] = std::max(m_widths[column], Utf8Length(field));
}

void TablePrinter::Add(const ResultRow &row)
{
    if (m_places.empty() || m_places.back().first != row.folder || m_places.back().second != row.file)
        m_places.emplace_back(row.folder, row.file);
    std::size_t c = 0;
    if (m_columns.folder)
        Widen(c++, row.folder);
    if (m_columns.file)
        Widen(c++, row.file);
    // A shown field never holds a line end: Shown turns control characters into '?'.
    for (const std::string &field : OwnFieldsOf(row.record)) {
        Widen(c++, field);
        m_text += field;
        m_text += '\n';
    }
    m_rows.push_back({m_text.size(), static_cast<std::uint32_t>(m_places.size() - 1)});
}

void TablePrinter::Print(std::ostream &out) const
{
    const auto print = [&](const std::vector<std::string_view> &fields) {
        std::string line;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            // Texts line up on the left, numbers (the last three columns) on the right.
            const std::string pad(m_widths[c] - Utf8Length(fields[c]), ' ');
            const bool number = c + 3 >= fields.size();
            line += c == 0 ? "" : "  ";
            line += number ? pad + std::string(fields[c]) : std::string(fields[c]) + pad;
        }
        out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
    };
    const std::vector<std::string> heading = Heading(m_columns);
    print(std::vector<std::string_view>(heading.begin(), heading.end()));
    std::size_t begin = 0;
    std::vector<std::string_view> fields;
    for (const Row &row : m_rows) {
        fields.clear();
        const auto &[folder, file] = m_places[row.from];
        if (m_columns.folder)
            fields.push_back(folder);
        if (m_columns.file)
            fields.push_back(file);
        for (std::size_t end = begin; begin < row.end; begin = end + 1) {
            end = m_text.find('\n', begin);
            fields.push_back(std::string_view(m_text).substr(begin, end - begin));
        }
        print(fields);
    }
}

CsvPrinter::CsvPrinter(Columns columns, std::ostream &out) : m_columns(columns), m_out(out)
{
    m_out << Utf8Bom;
    const std::vector<std::string> heading = Heading(columns);
    for (std::size_t c = 0; c < heading.size(); ++c)
        m_out << (c == 0 ? "" : ";") << CsvField(heading[c]);
    m_out << "\r\n";
}

void CsvPrinter::Add(const ResultRow &row)
{
    std::string line;
    if (m_columns.folder)
        line += CsvField(row.folder) + ";";
    if (m_columns.file)
        line += CsvField(row.file) + ";";
    for (std::string &field : OwnFieldsOf(row.record))
        line += CsvField(std::move(field)) + ";";
    line.back() = '\r';
    m_out << line << '\n';
}
