// The editor session without any window system: documents opened, edited,
// saved and closed through the command router, by id and by key, with the
// scripted platform fakes and no Qt at all.
#include <gtest/gtest.h>

#include "files/CharCode.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakePlatform.h"
#include "text/VirtualKeys.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

class SessionTest : public shell::test::SessionFixture {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = folder.file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::string text(EditorWindow* w) const { return std::string(w->document().doc().text().view()); }
    CommandRouter& router() { return session->router(); }
    void type(const std::string& sjis) { session->activeView()->typeText(sjis); }
};

TEST_F(SessionTest, TwoDocumentsAreEditedThroughTheRouterByIdAndByKey) {
    EditorWindow* a = session->openFile(write("a.txt", "alpha\r\nsecond\r\n"));
    EditorWindow* b = session->openFile(write("b.txt", "beta\r\n"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(session->activeWindow(), b);

    // Ctrl+End goes to the end of b; the typed text lands there.
    EXPECT_TRUE(router().pressKey(vk::kEnd, false, true, false));
    type("gamma");
    EXPECT_EQ(text(b), "beta\r\ngamma");
    // Ctrl+Home, then Ctrl+D duplicates the first line; Ctrl+Z takes it back.
    EXPECT_TRUE(router().pressKey(vk::kHome, false, true, false));
    EXPECT_TRUE(router().pressKey('D', false, true, false));
    EXPECT_EQ(text(b), "beta\r\nbeta\r\ngamma");
    EXPECT_TRUE(router().pressKey('Z', false, true, false));
    EXPECT_EQ(text(b), "beta\r\ngamma");
    // A key the key table does not hold goes to the view itself.
    EXPECT_FALSE(router().pressKey(vk::kEnd, false, false, false));
    EXPECT_EQ(session->activeView()->cursor().byteColumn, 4);

    // The first line of a goes to b through the clipboard, by command ids.
    session->setActiveWindow(a);
    ASSERT_TRUE(router().run(cmd::kSelectLine));
    ASSERT_TRUE(router().run(cmd::kCut));
    EXPECT_EQ(text(a), "second\r\n");
    session->setActiveWindow(b);
    ASSERT_TRUE(router().run(cmd::kFileTop));
    ASSERT_TRUE(router().run(cmd::kPaste));
    EXPECT_EQ(text(b), "alpha\r\nbeta\r\ngamma");

    // Save all writes both files; the untouched bytes stay as they were.
    ASSERT_TRUE(router().run(cmd::kSaveAll));
    EXPECT_EQ(TempFolder::read(folder.file("a.txt")), "second\r\n");
    EXPECT_EQ(TempFolder::read(folder.file("b.txt")), "alpha\r\nbeta\r\ngamma");
    EXPECT_FALSE(a->document().doc().isModified());
    EXPECT_FALSE(b->document().doc().isModified());
}

TEST_F(SessionTest, TheChainRunsFromTheActiveViewToTheApplication) {
    // No window: frame, its key-macro, search, find-in-files, external-program, text-store, print,
    // settings and macro commands, application.
    EXPECT_EQ(router().chain().size(), 10u);
    EditorWindow* w = session->newDocument();
    const std::vector<CommandTarget*> chain = router().chain();
    ASSERT_EQ(chain.size(), 13u);
    EXPECT_EQ(chain[0], &w->activeView());
    EXPECT_EQ(chain[1], &w->document());
    EXPECT_EQ(chain[2], w);
    // Commands of the view's families (file, search, conversions) are reached through the
    // view; without a print host the print commands are greyed out.
    EXPECT_TRUE(router().knows(cmd::kFind));
    EXPECT_TRUE(router().knows(cmd::kConvertToEuc));
    EXPECT_TRUE(router().knows(cmd::kSort));
    EXPECT_TRUE(router().run(cmd::kFilePrint));  // the print target has it; without a print host it does nothing
    EXPECT_FALSE(router().state(cmd::kFilePrint).enabled);
    ASSERT_TRUE(router().run(cmd::kConvertToEuc));
    EXPECT_EQ(w->document().code(), files::kCodeEuc);
    EXPECT_TRUE(router().state(cmd::kConvertToEuc).checked);
}

TEST_F(SessionTest, OpeningAFileAgainActivatesItsWindow) {
    const std::string p = write("same.txt", "x");
    EditorWindow* first = session->openFile(p);
    session->newDocument();
    EXPECT_EQ(session->openFile(p), first);
    EXPECT_EQ(session->activeWindow(), first);
    EXPECT_EQ(session->windows().size(), 2u);
    // A file that cannot be read opens no window.
    EXPECT_EQ(session->openFile(folder.file("missing/none.txt")), nullptr);
    EXPECT_EQ(session->windows().size(), 2u);
}

// The close command ends the document and its window while the router is
// still inside the command: the window must outlive the command (the
// sanitizer pass catches a use after free here).
TEST_F(SessionTest, CloseCommandEndsItsWindowAfterTheCommandReturns) {
    EditorWindow* first = session->newDocument();
    EditorWindow* second = session->newDocument();
    ASSERT_EQ(session->activeWindow(), second);
    ASSERT_TRUE(router().run(cmd::kFileClose));
    ASSERT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(session->activeWindow(), first);
    // With no window left, the frame's commands still run.
    ASSERT_TRUE(router().run(cmd::kFileClose));
    EXPECT_TRUE(session->windows().empty());
    EXPECT_EQ(session->activeView(), nullptr);
    EXPECT_FALSE(router().state(cmd::kSaveAll).enabled);
    ASSERT_TRUE(router().run(cmd::kFileNew));
    EXPECT_EQ(session->windows().size(), 1u);
}

TEST_F(SessionTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
    EditorWindow* w = session->newDocument();
    type("keep me");
    fakes.messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(session->closeAllDocuments());
    ASSERT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(text(w), "keep me");
    // "No" discards the edits and closes; the exit then saves the settings.
    fakes.messages.answer(MsgResult::No);
    ASSERT_TRUE(router().run(cmd::kAppExit));
    EXPECT_TRUE(session->exited());
    EXPECT_TRUE(session->windows().empty());
    EXPECT_FALSE(TempFolder::read(folder.file("settings.ini")).empty());
}

TEST_F(SessionTest, ReadOnlyDocumentRefusesEditsThroughTheGate) {
    session->settings().document.editEnable = 0;  // read-only means read-only
    EditorWindow* w = session->openFile(write("ro.txt", "fixed"));
    ASSERT_NE(w, nullptr);
    w->document().doc().setReadOnly(true);
    ASSERT_TRUE(router().run(cmd::kSelectAll));
    EXPECT_TRUE(router().state(cmd::kCopy).enabled);
    EXPECT_FALSE(router().state(cmd::kCut).enabled);
    EXPECT_FALSE(router().state(cmd::kPaste).enabled);
    EXPECT_FALSE(router().state(cmd::kInsertFile).enabled);  // a file command, same gate
    EXPECT_TRUE(router().run(cmd::kCut));                    // taken, but refused
    EXPECT_EQ(text(w), "fixed");
    ASSERT_TRUE(router().run(cmd::kCopy));
    EXPECT_EQ(fakes.clipboard.text().value_or(""), "fixed");
    // Without a selection the selection commands are greyed out and do nothing.
    ASSERT_TRUE(router().run(cmd::kClearSelection));
    EXPECT_FALSE(router().state(cmd::kCopy).enabled);
    EXPECT_FALSE(router().state(cmd::kAppendSelectionToFile).enabled);
}

TEST_F(SessionTest, WindowSystemCommandsAreGreyedOutWithoutAFrame) {
    session->newDocument();
    for (CommandId id : {cmd::kCascade, cmd::kTileVertical, cmd::kNextWindow, cmd::kToolbar1, cmd::kAbout,
                         cmd::kLineLength}) {
        EXPECT_FALSE(router().state(id).enabled) << id;
        EXPECT_TRUE(router().run(id)) << id;  // handled, and harmless
    }
    // The split command is the window's own: it works headless.
    EXPECT_FALSE(router().state(cmd::kWindowSplit).checked);
    ASSERT_TRUE(router().run(cmd::kWindowSplit));
    EXPECT_TRUE(session->activeWindow()->isSplit());
    EXPECT_TRUE(router().state(cmd::kWindowSplit).checked);
}

TEST_F(SessionTest, BothPanesShareTheDocumentAndCarryEveryFamily) {
    EditorWindow* w = session->newDocument();
    w->setActivePane(1);
    type("lower pane");
    EXPECT_EQ(std::string(w->view(0).document().text().view()), "lower pane");
    for (int pane = 0; pane < 2; ++pane) {
        CommandState s;
        EXPECT_TRUE(w->view(pane).onUpdateCommand(cmd::kFind, s)) << pane;
        EXPECT_TRUE(w->view(pane).onUpdateCommand(cmd::kRevert, s)) << pane;
    }
    // The command line: a jump line goes to the first file's line.
    const CommandLineInfo info = parseCommandLine(std::vector<std::string>{"/j3", write("c.txt", "1\r\n2\r\n3\r\n4\r\n")});
    ASSERT_TRUE(session->processCommandLine(info));
    EXPECT_EQ(session->activeView()->cursor().row, 2);
}

}  // namespace

TEST_F(SessionTest, ClipboardFormattingGoesThroughAWindowThatLeavesUnseen) {
    session->settings().editor.presets[0].seikei = 10;
    EditorWindow* a = session->openFile(write("a.txt", "keep\r\n"));
    ASSERT_NE(a, nullptr);
    fakes.clipboard.externalChange("abcdefghijklmnopqrstuvwxyz");
    const size_t before = session->windows().size();
    EXPECT_TRUE(router().run(cmd::kClipboardFormat));
    // Preset 0 broke the text at 10 columns; the window made for it is gone
    // without a question, and the document that was active is again.
    EXPECT_EQ(*fakes.clipboard.text(), "abcdefghij\r\nklmnopqrst\r\nuvwxyz");
    EXPECT_EQ(session->windows().size(), before);
    EXPECT_EQ(session->activeWindow(), a);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(text(a), "keep\r\n");
}
