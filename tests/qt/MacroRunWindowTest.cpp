// Macros from their slots in the running window, with the real macro
// library: the macro thread edits the document through the views' answers
// while the Qt event loop runs, a macro that never ends is stopped by the
// stop command and by the exit, and a macro that closes its own document
// gets empty answers from the view that is gone.
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/commands/CommandIds.h"
#include "qt/platform/QtMessagePump.h"
#include "shell/EditorSession.h"
#include "shell/MacroLibraryBinding.h"
#include "tests/qt/QtTestSupport.h"
#include "text/CLuView.h"
#include "winmsg/MessageLayer.h"

namespace orvex::qt::test {
namespace {

class MacroRunWindowTest : public EditorWindowTest {
protected:
    void SetUp() override {
        qt::installMessagePump();
        EditorWindowTest::SetUp();
    }
    void TearDown() override {
        // Whatever a failed case left running ends before the window goes.
        ctx->session().macroLibrary().stop();
        EditorWindowTest::TearDown();
        qt::removeMessagePump();
    }
    // Slot n (1-based) runs the macro text written to a file of the test.
    void setSlot(int n, const std::string& text) {
        const QString path = dir.filePath(QStringLiteral("slot%1.mac").arg(n));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), qint64(text.size()));
        f.close();
        ctx->settings().editor.options.macroName[size_t(n - 1)] = path.toStdString();
    }
    std::string text() { return std::string(view().document().text().view()); }
    bool waitFor(const std::function<bool()>& done, int ms = 20000) { return win::waitPumping(done, ms); }
};

TEST_F(MacroRunWindowTest, ASlotsMacroEditsTheActiveDocumentThroughTheBridge) {
    newChild();
    setSlot(1,
            "main()\n{\n"
            "    int i;\n"
            "    for (i = 0; i < 200; i++) Ins(\"x\");\n"
            "    SetPos(0);\n"
            "    Ins(\"[\" + itoa(GetFileLength(), 10) + \"]\");\n"
            "}\n");
    frame->runCommand(cmd::kMacroRun);
    ASSERT_TRUE(waitFor([&] { return text().size() == 205; })) << text();
    EXPECT_EQ(text(), "[200]" + std::string(200, 'x'));
    // The typed text is one undo step per insertion, as typing is.
    EXPECT_TRUE(frame->commandState(cmd::kUndo).enabled);
}

TEST_F(MacroRunWindowTest, TheStopCommandEndsAMacroThatNeverEndsAndAnotherRunsAfterIt) {
    newChild();
    setSlot(1, "main()\n{\n    int i;\n    while (1) i++;\n}\n");
    setSlot(2, "main()\n{\n    Ins(\"after\");\n}\n");
    frame->runCommand(cmd::kMacroRun);
    // Let it run, then stop it: the stop returns once the thread has ended.
    waitFor([] { return false; }, 50);
    frame->runCommand(cmd::kMacroStop);
    frame->runCommand(cmd::kMacroRun + 1);
    ASSERT_TRUE(waitFor([&] { return text() == "after"; })) << text();
    // No "still running" message was needed for the second start.
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
}

TEST_F(MacroRunWindowTest, TheStopTheExitUsesWakesASleepingMacro) {
    newChild();
    setSlot(1, "main()\n{\n    int i;\n    while (1) { i++; Sleep(1000); }\n}\n");
    frame->runCommand(cmd::kMacroRun);
    waitFor([] { return false; }, 50);
    // The exit order begins with the macro's stop; the sleeping macro is
    // woken, so the exit does not wait for its second.
    ctx->session().macroLibrary().stop();
    setSlot(2, "main()\n{\n    Ins(\"again\");\n}\n");
    frame->runCommand(cmd::kMacroRun + 1);
    ASSERT_TRUE(waitFor([&] { return text() == "again"; })) << text();
}

TEST_F(MacroRunWindowTest, AMacroClosingItsOwnDocumentGetsZeroAnswersNotACrash) {
    newChild();
    setSlot(1,
            "main()\n{\n"
            "    Ins(\"gone\");\n"
            "    Send(57602);\n"  // the File Close command through the main window
            "    MessageBox(\"[\" + GetLineText(0) + \"]\" + itoa(GetLineCount(), 10), 0);\n"
            "}\n");
    // The close asks to save the changed document (the editor's question):
    // no. The view the macro works on is gone: its requests answer 0 and
    // empty text.
    messages.answer(MsgResult::No);
    QString errorText;
    ModalScript script;
    script.then([&](QWidget& dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) errorText = box->text();
        static_cast<QDialog&>(dialog).accept();
    });
    frame->runCommand(cmd::kMacroRun);
    ASSERT_TRUE(waitFor([&] { return !errorText.isEmpty(); })) << messages.shown.size();
    EXPECT_TRUE(frame->childFrames().empty());
    EXPECT_EQ(errorText.toStdString(), "[]0");
}

QPushButton* buttonNamed(QWidget& window, const char* text) {
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(text)) return b;
    return nullptr;
}

TEST_F(MacroRunWindowTest, TheDebuggerRunsASlotsMacroOnTheDocumentAndShowsComplete) {
    newChild();
    setSlot(3, "int n;\nmain()\n{\n    n = 2;\n    Ins(\"debugged\");\n}\n");
    bool complete = false;
    ModalScript script;
    script.then([&](QWidget& window) {
        // The window of the library: nothing runs before Start.
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8("ﾃﾞﾊﾞｯｸﾞ ｳｨﾝﾄﾞｳ"));
        EXPECT_EQ(text(), "");
        QPushButton* start = buttonNamed(window, "ｽﾀｰﾄ");
        ASSERT_NE(start, nullptr);
        start->click();
        complete = win::waitPumping(
            [&] {
                for (QPlainTextEdit* e : window.findChildren<QPlainTextEdit*>())
                    if (e->toPlainText() == QStringLiteral("Complete.")) return true;
                return false;
            },
            20000);
        QPushButton* close = buttonNamed(window, "閉じる");
        ASSERT_NE(close, nullptr);
        close->click();
    });
    shell::EditorSession& session = ctx->session();
    session.macroLibrary().debug(session.settings().editor.options.macroName[2], session.mainWindowHandle(),
                                 session.activeViewHandle());
    EXPECT_TRUE(complete);
    EXPECT_EQ(text(), "debugged");
}

}  // namespace
}  // namespace orvex::qt::test
