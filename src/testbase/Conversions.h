#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Value conversions of a base. Each returns nothing when the text cannot be converted.

// "flag=": a number with blanks around it allowed, rounded half to even, 0 to 255.
std::optional<int> ParseFlag(std::string_view text);

// Display settings: "True" or "False" in any letter case, or a number (0 off, anything else on).
std::optional<bool> ParseTruth(std::string_view text);

// text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// An answer slot is unused when its text, upper-cased, is exactly "NONE".
bool IsNoneAnswer(std::string_view text);

// A time text read as a time of day in seconds ("H:MM:SS", "HH:MM" and the like); nothing when it is
// not a time of day.
std::optional<std::int64_t> ReadTime(std::string_view text);
