// Any byte string is a macro program that loads and runs without reading
// outside its text, within a small statement budget (so endless loops and
// endless recursion end), and ends with 0, a known error number or a stop.
// The error report for its end position can always be built.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "orxmac/BuiltinRegistry.h"
#include "orxmac/StringBuiltins.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroSource.h"
#include "orxmac/RunControl.h"
#include "orxmac/bridge/DefaultAnswerHost.h"
#include "orxmac/bridge/HostBuiltins.h"

namespace {

using namespace orvex::orxmac;

// Receives what a debugger would, without holding the run.
class QuietNotifier final : public RunNotifier {
public:
    void stepNotification(uint32_t) override {}
    void clearVariables(bool) override {}
    void addVariable(bool, std::string_view line) override {
        if (line.find('\0') != std::string_view::npos) std::abort();  // strings never hold NUL
    }
    void resultNotification(int, uint32_t) override {}
};

std::FILE* quietStream() {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    return sink ? sink : stderr;
}

const BuiltinRegistry& builtins() {
    static const BuiltinRegistry registry = [] {
        BuiltinRegistry r;
        registerWindowlessEditorBuiltins(r);
        // The string built-ins read arguments, so the argument helpers run too.
        registerStringBuiltins(r);
        // MessageBox and Input answer by default (quietly); the built-ins
        // that start programs, sleep or change the directory stay out.
        static orvex::orxmac::DefaultAnswerHost host(quietStream());
        registerDialogBuiltins(r, host);
        return r;
    }();
    return registry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MacroSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    QuietNotifier notifier;
    RunControl control;
    control.notifier = &notifier;
    // Step mode on every other input, so the variable lists are built too.
    control.stepMode = (size % 2 == 0) ? 1 : 0;

    MacroInterpreter interpreter;
    interpreter.setBuiltins(&builtins());
    interpreter.setControl(&control);
    MacroLimits limits;
    limits.statementBudget = 400;
    limits.maxStringLength = 1 << 16;
    interpreter.setLimits(limits);

    const int result = interpreter.run(source);
    if (result > 0) std::abort();
    if (result < 0 && result != kStopped && -result > kErrNoWindow) std::abort();
    if (result == kStopped && !interpreter.budgetExhausted()) std::abort();
    if (interpreter.cursor() > source.size()) std::abort();
    if (result < 0) {
        const std::string report = errorReportText(result, source.withTerminator(), interpreter.cursor());
        if (report.rfind("Error ", 0) != 0) std::abort();
    }
    return 0;
}
