#include "files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orvex::files {

FileLock::Result FileLock::take(const std::string& path, int setting) {
    release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return Result::Denied;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Result::Denied;
    }
    if (setting == kLockExclusive) {
        m_fd = fd;
        m_setting = setting;
        return Result::Held;
    }
    if (setting == kLockDenyWrite) {
        // Turned into a shared lock on the same read-only descriptor; other
        // readers may lock it too, writers that ask for a lock are refused.
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
            m_fd = fd;
            m_setting = setting;
            return Result::Held;
        }
    }
    ::close(fd);
    return Result::NotHeld;
}

void FileLock::release() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_setting = kLockNone;
}

}  // namespace orvex::files
