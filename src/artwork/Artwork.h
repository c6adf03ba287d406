#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures as the windows show them. The icons, each the picture of that name among
// Paintings::Icon, come as painted when the program was built, so that a start paints none of them; the
// markers are painted for the screen's density.
namespace Artwork {
QIcon ProgramIcon();
QIcon AcceptIcon();
QIcon ExitIcon();
QIcon NextIcon();
QIcon HintIcon();
QIcon AboutIcon();
QPixmap Unselected(); // Image1
QPixmap Selected();   // Image2
} // namespace Artwork
