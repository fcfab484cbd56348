#pragma once
// Reading a whole file into one buffer.
#include <cstddef>
#include <string>

#include "files/FileError.h"
#include "files/FileInfo.h"

namespace orvex::files {

struct ReadFileResult {
    FileError error;
    FileTime time;  // last-write time of the file read
    size_t size = 0;  // bytes read
};

// Storage a whole-file read fills, so that a file can be read straight into
// the memory that keeps it.
class ReadTarget {
public:
    virtual ~ReadTarget() = default;
    // Room for n bytes in all and one more after them, keeping the bytes
    // already there; null when memory ran out.
    virtual char* resize(size_t n) = 0;
};

// A string as the storage (its own terminator follows the bytes).
class StringReadTarget final : public ReadTarget {
public:
    explicit StringReadTarget(std::string& s) : m_s(s) {}
    char* resize(size_t n) override;

private:
    std::string& m_s;
};

// Reads the whole file at `path` into `out` (replacing its contents; the
// string's own terminator follows the bytes). A file of more than maxBytes
// bytes is refused with TooLarge before anything is read; a file that grows
// past it while being read likewise. A regular file that turns out shorter
// than its size gives ShortRead. Folders are refused; pipes and devices are
// read until their end.
//
// While reading, a shared lock is asked for: a file that another program
// holds exclusively gives SharingViolation.
ReadFileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out);
// The same into any storage; on failure its contents are undefined.
ReadFileResult readWholeFile(const std::string& path, size_t maxBytes, ReadTarget& out);

}  // namespace orvex::files
