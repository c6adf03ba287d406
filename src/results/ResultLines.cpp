#include "results/ResultLines.h"

#include <optional>

namespace {
constexpr std::string_view AnswerGap = "  ";
constexpr std::string_view NameEnd = "= ";
constexpr std::string_view TrueKey = "  True= ";
constexpr std::string_view FalseKey = "  False= ";
// More digits than any count of a result could have; it also keeps the number within an int.
constexpr std::size_t MaxDigits = 9;

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
