#pragma once
// Why reading or writing a file failed, and the message that tells the user.
#include <string>
#include <string_view>

namespace orvex::files {

enum class FileErrorKind {
    None,
    NotFound,          // the file or a folder on its path does not exist
    BadPath,           // not a usable path (too long, a file where a folder should be)
    IsFolder,
    AccessDenied,      // no permission
    SharingViolation,  // another program holds a lock on the file
    ReadOnly,          // the target is not writable by this user
    TooLarge,          // more than the caller's limit (reading) or the file system's (writing)
    DiskFull,          // no space or quota left
    IoError,           // the device reported an error
    ShortRead,         // the file ended before its size said
    OutOfMemory,
    Other,
};

struct FileError {
    FileErrorKind kind = FileErrorKind::None;
    int sysError = 0;  // errno, where one was given

    bool failed() const { return kind != FileErrorKind::None; }
    explicit operator bool() const { return failed(); }
};

// The error for an errno value of a failed call.
FileError fileErrorFromErrno(int err);

// The message reporting the failure for `path` (UTF-8). Sharing violations
// and read-only targets use the string table's texts (30008, 30056).
std::string fileErrorMessage(const FileError& error, std::string_view path, bool writing);

// The message of a file that exceeds the room left in the text.
inline constexpr std::string_view kFileTooLargeText = "ﾌｧｲﾙが大きすぎて開けません。";

}  // namespace orvex::files
