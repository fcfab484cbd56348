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
