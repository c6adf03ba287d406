#pragma once

#include <QString>

// The running copy's claim on a lock file. The system lets it go when the holder ends, however it ends,
// so a crashed copy never leaves a stale lock behind; nothing is written, so taking it costs no disk sync.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Another running copy holds the lock. A lock file that cannot be opened at all counts as free: a
    // missing folder or a rights problem must not keep the examinee out.
    bool HeldByAnother() const { return m_heldByAnother; }

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    bool m_heldByAnother = false;
};
