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

}  // namespace orvex::files
