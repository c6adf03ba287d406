#pragma once

#include "basetool/Utf8Text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A text file made into the text of a base: Windows-1251 with CR LF after every line.
struct Converted
{
    std::string bytes;
    TextEncoding from = TextEncoding::Cp1251;
    // When the text cannot be converted: why, in Russian, and where, as its editor counts lines and
    // characters (from 1). bytes is then empty.
    std::string error;
    std::size_t line = 0;
    std::size_t column = 0;
};

// Reads UTF-8 (with or without a byte-order mark) or Windows-1251, as SniffEncoding tells them apart or as
// from forces, with any line ends: CR LF, CR, LF, or LF CR throughout as some editors write them. UTF-16, and
// UTF-8 with a few bytes that are not, are refused, since reading either as Windows-1251 would garble every
// letter; so is an LF CR among other line ends, which may be one line end or two. Letters written as a letter
// and a combining mark are joined first where Windows-1251 has them as one character.
Converted ConvertText(std::string_view bytes, std::optional<TextEncoding> from = std::nullopt);
