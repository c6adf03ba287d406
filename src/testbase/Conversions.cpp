#include "testbase/Conversions.h"

#include "testbase/Cp1251.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A decimal number as a base author writes it: optional sign, digits with an optional fraction after
// '.' or ',' (the Russian decimal separator), optional exponent. Words such as "inf" are not numbers.
std::optional<double> ParseNumber(std::string_view text)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-' ||
        text.find_first_not_of("0123456789.,eE+-") != std::string_view::npos)
        return std::nullopt;
    std::string plain(text);
    if (const auto comma = plain.find(','); comma != std::string::npos)
        plain[comma] = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// One field of a time: one or two digits.
std::optional<int> ReadField(std::string_view field)
{
    if (field.empty() || field.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}
} // namespace

std::optional<int> ParseFlag(std::string_view text)
{
    // Plain digits, as nearly every flag is written, need no general number reading.
    if (!text.empty() && text.size() <= 3 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int value = 0;
        for (const char c : text)
            value = value * 10 + (c - '0');
        return value <= 255 ? std::optional<int>(value) : std::nullopt;
    }
    const auto number = ParseNumber(text);
    if (!number || *number < -1 || *number > 256)
        return std::nullopt;
    // The default rounding mode rounds a tie to the even neighbour.
    const double rounded = std::nearbyint(*number);
    if (rounded < 0 || rounded > 255)
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<bool> ParseTruth(std::string_view text)
{
    const std::string word = UpperCp1251(TrimBlanks(text));
    if (word == "TRUE")
        return true;
    if (word == "FALSE")
        return false;
    const auto number = ParseNumber(word);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

bool IsNoneAnswer(std::string_view text)
{
    return UpperCp1251(text) == "NONE";
}

std::optional<std::int64_t> ReadTime(std::string_view text)
{
    // Hours and minutes, or hours, minutes and seconds, as a time of day.
    std::vector<std::string_view> parts;
    text = TrimBlanks(text);
    for (auto colon = text.find(':'); colon != std::string_view::npos; colon = text.find(':')) {
        parts.push_back(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    parts.push_back(text);
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    const int limits[] = {23, 59, 59};
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto field = i < parts.size() ? ReadField(parts[i]) : 0;
        if (!field || *field > limits[i]) {
            return std::nullopt;
        }
        seconds = seconds * 60 + *field;
    }
    return seconds;
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
