#pragma once
// The lock a document keeps on its file while it is open (`OpenFileLock`).
//
// Locks are advisory (flock): "deny other writers" is a shared lock held on
// a read-only descriptor, "exclusive" an exclusive lock. Taking the lock
// first tries the exclusive lock; when that fails (another program or
// window holds a lock, or the file cannot be opened for reading) the
// document is to be opened read-only.
#include <string>

namespace orvex::files {

enum LockSetting : int {
    kLockNone = 0,
    kLockDenyWrite = 1,
    kLockExclusive = 2,
};

class FileLock {
public:
    enum class Result {
        Denied,   // the exclusive probe failed: open read-only
        NotHeld,  // probe worked, no lock kept (setting 0, or the shared lock failed)
        Held,
    };

    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Releases any lock held, then takes one on `path` as `setting` says.
    Result take(const std::string& path, int setting);
    void release();
    bool held() const { return m_fd >= 0; }
    int setting() const { return m_setting; }

private:
    int m_fd = -1;
    int m_setting = kLockNone;
};

}  // namespace orvex::files
