// Page, fraction and row scrolling, and keeping the caret in sight.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

class Scrolling : public ::testing::Test {
protected:
    Scrolling() {
        std::string text;
        for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "\r\n";
        h.load(text);
        h.view->setViewport(21, 20, 80);
    }
    ViewHarness h;
};

TEST_F(Scrolling, PageDownScrollsAndMovesTheCursorByAPage) {
    h.run({command(cmd::kPageDown)});
    EXPECT_EQ(h.view->topRow(), 20);
    EXPECT_EQ(h.cursor().row, 20);
    h.run({command(cmd::kPageUp)});
    EXPECT_EQ(h.view->topRow(), 0);
    EXPECT_EQ(h.cursor().row, 0);
}

TEST_F(Scrolling, PageUpAtTheTopMovesOnlyTheCursor) {
    h.view->placeCursor(15, 0);
    h.run({command(cmd::kPageUp)});
    EXPECT_EQ(h.view->topRow(), 0);
    EXPECT_EQ(h.cursor().row, 0);  // 15 - (20 - 1), at least row 0
}

TEST_F(Scrolling, ScrlHalfDecidesHowFarTheCursorMovesAtTheEdge) {
    h.run({command(cmd::kFileBottom)});
    const int32_t last = h.cursor().row;
    const int32_t top = h.view->topRow();
    h.options.globals.scrlHalf = 1;
    // The view no longer scrolls down: the cursor goes half a page up when
    // paging up is impossible, so page up from row 5 shows it.
    h.view->scrollTo(0, 0);
    h.view->placeCursor(12, 0);
    h.run({command(cmd::kPageUp)});
    EXPECT_EQ(h.cursor().row, 2);
    h.options.globals.scrlHalf = 2;
    h.view->placeCursor(12, 0);
    h.run({command(cmd::kPageUp)});
    EXPECT_EQ(h.cursor().row, 0);  // 12 - (20 - 1 - 1)
    EXPECT_GT(last, top);
}

TEST_F(Scrolling, PageDownStopsScrollingNearTheEnd) {
    for (int i = 0; i < 30; ++i) h.run({command(cmd::kPageDown)});
    const int32_t last = h.doc.text().rowCount() - 1;
    EXPECT_LE(h.view->topRow(), last - 1);
    EXPECT_EQ(h.cursor().row, last);
}

TEST_F(Scrolling, HeldKeyWith41RepeatsPagesFourTimes) {
    h.options.globals.keySpdUp = 1;
    h.run({key(vk::kNext)});
    for (int i = 0; i < 40; ++i) h.view->noteKeyPress(vk::kNext, true);
    EXPECT_EQ(h.view->heldKeyCount(), 40);
    h.view->noteKeyPress(vk::kNext, true);
    const int32_t before = h.cursor().row;
    h.run({command(cmd::kPageDown)});
    EXPECT_EQ(h.cursor().row - before, 80);
}

TEST_F(Scrolling, HeldPageDownKeyUsesTheSameCount) {
    h.options.globals.keySpdUp = 1;
    h.run({key(vk::kNext)});
    for (int i = 0; i < 11; ++i) h.run({key(vk::kNext, 1, true)});
    // 1 page, then 10 single pages, then a double page on the 11th repeat.
    EXPECT_EQ(h.cursor().row, 20 * 13);
}

TEST_F(Scrolling, FractionsAndRows) {
    h.run({command(cmd::kHalfPageDown)});
    EXPECT_EQ(h.view->topRow(), 10);
    h.run({command(cmd::kQuarterPageDown)});
    EXPECT_EQ(h.view->topRow(), 15);
    h.run({command(cmd::kEighthPageDown)});
    EXPECT_EQ(h.view->topRow(), 17);
    h.run({command(cmd::kRowScrollDown)});
    EXPECT_EQ(h.view->topRow(), 18);
    EXPECT_EQ(h.cursor().row, 18);
    h.run({command(cmd::kRowScrollUp), command(cmd::kHalfPageUp)});
    EXPECT_EQ(h.view->topRow(), 7);
}

TEST_F(Scrolling, PageUpDown2CentresTheCursorFirst) {
    h.options.globals.pageUpDown2 = 1;
    h.view->placeCursor(15, 0);
    h.run({command(cmd::kPageDown)});
    EXPECT_EQ(h.view->topRow(), 5);
    EXPECT_EQ(h.cursor().row, 15);
    // Now in the middle: the next page down pages.
    h.run({command(cmd::kPageDown)});
    EXPECT_EQ(h.view->topRow(), 25);
    EXPECT_EQ(h.cursor().row, 35);
}

TEST_F(Scrolling, SelectPageDownExtends) {
    h.view->placeCursor(3, 2);
    h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.run({command(cmd::kSelectPageDown)});
    EXPECT_TRUE(h.view->hasSelection());
    EXPECT_EQ(h.view->selectionStart().row, 3);
    EXPECT_EQ(h.view->selectionEnd().row, 23);
}

TEST_F(Scrolling, CursorMovesKeepAMarginFromTheEdges) {
    for (int i = 0; i < 19; ++i) h.run({key(vk::kDown)});
    // Row 19 is the last fully visible row; the margin of one row scrolls.
    EXPECT_EQ(h.view->topRow(), 1);
    h.run({command(cmd::kFileTop)});
    EXPECT_EQ(h.view->topRow(), 0);
}

TEST_F(Scrolling, GoToLineCentresTheRow) {
    h.host.lineNumbers.push_back(101);
    h.run({command(cmd::kGoToLine)});
    EXPECT_EQ(h.cursor().row, 100);
    EXPECT_EQ(h.view->topRow(), 90);
}

TEST(HorizontalScrolling, FollowsTheCaretInSteps) {
    ViewHarness h("|" + std::string(300, 'x'), 1000);
    h.view->setViewport(10, 10, 80);
    h.run({command(cmd::kEnd)});
    EXPECT_EQ(h.cursor().displayColumn, 300);
    // Step 8, margin 1: 300 - 80 + 1 + 8 + 1.
    EXPECT_EQ(h.view->leftColumn(), 230);
    h.run({command(cmd::kHome)});
    EXPECT_EQ(h.view->leftColumn(), 0);
    EXPECT_EQ(h.host.scrolledColumns, 0);
}

TEST(HorizontalScrolling, RulerPitchRoundsThePosition) {
    ViewHarness h("|" + std::string(300, 'x'), 1000);
    h.view->setViewport(10, 10, 80);
    h.options.globals.rulaPitch = 4;
    h.run({command(cmd::kEnd)});
    EXPECT_EQ(h.view->leftColumn(), 232);
}

TEST(HorizontalScrolling, RulerPitchNeverLeavesTheCaretOutsideTheView) {
    // Ten columns, step 2, margin 1: the caret at column 19 asks for a first
    // column of 13; rounded up to the pitch (20) the caret would be off
    // screen, so the view rounds down to 10 instead.
    ViewHarness h("|" + std::string(300, 'x'), 1000);
    h.view->setViewport(10, 10, 10);
    h.options.globals.rulaPitch = 10;
    h.view->moveTo(0, 19);
    EXPECT_EQ(h.cursor().displayColumn, 19);
    EXPECT_EQ(h.view->leftColumn(), 10);
    h.view->moveTo(0, 0);
    EXPECT_EQ(h.view->leftColumn(), 0);
}

}  // namespace
