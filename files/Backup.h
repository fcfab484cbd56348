#pragma once
// Backups made before a save replaces a file (`BackupMode` 1-4).
//
//   1  the file's name with its extension replaced by ".bak"
//   2  a copy under the same name in the backup folder (needs BackupPath)
//   3  numbered versions name.1, name.2 ...: each save adds the next number
//      and, when BackupVerLimit or more existed already, deletes the lowest
//   4  the old file moved to the trash
//
// The name of a backup starts from the backup folder + the file's name
// when BackupPath is set, else from the file's full path. Copies keep the
// file's permissions and last-write time and replace an earlier backup of
// the same name safely.
//
// Mode 4 moves the old file away; a save should do it inside
// SafeFileWriter::commit's beforeReplace step, so the file stays in place
// until its new contents are complete.
#include <string>

#include "files/FileError.h"
#include "files/Trash.h"

namespace orvex::files {

enum BackupMode : int {
    kBackupNone = 0,
    kBackupBak = 1,
    kBackupFolder = 2,
    kBackupNumbered = 3,
    kBackupTrash = 4,
};

struct BackupOptions {
    int mode = kBackupNone;      // `BackupMode`
    std::string folder;          // `BackupPath`
    unsigned versionLimit = 3;   // `BackupVerLimit`
};

struct BackupResult {
    bool made = false;     // a backup exists now
    FileError error;       // why it failed (made is false)
    std::string backup;    // the backup file (empty for the trash)
    std::string removed;   // the numbered version deleted to keep the limit
    bool failed() const { return error.failed(); }
};

// Makes the backup of `target`. Nothing is done (and nothing fails) when the
// mode is 0 or the target does not exist. `trash` is needed for mode 4; a
// missing trash fails the backup.
BackupResult makeBackup(const std::string& target, const BackupOptions& options, Trash* trash);

// Where backups of `target` are named from.
std::string backupBaseName(const std::string& target, const std::string& folder);
// Mode 1: the base name with its extension replaced by ".bak".
std::string bakName(const std::string& base);

struct NumberedVersions {
    unsigned count = 0;
    unsigned lowest = 0;
    unsigned highest = 0;
};
// The versions base + "." + number that exist (a suffix of decimal digits
// and nothing else, within 32 bits).
NumberedVersions findNumberedVersions(const std::string& base);

}  // namespace orvex::files
