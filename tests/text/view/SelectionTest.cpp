// The selection updates (clear, extend, settle, set range), box selections
// and what they hold, and the mirror into the other pane of a window.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

TEST(SelectionUpdate, ClearPutsEverythingAtTheCursor) {
    ViewHarness h("a[bc]d");
    h.view->placeCursor(0, 1);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
    EXPECT_FALSE(h.view->hasSelection());
    EXPECT_EQ(h.view->anchorStart(), h.cursor());
    EXPECT_EQ(h.view->anchorEnd(), h.cursor());
}

TEST(SelectionUpdate, SetRangeMakesAnAnchorRangeWithTheCursorAtItsStart) {
    ViewHarness h("abcdef");
    h.view->placeCursor(0, 4);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
    h.view->placeCursor(0, 1);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::SetRange);
    EXPECT_EQ(h.view->anchorStart().byteColumn, 1);
    EXPECT_EQ(h.view->anchorEnd().byteColumn, 4);
    EXPECT_EQ(h.view->movingEnd().byteColumn, 4);
    EXPECT_EQ(h.cursor().byteColumn, 1);
    EXPECT_EQ(h.marked(), "a[|bcd]ef");
}

TEST(SelectionUpdate, ExtendingFromAWordKeepsTheWholeWord) {
    ViewHarness h("one tw|o three");
    h.run({command(cmd::kSelectWord)});
    EXPECT_EQ(h.marked(), "one [|two] three");
    // Inside the range the moving end stays at the range's end.
    h.view->placeCursor(0, 5);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Extend);
    EXPECT_EQ(h.marked(), "one [t|wo] three");
    // Beyond it the selection runs from the word's start to the cursor...
    h.view->placeCursor(0, 10);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Extend);
    EXPECT_EQ(h.marked(), "one [two th|]ree");
    // ...and before it from the cursor to the word's end.
    h.view->placeCursor(0, 1);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Extend);
    EXPECT_EQ(h.marked(), "o[|ne two] three");
}

TEST(SelectionUpdate, SettleTurnsTheRangeIntoAPlainAnchor) {
    ViewHarness h("one tw|o three");
    h.run({command(cmd::kSelectWord)});
    h.view->placeCursor(0, 1);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Extend);
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Settle);
    EXPECT_EQ(h.marked(), "o[|ne two] three");
    EXPECT_EQ(h.view->anchorStart(), h.view->anchorEnd());
    EXPECT_EQ(h.view->anchorStart().byteColumn, 7);
    // A plain anchor extends from the far end of the word now.
    h.run({key(vk::kShift), key(vk::kLeft), keyUp(vk::kShift)});
    EXPECT_EQ(h.marked(), "[|one two] three");
}

TEST(SelectionUpdate, SettleInsideTheRangeKeepsTheRange) {
    ViewHarness h("one tw|o three");
    h.run({command(cmd::kSelectWord)});
    h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Settle);
    EXPECT_EQ(h.marked(), "one [two|] three");
}

TEST(SelectionUpdate, EndingASelectionReturnsBoxModeToItsSetting) {
    ViewHarness h("abc\r\ndef");
    h.run({command(cmd::kBoxMode)});
    EXPECT_TRUE(h.state.boxMode);
    // A move without a selection keeps the mode for the selection to come.
    h.run({key(vk::kRight)});
    EXPECT_TRUE(h.state.boxMode);
    h.run({key(vk::kShift), key(vk::kDown), keyUp(vk::kShift), key(vk::kRight)});
    EXPECT_FALSE(h.state.boxMode);
    h.options.globals.boxSel = 1;
    h.run({key(vk::kShift), key(vk::kUp), keyUp(vk::kShift), key(vk::kRight)});
    EXPECT_TRUE(h.state.boxMode);
}

class Box : public ::testing::Test {
protected:
    Box() : h("abcdef\r\nab\r\n漢字かな\r\nabcdefgh") {
        h.state.boxMode = true;
        h.view->placeCursor(0, 1);
        h.view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
        h.state.boxMode = true;
        h.run({key(vk::kShift), key(vk::kDown, 3), key(vk::kRight, 3), keyUp(vk::kShift)});
    }
    ViewHarness h;
};

TEST_F(Box, IsTheRectangleBetweenTheColumns) {
    const BoxRect b = h.view->boxRect();
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.bottom, 3);
    EXPECT_EQ(b.left, 1);
    EXPECT_EQ(b.right, 4);
}

TEST_F(Box, TextTakesWholeCharactersStartingInsideTheColumns) {
    // Row 2: 漢 starts at column 0 (outside), 字 at 2 (inside).
    EXPECT_EQ(utf8(h.view->selectedText()), "bcd\r\nb\r\n字\r\nbcd");
}

TEST_F(Box, CopyMarksTheClipboardAsARectangle) {
    h.run({command(cmd::kCopy)});
    EXPECT_TRUE(h.fake.clipboard.isRectangle());
    EXPECT_EQ(utf8(*h.fake.clipboard.text()), "bcd\r\nb\r\n字\r\nbcd");
}

TEST_F(Box, DeleteRemovesTheRectangleAsOneUndoStep) {
    h.run({key(vk::kDelete)});
    EXPECT_EQ(h.text(), "aef\r\na\r\n漢かな\r\naefgh");
    EXPECT_EQ(h.cursor(), (TextPosition{0, 1, 1}));
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcdef\r\nab\r\n漢字かな\r\nabcdefgh");
}

TEST_F(Box, TypingReplacesTheRectangle) {
    h.run({chars("X")});
    EXPECT_EQ(h.text(), "aXef\r\na\r\n漢かな\r\naefgh");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcdef\r\nab\r\n漢字かな\r\nabcdefgh");
}

TEST_F(Box, LeftCollapsesToTheStartAndRightToTheBottomRightCorner) {
    ViewHarness& v = h;
    v.state.selectionMode = false;
    v.run({key(vk::kRight)});
    EXPECT_EQ(v.cursor(), (TextPosition{3, 4, 4}));
}

TEST(BoxFlag, AltDragSelectsARectangleWhileBoxModeIsOff) {
    ViewHarness h("abcdef\r\nabcdef");
    h.run({press(at(0, 1, false, false, true)), drag(at(1, 3, false, false, true)), release(at(1, 3))});
    EXPECT_TRUE(h.view->viewBoxMode());
    EXPECT_FALSE(h.state.boxMode);
    EXPECT_EQ(h.view->selectedText(), "bc\r\nbc");
    h.run({press(at(0, 0)), release(at(0, 0))});
    EXPECT_FALSE(h.view->viewBoxMode());
}

TEST(Panes, TheSelectionIsMirroredIntoTheOtherPane) {
    ViewHarness h("abc\r\ndef");
    CLuView other(h.doc, h.view->context());
    h.view->setSiblingPane(&other);
    EXPECT_EQ(other.siblingPane(), h.view.get());
    h.run({command(cmd::kSelectAll)});
    EXPECT_TRUE(other.hasSelection());
    EXPECT_EQ(other.selectionEnd(), h.view->selectionEnd());
    h.run({key(vk::kLeft)});
    EXPECT_FALSE(other.hasSelection());
}

TEST(Panes, APaneThatGoesAwayIsForgotten) {
    ViewHarness h("abc");
    {
        CLuView other(h.doc, h.view->context());
        h.view->setSiblingPane(&other);
    }
    EXPECT_EQ(h.view->siblingPane(), nullptr);
    h.run({command(cmd::kSelectAll)});
    EXPECT_TRUE(h.view->hasSelection());
}

TEST(Panes, AViewOfAnotherDocumentIsNoPane) {
    ViewHarness a("abc"), b("def");
    a.view->setSiblingPane(b.view.get());
    EXPECT_EQ(a.view->siblingPane(), nullptr);
}

TEST(Relayout, CursorAndSelectionKeepTheirPlaceInTheText) {
    ViewHarness h("abcdefghijklmnopqrstuvwxyz0123456789\r\nx", 80);
    h.view->selectRange(12, 30);
    h.view->applyWrapWidth(10);
    EXPECT_GT(h.doc.text().rowCount(), 3);
    EXPECT_EQ(h.view->selectionStartOffset(), 12);
    EXPECT_EQ(h.view->selectionEndOffset(), 30);
    EXPECT_EQ(nav::offsetOf(h.doc.text(), h.cursor()), 30);
}

TEST(Relayout, TheOtherViewKeepsItsPlaceToo) {
    ViewHarness h("abcdefghijklmnopqrstuvwxyz0123456789\r\nx", 80);
    CLuView other(h.doc, h.view->context());
    other.placeCursorAtOffset(25);
    other.updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
    h.view->applyWrapWidth(10);
    EXPECT_EQ(nav::offsetOf(h.doc.text(), other.cursor()), 25);
    EXPECT_EQ(other.cursor().row, 2);
}

}  // namespace
