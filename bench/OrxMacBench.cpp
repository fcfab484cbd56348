// Macro interpreter speed on loops, beside awk running the same loops in
// the same run: counting to 1,000,000 with integer arithmetic, and building
// a 100,000-character string. Each macro figure is a whole run (load and
// execute); each awk figure is a whole process. At the end the program
// prints the ratio of every macro row to the mawk and gawk rows of its loop.
//
//   build/bin/orxmacbench --benchmark_min_time=1
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroSource.h"

extern char** environ;

namespace {

using namespace orvex::orxmac;

const char* kCountMacro =
    "int s;\n"
    "main() {\n"
    "    int i;\n"
    "    for (i = 0; i < 1000000; i++) s = s + i;\n"
    "}\n";
const char* kAppendMacro =
    "str s;\n"
    "main() {\n"
    "    int i;\n"
    "    for (i = 0; i < 100000; i++) s += \"a\";\n"
    "}\n";
// The same shape as awk's s = s "a": a new string every round.
const char* kConcatMacro =
    "str s;\n"
    "main() {\n"
    "    int i;\n"
    "    for (i = 0; i < 100000; i++) s = s + \"a\";\n"
    "}\n";

const char* kCountAwk = "BEGIN { for (i = 0; i < 1000000; i++) s = s + i; if (s != 499999500000) exit 1 }";
const char* kStringAwk = "BEGIN { for (i = 0; i < 100000; i++) s = s \"a\"; if (length(s) != 100000) exit 1 }";

void runMacro(benchmark::State& state, const char* program, bool isString) {
    const MacroSource source(program);
    MacroInterpreter interpreter;
    for (auto _ : state) {
        const int result = interpreter.run(source);
        if (result != 0) {
            state.SkipWithError("the macro failed");
            return;
        }
        const VariableFrame& g = interpreter.globals();
        const bool right = isString ? g.stringValue(0).size() == 100000 : g.intValue(0) == 1783293664;  // wraps
        if (!right) {
            state.SkipWithError("wrong result");
            return;
        }
    }
}

// Runs `tool -- program` with its output thrown away; the exit status says
// whether the loop computed the expected result.
int runTool(const char* tool, const char* program) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(tool), const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, tool, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void runPeer(benchmark::State& state, const char* tool, const char* program) {
    for (auto _ : state) {
        const int status = runTool(tool, program);
        if (status != 0) {
            state.SkipWithError(status < 0 ? "tool not installed (apt-get install mawk gawk)" : "wrong result");
            return;
        }
    }
}

void BM_MacroCount(benchmark::State& s) { runMacro(s, kCountMacro, false); }
void BM_MacroAppendString(benchmark::State& s) { runMacro(s, kAppendMacro, true); }
void BM_MacroConcatString(benchmark::State& s) { runMacro(s, kConcatMacro, true); }
void BM_MawkCount(benchmark::State& s) { runPeer(s, "mawk", kCountAwk); }
void BM_GawkCount(benchmark::State& s) { runPeer(s, "gawk", kCountAwk); }
void BM_MawkString(benchmark::State& s) { runPeer(s, "mawk", kStringAwk); }
void BM_GawkString(benchmark::State& s) { runPeer(s, "gawk", kStringAwk); }

BENCHMARK(BM_MacroCount)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MawkCount)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GawkCount)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MacroAppendString)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MacroConcatString)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MawkString)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GawkString)->Unit(benchmark::kMillisecond)->UseRealTime();

// Console output as usual, and the real times kept for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // The median of repetitions when there are some, else the single run.
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_times[name] = run.GetAdjustedRealTime();
                m_fromMedian[name] = true;
            } else if (run.run_type == Run::RT_Iteration && !m_fromMedian[name]) {
                m_times[name] = run.GetAdjustedRealTime();
            }
        }
    }
    void printRatios() const {
        const struct {
            const char* macro;
            const char* mawk;
            const char* gawk;
        } rows[] = {
            {"BM_MacroCount/real_time", "BM_MawkCount/real_time", "BM_GawkCount/real_time"},
            {"BM_MacroAppendString/real_time", "BM_MawkString/real_time", "BM_GawkString/real_time"},
            {"BM_MacroConcatString/real_time", "BM_MawkString/real_time", "BM_GawkString/real_time"},
        };
        std::printf("\n%-32s %12s %12s\n", "macro loop", "x mawk", "x gawk");
        for (const auto& row : rows) {
            auto ratio = [&](const char* peer) {
                auto m = m_times.find(row.macro);
                auto p = m_times.find(peer);
                return (m == m_times.end() || p == m_times.end() || p->second <= 0) ? -1.0 : m->second / p->second;
            };
            std::printf("%-32s %12.2f %12.2f\n", row.macro, ratio(row.mawk), ratio(row.gawk));
        }
    }

private:
    std::map<std::string, double> m_times;
    std::map<std::string, bool> m_fromMedian;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
