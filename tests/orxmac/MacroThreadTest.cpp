// The macro thread and the library's start and stop rules: stopping an
// endless macro, a Sleep cut short by a stop, deep recursion on the
// thread's own stack, the debugger's hold-and-step protocol, and the
// messages of a refused start.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "MacroThreadSupport.h"
#include "common/codepage/Cp932.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/DefaultAnswerHost.h"
#include "orxmac/bridge/MacroLibrary.h"

using namespace orvex;
using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

namespace {

// A notification window like the debugger's: holds the thread at every
// step and records what it is told.
class FakeDebugger final : public win::Receiver {
public:
    FakeDebugger() : handle(win::registerWindow(this)) {}
    ~FakeDebugger() override { win::unregisterWindow(handle); }

    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override {
        switch (msg) {
        case kMsgStep:
            steps.push_back(static_cast<uint32_t>(lParam));
            if (exe) exe->holdAtStep();
            break;
        case kMsgVariables:
            if (lParam == 0)
                (wParam ? locals : globals).clear();
            else
                (wParam ? locals : globals).push_back(reinterpret_cast<const char*>(lParam));
            break;
        case kMsgResult: results.push_back(static_cast<int>(static_cast<intptr_t>(wParam))); break;
        case kMsgEnd: ++ends; break;
        default: break;
        }
        return 0;
    }

    win::Handle handle;
    CMacExe* exe = nullptr;
    std::vector<uint32_t> steps;
    std::vector<std::string> globals, locals;
    std::vector<int> results;
    int ends = 0;
};

class DebuggerProtocolTest : public MacroThreadTest {
protected:
    void begin(const std::string& program) {
        source = program;
        launch(program, editor->mainHandle, editor->viewHandle, true);
        debugger.exe = exe.get();
        exe->setNotificationWindow(debugger.handle);
        ASSERT_TRUE(exe->start(true));
    }
    // The debugger's buttons.
    void step() {
        exe->setStepMode(1);
        exe->setStopFlag(kRunning);
        exe->resume();
    }
    void start() {
        exe->setStepMode(0);
        exe->setStopFlag(kRunning);
        exe->resume();
    }
    void reset() { exe->setStopFlag(kRestartRequested); }
    bool waitFor(const std::function<bool()>& done) { return win::waitPumping(done, kEndBoundMs); }
    size_t stepsSeen() const { return debugger.steps.size(); }

    FakeDebugger debugger;
    std::string source;
};

TEST_F(DebuggerProtocolTest, NothingRunsUntilStartOrStep) {
    begin(inMain("int g = Ins(\"g\");", "Ins(\"m\");"));
    win::waitPumping([] { return false; }, 50);
    EXPECT_TRUE(editor->requests.empty());
    EXPECT_FALSE(exe->ended());
    exe.reset();  // closing: the held thread ends
}

TEST_F(DebuggerProtocolTest, StepTwiceExecutesExactlyTwoStatements) {
    begin(inMain("int a;", "a = 1; a = 2; a = 3;"));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 1; }));
    // The first stop is main's opening brace.
    EXPECT_EQ(debugger.steps[0], positionOf(source, "{"));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 2; }));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 3; }));
    win::waitPumping([] { return false; }, 20);
    EXPECT_EQ(stepsSeen(), 3u);
    EXPECT_EQ(debugger.steps[1], positionOf(source, "a = 1"));
    EXPECT_EQ(debugger.steps[2], positionOf(source, "a = 2"));
    // Held before "a = 2": exactly one assignment has run.
    ASSERT_FALSE(debugger.globals.empty());
    EXPECT_EQ(debugger.globals.back(), "a = 1");
    EXPECT_EQ(exe->interpreter().globals().intValue(0), 1);
    start();
    ASSERT_TRUE(waitFor([&] { return debugger.results.size() == 1; }));
    EXPECT_EQ(debugger.results[0], 0);
    EXPECT_FALSE(exe->ended());  // a debug run waits for reset or close
}

TEST_F(DebuggerProtocolTest, ResetThenStartRunsAgainFromTheFirstGlobalDeclaration) {
    begin(inMain("int g = Ins(\"g\");", "Ins(\"m\");"));
    start();
    ASSERT_TRUE(waitFor([&] { return debugger.results.size() == 1; }));
    EXPECT_EQ(editor->text, "gm");
    reset();
    start();
    ASSERT_TRUE(waitFor([&] { return debugger.results.size() == 2; }));
    EXPECT_EQ(editor->text, "gmgm");
    EXPECT_EQ(debugger.results[1], 0);
}

TEST_F(DebuggerProtocolTest, ResetWhileHeldStopsTheRunSilentlyAndStepStartsItAgain) {
    begin(inMain("", "Ins(\"a\"); Ins(\"b\");"));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 1; }));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 2; }));
    reset();
    ASSERT_TRUE(waitFor([&] { return debugger.results.size() == 1; }));
    EXPECT_EQ(debugger.results[0], kStopped);
    EXPECT_TRUE(host.shown.empty());
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 3; }));
    EXPECT_EQ(debugger.steps[2], debugger.steps[0]);  // from the top again
    EXPECT_EQ(editor->text, "");
}

TEST_F(DebuggerProtocolTest, ClosingWhileHeldAtAStepEndsTheThread) {
    begin(inMain("", "Ins(\"a\"); Ins(\"b\");"));
    step();
    ASSERT_TRUE(waitFor([&] { return stepsSeen() == 1; }));
    exe->requestStop();
    exe->resume();
    ASSERT_TRUE(waitFor([&] { return exe->ended(); }));
    EXPECT_EQ(editor->text, "");
    EXPECT_EQ(running.load(), 0);
    ASSERT_TRUE(waitFor([&] { return debugger.ends == 1; }));
}

TEST_F(DebuggerProtocolTest, AnErrorIsReportedToTheWindowAndInTheErrorBox) {
    begin(inMain("", "int x = 1 / 0;"));
    start();
    ASSERT_TRUE(waitFor([&] { return debugger.results.size() == 1; }));
    EXPECT_EQ(debugger.results[0], -kErrDivideByZero);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text.rfind("Error 4 ", 0), 0u);
}

TEST_F(MacroThreadTest, DeepRecursionFailsWithError2OnTheMacroThread) {
    EXPECT_EQ(run(inMain("int depth;", "down(0);") + "int down(int n) { depth = n; return down(n + 1) + 1; }\n"),
              -kErrTooComplex);
    EXPECT_GT(intGlobal("depth"), 100);
}

TEST_F(MacroThreadTest, AFreeRunningMacroStopsAtTheNextStatement) {
    launch(inMain("int i;", "while (1) { i++; }"), editor->mainHandle, editor->viewHandle);
    ASSERT_TRUE(exe->start(false));
    ASSERT_TRUE(win::waitPumping([&] { return running.load() == 1; }, kEndBoundMs));
    exe->requestStop();
    EXPECT_TRUE(win::waitPumping([&] { return exe->ended(); }, kEndBoundMs));
    EXPECT_EQ(running.load(), 0);
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(MacroThreadTest, AStopEndsASleepEarly) {
    launch(inMain("int after;", "Ins(\"s\"); Sleep(100000); after = 1;"), editor->mainHandle, editor->viewHandle);
    ASSERT_TRUE(exe->start(false));
    ASSERT_TRUE(win::waitPumping([&] { return editor->text == "s"; }, kEndBoundMs));
    exe->requestStop();
    ASSERT_TRUE(win::waitPumping([&] { return exe->ended(); }, kEndBoundMs));
    EXPECT_EQ(exe->lastResult(), kStopped);
    EXPECT_EQ(intGlobal("after"), 0);
}

TEST_F(MacroThreadTest, AStopWhileTheMacroWaitsForAnAnswerIsHonouredAfterIt) {
    // The request in flight is answered (the waiting thread pumps), then
    // the macro stops before its next statement.
    launch(inMain("int n;", "while (1) { n = GetFileLength(); }"), editor->mainHandle, editor->viewHandle);
    ASSERT_TRUE(exe->start(false));
    ASSERT_TRUE(win::waitPumping([&] { return editor->countView(win::kViewTextLength) > 2; }, kEndBoundMs));
    exe->requestStop();
    exe->waitPumping(100);
    EXPECT_TRUE(exe->ended());
}

// The library: files on disk, the current thread, the running count.
class MacroLibraryTest : public MacroThreadTest {
protected:
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = ::testing::TempDir() + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    void TearDown() override {
        MacroLibrary::instance().stopWait();
        MacroThreadTest::TearDown();
    }
    MacroLibrary& library = MacroLibrary::instance();
};

TEST_F(MacroLibraryTest, StopWaitEndsAnEndlessFreeRunningMacro) {
    const std::string path = write("endless.mac", inMain("int i;", "for (;;) { i++; }"));
    {
        auto started = library.prepare(editor->mainHandle, editor->viewHandle, path.c_str(), false, host);
        ASSERT_TRUE(started);
        ASSERT_TRUE(started->start(false, true));  // the thread holds itself
    }
    EXPECT_TRUE(library.running());
    library.stopWait();
    EXPECT_FALSE(library.running());
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(MacroLibraryTest, AStartWhileAMacroRunsIsRefusedWithMessage30000) {
    const std::string path = write("sleeper.mac", inMain("", "Sleep(100000);"));
    auto first = library.prepare(editor->mainHandle, editor->viewHandle, path.c_str(), false, host);
    ASSERT_TRUE(first);
    ASSERT_TRUE(first->start(false));
    EXPECT_FALSE(library.prepare(editor->mainHandle, editor->viewHandle, path.c_str(), false, host));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kStillRunning);
    EXPECT_EQ(host.shown[0].buttons, MsgButtons::Ok);
    library.stopWait();  // ends the Sleep early
    EXPECT_TRUE(first->ended());
}

TEST_F(MacroLibraryTest, AMissingFileIsReportedAndLeavesNoThreadThenARunWorks) {
    const std::string missing = ::testing::TempDir() + "no-such-macro.mac";
    EXPECT_FALSE(library.prepare(editor->mainHandle, editor->viewHandle, missing.c_str(), false, host));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, missing + " を開けません");
    EXPECT_EQ(host.shown[0].caption, "ORXMAC.DLL");
    EXPECT_EQ(host.shown[0].icon, MsgIcon::Question);
    EXPECT_FALSE(library.running());

    const std::string path = write("works.mac", inMain("", "Ins(\"ok\");") + "\x1A");
    auto exe2 = library.prepare(editor->mainHandle, editor->viewHandle, path.c_str(), false, host);
    ASSERT_TRUE(exe2);
    ASSERT_TRUE(exe2->start(false));
    exe2->waitPumping();
    EXPECT_EQ(exe2->lastResult(), 0);
    EXPECT_EQ(editor->text, "ok");
}

TEST_F(MacroLibraryTest, AFolderOrAPipeIsNotReadAsAMacro) {
    // A pipe would block the user-interface thread while it is read.
    const std::string fifo = ::testing::TempDir() + "macro-fifo";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = ::testing::TempDir();
    EXPECT_FALSE(library.prepare(editor->mainHandle, editor->viewHandle, fifo.c_str(), false, host));
    EXPECT_FALSE(library.prepare(editor->mainHandle, editor->viewHandle, folder.c_str(), false, host));
    ::unlink(fifo.c_str());
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[0].text, fifo + " を開けません");
    EXPECT_EQ(host.shown[1].text, folder + " を開けません");
    EXPECT_FALSE(library.running());
}

TEST(DefaultAnswerHost, AnswersDefaultsAndWritesFailuresAsOneLine) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    DefaultAnswerHost host(out);
    MessageRequest yesNo;
    yesNo.text = "q\r\nr";
    yesNo.buttons = MsgButtons::YesNo;
    EXPECT_EQ(host.show(yesNo), MsgResult::Yes);
    MessageRequest ok;
    ok.buttons = MsgButtons::Ok;
    EXPECT_EQ(host.show(ok), MsgResult::Ok);
    EXPECT_EQ(host.input("name"), std::string());
    EXPECT_EQ(host.errorBox(), nullptr);
    const std::string source = "main()\r\n{\r\n  x = 1;\r\n}\r\n";
    host.runFailed("a.mac", source, -kErrNoVariable, static_cast<uint32_t>(source.find('x')));
    EXPECT_EQ(host.failures(), 1);
    std::rewind(out);
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    EXPECT_NE(text.find("orxmac.dll: name\n"), std::string::npos) << text;
    EXPECT_NE(text.find("q  r"), std::string::npos) << text;
    EXPECT_NE(text.find("orvex: a.mac(3): Error 3: " + std::string(errorMessage(kErrNoVariable)) + "\n"),
              std::string::npos)
        << text;
}

TEST(DefaultAnswerHost, WithAReportStreamMacroBoxesAreOutputAndMessagesStayApart) {
    std::FILE* out = std::tmpfile();
    std::FILE* report = std::tmpfile();
    ASSERT_TRUE(out && report);
    DefaultAnswerHost host(out, report);
    MessageRequest box;
    box.text = "8 lines\r\nsecond\rthird";
    box.caption = "orxmac.dll";
    box.buttons = MsgButtons::YesNoCancel;
    EXPECT_EQ(host.macroMessage(box), MsgResult::Yes);
    MessageRequest message = box;
    message.text = "note";
    message.buttons = MsgButtons::Ok;
    EXPECT_EQ(host.show(message), MsgResult::Ok);
    auto contents = [](std::FILE* f) {
        std::rewind(f);
        std::string text(4096, '\0');
        text.resize(std::fread(text.data(), 1, text.size(), f));
        std::fclose(f);
        return text;
    };
    EXPECT_EQ(contents(report), "8 lines\nsecond\nthird\n");
    EXPECT_EQ(contents(out), "orxmac.dll: note\n");
}

TEST(DefaultAnswerHost, LineNumbersCountEveryKindOfLineEnd) {
    EXPECT_EQ(lineNumberAt("a\nb\r\nc\rd", 0), 1u);
    EXPECT_EQ(lineNumberAt("a\nb\r\nc\rd", 2), 2u);
    EXPECT_EQ(lineNumberAt("a\nb\r\nc\rd", 5), 3u);
    EXPECT_EQ(lineNumberAt("a\nb\r\nc\rd", 7), 4u);
}

}  // namespace
