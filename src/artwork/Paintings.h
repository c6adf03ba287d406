#pragma once

#include <QImage>

#include <vector>

// The program's pictures, painted in code. The icons are painted when the program is built, into pixels it
// shows without painting them at every start; the markers are painted when shown, for the screen's density.
// Needs no application object.
namespace Paintings {
enum class Icon
{
    Program, // window icon, 32 x 32
    Accept,  // green tick: accept / OK buttons, 28 x 28
    Exit,    // round red sign: every exit button, 28 x 28
    Next,    // right-pointing block arrow, dark blue and purple, 16 and 32
    Hint,    // white page with a turned-down corner and a blue question mark, 16 and 32
    About,   // the results window's button that opens About, 28 x 28
};
inline constexpr Icon Icons[] = {Icon::Program, Icon::Accept, Icon::Exit,
                                 Icon::Next,    Icon::Hint,   Icon::About};

// The sides in device pixels an icon comes in: each design size at 1x and at 2x, so that high-density
// screens get pixels of their own instead of a blown-up small picture.
std::vector<int> DeviceSides(Icon icon);
// An icon painted at a side in device pixels, from the largest design that fits (the smallest if none
// does): a side that two designs share is painted from the larger.
QImage PaintIcon(Icon icon, int side);
// The question window's markers, 17 x 17 logical pixels at a device pixel ratio: a plain white square
// (Image1), or a red square with a white tick (Image2).
QImage PaintMarker(bool selected, qreal scale);
} // namespace Paintings
