#include "basetool/EncodingCheck.h"

#include "basetool/Utf8Text.h"
#include "testbase/BaseText.h"

#include <algorithm>
#include <string>

namespace {
// The program's line number of the byte at offset: a CR, alone or before an LF, ends a line.
std::size_t LineAt(std::string_view bytes, std::size_t offset)
{
    return 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + offset, '\r'));
}

void EncodingOf(std::string_view bytes, EncodingReport &report)
{
    std::vector<Finding> &findings = report.findings;
    const SniffedEncoding sniffed = SniffEncoding(bytes);
    const auto warn = [&](std::size_t line, std::string text) {
        findings.push_back({line, Level::Warning, Aspect::Encoding, std::move(text)});
    };
    if (sniffed.encoding == TextEncoding::Utf16) {
        warn(1,
             std::string(sniffed.bom ? "файл в кодировке UTF-16"
                                     : "файл похож на UTF-16 без метки порядка байтов") +
                 ", а программа читает Windows-1251; сохраните его в UTF-8 и преобразуйте командой convert");
        report.misread = true;
        return;
    }
    if (sniffed.bom) {
        warn(1, "файл начинается с метки порядка байтов UTF-8 (BOM): для программы это лишние символы в "
                "начале строки 1; преобразуйте файл командой convert");
    }
    if (sniffed.encoding == TextEncoding::Utf8 && sniffed.firstNonAscii != std::string_view::npos) {
        warn(LineAt(bytes, sniffed.firstNonAscii),
             "текст в UTF-8, а программа читает Windows-1251: русские буквы она покажет другими символами; "
             "преобразуйте файл командой convert");
    }
    if (sniffed.strayAt != std::string_view::npos) {
        warn(LineAt(bytes, sniffed.strayAt),
             "текст в UTF-8, но здесь байт " + ByteName(bytes[sniffed.strayAt]) +
                 " не из UTF-8, и программа, читая Windows-1251, покажет русские буквы другими символами; "
                 "исправьте этот байт и преобразуйте файл командой convert");
    }
}

// Bytes below the blank other than the tab and line ends: nobody sees them in a title, a key or a text,
// and a key with one in it is no key.
void ControlsOf(std::string_view bytes, EncodingReport &report)
{
    const auto isControl = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
    };
    const auto first = std::find_if(bytes.begin(), bytes.end(), isControl);
    if (first == bytes.end())
        return;
    const auto at = static_cast<std::size_t>(first - bytes.begin());
    const std::size_t lineStart =
        bytes.find_last_of('\r', at) == std::string_view::npos ? 0 : bytes.find_last_of('\r', at) + 1;
    const auto count = std::count_if(first, bytes.end(), isControl);
    report.findings.push_back(
        {LineAt(bytes, at), Level::Warning, Aspect::Content,
         "невидимый управляющий байт " + ByteName(*first) + " на " + std::to_string(at - lineStart + 1) +
             "-м месте строки: в названии, ключе или тексте его не видно, а ключ с ним не найдётся" +
             (count > 1 ? "; всего таких байтов в файле: " + std::to_string(count) : "")});
}

void LineEndsOf(std::string_view bytes, EncodingReport &report)
{
    std::size_t line = 0;
    std::size_t crLf = 0;
    std::size_t firstBareCr = 0;
    std::size_t firstBareLf = 0;
    std::size_t firstLfCr = 0;
    // Line by line: an LF inside a line is a bare one, unless it stands just before the CR that ends the
    // line, as editors that end lines with LF CR write; a CR ends the line, with or without an LF after it.
    LineSplitter().Feed(bytes, [&](std::string_view text, bool ends) {
        ++line;
        const std::size_t lf = text.find('\n');
        const bool beforeCr = ends && lf != std::string_view::npos && lf + 1 == text.size();
        if (firstLfCr == 0 && beforeCr)
            firstLfCr = line;
        if (firstBareLf == 0 && lf != std::string_view::npos && !beforeCr)
            firstBareLf = line;
        if (!ends)
            return;
        const auto cr = static_cast<std::size_t>(text.data() - bytes.data()) + text.size();
        if (cr + 1 < bytes.size() && bytes[cr + 1] == '\n')
            ++crLf;
        else if (firstBareCr == 0)
            firstBareCr = line;
    });
    const auto warn = [&](std::size_t at, std::string text) {
        report.findings.push_back({at, Level::Warning, Aspect::LineEnds, std::move(text)});
    };
    if (firstBareLf != 0 && crLf == 0 && firstBareCr == 0) {
        report.misread = true;
        warn(1, "строки кончаются одиночным LF, как в Linux, а программа считает концом строки только CR LF "
                "или CR: весь файл для неё одна строка; преобразуйте файл командой convert и проверьте "
                "снова");
    } else if (firstBareLf != 0) {
        warn(firstBareLf, "одиночный LF без CR: программа не считает его концом строки, и строка сливается "
                          "со следующей; преобразуйте файл командой convert");
    }
    if (firstLfCr != 0) {
        warn(firstLfCr, "конец строки LF CR: программа считает концом строки только CR, и LF остаётся "
                        "невидимым символом в конце строки; преобразуйте файл командой convert");
    }
    if (firstBareCr != 0 && crLf != 0)
        warn(firstBareCr, "концы строк смешаны: здесь одиночный CR, а в других строках CR LF");
}
} // namespace

EncodingReport EncodingFindings(std::string_view bytes)
{
    EncodingReport report;
    EncodingOf(bytes, report);
    if (!report.misread) {
        LineEndsOf(bytes, report);
        ControlsOf(bytes, report);
    }
    return report;
}
