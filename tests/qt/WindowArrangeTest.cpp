// Re-laying out the document windows (tile, cascade, maximise, restore,
// resize, split) keeps the caret, the status bar and the visible rows in
// agreement; cascaded windows get a useful size.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "qt/mainframe/StatusPanes.h"
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
