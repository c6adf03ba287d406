#include "testbase/Topics.h"

#include "testbase/HeadLines.h"
#include "testbase/Utf8Char.h"

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
    const std::string_view bytes(reinterpret_cast<const char *>(utf8.data()), utf8.size());
    std::u32string points;
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char c = Utf8At(bytes, at);
        points.push_back(c.length > 0 ? c.point : static_cast<unsigned char>(bytes[at]));
        at += c.length > 0 ? c.length : 1;
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
    // The extension is ASCII, so its last four bytes tell, whatever the name's other characters.
    const std::u8string file = name.filename().u8string();
    if (file.size() < 4) {
        return false;
    }
    std::string extension(file.end() - 4, file.end());
    for (char &c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return extension == ".bse";
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
        if (head.error != FileError::None) {
            list.failedFile = file;
        }
        if (auto title = ListedTitle(head)) {
            list.topics.push_back({std::move(*title), file});
        }
    }
    return list;
}
