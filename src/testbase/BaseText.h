#pragma once

#include "testbase/Yield.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// The lines of a base as read from its bytes: one byte is one character; CR LF or a bare CR ends a
// line, a bare LF does not; a line end at the very end adds no empty line. Lines are numbered from 1.
// Offsets are held in 32 bits, which halves what a huge base's lines cost: bytes beyond what they address
// (4 GiB) are no real base and are refused with std::bad_alloc, as bytes too big for the memory left are.
class BaseText
{
public:
    BaseText() = default;
    static constexpr std::size_t MaxSize = UINT32_MAX;

    // yield, when given, is called every few thousand lines while the bytes are split.
    explicit BaseText(std::string bytes, const std::function<void()> &yield = {})
        : BaseText(std::make_shared<const std::string>(std::move(bytes)), yield,
                   [](std::size_t, std::string_view) {})
    {}
    // The same for bytes already held, handing each line to onLine(n, line) in order as it is split, while
    // its bytes are at hand, for a reader that needs only one pass over them.
    template <typename OnLine>
    BaseText(std::shared_ptr<const std::string> bytes, const std::function<void()> &yield, OnLine onLine);

    // The bytes the lines are views into; they stay where they are for as long as anyone holds them, so
    // views into them may outlive this text.
    const std::shared_ptr<const std::string> &Bytes() const { return m_bytes; }

    std::size_t LineCount() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }

    // Where line n, 1 <= n <= LineCount(), starts in the bytes.
    std::size_t Start(std::size_t n) const { return m_starts[n - 1]; }

    // Line n, 1 <= n <= LineCount(), without its line end; empty for any other n.
    std::string_view Line(std::size_t n) const
    {
        if (n == 0 || n > LineCount())
            return {};
        const std::size_t begin = m_starts[n - 1];
        std::size_t end = m_starts[n];
        // A line's own characters never include a CR, so a trailing CR or CR LF is its line end.
        const std::string &bytes = *m_bytes;
        if (end - begin >= 2 && bytes[end - 2] == '\r' && bytes[end - 1] == '\n')
            end -= 2;
        else if (end > begin && bytes[end - 1] == '\r')
            end -= 1;
        return std::string_view(bytes).substr(begin, end - begin);
    }

private:
    // The bytes are held once; m_starts[n - 1] is where line n starts and the last entry is the end of
    // the bytes, so each line costs one number and its end is found from the next line's start.
    std::shared_ptr<const std::string> m_bytes;
    std::vector<std::uint32_t> m_starts;
};

// Number of lines in bytes by the same rules, without keeping them.
std::size_t CountLines(std::string_view bytes);

// The same line rules over bytes that arrive piece by piece, so that a file is split without being held
// whole: a CR at the end of one piece and an LF at the start of the next are one line end. Every reader of
// a base's or a result file's lines splits them here.
class LineSplitter
{
public:
    // Calls onPart(part, ends) for each run of one line's characters in bytes, in order: part lies within
    // bytes and holds no line end; ends tells whether the line ends right after it. A line that spans
    // pieces comes in several parts; one whose end opens the next piece ends with an empty part.
    template <typename OnPart> void Feed(std::string_view bytes, OnPart onPart)
    {
        std::size_t pos = 0;
        if (m_afterCr && !bytes.empty()) {
            m_afterCr = false;
            if (bytes.front() == '\n')
                pos = 1;
        }
        while (pos < bytes.size()) {
            if (!m_inLine) {
                m_inLine = true;
                ++m_lines;
            }
            const void *cr = std::memchr(bytes.data() + pos, '\r', bytes.size() - pos);
            const std::size_t end =
                cr == nullptr ? bytes.size()
                              : static_cast<std::size_t>(static_cast<const char *>(cr) - bytes.data());
            onPart(bytes.substr(pos, end - pos), cr != nullptr);
            if (cr == nullptr)
                return;
            pos = end + 1;
            m_inLine = false;
            if (pos == bytes.size())
                m_afterCr = true;
            else if (bytes[pos] == '\n')
                ++pos;
        }
    }

    std::size_t Lines() const { return m_lines; }
    // Whether the last line so far still lacks its line end.
    bool InLine() const { return m_inLine; }

private:
    std::size_t m_lines = 0;
    bool m_inLine = false;
    bool m_afterCr = false; // an LF at the start of the next piece belongs to the line end just read
};

// The number of CRs in bytes, which bounds the number of lines.
std::size_t CountCr(std::string_view bytes);

template <typename OnLine>
BaseText::BaseText(std::shared_ptr<const std::string> bytes, const std::function<void()> &yield,
                   OnLine onLine)
    : m_bytes(std::move(bytes))
{
    if (m_bytes->size() > MaxSize)
        throw std::bad_alloc();
    const std::string_view all = *m_bytes;
    // Every line but the last ends in a CR, so this is room enough; counting is far quicker than splitting,
    // and the starts are then written once, where they stay.
    m_starts.reserve(CountCr(all) + 2);
    Yielder yielder(yield);
    // Fed at once, every line comes as one part.
    LineSplitter().Feed(all, [&](std::string_view line, bool) {
        m_starts.push_back(static_cast<std::uint32_t>(line.data() - all.data()));
        onLine(m_starts.size(), line);
        yielder.Line();
    });
    m_starts.push_back(static_cast<std::uint32_t>(all.size()));
}
