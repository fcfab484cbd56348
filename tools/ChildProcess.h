#pragma once
// A registered program's process: the command line run by /bin/sh -c, in
// its own process group, with standard input from /dev/null and no
// descriptor of the editor but the ones it is given.
//
// A captured start sends standard output and standard error into one pipe
// that the editor reads while it waits; the waiting asks its caller at
// short intervals whether to go on (the caller lets pending input through
// there), and a stop ends the whole process group: SIGTERM first, SIGKILL
// when it has not gone a second later. A start without capture hands the
// program to a shell that leaves it running on its own, so the editor
// neither waits for it nor leaves a zombie behind.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

#include "tools/EnvironmentText.h"

namespace orvex::tools {

struct ProgramRun {
    std::string commandLine;                // given to /bin/sh -c as it stands
    std::string folder;                     // working folder; empty: the editor's
    std::optional<Environment> environment; // none: the editor's environment
};

// How a captured run ended.
struct RunOutcome {
    std::string output;     // standard output and error, interleaved as written
    bool truncated = false; // more was written than the limit kept
    bool stopped = false;   // ended by stop rather than on its own
    bool exited = false;    // ended with an exit status (else by a signal)
    int exitStatus = 0;
    int signal = 0;
    bool statusKnown = true;  // false when the child was reaped elsewhere (SIGCHLD ignored)
};

// Whether the program that `command` names can be run: a plain word is
// looked up as the shell would (a path against the working folder, a name
// along the PATH of `env`, or the editor's PATH without one; shell
// builtins count as found). True when the command is more than a plain word,
// since only the shell can tell then.
bool programFound(const std::string& command, const std::string& folder, const Environment* env);

class ChildProcess {
public:
    // Starts a captured run; null with `error` (an errno value) when the
    // pipe or the process could not be made, including a working folder
    // that cannot be entered.
    static std::unique_ptr<ChildProcess> startCaptured(const ProgramRun& run, int& error);
    // Starts a run the editor does not wait for (output to /dev/null);
    // false with `error` when the shell could not be started or could not
    // enter the working folder.
    static bool startDetached(const ProgramRun& run, int& error);

    ~ChildProcess();  // a run still going is stopped and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the end, reading the output; keeps at most `limit` bytes
    // and drops the rest (the program is never blocked on a full pipe).
    // `keepGoing` is asked about every `interval`; false stops the run.
    RunOutcome wait(const std::function<bool()>& keepGoing, size_t limit,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(50));

    pid_t pid() const { return m_pid; }

private:
    ChildProcess(pid_t pid, int readFd) : m_pid(pid), m_fd(readFd) {}
    void signalGroup(int sig) const;

    pid_t m_pid = -1;
    int m_fd = -1;
    bool m_reaped = false;
};

}  // namespace orvex::tools
