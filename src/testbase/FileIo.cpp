#include "testbase/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif
#ifdef __linux__
#include <sys/mman.h>

#include <cstdint>
#endif

namespace {
// Asks for the whole 2 MiB pages within bytes to be huge pages: a huge base's bytes are then touched for
// the first time with a few page faults instead of thousands, which are most of the time reading takes.
void AskForHugePages([[maybe_unused]] char *bytes, [[maybe_unused]] std::size_t size)
{
#ifdef __linux__
    constexpr std::size_t huge = std::size_t(2) << 20;
    const std::size_t skip = (huge - reinterpret_cast<std::uintptr_t>(bytes) % huge) % huge;
    if (size >= skip + huge)
        madvise(bytes + skip, (size - skip) / huge * huge, MADV_HUGEPAGE);
#endif
}
} // namespace

FileHandle OpenForReading(const std::filesystem::path &path, FileError &error)
{
    // A pipe or a device named as a base would block the opening or the reading for ever.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error = std::filesystem::is_directory(status) ? FileError::IsDirectory : FileError::NotRegular;
        return nullptr;
    }
    errno = 0;
#ifdef _WIN32
    FileHandle file(_wfopen(path.c_str(), L"rb"));
    // Names such as CON, NUL or COM1 open a device wherever they stand, and no status shows it beforehand.
    if (file &&
        GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get())))) != FILE_TYPE_DISK) {
        error = FileError::NotRegular;
        return nullptr;
    }
#else
    FileHandle file(std::fopen(path.c_str(), "rb"));
#endif
    error = file ? FileError::None : ErrorFromErrno(errno, path);
    return file;
}

FileError ErrorFromErrno(int err, const std::filesystem::path &path)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    case EISDIR:
        return FileError::IsDirectory;
    case EACCES:
    case EPERM: {
        // Windows refuses to open a folder as a file with "access denied"; say what it really is.
        std::error_code ec;
        return std::filesystem::is_directory(path, ec) ? FileError::IsDirectory : FileError::AccessDenied;
    }
    case ENOMEM:
        return FileError::OutOfMemory;
    case ENAMETOOLONG:
        return FileError::NameTooLong;
    case EINVAL:
    case EILSEQ:
        return FileError::InvalidName;
    default:
        return FileError::ReadFailed;
    }
}

FileBytes ReadWholeFile(const std::filesystem::path &path, std::size_t limit)
{
    FileBytes result;
    const FileHandle file = OpenForReading(path, result.error);
    if (!file)
        return result;
    try {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        errno = 0;
        if (!ec) {
            // Room for the whole file at once; the loop takes what it has grown by since, too.
            result.bytes.reserve(std::min<std::uintmax_t>(size, limit));
            AskForHugePages(result.bytes.data(), result.bytes.capacity());
        }
        // Read through a piece aligned as the file's pages are, then copied into place: the kernel's copy
        // from the page cache slows to a third on some processors when its destination is not aligned as
        // its source, and the block the bytes end up in starts wherever the allocator puts it.
        alignas(64) char piece[1 << 16];
        std::size_t count = 0;
        do {
            count = std::fread(piece, 1, std::min(sizeof piece, limit - result.bytes.size()), file.get());
            result.bytes.append(piece, count);
        } while (count > 0);
        if (std::ferror(file.get())) {
            result.error = ErrorFromErrno(errno, path);
            result.bytes.clear();
        }
    } catch (const std::bad_alloc &) {
        result = {{}, FileError::OutOfMemory};
    } catch (const std::length_error &) {
        result = {{}, FileError::OutOfMemory};
    }
    return result;
}
