#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures as the windows show them. The icons come as painted when the program was built,
// so that a start paints none of them; the markers are painted for the screen's density.
namespace Artwork {
QIcon ProgramIcon();  // window icon, 32 x 32
QIcon AcceptIcon();   // green tick: accept / OK buttons, 28 x 28
QIcon ExitIcon();     // round red sign: every exit button, 28 x 28
QIcon NextIcon();     // right-pointing block arrow, dark blue and purple, 16 and 32
QIcon HintIcon();     // white page with a turned-down corner and a blue question mark, 16 and 32
QIcon AboutIcon();    // the results window's button that opens About, 28 x 28
QPixmap Unselected(); // Image1: plain white square, 17 x 17
QPixmap Selected();   // Image2: red square with a white tick, 17 x 17
} // namespace Artwork
