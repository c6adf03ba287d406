// Paints the program's icons with its artwork, on the machine that builds the program (in a cross build, a
// native build's copy), so that the program never paints them at start and the files always match it.
//   paint_icons pixels OUTPUT_FILE         the icons as a C++ source of their pixels
//   paint_icons files HICOLOR_FOLDER ICO   the program icon as the desktops want it: PNGs in the hicolor
//                                          theme's sizes and a Windows icon
#include "artwork/Paintings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <string>

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

int WritePixels(const char *path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "// Written by the build from the artwork: the icons' pixels. Do not edit.\n"
           "#include \"artwork/PaintedPixels.h\"\n\nnamespace Artwork {\nnamespace {\n"
        << std::setfill('0');
    std::string cases;
    for (const Paintings::Icon icon : Paintings::Icons) {
        const std::string name = "icon" + std::to_string(static_cast<int>(icon));
        const auto sides = Paintings::DeviceSides(icon);
        for (const int side : sides) {
            const QImage image = Paintings::PaintIcon(icon, side);
            out << "constexpr quint32 " << name << "_" << side << "[] = {";
            for (int y = 0; y < side; ++y) {
                const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
                out << "\n   ";
                for (int x = 0; x < side; ++x) {
                    out << " 0x" << std::hex << std::setw(8) << line[x] << std::dec << ",";
                }
            }
            out << "\n};\n";
        }
        out << "constexpr PaintedImage " << name << "[] = {";
        for (const int side : sides) {
            out << "{" << side << ", " << name << "_" << side << "}, ";
        }
        out << "};\n";
        cases += "    case " + std::to_string(static_cast<int>(icon)) + ":\n        return " + name + ";\n";
    }
    out << "} // namespace\n\nstd::span<const PaintedImage> PaintedPixels(Paintings::Icon icon)\n{\n"
           "    switch (static_cast<int>(icon)) {\n"
        << cases << "    }\n    return {};\n}\n} // namespace Artwork\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int WriteFiles(const char *hicolorFolder, const char *icoFile)
{
    const QString hicolor = QString::fromLocal8Bit(hicolorFolder);
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("%1/%2x%2/apps/zorvanta-test.png").arg(hicolor).arg(side);
        if (!WriteFile(path, Png(side))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString ico = QString::fromLocal8Bit(icoFile);
    if (!WriteFile(ico, Ico({16, 24, 32, 48, 64, 256}))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "pixels" && argc == 3) {
        return WritePixels(argv[2]);
    }
    if (mode == "files" && argc == 4) {
        return WriteFiles(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: %s pixels OUTPUT_FILE | files HICOLOR_FOLDER ICO_FILE\n", argv[0]);
    return 2;
}
