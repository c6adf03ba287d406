#include "basetool/EncodingCheck.h"

#include "basetool/Utf8.h"

#include <algorithm>

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
        warn(1, "файл в кодировке UTF-16, а программа читает Windows-1251; сохраните его в UTF-8 и "
                "преобразуйте командой convert");
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
}

void LineEndsOf(std::string_view bytes, EncodingReport &report)
{
    std::size_t line = 1;
    std::size_t crLf = 0;
    std::size_t firstBareCr = 0;
    std::size_t firstBareLf = 0;
    // Line by line: an LF inside a line is a bare one; a CR ends the line, with or without an LF after it.
    for (std::size_t start = 0; start < bytes.size(); ++line) {
        const std::size_t cr = std::min(bytes.find('\r', start), bytes.size());
        if (firstBareLf == 0 && bytes.substr(start, cr - start).find('\n') != std::string_view::npos)
            firstBareLf = line;
        if (cr == bytes.size())
            break;
        if (cr + 1 < bytes.size() && bytes[cr + 1] == '\n')
            ++crLf;
        else if (firstBareCr == 0)
            firstBareCr = line;
        start = cr + 1 + (cr + 1 < bytes.size() && bytes[cr + 1] == '\n');
    }
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
    if (firstBareCr != 0 && crLf != 0)
        warn(firstBareCr, "концы строк смешаны: здесь одиночный CR, а в других строках CR LF");
}
} // namespace

EncodingReport EncodingFindings(std::string_view bytes)
{
    EncodingReport report;
    EncodingOf(bytes, report);
    if (!report.misread)
        LineEndsOf(bytes, report);
    return report;
}
