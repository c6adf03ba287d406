#include "winutil/Forms.h"

#include "winutil/Region.h"
#include "winutil/Twips.h"

#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace Forms {
namespace {
// The rounded rectangle as rows of pixels: inside the corner zones each row is inset by the ellipse's
// curve at the row's middle. Masks have no partial pixels, so this is as clean as a corner can be.
QRegion RoundedRegion(const RoundRect &shape)
{
    const int width = shape.right - shape.left;
    const int height = shape.bottom - shape.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const double rx = std::clamp(shape.ellipseWidth, 0, width) / 2.0;
    const double ry = std::clamp(shape.ellipseHeight, 0, height) / 2.0;
    QRegion region;
    for (int row = 0; row < height; ++row) {
        const double fromEdge = std::min(row, height - 1 - row) + 0.5;
        int inset = 0;
        if (ry > 0 && fromEdge < ry) {
            const double dy = (ry - fromEdge) / ry;
            inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - dy * dy)));
        }
        region += QRect(shape.left + inset, shape.top + row, width - 2 * inset, 1);
    }
    return region;
}
} // namespace

void ShapeWindow(double top, double left, double height, double width, double cornerHeight,
                 double cornerWidth, QWidget *window)
{
    const RoundRect shape =
        ShapeRect(top, left, height, width, cornerHeight, cornerWidth, Twips::PerPixel, Twips::PerPixel);
    window->setMask(RoundedRegion(shape));
}

void ShowCentred(QWidget *window)
{
    window->move(window->screen()->availableGeometry().center() - window->rect().center());
    window->show();
}
} // namespace Forms
