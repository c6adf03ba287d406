#include "basetool/Commands.h"

#include "basetool/AtomicFile.h"
#include "basetool/BaseCheck.h"
#include "basetool/Convert.h"
#include "basetool/ResultsTable.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"
#include "testbase/Messages.h"
#include "testbase/Topics.h"

#include <algorithm>
#include <optional>

namespace {
constexpr int UsageStatus = 4;

// The help text, with the result file's and the archive folder's names as the program spells them.
std::string Help()
{
    const std::string file(ResultFileName);
    const std::string archive(ArchiveFolderName);
    return R"(zorvanta-base — проверка и преобразование тестовых баз, чтение файла результатов

zorvanta-base check ФАЙЛ|ПАПКА...
    Проверяет базы тем же кодом, что и программа: попадёт ли база в список тем, если
    положить её в папку Tests; загрузит ли её программа (так же и базу из командной
    строки) или откажет и с каким сообщением. Базу, которую программа загрузит, кратко
    описывает: время на тест и на вопрос, что видно на экране, верный ответ каждого
    вопроса (первой тысячи). Предупреждает о том, что программа примет, но автор вряд ли имел в виду:
    кодировка и концы строк, строки заголовка и времени, ответы и flag=, ключи и
    настройки, повторённые вопросы. ПАПКА проверяется как папка Tests: каждая база в ней
    и список тем целиком.
    Код выхода, худший по всем файлам: 0 — база загружается без замечаний;
    1 — загружается, но есть предупреждения; 2 — программа откажет или не покажет
    базу в списке тем; 3 — файл не читается.

zorvanta-base convert [--check] [--from cp1251|utf-8] ВХОД ВЫХОД
zorvanta-base convert [--check] [--from cp1251|utf-8] --in-place ФАЙЛ
    Записывает текст в Windows-1251 с концами строк CR LF, как их читает программа.
    ВХОД читается как UTF-8, если начинается с метки BOM UTF-8 или весь является
    правильным UTF-8 хотя бы с одним символом не из ASCII; иначе как Windows-1251.
    UTF-16 и UTF-8 с отдельными чужими байтами отвергаются с номером строки.
    Концы строк могут быть любыми: CR LF, LF, CR или (у всех строк) LF CR; LF CR
    среди других концов строк отвергается. Буква, набранная с
    отдельным знаком (и + ˘), соединяется в одну (й). Символ, которого нет в
    Windows-1251, отвергается с номером строки и столбца, и тогда ничего не пишется.
    ВХОД не перезаписывается без --in-place; с ним файл заменяется целиком: новый
    текст пишется рядом и только потом занимает место старого. Файл только для
    чтения не заменяется; если ФАЙЛ или ВЫХОД — ссылка, заменяется файл, на который
    она указывает, а ссылка остаётся.
    --from   читать ВХОД в указанной кодировке, не угадывая её.
    --check  затем проверить записанный файл, как check.
    Код выхода: 0 — записано; 2 — текст нельзя преобразовать; 3 — файл не читается
    или не записывается; с --check — код проверки.

zorvanta-base results [--csv] [--all] [ФАЙЛ|ПАПКА...]
    Печатает файл результатов таблицей: имя, ответы, верных, неверных и процент верных.
    Без ФАЙЛА читает )" +
           file + R"( рядом с программой; из ПАПКИ программы — её )" + file + R"(.
    Файлов и папок может быть несколько, например папки программы со всех компьютеров
    класса: тогда таблица одна, и у каждой строки названа папка, откуда она.
    --all  сначала прочесть старые файлы из папки )" +
           archive + R"( рядом с каждым файлом,
           от старых к новым, и назвать файл каждой строки.
    --csv  вывести CSV в UTF-8 с меткой BOM и разделителем «;»: так его правильно,
           с русскими именами, открывают Excel и LibreOffice с русскими настройками.
    Строки не в формате результата сообщаются с номером строки.
    Код выхода: 0 — все строки прочитаны; 1 — есть строки не в формате;
    3 — файл не читается.

Вывод: по одной находке в строке, «файл:строка: уровень: текст», где строка 0 — файл
в целом, а уровень — «итог», «предупреждение» или «ошибка». Ошибки идут в поток
ошибок. Неверная командная строка — код выхода 4.
)";
}

int Usage(std::ostream &err, const std::string &problem)
{
    err << "zorvanta-base: " << problem << "\nСправка: zorvanta-base --help\n";
    return UsageStatus;
}

// The options (from the allowed ones) and the other arguments of a command.
struct Arguments
{
    std::vector<std::string> options;
    std::vector<std::filesystem::path> paths;
    std::string unknown;
    std::optional<std::string> from; // the value of --from, when given

    bool Has(std::string_view option) const
    {
        return std::find(options.begin(), options.end(), option) != options.end();
    }
};

Arguments Split(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last,
                std::initializer_list<std::string_view> allowed)
{
    Arguments arguments;
    for (auto it = first; it != last; ++it) {
        if (!it->starts_with("--")) {
            arguments.paths.emplace_back(*it);
        } else if (*it == "--from" && std::find(allowed.begin(), allowed.end(), *it) != allowed.end()) {
            arguments.from = it + 1 != last ? *++it : "";
        } else if (std::find(allowed.begin(), allowed.end(), *it) != allowed.end()) {
            arguments.options.push_back(*it);
        } else if (arguments.unknown.empty()) {
            arguments.unknown = *it;
        }
    }
    return arguments;
}

int CheckOne(const std::filesystem::path &file, FindingPrinter &printer)
{
    const BaseReport report = CheckFile(file);
    printer.Print(PathText(file), report.findings);
    return report.Status();
}

// A folder as the tests folder: each base in it, in the list's order, then the list as a whole, which
// one unreadable base takes from the examinee.
int CheckFolder(const std::filesystem::path &folder, FindingPrinter &printer)
{
    std::vector<std::filesystem::path> bases;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsBaseName(it->path()))
            bases.push_back(it->path());
    }
    std::sort(bases.begin(), bases.end(),
              [](const auto &a, const auto &b) { return TopicNameLess(a.filename(), b.filename()); });
    int status = 0;
    for (const auto &base : bases)
        status = std::max(status, CheckOne(base, printer));
    const TopicList list = ListTopics(folder);
    if (list.error == FileError::None) {
        printer.Print(PathText(folder), {{0, Level::Note, Aspect::Verdict,
                                          "тем в списке: " + std::to_string(list.topics.size())}});
        return status;
    }
    const bool file = !list.failedFile.empty();
    printer.Print(PathText(file ? list.failedFile : folder),
                  {{0, Level::Error, Aspect::Verdict,
                    std::string(file ? "файл" : "папка") + " не читается, и программа покажет сообщение «" +
                        std::string(Messages::Text(list.error)) +
                        "», а в окне выбора темы не будет выбрана ни одна тема и кнопка «Принять» будет "
                        "недоступна: ни одной темы из этой папки взять нельзя"}});
    return 3;
}

int Check(const std::vector<std::filesystem::path> &paths, FindingPrinter &printer)
{
    int status = 0;
    for (const auto &path : paths) {
        std::error_code ec;
        status = std::max(status, std::filesystem::is_directory(path, ec) ? CheckFolder(path, printer)
                                                                          : CheckOne(path, printer));
    }
    return status;
}

bool SameFile(const std::filesystem::path &a, const std::filesystem::path &b)
{
    std::error_code ec;
    return a == b || std::filesystem::equivalent(a, b, ec);
}

int Convert(const Arguments &arguments, FindingPrinter &printer, std::ostream &err)
{
    const bool inPlace = arguments.Has("--in-place");
    if (arguments.paths.size() != (inPlace ? 1u : 2u))
        return Usage(err,
                     inPlace ? "convert --in-place ждёт один файл" : "convert ждёт два файла: ВХОД и ВЫХОД");
    std::optional<TextEncoding> from;
    if (arguments.from == "cp1251")
        from = TextEncoding::Cp1251;
    else if (arguments.from == "utf-8")
        from = TextEncoding::Utf8;
    else if (arguments.from)
        return Usage(err, "--from ждёт cp1251 или utf-8");
    const std::filesystem::path &in = arguments.paths.front();
    const std::filesystem::path &out = arguments.paths.back();
    if (!inPlace && SameFile(in, out))
        return Usage(err, "ВЫХОД — это сам ВХОД; чтобы заменить его, укажите --in-place");

    const FileBytes read = ReadWholeFile(in);
    if (read.error != FileError::None) {
        printer.Print(PathText(in), Unreadable(read.error));
        return 3;
    }
    const Converted converted = ConvertText(read.bytes, from);
    if (!converted.error.empty()) {
        printer.Print(PathText(in), {{converted.line, Level::Error, Aspect::Verdict,
                                      "столбец " + std::to_string(converted.column) + ": " + converted.error +
                                          "; ничего не записано"}});
        return 2;
    }
    if (const WriteFailure failure = ReplaceContents(out, converted.bytes); failure != WriteFailure::None) {
        printer.Print(PathText(out), {{0, Level::Error, Aspect::Verdict,
                                       "не удалось записать файл: " + WriteFailureText(failure, out) +
                                           "; ничего не изменено"}});
        return 3;
    }
    const std::string readAs = converted.from == TextEncoding::Utf8 ? "UTF-8" : "Windows-1251";
    printer.Print(PathText(out),
                  {{0, Level::Note, Aspect::Verdict,
                    "записан в Windows-1251 с концами строк CR LF (прочитан как " + readAs + ")"}});
    return arguments.Has("--check") ? Check({out}, printer) : 0;
}

int Results(const Arguments &arguments, const std::filesystem::path &programFolder, FindingPrinter &printer,
            std::ostream &out)
{
    std::vector<std::filesystem::path> named = arguments.paths;
    if (named.empty())
        named.push_back(programFolder);
    const bool all = arguments.Has("--all");
    const Columns columns{named.size() > 1, all};
    // CSV goes out row by row; the table waits for its widest field.
    std::optional<CsvPrinter> csv;
    std::optional<TablePrinter> table;
    if (arguments.Has("--csv"))
        csv.emplace(columns, out);
    else
        table.emplace(columns);
    const RowSink sink = [&](const ResultRow &row) { csv ? csv->Add(row) : table->Add(row); };
    int status = 0;
    for (const auto &each : named) {
        // A program's folder, or a result file in one.
        std::error_code ec;
        const bool folder = std::filesystem::is_directory(each, ec);
        const std::filesystem::path file = folder ? ResultFilePath(each) : each;
        const std::filesystem::path from = folder ? each : each.parent_path();
        std::vector<std::filesystem::path> files;
        if (all)
            files = ArchivedResults(ArchiveFolder(from));
        files.push_back(file);
        const std::string source = PathText(from.empty() ? std::filesystem::path(".") : from);
        for (const auto &one : files)
            status = std::max(status, ReadResults(one, source, sink, printer));
    }
    if (table && table->Rows() > 0)
        table->Print(out);
    return status;
}
} // namespace

int RunTool(const std::vector<std::string> &args, const std::filesystem::path &programFolder,
            std::ostream &out, std::ostream &err)
{
    if (args.empty()) {
        err << Help();
        return UsageStatus;
    }
    const std::string &command = args.front();
    if (command == "help" || std::find_if(args.begin(), args.end(), [](const std::string &arg) {
                                 return arg == "--help" || arg == "-h";
                             }) != args.end()) {
        out << Help();
        return 0;
    }
    FindingPrinter printer(out, err);
    const auto rest = args.begin() + 1;
    if (command == "check") {
        const Arguments arguments = Split(rest, args.end(), {});
        if (!arguments.unknown.empty())
            return Usage(err, "неизвестный ключ " + arguments.unknown);
        if (arguments.paths.empty())
            return Usage(err, "check ждёт хотя бы один файл");
        return Check(arguments.paths, printer);
    }
    if (command == "convert" || command == "results") {
        const bool convert = command == "convert";
        const Arguments arguments = convert ? Split(rest, args.end(), {"--in-place", "--check", "--from"})
                                            : Split(rest, args.end(), {"--csv", "--all"});
        if (!arguments.unknown.empty())
            return Usage(err, "неизвестный ключ " + arguments.unknown);
        return convert ? Convert(arguments, printer, err) : Results(arguments, programFolder, printer, out);
    }
    return Usage(err, "неизвестная команда " + command);
}
