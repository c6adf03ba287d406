#include "testbase/BaseText.h"

#include <algorithm>
#include <cstring>

// Sixteen bytes at a time, as the compiler's vector types compare them on any processor: so counted, the
// CRs cost a small fraction of a split.
std::size_t CountCr(std::string_view bytes)
{
    using Bytes16 = unsigned char __attribute__((vector_size(16)));
    std::size_t count = 0;
    std::size_t at = 0;
    while (bytes.size() - at >= 16) {
        // Each byte lane counts up to 255 CRs before the lanes are summed; a CR compares as all ones, -1.
        Bytes16 lanes{};
        const std::size_t batchEnd = at + 16 * std::min<std::size_t>(255, (bytes.size() - at) / 16);
        for (; at < batchEnd; at += 16) {
            Bytes16 block;
            std::memcpy(&block, bytes.data() + at, sizeof block);
            lanes -= block == '\r';
        }
        for (std::size_t i = 0; i < sizeof lanes; ++i)
            count += lanes[i];
    }
    return count + static_cast<std::size_t>(
                       std::count(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\r'));
}

std::size_t CountLines(std::string_view bytes)
{
    LineSplitter splitter;
    splitter.Feed(bytes, [](std::string_view, bool) {});
    return splitter.Lines();
}
