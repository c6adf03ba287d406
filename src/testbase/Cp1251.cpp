#include "testbase/Cp1251.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {
// Characters of bytes 0x80 to 0xFF; the lower half is ASCII. Byte 0x98 has no character in the code page
// and maps to the control character of the same number, so every byte survives a round trip.
constexpr std::array<char16_t, 128> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // 0xC0: А to Я, then а to я
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

// Byte of each character of the high half, or 0 when the code page has none; built once by inverting
// the table above over the part of Unicode it uses.
char EncodeHigh(char16_t c)
{
    static const auto reverse = [] {
        std::array<std::uint8_t, 0x2200> bytes{};
        for (std::size_t i = 0; i < HighHalf.size(); ++i)
            bytes[HighHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
        return bytes;
    }();
    return c < reverse.size() ? std::bit_cast<char>(reverse[c]) : '\0';
}

// The character that starts at text[i]: its length in UTF-16 units (a surrogate pair is one character)
// and its byte, or no byte when the code page lacks it.
struct Character
{
    std::size_t units = 1;
    bool held = true;
    char byte = 0;
};
Character At(std::u16string_view text, std::size_t i)
{
    const char16_t c = text[i];
    if (c < 0x80)
        return {1, true, static_cast<char>(c)};
    const bool pair =
        c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    const char b = EncodeHigh(c);
    return {pair ? 2u : 1u, b != 0, b};
}

// Encodes text. A character that the code page lacks becomes '?' or, when strict, ends the conversion with
// its index in failedAt.
std::string Encode(std::u16string_view text, bool strict, std::size_t &failedAt)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = At(text, i);
        if (!c.held && strict) {
            failedAt = i;
            return {};
        }
        bytes += c.held ? c.byte : '?';
        i += c.units;
    }
    return bytes;
}
} // namespace

// Lower-case byte -> upper-case byte; every other byte maps to itself.
constexpr std::array<unsigned char, 256> UpperCp1251Table = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        table[b] = static_cast<unsigned char>(b - 'a' + 'A');
    for (int b = 0xE0; b <= 0xFF; ++b)
        table[b] = static_cast<unsigned char>(b - 0x20);
    constexpr std::pair<int, int> pairs[] = {
        {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
        {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
        {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
    };
    for (auto [lower, upper] : pairs)
        table[lower] = static_cast<unsigned char>(upper);
    return table;
}();

std::u16string Cp1251ToUtf16(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = b < 0x80 ? char16_t{b} : HighHalf[b - 0x80];
    }
    return text;
}

StrictCp1251 Utf16ToCp1251Strict(std::u16string_view text)
{
    StrictCp1251 result;
    result.bytes = Encode(text, true, result.failedAt);
    return result;
}

std::string Utf16ToCp1251(std::u16string_view text)
{
    std::size_t unused = 0;
    return Encode(text, false, unused);
}

std::u16string KeepCp1251(std::u16string_view text)
{
    std::u16string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = At(text, i);
        if (c.held)
            kept += text.substr(i, c.units);
        i += c.units;
    }
    return kept;
}

std::string UpperCp1251(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = UpperCp1251(c);
    return upper;
}
