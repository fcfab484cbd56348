#include "files/FreedesktopTrash.h"

#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "files/PathNames.h"

namespace orvex::files {

namespace {

// Creates the folder and every missing parent with the given mode.
bool makeFolders(const std::string& path, mode_t mode) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = folderOf(path);
    if (parent != path && parent != "." && !makeFolders(parent, mode)) return false;
    return ::mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

// A trash folder of this user: a real folder (no link) owned by the user.
bool isOwnFolder(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

// The absolute path of `path` with its folder made canonical; the last
// component is kept as it is (a link is trashed, not what it names).
bool absolutePath(const std::string& path, std::string& out) {
    std::string folder = folderOf(path);
    char resolved[PATH_MAX];
    if (!::realpath(folder.c_str(), resolved)) return false;
    const std::string_view name = fileNameOf(path);
    if (name.empty() || name == "." || name == "..") return false;
    out = joinPath(resolved, name);
    return true;
}

// The top folder of the file system holding `absolute`: the highest folder
// above it on the same device.
std::string mountTop(const std::string& absolute, dev_t device) {
    std::string top = folderOf(absolute);
    while (top != "/") {
        const std::string parent = folderOf(top);
        struct stat st;
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device) break;
        top = parent;
    }
    return top;
}

// "name", "name.2", "name.3" ... keeping the extension at the end
// ("a.txt", "a.2.txt").
std::string candidateName(std::string_view name, int k) {
    if (k == 1) return std::string(name);
    const std::string_view ext = extensionOf(name);
    std::string out(name.substr(0, name.size() - ext.size()));
    out += "." + std::to_string(k);
    out += ext;
    return out;
}

}  // namespace

FreedesktopTrash::FreedesktopTrash(std::string dataHome) : m_dataHome(std::move(dataHome)) {
    if (!m_dataHome.empty()) return;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') {
        m_dataHome = xdg;
        return;
    }
    const char* home = std::getenv("HOME");
    std::string homeDir = home && *home ? home : "";
    if (homeDir.empty()) {
        if (const passwd* pw = ::getpwuid(::geteuid())) homeDir = pw->pw_dir;
    }
    m_dataHome = joinPath(homeDir, ".local/share");
}

std::string FreedesktopTrash::homeTrash() const { return joinPath(m_dataHome, "Trash"); }

std::string FreedesktopTrash::encodePath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
                           c == '-' || c == '_' || c == '.' || c == '!' || c == '~' || c == '*' || c == '\'' ||
                           c == '(' || c == ')';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string FreedesktopTrash::infoText(const std::string& encodedPath, const std::tm& t) {
    char date[80];
    std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return "[Trash Info]\nPath=" + encodedPath + "\nDeletionDate=" + date + "\n";
}

FileError FreedesktopTrash::moveToTrash(const std::string& path) {
    std::string absolute;
    if (!absolutePath(path, absolute)) return fileErrorFromErrno(errno ? errno : ENOENT);
    struct stat file;
    if (::lstat(absolute.c_str(), &file) != 0) return fileErrorFromErrno(errno);

    if (makeFolders(m_dataHome, 0700)) {
        struct stat home;
        if (::stat(m_dataHome.c_str(), &home) == 0 && home.st_dev == file.st_dev)
            return moveInto(homeTrash(), absolute, absolute);
    }

    // Another file system: the trash at its top.
    const std::string top = mountTop(absolute, file.st_dev);
    const std::string relative = absolute.substr(top == "/" ? 1 : top.size() + 1);
    const std::string uid = std::to_string(::geteuid());
    const std::string shared = joinPath(top, ".Trash");
    struct stat st;
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const std::string own = joinPath(shared, uid);
        if ((::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && isOwnFolder(own)) {
            if (!moveInto(own, absolute, relative)) return {};
        }
    }
    const std::string own = joinPath(top, ".Trash-" + uid);
    if ((::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && isOwnFolder(own))
        return moveInto(own, absolute, relative);
    return FileError{FileErrorKind::AccessDenied, EACCES};
}

FileError FreedesktopTrash::moveInto(const std::string& trash, const std::string& path, const std::string& infoPath) {
    const std::string files = joinPath(trash, "files");
    const std::string info = joinPath(trash, "info");
    if (!makeFolders(files, 0700) || !makeFolders(info, 0700)) return fileErrorFromErrno(errno ? errno : EACCES);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const std::string text = infoText(encodePath(infoPath), local);
    // Room for ".trashinfo" and a number within a name's 255 bytes.
    const std::string_view name = fileNameOf(path).substr(0, 200);

    for (int k = 1; k < 10000; ++k) {
        const std::string candidate = candidateName(name, k);
        const std::string infoFile = joinPath(info, candidate + ".trashinfo");
        const std::string target = joinPath(files, candidate);
        // The info file is made first and exclusively: it reserves the name.
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return fileErrorFromErrno(errno);
        }
        struct stat st;
        if (::lstat(target.c_str(), &st) == 0) {
            ::close(fd);
            ::unlink(infoFile.c_str());
            continue;
        }
        const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        const int writeErr = errno;
        if (::close(fd) != 0 || !written) {
            ::unlink(infoFile.c_str());
            return fileErrorFromErrno(written ? errno : writeErr);
        }
        if (::rename(path.c_str(), target.c_str()) != 0) {
            const FileError e = fileErrorFromErrno(errno);
            ::unlink(infoFile.c_str());
            return e;
        }
        return {};
    }
    return FileError{FileErrorKind::Other, EEXIST};
}

}  // namespace orvex::files
