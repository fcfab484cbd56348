#pragma once
// Replaces a file's contents so that a failure never leaves it truncated or
// half-written.
//
//   SafeFileWriter out;
//   if (FileError e = out.open(path)) report(e);
//   ... write through out (a ByteSink) ...
//   if (FileError e = out.commit()) report(e);   // the old file is intact
//
// The new contents go to a temporary file beside the target (a symbolic
// link is followed to the file it names, which is the one replaced). commit
// flushes and syncs it, gives it the target's permissions and, when this
// user may, its owner and group, and renames it over the target; the folder
// is synced afterwards. Until the rename the target keeps its old contents;
// any failure (disk full, quota, an I/O error, the folder removed) is
// returned and the temporary file removed.
//
// The rename gives the target a new identity: other hard links to the old
// file keep the old contents.
//
// Two cases cannot use a temporary file:
// - A folder in which this user may not create files, holding a target this
//   user may write: the contents are collected in memory and written over
//   the target in place, after room for them was reserved (posix_fallocate);
//   where room cannot be reserved and the file would grow, the save fails.
// - A target that is not a regular file (a device, a pipe): written
//   directly.
//
// While the writer is open it holds an exclusive lock on the old (regular)
// file, so a second writer or a program that keeps the file locked (another
// editor window with a lock) is refused with SharingViolation.
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

#include "files/ByteSink.h"
#include "files/FileError.h"
#include "files/FileInfo.h"

namespace orvex::files {

// Permissions and owner a written file gets.
struct FileOwnership {
    mode_t mode = 0644;  // permission bits (07777)
    uid_t uid = 0;
    gid_t gid = 0;
    bool owner = false;  // set uid and gid too
};

// The ownership of an existing file, or nothing when it cannot be read.
std::optional<FileOwnership> ownershipOf(const std::string& path);

class SafeFileWriter final : public ByteSink {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter() override;
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Starts replacing `path` (creating it when it does not exist). Fails
    // with ReadOnly when the target exists and this user may not write it,
    // SharingViolation when another holds a lock on it, IsFolder, NotFound
    // when its folder does not exist, and the errors of creating the
    // temporary file. `ownership` overrides the permissions and owner the
    // file gets (by default the old file's, or 0666 less the umask for a new
    // file).
    FileError open(const std::string& path, const std::optional<FileOwnership>& ownership = std::nullopt);

    // Appends bytes; false once anything failed (see error()).
    bool write(const void* data, size_t size) override;

    // Sets the last-write time the file gets at commit (a copy keeps its
    // source's).
    void setModificationTime(const FileTime& time) { m_time = time; }

    // Finishes: everything reaches the disk and replaces the target.
    // `beforeReplace` runs once the new contents are safely on disk, just
    // before they replace the old file (the place to move the old file to
    // the trash). Returns the first error; the writer is closed either way.
    FileError commit(const std::function<void()>& beforeReplace = {});

    // Gives up: the temporary file goes, the target stays as it was.
    void abandon();

    bool isOpen() const { return m_state != State::Closed; }
    // The file replaced: the given path with symbolic links followed.
    const std::string& targetPath() const { return m_target; }
    // The first error of writing, if any.
    const FileError& error() const { return m_error; }
    // Last-write time of the target after a successful commit.
    const FileTime& committedTime() const { return m_committedTime; }

private:
    enum class State { Closed, Temporary, InPlace, Direct };

    FileError openTemporary();
    FileError commitTemporary(const std::function<void()>& beforeReplace);
    FileError commitInPlace(const std::function<void()>& beforeReplace);
    void fail(int err);
    void closeAll();

    State m_state = State::Closed;
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    int m_lockFd = -1;
    bool m_targetExists = false;
    FileOwnership m_ownership;
    std::optional<FileTime> m_time;
    std::string m_memory;  // contents collected for an in-place write
    FileError m_error;
    FileTime m_committedTime;
};

// Copies a file whole through a SafeFileWriter; the copy keeps the source's
// permissions and last-write time. An existing destination is replaced.
FileError copyFile(const std::string& from, const std::string& to);

// The path with symbolic links of its last component followed (to the file
// a link names, existing or not).
std::string followLinks(const std::string& path);

}  // namespace orvex::files
