#pragma once

#include "testbase/FileIo.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The first two lines of a base, read without reading the rest of a possibly huge file.
struct HeadLines
{
    // At most two: header, title. The header line keeps only its first characters, enough to tell the
    // header from any other line; the title line is kept whole.
    std::vector<std::string> lines;
    FileError error = FileError::None;
};

// Listing needs line 2 only after the exact header, so it stops reading as soon as line 1 cannot be the
// header; the command line takes line 2 whatever line 1 holds, so it reads on to line 2's end.
enum class HeadPurpose
{
    CommandLine,
    Listing,
};

// Whether a line is the header in any letter case, as the listing takes line 1.
bool IsListedHeader(std::string_view line);

// The title that a title line gives: from its third character on, empty when it is shorter.
std::string TitleOf(std::string_view titleLine);

HeadLines ReadHeadLines(const std::filesystem::path &path, HeadPurpose purpose = HeadPurpose::CommandLine);

// The title of a listed base: line 2 from its third character on. Nothing when the file is not listed:
// line 1 upper-cased is not exactly the header, or the file has no line 2.
std::optional<std::string> ListedTitle(const HeadLines &head);

// The title as the command line takes it: line 2 from its third character on, empty when missing.
std::string CommandLineTitle(const HeadLines &head);
