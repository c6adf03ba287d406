#pragma once

#include <array>
#include <string>
#include <string_view>

// Windows-1251 is the text of every file the program reads or writes. The table is our own: Qt has no
// codec for it on every platform.
std::u16string Cp1251ToUtf16(std::string_view bytes);
// Characters that Windows-1251 cannot hold become '?'.
std::string Utf16ToCp1251(std::u16string_view text);
// The same for text that must survive unchanged: the first character that Windows-1251 cannot hold ends
// the conversion, leaving no bytes and its index in text.
struct StrictCp1251
{
    std::string bytes;
    std::size_t failedAt = std::u16string_view::npos;
};
StrictCp1251 Utf16ToCp1251Strict(std::u16string_view text);
// The characters of text that Windows-1251 can hold, in their order.
std::u16string KeepCp1251(std::u16string_view text);

// Letter case as the Russian Windows code page defines it (Latin, Cyrillic, Ё and the other letters).
// The byte form is inline: key lookups upper-case every line they pass.
extern const std::array<unsigned char, 256> UpperCp1251Table;
inline char UpperCp1251(char c)
{
    return static_cast<char>(UpperCp1251Table[static_cast<unsigned char>(c)]);
}
std::string UpperCp1251(std::string_view text);
