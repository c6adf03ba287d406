#include "results/ResultFile.h"

#include "results/DurableFiles.h"
#include "results/FileLock.h"
#include "results/ResultLines.h"
#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::size_t freshStartLines = 100;
// Far more files than can be archived within one second; the bound only keeps a strange folder from
// holding the save up.
constexpr int archiveAttempts = 1000;
// How long a save waits for the copies on other PCs of a lab that are saving at the same moment.
constexpr auto lockWait = 10s;
constexpr std::errc none{};

// What a save needs to know of the file that is already there.
struct Existing
{
    std::size_t lines = 0;     // counted up to the limit
    bool lastLineOpen = false; // the last line has no line end; known when fewer lines than the limit
};

// One pass over the file with a fixed buffer, ended as soon as limit lines are counted.
std::optional<Existing> ReadExisting(const fs::path &file, std::size_t limit)
{
    FileError error = FileError::None;
    const FileHandle handle = OpenForReading(file, error);
    if (!handle) {
        return std::nullopt;
    }
    LineSplitter splitter;
    char piece[1 << 16];
    std::size_t count = 0;
    while (splitter.Lines() < limit && (count = std::fread(piece, 1, sizeof piece, handle.get())) > 0) {
        splitter.Feed(std::string_view(piece, count), [](std::string_view, bool) {});
    }
    if (std::ferror(handle.get())) {
        return std::nullopt;
    }
    return Existing{splitter.Lines(), splitter.InLine()};
}

// The step's own outcome, unless the hook fails it first.
template <typename Run> std::errc Step(const SaveFailAt &failAt, SaveStep step, Run run)
{
    if (failAt) {
        if (const std::errc error = failAt(step); error != none) {
            return error;
        }
    }
    return run();
}

// Writes bytes to file, telling failAt when they are about to be synced.
std::errc Written(const SaveFailAt &failAt, const fs::path &file, WriteMode mode, std::string_view bytes)
{
    return WriteDurably(file, mode, bytes, [&] { return failAt ? failAt(SaveStep::Sync) : none; });
}

void Synced(const SaveFailAt &failAt, const fs::path &folder)
{
    if (failAt) {
        failAt(SaveStep::SyncFolder);
    }
    SyncFolder(folder);
}

// Writes the line after the file's last byte; a failed write is cut back off so that no half line stays.
std::errc Append(const fs::path &file, const Existing &existing, const std::string &line,
                 const SaveFailAt &failAt)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        return std::errc::io_error;
    }
    // A last line without its line end would otherwise swallow the new line.
    const std::string bytes = existing.lastLineOpen ? "\r\n" + line : line;
    const std::errc error =
        Step(failAt, SaveStep::Append, [&] { return Written(failAt, file, WriteMode::AtEnd, bytes); });
    if (error != none) {
        fs::resize_file(file, size, ec);
    }
    return error;
}

// Copies the full file whole into the archive folder under the first free name for now. It is copied, not
// moved, because the lock lives on the result file itself: a file put in its place would be one that
// nobody holds. Returns whether the copy is there.
bool Archive(const fs::path &programFolder, const fs::path &file, const LocalDateTime &now,
             const SaveFailAt &failAt)
{
    const fs::path folder = ArchiveFolder(programFolder);
    const std::errc made = Step(failAt, SaveStep::Archive, [&] {
        std::error_code ec;
        fs::create_directory(folder, ec);
        return ec ? std::errc::io_error : none;
    });
    if (made != none) {
        return false;
    }
    for (int attempt = 1; attempt <= archiveAttempts; ++attempt) {
        const std::errc error = CopyDurably(file, folder / ArchiveName(now, attempt));
        if (error == none) {
            Synced(failAt, folder);
            return true;
        }
        if (error != std::errc::file_exists) {
            break;
        }
    }
    return false;
}

// The archived file starts afresh with the line. Should that fail, it is left empty: its lines are safe
// in the archive and would otherwise be there twice.
std::errc StartAfresh(const fs::path &file, const std::string &line, const SaveFailAt &failAt)
{
    const std::errc error =
        Step(failAt, SaveStep::Replace, [&] { return Written(failAt, file, WriteMode::Create, line); });
    if (error != none) {
        std::error_code ignored;
        fs::resize_file(file, 0, ignored);
    }
    return error;
}
} // namespace

bool SaveResult(const fs::path &programFolder, const TestState &state, const LocalDateTime &now,
                const SaveFailAt &failAt)
{
    const fs::path file = ResultFilePath(programFolder);
    // One copy at a time, from counting to the last write, so that no copy archives, starts afresh or cuts
    // back what another has just written.
    const FileLock lock(file, lockWait);
    if (!lock.Held()) {
        return false;
    }
    if (lock.Created()) {
        Synced(failAt, file.parent_path());
    }
    std::optional<Existing> existing;
    const auto read = [&](std::size_t limit) {
        return Step(failAt, SaveStep::Read, [&] {
            existing = ReadExisting(file, limit);
            return existing ? none : std::errc::io_error;
        });
    };
    if (read(freshStartLines) != none) {
        return false;
    }
    const std::string line = ResultLine(state);
    if (existing->lines >= freshStartLines) {
        if (Archive(programFolder, file, now, failAt)) {
            return StartAfresh(file, line, failAt) == none;
        }
        // Lines are never deleted before they are archived: the line joins them, and the next save tries
        // to archive again. How the file ends is known only once it is read to its end.
        if (read(SIZE_MAX) != none) {
            return false;
        }
    }
    return Append(file, *existing, line, failAt) == none;
}
