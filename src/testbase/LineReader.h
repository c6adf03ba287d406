#pragma once

#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <filesystem>
#include <functional>
#include <string_view>

// Calls onLine with each line of bytes in turn, without its line end, by the base's line rules.
template <typename OnLine> void ForEachLine(std::string_view bytes, OnLine onLine)
{
    // Fed at once, every line comes as one part.
    LineSplitter().Feed(bytes, [&](std::string_view line, bool) { onLine(line); });
}

// The same for a file read in pieces of a fixed size, so that a file of any size is never held whole: only
// a line longer than a piece is gathered. Tells why reading failed, if it did; the lines before the failure
// have been handed over.
FileError ForEachFileLine(const std::filesystem::path &path,
                          const std::function<void(std::string_view)> &onLine);
