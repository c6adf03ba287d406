#pragma once

#include "results/DurableFiles.h"

#include <filesystem>
#include <string>
#include <string_view>

// Why a file could not be written.
enum class WriteFailure
{
    None,
    ReadOnlyFile, // the file is marked read-only, and Windows would refuse to replace it
    IsFolder,     // the name is a folder's
    NoFolder,     // the folder it should lie in does not exist
    NoRoom,       // the disk or the quota is full
    FolderDenied, // the folder is read-only, or the user may not write in it
    Failed,       // anything else the system reports
};

// Replaces path's contents durably (ReplaceDurably). When path is a link, the file it points to is
// replaced and the link stays; a folder or a read-only file is refused. On failure path is unchanged and
// nothing is left beside it.
WriteFailure ReplaceContents(const std::filesystem::path &path, std::string_view bytes,
                             const WriteFailAt &failAt = {});

// The reason, in Russian, as a finding about path tells it.
std::string WriteFailureText(WriteFailure failure, const std::filesystem::path &path);
