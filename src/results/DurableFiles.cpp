#include "results/DurableFiles.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
std::errc LastErrno()
{
    return errno != 0 ? static_cast<std::errc>(errno) : std::errc::io_error;
}

#ifdef _WIN32
std::errc LastWindowsError()
{
    switch (GetLastError()) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::errc::file_exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::errc::no_space_on_device;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::errc::permission_denied;
    default:
        return std::errc::io_error;
    }
}

// Wide names throughout, so that no name passes through the local code page.
std::errc Moved(const std::filesystem::path &from, const std::filesystem::path &to, DWORD flags)
{
    return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) ? std::errc{}
                                                                                 : LastWindowsError();
}
#endif

std::FILE *OpenForWriting(const std::filesystem::path &file, WriteMode mode)
{
#ifdef _WIN32
    return _wfopen(file.c_str(), mode == WriteMode::Append ? L"ab" : L"wb");
#else
    return std::fopen(file.c_str(), mode == WriteMode::Append ? "ab" : "wb");
#endif
}

bool SyncToDisk(std::FILE *f)
{
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}
} // namespace

std::errc WriteDurably(const std::filesystem::path &file, WriteMode mode, std::string_view bytes)
{
    errno = 0;
    std::FILE *f = OpenForWriting(file, mode);
    if (f == nullptr) {
        return LastErrno();
    }
    // The first failure says why; a full disk may show only when the buffer is flushed or synced.
    std::errc error{};
    const auto check = [&](bool ok) {
        if (!ok && error == std::errc{}) {
            error = LastErrno();
        }
    };
    check(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    check(std::fflush(f) == 0);
    if (error == std::errc{}) {
        check(SyncToDisk(f));
    }
    check(std::fclose(f) == 0);
    return error;
}

std::errc PutInPlace(const std::filesystem::path &from, const std::filesystem::path &to)
{
#ifdef _WIN32
    return Moved(from, to, MOVEFILE_REPLACE_EXISTING);
#else
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::errc{} : LastErrno();
#endif
}

std::errc MoveWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
#ifdef _WIN32
    return Moved(from, to, 0);
#else
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0 ? std::errc{}
                                                                                          : LastErrno();
#endif
}

void SyncFolder(const std::filesystem::path &folder)
{
    const std::filesystem::path here = folder.empty() ? std::filesystem::path(".") : folder;
#ifdef _WIN32
    // A folder's entries are flushed through a handle to the folder itself, which needs write access.
    const HANDLE handle =
        CreateFileW(here.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(handle);
        CloseHandle(handle);
    }
#else
    const int fd = open(here.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

bool NoRoom(std::errc error)
{
#ifdef EDQUOT
    if (error == static_cast<std::errc>(EDQUOT)) {
        return true;
    }
#endif
    return error == std::errc::no_space_on_device;
}
