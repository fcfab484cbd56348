#include "files/SafeFileWriter.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <random>

#include "files/PathNames.h"
#include "settings/AtomicFile.h"

namespace orvex::files {

namespace {

std::string randomSuffix() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 rng(std::random_device{}() ^ static_cast<uint64_t>(::getpid()));
    std::string s;
    for (int i = 0; i < 10; ++i) s.push_back(kChars[rng() % (sizeof kChars - 1)]);
    return s;
}

// Writes everything; returns 0 or the errno of the failure.
int writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

int pwriteAll(int fd, const char* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return 0;
}

// Writing into a pipe whose reader has gone must fail the save, not end the
// program: SIGPIPE is held back around such writes, and one raised by them
// is taken off again.
class SigpipeHold {
public:
    SigpipeHold() {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_old);
    }
    ~SigpipeHold() {
        sigset_t pending;
        if (!sigismember(&m_old, SIGPIPE) && sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE)) {
            const struct timespec zero = {0, 0};
            sigtimedwait(&m_set, nullptr, &zero);
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    SigpipeHold(const SigpipeHold&) = delete;
    SigpipeHold& operator=(const SigpipeHold&) = delete;

private:
    sigset_t m_set;
    sigset_t m_old;
};

// So that a rename survives a crash, the folder holding it is synced too.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void applyTime(int fd, const std::optional<FileTime>& time) {
    if (!time) return;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(time->seconds);
    times[1].tv_nsec = static_cast<long>(time->nanoseconds);
    ::futimens(fd, times);
}

// Owner first: changing the owner may clear set-user-id bits that the mode
// then puts back. An owner this user may not give is left (the group is
// still tried).
int applyOwnership(int fd, const FileOwnership& o) {
    if (o.owner && (o.uid != ::geteuid() || o.gid != ::getegid())) {
        if (::fchown(fd, o.uid, o.gid) != 0) static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), o.gid));
    }
    return ::fchmod(fd, o.mode & 07777) == 0 ? 0 : errno;
}

}  // namespace

std::optional<FileOwnership> ownershipOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileOwnership{static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid, true};
}

std::string followLinks(const std::string& path) {
    std::string p = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), buf, sizeof buf);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof buf) return p;
        const std::string link(buf, static_cast<size_t>(n));
        p = link.front() == '/' ? link : joinPath(folderOf(p), link);
    }
    return path;  // a loop: opening it reports the error
}

SafeFileWriter::~SafeFileWriter() { abandon(); }

void SafeFileWriter::fail(int err) {
    if (!m_error) m_error = fileErrorFromErrno(err);
}

void SafeFileWriter::closeAll() {
    if (m_fd >= 0) ::close(m_fd);
    if (m_lockFd >= 0) ::close(m_lockFd);
    m_fd = m_lockFd = -1;
    m_memory.clear();
    m_memory.shrink_to_fit();
    m_state = State::Closed;
}

void SafeFileWriter::abandon() {
    if (m_state == State::Temporary) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temp.c_str());
    }
    closeAll();
}

FileError SafeFileWriter::open(const std::string& path, const std::optional<FileOwnership>& ownership) {
    abandon();
    m_error = {};
    m_time.reset();
    m_target = followLinks(path);
    m_targetExists = false;

    struct stat st;
    if (::stat(m_target.c_str(), &st) == 0) {
        m_targetExists = true;
        if (S_ISDIR(st.st_mode)) return FileError{FileErrorKind::IsFolder, EISDIR};
        if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            return FileError{FileErrorKind::ReadOnly, errno};
        m_ownership = FileOwnership{static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid, true};
        if (!S_ISREG(st.st_mode)) {
            // Opened without waiting: a pipe nobody reads is an error, not
            // a hang. Writes then wait as usual.
            m_fd = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            if (m_fd < 0) {
                const FileError e = fileErrorFromErrno(errno);
                closeAll();
                return e;
            }
            ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
            m_state = State::Direct;
            return {};
        }
        m_lockFd = ::open(m_target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        if (m_lockFd >= 0 && ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            closeAll();
            return FileError{FileErrorKind::SharingViolation, EWOULDBLOCK};
        }
    } else {
        if (errno != ENOENT) return fileErrorFromErrno(errno);
        struct stat folder;
        if (::stat(folderOf(m_target).c_str(), &folder) != 0) return fileErrorFromErrno(errno);
        if (!S_ISDIR(folder.st_mode)) return FileError{FileErrorKind::BadPath, ENOTDIR};
        m_ownership = FileOwnership{static_cast<mode_t>(0666 & ~settings::processUmask()), 0, 0, false};
    }
    if (ownership) m_ownership = *ownership;
    if (m_targetExists && st.st_uid != ::geteuid() && ::geteuid() != 0) {
        // In a sticky folder only a file's owner may replace it by rename.
        struct stat folder;
        if (::stat(folderOf(m_target).c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX)) {
            m_state = State::InPlace;
            return {};
        }
    }
    const FileError e = openTemporary();
    if (e) closeAll();
    return e;
}

FileError SafeFileWriter::openTemporary() {
    const std::string folder = folderOf(m_target);
    // Room for the prefix and suffix within a file name's 255 bytes.
    const std::string_view name = fileNameOf(m_target).substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = joinPath(folder, "." + std::string(name) + ".orvex-" + randomSuffix());
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
        if (m_fd >= 0) {
            m_state = State::Temporary;
            return {};
        }
        if (errno == EEXIST) continue;
        if ((errno == EACCES || errno == EPERM) && m_targetExists) {
            // The folder is closed to new files but the file may be written.
            m_state = State::InPlace;
            return {};
        }
        return fileErrorFromErrno(errno);
    }
    return FileError{FileErrorKind::Other, EEXIST};
}

bool SafeFileWriter::write(const void* data, size_t size) {
    if (m_state == State::Closed || m_error) return false;
    if (m_state == State::InPlace) {
        try {
            m_memory.append(static_cast<const char*>(data), size);
        } catch (const std::bad_alloc&) {
            fail(ENOMEM);
            return false;
        }
        return true;
    }
    if (m_state == State::Direct) {
        SigpipeHold hold;
        if (const int err = writeAll(m_fd, static_cast<const char*>(data), size)) {
            fail(err);
            return false;
        }
        return true;
    }
    if (const int err = writeAll(m_fd, static_cast<const char*>(data), size)) {
        fail(err);
        return false;
    }
    return true;
}

FileError SafeFileWriter::commit(const std::function<void()>& beforeReplace) {
    FileError e;
    switch (m_state) {
        case State::Closed: return FileError{FileErrorKind::Other, EBADF};
        case State::Temporary: e = commitTemporary(beforeReplace); break;
        case State::InPlace: e = commitInPlace(beforeReplace); break;
        case State::Direct:
            if (beforeReplace) beforeReplace();
            if (!m_error && ::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS) fail(errno);
            if (::close(m_fd) != 0 && !m_error) fail(errno);
            m_fd = -1;
            e = m_error;
            break;
    }
    if (!e) {
        if (auto t = modificationTime(m_target)) m_committedTime = *t;
    }
    closeAll();
    return e;
}

FileError SafeFileWriter::commitTemporary(const std::function<void()>& beforeReplace) {
    if (!m_error && ::fsync(m_fd) != 0) fail(errno);
    if (!m_error) {
        if (const int err = applyOwnership(m_fd, m_ownership)) fail(err);
    }
    if (!m_error) applyTime(m_fd, m_time);
    if (::close(m_fd) != 0 && !m_error) fail(errno);
    m_fd = -1;
    if (m_error) {
        ::unlink(m_temp.c_str());
        return m_error;
    }
    if (beforeReplace) beforeReplace();
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        fail(errno);
        ::unlink(m_temp.c_str());
        return m_error;
    }
    syncFolder(folderOf(m_target));
    return {};
}

FileError SafeFileWriter::commitInPlace(const std::function<void()>& beforeReplace) {
    if (m_error) return m_error;
    if (beforeReplace) beforeReplace();
    const int fd = ::open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        fail(errno);
        return m_error;
    }
    struct stat st;
    const off_t newSize = static_cast<off_t>(m_memory.size());
    if (::fstat(fd, &st) != 0) {
        fail(errno);
    } else if (newSize > st.st_size) {
        // Without the room reserved a full disk would stop the write half
        // way through the old contents.
        if (const int err = ::posix_fallocate(fd, 0, newSize)) fail(err == EINVAL || err == EOPNOTSUPP ? ENOSPC : err);
    }
    if (!m_error) {
        if (const int err = pwriteAll(fd, m_memory.data(), m_memory.size(), 0)) fail(err);
    }
    if (!m_error && ::ftruncate(fd, newSize) != 0) fail(errno);
    if (!m_error) applyTime(fd, m_time);
    if (!m_error && ::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0 && !m_error) fail(errno);
    return m_error;
}

FileError copyFile(const std::string& from, const std::string& to) {
    const int src = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (src < 0) return fileErrorFromErrno(errno);
    struct stat st;
    if (::fstat(src, &st) != 0) {
        const FileError e = fileErrorFromErrno(errno);
        ::close(src);
        return e;
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(src);
        return FileError{FileErrorKind::IsFolder, EISDIR};
    }
    SafeFileWriter out;
    FileError e = out.open(to, FileOwnership{static_cast<mode_t>(st.st_mode & 0777), 0, 0, false});
    if (!e) {
        std::unique_ptr<char[]> buf(new (std::nothrow) char[1 << 20]);
        if (!buf) e = FileError{FileErrorKind::OutOfMemory, ENOMEM};
        while (!e) {
            const ssize_t n = ::read(src, buf.get(), 1 << 20);
            if (n < 0) {
                if (errno == EINTR) continue;
                e = fileErrorFromErrno(errno);
            } else if (n == 0) {
                break;
            } else if (!out.write(buf.get(), static_cast<size_t>(n))) {
                e = out.error();
            }
        }
        if (e) {
            out.abandon();
        } else {
            out.setModificationTime(FileTime{st.st_mtim.tv_sec, st.st_mtim.tv_nsec});
            e = out.commit();
        }
    }
    ::close(src);
    return e;
}

}  // namespace orvex::files
