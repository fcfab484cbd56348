// Find in files, tag jump and the lists through the headless session: the
// dialog answered from a script, the result document filled, a jump from
// its lines to the file and line and back again.
#include <gtest/gtest.h>

#include <fstream>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "search/SearchDialogs.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FindInFilesCommands.h"
#include "shell/TagJumps.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuView.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

class ScriptedFindInFiles final : public search::SearchDialogs {
public:
    search::FindAction askFind(search::FindDialogData&) override { return search::FindAction::Cancel; }
    search::ReplaceAction askReplace(search::ReplaceDialogData&) override { return search::ReplaceAction::Cancel; }
    search::BatchAction askBatch(search::BatchDialogData&) override { return search::BatchAction::Cancel; }
    bool askFindInFiles(search::FindInFilesDialogData& d) override {
        ++asked;
        seen = d;
        d.text = text;
        d.folder = folder;
        d.filter = filter;
        d.subFolders = true;
        d.onlyOnePerFile = onlyOne;
        return answer;
    }
    int asked = 0;
    bool answer = true, onlyOne = false;
    std::string text, folder, filter = "*.c";
    search::FindInFilesDialogData seen;
};

class ResultDocumentTest : public shell::test::SessionFixture {
protected:
    ResultDocumentTest() {
        session->setSearchDialogs(&dialogs);
        dialogs.folder = folder.path() + "/src";
    }
    std::string write(const std::string& name, const std::string& bytes) {
        TempFolder::write(folder.file(name), bytes);
        return folder.file(name);
    }
    static std::string text(EditorWindow* w) { return std::string(w->document().doc().text().view()); }
    static int32_t caretLine(EditorWindow* w) {
        return w->document().doc().text().row(w->activeView().cursor().row).line + 1;
    }
    void caretToLine(EditorWindow* w, int32_t line) {
        const TextPosition p = w->document().doc().text().goToLine(line);
        w->activeView().placeCursor(p.row, 0);
    }
    ScriptedFindInFiles dialogs;
};

TEST_F(ResultDocumentTest, FindInFilesFillsAReadOnlyTagFileAndItsLinesJumpThere) {
    const std::string a = write("src/a.c", "int a;\r\nint hit = 1;\r\n\r\nhit();\r\n");
    session->settings().document.tagFileWrtProt = 1;
    dialogs.text = "hit";
    ASSERT_TRUE(session->router().run(cmd::kFindInFilesKey));
    EditorWindow* result = session->activeWindow();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(text(result), a + "(2): int hit = 1;\r\n" + a + "(4): hit();\r\n");
    EXPECT_EQ(result->document().doc().titleBase(), "hit.tag");
    EXPECT_TRUE(result->document().file().tagFile());
    EXPECT_TRUE(result->document().doc().readOnly());
    EXPECT_FALSE(result->document().doc().isModified());
    EXPECT_FALSE(session->findInFiles().running());
    // The search string, folder and filter went into their histories.
    EXPECT_EQ(session->search().searchHistory().front(), "hit");
    EXPECT_EQ(session->settings().editor.history.findPath[0], dialogs.folder);

    caretToLine(result, 2);
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EditorWindow* opened = session->activeWindow();
    ASSERT_NE(opened, result);
    EXPECT_EQ(opened->document().path(), a);
    EXPECT_EQ(caretLine(opened), 4);

    // Jump back: the result document at the line the jump started from.
    ASSERT_TRUE(session->router().run(cmd::kTagJumpBack));
    EXPECT_EQ(session->activeWindow(), result);
    EXPECT_EQ(caretLine(result), 2);
    EXPECT_FALSE(session->router().state(cmd::kTagJumpBack).enabled);
}

TEST_F(ResultDocumentTest, ReusedResultDocumentAccumulatesRunsAfterAnEmptyLine) {
    const std::string a = write("src/a.c", "one\r\ntwo\r\n");
    session->settings().app.findWnd = 0;
    dialogs.text = "one";
    session->router().run(cmd::kFindInFilesKey);
    EditorWindow* result = session->activeWindow();
    dialogs.text = "two";
    session->router().run(cmd::kFindInFilesKey);
    EXPECT_EQ(session->activeWindow(), result);
    EXPECT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(text(result), a + "(1): one\r\n\r\n" + a + "(2): two\r\n");
    EXPECT_EQ(result->document().doc().titleBase(), strings::text(strings::kSearchResultName));
}

TEST_F(ResultDocumentTest, NoHitReportsAndClosesTheEmptyResult) {
    write("src/a.c", "nothing here\r\n");
    dialogs.text = "absent";
    session->router().run(cmd::kFindInFilesKey);
    EXPECT_TRUE(session->windows().empty());
    ASSERT_FALSE(fakes.messages.shown.empty());
    EXPECT_EQ(fakes.messages.shown.back().textId, strings::kNoMatch);
}

TEST_F(ResultDocumentTest, PatternErrorClosesTheEmptyResult) {
    write("src/a.c", "x\r\n");
    dialogs.text = "[a";
    dialogs.seen.flags.regex = true;
    session->search().setFlags({true, false, true, false, 0});
    session->search().saveOptionSet(search::OptionSet::FindInFiles);
    session->router().run(cmd::kFindInFilesKey);
    EXPECT_TRUE(session->windows().empty());
    EXPECT_EQ(fakes.messages.shown.back().textId, strings::kBadRegex);
}

TEST_F(ResultDocumentTest, QuotedSearchStringNamesTheResultBeforeTheQuote) {
    write("src/a.c", "say \"x\r\n");
    dialogs.text = "say \"x";
    session->router().run(cmd::kFindInFilesKey);
    EXPECT_EQ(session->activeWindow()->document().doc().titleBase(), "say .tag");
}

TEST_F(ResultDocumentTest, RelativeNamesResolveAgainstTheDocumentsFolderAndToolFolder) {
    write("src/a.c", "l1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7\r\n");
    write("tool/a.c", "t1\r\nt2\r\nt3\r\n");
    const std::string tag = write("src/list.tag", "a.c(7): l7\r\n");
    EditorWindow* t = session->openFile(tag);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->document().file().tagFile());
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EXPECT_EQ(session->activeWindow()->document().path(), folder.file("src/a.c"));
    EXPECT_EQ(caretLine(session->activeWindow()), 7);

    EditorWindow* out = session->newDocument();
    out->document().setToolOutput(folder.file("tool"));
    out->activeView().insertText("a.c:3:1: warning: x\r\n");
    caretToLine(out, 1);
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EXPECT_EQ(session->activeWindow()->document().path(), folder.file("tool/a.c"));
    EXPECT_EQ(caretLine(session->activeWindow()), 3);
}

TEST_F(ResultDocumentTest, LineWithoutFileNameDoesNothing) {
    EditorWindow* w = session->newDocument();
    w->activeView().insertText("   \r\n");
    caretToLine(w, 1);
    session->router().run(cmd::kTagJump);
    EXPECT_EQ(session->activeWindow(), w);
    EXPECT_EQ(session->windows().size(), 1u);
}

TEST_F(ResultDocumentTest, MarkedRowsAreListedIntoAResultDocument) {
    const std::string a = write("src/m.c", "one\r\ntwo\r\nthree\r\n");
    EditorWindow* w = session->openFile(a);
    EXPECT_FALSE(session->router().state(cmd::kMarkedRowList).enabled);
    w->document().doc().toggleMark(1);
    ASSERT_TRUE(session->router().state(cmd::kMarkedRowList).enabled);
    session->router().run(cmd::kMarkedRowList);
    EditorWindow* list = session->activeWindow();
    ASSERT_NE(list, w);
    EXPECT_EQ(text(list), a + "(2): two\r\n");
    EXPECT_TRUE(list->document().file().tagFile());
}

TEST_F(ResultDocumentTest, FunctionListAndBracketMatchThroughTheView) {
    const std::string a = write("src/f.c", "int f(void)\r\n{\r\n  return (1);\r\n}\r\n");
    EditorWindow* w = session->openFile(a);
    session->router().run(cmd::kFunctionSearch);
    EXPECT_EQ(text(session->activeWindow()), a + "(1): int f(void)\r\n");
    session->setActiveWindow(w);
    w->activeView().placeCursor(1, 0);
    session->router().run(cmd::kMatchBracket);
    ASSERT_TRUE(w->activeView().hasSelection());
    EXPECT_EQ(w->activeView().selectedText(), "{\r\n  return (1);\r\n}");
}

}  // namespace

// Folder and file names are UTF-8 on disk and Shift JIS in the result
// document: a Japanese name reads as itself and its line still jumps; a
// name code page 932 cannot hold stays as its bytes and jumps too.
TEST_F(ResultDocumentTest, NonAsciiPathsReadAsThemselvesAndJump) {
    const std::string jp = write("src/資料/メモ.c", "x\r\nhit here\r\n");
    const std::string kr = write("src/한국/b.c", "hit\r\n");
    dialogs.text = "hit";
    ASSERT_TRUE(session->router().run(cmd::kFindInFilesKey));
    EditorWindow* result = session->activeWindow();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(text(result), cp932::fromUtf8(jp) + "(2): hit here\r\n" + kr + "(1): hit\r\n");

    caretToLine(result, 1);
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EXPECT_EQ(session->activeWindow()->document().path(), jp);
    EXPECT_EQ(caretLine(session->activeWindow()), 2);

    session->setActiveWindow(result);
    caretToLine(result, 2);
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EXPECT_EQ(session->activeWindow()->document().path(), kr);
}

// A hundred thousand hits arrive in batches into one result document,
// every line there and the last one still jumping to its line.
TEST_F(ResultDocumentTest, HundredThousandHitsFillOneDocument) {
    std::string body;
    for (int i = 0; i < 100000; ++i) body += "hit " + std::to_string(i) + "\r\n";
    const std::string a = write("src/many.c", body);
    dialogs.text = "hit";
    ASSERT_TRUE(session->router().run(cmd::kFindInFilesKey));
    EditorWindow* result = session->activeWindow();
    ASSERT_NE(result, nullptr);
    const TextStore& t = result->document().doc().text();
    EXPECT_EQ(t.lineCount(), 100001);  // 100,000 lines and the empty one after them
    caretToLine(result, 100000);
    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EXPECT_EQ(session->activeWindow()->document().path(), a);
    EXPECT_EQ(caretLine(session->activeWindow()), 100000);
    const std::string all = text(result);
    const std::string last = a + "(100000): hit 99999\r\n";
    ASSERT_GE(all.size(), last.size());
    EXPECT_EQ(all.substr(all.size() - last.size()), last);
}
