#include "artwork/Paintings.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <set>

namespace Paintings {
namespace {
// Paints a picture into a square of side logical pixels; the painter is already scaled to the device.
using Painter = void (*)(QPainter &painter, qreal side);

QImage Render(int side, qreal scale, Painter paint)
{
    QImage image(qRound(side * scale), qRound(side * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter, side);
    return image;
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

struct Design
{
    std::vector<int> sides;
    Painter paint;
};

Design DesignOf(Icon icon)
{
    switch (icon) {
    case Icon::Program:
        return {{32}, PaintProgram};
    case Icon::Accept:
        return {{28}, PaintAccept};
    case Icon::Exit:
        return {{28}, PaintExit};
    case Icon::Next:
        return {{16, 32}, PaintNext};
    case Icon::Hint:
        return {{16, 32}, PaintHint};
    case Icon::About:
        return {{28}, PaintAbout};
    }
    return {{}, nullptr};
}
} // namespace

std::vector<int> DeviceSides(Icon icon)
{
    std::set<int> sides;
    for (int side : DesignOf(icon).sides) {
        sides.insert(side);
        sides.insert(2 * side);
    }
    return {sides.begin(), sides.end()};
}

QImage PaintIcon(Icon icon, int side)
{
    const Design design = DesignOf(icon);
    int chosen = design.sides.front();
    for (int designSide : design.sides) {
        if (designSide <= side) {
            chosen = std::max(chosen, designSide);
        }
    }
    return Render(chosen, qreal(side) / chosen, design.paint);
}

QImage PaintMarker(bool selected, qreal scale)
{
    return Render(17, scale, selected ? PaintSelected : PaintUnselected);
}
} // namespace Paintings
