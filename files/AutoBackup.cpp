#include "files/AutoBackup.h"

#include <stdlib.h>
#include <unistd.h>

#include "files/FileInfo.h"
#include "files/PathNames.h"
#include "files/SafeFileWriter.h"

namespace orvex::files {

bool AutoBackupClock::tick(int autoBackup, int autoBackupTime) {
    ++m_count;
    // Compared in 64 bits: an absurd AutoBackupTime cannot overflow.
    if (static_cast<long long>(m_count) <= static_cast<long long>(autoBackupTime) * 6) return false;
    m_count = 0;
    return autoBackup != 0 && autoBackupTime > 0;  // a negative interval is no interval
}

std::string autoBackupFolder(const std::string& autoBackupPath) {
    return autoBackupPath.empty() ? temporaryFolder() : autoBackupPath;
}

std::string autoBackupFileName(const std::string& folder, std::string_view documentPath, const std::tm& localTime) {
    char stamp[32];
    if (std::strftime(stamp, sizeof stamp, "%m%d%H%M~", &localTime) == 0) stamp[0] = '\0';
    return joinPath(folder, std::string(stamp) + std::string(fileNameOf(documentPath)));
}

std::string createAutoBackupFile(const std::string& folder) {
    std::string name = joinPath(folder, "orvXXXXXX.tmp");
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return {};
    ::close(fd);
    return name;
}

FileError writeAutoBackup(const std::string& file, std::string_view text, bool eofMark) {
    SafeFileWriter out;
    // Backup copies often sit in a shared temporary folder: only the user
    // may read them.
    if (FileError e = out.open(file, FileOwnership{0600, 0, 0, false})) return e;
    out.write(text.data(), text.size());
    if (eofMark) out.write("\x1A", 1);
    return out.commit();
}

}  // namespace orvex::files
