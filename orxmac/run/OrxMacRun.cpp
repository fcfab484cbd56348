// orxmac-run: runs a macro program without the editor.
//
// The language is complete; the built-ins that work on the editor's
// windows fail with error 30 ("ウィンドウがありません"), as they do in an
// editor without a document. MessageBox and Input print their text on
// standard error and take their default answers (Yes, OK, the empty
// string); GetDir, SetDir, Run and Sleep work as in the editor. Output is UTF-8: the error report on standard
// error, and on request the global variables after the run, a trace of the
// statements and the variable lists the debugger would show.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <chrono>
#include <thread>

#include "common/codepage/Cp932.h"
#include "orxmac/BuiltinRegistry.h"
#include "orxmac/StringBuiltins.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroSource.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/RunControl.h"
#include "orxmac/bridge/DefaultAnswerHost.h"
#include "orxmac/bridge/HostBuiltins.h"

using namespace orvex;
using namespace orvex::orxmac;

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitMacroError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBudget = 3;

void usage() {
    std::fputs(
        "usage: orxmac-run [options] FILE\n"
        "       orxmac-run [options] -e PROGRAM\n"
        "Runs a macro program (Shift JIS text) without the editor.\n"
        "  -e PROGRAM   run PROGRAM given on the command line\n"
        "  --utf8       the program text is UTF-8 (converted to Shift JIS first)\n"
        "  --globals    print the global variables after the run\n"
        "  --trace      print each statement's line before it runs\n"
        "  --watch      print the variable lists after every store\n"
        "  --budget N   stop the run after N statements\n"
        "Exit status: 0 completed, 1 macro error, 2 usage or file error,\n"
        "3 stopped by the statement budget.\n",
        stderr);
}

std::string utf8(std::string_view sjis) { return cp932::toUtf8(sjis); }

uint32_t lineNumber(std::string_view text, uint32_t offset) {
    uint32_t line = 1;
    for (uint32_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    }
    return line;
}

std::string lineAt(std::string_view text, uint32_t offset) {
    size_t start = offset < text.size() ? offset : text.size();
    while (start > 0 && text[start - 1] != '\n' && text[start - 1] != '\r') --start;
    size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    return std::string(text.substr(start, end - start));
}

// Prints what the debugger window would receive.
class ConsoleNotifier final : public RunNotifier {
public:
    ConsoleNotifier(std::string_view text, bool trace, bool watch) : m_text(text), m_trace(trace), m_watch(watch) {}

    void stepNotification(uint32_t offset) override {
        if (!m_trace) return;
        std::printf("[%u] %s\n", lineNumber(m_text, offset), utf8(lineAt(m_text, offset)).c_str());
    }
    void clearVariables(bool local) override {
        if (m_watch) std::printf("  %s:\n", local ? "locals" : "globals");
    }
    void addVariable(bool, std::string_view line) override {
        if (m_watch) std::printf("    %s\n", utf8(line).c_str());
    }
    void resultNotification(int, uint32_t) override {}

private:
    std::string_view m_text;
    bool m_trace;
    bool m_watch;
};

class PlainSleeper final : public MacroSleeper {
public:
    void sleepFor(int32_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

void printGlobals(const VariableFrame& globals) {
    for (uint32_t i = 0; i < globals.variableCount(); ++i) {
        const Variable& v = globals.variable(i);
        if (v.type == kTypeStr) {
            const std::string& s = globals.stringValue(i);
            std::printf("%s = %s\n", v.name.c_str(), utf8(s.substr(0, s.find_first_of("\r\n\f"))).c_str());
        } else {
            std::printf("%s = %d\n", v.name.c_str(), static_cast<int>(v.value));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    std::string program;
    bool inline_ = false, utf8Source = false, globals = false, trace = false, watch = false;
    unsigned long long budget = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-e" && i + 1 < argc) {
            program = argv[++i];
            inline_ = true;
        } else if (arg == "--utf8") {
            utf8Source = true;
        } else if (arg == "--globals") {
            globals = true;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "--watch") {
            watch = true;
        } else if (arg == "--budget" && i + 1 < argc) {
            char* end = nullptr;
            budget = std::strtoull(argv[++i], &end, 10);
            if (end == nullptr || *end != '\0' || budget == 0) {
                usage();
                return kExitUsage;
            }
        } else if (arg == "-h" || arg == "--help") {
            usage();
            return kExitCompleted;
        } else if (!arg.empty() && arg[0] != '-' && path.empty() && !inline_) {
            path = argv[i];
        } else {
            usage();
            return kExitUsage;
        }
    }
    if (path.empty() == !inline_) {
        usage();
        return kExitUsage;
    }

    std::string bytes;
    if (inline_) {
        bytes = program;
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s を開けません\n", path.c_str());
            return kExitUsage;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (utf8Source) bytes = cp932::fromUtf8(bytes);
    const MacroSource source(bytes);

    BuiltinRegistry builtins;
    registerWindowlessEditorBuiltins(builtins);
    registerStringBuiltins(builtins);
    DefaultAnswerHost host;
    PlainSleeper sleeper;
    registerDialogBuiltins(builtins, host);
    registerProcessBuiltins(builtins, host, sleeper);
    ConsoleNotifier notifier(source.text(), trace, watch);
    RunControl control;
    control.stepMode = (trace || watch) ? 1 : 0;
    control.notifier = &notifier;

    MacroInterpreter interpreter;
    interpreter.setBuiltins(&builtins);
    interpreter.setControl(&control);
    MacroLimits limits;
    limits.statementBudget = budget;
    interpreter.setLimits(limits);

    const int result = interpreter.run(source);
    std::fflush(stdout);
    int status = kExitCompleted;
    if (interpreter.budgetExhausted()) {
        std::fprintf(stderr, "Stopped after %llu statements\n", budget);
        status = kExitBudget;
    } else if (result < 0) {
        const uint32_t at = interpreter.cursor();
        std::fprintf(stderr, "Error %d %s\n%s\nline %u, offset %u\n", -result,
                     std::string(errorMessage(-result)).c_str(), utf8(lineAt(source.text(), at)).c_str(),
                     lineNumber(source.text(), at), at);
        status = kExitMacroError;
    }
    if (globals) printGlobals(interpreter.globals());
    return status;
}
