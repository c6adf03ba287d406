#include "look/Look.h"

#include <QStringList>
#include <QWidget>


namespace Look {
namespace {
QStringList Families(Family family)
{
    switch (family) {
    case Family::TimesNewRoman:
        return {"Times New Roman", "Liberation Serif", "DejaVu Serif"};
    case Family::ComicSansMS:
        return {"Comic Sans MS", "Comfortaa", "Comic Neue", "DejaVu Sans"};
    case Family::MSSansSerif:
        return {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans"};
    case Family::System:
        return {"System", "Liberation Sans", "DejaVu Sans"};
    case Family::CourierNew:
        return {"Courier New", "Liberation Mono", "DejaVu Sans Mono"};
    case Family::Staccato:
        return {"Staccato222 BT", "Comic Neue", "DejaVu Serif"};
    }
    return {};
}
} // namespace

QFont Font(Family family, double points, bool bold)
{
    QFont font;
    font.setFamilies(Families(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void UseWindowFont(QWidget *window)
{
    const QFont font = Font(Family::MSSansSerif, 8.25, false);
    window->setFont(font);
    const auto controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        control->setFont(font);
    }
}
} // namespace Look
