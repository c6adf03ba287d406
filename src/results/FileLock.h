#pragma once

#include <chrono>
#include <filesystem>

// An exclusive lock on a file, honoured by every copy of the program on this PC and on every PC that
// shares the folder over SMB or NFS: LockFileEx on Windows, an open-file-description record lock
// elsewhere. It covers one byte far beyond the end of any real file, so that nobody's reads or writes of
// the file's contents meet it, even where a lock is mandatory (Windows), and copies on Windows and on Linux
// ask the server for the same range. The lock ends with the object, or with the process however it ends.
class FileLock
{
public:
    // Opens the file, creating it when it is missing, and waits up to wait for the lock.
    FileLock(const std::filesystem::path &file, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool Held() const { return m_held; }
    // Whether the file did not exist before the lock was asked for.
    bool Created() const { return m_created; }

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    bool m_held = false;
    bool m_created = false;
};
