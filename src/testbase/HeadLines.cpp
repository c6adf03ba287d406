#include "testbase/HeadLines.h"

#include "testbase/BaseFormat.h"
#include "testbase/BaseText.h"
#include "testbase/Cp1251.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace {
// One character more than the header tells a longer line from the header itself.
constexpr std::size_t HeaderKept = BaseFormat::Header.size() + 1;
constexpr std::size_t ChunkSize = 4096;

// Splits the file's first two lines by the same rules as a whole base, chunk by chunk.
class HeadReader
{
public:
    explicit HeadReader(HeadPurpose purpose) : m_purpose(purpose) {}

    // Takes the next chunk; false once nothing more is needed.
    bool Feed(std::string_view chunk)
    {
        m_splitter.Feed(chunk, [this](std::string_view part, bool ends) {
            if (Done())
                return;
            Append(part);
            if (ends)
                EndLine();
        });
        return !Done();
    }

    // A final line without a line end is still a line.
    std::vector<std::string> Finish()
    {
        if (m_inLine && m_lines.size() < 2)
            EndLine();
        return std::move(m_lines);
    }

private:
    bool OnLine1() const { return m_lines.empty(); }

    bool Done() const
    {
        if (m_lines.size() == 2)
            return true;
        if (m_purpose != HeadPurpose::Listing)
            return false;
        // A line 1 longer than the header, or a complete line 1 that differs from it, is never listed.
        return OnLine1() ? m_length > BaseFormat::Header.size() : !IsListedHeader(m_lines.front());
    }

    void Append(std::string_view bytes)
    {
        m_inLine = m_inLine || !bytes.empty();
        m_length += bytes.size();
        const std::size_t room = OnLine1() ? HeaderKept - std::min(HeaderKept, m_line.size()) : bytes.size();
        m_line.append(bytes.substr(0, room));
    }

    void EndLine()
    {
        m_lines.push_back(std::move(m_line));
        m_line.clear();
        m_length = 0;
        m_inLine = false;
    }

    HeadPurpose m_purpose;
    LineSplitter m_splitter;
    std::vector<std::string> m_lines;
    std::string m_line;       // the line being read, as far as it is kept
    std::size_t m_length = 0; // its whole length so far
    bool m_inLine = false;    // some byte of it has been read
};
} // namespace

bool IsListedHeader(std::string_view line)
{
    return line.size() == BaseFormat::Header.size() && UpperCp1251(line) == UpperCp1251(BaseFormat::Header);
}

std::string TitleOf(std::string_view titleLine)
{
    return std::string(titleLine.size() > BaseFormat::TitleSkipped
                           ? titleLine.substr(BaseFormat::TitleSkipped)
                           : std::string_view());
}

HeadLines ReadHeadLines(const std::filesystem::path &path, HeadPurpose purpose)
{
    HeadLines head;
    const FileHandle file = OpenForReading(path, head.error);
    if (!file)
        return head;
    HeadReader reader(purpose);
    char chunk[ChunkSize];
    std::size_t count = 0;
    errno = 0;
    do {
        count = std::fread(chunk, 1, sizeof chunk, file.get());
    } while (count > 0 && reader.Feed(std::string_view(chunk, count)));
    if (std::ferror(file.get())) {
        head.error = ErrorFromErrno(errno, path);
        return head;
    }
    head.lines = reader.Finish();
    return head;
}

std::optional<std::string> ListedTitle(const HeadLines &head)
{
    if (head.lines.size() < 2 || !IsListedHeader(head.lines[0]))
        return std::nullopt;
    return TitleOf(head.lines[1]);
}

std::string CommandLineTitle(const HeadLines &head)
{
    return head.lines.size() < 2 ? std::string() : TitleOf(head.lines[1]);
}
