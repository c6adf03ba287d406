#include "basetool/Convert.h"

#include "basetool/Findings.h"
#include "testbase/Cp1251.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {
// Whether every line ends in LF CR, as some editors write them; in any other text an LF before a CR ends
// one line and the CR the next, which may be empty.
template <typename Text> bool LfCrThroughout(const Text &text)
{
    bool any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i + 1 == text.size() || text[i + 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i == 0 || text[i - 1] != '\n'))
            return false;
        any = any || text[i] == '\n';
    }
    return any;
}

// An LF just before a CR in a text that does not end every line so: one line end or two, nobody can tell.
std::size_t AmbiguousLineEnd(std::string_view bytes)
{
    if (LfCrThroughout(bytes))
        return std::string_view::npos;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == '\r' && bytes[i + 1] == '\n')
            ++i;
        else if (bytes[i] == '\n' && bytes[i + 1] == '\r')
            return i;
    }
    return std::string_view::npos;
}

// The length of the line end at text[i]: 2 for CR LF, and for LF CR where lfCr, 1 for a lone CR or LF, 0
// for none.
template <typename Text> std::size_t LineEndAt(const Text &text, std::size_t i, bool lfCr)
{
    if (text[i] != '\r' && text[i] != '\n')
        return 0;
    const bool pair =
        i + 1 < text.size() && (text[i] == '\r' ? text[i + 1] == '\n' : lfCr && text[i + 1] == '\r');
    return pair ? 2 : 1;
}

// Line and column of text[at], as an editor counts them: any of CR LF, CR and LF ends a line, and a
// character is counted at the unit that starts it.
template <typename Text, typename StartsCharacter>
Converted Failure(const Text &text, std::size_t at, StartsCharacter startsCharacter, std::string error)
{
    Converted failed;
    failed.error = std::move(error);
    failed.line = 1;
    failed.column = 1;
    const bool lfCr = LfCrThroughout(text);
    for (std::size_t i = 0; i < at; ++i) {
        if (const std::size_t end = LineEndAt(text, i, lfCr)) {
            ++failed.line;
            failed.column = 1;
            i += end - 1;
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
    const bool lfCr = LfCrThroughout(bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (const std::size_t end = LineEndAt(bytes, i, lfCr)) {
            i += end - 1;
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    if (!out.empty() && !out.ends_with("\r\n"))
        out += "\r\n";
    return out;
}

// Letters that some editors and keyboards write as a base letter and a combining mark, joined into the
// one character Windows-1251 has for them: Й й Ё ё Ў ў Ї ї Ѓ ѓ Ќ ќ.
std::u16string Composed(std::u16string_view text)
{
    struct Joined
    {
        char16_t letter;
        char16_t mark;
        char16_t joined;
    };
    static constexpr Joined joins[] = {
        {u'И', 0x0306, u'Й'}, {u'и', 0x0306, u'й'}, {u'Е', 0x0308, u'Ё'}, {u'е', 0x0308, u'ё'},
        {u'У', 0x0306, u'Ў'}, {u'у', 0x0306, u'ў'}, {u'І', 0x0308, u'Ї'}, {u'і', 0x0308, u'ї'},
        {u'Г', 0x0301, u'Ѓ'}, {u'г', 0x0301, u'ѓ'}, {u'К', 0x0301, u'Ќ'}, {u'к', 0x0301, u'ќ'},
    };
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        const auto join = std::find_if(std::begin(joins), std::end(joins), [&](const Joined &j) {
            return j.mark == c && !out.empty() && out.back() == j.letter;
        });
        if (join != std::end(joins))
            out.back() = join->joined;
        else
            out += c;
    }
    return out;
}

bool StartsUtf8Character(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}
} // namespace

Converted ConvertText(std::string_view bytes, std::optional<TextEncoding> from)
{
    const SniffedEncoding sniffed = SniffEncoding(bytes);
    if (sniffed.encoding == TextEncoding::Utf16) {
        return {{},
                TextEncoding::Utf16,
                sniffed.bom ? "файл в UTF-16: сохраните его в редакторе как UTF-8"
                            : "файл похож на UTF-16 без метки порядка байтов (в нём много нулевых байтов): "
                              "сохраните его в редакторе как UTF-8",
                1,
                1};
    }
    if (!from && sniffed.strayAt != std::string_view::npos) {
        return Failure(bytes, sniffed.strayAt, StartsUtf8Character,
                       "байт " + ByteName(bytes[sniffed.strayAt]) +
                           " — не UTF-8, хотя остальной текст в UTF-8 (похоже на букву в Windows-1251): "
                           "исправьте его или укажите кодировку ключом --from");
    }
    Converted converted;
    converted.from = from.value_or(sniffed.encoding);
    if (const std::size_t at = AmbiguousLineEnd(bytes); at != std::string_view::npos) {
        const bool utf8 = converted.from == TextEncoding::Utf8;
        return Failure(
            bytes, at, [utf8](char c) { return !utf8 || StartsUtf8Character(c); },
            "здесь LF и CR подряд, а другие строки кончаются иначе: одна это строка или две, не "
            "понять; сохраните файл в редакторе с одним видом концов строк");
    }
    if (converted.from == TextEncoding::Cp1251) {
        converted.bytes = WithCrLf(bytes);
        return converted;
    }
    if (bytes.starts_with(Utf8Bom))
        bytes.remove_prefix(Utf8Bom.size());
    const DecodedUtf8 decoded = DecodeUtf8(bytes);
    if (decoded.badAt != std::string_view::npos) {
        return Failure(bytes, decoded.badAt, StartsUtf8Character,
                       "байт " + ByteName(bytes[decoded.badAt]) + " — не UTF-8, хотя " +
                           (sniffed.bom ? "файл начинается с метки UTF-8" : "указано --from utf-8"));
    }
    const std::u16string text = Composed(decoded.text);
    const StrictCp1251 encoded = Utf16ToCp1251Strict(text);
    if (encoded.failedAt != std::u16string_view::npos) {
        return Failure(
            text, encoded.failedAt, [](char16_t c) { return c < 0xDC00 || c > 0xDFFF; },
            "символ " + CharacterName(text, encoded.failedAt) + " нельзя записать в Windows-1251");
    }
    converted.bytes = WithCrLf(encoded.bytes);
    return converted;
}
