#include "basetool/AtomicFile.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
bool WriteAndSync(const std::filesystem::path &path, std::string_view bytes)
{
#ifdef _WIN32
    std::FILE *file = _wfopen(path.c_str(), L"wb");
#else
    std::FILE *file = std::fopen(path.c_str(), "wb");
#endif
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#ifdef _WIN32
    ok = ok && _commit(_fileno(file)) == 0;
#else
    ok = ok && fsync(fileno(file)) == 0;
#endif
    return std::fclose(file) == 0 && ok;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder([[maybe_unused]] const std::filesystem::path &folder)
{
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}
} // namespace

bool ReplaceFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path beside = path;
    beside += ".zorvanta-base.tmp";
    std::error_code ec;
    const auto permissions = std::filesystem::status(path, ec).permissions();
    const bool existed = !ec && std::filesystem::exists(path, ec);
    if (WriteAndSync(beside, bytes)) {
        if (existed)
            std::filesystem::permissions(beside, permissions, ec);
        std::filesystem::rename(beside, path, ec);
        if (!ec) {
            SyncFolder(path.parent_path());
            return true;
        }
    }
    std::filesystem::remove(beside, ec);
    return false;
}
