#include "basetool/AtomicFile.h"

#include "results/DurableFiles.h"

bool ReplaceFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path beside = path;
    beside += ".zorvanta-base.tmp";
    std::error_code ec;
    const auto permissions = std::filesystem::status(path, ec).permissions();
    const bool existed = !ec && std::filesystem::exists(path, ec);
    if (WriteDurably(beside, WriteMode::Create, bytes) == std::errc()) {
        if (existed)
            std::filesystem::permissions(beside, permissions, ec);
        if (PutInPlace(beside, path) == std::errc()) {
            SyncFolder(path.parent_path());
            return true;
        }
    }
    std::filesystem::remove(beside, ec);
    return false;
}
