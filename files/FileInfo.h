#pragma once
// What the load and save need to know about a file on disk.
#include <cstdint>
#include <optional>
#include <string>

namespace orvex::files {

// Last-write time of a file.
struct FileTime {
    int64_t seconds = 0;
    int64_t nanoseconds = 0;
    friend bool operator==(const FileTime&, const FileTime&) = default;
};

bool fileExists(const std::string& path);
// An existing plain file (after links): not a folder, pipe or device.
bool isRegularFile(const std::string& path);
// True for an existing file that this user may not write (the read-only
// attribute of the file).
bool isReadOnlyFile(const std::string& path);
std::optional<FileTime> modificationTime(const std::string& path);
// Size in bytes of an existing file (after links).
std::optional<uint64_t> fileSize(const std::string& path);
// Both paths name the same file (after links).
bool isSameFile(const std::string& a, const std::string& b);

// The folder for temporary files: $TMPDIR, else /tmp.
std::string temporaryFolder();

}  // namespace orvex::files
