#include "testbase/FileIo.h"

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

FileHandle OpenForReading(const std::filesystem::path &path, FileError &error)
{
    errno = 0;
#ifdef _WIN32
    FileHandle file(_wfopen(path.c_str(), L"rb"));
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
    default:
        return FileError::ReadFailed;
    }
}

FileBytes ReadWholeFile(const std::filesystem::path &path)
{
    FileBytes result;
    const FileHandle file = OpenForReading(path, result.error);
    if (!file)
        return result;
    try {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec)
            result.bytes.reserve(size);
        char chunk[1 << 16];
        std::size_t count = 0;
        errno = 0;
        while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
            result.bytes.append(chunk, count);
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

std::string ProgramFile(const std::string &folder, const std::string &name)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + '/' + name;
}

std::filesystem::path PathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
