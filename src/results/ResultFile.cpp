#include "results/ResultFile.h"

#include "results/DurableFiles.h"
#include "results/FileLock.h"
#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <tuple>

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
// The shape of an archive's name before its suffix, 9 standing for a digit, and its extension.
constexpr std::string_view ArchiveStamp = "Result-9999-99-99_999999";
constexpr std::string_view ArchiveExtension = ".res";

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
        splitter.Feed(std::string_view(piece, count), [](std::size_t) {});
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

std::string ResultLine(const TestState &state)
{
    std::string line = state.UserName + "= ";
    for (int i = 1; i <= state.QuestCount; ++i) {
        const bool given = static_cast<std::size_t>(i) < state.GivenAnswer.size();
        line += "  " + std::to_string(given ? state.GivenAnswer[i] : 0);
    }
    line += "  True= " + std::to_string(state.TrueCount);
    line += "  False= " + std::to_string(state.WrongCount());
    line += "\r\n";
    return line;
}

fs::path ResultFilePath(const fs::path &programFolder)
{
    return programFolder / "Result.res";
}

fs::path ArchiveFolder(const fs::path &programFolder)
{
    return programFolder / "Results";
}

std::string ArchiveName(const LocalDateTime &at, int attempt)
{
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "Result-%04d-%02d-%02d_%02d%02d%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return stamp + (attempt > 1 ? "_" + std::to_string(attempt) : std::string()) +
           std::string(ArchiveExtension);
}

bool IsArchiveName(std::string_view name)
{
    if (name.size() < ArchiveStamp.size() + ArchiveExtension.size() || !name.ends_with(ArchiveExtension))
        return false;
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    for (std::size_t i = 0; i < ArchiveStamp.size(); ++i) {
        const char shape = ArchiveStamp[i];
        if (shape == '9' ? !digits(name.substr(i, 1)) : name[i] != shape)
            return false;
    }
    // Nothing but "_N" may stand between the stamp and the extension.
    const std::string_view suffix =
        name.substr(ArchiveStamp.size(), name.size() - ArchiveStamp.size() - ArchiveExtension.size());
    return suffix.empty() || (suffix.size() > 1 && suffix[0] == '_' && digits(suffix.substr(1)));
}

bool ArchivedBefore(std::string_view a, std::string_view b)
{
    const auto key = [](std::string_view name) {
        return std::tuple(name.substr(0, ArchiveStamp.size()), name.size(), name);
    };
    return key(a) < key(b);
}

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
