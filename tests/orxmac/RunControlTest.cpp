// The step hook and what the debugger sees: stop requests, step
// notifications, variable lists, the statement budget and the end of a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "common/platform/MessageBoxes.h"

using namespace orvex;
using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

namespace {

// Records every notification; can request a stop after a number of steps.
class RecordingNotifier final : public RunNotifier {
public:
    explicit RecordingNotifier(RunControl& control) : m_control(control) {}

    void stepNotification(uint32_t offset) override {
        steps.push_back(offset);
        if (stopAfter > 0 && steps.size() == stopAfter) m_control.stopFlag = kStopRequested;
    }
    void clearVariables(bool local) override { lists.push_back(local ? "clear local" : "clear global"); }
    void addVariable(bool local, std::string_view line) override {
        lists.push_back((local ? "local " : "global ") + std::string(line));
    }
    void resultNotification(int result, uint32_t offset) override {
        results.push_back(result);
        resultOffsets.push_back(offset);
    }

    std::vector<uint32_t> steps;
    std::vector<std::string> lists;
    std::vector<int> results;
    std::vector<uint32_t> resultOffsets;
    size_t stopAfter = 0;

private:
    RunControl& m_control;
};

// Keeps every message box request whole (caption included).
class CapturingBoxes final : public MessageBoxes {
public:
    MsgResult show(const MessageRequest& request) override {
        shown.push_back(request);
        return MsgResult::Ok;
    }
    int choose(const ChoiceRequest&) override { return 0; }
    std::vector<MessageRequest> shown;
};

struct Debugged {
    explicit Debugged(std::string_view program, bool stepping = true) : notifier(control), run(program, nullptr, &control) {
        control.notifier = &notifier;
        control.stepMode = stepping ? 1 : 0;
    }
    RunControl control;
    RecordingNotifier notifier;
    MacroRun run;
};

}  // namespace

TEST(MacroStepHook, StepsStopBeforeEachStatementAndOnceAtEachBrace) {
    const char* program = "int g = 1;\nmain() {\n  g = 2;\n  if (g) { g = 3; }\n  ;\n}\n";
    Debugged d(program);
    ASSERT_EQ(d.run.run(), 0);
    const std::vector<uint32_t> expected = {
        positionOf(program, "{\n  g"), positionOf(program, "g = 2"), positionOf(program, "if"),
        positionOf(program, "{ g = 3"), positionOf(program, "g = 3"), positionOf(program, ";\n}"),
    };
    EXPECT_EQ(d.notifier.steps, expected);
    EXPECT_EQ(d.run.interpreter().statementsExecuted(), expected.size());
}

TEST(MacroStepHook, NoNotificationsWithoutStepMode) {
    Debugged d("main() { int a = 1; a++; }", false);
    ASSERT_EQ(d.run.run(), 0);
    EXPECT_TRUE(d.notifier.steps.empty());
    EXPECT_TRUE(d.notifier.lists.empty());
    EXPECT_EQ(d.run.interpreter().statementsExecuted(), 3u);
}

TEST(MacroStepHook, StopFlagEndsTheRunAtTheNextStatement) {
    const char* program = "int g;\nmain() { g = 1; g = 2; g = 3; }\n";
    Debugged d(program);
    d.notifier.stopAfter = 2;  // the stop is requested while paused before "g = 1"
    EXPECT_EQ(d.run.run(), kStopped);
    EXPECT_EQ(d.run.intGlobal("g"), 0);  // the paused statement never ran
    EXPECT_EQ(d.notifier.steps.size(), 2u);

    RunControl control;
    control.stopFlag = kRestartRequested;  // the debugger's reset stops too
    MacroRun stopped(program, nullptr, &control);
    EXPECT_EQ(stopped.run(), kStopped);
    EXPECT_EQ(stopped.cursor(), positionOf(program, "{ g"));
}

TEST(MacroStepHook, EveryLoopRoundPassesTheHook) {
    // Endless loops of every kind end at a stop request.
    for (const char* body : {"for (;;);", "while (1) {}", "do ; while (1);", "l: goto l;", "f();"}) {
        const std::string program = std::string("f() { f(); }\nmain() { ") + body + " }";
        RunControl control;
        MacroRun m(program, nullptr, &control);
        MacroLimits limits;
        limits.statementBudget = 1000;
        m.interpreter().setLimits(limits);
        const int result = m.run();
        if (std::string_view(body) == "f();") {
            EXPECT_TRUE(result == kStopped || result == -kErrTooComplex) << body;
        } else {
            EXPECT_EQ(result, kStopped) << body;
            EXPECT_TRUE(m.interpreter().budgetExhausted()) << body;
            EXPECT_EQ(m.interpreter().statementsExecuted(), 1001u) << body;
        }
    }
}

TEST(MacroStepHook, VariableListsFollowEveryStore) {
    const char* program =
        "int n = 5; str s;\n"
        "f(int a) { str line = \"x\\r\\ny\"; a = 2; }\n"
        "main() { f(7); s = \"ab\\fcd\"; }\n";
    Debugged d(program);
    ASSERT_EQ(d.run.run(), 0);
    const std::vector<std::string> expected = {
        // n = 5 at load: the global frame only.
        "clear global", "global n = 5",
        // The local initialiser (cut before its line end), then a = 2.
        "clear local", "local a = 7", "local line = x", "clear global", "global n = 5", "global s = ",
        "clear local", "local a = 2", "local line = x", "clear global", "global n = 5", "global s = ",
        // In main: its (empty) locals, then the globals.
        "clear local", "clear global", "global n = 5", "global s = ab",
    };
    EXPECT_EQ(d.notifier.lists, expected);
}

TEST(MacroStepHook, AppendingAssignmentIsOneStore) {
    Debugged d("str s = \"a\";\nmain() { s = s + \"b\"; }\n");
    ASSERT_EQ(d.run.run(), 0);
    const std::vector<std::string> expected = {"clear global", "global s = a", "clear local", "clear global",
                                               "global s = ab"};
    EXPECT_EQ(d.notifier.lists, expected);
}

TEST(MacroStepHook, VariableListsAreNotSentWhileAStopIsRequested) {
    Debugged d("int n;\nmain() { n = 1; }\n");
    d.control.stopFlag = kStopRequested;
    d.run.interpreter().showVariables(d.run.interpreter().globals());
    EXPECT_TRUE(d.notifier.lists.empty());
}

TEST(MacroRunEnd, ErrorsAreReportedInTheBoxAndToTheNotifier) {
    const char* program = "main() {\r\n  int a;\r\n  a = 1 / 0;\r\n}\r\n";
    Debugged d(program, false);
    CapturingBoxes boxes;
    const int result = d.run.run();
    ASSERT_EQ(result, -kErrDivideByZero);
    d.run.interpreter().reportEnd(result, &boxes);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error 4 0で割られました\r\n\n  a = 1 / 0;");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.shown[0].caption, "ORXMAC.DLL");
    EXPECT_EQ(d.notifier.results, std::vector<int>{result});
    EXPECT_EQ(d.notifier.resultOffsets, std::vector<uint32_t>{positionOf(program, ";\r\n}")});
}

TEST(MacroRunEnd, CompletedAndStoppedRunsShowNoBox) {
    CapturingBoxes boxes;
    Debugged ok("main() { }", false);
    ok.run.interpreter().reportEnd(ok.run.run(), &boxes);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ok.notifier.results, std::vector<int>{0});

    Debugged stopped("main() { x = 1; }", false);
    stopped.control.stopFlag = kStopRequested;
    const int result = stopped.run.run();
    EXPECT_EQ(result, kStopped);
    stopped.run.interpreter().reportEnd(result, &boxes);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(stopped.notifier.results, std::vector<int>{kStopped});

    // An error while a stop is requested is not reported either.
    Debugged late("main() { }", false);
    late.control.stopFlag = kStopRequested;
    late.run.interpreter().reportEnd(-kErrSyntax, &boxes);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(MacroRunEnd, EachRunStartsFromNothing) {
    const MacroSource first("int g = 1;\nf() {}\nmain() { g++; }\n");
    const MacroSource second("int h;\nmain() { h = 5; }\n");
    MacroInterpreter interpreter;
    ASSERT_EQ(interpreter.run(first), 0);
    EXPECT_EQ(interpreter.functions().size(), 2u);
    ASSERT_EQ(interpreter.run(second), 0);
    EXPECT_EQ(interpreter.functions().size(), 1u);
    ASSERT_EQ(interpreter.globals().variableCount(), 1u);
    EXPECT_EQ(interpreter.globals().variable(0).name, "h");
    ASSERT_EQ(interpreter.run(first), 0);  // and again
    EXPECT_EQ(interpreter.globals().intValue(0), 2);
}
