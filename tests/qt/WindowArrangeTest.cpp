// Re-laying out the document windows (tile, cascade, maximise, restore,
// resize, split) keeps the caret, the status bar and the visible rows in
// agreement; cascaded windows get a useful size.
#include <QMdiArea>
#include <QMdiSubWindow>

#include <QTest>
#include <QToolBar>

#include "qt/mainframe/StatusPanes.h"
#include "qt/mainframe/FileWindow.h"
#include "qt/mainframe/WindowBar.h"
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QTreeView>
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class WindowArrangeTest : public EditorWindowTest {
protected:
    // A long document with the caret at its end (Ctrl+End).
    CChildFrame* longDocumentAtItsEnd() {
        std::string text;
        for (int i = 1; i <= 3000; ++i) text += "line " + std::to_string(i) + "\r\n";
        const std::string p = writeFile("long.txt", text);
        CChildFrame* c = frame->openFile(p);
        settle();
        frame->runCommand(cmd::kFileBottom);
        settle();
        return c;
    }
    // The caret's row lies in the rows the pane shows.
    static bool caretVisible(CLuViewWidget& pane) {
        const CLuView& v = pane.view();
        return v.cursor().row >= v.topRow() && v.cursor().row < v.topRow() + v.fullyVisibleRows();
    }
    QMdiSubWindow* sub(CChildFrame* c) { return qobject_cast<QMdiSubWindow*>(c->parentWidget()); }
};

TEST_F(WindowArrangeTest, TilingHandedTheCaretToTheCollapsedPane) {
    CChildFrame* other = newChild();
    (void)other;
    CChildFrame* longDoc = longDocumentAtItsEnd();
    ASSERT_NE(longDoc, nullptr);
    const int32_t endRow = longDoc->activePane().view().cursor().row;
    ASSERT_GT(endRow, 2900);
    for (CommandId arrange : {cmd::kTileHorizontal, cmd::kTileVertical, cmd::kCascade}) {
        frame->mdiArea()->setActiveSubWindow(sub(longDoc));
        settle();
        frame->runCommand(arrange);
        settle();
        frame->refreshStatus();
        CLuViewWidget& pane = *frame->activePane();
        ASSERT_EQ(&pane.window(), &longDoc->window()) << arrange;
        EXPECT_EQ(pane.view().cursor().row, endRow) << arrange;
        EXPECT_TRUE(caretVisible(pane)) << arrange;
        EXPECT_TRUE(frame->statusPanes().lineColumnText().trimmed().startsWith(QStringLiteral("3001:")))
            << arrange << " " << frame->statusPanes().lineColumnText().toStdString();
        // Typed text goes where the caret is shown.
        QTest::keyClicks(&pane, QStringLiteral("x"));
        settle();
        EXPECT_EQ(pane.view().cursor().row, endRow) << arrange;
        frame->runCommand(cmd::kUndo);
        settle();
    }
}

TEST_F(WindowArrangeTest, MaximiseRestoreResizeAndSplitKeepAVisibleCaretVisible) {
    CChildFrame* c = longDocumentAtItsEnd();
    ASSERT_NE(c, nullptr);
    CLuViewWidget& pane = c->activePane();
    const int32_t endRow = pane.view().cursor().row;
    sub(c)->showNormal();
    settle();
    EXPECT_TRUE(caretVisible(pane));
    sub(c)->resize(300, 120);
    settle();
    EXPECT_TRUE(caretVisible(pane));
    sub(c)->showMaximized();
    settle();
    EXPECT_TRUE(caretVisible(pane));
    frame->runCommand(cmd::kWindowSplit);
    settle();
    EXPECT_TRUE(caretVisible(c->activePane()));
    frame->runCommand(cmd::kWindowSplit);
    settle();
    EXPECT_TRUE(caretVisible(c->activePane()));
    EXPECT_EQ(c->activePane().view().cursor().row, endRow);
}

TEST_F(WindowArrangeTest, CascadeMadeTinyWindows) {
    for (int i = 0; i < 3; ++i) newChild();
    frame->runCommand(cmd::kCascade);
    settle();
    const QSize area = frame->mdiArea()->viewport()->size();
    for (QMdiSubWindow* s : frame->mdiArea()->subWindowList()) {
        EXPECT_GE(s->width(), area.width() * 6 / 10) << s->width() << " of " << area.width();
        EXPECT_GE(s->height(), area.height() * 6 / 10) << s->height() << " of " << area.height();
        EXPECT_LE(s->geometry().right(), area.width());
        EXPECT_LE(s->geometry().bottom(), area.height());
    }
}

}  // namespace
}  // namespace orvex::qt::test

namespace orvex::qt::test {
namespace {

class WindowBarTest : public WindowArrangeTest {
protected:
    std::vector<QAction*> buttons() {
        frame->refreshStatus();
        std::vector<QAction*> out;
        for (QAction* a : frame->windowBar()->actions()) out.push_back(a);
        return out;
    }
};

TEST_F(WindowBarTest, OneButtonPerWindowThatActivatesIt) {
    CChildFrame* a = frame->openFile(writeFile("a.txt", "a\r\n"));
    CChildFrame* b = frame->openFile(writeFile("b.txt", "b\r\n"));
    settle();
    std::vector<QAction*> bar = buttons();
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_TRUE(bar[0]->text().startsWith(QStringLiteral("a.txt")));
    EXPECT_FALSE(bar[0]->isChecked());
    EXPECT_TRUE(bar[1]->isChecked());
    bar[0]->trigger();
    settle();
    EXPECT_EQ(frame->activeChild(), a);
    EXPECT_TRUE(buttons()[0]->isChecked());
    (void)b;

    // 32898 hides and shows the bar; the setting follows.
    ASSERT_TRUE(frame->runCommand(cmd::kWindowBarToggle));
    EXPECT_TRUE(frame->windowBar()->isHidden());
    EXPECT_EQ(ctx->settings().frame.windBarDisp, 0);
    // At the bottom by default; WindBarPos 2 moves it to the left.
    EXPECT_EQ(frame->toolBarArea(frame->windowBar()), Qt::BottomToolBarArea);
    ctx->settings().frame.windBarPos = 2;
    ctx->settings().frame.windBarDisp = 1;
    frame->showToolbars();
    EXPECT_EQ(frame->toolBarArea(frame->windowBar()), Qt::LeftToolBarArea);
    EXPECT_FALSE(frame->windowBar()->isHidden());
}

struct ButtonTextRow {
    const char* title;
    int name, size;
    const char* text;
};

class WindowBarText : public ::testing::TestWithParam<ButtonTextRow> {};

TEST_P(WindowBarText, NameAndLength) {
    const ButtonTextRow& r = GetParam();
    EXPECT_EQ(WindowBar::buttonText(QString::fromUtf8(r.title), r.name, r.size), QString::fromUtf8(r.text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowBarText,
    ::testing::Values(ButtonTextRow{"/home/u/文書/メモ.txt", 0, 0, "メモ.txt"},
                      ButtonTextRow{"/home/u/a.txt", 1, 0, "/home/u/a.txt"},
                      ButtonTextRow{"abcdefghijklmnopqrstuvwxyz.txt", 0, 0, "abcdefghij…vwxyz.txt"},
                      ButtonTextRow{"abcdefghij", 0, 6, "abc…ij"},
                      ButtonTextRow{"abcdefghij", 0, 1, "ab…j"},  // at least 4
                      ButtonTextRow{"R&D.txt", 0, 0, "R&&D.txt"}));

TEST_F(WindowArrangeTest, MouseSelectionUsesTheSecondPairOfStatusLayouts) {
    ctx->settings().frame.stsBar[32] = "MOUSE";
    newChild();
    load("one\r\ntwo\r\n");
    frame->refreshStatus();
    EXPECT_EQ(frame->statusPanes().layoutIndex(), 0);
    QTest::mousePress(pane().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(pane().viewport()->width() / 2, 5));
    frame->refreshStatus();
    EXPECT_EQ(frame->statusPanes().layoutIndex(), 2);
    QTest::mouseRelease(pane().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(pane().viewport()->width() / 2, 5));
    frame->refreshStatus();
    EXPECT_EQ(frame->statusPanes().layoutIndex(), 0);
}

TEST_F(WindowArrangeTest, ScrollingAllWindowsMovesEveryWindowByAsMuch) {
    std::string text;
    for (int i = 1; i <= 500; ++i) text += "line " + std::to_string(i) + "\r\n";
    CChildFrame* a = frame->openFile(writeFile("a.txt", text));
    CChildFrame* b = frame->openFile(writeFile("b.txt", text));
    settle();
    ASSERT_TRUE(frame->runCommand(cmd::kScrollAllWindows));
    EXPECT_TRUE(frame->commandState(cmd::kScrollAllWindows).checked);
    b->activePane().view().scrollTo(30, 0);
    EXPECT_EQ(a->activePane().view().topRow(), 30);
    a->activePane().view().scrollTo(10, 0);
    EXPECT_EQ(b->activePane().view().topRow(), 10);
    ASSERT_TRUE(frame->runCommand(cmd::kScrollAllWindows));
    b->activePane().view().scrollTo(50, 0);
    EXPECT_EQ(a->activePane().view().topRow(), 10);
}

// The file window lists the folder of FileWinPath through the chosen user
// filter, and a file activated there opens in the editor.
TEST_F(WindowArrangeTest, FileWindowShowsTheFolderAndOpensItsFiles) {
    writeFile("a.txt", "hello\r\n");
    writeFile("b.bin", "x");
    ctx->settings().frame.fileWinPath = dir.path().toStdString();
    ctx->settings().app.usrFileFilter = {"*.*", "*.txt", "", ""};
    ctx->settings().frame.fileWinFilter = 1;
    ASSERT_TRUE(frame->runCommand(cmd::kFileView));
    FileWindow* w = frame->fileWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(ctx->settings().frame.fileWinDisp, 1);
    EXPECT_EQ(w->folder(), dir.path());
    EXPECT_EQ(w->filterBox()->currentText(), QStringLiteral("*.txt"));

    // The model reads the folder in the background.
    QElapsedTimer clock;
    clock.start();
    QModelIndex found;
    while (!found.isValid() && clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QModelIndex root = w->tree()->rootIndex();
        for (int r = 0; r < w->model()->rowCount(root); ++r) {
            const QModelIndex i = w->model()->index(r, 0, root);
            if (w->model()->fileName(i) == QStringLiteral("a.txt") && !w->tree()->isRowHidden(r, root)) found = i;
        }
    }
    ASSERT_TRUE(found.isValid());
    emit w->tree()->activated(found);
    settle();
    ASSERT_NE(frame->activeChild(), nullptr);
    EXPECT_EQ(text(), "hello\r\n");

    ASSERT_TRUE(frame->runCommand(cmd::kFileView));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(ctx->settings().frame.fileWinDisp, 0);
}

}  // namespace
}  // namespace orvex::qt::test
