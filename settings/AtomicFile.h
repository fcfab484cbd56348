#pragma once
// Whole-file reads and crash-safe whole-file writes for settings files.
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace orvex::settings {

enum class ReadResult { Ok, Missing, Failed };

// Largest settings file read; a larger one is treated as unreadable.
constexpr size_t kMaxSettingsFileBytes = 64u << 20;

// Reads the whole file into out. Missing: no such file (out is empty).
// Failed: it exists but cannot be read, or is larger than maxBytes.
ReadResult readWholeFile(const std::string& path, std::string& out, size_t maxBytes = kMaxSettingsFileBytes);

// Replaces the file with bytes so that, whatever happens, the path holds
// either the old contents or the new ones in full: the bytes go to a new
// temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the path; then the folder entry is
// flushed. Missing parent folders are created. A symbolic link at path is
// followed, so the file it points to is replaced. An existing file's
// permission bits are kept. On failure the temporary file is removed, the
// old file is untouched and false is returned.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// The process's file-creation mask, read from /proc without changing it
// (setting and restoring it would race with files other threads create).
// Without /proc it is taken once, on first use, and remembered.
mode_t processUmask();

}  // namespace orvex::settings
