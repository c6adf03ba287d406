#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// Fonts and colours shared by the windows. Families carry fallbacks that exist on Linux and show
// Cyrillic, so the windows look alike wherever the first choice is missing.
namespace Look {
enum class Family
{
    TimesNewRoman, // then Liberation Serif, DejaVu Serif
    ComicSansMS,   // then Comfortaa (Comic Neue has no Cyrillic), DejaVu Sans
    MSSansSerif,   // then Liberation Sans, DejaVu Sans
    System,        // then Liberation Sans, DejaVu Sans
    CourierNew,    // then Liberation Mono, DejaVu Sans Mono
    Staccato,      // a display face for the logo; then Comic Neue, DejaVu Serif
};

QFont Font(Family family, double points, bool bold);
// The platform's dialog font on the window and every control in it that has no font of its own yet:
// controls that a style sheet styles do not inherit the window's font.
void UseWindowFont(QWidget *window);
} // namespace Look
