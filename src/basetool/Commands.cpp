#include "basetool/Commands.h"

#include "basetool/AtomicFile.h"
#include "basetool/BaseCheck.h"
#include "basetool/Convert.h"
#include "basetool/ResultsTable.h"

#include <algorithm>

namespace {
constexpr int UsageStatus = 4;

constexpr std::string_view Help =
    R"(zorvanta-base — проверка и преобразование тестовых баз, чтение файла результатов

zorvanta-base check ФАЙЛ...
    Проверяет базы тем же кодом, что и программа: попадёт ли база в список тем, если
    положить её в папку Tests; загрузит ли её программа (так же и базу из командной
    строки) или откажет и с каким сообщением. Предупреждает о том, что программа примет,
    но автор вряд ли имел в виду: кодировка и концы строк, строки заголовка и времени,
    ответы и flag=, ключи и настройки, повторённые вопросы.
    Код выхода, худший по всем файлам: 0 — база загружается без замечаний;
    1 — загружается, но есть предупреждения; 2 — программа откажет или не покажет
    базу в списке тем; 3 — файл не читается.

zorvanta-base convert [--check] ВХОД ВЫХОД
zorvanta-base convert [--check] --in-place ФАЙЛ
    Записывает текст в Windows-1251 с концами строк CR LF, как их читает программа.
    ВХОД читается как UTF-8, если начинается с метки BOM UTF-8 или весь является
    правильным UTF-8 хотя бы с одним символом не из ASCII; иначе как Windows-1251.
    Концы строк могут быть любыми: CR LF, LF или CR. Символ, которого нет в
    Windows-1251, отвергается с номером строки и столбца, и тогда ничего не пишется.
    ВХОД не перезаписывается без --in-place; с ним файл заменяется целиком: новый
    текст пишется рядом и только потом занимает место старого.
    --check  затем проверить записанный файл, как check.
    Код выхода: 0 — записано; 2 — текст нельзя преобразовать; 3 — файл не читается
    или не записывается; с --check — код проверки.

zorvanta-base results [--csv] [--all] [ФАЙЛ]
    Печатает файл результатов таблицей: имя, ответы, верных, неверных и процент верных.
    Без ФАЙЛА читает Result.res рядом с программой.
    --all  сначала прочесть старые файлы из папки Results рядом с ним, от старых
           к новым, и назвать файл каждой строки.
    --csv  вывести CSV в UTF-8 с меткой BOM и разделителем «;»: так его правильно,
           с русскими именами, открывают Excel и LibreOffice с русскими настройками.
    Строки не в формате результата сообщаются с номером строки.
    Код выхода: 0 — все строки прочитаны; 1 — есть строки не в формате;
    3 — файл не читается.

Вывод: по одной находке в строке, «файл:строка: уровень: текст», где строка 0 — файл
в целом, а уровень — «итог», «предупреждение» или «ошибка». Ошибки идут в поток
ошибок. Неверная командная строка — код выхода 4.
)";

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
        } else if (std::find(allowed.begin(), allowed.end(), *it) != allowed.end()) {
            arguments.options.push_back(*it);
        } else if (arguments.unknown.empty()) {
            arguments.unknown = *it;
        }
    }
    return arguments;
}

int Check(const std::vector<std::filesystem::path> &files, FindingPrinter &printer)
{
    int status = 0;
    for (const auto &file : files) {
        const BaseReport report = CheckFile(file);
        printer.Print(PathText(file), report.findings);
        status = std::max(status, report.Status());
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
    const std::filesystem::path &in = arguments.paths.front();
    const std::filesystem::path &out = arguments.paths.back();
    if (!inPlace && SameFile(in, out))
        return Usage(err, "ВЫХОД — это сам ВХОД; чтобы заменить его, укажите --in-place");

    const FileBytes read = ReadWholeFile(in);
    if (read.error != FileError::None) {
        printer.Print(PathText(in), Unreadable(read.error));
        return 3;
    }
    const Converted converted = ConvertText(read.bytes);
    if (!converted.error.empty()) {
        printer.Print(PathText(in), {{converted.line, Level::Error, Aspect::Verdict,
                                      "столбец " + std::to_string(converted.column) + ": " + converted.error +
                                          "; ничего не записано"}});
        return 2;
    }
    if (!ReplaceFile(out, converted.bytes)) {
        printer.Print(PathText(out), {{0, Level::Error, Aspect::Verdict, "не удалось записать файл"}});
        return 3;
    }
    const std::string from = converted.from == TextEncoding::Utf8 ? "UTF-8" : "Windows-1251";
    printer.Print(PathText(out),
                  {{0, Level::Note, Aspect::Verdict,
                    "записан в Windows-1251 с концами строк CR LF (прочитан как " + from + ")"}});
    return arguments.Has("--check") ? Check({out}, printer) : 0;
}

int Results(const Arguments &arguments, const std::filesystem::path &programFolder, FindingPrinter &printer,
            std::ostream &out, std::ostream &err)
{
    if (arguments.paths.size() > 1)
        return Usage(err, "results ждёт не больше одного файла");
    const std::filesystem::path file =
        arguments.paths.empty() ? programFolder / "Result.res" : arguments.paths.front();
    const bool all = arguments.Has("--all");
    std::vector<std::filesystem::path> files;
    if (all)
        files = ArchivedResults(file.parent_path() / "Results");
    files.push_back(file);

    std::vector<ResultRow> rows;
    int status = 0;
    for (const auto &each : files)
        status = std::max(status, ReadResults(each, rows, printer));
    if (arguments.Has("--csv"))
        PrintCsv(rows, all, out);
    else if (!rows.empty())
        PrintTable(rows, all, out);
    return status;
}
} // namespace

int RunTool(const std::vector<std::string> &args, const std::filesystem::path &programFolder,
            std::ostream &out, std::ostream &err)
{
    if (args.empty()) {
        err << Help;
        return UsageStatus;
    }
    const std::string &command = args.front();
    if (command == "help" || std::find_if(args.begin(), args.end(), [](const std::string &arg) {
                                 return arg == "--help" || arg == "-h";
                             }) != args.end()) {
        out << Help;
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
        const Arguments arguments = convert ? Split(rest, args.end(), {"--in-place", "--check"})
                                            : Split(rest, args.end(), {"--csv", "--all"});
        if (!arguments.unknown.empty())
            return Usage(err, "неизвестный ключ " + arguments.unknown);
        return convert ? Convert(arguments, printer, err)
                       : Results(arguments, programFolder, printer, out, err);
    }
    return Usage(err, "неизвестная команда " + command);
}
