#include "basetool/AtomicFile.h"

#include "basetool/Findings.h"
#include "results/DurableFiles.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
constexpr std::errc none{};
// Names are random, so a second attempt is for a name someone made just now; a hundred is an attack.
constexpr int NameAttempts = 100;

WriteFailure FailureOf(std::errc error)
{
    if (NoRoom(error))
        return WriteFailure::NoRoom;
    switch (error) {
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
    case std::errc::read_only_file_system:
        return WriteFailure::FolderDenied;
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory:
        return WriteFailure::NoFolder;
    case std::errc::is_a_directory:
        return WriteFailure::IsFolder;
    default:
        return WriteFailure::Failed;
    }
}

#ifdef _WIN32
using Handle = HANDLE;

std::errc LastError()
{
    return LastWindowsError();
}

// CREATE_NEW fails on any name already there, a link included.
std::errc CreateNew(const fs::path &name, bool /*existed*/, Handle &handle)
{
    handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? LastError() : none;
}

std::errc WriteAndClose(Handle handle, std::string_view bytes)
{
    std::errc error = none;
    while (!bytes.empty() && error == none) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr))
            error = LastError();
        bytes.remove_prefix(written);
    }
    if (error == none && !FlushFileBuffers(handle))
        error = LastError();
    if (!CloseHandle(handle) && error == none)
        error = LastError();
    return error;
}
#else
using Handle = int;

std::errc LastError()
{
    return errno != 0 ? static_cast<std::errc>(errno) : std::errc::io_error;
}

// O_EXCL with O_NOFOLLOW fails on any name already there, a link included. A new file gets the usual
// permissions; one that replaces a file is private until it has that file's.
std::errc CreateNew(const fs::path &name, bool existed, Handle &handle)
{
    handle = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, existed ? 0600 : 0666);
    return handle < 0 ? LastError() : none;
}

std::errc WriteAndClose(Handle handle, std::string_view bytes)
{
    std::errc error = none;
    while (!bytes.empty() && error == none) {
        const ssize_t written = write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            error = LastError();
        else if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (error == none && fsync(handle) != 0)
        error = LastError();
    if (close(handle) != 0 && error == none)
        error = LastError();
    return error;
}
#endif

// The file a link points to, which is what its user means to replace.
fs::path Target(const fs::path &path)
{
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target;
}

fs::path TemporaryName(const fs::path &target, std::mt19937_64 &random)
{
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%016" PRIx64 ".zorvanta-base.tmp",
                  static_cast<std::uint64_t>(random()));
    fs::path name = target;
    name += suffix;
    return name;
}
} // namespace

WriteFailure ReplaceContents(const fs::path &path, std::string_view bytes, const WriteFailAt &failAt)
{
    const auto hook = [&](WriteStep step) { return failAt ? failAt(step) : none; };
    const fs::path target = Target(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return WriteFailure::IsFolder;
    const bool existed = fs::exists(status);
    constexpr fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (existed && (status.permissions() & writable) == fs::perms::none)
        return WriteFailure::ReadOnlyFile;

    std::random_device seed;
    std::mt19937_64 random(
        (static_cast<std::uint64_t>(seed()) << 32) ^ seed() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::path temporary;
    Handle handle{};
    std::errc error = std::errc::file_exists;
    for (int attempt = 0; attempt < NameAttempts && error == std::errc::file_exists; ++attempt) {
        temporary = TemporaryName(target, random);
        error = hook(WriteStep::Create);
        if (error == none)
            error = CreateNew(temporary, existed, handle);
    }
    if (error != none)
        return FailureOf(error);
    error = hook(WriteStep::Write);
    const std::errc written = WriteAndClose(handle, error == none ? bytes : std::string_view());
    error = error != none ? error : written;
    if (error == none && existed)
        fs::permissions(temporary, status.permissions(), ec);
    if (error == none)
        error = hook(WriteStep::Rename);
    if (error == none)
        error = PutInPlace(temporary, target);
    if (error != none) {
        fs::remove(temporary, ec);
        return FailureOf(error);
    }
    SyncFolder(target.parent_path());
    return WriteFailure::None;
}

std::string WriteFailureText(WriteFailure failure, const fs::path &path)
{
    switch (failure) {
    case WriteFailure::ReadOnlyFile:
        return "файл только для чтения; снимите этот атрибут, если файл правда нужно заменить";
    case WriteFailure::IsFolder:
        return "это папка, а не файл";
    case WriteFailure::NoFolder:
        return "нет папки «" + PathText(path.parent_path()) + "»";
    case WriteFailure::NoRoom:
        return "на диске нет места";
    case WriteFailure::FolderDenied:
        return "в папку нельзя записывать: она только для чтения или нет прав на запись";
    case WriteFailure::Failed:
    case WriteFailure::None:
        break;
    }
    return "ошибка ввода/вывода при записи файла";
}
