#include "basetool/Findings.h"

#include "basetool/Utf8Text.h"
#include "testbase/Messages.h"

#include <cstdio>

namespace {
// Enough to recognise a line; a whole long line would drown the message.
constexpr std::size_t QuotedLength = 60;

std::string_view LevelText(Level level)
{
    switch (level) {
    case Level::Note:
        return "итог";
    case Level::Warning:
        return "предупреждение";
    case Level::Error:
        return "ошибка";
    }
    return {};
}
} // namespace

Finding Unreadable(FileError error)
{
    return {0, Level::Error, Aspect::Verdict, "файл не читается: " + std::string(Messages::Text(error))};
}

void FindingPrinter::Print(std::string_view file, const Finding &finding)
{
    std::ostream &stream = finding.level == Level::Error ? m_err : m_out;
    if (m_last != nullptr && m_last != &stream)
        m_last->flush();
    m_last = &stream;
    stream << file << ':' << finding.line << ": " << LevelText(finding.level) << ": " << finding.text << '\n';
}

void FindingPrinter::Print(std::string_view file, const std::vector<Finding> &findings)
{
    for (const Finding &finding : findings)
        Print(file, finding);
    if (m_last != nullptr)
        m_last->flush();
}

std::string PathText(const std::filesystem::path &path)
{
#ifdef _WIN32
    // Wide names may hold lone surrogates, which a conversion of the library would throw on.
    const std::wstring &name = path.native();
    return SafeUtf8(EncodeUtf8(std::u16string(name.begin(), name.end())));
#else
    return SafeUtf8(path.native());
#endif
}

std::string_view AnswerLetter(int number)
{
    constexpr std::string_view letters[] = {"а)", "б)", "в)", "г)"};
    return letters[number - 1];
}

std::string ByteName(char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(byte));
    return text;
}

std::string Shown(std::string_view cp1251)
{
    std::string text(cp1251);
    for (char &c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x98)
            c = '?';
    }
    return Cp1251ToUtf8(text);
}

std::string Quoted(std::string_view cp1251)
{
    return "«" + Shown(cp1251.substr(0, QuotedLength)) + (cp1251.size() > QuotedLength ? "…»" : "»");
}
