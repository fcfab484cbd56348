// Mouse handling in rows and columns: clicks, Shift-clicks, margin clicks,
// dragging with auto-scroll, double-clicks with their jumps, drag and drop
// of the selection and the context menu.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

TEST(Click, PlacesTheCursorAndClearsTheSelection) {
    ViewHarness h("a[bc]d\r\nefgh");
    h.run({press(at(1, 2)), release(at(1, 2))});
    EXPECT_EQ(h.marked(), "abcd\r\nef|gh");
    EXPECT_FALSE(h.host.captured);
    EXPECT_EQ(h.host.compositionsFinished, 1);
}

TEST(Click, BelowTheLastRowGoesToTheLastRow) {
    ViewHarness h("ab\r\ncdef");
    h.run({press(at(7, 2)), release(at(7, 2))});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 2, 2}));
}

TEST(Click, BeyondTheRowEndGoesToTheEndUnlessTheFreeCursorIsOn) {
    ViewHarness h("ab\r\ncd");
    h.run({press(at(0, 6)), release(at(0, 6))});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 2, 2}));
    h.options.modes.freeCurs = 1;
    h.run({press(at(0, 6)), release(at(0, 6))});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 6, 6}));
}

TEST(Click, ShiftClickExtends) {
    ViewHarness h("ab|cdef");
    h.run({press(at(0, 5, true)), release(at(0, 5, true))});
    EXPECT_EQ(h.marked(), "ab[cde|]f");
    EXPECT_TRUE(h.state.selectionMode);
}

TEST(Click, IgnoredWhileAKeyMacroRecords) {
    ViewHarness h("ab|cd");
    h.macro.slot = 1;
    h.run({press(at(0, 0)), release(at(0, 0))});
    EXPECT_EQ(h.lastPress, MousePress::Ignored);
    EXPECT_EQ(h.marked(), "ab|cd");
    EXPECT_TRUE(h.macro.words.empty());
}

TEST(Drag, ExtendsTheSelection) {
    ViewHarness h("abcdef\r\nghijkl");
    h.run({press(at(0, 2)), drag(at(0, 4)), drag(at(1, 1)), release(at(1, 1))});
    EXPECT_EQ(h.marked(), "ab[cdef\r\ng|]hijkl");
}

TEST(Drag, BelowTheLastRowReachesItsEnd) {
    ViewHarness h("abcdef\r\nghijkl");
    h.run({press(at(0, 2)), drag(at(3, 1)), release(at(3, 1))});
    EXPECT_EQ(h.marked(), "ab[cdef\r\nghijkl|]");
}

TEST(Drag, OutsideTheViewScrollsEvery100Milliseconds) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "row\r\n";
    ViewHarness h(text);
    h.view->setViewport(10, 10, 80);
    h.run({press(at(2, 1)), drag(at(12, 1))});
    ASSERT_TRUE(h.view->autoScrolling());
    EXPECT_EQ(h.cursor().row, 9);
    h.fake.timers.advance(100);
    EXPECT_EQ(h.view->topRow(), 1);
    EXPECT_EQ(h.cursor().row, 10);
    h.fake.timers.advance(300);
    EXPECT_EQ(h.view->topRow(), 4);
    EXPECT_EQ(h.cursor().row, 13);
    // Back inside: the timer stops; releasing ends everything.
    h.run({drag(at(8, 1))});
    EXPECT_FALSE(h.view->autoScrolling());
    h.run({drag(at(20, 1)), release(at(20, 1))});
    EXPECT_FALSE(h.view->autoScrolling());
    EXPECT_EQ(h.fake.timers.count(), 0u);
    EXPECT_EQ(h.view->selectionStart().row, 2);
}

TEST(Margin, ClickSelectsTheWholeLineAndDragGrowsByRows) {
    ViewHarness h("ab\r\ncd\r\nef\r\ngh");
    h.run({press(inMargin(1))});
    EXPECT_EQ(h.marked(), "ab\r\n[|cd\r\n]ef\r\ngh");
    h.run({drag(inMargin(2)), release(inMargin(2))});
    EXPECT_EQ(h.marked(), "ab\r\n[cd\r\nef\r\n|]gh");
}

TEST(Margin, DragUpwardsKeepsTheFirstLine) {
    ViewHarness h("ab\r\ncd\r\nef\r\ngh");
    h.run({press(inMargin(2)), drag(inMargin(0)), release(inMargin(0))});
    EXPECT_EQ(h.marked(), "[|ab\r\ncd\r\nef\r\n]gh");
}

TEST(Margin, DragFromTheTextIntoTheMarginGrowsByRows) {
    ViewHarness h("ab\r\ncd\r\nef\r\ngh");
    // Downwards the row under the pointer is taken whole.
    h.run({press(at(0, 1)), drag(inMargin(2))});
    EXPECT_EQ(h.marked(), "a[b\r\ncd\r\nef\r\n|]gh");
    // Back in the text the selection follows the column again.
    h.run({drag(at(1, 1))});
    EXPECT_EQ(h.marked(), "a[b\r\nc|]d\r\nef\r\ngh");
    // On the last row the whole row is its end.
    h.run({drag(inMargin(3)), release(inMargin(3))});
    EXPECT_EQ(h.marked(), "a[b\r\ncd\r\nef\r\ngh|]");
}

TEST(Margin, DragFromTheTextUpwardsIntoTheMarginStartsAtTheRowStart) {
    ViewHarness h("ab\r\ncd\r\nef\r\ngh");
    h.run({press(at(2, 1)), drag(inMargin(0)), release(inMargin(0))});
    EXPECT_EQ(h.marked(), "[|ab\r\ncd\r\ne]f\r\ngh");
}

TEST(Margin, ShiftClickExtendsByWholeLines) {
    ViewHarness h("ab\r\ncd\r\nef\r\ngh");
    h.run({press(inMargin(0)), release(inMargin(0)), press(inMargin(2, true)), release(inMargin(2, true))});
    EXPECT_EQ(h.marked(), "[ab\r\ncd\r\nef\r\n|]gh");
}

TEST(DoubleClick, SelectsTheWordAndDragExtendsByWords) {
    ViewHarness h("one two three");
    h.run({press(at(0, 5)), release(at(0, 5)), doubleClick(at(0, 5))});
    EXPECT_EQ(h.marked(), "one [|two] three");
    EXPECT_EQ(h.hooks.urlJumps, 1);
    EXPECT_EQ(h.hooks.tagJumps, 0);
    h.run({drag(at(0, 1)), release(at(0, 1))});
    EXPECT_EQ(h.marked(), "o[|ne two] three");
}

TEST(DoubleClick, BeyondTheRowEndOnlyPlacesTheCursor) {
    ViewHarness h("one\r\ntwo");
    h.run({doubleClick(at(0, 9)), release(at(0, 9))});
    EXPECT_EQ(h.marked(), "one|\r\ntwo");
}

TEST(DoubleClick, UrlJumpTakesTheClick) {
    ViewHarness h("see http://x.y/ here");
    h.hooks.takeUrlJump = true;
    h.run({doubleClick(at(0, 6)), release(at(0, 6))});
    EXPECT_FALSE(h.view->hasSelection());
}

TEST(DoubleClick, InATagFileTheTagJumpRunsFirst) {
    LayoutOptions lo;
    lo.tagFile = true;
    ViewHarness h("a.c(3): x", 80, lo);
    h.hooks.takeTagJump = true;
    h.run({doubleClick(at(0, 1)), release(at(0, 1))});
    EXPECT_EQ(h.hooks.tagJumps, 1);
    EXPECT_EQ(h.hooks.urlJumps, 0);
    EXPECT_FALSE(h.view->hasSelection());
}

TEST(DoubleClick, ShiftSetsSelectionMode) {
    ViewHarness h("one two");
    h.run({doubleClick(at(0, 1, true)), release(at(0, 1))});
    EXPECT_TRUE(h.state.selectionMode);
}

TEST(DragAndDrop, PressInsideTheSelectionWaitsForADrag) {
    ViewHarness h("a[bcd]e");
    h.run({press(at(0, 2))});
    EXPECT_EQ(h.lastPress, MousePress::DragPending);
    // Released without dragging: a plain click.
    h.run({release(at(0, 2))});
    EXPECT_EQ(h.marked(), "ab|cde");
}

TEST(DragAndDrop, MoveWithinTheViewIsOneUndoStep) {
    ViewHarness h("a[bc]def");
    h.run({press(at(0, 2))});
    const std::string dragged = h.view->beginDrag();
    EXPECT_EQ(dragged, "bc");
    h.view->dropText(at(0, 5), dragged, true);
    h.view->endDrag(false);
    EXPECT_EQ(h.marked(), "ade[bc|]f");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcdef");
    h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.text(), "adebcf");
}

TEST(DragAndDrop, MoveBackwardsWithinTheView) {
    ViewHarness h("abcd[ef]g");
    h.run({press(at(0, 5))});
    h.view->dropText(at(0, 1), h.view->beginDrag(), true);
    h.view->endDrag(false);
    EXPECT_EQ(h.marked(), "a[ef|]bcdg");
}

TEST(DragAndDrop, DropOntoItselfChangesNothing) {
    ViewHarness h("a[bcd]e");
    h.run({press(at(0, 2))});
    h.view->dropText(at(0, 3), h.view->beginDrag(), true);
    h.view->endDrag(false);
    EXPECT_EQ(h.text(), "abcde");
    EXPECT_FALSE(h.doc.isModified());
}

TEST(DragAndDrop, MoveElsewhereDeletesTheSource) {
    ViewHarness h("a[bc]d");
    h.run({press(at(0, 2))});
    h.view->beginDrag();
    h.view->endDrag(true);
    EXPECT_EQ(h.text(), "ad");
}

TEST(DragAndDrop, MoveOfASourceReachingIntoAnInsertionGapMovesOnlyWhatWasRemoved) {
    // A selection over "ab", the line end and the indent of the next line,
    // and then the gap is marked open over that line end and indent (set
    // on the store directly: the view's own commands keep selections out
    // of a gap). The deletion stops where the gap begins, so only "ab" may
    // arrive at the drop point; the gap's bytes must not be copied.
    ViewHarness h("one\r\n  [ab\r\n    ]cd\r\nlast");
    h.doc.text().openInsertionGap(9, 6);
    ASSERT_EQ(h.view->selectionEndOffset(), 15);
    h.run({press(at(1, 3))});
    ASSERT_EQ(h.lastPress, MousePress::DragPending);
    const std::string dragged = h.view->beginDrag();
    EXPECT_EQ(dragged, "ab\r\n    ");
    h.view->dropText(at(0, 1), dragged, true);
    h.view->endDrag(false);
    EXPECT_EQ(h.marked(), "o[ab|]ne\r\n  \r\n    cd\r\nlast");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "one\r\n  ab\r\n    cd\r\nlast");
}

// A box (Alt-drag) over rows 0-1, columns 1-3 of "abcd / efgh / ijkl", then
// a press inside it that waits for a drag.
class BoxDragAndDrop : public ::testing::Test {
protected:
    BoxDragAndDrop() : h("abcd\r\nefgh\r\nijkl") {}
    std::string startDrag(int32_t right = 3) {
        h.run({press(at(0, 1, false, false, true)), drag(at(1, right)), release(at(1, right))});
        EXPECT_TRUE(h.view->boxSelection());
        h.run({press(at(0, 1))});
        EXPECT_EQ(h.lastPress, MousePress::DragPending);
        return h.view->beginDrag();
    }
    ViewHarness h;
};

TEST_F(BoxDragAndDrop, MoveGoesInAsARectangleAndIsOneUndoStep) {
    const std::string dragged = startDrag();
    EXPECT_EQ(dragged, "bc\r\nfg");
    h.view->dropText(at(2, 2), dragged, true);
    h.view->endDrag(false);
    EXPECT_EQ(h.text(), "ad\r\neh\r\nijbckl\r\n  fg");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd\r\nefgh\r\nijkl");
    h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.text(), "ad\r\neh\r\nijbckl\r\n  fg");
}

TEST_F(BoxDragAndDrop, DropRightOfTheBoxOnItsRowsFollowsTheText) {
    // The drop point (before "d") moves left with the removed part of its
    // row; the second row of the rectangle goes into the next line.
    const std::string dragged = startDrag(2);
    EXPECT_EQ(dragged, "b\r\nf");
    h.view->dropText(at(0, 3), dragged, true);
    h.view->endDrag(false);
    EXPECT_EQ(h.text(), "acbd\r\negfh\r\nijkl");
}

TEST_F(BoxDragAndDrop, DropOntoItselfChangesNothing) {
    h.view->dropText(at(1, 2), startDrag(), true);
    h.view->endDrag(false);
    EXPECT_EQ(h.text(), "abcd\r\nefgh\r\nijkl");
    EXPECT_FALSE(h.doc.isModified());
}

TEST(DragAndDrop, TextFromOutsideIsInsertedAndSelected) {
    ViewHarness h("abc");
    h.view->dropText(at(0, 1), sj("漢"), false);
    EXPECT_EQ(h.marked(), "a[漢|]bc");
}

TEST(ContextMenu, OpensOnButtonUpByDefault) {
    ViewHarness h("abc");
    h.state.selectionMode = true;
    h.run({rightDown(at(0, 1))});
    EXPECT_TRUE(h.host.menus.empty());
    h.run({rightUp(at(0, 1))});
    ASSERT_EQ(h.host.menus.size(), 1u);
    EXPECT_FALSE(h.state.selectionMode);
}

TEST(ContextMenu, OpensOnButtonDownWithRBtnUpDown) {
    ViewHarness h("abc");
    h.options.globals.rBtnUpDown = 1;
    h.run({rightDown(at(0, 1))});
    EXPECT_EQ(h.host.menus.size(), 1u);
    h.run({rightUp(at(0, 1))});
    EXPECT_EQ(h.host.menus.size(), 1u);
}

TEST(ContextMenu, NotWithAnotherButtonHeld) {
    ViewHarness h("abc");
    h.view->rightButtonUp(at(0, 1), true);
    EXPECT_TRUE(h.host.menus.empty());
}

}  // namespace
