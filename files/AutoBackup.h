#pragma once
// Automatic backups: the clock that decides when they are due and the names
// of the backup copies.
#include <ctime>
#include <string>
#include <string_view>

#include "files/FileError.h"

namespace orvex::files {

// Counts the main window's 10,000 ms ticks. A tick that brings the count
// past `AutoBackupTime` × 6 starts it again and is due when `AutoBackup`
// and `AutoBackupTime` are both non-zero (then every open document gets its
// automatic backup step).
class AutoBackupClock {
public:
    static constexpr int kTickMilliseconds = 10000;
    bool tick(int autoBackup, int autoBackupTime);
    int count() const { return m_count; }

private:
    int m_count = 0;
};

// The folder of automatic backup copies: `AutoBackupPath`, or the
// temporary folder when that is empty.
std::string autoBackupFolder(const std::string& autoBackupPath);

// The copy's name for a document with a path: the folder, then the time as
// "%m%d%H%M~", then the document's file name.
std::string autoBackupFileName(const std::string& folder, std::string_view documentPath, const std::tm& localTime);

// For an untitled document: a new file with a unique name in the folder,
// created empty so that the name stays taken. Empty when none could be made.
std::string createAutoBackupFile(const std::string& folder);

// Writes the text as it is held (Shift JIS, line ends as in the text), with
// a 0x1A after it when the document had an end-of-file mark, replacing the
// file's contents safely.
FileError writeAutoBackup(const std::string& file, std::string_view text, bool eofMark);

}  // namespace orvex::files
