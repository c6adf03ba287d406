#include "basetool/AtomicFile.h"

#include "basetool/Findings.h"
#include "results/DurableFiles.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {
WriteFailure FailureOf(std::errc error)
{
    if (NoRoom(error))
        return WriteFailure::NoRoom;
    switch (error) {
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
    case std::errc::read_only_file_system:
        return WriteFailure::FolderDenied;
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory:
        return WriteFailure::NoFolder;
    case std::errc::is_a_directory:
        return WriteFailure::IsFolder;
    default:
        return WriteFailure::Failed;
    }
}

// The file a link points to, which is what its user means to replace.
fs::path Target(const fs::path &path)
{
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target;
}
} // namespace

WriteFailure ReplaceContents(const fs::path &path, std::string_view bytes, const WriteFailAt &failAt)
{
    const fs::path target = Target(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return WriteFailure::IsFolder;
    constexpr fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(status) && (status.permissions() & writable) == fs::perms::none)
        return WriteFailure::ReadOnlyFile;
    const std::errc error = ReplaceDurably(target, bytes, failAt);
    return error == std::errc{} ? WriteFailure::None : FailureOf(error);
}

std::string WriteFailureText(WriteFailure failure, const fs::path &path)
{
    switch (failure) {
    case WriteFailure::ReadOnlyFile:
        return "файл только для чтения; снимите этот атрибут, если файл правда нужно заменить";
    case WriteFailure::IsFolder:
        return "это папка, а не файл";
    case WriteFailure::NoFolder:
        return "нет папки «" + PathText(path.parent_path()) + "»";
    case WriteFailure::NoRoom:
        return "на диске нет места";
    case WriteFailure::FolderDenied:
        return "в папку нельзя записывать: она только для чтения или нет прав на запись";
    case WriteFailure::Failed:
    case WriteFailure::None:
        break;
    }
    return "ошибка ввода/вывода при записи файла";
}
