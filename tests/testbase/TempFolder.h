#pragma once

#include <filesystem>
#include <random>
#include <string>

// A folder of its own under the system's temporary folder, removed with everything in it afterwards.
struct TempFolder
{
    explicit TempFolder(const std::string &prefix = "zt ")
        : path(std::filesystem::temp_directory_path() / (prefix + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path path;
};
