#include "files/FileReader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>

#include "common/parallel/SplitWork.h"

namespace orvex::files {

namespace {

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Reads into buf until it is full or the file ends, from the file offset
// (offset < 0) or from `offset` without moving the file offset; returns the
// bytes read, or -1 with errno set.
ssize_t readFully(int fd, char* buf, size_t size, off_t offset = -1) {
    size_t got = 0;
    while (got < size) {
        const ssize_t n = offset < 0 ? ::read(fd, buf + got, size - got)
                                     : ::pread(fd, buf + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// The first `size` bytes of a regular file read as two halves on two
// threads (the copy out of the page cache, and the first touch of fresh
// memory, are most of a large read). Leaves the file offset after them.
// The bytes read (fewer when the file shrank meanwhile), or -1 with errno.
ssize_t readHalves(int fd, char* buf, size_t size) {
    const size_t half = size / 2;
    ssize_t first = 0, second = 0;
    int firstErrno = 0, secondErrno = 0;
    parallel::runBoth(
        [&] {
            first = readFully(fd, buf, half, 0);
            if (first < 0) firstErrno = errno;
        },
        [&] {
            second = readFully(fd, buf + half, size - half, static_cast<off_t>(half));
            if (second < 0) secondErrno = errno;
        });
    if (first < 0 || second < 0) {
        errno = first < 0 ? firstErrno : secondErrno;
        return -1;
    }
    // A short first half means the file ended before its middle: whatever
    // the second found was read from a file that changed under us.
    const size_t got = static_cast<size_t>(first) < half ? static_cast<size_t>(first) : half + static_cast<size_t>(second);
    if (::lseek(fd, static_cast<off_t>(got), SEEK_SET) < 0) return -1;
    return static_cast<ssize_t>(got);
}

}  // namespace

char* StringReadTarget::resize(size_t n) {
    try {
        m_s.resize(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return m_s.data();
}

ReadFileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out) {
    StringReadTarget target(out);
    out.clear();
    const ReadFileResult result = readWholeFile(path, maxBytes, static_cast<ReadTarget&>(target));
    if (result.error) {
        out.clear();
        if (result.error.kind == FileErrorKind::OutOfMemory) out.shrink_to_fit();
    } else {
        out.resize(result.size);
    }
    return result;
}

ReadFileResult readWholeFile(const std::string& path, size_t maxBytes, ReadTarget& out) {
    ReadFileResult result;
    if (maxBytes > SIZE_MAX / 2) maxBytes = SIZE_MAX / 2;  // room for the one byte looked beyond
    Descriptor file;
    // Opened without waiting for a writer of a pipe; reads then wait.
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file.fd < 0) {
        result.error = fileErrorFromErrno(errno);
        return result;
    }
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    struct stat st;
    if (::fstat(file.fd, &st) != 0) {
        result.error = fileErrorFromErrno(errno);
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.error = FileError{FileErrorKind::IsFolder, EISDIR};
        return result;
    }
    if (::flock(file.fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        result.error = FileError{FileErrorKind::SharingViolation, EWOULDBLOCK};
        return result;
    }
    result.time = FileTime{st.st_mtim.tv_sec, st.st_mtim.tv_nsec};

    const bool regular = S_ISREG(st.st_mode);
    if (regular && static_cast<uint64_t>(st.st_size) > maxBytes) {
        result.error = FileError{FileErrorKind::TooLarge, EFBIG};
        return result;
    }
    size_t size = 0;
    size_t want = regular ? static_cast<size_t>(st.st_size) : 0;
    if (regular && parallel::worthSplitting(want)) {
        // A large file as two halves at once; the loop below then reads
        // whatever follows (normally nothing: the byte that shows the end).
        char* data = out.resize(want + 1);
        if (!data) {
            result.error = FileError{FileErrorKind::OutOfMemory, ENOMEM};
            return result;
        }
        const ssize_t n = readHalves(file.fd, data, want);
        if (n < 0) {
            result.error = fileErrorFromErrno(errno);
            return result;
        }
        size = static_cast<size_t>(n);
    }
    for (;;) {
        // One byte beyond what is expected shows whether the file goes
        // on (a pipe, or a file that grew since its size was taken).
        size_t room = want - size + 1;
        if (!regular && room < 65536) room = 65536;
        if (size + room > maxBytes + 1) room = maxBytes + 1 - size;
        char* data = out.resize(size + room);
        if (!data) {
            result.error = FileError{FileErrorKind::OutOfMemory, ENOMEM};
            return result;
        }
        const ssize_t n = readFully(file.fd, data + size, room);
        if (n < 0) {
            result.error = fileErrorFromErrno(errno);
            return result;
        }
        size += static_cast<size_t>(n);
        if (size > maxBytes) {
            result.error = FileError{FileErrorKind::TooLarge, EFBIG};
            return result;
        }
        if (static_cast<size_t>(n) < room) break;  // the end of the file
        want = size + (size >> 1);
    }
    if (regular && size < static_cast<size_t>(st.st_size)) {
        result.error = FileError{FileErrorKind::ShortRead, 0};
        return result;
    }
    result.size = size;
    return result;
}

}  // namespace orvex::files
