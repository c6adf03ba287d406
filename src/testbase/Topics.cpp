#include "testbase/Topics.h"

#include "testbase/HeadLines.h"

#include <algorithm>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
// The name's characters as code points; a byte that is not valid UTF-8 stands for itself.
std::u32string CodePoints(const std::filesystem::path &name)
{
    const std::u8string utf8 = name.u8string();
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        char32_t point = length == 1   ? lead
                         : length == 2 ? lead & 0x1F
                         : length == 3 ? lead & 0x0F
                                       : lead & 0x07;
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next >> 6) == 2;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(valid ? point : lead);
        i += valid ? length : 1;
    }
    return points;
}

// A sort weight per character: letter case folded, and Ё placed between Е and Ж.
std::uint64_t Weight(char32_t c)
{
    if (c >= U'A' && c <= U'Z') {
        c += U'a' - U'A';
    } else if (c >= U'\u0410' && c <= U'\u042F') {
        c += U'\u0430' - U'\u0410';
    } else if (c == U'\u0401') {
        c = U'\u0451';
    }
    if (c == U'\u0451') {
        return 2 * std::uint64_t(U'\u0435') + 1;
    }
    return 2 * std::uint64_t(c);
}

bool Hidden(const std::filesystem::directory_entry &entry)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    return entry.path().filename().native().starts_with('.');
#endif
}
} // namespace

bool IsBaseName(const std::filesystem::path &name)
{
    const std::u32string points = CodePoints(name.filename());
    if (points.size() < 4) {
        return false;
    }
    const std::u32string extension = points.substr(points.size() - 4);
    std::u32string lower;
    for (const char32_t c : extension) {
        lower.push_back(c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c);
    }
    return lower == U".bse";
}

ListingEntry ClassifyEntry(const std::filesystem::directory_entry &entry)
{
    std::error_code kind;
    if (!IsBaseName(entry.path())) {
        return ListingEntry::NotBaseName;
    }
    if (!entry.is_regular_file(kind)) {
        return ListingEntry::NotFile;
    }
    return Hidden(entry) ? ListingEntry::Hidden : ListingEntry::Read;
}

bool TopicNameLess(const std::filesystem::path &a, const std::filesystem::path &b)
{
    const std::u32string x = CodePoints(a);
    const std::u32string y = CodePoints(b);
    const auto weighed = [](const std::u32string &s) {
        std::vector<std::uint64_t> weights;
        weights.reserve(s.size());
        for (const char32_t c : s) {
            weights.push_back(Weight(c));
        }
        return weights;
    };
    const auto wx = weighed(x);
    const auto wy = weighed(y);
    if (wx != wy) {
        return wx < wy;
    }
    return x < y;
}

TopicList ListTopics(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (ClassifyEntry(*it) == ListingEntry::Read) {
            files.push_back(it->path());
        }
    }
    TopicList list;
    if (ec) {
        list.error = ec == std::errc::permission_denied ? FileError::AccessDenied : FileError::ReadFailed;
    }
    std::sort(files.begin(), files.end(),
              [](const auto &a, const auto &b) { return TopicNameLess(a.filename(), b.filename()); });

    for (const std::filesystem::path &file : files) {
        if (list.error != FileError::None) {
            break;
        }
        const HeadLines head = ReadHeadLines(file, HeadPurpose::Listing);
        list.error = head.error;
        if (auto title = ListedTitle(head)) {
            list.topics.push_back({std::move(*title), file});
        }
    }
    return list;
}
