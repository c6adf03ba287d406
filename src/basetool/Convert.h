#pragma once

#include "basetool/Utf8.h"

#include <cstddef>
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

// Reads UTF-8 (with or without a byte-order mark) or Windows-1251 as SniffEncoding tells them apart, with
// any line ends: CR LF, CR or LF.
Converted ConvertText(std::string_view bytes);
