#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8, the text of teachers' editors and of the terminal, beside the Windows-1251 of the program's files.

// UTF-8 bytes as UTF-16; badAt is the offset of the first byte that is not valid UTF-8 (then text is empty).
struct DecodedUtf8
{
    std::u16string text;
    std::size_t badAt = std::string_view::npos;
};
DecodedUtf8 DecodeUtf8(std::string_view bytes);

std::string EncodeUtf8(std::u16string_view text);

// Windows-1251 text as UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);

// Any bytes as UTF-8 that is safe to print: a byte that is not UTF-8 becomes U+FFFD, and a control
// character '?', so that no name can break a line or steer the terminal.
std::string SafeUtf8(std::string_view bytes);

// The number of characters of UTF-8 text, for lining up columns.
std::size_t Utf8Length(std::string_view text);

// How a text file is encoded: a UTF-8 or UTF-16 byte-order mark decides; so many zero bytes in every
// second place as plain text never holds are UTF-16 without a mark; otherwise valid UTF-8 with at least
// one character beyond ASCII is UTF-8, and anything else is Windows-1251.
enum class TextEncoding
{
    Cp1251,
    Utf8,
    Utf16,
};
struct SniffedEncoding
{
    TextEncoding encoding = TextEncoding::Cp1251;
    bool bom = false;
    std::size_t firstNonAscii = std::string_view::npos; // the first byte beyond ASCII, after any mark
    // Windows-1251 by the rule above, yet UTF-8 but for a few bytes, as when a letter typed in another
    // editor was pasted in: the first byte that is not UTF-8.
    std::size_t strayAt = std::string_view::npos;
};
SniffedEncoding SniffEncoding(std::string_view bytes);

inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
