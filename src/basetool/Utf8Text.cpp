#include "basetool/Utf8Text.h"

#include "testbase/Cp1251.h"
#include "testbase/Utf8Char.h"

#include <algorithm>

namespace {
void AppendUtf8(std::string &out, char32_t point)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}
} // namespace

DecodedUtf8 DecodeUtf8(std::string_view bytes)
{
    DecodedUtf8 decoded;
    decoded.text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto [point, length] = Utf8At(bytes, at);
        if (length == 0)
            return {{}, at};
        if (point < 0x10000) {
            decoded.text += static_cast<char16_t>(point);
        } else {
            decoded.text += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            decoded.text += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
        at += length;
    }
    return decoded;
}

std::string EncodeUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(out, point);
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view bytes)
{
    return EncodeUtf8(Cp1251ToUtf16(bytes));
}

std::string SafeUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto [point, length] = Utf8At(bytes, at);
        const bool control = point < 0x20 || (point >= 0x7F && point < 0xA0);
        if (length == 0)
            AppendUtf8(out, 0xFFFD);
        else if (control)
            out += '?';
        else
            out.append(bytes.substr(at, length));
        at += length == 0 ? 1 : length;
    }
    return out;
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t length = 0;
    for (const char c : text)
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return length;
}

namespace {
// Text in UTF-16 has a zero byte in every second place for each ASCII character, and a base is mostly
// keys; Windows-1251 text has none, or a few by accident.
bool LooksLikeUtf16(std::string_view bytes)
{
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        zeros[i % 2] += bytes[i] == '\0';
    return bytes.size() >= 4 && std::max(zeros[0], zeros[1]) * 8 >= bytes.size();
}
} // namespace

SniffedEncoding SniffEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return {TextEncoding::Utf16, true, std::string_view::npos};
    if (LooksLikeUtf16(bytes))
        return {TextEncoding::Utf16, false, std::string_view::npos};
    SniffedEncoding sniffed;
    sniffed.bom = bytes.starts_with(Utf8Bom);
    std::size_t characters = 0; // beyond ASCII, valid UTF-8
    std::size_t strays = 0;
    for (std::size_t at = sniffed.bom ? Utf8Bom.size() : 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        sniffed.firstNonAscii = std::min(sniffed.firstNonAscii, at);
        const std::size_t length = Utf8At(bytes, at).length;
        if (length == 0) {
            sniffed.strayAt = std::min(sniffed.strayAt, at);
            ++strays;
            ++at;
        } else {
            ++characters;
            at += length;
        }
    }
    // Russian in Windows-1251 is mostly letters beyond ASCII side by side, which are seldom valid UTF-8;
    // so a text valid but for a few bytes is UTF-8 with strays, not Windows-1251.
    if (strays > 0 && (sniffed.bom || characters <= strays * 2))
        sniffed.strayAt = std::string_view::npos;
    const bool utf8 = sniffed.bom || (strays == 0 && characters > 0);
    sniffed.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Cp1251;
    return sniffed;
}
