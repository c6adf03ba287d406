#include "results/ResultFile.h"

#include "results/DurableFiles.h"
#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <tuple>

namespace {
namespace fs = std::filesystem;

constexpr std::size_t freshStartLines = 100;
// Far more files than can be archived within one second; the bound only keeps a strange folder from
// holding the save up.
constexpr int archiveAttempts = 1000;
constexpr std::errc none{};
// The shape of an archive's name before its suffix, 9 standing for a digit, and its extension.
constexpr std::string_view ArchiveStamp = "Result-9999-99-99_999999";
constexpr std::string_view ArchiveExtension = ".res";

// What a save needs to know of the file that is already there.
struct Existing
{
    bool found = false;
    std::size_t lines = 0;     // counted up to freshStartLines
    bool lastLineOpen = false; // the last line has no line end
    std::uintmax_t size = 0;   // exact when fewer than freshStartLines lines were counted
};

// One pass over the file with a fixed buffer, ended as soon as the file is known to be full.
std::optional<Existing> ReadExisting(const fs::path &file)
{
    Existing existing;
    FileError error = FileError::None;
    const FileHandle handle = OpenForReading(file, error);
    if (!handle) {
        return error == FileError::NotFound ? std::optional(existing) : std::nullopt;
    }
    existing.found = true;
    LineSplitter splitter;
    char piece[1 << 16];
    std::size_t count = 0;
    while (splitter.Lines() < freshStartLines &&
           (count = std::fread(piece, 1, sizeof piece, handle.get())) > 0) {
        splitter.Feed(std::string_view(piece, count), [](std::size_t) {});
        existing.size += count;
    }
    if (std::ferror(handle.get())) {
        return std::nullopt;
    }
    existing.lines = splitter.Lines();
    existing.lastLineOpen = splitter.InLine();
    return existing;
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

void Synced(const SaveFailAt &failAt, const fs::path &folder)
{
    if (failAt) {
        failAt(SaveStep::SyncFolder);
    }
    SyncFolder(folder);
}

// Appends the line; a failed write is cut back off so that no half line stays behind.
std::errc Append(const fs::path &file, const Existing &existing, const std::string &line,
                 const SaveFailAt &failAt)
{
    // A last line without its line end would otherwise swallow the new line.
    const std::string bytes = existing.lastLineOpen ? "\r\n" + line : line;
    const std::errc error =
        Step(failAt, SaveStep::Append, [&] { return WriteDurably(file, WriteMode::Append, bytes); });
    if (error != none) {
        std::error_code ignored;
        fs::resize_file(file, existing.size, ignored);
        return error;
    }
    if (!existing.found) {
        Synced(failAt, file.parent_path());
    }
    return none;
}

// The old file goes first, so that the line fits where the old and the new file together would not.
std::errc DeleteThenWrite(const fs::path &file, const std::string &line, const SaveFailAt &failAt)
{
    std::error_code ec;
    fs::remove(file, ec);
    if (ec) {
        return std::errc::io_error;
    }
    if (const std::errc error = WriteDurably(file, WriteMode::Create, line); error != none) {
        fs::remove(file, ec);
        return error;
    }
    Synced(failAt, file.parent_path());
    return none;
}

// The line becomes the file's only line. It is written beside the old file and then replaces it in one
// step, so the old lines stay until the new file is complete.
std::errc StartAfresh(const fs::path &file, const std::string &line, const SaveFailAt &failAt)
{
    fs::path fresh = file;
    fresh += ".new";
    std::error_code ignored;
    const std::errc written =
        Step(failAt, SaveStep::Replace, [&] { return WriteDurably(fresh, WriteMode::Create, line); });
    if (written != none) {
        fs::remove(fresh, ignored);
        return NoRoom(written) ? DeleteThenWrite(file, line, failAt) : written;
    }
    if (const std::errc error = Step(failAt, SaveStep::Rename, [&] { return PutInPlace(fresh, file); });
        error != none) {
        fs::remove(fresh, ignored);
        return error;
    }
    Synced(failAt, file.parent_path());
    return none;
}

// Moves the full file whole into the archive folder under the first free name for now. Returns where it
// went; nothing when it stayed where it was.
std::optional<fs::path> Archive(const fs::path &programFolder, const fs::path &file, const LocalDateTime &now,
                                const SaveFailAt &failAt)
{
    const fs::path folder = ArchiveFolder(programFolder);
    const std::errc made = Step(failAt, SaveStep::Archive, [&] {
        std::error_code ec;
        fs::create_directory(folder, ec);
        return ec ? std::errc::io_error : none;
    });
    if (made != none) {
        return std::nullopt;
    }
    for (int attempt = 1; attempt <= archiveAttempts; ++attempt) {
        const fs::path target = folder / ArchiveName(now, attempt);
        const std::errc error = MoveWithoutReplacing(file, target);
        if (error == none) {
            Synced(failAt, folder);
            return target;
        }
        if (error != std::errc::file_exists) {
            break;
        }
    }
    return std::nullopt;
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
    std::optional<Existing> existing;
    const std::errc read = Step(failAt, SaveStep::Read, [&] {
        existing = ReadExisting(file);
        return existing ? none : std::errc::io_error;
    });
    if (read != none) {
        return false;
    }
    const std::string line = ResultLine(state);
    if (existing->lines < freshStartLines) {
        return Append(file, *existing, line, failAt) == none;
    }
    if (const auto archived = Archive(programFolder, file, now, failAt)) {
        const std::errc written =
            Step(failAt, SaveStep::Replace, [&] { return WriteDurably(file, WriteMode::Create, line); });
        if (written == none) {
            Synced(failAt, file.parent_path());
            return true;
        }
        // The old lines go back in place, and the file starts afresh as it would without an archive.
        PutInPlace(*archived, file);
    }
    return StartAfresh(file, line, failAt) == none;
}
