// Writes the icons, painted by the artwork, as a C++ source of their pixels, so that the program shows
// its icons without painting them at every start. Usage: paint_pixels OUTPUT_FILE
#include "artwork/Paintings.h"

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
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
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
