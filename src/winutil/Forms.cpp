#include "winutil/Forms.h"

#include "winutil/Region.h"
#include "winutil/Twips.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#elif defined(ZT_HAVE_XCB_SHAPE)
#include <xcb/shape.h>
#endif

namespace Forms {
namespace {
QRegion ToRegion(const std::vector<PixelRect> &area)
{
    QRegion region;
    for (const PixelRect &band : area) {
        region += QRect(band.x, band.y, band.width, band.height);
    }
    return region;
}

// Gives the window's native surface the shape in device pixels, so that the corners are as many pixels
// as asked at every scale; a mask set through Qt is scaled from logical pixels and comes out uneven.
// (struct: Windows declares a drawing function of the same name.)
bool ShapeNatively([[maybe_unused]] QWidget *window, [[maybe_unused]] const struct RoundRect &shape)
{
#ifdef _WIN32
    const HRGN region = CreateRoundRectRgn(shape.left, shape.top, shape.right, shape.bottom,
                                           shape.ellipseWidth, shape.ellipseHeight);
    // The window owns the region from here on; a null region leaves it rectangular.
    SetWindowRgn(reinterpret_cast<HWND>(window->winId()), region, TRUE);
    return true;
#elif defined(ZT_HAVE_XCB_SHAPE)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr || !x11->connection()) {
        return false;
    }
    std::vector<xcb_rectangle_t> rectangles;
    for (const PixelRect &band : RoundRectArea(shape)) {
        rectangles.push_back({static_cast<int16_t>(band.x), static_cast<int16_t>(band.y),
                              static_cast<uint16_t>(band.width), static_cast<uint16_t>(band.height)});
    }
    xcb_shape_rectangles(x11->connection(), XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
                         XCB_CLIP_ORDERING_YX_BANDED, static_cast<xcb_window_t>(window->winId()), 0, 0,
                         static_cast<uint32_t>(rectangles.size()), rectangles.data());
    xcb_flush(x11->connection());
    return true;
#else
    return false;
#endif
}

// Within the screen's free area, as far as the window's size allows.
QPoint KeptOnScreen(const QWidget *window, QPoint topLeft)
{
    const QRect area = window->screen()->availableGeometry();
    const QSize size = window->frameGeometry().size();
    return {std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width())),
            std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height()))};
}
} // namespace

void ShapeWindow(double top, double left, double height, double width, double cornerHeight,
                 double cornerWidth, QWidget *window)
{
    // Twips per device pixel: 15 at 96 dpi, 12 at 120 dpi and so on.
    const double perPixel = Twips::PerPixel / window->devicePixelRatioF();
    const auto shape = ShapeRect(top, left, height, width, cornerHeight, cornerWidth, perPixel, perPixel);
    if (!ShapeNatively(window, shape)) {
        // Where the native surface cannot be reached (offscreen, Wayland), Qt's mask in logical pixels.
        window->setMask(ToRegion(RoundRectArea(ShapeRect(top, left, height, width, cornerHeight, cornerWidth,
                                                         Twips::PerPixel, Twips::PerPixel))));
    }
}

void ShowShaped(QWidget *window, const QWidget *opener)
{
    // Placed first: the native window, which the shape needs, is made here, and Qt's record of where a
    // native window stands can keep the place it was made at, which would put the topic list and the
    // extents a screen reader reports in the screen's corner.
    const QPoint centre =
        opener ? opener->window()->geometry().center() : window->screen()->availableGeometry().center();
    window->move(KeptOnScreen(window, centre - window->rect().center()));
    ShapeWindow(0, 0, Twips::FromPixels(window->height()), Twips::FromPixels(window->width()), 50, 50,
                window);
    window->show();
}

void ShowCentred(QWidget *window)
{
    window->move(
        KeptOnScreen(window, window->screen()->availableGeometry().center() - window->rect().center()));
    window->show();
}
} // namespace Forms
