#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

// What went wrong with a file, told to the examinee in the platform's own words (see Messages).
enum class FileError
{
    None,
    NotFound,
    AccessDenied,
    IsDirectory,
    NotRegular, // a device, a pipe or a socket: reading it could block or never end
    NameTooLong,
    InvalidName,
    ReadFailed,
    OutOfMemory,
};

struct FileBytes
{
    std::string bytes;
    FileError error = FileError::None;
};

// The whole file, byte for byte; no more than limit bytes of it when a limit is given.
FileBytes ReadWholeFile(const std::filesystem::path &path, std::size_t limit = SIZE_MAX);

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// path opened for reading bytes; null on failure, with error telling why. Only ordinary files are opened.
FileHandle OpenForReading(const std::filesystem::path &path, FileError &error);

// The failure that errno value err stands for when path was being opened or read.
FileError ErrorFromErrno(int err, const std::filesystem::path &path);
