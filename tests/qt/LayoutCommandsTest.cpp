// The layout commands that touch every open document: the line length
// (33103) and tab stops (33104) dialogs of the main frame, wrapping at the
// window width (32967) and ModifyWinWidth.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>

#include "qt/dialogs/ColumnCountDialog.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class LayoutCommandsTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        first = newChild();
        load(std::string(100, 'a') + "\r\nb\tc");
        second = newChild();
        load(std::string(100, 'z'));
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
        settle();
    }
    // Answers the next column dialog: a number typed, the full-width box
    // set, OK.
    void answer(ModalScript& script, int typed, bool fullWidth = false, bool touch = true) {
        script.then([=](QWidget& w) {
            auto& d = dynamic_cast<ColumnCountDialog&>(w);
            d.fullWidthBox()->setChecked(fullWidth);
            if (touch) d.spinBox()->setValue(typed);
            d.accept();
        });
    }
    settings::ModeOptions& mode0() { return ctx->settings().editor.mode(0); }
    int32_t wrap(CChildFrame* c) { return c->document().doc().text().wrapWidth(); }

    CChildFrame* first = nullptr;
    CChildFrame* second = nullptr;
};

TEST_F(LayoutCommandsTest, LineLengthDialogRelaysEveryDocumentWithinTenToTwoThousand) {
    ASSERT_EQ(wrap(first), 80);
    ModalScript script;
    answer(script, 40);
    QTest::keyClick(&first->activePane(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(script.seen, QStringList{QStringLiteral("一行の文字数の変更")});
    EXPECT_EQ(mode0().lineMax, 40);
    EXPECT_EQ(wrap(first), 40);
    EXPECT_EQ(wrap(second), 40);
    // 100 letters: rows of 40, 40 and 20 with the line end.
    const TextStore& t = first->document().doc().text();
    EXPECT_EQ(t.rowOfLine(1), 3);
    EXPECT_EQ(second->document().doc().text().rowCount(), 3);

    struct Row {
        int typed;
        bool fullWidth;
        int stored;
    };
    for (const Row& r : {Row{5, false, 10}, Row{3000, false, 2000}, Row{30, true, 60}}) {
        answer(script, r.typed, r.fullWidth);
        frame->runCommand(cmd::kLineLength);
        EXPECT_EQ(mode0().lineMax, r.stored) << r.typed;
        EXPECT_EQ(wrap(second), r.stored) << r.typed;
        EXPECT_EQ(ctx->settings().editor.options.numByWchar, r.fullWidth ? 1 : 0);
    }
    // An odd length shown in full-width characters and left alone stays odd.
    mode0().lineMax = 81;
    answer(script, 0, true, false);
    frame->runCommand(cmd::kLineLength);
    EXPECT_EQ(mode0().lineMax, 81);
    // Cancel changes nothing.
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<ColumnCountDialog&>(w);
        d.spinBox()->setValue(12);
        d.reject();
    });
    frame->runCommand(cmd::kLineLength);
    EXPECT_EQ(mode0().lineMax, 81);
}

TEST_F(LayoutCommandsTest, TabStopsDialogStoresFourTimesTheColumns) {
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<ColumnCountDialog&>(w);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ﾀﾌﾞｽﾄｯﾌﾟの変更"));
        EXPECT_EQ(d.spinBox()->value(), 4);  // TabStops 16
        d.spinBox()->setValue(8);
        d.accept();
    });
    frame->runCommand(cmd::kTabStops);
    EXPECT_EQ(mode0().tabStops, 32);
    EXPECT_EQ(first->document().doc().text().tabWidth(), 8);
    EXPECT_EQ(second->document().doc().text().tabWidth(), 8);
    // "b<TAB>c": the tab runs to column 8.
    const TextStore& t = first->document().doc().text();
    EXPECT_EQ(t.row(t.rowOfLine(1)).width, 10);
    answer(script, 40);
    frame->runCommand(cmd::kTabStops);
    EXPECT_EQ(mode0().tabStops, 64);
}

TEST_F(LayoutCommandsTest, ModifyWinWidthResizesTheWindowToFitTheLines) {
    ctx->settings().editor.options.modifyWinWidth = 1;
    ModalScript script;
    answer(script, 50);
    frame->runCommand(cmd::kLineLength);
    settle();
    CLuViewWidget& p = first->activePane();
    EXPECT_EQ(p.viewport()->width(), p.viewportWidthFor(50));
    EXPECT_GE(p.view().visibleColumns(), 51);
}

TEST_F(LayoutCommandsTest, AutomaticWrapTogglesForTheModeAndRelaysOtherDocuments) {
    frame->runCommand(32967);
    EXPECT_EQ(mode0().adjCol, 1);
    EXPECT_TRUE(frame->commandState(32967).checked);
    settle();
    // Each document now wraps at the width of its own window: the active
    // one maximized, the other at the normal size it keeps behind it (the
    // two differ here).
    for (CChildFrame* c : {first, second}) {
        const int32_t columns = c->activePane().view().visibleColumns();
        EXPECT_NE(wrap(c), 80);
        EXPECT_LT(wrap(c), columns);
        EXPECT_GE(wrap(c), columns - 3);  // the partly visible column and the line-end mark
    }
    // Brought to the front, the other document takes the maximized window's
    // width and lays out again (100 letters and the line end); the first
    // goes behind at its normal size and follows it.
    const int32_t front = wrap(first), behind = wrap(second);
    ASSERT_NE(front, behind);
    frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(second->parentWidget()));
    settle();
    EXPECT_EQ(wrap(second), front);
    EXPECT_LT(wrap(first), front);
    EXPECT_EQ(second->document().doc().text().rowCount(), (100 + 1 + wrap(second) - 1) / wrap(second));
    frame->runCommand(32967);
    EXPECT_EQ(mode0().adjCol, 0);
    EXPECT_EQ(wrap(first), 80);
    EXPECT_EQ(wrap(second), 80);
}

}  // namespace
}  // namespace orvex::qt::test
