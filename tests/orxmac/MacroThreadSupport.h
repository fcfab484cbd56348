#pragma once
// Runs macros on the macro thread against the fake editor: the test thread
// is the user-interface thread and answers the requests while it waits.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "FakeEditor.h"
#include "orxmac/bridge/CMacExe.h"
#include "orxmac/bridge/MacroHostUi.h"
#include "winmsg/MessageLayer.h"

namespace orvex::orxmac::test {

// Records every message box and Input; answers from scripts, then with
// defaults (OK, an empty Input closed with OK).
class RecordingHost final : public MacroHostUi {
public:
    MsgResult show(const MessageRequest& request) override {
        shown.push_back(request);
        if (answers.empty()) return MsgResult::Ok;
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    std::optional<std::string> input(const std::string& title) override {
        inputs.push_back(title);
        if (inputAnswers.empty()) return std::string();
        auto r = inputAnswers.front();
        inputAnswers.pop_front();
        return r;
    }
    std::vector<MessageRequest> shown;
    std::deque<MsgResult> answers;
    std::vector<std::string> inputs;
    std::deque<std::optional<std::string>> inputAnswers;
};

// Generous bound for a run that must end; the tests never depend on timing
// below it.
inline constexpr int kEndBoundMs = 60000;

class MacroThreadTest : public ::testing::Test {
protected:
    void SetUp() override { win::attachUiThread(); }
    void TearDown() override {
        exe.reset();
        editor.reset();
        win::detachUiThread();
    }

    // Starts the program on a macro thread with the editor's windows (or
    // the handles given); not waiting.
    std::shared_ptr<CMacExe> launch(const std::string& program, win::Handle main, win::Handle view,
                                    bool debugRun = false, bool suspended = false) {
        MacroStart start;
        start.mainWindow = main;
        start.view = view;
        start.path = "test.mac";
        start.source = MacroSource(program);
        start.debugRun = debugRun;
        exe = std::make_shared<CMacExe>(std::move(start), running, host);
        return exe;
    }

    // Runs the program to its end; its result.
    int run(const std::string& program) { return runWith(program, editor->mainHandle, editor->viewHandle); }
    int runWith(const std::string& program, win::Handle main, win::Handle view) {
        launch(program, main, view);
        EXPECT_TRUE(exe->start(false));
        EXPECT_TRUE(win::waitPumping([&] { return exe->ended(); }, kEndBoundMs)) << "the macro did not end";
        return exe->lastResult();
    }

    int32_t intGlobal(const std::string& name) const {
        const VariableFrame& g = exe->interpreter().globals();
        for (uint32_t i = 0; i < g.variableCount(); ++i)
            if (g.variable(i).name == name) return g.intValue(i);
        ADD_FAILURE() << "no global " << name;
        return 0;
    }
    std::string strGlobal(const std::string& name) const {
        const VariableFrame& g = exe->interpreter().globals();
        for (uint32_t i = 0; i < g.variableCount(); ++i)
            if (g.variable(i).name == name) return g.stringValue(i);
        ADD_FAILURE() << "no global " << name;
        return {};
    }

    std::unique_ptr<FakeEditor> editor = std::make_unique<FakeEditor>();
    RecordingHost host;
    std::atomic<int> running{0};
    std::shared_ptr<CMacExe> exe;
};

}  // namespace orvex::orxmac::test
