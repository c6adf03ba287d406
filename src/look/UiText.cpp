#include "look/UiText.h"

#include "testbase/Cp1251.h"

QString FromCp1251(std::string_view bytes)
{
    return QString::fromStdU16String(Cp1251ToUtf16(bytes));
}

std::string ToCp1251(const QString &text)
{
    return Utf16ToCp1251(text.toStdU16String());
}

QString KeepCp1251(const QString &text)
{
    return QString::fromStdU16String(KeepCp1251(text.toStdU16String()));
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WrappingTooltip(const QString &plain)
{
    if (plain.isEmpty()) {
        return plain; // no tooltip at all
    }
    // A zero-width space lets a line break inside a word too long for any line.
    constexpr int LongestRun = 20;
    QString broken;
    int run = 0;
    for (const QChar c : plain) {
        broken += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run >= LongestRun && !c.isHighSurrogate()) {
            broken += QChar(0x200B);
            run = 0;
        }
    }
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + broken.toHtmlEscaped() +
           QStringLiteral("</p>");
}
