#include "results/ResultLines.h"

#include <cstdio>
#include <optional>
#include <tuple>

namespace {
constexpr std::string_view AnswerGap = "  ";
constexpr std::string_view NameEnd = "= ";
constexpr std::string_view TrueKey = "  True= ";
constexpr std::string_view FalseKey = "  False= ";
// More digits than any count of a result could have; it also keeps the number within an int.
constexpr std::size_t MaxDigits = 9;
// The shape of an archive's name before its suffix, 9 standing for a digit, and its extension.
constexpr std::string_view ArchiveStamp = "Result-9999-99-99_999999";
constexpr std::string_view ArchiveExtension = ".res";

std::optional<int> Number(std::string_view digits)
{
    if (digits.empty() || digits.size() > MaxDigits ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// The number after the last key in line; line keeps what stands before that key.
std::optional<int> TakeLastCount(std::string_view &line, std::string_view key)
{
    const auto at = line.rfind(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    const auto number = Number(line.substr(at + key.size()));
    if (number)
        line = line.substr(0, at);
    return number;
}
} // namespace

ResultLineFault ParseResultLine(std::string_view line, ResultRecord &record)
{
    const auto falseCount = TakeLastCount(line, FalseKey);
    if (!falseCount)
        return ResultLineFault::NoFalse;
    const auto trueCount = TakeLastCount(line, TrueKey);
    if (!trueCount)
        return ResultLineFault::NoTrue;

    // The answers, from the last one back: each is digits after two blanks. The blank of "= " before the
    // first answer ends the run, so a name ending in digits is never taken for answers.
    std::vector<int> answers;
    for (;;) {
        const auto digits = line.find_last_not_of("0123456789");
        const std::size_t start = digits == std::string_view::npos ? 0 : digits + 1;
        if (start == line.size() || !line.substr(0, start).ends_with(AnswerGap))
            break;
        const auto answer = Number(line.substr(start));
        if (!answer || *answer > 4)
            return ResultLineFault::BadAnswer;
        answers.push_back(*answer);
        line = line.substr(0, start - AnswerGap.size());
    }
    if (!line.ends_with(NameEnd))
        return ResultLineFault::NoSeparator;
    if (static_cast<std::size_t>(*trueCount) + static_cast<std::size_t>(*falseCount) != answers.size())
        return ResultLineFault::CountsDisagree;

    record.UserName = std::string(line.substr(0, line.size() - NameEnd.size()));
    record.GivenAnswer.assign(answers.rbegin(), answers.rend());
    record.TrueCount = *trueCount;
    record.FalseCount = *falseCount;
    return ResultLineFault::None;
}

std::string ResultLine(const TestState &state)
{
    std::string line = state.UserName;
    line += NameEnd;
    for (int i = 1; i <= state.QuestCount; ++i) {
        const bool given = static_cast<std::size_t>(i) < state.GivenAnswer.size();
        line += AnswerGap;
        line += std::to_string(given ? state.GivenAnswer[i] : 0);
    }
    line += TrueKey;
    line += std::to_string(state.TrueCount);
    line += FalseKey;
    line += std::to_string(state.WrongCount());
    line += "\r\n";
    return line;
}

std::filesystem::path ResultFilePath(const std::filesystem::path &programFolder)
{
    return programFolder / ResultFileName;
}

std::filesystem::path ArchiveFolder(const std::filesystem::path &programFolder)
{
    return programFolder / ArchiveFolderName;
}

std::string ArchiveName(const LocalDateTime &at, int attempt)
{
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "Result-%04d-%02d-%02d_%02d%02d%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return stamp + (attempt > 1 ? "_" + std::to_string(attempt) : std::string()) +
           std::string(ArchiveExtension);
}

bool IsArchiveName(std::string_view name)
{
    if (name.size() < ArchiveStamp.size() + ArchiveExtension.size() || !name.ends_with(ArchiveExtension))
        return false;
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    for (std::size_t i = 0; i < ArchiveStamp.size(); ++i) {
        const char shape = ArchiveStamp[i];
        if (shape == '9' ? !digits(name.substr(i, 1)) : name[i] != shape)
            return false;
    }
    // Nothing but "_N" may stand between the stamp and the extension.
    const std::string_view suffix =
        name.substr(ArchiveStamp.size(), name.size() - ArchiveStamp.size() - ArchiveExtension.size());
    return suffix.empty() || (suffix.size() > 1 && suffix[0] == '_' && digits(suffix.substr(1)));
}

bool ArchivedBefore(std::string_view a, std::string_view b)
{
    const auto key = [](std::string_view name) {
        return std::tuple(name.substr(0, ArchiveStamp.size()), name.size(), name);
    };
    return key(a) < key(b);
}
