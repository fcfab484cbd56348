#include "files/Backup.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "files/FileInfo.h"
#include "files/PathNames.h"
#include "files/SafeFileWriter.h"

namespace orvex::files {

namespace {

// The decimal number that is the whole of `s`, within 32 bits.
bool parseVersion(std::string_view s, unsigned& value) {
    if (s.empty()) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
        if (v > UINT32_MAX) return false;
    }
    value = static_cast<unsigned>(v);
    return true;
}

}  // namespace

std::string backupBaseName(const std::string& target, const std::string& folder) {
    if (folder.empty()) return target;
    return joinPath(folder, fileNameOf(target));
}

std::string bakName(const std::string& base) {
    const std::string_view ext = extensionOf(fileNameOf(base));
    return base.substr(0, base.size() - ext.size()) + ".bak";
}

NumberedVersions findNumberedVersions(const std::string& base) {
    NumberedVersions v;
    const std::string folder = folderOf(base);
    const std::string prefix = std::string(fileNameOf(base)) + ".";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return v;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        unsigned number;
        if (!parseVersion(name.substr(prefix.size()), number)) continue;
        if (v.count == 0 || number < v.lowest) v.lowest = number;
        if (v.count == 0 || number > v.highest) v.highest = number;
        ++v.count;
    }
    ::closedir(dir);
    return v;
}

BackupResult makeBackup(const std::string& target, const BackupOptions& options, Trash* trash) {
    BackupResult result;
    if (options.mode == kBackupNone || !fileExists(target)) return result;
    const std::string base = backupBaseName(target, options.folder);
    switch (options.mode) {
        case kBackupBak: result.backup = bakName(base); break;
        case kBackupFolder:
            if (options.folder.empty()) {
                result.error = FileError{FileErrorKind::BadPath, 0};
                return result;
            }
            result.backup = base;
            break;
        case kBackupNumbered: {
            const NumberedVersions versions = findNumberedVersions(base);
            if (versions.count > 0 && versions.highest == UINT32_MAX) {
                result.error = FileError{FileErrorKind::Other, EOVERFLOW};
                return result;
            }
            const unsigned next = versions.count > 0 ? versions.highest + 1 : 1;
            result.backup = base + "." + std::to_string(next);
            result.error = copyFile(target, result.backup);
            if (result.error) {
                result.backup.clear();
                return result;
            }
            result.made = true;
            // Only after the new version exists does the oldest go.
            if (versions.count > 0 && versions.count >= options.versionLimit) {
                result.removed = base + "." + std::to_string(versions.lowest);
                ::unlink(result.removed.c_str());
            }
            return result;
        }
        case kBackupTrash:
            if (!trash) {
                result.error = FileError{FileErrorKind::Other, ENOTSUP};
                return result;
            }
            result.error = trash->moveToTrash(target);
            result.made = !result.error;
            return result;
        default: return result;
    }
    // Modes 1 and 2: a copy, unless it would land on the file itself.
    if (isSameFile(target, result.backup)) {
        result.error = FileError{FileErrorKind::BadPath, 0};
        result.backup.clear();
        return result;
    }
    result.error = copyFile(target, result.backup);
    if (result.error)
        result.backup.clear();
    else
        result.made = true;
    return result;
}

}  // namespace orvex::files
