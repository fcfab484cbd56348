#include "tools/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace orvex::tools {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kKillGrace = std::chrono::milliseconds(1000);
constexpr size_t kDrainStep = 1024 * 1024;

// Spawn attributes and file actions, released on every path.
class SpawnSetup {
public:
    SpawnSetup() {
        posix_spawnattr_init(&attr);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // Own process group, no blocked signals, and the signals the editor may
    // ignore or catch back at their defaults (an ignored SIGPIPE would
    // otherwise reach every program through exec).
    int prepare(const std::string& folder, int outFd) {
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2, SIGALRM, SIGTSTP,
                        SIGTTIN, SIGTTOU, SIGXFSZ})
            sigaddset(&defaults, sig);
        int rc = posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        if (rc == 0) rc = posix_spawnattr_setpgroup(&attr, 0);
        if (rc == 0) rc = posix_spawnattr_setsigmask(&attr, &none);
        if (rc == 0) rc = posix_spawnattr_setsigdefault(&attr, &defaults);
        if (rc == 0) rc = posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        if (rc == 0 && outFd >= 0) {
            rc = posix_spawn_file_actions_adddup2(&actions, outFd, 1);
            if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, outFd, 2);
        } else if (rc == 0) {
            rc = posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
            if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, 1, 2);
        }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        // Whatever the editor holds open without close-on-exec stays behind.
        if (rc == 0) rc = posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
        if (rc == 0 && !folder.empty()) rc = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        return rc;
    }

    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
};

// argv and envp for posix_spawn over strings that outlive the call.
std::vector<char*> pointersTo(const std::vector<std::string>& strings) {
    std::vector<char*> out;
    out.reserve(strings.size() + 1);
    for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
    out.push_back(nullptr);
    return out;
}

int spawnShell(const std::vector<std::string>& args, const ProgramRun& run, int outFd, pid_t& pid) {
    SpawnSetup setup;
    if (const int rc = setup.prepare(run.folder, outFd); rc != 0) return rc;
    std::vector<char*> argv = pointersTo(args);
    std::vector<char*> envp;
    if (run.environment) envp = pointersTo(run.environment->entries());
    return posix_spawn(&pid, "/bin/sh", &setup.actions, &setup.attr, argv.data(),
                       run.environment ? envp.data() : environ);
}

// waitpid that retries when a signal interrupts it.
pid_t waitFor(pid_t pid, int& status, int flags) {
    pid_t r;
    do {
        r = waitpid(pid, &status, flags);
    } while (r < 0 && errno == EINTR);
    return r;
}

bool executable(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool programFound(const std::string& command, const std::string& folder, const Environment* env) {
    if (command.empty()) return false;
    // Only a plain word can be looked up; anything the shell would read
    // differently (blanks, quotes, variables, redirections) is its affair.
    for (char c : command)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '"' || c == '\'' || c == '\\' || c == '$' ||
            c == '`' || c == ';' || c == '&' || c == '|' || c == '<' || c == '>' || c == '(' || c == ')' ||
            c == '*' || c == '?' || c == '[' || c == '~' || c == '{' || c == '=' || c == '#')
            return true;
    if (command.find('/') != std::string::npos) {
        if (command[0] == '/' || folder.empty()) return executable(command);
        return executable(folder + "/" + command);
    }
    // A shell builtin or keyword is found by the shell itself.
    static const char* const kBuiltins[] = {"cd", "echo", "printf", "test", "true", "false", "exit", "exec",
                                            "export", "set", "read", "pwd", "type", "command", "eval", "ulimit",
                                            "umask", "wait", "kill", "trap", "shift", "times", ":", ".",
                                            "[", "if", "for", "while", "until", "case"};
    for (const char* b : kBuiltins)
        if (command == b) return true;
    std::optional<std::string> path = env ? env->get("PATH") : std::nullopt;
    if (!env) {
        if (const char* p = std::getenv("PATH")) path = p;
    }
    const std::string dirs = path.value_or("/usr/local/bin:/usr/bin:/bin");
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = folder.empty() ? "." : folder;
        else if (dir[0] != '/' && !folder.empty()) dir = folder + "/" + dir;
        if (executable(dir + "/" + command)) return true;
        start = end + 1;
    }
    return false;
}

std::unique_ptr<ChildProcess> ChildProcess::startCaptured(const ProgramRun& run, int& error) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = errno;
        return nullptr;
    }
    pid_t pid = -1;
    const int rc = spawnShell({"/bin/sh", "-c", run.commandLine}, run, fds[1], pid);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        error = rc;
        return nullptr;
    }
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    error = 0;
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, fds[0]));
}

bool ChildProcess::startDetached(const ProgramRun& run, int& error) {
    // The outer shell starts the program in the background and ends at
    // once; the program is left to init, which reaps it.
    pid_t pid = -1;
    const int rc = spawnShell({"/bin/sh", "-c", "/bin/sh -c \"$1\" &", "sh", run.commandLine}, run, -1, pid);
    if (rc != 0) {
        error = rc;
        return false;
    }
    int status = 0;
    waitFor(pid, status, 0);
    error = 0;
    return true;
}

ChildProcess::~ChildProcess() {
    if (!m_reaped) {
        signalGroup(SIGKILL);
        int status = 0;
        waitFor(m_pid, status, 0);
    }
    if (m_fd >= 0) close(m_fd);
}

void ChildProcess::signalGroup(int sig) const {
    // The group carries the shell's id; programs it started in the
    // background are in it too.
    if (kill(-m_pid, sig) != 0) kill(m_pid, sig);
}

RunOutcome ChildProcess::wait(const std::function<bool()>& keepGoing, size_t limit, std::chrono::milliseconds interval) {
    RunOutcome out;
    std::vector<char> chunk(64 * 1024);
    int status = 0;
    auto nextAsk = Clock::now() + interval;
    std::optional<Clock::time_point> killAt;

    // Reads what the pipe holds now, at most `most` bytes (so that a
    // program that floods the pipe still lets the waiting look up).
    auto drain = [&](size_t most) {
        for (size_t got = 0; m_fd >= 0 && got < most;) {
            const ssize_t n = read(m_fd, chunk.data(), chunk.size());
            if (n > 0) {
                got += size_t(n);
                const size_t room = limit > out.output.size() ? limit - out.output.size() : 0;
                const size_t keep = std::min(room, size_t(n));
                out.output.append(chunk.data(), keep);
                if (keep < size_t(n)) out.truncated = true;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            close(m_fd);  // end of the output (or a read error)
            m_fd = -1;
        }
    };

    while (!m_reaped) {
        const auto now = Clock::now();
        const int timeout = int(std::max<int64_t>(
            1, std::chrono::duration_cast<std::chrono::milliseconds>(nextAsk - now).count()));
        if (m_fd >= 0) {
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, timeout) > 0) drain(kDrainStep);
        } else {
            poll(nullptr, 0, timeout);
        }
        const pid_t r = waitFor(m_pid, status, WNOHANG);
        // ECHILD: the child was reaped elsewhere (SIGCHLD ignored); it is gone.
        if (r == m_pid || (r < 0 && errno == ECHILD)) {
            out.statusKnown = r == m_pid;
            m_reaped = true;
            // What the program wrote before it ended; a background program
            // of its own that keeps the pipe open is not waited for.
            const auto until = Clock::now() + kKillGrace;
            while (m_fd >= 0 && Clock::now() < until) {
                pollfd p{m_fd, POLLIN, 0};
                if (poll(&p, 1, 0) <= 0) break;
                drain(kDrainStep);
            }
            break;
        }
        if (Clock::now() >= nextAsk) {
            nextAsk = Clock::now() + interval;
            if (!out.stopped && keepGoing && !keepGoing()) {
                out.stopped = true;
                signalGroup(SIGTERM);
                killAt = Clock::now() + kKillGrace;
            }
            if (killAt && Clock::now() >= *killAt) {
                signalGroup(SIGKILL);
                killAt.reset();
            }
        }
    }
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    if (!out.statusKnown) {
        // Nothing is known of how it ended.
    } else if (WIFEXITED(status)) {
        out.exited = true;
        out.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        out.signal = WTERMSIG(status);
    }
    if (out.stopped) {
        // The rest of the group (background programs) goes too.
        kill(-m_pid, SIGKILL);
    }
    return out;
}

}  // namespace orvex::tools
