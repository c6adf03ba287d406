#include "testbase/BaseText.h"

#include <cstdint>
#include <cstring>
#include <new>

// Eight bytes at a time: counted so, the CRs cost a fraction of a split.
std::size_t CountCr(std::string_view bytes)
{
    constexpr std::uint64_t Ones = 0x0101010101010101;
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7F;
    constexpr std::uint64_t Lanes16 = 0x00FF00FF00FF00FF;
    std::size_t count = 0;
    std::size_t at = 0;
    while (bytes.size() - at >= 8) {
        // Each byte lane counts up to 255 CRs before the lanes are summed.
        std::uint64_t lanes = 0;
        const std::size_t batchEnd = at + 8 * std::min<std::size_t>(255, (bytes.size() - at) / 8);
        for (; at < batchEnd; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + at, sizeof word);
            word ^= Ones * '\r'; // a byte is now zero exactly where a CR was
            const std::uint64_t nonZero = ((word & Low7) + Low7) | word;
            lanes += (~nonZero >> 7) & Ones;
        }
        const std::uint64_t pairs = (lanes & Lanes16) + ((lanes >> 8) & Lanes16);
        count += static_cast<std::size_t>((pairs * 0x0001000100010001) >> 48);
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
