#include "results/FileLock.h"

#include <algorithm>
#include <cstdint>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
using namespace std::chrono_literals;

// 1 TiB: no result file grows that far, and the offset fits the locks of SMB and of NFS versions 3 and 4.
constexpr std::uint64_t lockedByte = std::uint64_t(1) << 40;

// Asks for the lock again and again, a little less often each time, until it is granted, the wait is over
// or asking fails for another reason than the lock being held. Over a network each try is a round trip,
// so a lab of copies waiting together does not flood the server.
template <typename TryLock> bool Poll(std::chrono::milliseconds wait, TryLock tryLock)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause = 1ms;
    for (;;) {
        bool busy = false;
        if (tryLock(busy))
            return true;
        if (!busy || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}
} // namespace

#ifdef _WIN32
FileLock::FileLock(const std::filesystem::path &file, std::chrono::milliseconds wait)
{
    // Sharing everything keeps waiting copies from standing in the way of the one that holds the lock.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    m_created = GetLastError() != ERROR_ALREADY_EXISTS;
    m_handle = handle;
    m_held = Poll(wait, [&](bool &busy) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(lockedByte);
        at.OffsetHigh = static_cast<DWORD>(lockedByte >> 32);
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return true;
        busy = GetLastError() == ERROR_LOCK_VIOLATION;
        return false;
    });
}

FileLock::~FileLock()
{
    if (m_handle == nullptr)
        return;
    // Closing the handle frees the lock too, but not necessarily at once.
    if (m_held) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(lockedByte);
        at.OffsetHigh = static_cast<DWORD>(lockedByte >> 32);
        UnlockFileEx(m_handle, 0, 1, 0, &at);
    }
    CloseHandle(m_handle);
}
#else
FileLock::FileLock(const std::filesystem::path &file, std::chrono::milliseconds wait)
{
    // Not blocking: a pipe or a device in the file's place must not hold the save up.
    constexpr int flags = O_RDWR | O_CLOEXEC | O_NONBLOCK;
    m_fd = open(file.c_str(), flags | O_CREAT | O_EXCL, 0666);
    m_created = m_fd >= 0;
    if (m_fd < 0 && errno == EEXIST)
        m_fd = open(file.c_str(), flags);
    if (m_fd < 0)
        return;
    // A lock of the open file description, not of the process: closing another descriptor of the same file
    // while saving does not drop it, and two descriptions in one process exclude each other.
    m_held = Poll(wait, [&](bool &busy) {
        struct flock range = {};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        range.l_start = static_cast<off_t>(lockedByte);
        range.l_len = 1;
        if (fcntl(m_fd, F_OFD_SETLK, &range) == 0)
            return true;
        busy = errno == EAGAIN || errno == EACCES || errno == EINTR;
        return false;
    });
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        close(m_fd);
}
#endif
