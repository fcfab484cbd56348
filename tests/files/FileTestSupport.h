#pragma once
// Temporary folders, file helpers and child processes for the file tests.
// Checks that need another user (permissions mean nothing to root) or a
// limit that would hit the whole test program (file size, a small mounted
// file system) run in a forked child that reports back a message: empty
// when everything held.
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace orvex::files::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvex-files-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
        ::chmod(m_path.c_str(), 0777);  // reachable by the unprivileged child too
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    // Names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string m_path;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ::chmod(path.c_str(), mode);
}

inline mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Runs `body` in a forked child and returns what it returned; a child that
// dies gives a message saying so.
inline std::string inChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid < 0) return "fork failed";
    if (pid == 0) {
        ::close(fds[0]);
        const std::string message = body();
        size_t off = 0;
        while (off < message.size()) {
            const ssize_t n = ::write(fds[1], message.data() + off, message.size() - off);
            if (n <= 0) break;
            off += static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string message;
    char buf[512];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) message.append(buf, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) message += " (child ended abnormally)";
    return message;
}

constexpr uid_t kNobody = 65534;

// Runs `body` in a child as an ordinary user: the user itself when the tests
// do not run as root, else "nobody". "skip" when the switch fails.
inline std::string asOrdinaryUser(const std::function<std::string()>& body) {
    return inChild([&]() -> std::string {
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) return "skip";
        }
        return body();
    });
}

// Runs `body` in a child with a file system of `size` bytes mounted at a
// fresh folder, in a mount namespace of its own (nothing outlives the
// child). "skip" when the system allows no such mount.
inline std::string inSmallFileSystem(const std::string& point, const char* size,
                              const std::function<std::string()>& body) {
    return inChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) {
            const uid_t uid = ::geteuid();
            const gid_t gid = ::getegid();
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return "skip";
            writeFile("/proc/self/setgroups", "deny");
            writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
            writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return "skip";
        if (::mount("tmpfs", point.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) != 0) return "skip";
        return body();
    });
}

}  // namespace orvex::files::test
