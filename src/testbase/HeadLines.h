#pragma once

#include "testbase/FileIo.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The first two lines of a base, read without reading the rest of a possibly huge file.
struct HeadLines
{
    std::vector<std::string> lines; // at most two: header, title
    FileError error = FileError::None;
};

HeadLines ReadHeadLines(const std::filesystem::path &path);

// The title of a listed base: line 2 from its third character on. Nothing when the file is not listed:
// line 1 upper-cased is not exactly the header, or the file has no line 2.
std::optional<std::string> ListedTitle(const HeadLines &head);

// The title as the command line takes it: line 2 from its third character on, empty when missing.
std::string CommandLineTitle(const HeadLines &head);
