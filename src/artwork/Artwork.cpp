#include "artwork/Artwork.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <initializer_list>
#include <set>

namespace Artwork {
namespace {
// Paints a picture into a square of side logical pixels; the painter is already scaled to the device.
using Painter = void (*)(QPainter &painter, qreal side);

QPixmap Render(int side, qreal scale, Painter paint)
{
    QPixmap pixmap(qRound(side * scale), qRound(side * scale));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter, side);
    return pixmap;
}

// Every design size at 1x and at 2x, so that high-density screens get pixels of their own instead of a
// blown-up small picture. A device size that two designs share is painted from the larger design.
QIcon MakeIcon(std::initializer_list<int> sides, Painter paint)
{
    std::set<int> deviceSides;
    for (int side : sides) {
        deviceSides.insert(side);
        deviceSides.insert(2 * side);
    }
    QIcon icon;
    for (int device : deviceSides) {
        int design = 0;
        for (int side : sides) {
            if (side <= device) {
                design = std::max(design, side);
            }
        }
        icon.addPixmap(Render(design, qreal(device) / design, paint));
    }
    return icon;
}

QPen RoundPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void PaintTick(QPainter &p, const QPointF &start, const QPointF &corner, const QPointF &end, qreal width,
               const QColor &outline, const QColor &fill)
{
    QPainterPath tick(start);
    tick.lineTo(corner);
    tick.lineTo(end);
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(outline, width + 1.5));
    p.drawPath(tick);
    p.setPen(RoundPen(fill, width));
    p.drawPath(tick);
}

void PaintProgram(QPainter &p, qreal s)
{
    const qreal u = s / 32;
    // A sheet with a blue heading band and lines of text, marked with a green tick.
    const QRectF sheet(5 * u, 2 * u, 20 * u, 27 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(sheet.translated(1.2 * u, 1.2 * u), 1.5 * u, 1.5 * u);
    p.setPen(QPen(QColor(90, 90, 110), u));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, 1.5 * u, 1.5 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 170));
    p.drawRect(QRectF(8 * u, 5 * u, 14 * u, 3 * u));
    p.setPen(QPen(QColor(150, 150, 165), 1.2 * u, Qt::SolidLine, Qt::FlatCap));
    for (qreal y : {11.5, 15.0, 18.5, 22.0}) {
        p.drawLine(QPointF(8 * u, y * u), QPointF((y > 20 ? 15 : 22) * u, y * u));
    }
    PaintTick(p, QPointF(15 * u, 21 * u), QPointF(19.5 * u, 26.5 * u), QPointF(29 * u, 12 * u), 3.2 * u,
              Qt::white, QColor(20, 150, 40));
}

void PaintAccept(QPainter &p, qreal s)
{
    const qreal u = s / 28;
    PaintTick(p, QPointF(5 * u, 14.5 * u), QPointF(11 * u, 21.5 * u), QPointF(23 * u, 6.5 * u), 4 * u,
              QColor(0, 90, 20), QColor(40, 180, 60));
}

void PaintExit(QPainter &p, qreal s)
{
    const qreal u = s / 28;
    const QPointF centre(14 * u, 14 * u);
    QRadialGradient red(QPointF(11 * u, 10 * u), 15 * u);
    red.setColorAt(0, QColor(255, 110, 100));
    red.setColorAt(1, QColor(200, 0, 0));
    p.setPen(QPen(QColor(120, 0, 0), u));
    p.setBrush(red);
    p.drawEllipse(centre, 12.5 * u, 12.5 * u);
    // A white cross: leave.
    p.setPen(RoundPen(Qt::white, 3.4 * u));
    const qreal arm = 5.2 * u;
    p.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    p.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
}

void PaintNext(QPainter &p, qreal s)
{
    const qreal u = s / 32;
    QPainterPath arrow;
    arrow.moveTo(2.5 * u, 11 * u);
    arrow.lineTo(16 * u, 11 * u);
    arrow.lineTo(16 * u, 3.5 * u);
    arrow.lineTo(29.5 * u, 16 * u);
    arrow.lineTo(16 * u, 28.5 * u);
    arrow.lineTo(16 * u, 21 * u);
    arrow.lineTo(2.5 * u, 21 * u);
    arrow.closeSubpath();
    QLinearGradient fill(QPointF(0, 0), QPointF(s, 0));
    fill.setColorAt(0, QColor(0, 0, 128));
    fill.setColorAt(1, QColor(128, 0, 128));
    p.setPen(QPen(QColor(20, 0, 60), std::max(1.0, 1.5 * u), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(arrow);
}

void PaintHint(QPainter &p, qreal s)
{
    const qreal u = s / 32;
    const qreal fold = 8 * u;
    const qreal pen = std::max(1.0, 1.2 * u);
    // The page, its top right corner turned down.
    QPainterPath page;
    page.moveTo(5 * u, 2 * u);
    page.lineTo(27 * u - fold, 2 * u);
    page.lineTo(27 * u, 2 * u + fold);
    page.lineTo(27 * u, 30 * u);
    page.lineTo(5 * u, 30 * u);
    page.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 80), pen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(27 * u - fold, 2 * u);
    corner.lineTo(27 * u - fold, 2 * u + fold);
    corner.lineTo(27 * u, 2 * u + fold);
    corner.closeSubpath();
    p.setBrush(QColor(200, 200, 200));
    p.drawPath(corner);
    // The question mark: a hook and a dot.
    QPainterPath hook;
    hook.moveTo(11.5 * u, 13 * u);
    hook.arcTo(QRectF(11.5 * u, 8 * u, 9 * u, 9 * u), 180, -240);
    hook.quadTo(QPointF(16 * u, 18 * u), QPointF(16 * u, 21 * u));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 230), std::max(1.8, 3 * u), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 230));
    p.drawEllipse(QPointF(16 * u, 25.5 * u), 1.9 * u, 1.9 * u);
}

void PaintAbout(QPainter &p, qreal s)
{
    const qreal u = s / 28;
    QRadialGradient blue(QPointF(11 * u, 10 * u), 15 * u);
    blue.setColorAt(0, QColor(110, 150, 255));
    blue.setColorAt(1, QColor(20, 50, 190));
    p.setPen(QPen(QColor(10, 20, 110), u));
    p.setBrush(blue);
    p.drawEllipse(QPointF(14 * u, 14 * u), 12.5 * u, 12.5 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14 * u, 8.3 * u), 2.1 * u, 2.1 * u);
    p.drawRoundedRect(QRectF(12.2 * u, 12 * u, 3.6 * u, 10 * u), 0.8 * u, 0.8 * u);
}

void PaintUnselected(QPainter &p, qreal s)
{
    p.fillRect(QRectF(0, 0, s, s), Qt::white);
}

void PaintSelected(QPainter &p, qreal s)
{
    const qreal u = s / 17;
    p.fillRect(QRectF(0, 0, s, s), QColor(255, 0, 0));
    QPainterPath tick(QPointF(3.5 * u, 8.5 * u));
    tick.lineTo(7 * u, 13 * u);
    tick.lineTo(14 * u, 3.5 * u);
    p.setPen(QPen(Qt::white, 2 * u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(tick);
}

// The markers are plain pixmaps: painted for the densest screen and shown at 17 x 17 logical pixels.
QPixmap Marker(Painter paint)
{
    const qreal scale = qGuiApp->devicePixelRatio();
    QPixmap pixmap = Render(17, scale, paint);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}
} // namespace

QIcon ProgramIcon()
{
    return MakeIcon({32}, PaintProgram);
}

QIcon AcceptIcon()
{
    return MakeIcon({28}, PaintAccept);
}

QIcon ExitIcon()
{
    return MakeIcon({28}, PaintExit);
}

QIcon NextIcon()
{
    return MakeIcon({16, 32}, PaintNext);
}

QIcon HintIcon()
{
    return MakeIcon({16, 32}, PaintHint);
}

QIcon AboutIcon()
{
    return MakeIcon({28}, PaintAbout);
}

QImage ProgramPicture(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);
    PaintProgram(painter, 32);
    return image;
}

QPixmap Unselected()
{
    return Marker(PaintUnselected);
}

QPixmap Selected()
{
    return Marker(PaintSelected);
}
} // namespace Artwork
