// Ruled-line mode on a view: the toggle, drags that draw lines and boxes
// (thin, thick with Shift, half-width with EKeisen), erasing with Shift,
// a plain release, one undo step, read-only documents and the outline.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"
#include "text/RuledLineCommands.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct RuledHarness : ViewHarness {
    explicit RuledHarness(std::string_view text, int32_t wrap = 80) : ViewHarness(text, wrap), ruled(*view) {
        state.ruledLineMode = true;
    }
    RuledLineCommands ruled;
};

}  // namespace

TEST(RuledLineMode, ToggleIsCheckedWhileOnAndSharedByEveryView) {
    ViewHarness h("abc");
    RuledLineCommands ruled(*h.view);
    CommandState s;
    ASSERT_TRUE(h.view->onUpdateCommand(cmd::kRuledLineMode, s));
    EXPECT_FALSE(s.checked);
    h.run({command(cmd::kRuledLineMode)});
    EXPECT_TRUE(h.state.ruledLineMode);
    h.view->onUpdateCommand(cmd::kRuledLineMode, s);
    EXPECT_TRUE(s.checked);
    // Off: a press selects as usual.
    h.run({command(cmd::kRuledLineMode), press(at(0, 0)), drag(at(0, 2)), release(at(0, 2))});
    EXPECT_EQ(h.marked(), "[ab|]c");
}

TEST(RuledLineDrag, CtrlReleaseDrawsABoxInOneUndoStep) {
    RuledHarness h("abcdefgh\r\n12345678\r\nxyz");
    h.run({press(at(0, 0)), drag(at(1, 3)), drag(at(2, 4)), release(at(2, 4, false, true))});
    EXPECT_EQ(h.text(), "┌─┐gh\r\n│34│78\r\n└─┘");
    EXPECT_EQ(h.cursor(), (TextPosition{0, 0, 0}));
    EXPECT_FALSE(h.view->hasSelection());
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcdefgh\r\n12345678\r\nxyz");
}

TEST(RuledLineDrag, LinesThenACrossingMakeJunctions) {
    RuledHarness h("\r\n\r\n\r\n");
    // A thin horizontal line on row 1, then a thick vertical one through it.
    h.run({press(at(1, 0)), release(at(1, 6, false, true))});
    EXPECT_EQ(h.text(), "\r\n────\r\n\r\n");
    h.run({press(at(0, 3)), release(at(2, 2, true, true))});
    EXPECT_EQ(h.text(), "  ┃\r\n─╂──\r\n  ┃\r\n");
}

TEST(RuledLineDrag, HalfWidthCharactersWithTheOption) {
    RuledHarness h("\r\n\r\n");
    h.options.globals.eKeisen = 1;
    h.run({press(at(0, 0)), release(at(1, 3, false, true))});
    EXPECT_EQ(h.text(), "+--+\r\n+--+\r\n");
}

TEST(RuledLineDrag, ShiftReleaseErasesTheOutline) {
    RuledHarness h("┌─┐\r\n│ab│\r\n└─┘");
    h.run({press(at(0, 0)), release(at(2, 4, true))});
    EXPECT_EQ(h.text(), "      \r\n  ab  \r\n      ");
}

TEST(RuledLineDrag, PlainReleaseOnlyPlacesTheCaret) {
    RuledHarness h("abcdef\r\nghijkl");
    h.run({press(at(0, 1)), drag(at(1, 3)), release(at(1, 3))});
    EXPECT_EQ(h.text(), "abcdef\r\nghijkl");
    EXPECT_EQ(h.cursor(), (TextPosition{1, 3, 3}));
    EXPECT_FALSE(h.view->hasSelection());
}

TEST(RuledLineDrag, ColumnsBeyondTheWrapWidthAreClampedAndRowsToTheText) {
    RuledHarness h("ab", 10);
    h.run({press(at(0, 30)), release(at(5, 30, false, true))});
    // Column at most wrap width - 2 = 8; the only row is the text's.
    EXPECT_EQ(h.text(), "ab      ─");
}

TEST(RuledLineDrag, ReadOnlyDocumentIsLeftAlone) {
    RuledHarness h("abcd");
    h.doc.setReadOnly(true);
    h.doc.setEditSettings(EditSettings{false, true, true});
    h.run({press(at(0, 0)), release(at(0, 2, false, true))});
    EXPECT_EQ(h.text(), "abcd");
}

TEST(RuledLineDrag, OutlineFollowsTheDragAndGoesAtTheRelease) {
    RuledHarness h("abcdef\r\nghijkl\r\nmnopqr");
    EXPECT_FALSE(h.ruled.dragOutline());
    h.run({press(at(0, 1)), drag(at(0, 5))});
    ASSERT_TRUE(h.ruled.dragOutline());
    EXPECT_EQ(h.ruled.dragOutline()->kind, DragOutline::Kind::HorizontalLine);
    EXPECT_EQ(h.ruled.dragOutline()->leftColumn, 0);
    EXPECT_EQ(h.ruled.dragOutline()->rightColumn, 6);
    h.run({drag(at(2, 1))});
    EXPECT_EQ(h.ruled.dragOutline()->kind, DragOutline::Kind::VerticalLine);
    EXPECT_EQ(h.ruled.dragOutline()->bottomRow, 3);
    h.run({drag(at(2, 4))});
    EXPECT_EQ(h.ruled.dragOutline()->kind, DragOutline::Kind::Box);
    h.run({release(at(2, 4))});
    EXPECT_FALSE(h.ruled.dragOutline());
}

TEST(RuledLineDrag, WrappedRowsKeepTheirSoftBreaks) {
    // A row that wraps has no line end of its own: only the rows' contents
    // change.
    RuledHarness h("abcdefghijklmno", 10);
    ASSERT_EQ(h.doc.text().rowCount(), 2);
    h.run({press(at(0, 0)), release(at(1, 2, false, true))});
    EXPECT_EQ(h.text(), "┌┐efghij└┘o");
}
