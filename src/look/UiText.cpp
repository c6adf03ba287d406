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
