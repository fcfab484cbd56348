// Programs run through the real /bin/sh: capture, the working folder and
// environment, a stop of a program that never ends, standard input at its
// end, large output and what the child inherits.
#include <gtest/gtest.h>

#include <ostream>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include "tests/settings/TempFolder.h"
#include "tools/ChildProcess.h"

using namespace orvex::tools;
using orvex::test::TempFolder;
using namespace std::chrono_literals;

namespace {

constexpr size_t kLimit = 64 * 1024 * 1024;

RunOutcome runCaptured(const ProgramRun& run, const std::function<bool()>& keepGoing = {}, size_t limit = kLimit) {
    int error = -1;
    auto child = ChildProcess::startCaptured(run, error);
    EXPECT_TRUE(child) << "errno " << error;
    if (!child) return {};
    return child->wait(keepGoing, limit, 10ms);
}

RunOutcome runLine(const std::string& line) { return runCaptured(ProgramRun{line, {}, std::nullopt}); }

struct OutputCase {
    const char* name;
    const char* line;
    const char* output;
    int status;
};
void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }


class CapturedOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(CapturedOutput, IsWhatTheProgramWrote) {
    const RunOutcome r = runLine(GetParam().line);
    EXPECT_EQ(r.output, GetParam().output);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitStatus, GetParam().status);
    EXPECT_FALSE(r.stopped);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, CapturedOutput,
    ::testing::Values(OutputCase{"Printf", "printf 'a.c(3): x\\n'", "a.c(3): x\n", 0},
                      OutputCase{"ErrorsInterleaved", "echo one; echo two >&2; echo three", "one\ntwo\nthree\n", 0},
                      OutputCase{"Empty", "true", "", 0},
                      OutputCase{"ExitStatus", "echo bye; exit 3", "bye\n", 3},
                      OutputCase{"MissingProgram", "/nonexistent/program 2>/dev/null", "", 127},
                      // Standard input is at its end: cat ends at once.
                      OutputCase{"ReadsStandardInput", "cat; echo done", "done\n", 0},
                      OutputCase{"ReadLineGetsEnd", "read x || echo eof", "eof\n", 0},
                      // SIGPIPE is at its default in the child.
                      OutputCase{"PipeSignalDefault", "yes | head -n 2", "y\ny\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChildProcess, RunsInTheWorkingFolderWithTheGivenEnvironment) {
    TempFolder folder;
    Environment env({"PATH=/usr/bin:/bin", "ORVEX_T=seen"});
    const RunOutcome r = runCaptured(ProgramRun{"pwd; echo \"$ORVEX_T\"; echo \"${HOME-unset}\"", folder.path(), env});
    EXPECT_EQ(r.output, folder.path() + "\nseen\nunset\n");
}

TEST(ChildProcess, MissingWorkingFolderIsAStartFailure) {
    int error = 0;
    EXPECT_FALSE(ChildProcess::startCaptured(ProgramRun{"true", "/nonexistent/folder", std::nullopt}, error));
    EXPECT_NE(error, 0);
    EXPECT_FALSE(ChildProcess::startDetached(ProgramRun{"true", "/nonexistent/folder", std::nullopt}, error));
}

TEST(ChildProcess, StopEndsAProgramThatNeverEnds) {
    int asked = 0;
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome r = runCaptured(ProgramRun{"echo started; while :; do sleep 1; done", {}, std::nullopt},
                                     [&] { return ++asked < 5; });
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.exited);
    EXPECT_EQ(r.output, "started\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(ChildProcess, StopEndsAProgramThatIgnoresTerm) {
    const RunOutcome r = runCaptured(ProgramRun{"trap '' TERM; while :; do :; done", {}, std::nullopt},
                                     [] { return false; });
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.signal, SIGKILL);
}

TEST(ChildProcess, StopReachesBackgroundPrograms) {
    TempFolder folder;
    const std::string mark = folder.file("alive");
    runCaptured(ProgramRun{"(sleep 1; touch " + mark + ") & wait", {}, std::nullopt}, [] { return false; });
    std::this_thread::sleep_for(1500ms);
    EXPECT_NE(access(mark.c_str(), F_OK), 0);
}

TEST(ChildProcess, BackgroundProgramHoldingThePipeIsNotWaitedFor) {
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome r = runLine("sleep 30 & echo quick");
    EXPECT_EQ(r.output, "quick\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(ChildProcess, LargeOutputIsCutAtTheLimitWithoutBlockingTheProgram) {
    // 100 MB through the pipe; the program must still end on its own.
    const RunOutcome r = runCaptured(ProgramRun{"head -c 100000000 /dev/zero | tr '\\0' a; echo; echo end >&2", {},
                                                std::nullopt},
                                     {}, 1 << 20);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.output.size(), size_t(1 << 20));
    EXPECT_EQ(r.output.find_first_not_of('a'), std::string::npos);
}

TEST(ChildProcess, FloodingProgramStillHearsTheStop) {
    int asked = 0;
    const RunOutcome r = runCaptured(ProgramRun{"yes", {}, std::nullopt}, [&] { return ++asked < 3; }, 4096);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.truncated);
}

TEST(ChildProcess, InheritsNoDescriptorOfTheEditor) {
    const int opened = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int leaked = fcntl(opened, F_DUPFD, 200);  // deliberately without close-on-exec
    close(opened);
    ASSERT_GE(leaked, 200);
    const RunOutcome r = runLine("ls /proc/self/fd");
    close(leaked);
    // 0, 1, 2 and the one ls opens for the listing.
    EXPECT_EQ(r.output.find("\n" + std::to_string(leaked) + "\n"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.rfind("0\n1\n2\n", 0), 0u) << r.output;
}

// With SIGCHLD ignored the kernel reaps the child itself; the wait must
// still end instead of looking for it for ever.
TEST(ChildProcess, WaitEndsWhenTheChildWasReapedElsewhere) {
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGCHLD, &ignore, &previous);
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome r = runLine("echo gone");
    sigaction(SIGCHLD, &previous, nullptr);
    EXPECT_EQ(r.output, "gone\n");
    EXPECT_FALSE(r.statusKnown);
    EXPECT_FALSE(r.exited);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(ChildProcess, DetachedStartReturnsAtOnce) {
    TempFolder folder;
    const std::string mark = folder.file("ran");
    int error = -1;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ChildProcess::startDetached(ProgramRun{"touch " + mark + "; sleep 5", {}, std::nullopt}, error));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    for (int i = 0; i < 100 && access(mark.c_str(), F_OK) != 0; ++i) std::this_thread::sleep_for(20ms);
    EXPECT_EQ(access(mark.c_str(), F_OK), 0);
}

struct FoundCase {
    const char* name;
    const char* command;
    bool found;
};
void PrintTo(const FoundCase& c, std::ostream* os) { *os << c.name; }


class ProgramLookup : public ::testing::TestWithParam<FoundCase> {};

TEST_P(ProgramLookup, AsTheShellWould) {
    Environment env({"PATH=/usr/bin:/bin"});
    EXPECT_EQ(programFound(GetParam().command, "/", &env), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Commands, ProgramLookup,
                         ::testing::Values(FoundCase{"AbsolutePath", "/bin/sh", true},
                                           FoundCase{"MissingPath", "/nonexistent/cc", false},
                                           FoundCase{"OnPath", "sh", true},
                                           FoundCase{"NotOnPath", "orvex-no-such-program", false},
                                           FoundCase{"RelativeToFolder", "bin/sh", true},
                                           FoundCase{"Builtin", "printf", true},
                                           FoundCase{"ShellDecides", "missing; true", true},
                                           FoundCase{"FolderIsNoProgram", "/usr", false},
                                           FoundCase{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
