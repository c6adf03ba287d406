#include "results/ResultFile.h"

#include "testbase/BaseText.h"
#include "testbase/FileIo.h"

#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
constexpr std::size_t freshStartLines = 100;

std::FILE *OpenFile(const std::filesystem::path &path, bool append)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), append ? L"ab" : L"wb");
#else
    return std::fopen(path.c_str(), append ? "ab" : "wb");
#endif
}

bool SyncToDisk(std::FILE *f)
{
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// The bytes go out in one write and are on the disk before this returns true.
bool WriteDurably(const std::filesystem::path &path, bool append, std::string_view bytes)
{
    std::FILE *f = OpenFile(path, append);
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ok && SyncToDisk(f);
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// Makes a rename survive a power cut; a folder that refuses this does not undo the rename.
void SyncFolder([[maybe_unused]] const std::filesystem::path &folder)
{
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

bool Failing(const std::function<bool(SaveStep)> &failAt, SaveStep step)
{
    return failAt && failAt(step);
}

// The new line becomes the file's only line. It is written beside the old file first and then put in
// its place, so the old file is there until the new one is complete.
bool StartAfresh(const std::filesystem::path &file, const std::string &line,
                 const std::function<bool(SaveStep)> &failAt)
{
    std::filesystem::path fresh = file;
    fresh += ".new";
    std::error_code ec;
    if (Failing(failAt, SaveStep::Replace) || !WriteDurably(fresh, false, line)) {
        std::filesystem::remove(fresh, ec);
        return false;
    }
    if (Failing(failAt, SaveStep::Rename)) {
        ec = std::make_error_code(std::errc::io_error);
    } else {
        std::filesystem::rename(fresh, file, ec);
    }
    if (ec) {
        std::filesystem::remove(fresh, ec);
        return false;
    }
    SyncFolder(file.parent_path());
    return true;
}

// Appends the line; a failed write is cut back off so that no half line stays behind.
bool Append(const std::filesystem::path &file, const std::string &existing, const std::string &line,
            const std::function<bool(SaveStep)> &failAt)
{
    if (Failing(failAt, SaveStep::Append)) {
        return false;
    }
    // A last line without its line end would otherwise swallow the new line.
    const bool needsLineEnd = !existing.empty() && existing.back() != '\r' && existing.back() != '\n';
    if (WriteDurably(file, true, needsLineEnd ? "\r\n" + line : line)) {
        return true;
    }
    std::error_code ec;
    std::filesystem::resize_file(file, existing.size(), ec);
    return false;
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
    line += "  False= " + std::to_string(state.QuestCount - state.TrueCount);
    line += "\r\n";
    return line;
}

bool SaveResult(const std::filesystem::path &file, const TestState &state,
                const std::function<bool(SaveStep)> &failAt)
{
    if (Failing(failAt, SaveStep::Read)) {
        return false;
    }
    FileBytes existing = ReadWholeFile(file);
    if (existing.error == FileError::NotFound) {
        existing.bytes.clear();
    } else if (existing.error != FileError::None) {
        return false;
    }
    const std::string line = ResultLine(state);
    if (CountLines(existing.bytes) >= freshStartLines) {
        return StartAfresh(file, line, failAt);
    }
    return Append(file, existing.bytes, line, failAt);
}
