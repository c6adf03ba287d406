#include "testbase/LineReader.h"

#include <cerrno>
#include <new>
#include <string>
#include <vector>

namespace {
constexpr std::size_t PieceSize = 1 << 16;
} // namespace

FileError ForEachFileLine(const std::filesystem::path &path,
                          const std::function<void(std::string_view)> &onLine)
{
    FileError error = FileError::None;
    const FileHandle file = OpenForReading(path, error);
    if (!file)
        return error;
    std::vector<char> piece(PieceSize);
    std::string gathered; // the start of a line that runs on into the next piece
    LineSplitter splitter;
    const auto onPart = [&](std::string_view part, bool ends) {
        if (!ends) {
            gathered.append(part);
        } else if (gathered.empty()) {
            onLine(part);
        } else {
            gathered.append(part);
            onLine(gathered);
            gathered.clear();
        }
    };
    errno = 0;
    try {
        for (std::size_t count = 0; (count = std::fread(piece.data(), 1, piece.size(), file.get())) > 0;)
            splitter.Feed(std::string_view(piece.data(), count), onPart);
    } catch (const std::bad_alloc &) {
        return FileError::OutOfMemory; // a single line too long for the memory left
    }
    if (std::ferror(file.get()))
        return ErrorFromErrno(errno, path);
    if (splitter.InLine())
        onLine(gathered);
    return FileError::None;
}
