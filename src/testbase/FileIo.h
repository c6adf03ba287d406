#pragma once

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
    ReadFailed,
    OutOfMemory,
};

struct FileBytes
{
    std::string bytes;
    FileError error = FileError::None;
};

// The whole file, byte for byte.
FileBytes ReadWholeFile(const std::filesystem::path &path);

// A file beside the program: the separator goes between folder and name only when the folder does not
// already end with one (a program in a drive's root).
std::string ProgramFile(const std::string &folder, const std::string &name);

// A path from UTF-8 text, so that Windows gets the right characters and not the local code page's.
std::filesystem::path PathFromUtf8(const std::string &utf8);

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// path opened for reading bytes; null on failure, with error telling why.
FileHandle OpenForReading(const std::filesystem::path &path, FileError &error);

// The failure that errno value err stands for when path was being opened or read.
FileError ErrorFromErrno(int err, const std::filesystem::path &path);
