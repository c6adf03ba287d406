#pragma once

#include "artwork/Paintings.h"

#include <QtGlobal>

#include <span>

namespace Artwork {
// One size of an icon as painted when the program was built: side x side premultiplied ARGB pixels.
struct PaintedImage
{
    int side;
    const quint32 *argb;
};

// Every size of an icon, smallest first. Defined in the source the build writes.
std::span<const PaintedImage> PaintedPixels(Paintings::Icon icon);
} // namespace Artwork
