#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

// File operations that have reached the disk when they return, on Windows and elsewhere. Failures come
// back as generic error values; a full disk or quota is std::errc::no_space_on_device or NoRoom.

enum class WriteMode
{
    AtEnd,  // after the last byte of the file as it is now; the file must exist
    Create, // replaces whatever file is there
};

// Asked once the bytes are written, just before they are synced to the disk; an error it returns fails the
// sync as the disk would. Lets tests see each sync and what a failed one leaves.
using BeforeSync = std::function<std::errc()>;

// Writes the bytes with one write and returns once they are on the disk.
std::errc WriteDurably(const std::filesystem::path &file, WriteMode mode, std::string_view bytes,
                       const BeforeSync &beforeSync = {});

// The steps of a replace, so that tests can make one fail the way a full disk or a read-only folder does.
enum class WriteStep
{
    Create,
    Write,
    Rename,
};
using WriteFailAt = std::function<std::errc(WriteStep)>;

// Writes bytes into a new file beside file, created exclusively under a name of its own and never through
// a link, puts them on the disk and then renames it into file's place, so that file holds either all its
// old bytes or all the new ones, even after a crash. A file that is there keeps its permissions; the new
// bytes are private until they have them. On failure file is unchanged and nothing is left beside it.
std::errc ReplaceDurably(const std::filesystem::path &file, std::string_view bytes,
                         const WriteFailAt &failAt = {});

// Puts from in to's place in one step, replacing the file that is there.
std::errc PutInPlace(const std::filesystem::path &from, const std::filesystem::path &to);

// Copies from into a new file to, made only if no file or link is there (std::errc::file_exists); a copy
// that fails part way is removed.
std::errc CopyDurably(const std::filesystem::path &from, const std::filesystem::path &to);

// Makes the entries just created or renamed in folder survive a power cut. A folder that refuses this
// does not undo them, so its failure is not reported.
void SyncFolder(const std::filesystem::path &folder);

// Whether a write failed for lack of room on the disk or in the user's quota.
bool NoRoom(std::errc error);

#ifdef _WIN32
// The reason of the last failed Windows call, as a generic error value.
std::errc LastWindowsError();
#endif
