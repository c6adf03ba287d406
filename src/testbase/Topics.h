#pragma once

#include "testbase/FileIo.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A topic of the selection list: the title it shows and the base file it stands for.
struct Topic
{
    std::string title; // Windows-1251
    std::filesystem::path file;
};

struct TopicList
{
    std::vector<Topic> topics;
    FileError error = FileError::None; // the first file that could not be read ends the listing
    std::filesystem::path failedFile;  // that file, for a tool that names it
};

// Whether a file name is one of a base: "*.bse" in any letter case.
bool IsBaseName(const std::filesystem::path &name);

// Whether the listing reads a file of the tests folder for its header, and if not, why.
enum class ListingEntry
{
    Read,
    NotBaseName, // not "*.bse"
    NotFile,     // a folder, a device or anything else but an ordinary file
    Hidden,      // hidden or system
};
ListingEntry ClassifyEntry(const std::filesystem::directory_entry &entry);

// Russian alphabetical order of file names, regardless of letter case: Ё sorts with Е, before Ж; digits
// and Latin letters come before Cyrillic ones. Names that differ only in case keep a fixed order.
bool TopicNameLess(const std::filesystem::path &a, const std::filesystem::path &b);

// The topics of the bases in folder, in the order of their file names. Hidden and system files, folders
// and files whose first line is not the header are left out.
TopicList ListTopics(const std::filesystem::path &folder);
