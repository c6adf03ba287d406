#include "look/Look.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

#include <array>

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

// The first family of the list that is installed, found once for the program's run. A font that names a
// missing family, or more than one, costs the toolkit a system-wide font search each time it is loaded;
// this way each window font is loaded straight from its one file.
QStringList Installed(Family family)
{
    static std::array<QStringList, static_cast<std::size_t>(Family::Staccato) + 1> found;
    QStringList &installed = found.at(static_cast<std::size_t>(family));
    if (installed.isEmpty()) {
        const QStringList candidates = Families(family);
        const QStringList families = QFontDatabase::families();
        installed = candidates;
        for (const QString &candidate : candidates) {
            if (families.contains(candidate, Qt::CaseInsensitive)) {
                installed = {candidate};
                break;
            }
        }
    }
    return installed;
}
} // namespace

QFont Font(Family family, double points, bool bold)
{
    QFont font;
    font.setFamilies(Installed(family));
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
        // A control given its own font first is laid out once, in that font.
        if (!control->testAttribute(Qt::WA_SetFont)) {
            control->setFont(font);
        }
    }
}
} // namespace Look
