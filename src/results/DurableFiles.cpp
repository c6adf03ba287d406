#include "results/DurableFiles.h"

#include "testbase/FileIo.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
constexpr std::errc none{};
// Names are random, so a second attempt is for a name someone made just now; a hundred is an attack.
constexpr int NameAttempts = 100;

std::errc LastErrno()
{
    return errno != 0 ? static_cast<std::errc>(errno) : std::errc::io_error;
}

#ifdef _WIN32
// Wide names throughout, so that no name passes through the local code page.
std::errc Replaced(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::errc{}
               : LastWindowsError();
}
#endif

// Writing at the end goes through a seek, not an append mode, which a network file system may not honour.
std::FILE *OpenForWriting(const std::filesystem::path &file, WriteMode mode)
{
#ifdef _WIN32
    std::FILE *f = _wfopen(file.c_str(), mode == WriteMode::AtEnd ? L"r+b" : L"wb");
#else
    std::FILE *f = std::fopen(file.c_str(), mode == WriteMode::AtEnd ? "r+b" : "wb");
#endif
    if (f != nullptr && mode == WriteMode::AtEnd && std::fseek(f, 0, SEEK_END) != 0) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}

// A new file for writing, made only where nothing is there, so that no file is overwritten and no link is
// followed. A private file can be read by its owner alone (where the system has such permissions).
std::FILE *CreateExclusively(const std::filesystem::path &file, bool privateFile = false)
{
#ifdef _WIN32
    (void)privateFile;
    int fd = -1;
    if (_wsopen_s(&fd, file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0)
        return nullptr;
    std::FILE *f = _fdopen(fd, "wb");
    if (f == nullptr)
        _close(fd);
    return f;
#else
    const int fd =
        open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privateFile ? 0600 : 0666);
    if (fd < 0)
        return nullptr;
    std::FILE *f = fdopen(fd, "wb");
    if (f == nullptr)
        close(fd);
    return f;
#endif
}

std::filesystem::path TemporaryName(const std::filesystem::path &file, std::mt19937_64 &random)
{
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%016" PRIx64 ".zorvanta-base.tmp",
                  static_cast<std::uint64_t>(random()));
    std::filesystem::path name = file;
    name += suffix;
    return name;
}

bool SyncToDisk(std::FILE *f, const BeforeSync &beforeSync)
{
    if (beforeSync) {
        if (const std::errc error = beforeSync(); error != std::errc{}) {
            errno = static_cast<int>(error);
            return false;
        }
    }
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// Writes with fill, flushes, syncs and closes f; the first failure says why (a full disk may show only
// when the buffer is flushed or synced).
template <typename Fill> std::errc Finish(std::FILE *f, Fill fill, const BeforeSync &beforeSync = {})
{
    std::errc error{};
    const auto check = [&](bool ok) {
        if (!ok && error == std::errc{}) {
            error = LastErrno();
        }
    };
    check(fill(f));
    check(std::fflush(f) == 0);
    if (error == std::errc{}) {
        check(SyncToDisk(f, beforeSync));
    }
    check(std::fclose(f) == 0);
    return error;
}
} // namespace

std::errc WriteDurably(const std::filesystem::path &file, WriteMode mode, std::string_view bytes,
                       const BeforeSync &beforeSync)
{
    errno = 0;
    std::FILE *f = OpenForWriting(file, mode);
    if (f == nullptr) {
        return LastErrno();
    }
    return Finish(
        f, [&](std::FILE *out) { return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(); },
        beforeSync);
}

std::errc CopyDurably(const std::filesystem::path &from, const std::filesystem::path &to)
{
    errno = 0;
    FileError ignored = FileError::None;
    const FileHandle in = OpenForReading(from, ignored);
    if (!in) {
        return LastErrno();
    }
    std::FILE *out = CreateExclusively(to);
    if (out == nullptr) {
        return LastErrno();
    }
    const std::errc error = Finish(out, [&](std::FILE *f) {
        char piece[1 << 16];
        std::size_t count = 0;
        while ((count = std::fread(piece, 1, sizeof piece, in.get())) > 0) {
            if (std::fwrite(piece, 1, count, f) != count)
                return false;
        }
        return std::ferror(in.get()) == 0;
    });
    if (error != std::errc{}) {
        std::error_code ec;
        std::filesystem::remove(to, ec);
    }
    return error;
}

std::errc ReplaceDurably(const std::filesystem::path &file, std::string_view bytes, const WriteFailAt &failAt)
{
    const auto hook = [&](WriteStep step) { return failAt ? failAt(step) : none; };
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    const bool existed = std::filesystem::exists(status);

    std::random_device seed;
    std::mt19937_64 random(
        (static_cast<std::uint64_t>(seed()) << 32) ^ seed() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::path temporary;
    std::FILE *out = nullptr;
    std::errc error = std::errc::file_exists;
    for (int attempt = 0; attempt < NameAttempts && error == std::errc::file_exists; ++attempt) {
        temporary = TemporaryName(file, random);
        error = hook(WriteStep::Create);
        if (error == none) {
            errno = 0;
            out = CreateExclusively(temporary, existed);
            error = out != nullptr ? none : LastErrno();
        }
    }
    if (error != none)
        return error;
    const std::errc refused = hook(WriteStep::Write);
    errno = 0;
    const std::errc written = Finish(out, [&](std::FILE *f) {
        return refused != none || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    });
    error = refused != none ? refused : written;
    if (error == none && existed)
        std::filesystem::permissions(temporary, status.permissions(), ec);
    if (error == none)
        error = hook(WriteStep::Rename);
    if (error == none)
        error = PutInPlace(temporary, file);
    if (error != none) {
        std::filesystem::remove(temporary, ec);
        return error;
    }
    SyncFolder(file.parent_path());
    return none;
}

std::errc PutInPlace(const std::filesystem::path &from, const std::filesystem::path &to)
{
#ifdef _WIN32
    return Replaced(from, to);
#else
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::errc{} : LastErrno();
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
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::errc::permission_denied;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return std::errc::no_such_file_or_directory;
    default:
        return std::errc::io_error;
    }
}
#endif
