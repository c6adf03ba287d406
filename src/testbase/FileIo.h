#pragma once

#include <filesystem>
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
