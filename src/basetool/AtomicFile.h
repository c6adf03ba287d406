#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

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

// The steps of a write, so that tests can make one fail the way a full disk or a read-only folder does.
enum class WriteStep
{
    Create,
    Write,
    Rename,
};
using WriteFailAt = std::function<std::errc(WriteStep)>;

// Writes bytes into a new file beside path, created exclusively under a name of its own and never through
// a link, puts them on the disk and then renames them into path's place, so that path holds either all
// its old bytes or all the new ones, even after a crash. When path is a link, the file it points to is
// replaced and the link stays. An existing file keeps its permissions. On failure path is unchanged and
// nothing is left beside it.
WriteFailure ReplaceContents(const std::filesystem::path &path, std::string_view bytes,
                             const WriteFailAt &failAt = {});

// The reason, in Russian, as a finding about path tells it.
std::string WriteFailureText(WriteFailure failure, const std::filesystem::path &path);
