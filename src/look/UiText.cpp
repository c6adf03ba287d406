#include "look/UiText.h"

#include "testbase/Cp1251.h"

#include <QFile>

QString FromCp1251(std::string_view bytes)
{
    return QString::fromStdU16String(Cp1251ToUtf16(bytes));
}

std::string ToCp1251(const QString &text)
{
    return Utf16ToCp1251(text.toStdU16String());
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path ToPath(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

std::string ToPathString(const QString &path)
{
#ifdef _WIN32
    return path.toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString FromPathString(const std::string &path)
{
#ifdef _WIN32
    return QString::fromUtf8(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}
