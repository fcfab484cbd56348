// Keeping the caret visible, scroll bars, the mouse wheel.
#include <gtest/gtest.h>

#include "display/ScrollRules.h"

namespace orvex {
namespace {

TEST(ScrollRules, HorizontalStep) {
    const int32_t cases[][2] = {{1, 1}, {4, 1}, {5, 1}, {8, 2}, {20, 5}, {32, 8}, {35, 8}, {36, 8}, {200, 8}};
    for (const auto& c : cases) EXPECT_EQ(horizontalStep(c[0]), c[1]) << c[0];
}

TEST(ScrollRules, Margins) {
    EXPECT_EQ(horizontalMargin({1, 1, false}, 80), 1);
    EXPECT_EQ(horizontalMargin({30, 1, false}, 80), 20);
    EXPECT_EQ(horizontalMargin({5, 1, true}, 80), 0);
    EXPECT_EQ(horizontalMargin({-3, 1, false}, 80), 0);
    EXPECT_EQ(horizontalMargin({1, 1, false}, 3), 0);
    EXPECT_EQ(verticalMargin({1, 1, false}, 30), 1);
    EXPECT_EQ(verticalMargin({20, 1, false}, 30), 14);
    EXPECT_EQ(verticalMargin({2, 1, false}, 3), 0);
    EXPECT_EQ(verticalMargin({2, 1, false}, 1), 0);
    EXPECT_EQ(verticalMargin({-1, 1, false}, 30), 0);
}

class KeepVisible : public ::testing::Test {
protected:
    ScrollPosition keep(int32_t row, int32_t column, bool centre = false) {
        return keepCaretVisible(view, row, column, settings, centre);
    }
    Viewport view{0, 0, 80, 30, 1000};
    ScrollSettings settings{1, 1, false};
};

TEST_F(KeepVisible, NothingMovesInsideTheMargins) {
    EXPECT_EQ(keep(10, 10), (ScrollPosition{0, 0}));
    EXPECT_EQ(keep(28, 78), (ScrollPosition{0, 0}));
}

TEST_F(KeepVisible, RowsKeepTheMarginFromTheEdges) {
    EXPECT_EQ(keep(29, 0).topRow, 1);
    EXPECT_EQ(keep(40, 0).topRow, 12);
    view.topRow = 50;
    EXPECT_EQ(keep(50, 0).topRow, 49);
    EXPECT_EQ(keep(10, 0).topRow, 9);
    EXPECT_EQ(keep(0, 0).topRow, 0);
    settings.scrlMrgn = 0;
    EXPECT_EQ(keep(50, 0).topRow, 50);
    EXPECT_EQ(keep(79, 0).topRow, 50);
    EXPECT_EQ(keep(80, 0).topRow, 51);
}

TEST_F(KeepVisible, ScrollModeTwoCentresTheCaretRow) {
    EXPECT_EQ(keep(100, 0, true).topRow, 85);
    EXPECT_EQ(keep(10, 0, true).topRow, 0);  // no scroll needed: nothing moves
    view.topRow = 50;
    EXPECT_EQ(keep(5, 0, true).topRow, 0);
    EXPECT_EQ(keep(999, 0, true).topRow, 984);
}

TEST_F(KeepVisible, TheTopRowNeverPassesTheLastRow) {
    view.availableRows = 10;
    view.fullRows = 30;
    view.topRow = 0;
    EXPECT_EQ(keep(9, 0).topRow, 0);
    view.topRow = 40;  // left over from a longer text
    EXPECT_EQ(keep(9, 0).topRow, 8);
}

TEST_F(KeepVisible, ColumnsStepRightAndBackToAMultipleOfTheStep) {
    EXPECT_EQ(keep(0, 78).leftColumn, 0);
    EXPECT_EQ(keep(0, 79).leftColumn, 9);
    EXPECT_EQ(keep(0, 80).leftColumn, 10);
    view.leftColumn = 40;
    EXPECT_EQ(keep(0, 40).leftColumn, 32);
    EXPECT_EQ(keep(0, 41).leftColumn, 40);
    EXPECT_EQ(keep(0, 0).leftColumn, 0);
    EXPECT_EQ(keep(0, 3).leftColumn, 0);
}

TEST_F(KeepVisible, RulerPitchRoundsTheColumn) {
    settings.rulaPitch = 10;
    EXPECT_EQ(keep(0, 79).leftColumn, 10);  // 9 rounded up
    EXPECT_EQ(keep(0, 80).leftColumn, 10);
    EXPECT_EQ(keep(0, 95).leftColumn, 30);  // 25 rounded up
    view.leftColumn = 40;
    EXPECT_EQ(keep(0, 40).leftColumn, 30);  // 32 rounded down
}

TEST_F(KeepVisible, RoundingNeverLeavesTheCaretOutside) {
    view.visibleColumns = 10;  // step 2, margin 1
    settings.rulaPitch = 10;
    view.leftColumn = 10;
    // 13 rounded up would be 20, right of the caret: rounded down instead.
    EXPECT_EQ(keep(0, 19).leftColumn, 10);
    view.visibleColumns = 3;  // step 1, margin 0
    settings.rulaPitch = 20;
    view.leftColumn = 30;
    EXPECT_EQ(keep(0, 25).leftColumn, 25);  // 20 would leave column 25 outside 20..22
}

TEST_F(KeepVisible, NoHorizontalMarginWhileWrappingAtTheWindow) {
    settings.adjCol = true;
    EXPECT_EQ(keep(0, 79).leftColumn, 0);
    EXPECT_EQ(keep(0, 80).leftColumn, 9);
}

TEST(ScrollBars, RangesAndSteps) {
    EXPECT_EQ(verticalScrollBar(100, 30), (ScrollBarSpec{99, 30, 1}));
    EXPECT_EQ(verticalScrollBar(0, 0), (ScrollBarSpec{0, 1, 1}));
    EXPECT_EQ(horizontalScrollBar(200, 80, 1), (ScrollBarSpec{120, 80, 1}));
    EXPECT_EQ(horizontalScrollBar(200, 80, 7), (ScrollBarSpec{126, 77, 7}));
    EXPECT_EQ(horizontalScrollBar(50, 80, 1), (ScrollBarSpec{0, 80, 1}));
    EXPECT_EQ(horizontalScrollBar(200, 5, 10), (ScrollBarSpec{200, 10, 10}));
    EXPECT_EQ(snapColumn(17, 5), 15);
    EXPECT_EQ(snapColumn(-3, 5), 0);
    EXPECT_EQ(snapColumn(17, 0), 17);
    EXPECT_EQ(clampTopRow(150, 100), 99);
    EXPECT_EQ(clampTopRow(-1, 100), 0);
    EXPECT_EQ(clampTopRow(5, 0), 0);
}

TEST(ScrollBars, AHorizontalMoveBringsTheCaretIntoView) {
    EXPECT_EQ(caretColumnInView(5, 10, 20), 10);
    EXPECT_EQ(caretColumnInView(40, 10, 20), 29);
    EXPECT_EQ(caretColumnInView(15, 10, 20), 15);
}

class Wheel : public ::testing::Test {
protected:
    WheelResult turn(int32_t notches) {
        in.notches = notches;
        return wheelScroll(view, in);
    }
    Viewport view{50, 0, 80, 30, 1000};
    WheelInput in{0, false, false, 3, false, true, 60};
};

TEST_F(Wheel, EachNotchScrollsTheWheelLines) {
    EXPECT_EQ(turn(1), (WheelResult{true, 47, -3, 57}));
    EXPECT_EQ(turn(-2), (WheelResult{true, 56, 6, 66}));
}

TEST_F(Wheel, ShiftOrCtrlDoNothing) {
    in.shift = true;
    EXPECT_EQ(turn(1), (WheelResult{false, 50, 0, 60}));
    in.shift = false;
    in.ctrl = true;
    EXPECT_EQ(turn(1), (WheelResult{false, 50, 0, 60}));
}

TEST_F(Wheel, AtMostOnePageOrOnePageWhenAsked) {
    in.wheelLines = 50;
    EXPECT_EQ(turn(-1).rowsScrolled, 30);
    in.wheelLines = 3;
    in.pageScroll = true;
    EXPECT_EQ(turn(-1).rowsScrolled, 30);
}

TEST_F(Wheel, StopsAtTheEndsAndMovesTheCaretByWhatWasScrolled) {
    view.topRow = 1;
    EXPECT_EQ(turn(1), (WheelResult{true, 0, -1, 59}));
    view.topRow = 0;
    EXPECT_EQ(turn(1), (WheelResult{true, 0, 0, 60}));
    view.availableRows = 100;
    view.topRow = 98;
    in.caretRow = 99;
    EXPECT_EQ(turn(-1), (WheelResult{true, 99, 1, 99}));
    in.scrollCaret = false;
    view.topRow = 50;
    in.caretRow = 60;
    EXPECT_EQ(turn(-1), (WheelResult{true, 53, 3, 60}));
}

TEST(WheelAccumulator, PartsOfNotchesAddUpAndDirectionChangesDropTheRest) {
    WheelAccumulator a;
    EXPECT_EQ(a.add(60), 0);
    EXPECT_EQ(a.add(60), 1);
    EXPECT_EQ(a.add(-30), 0);
    EXPECT_EQ(a.add(100), 0);  // the -30 is dropped
    EXPECT_EQ(a.add(20), 1);
    EXPECT_EQ(a.add(240), 2);
    EXPECT_EQ(a.add(-360), -3);
    EXPECT_EQ(a.add(-100), 0);
    a.reset();
    EXPECT_EQ(a.add(-20), 0);
}

}  // namespace
}  // namespace orvex
