// A view's viewport: the text area's size brought into range, scrolling
// clamped to the rows available, and how far a scroll moved.
#include <gtest/gtest.h>

#include "text/ViewportState.h"

using namespace orvex;

namespace {

TEST(ViewportState, SizesAreBroughtIntoRange) {
    struct Row {
        int32_t rows, fullRows, columns;
        int32_t wantRows, wantFull, wantColumns;
    } rows[] = {
        {30, 29, 80, 30, 29, 80},
        {30, 31, 80, 30, 30, 80},  // fully visible rows never exceed the visible rows
        {0, 0, 0, 1, 1, 1},        // a window with no room still has one row and column
        {-5, 3, -1, 1, 1, 1},
        {10, 0, 40, 10, 1, 40},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.rows << "/" << r.fullRows << "/" << r.columns);
        ViewportState v;
        v.resize(r.rows, r.fullRows, r.columns);
        EXPECT_EQ(v.visibleRows(), r.wantRows);
        EXPECT_EQ(v.fullyVisibleRows(), r.wantFull);
        EXPECT_EQ(v.visibleColumns(), r.wantColumns);
    }
}

TEST(ViewportState, ScrollingStopsWithTheLastRowAtTheTop) {
    ViewportState v;
    v.resize(20, 20, 80);
    auto m = v.scrollTo(500, 3, 100);
    EXPECT_EQ(v.topRow(), 99);
    EXPECT_EQ(v.leftColumn(), 3);
    EXPECT_EQ(m.rows, 99);
    EXPECT_EQ(m.columns, 3);

    m = v.scrollTo(-4, -7, 100);
    EXPECT_EQ(v.topRow(), 0);
    EXPECT_EQ(v.leftColumn(), 0);
    EXPECT_EQ(m.rows, -99);
    EXPECT_EQ(m.columns, -3);

    // Nothing to scroll: nothing moved.
    EXPECT_FALSE(v.scrollTo(0, 0, 100).any());
    EXPECT_FALSE(v.scrollTo(7, 0, 1).any());  // one row: the top stays at 0
    EXPECT_EQ(ViewportState::maxTopRow(0), 0);
    EXPECT_EQ(ViewportState::maxTopRow(1), 0);
}

TEST(ViewportState, ClampTopFollowsTheTextShrinking) {
    ViewportState v;
    v.resize(10, 9, 80);
    v.scrollTo(40, 12, 50);
    v.clampTop(20);  // the text lost rows
    EXPECT_EQ(v.topRow(), 19);
    EXPECT_EQ(v.leftColumn(), 12);  // the column is not the rows' business
    v.clampTop(100);
    EXPECT_EQ(v.topRow(), 19);  // more rows move nothing
}

TEST(ViewportState, FullyVisibleRowsAndTheScrollingRulesView) {
    ViewportState v;
    v.resize(10, 9, 72);
    v.scrollTo(5, 8, 100);
    EXPECT_EQ(v.lastFullRow(), 13);
    EXPECT_FALSE(v.showsRowFully(4));
    EXPECT_TRUE(v.showsRowFully(5));
    EXPECT_TRUE(v.showsRowFully(13));
    EXPECT_FALSE(v.showsRowFully(14));  // the part-visible last row
    const Viewport r = v.rules(100);
    EXPECT_EQ(r.topRow, 5);
    EXPECT_EQ(r.leftColumn, 8);
    EXPECT_EQ(r.visibleColumns, 72);
    EXPECT_EQ(r.fullRows, 9);
    EXPECT_EQ(r.availableRows, 100);
}

}  // namespace
