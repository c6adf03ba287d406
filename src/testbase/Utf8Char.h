#pragma once

#include <cstddef>
#include <string_view>

// One character of UTF-8 text.
struct Utf8Char
{
    char32_t point = 0;
    std::size_t length = 0; // bytes; 0 when the bytes there are not valid UTF-8
};

// The character that starts at bytes[at]. Overlong forms, surrogates and code points beyond U+10FFFF are
// not valid UTF-8.
Utf8Char Utf8At(std::string_view bytes, std::size_t at);
