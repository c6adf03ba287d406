#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one crossing between engine text (Windows-1251 bytes) and the windows' Unicode.
QString FromCp1251(std::string_view bytes);
std::string ToCp1251(const QString &text);
// The characters of text that survive ToCp1251 unchanged.
QString KeepCp1251(const QString &text);
// A tooltip that wraps within the screen, however long its words: rich text, which a tooltip wraps,
// with a break allowed in every long run of letters.
QString WrappingTooltip(const QString &plain);
// Message texts, which the engine keeps as UTF-8.
QString FromUtf8(std::string_view text);
