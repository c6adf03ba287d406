#include "basetool/BaseCheck.h"

#include "basetool/ContentCheck.h"
#include "basetool/EncodingCheck.h"
#include "basetool/Utf8Text.h"
#include "testbase/BaseFormat.h"
#include "testbase/Messages.h"

#include <algorithm>

namespace {
// More right answers than anyone reads in one line; a base of millions of questions gets no line of
// millions of answers.
constexpr int MostAnswersListed = 1000;

Finding Verdict(std::size_t line, Level level, std::string text)
{
    return {line, level, Aspect::Verdict, std::move(text)};
}

BaseReport UnreadableBase(FileError error)
{
    BaseReport report;
    report.readable = false;
    report.findings.push_back(Unreadable(error));
    return report;
}

// Why line 1 keeps a file out of the list, when the header itself is what its author meant.
std::string HeaderSlip(std::string_view line)
{
    if (line.starts_with(Utf8Bom))
        return "перед ним метка BOM";
    const auto first = line.find_first_not_of(" \t");
    const auto last = line.find_last_not_of(" \t");
    if (first != std::string_view::npos && IsListedHeader(line.substr(first, last - first + 1)))
        return "вокруг него пробелы";
    return "сейчас там " + Quoted(line);
}

Finding ListingVerdict(ListingEntry entry, const HeadLines &head, const BaseText &text)
{
    const std::string out = "не попадёт в список тем: ";
    switch (entry) {
    case ListingEntry::NotBaseName:
        return Verdict(0, Level::Error, out + "имя файла не оканчивается на .bse");
    case ListingEntry::NotFile:
        return Verdict(0, Level::Error, out + "это не обычный файл");
    case ListingEntry::Hidden:
        return Verdict(0, Level::Error, out + "файл скрытый");
    case ListingEntry::Read:
        break;
    }
    if (const auto title = ListedTitle(head))
        return Verdict(2, Level::Note, "попадёт в список тем как " + Quoted(*title));
    if (text.LineCount() == 0)
        return Verdict(0, Level::Error, out + "файл пуст");
    if (IsListedHeader(text.Line(1)))
        return Verdict(1, Level::Error, out + "нет строки 2 с названием темы");
    return Verdict(1, Level::Error,
                   out + "в строке 1 должно стоять только «" + std::string(BaseFormat::Header) +
                       "» (буквы любого регистра); " + HeaderSlip(text.Line(1)));
}

// The value of key on line, as the failing lookup found it.
std::string ValueOn(const BaseText &text, std::size_t line, std::string_view key)
{
    return Quoted(text.Line(line).substr(key.size()));
}

Finding LoadVerdict(LoadFailure failure, const LoadFault &fault, const TestState &state)
{
    const BaseText &text = state.BaseLines;
    if (failure == LoadFailure::None)
        return Verdict(0, Level::Note,
                       "программа загрузит базу, вопросов: " + std::to_string(state.QuestCount));
    const std::string refused =
        "программа откажет с сообщением «" + std::string(Messages::Text(failure)) + "»: ";
    const auto error = [&](std::size_t line, const std::string &why) {
        return Verdict(line, Level::Error, refused + why);
    };
    switch (failure) {
    case LoadFailure::EmptyFile:
        return error(0, "в файле нет ни одной строки");
    case LoadFailure::NoQuestions:
        return error(0, "ни в одной строке нет «[QUESTION]» заглавными буквами");
    case LoadFailure::WrongHeader:
        return error(1, "в строке 1 нет «" + std::string(BaseFormat::Header) + "» именно в таком написании");
    case LoadFailure::None:
    case LoadFailure::FormatFailure:
        break;
    }
    const std::string key(fault.key);
    switch (fault.cause) {
    case LoadFault::Cause::FewLines:
        return error(text.LineCount(), "в базе меньше 4 строк");
    case LoadFault::Cause::Flag: {
        const std::string question = "вопрос " + std::to_string(fault.question) + ": ";
        if (fault.line == 0)
            return error(state.QuestLine[fault.question],
                         question + "нет строки flag= ни в вопросе, ни после него");
        return error(fault.line, question + "значение flag= " + ValueOn(text, fault.line, key) +
                                     " — не число от 0 до 255");
    }
    case LoadFault::Cause::Setting:
        if (fault.line == 0)
            return error(state.QuestLine.back(), "после последнего вопроса нет настройки " + key);
        return error(fault.line, "значение " + key + " " + ValueOn(text, fault.line, key) +
                                     " — не True, не False и не число");
    case LoadFault::Cause::OutOfMemory:
    case LoadFault::Cause::None:
        break;
    }
    return error(0, "не хватает памяти, чтобы прочесть базу");
}
std::string Limit(bool none, const std::string &limit)
{
    return none ? "без ограничения" : Quoted(limit);
}

// What a loaded base makes of the test: its limits, what the question window shows, the right answers.
std::vector<Finding> Summary(const TestState &state, const BaseLimits &limits)
{
    const auto shown = [](bool on) { return on ? "да" : "нет"; };
    std::string answers = "верные ответы:";
    const int listed = std::min(state.QuestCount, MostAnswersListed);
    for (int k = 1; k <= listed; ++k) {
        const int right = state.RightAnswer[k];
        answers += (k == 1 ? " " : ", ") + std::to_string(k) + " — " +
                   (right >= 1 && right <= 4 ? std::string(AnswerLetter(right)) : "нет");
    }
    if (listed < state.QuestCount)
        answers += " и ещё вопросов, не показанных здесь: " + std::to_string(state.QuestCount - listed);
    return {
        Verdict(0, Level::Note, "время на тест: " + Limit(state.NoTestLimit, limits.TestTime)),
        Verdict(0, Level::Note, "время на вопрос: " + Limit(state.NoQuestionLimit, limits.QuestTime)),
        Verdict(0, Level::Note,
                std::string("на экране: время — ") + shown(state.ShowTime) + ", время на вопрос — " +
                    shown(state.ShowQuestionTime) + ", время на тест — " + shown(state.ShowQuestionTest) +
                    ", неправильных ответов — " + shown(state.ShowFalseAnswers) + ", правильных ответов — " +
                    shown(state.ShowTrueAnswers) + ", номер вопроса — " + shown(state.ShowNum)),
        Verdict(0, Level::Note, answers),
    };
}
} // namespace

int BaseReport::Status() const
{
    if (!readable)
        return 3;
    if (!listed || load != LoadFailure::None)
        return 2;
    const bool warned = std::any_of(findings.begin(), findings.end(),
                                    [](const Finding &f) { return f.level == Level::Warning; });
    return warned ? 1 : 0;
}

BaseReport CheckFile(const std::filesystem::path &file)
{
    FileBytes read = ReadWholeFile(file);
    if (read.error != FileError::None)
        return UnreadableBase(read.error);
    std::error_code ec;
    const ListingEntry entry = ClassifyEntry(std::filesystem::directory_entry(file, ec));
    HeadLines head;
    if (entry == ListingEntry::Read) {
        head = ReadHeadLines(file, HeadPurpose::Listing);
        if (head.error != FileError::None)
            return UnreadableBase(head.error);
    }
    return CheckBytes(std::move(read.bytes), entry, head);
}

BaseReport CheckBytes(std::string bytes, ListingEntry entry, const HeadLines &head)
{
    BaseReport report;
    EncodingReport encoding = EncodingFindings(bytes);
    report.findings = std::move(encoding.findings);
    TestState state;
    BaseLimits limits;
    LoadFault fault;
    report.load = CheckBase(std::move(bytes), state, limits, fault);
    if (!state.QuestLine.empty() && !encoding.misread) {
        std::vector<Finding> content = ContentFindings(state.BaseLines, state.QuestLine);
        report.findings.insert(report.findings.end(), content.begin(), content.end());
    }
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });

    report.listed = entry == ListingEntry::Read && ListedTitle(head).has_value();
    report.findings.push_back(ListingVerdict(entry, head, state.BaseLines));
    report.findings.push_back(LoadVerdict(report.load, fault, state));
    if (report.load == LoadFailure::None) {
        const std::vector<Finding> summary = Summary(state, limits);
        report.findings.insert(report.findings.end(), summary.begin(), summary.end());
    }
    return report;
}
