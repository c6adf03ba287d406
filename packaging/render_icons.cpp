// Writes the program icon, painted by the program's own artwork, as the files the desktops want: PNGs in
// the hicolor theme's sizes and a Windows icon. Usage: render_icons HICOLOR_FOLDER ICO_FILE
#include "artwork/Paintings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>

namespace {
QByteArray Png(int side)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Paintings::PaintIcon(Paintings::Icon::Program, side).save(&buffer, "PNG");
    return bytes;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

template <typename T> void Append(QByteArray &bytes, T value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// An ICO file whose images are PNGs, as Windows has read them since Vista: a header, one directory entry
// per image, then the images.
QByteArray Ico(const QList<int> &sides)
{
    QByteArray header;
    QByteArray images;
    Append<quint16>(header, 0);
    Append<quint16>(header, 1); // an icon, not a cursor
    Append<quint16>(header, quint16(sides.size()));
    const int firstImage = 6 + 16 * int(sides.size());
    for (const int side : sides) {
        const QByteArray png = Png(side);
        header.append(char(side >= 256 ? 0 : side)); // 0 stands for 256
        header.append(char(side >= 256 ? 0 : side));
        header.append(char(0)); // no palette
        header.append(char(0));
        Append<quint16>(header, 1);  // colour planes
        Append<quint16>(header, 32); // bits per pixel
        Append<quint32>(header, quint32(png.size()));
        Append<quint32>(header, quint32(firstImage + images.size()));
        images += png;
    }
    return header + images;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s HICOLOR_FOLDER ICO_FILE\n", argv[0]);
        return 2;
    }
    const QString hicolor = QString::fromLocal8Bit(argv[1]);
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("%1/%2x%2/apps/zorvanta-test.png").arg(hicolor).arg(side);
        if (!WriteFile(path, Png(side))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString ico = QString::fromLocal8Bit(argv[2]);
    if (!WriteFile(ico, Ico({16, 24, 32, 48, 64, 256}))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
