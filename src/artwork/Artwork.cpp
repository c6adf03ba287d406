#include "artwork/Artwork.h"

#include "artwork/PaintedPixels.h"
#include "artwork/Paintings.h"

#include <QGuiApplication>

namespace Artwork {
namespace {
QIcon Painted(Paintings::Icon which)
{
    QIcon icon;
    for (const PaintedImage &image : PaintedPixels(which)) {
        const QImage pixels(reinterpret_cast<const uchar *>(image.argb), image.side, image.side,
                            QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(pixels));
    }
    return icon;
}

// The markers are plain pixmaps: painted for the densest screen and shown at 17 x 17 logical pixels.
QPixmap Marker(bool selected)
{
    const qreal scale = qGuiApp->devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(Paintings::PaintMarker(selected, scale));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}
} // namespace

QIcon ProgramIcon()
{
    return Painted(Paintings::Icon::Program);
}

QIcon AcceptIcon()
{
    return Painted(Paintings::Icon::Accept);
}

QIcon ExitIcon()
{
    return Painted(Paintings::Icon::Exit);
}

QIcon NextIcon()
{
    return Painted(Paintings::Icon::Next);
}

QIcon HintIcon()
{
    return Painted(Paintings::Icon::Hint);
}

QIcon AboutIcon()
{
    return Painted(Paintings::Icon::About);
}

QPixmap Unselected()
{
    return Marker(false);
}

QPixmap Selected()
{
    return Marker(true);
}
} // namespace Artwork
