#include "basetool/Convert.h"

#include "testbase/Cp1251.h"

#include <cstdio>

namespace {
// Line and column of text[at], as an editor counts them: any of CR LF, CR and LF ends a line, and a
// character is counted at the unit that starts it.
template <typename Text, typename StartsCharacter>
Converted Failure(const Text &text, std::size_t at, StartsCharacter startsCharacter, std::string error)
{
    Converted failed;
    failed.error = std::move(error);
    failed.line = 1;
    failed.column = 1;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n' && i > 0 && text[i - 1] == '\r')
            continue;
        if (text[i] == '\r' || text[i] == '\n') {
            ++failed.line;
            failed.column = 1;
        } else if (startsCharacter(text[i])) {
            ++failed.column;
        }
    }
    return failed;
}

std::string CharacterName(std::u16string_view text, std::size_t at)
{
    char32_t point = text[at];
    std::size_t length = 1;
    if (point >= 0xD800 && point <= 0xDBFF && at + 1 < text.size()) {
        point = 0x10000 + ((point - 0xD800) << 10) + (text[at + 1] - 0xDC00);
        length = 2;
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    // A control character is named by its code alone; it must not reach the terminal.
    return point < 0xA0 ? code : "«" + EncodeUtf8(text.substr(at, length)) + "» (" + code + ")";
}

// Every line end becomes CR LF, and the last line gets one too.
std::string WithCrLf(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    if (!out.empty() && !out.ends_with("\r\n"))
        out += "\r\n";
    return out;
}
} // namespace

Converted ConvertText(std::string_view bytes)
{
    const SniffedEncoding sniffed = SniffEncoding(bytes);
    if (sniffed.encoding == TextEncoding::Utf16) {
        return {{}, TextEncoding::Utf16, "файл в UTF-16: сохраните его в редакторе как UTF-8", 1, 1};
    }
    Converted converted;
    converted.from = sniffed.encoding;
    if (sniffed.encoding == TextEncoding::Cp1251) {
        converted.bytes = WithCrLf(bytes);
        return converted;
    }
    if (sniffed.bom)
        bytes.remove_prefix(Utf8Bom.size());
    const DecodedUtf8 decoded = DecodeUtf8(bytes);
    if (decoded.badAt != std::string_view::npos) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(bytes[decoded.badAt]));
        return Failure(
            bytes, decoded.badAt, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; },
            "байт " + std::string(byte) + " — не UTF-8, хотя файл начинается с метки UTF-8");
    }
    const StrictCp1251 encoded = Utf16ToCp1251Strict(decoded.text);
    if (encoded.failedAt != std::u16string_view::npos) {
        return Failure(
            decoded.text, encoded.failedAt, [](char16_t c) { return c < 0xDC00 || c > 0xDFFF; },
            "символ " + CharacterName(decoded.text, encoded.failedAt) + " нельзя записать в Windows-1251");
    }
    converted.bytes = WithCrLf(encoded.bytes);
    return converted;
}
