// View geometry: column width, row height with DispGyoukan, gutter, ruler
// and margins, visible and fully visible columns and rows.
#include <gtest/gtest.h>

#include "display/LayoutOptions.h"
#include "display/ViewGeometry.h"

namespace orvex {
namespace {

TEST(ViewGeometry, RowSpacing) {
    const int32_t cases[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 4}, {5, 8}, {6, 0}, {-1, 0}};
    for (const auto& c : cases) EXPECT_EQ(rowSpacing(int(c[0]), 16), c[1]) << c[0];
}

TEST(ViewGeometry, AreasAndCounts) {
    const FontMetrics font{8, 15, 1};
    RenderOptions o;
    ViewGeometry g = computeViewGeometry(font, 808, 415, o, 10);
    EXPECT_EQ(g.charWidth, 8);
    EXPECT_EQ(g.rowHeight, 16);
    EXPECT_EQ(g.gutterWidth, 48);
    EXPECT_EQ(g.textLeft, 48);
    EXPECT_EQ(g.rulerHeight, 15);
    EXPECT_EQ(g.textTop, 15);
    EXPECT_EQ(g.fullColumns, 95);
    EXPECT_EQ(g.visibleColumns, 95);
    EXPECT_EQ(g.fullRows, 25);
    EXPECT_EQ(g.visibleRows, 25);
    EXPECT_EQ(g.columnX(2), 64);
    EXPECT_EQ(g.rowY(1), 31);

    g = computeViewGeometry(font, 810, 420, o, 10);
    EXPECT_EQ(g.fullColumns, 95);
    EXPECT_EQ(g.visibleColumns, 96);
    EXPECT_EQ(g.fullRows, 25);
    EXPECT_EQ(g.visibleRows, 26);

    g = computeViewGeometry(font, 808, 415, o, 100000);
    EXPECT_EQ(g.gutterWidth, 56);
}

TEST(ViewGeometry, OptionsShapeTheAreas) {
    const FontMetrics font{8, 16, 0};
    RenderOptions o;
    o.leftSpace = 4;
    o.adjChWidth = 2;
    o.dispGyoukan = 5;
    o.upperSpace = 5;
    o.rulaType = 0;
    ViewGeometry g = computeViewGeometry(font, 800, 400, o, 10);
    EXPECT_EQ(g.charWidth, 10);
    EXPECT_EQ(g.rowHeight, 24);
    EXPECT_EQ(g.gutterWidth, 60);
    EXPECT_EQ(g.textLeft, 70);
    EXPECT_EQ(g.textTop, 11);

    o = RenderOptions{};
    o.rulaDisp = false;
    o.lineNoDisp = 0;
    g = computeViewGeometry(font, 800, 400, o, 10);
    EXPECT_EQ(g.textTop, 0);
    EXPECT_EQ(g.gutterWidth, 8);

    g = computeViewGeometry(font, 20, 10, RenderOptions{}, 10);  // smaller than the gutter and ruler
    EXPECT_EQ(g.visibleColumns, 0);
    EXPECT_EQ(g.fullRows, 0);

    g = computeViewGeometry(FontMetrics{0, 0, -3}, 100, 100, RenderOptions{}, 10);
    EXPECT_GE(g.charWidth, 1);
    EXPECT_GE(g.rowHeight, 1);
}

TEST(ViewGeometry, WrapWidthAtTheWindowWidth) {
    const FontMetrics font{8, 16, 0};
    const ViewGeometry g = computeViewGeometry(font, 808, 400, RenderOptions{}, 10);
    LayoutOptions layout;
    layout.adjCol = true;
    const ViewMetrics m = g.wrapMetrics(808);
    // (808 - 48 - 8 + 1) / 8
    EXPECT_EQ(computeWrapWidth(layout, &m), 94);
}

TEST(ViewGeometry, HitTesting) {
    const ViewGeometry g = computeViewGeometry(FontMetrics{8, 16, 0}, 808, 415, RenderOptions{}, 10);
    using Hit = ViewGeometry::Hit;
    // Text starts at x 48, y 15; cells are 8 x 16.
    EXPECT_EQ(g.hit(48, 15), (Hit{0, 0, false}));
    EXPECT_EQ(g.hit(51, 30), (Hit{0, 0, false}));
    EXPECT_EQ(g.hit(52, 31), (Hit{1, 1, false}));  // the right half of cell 0
    EXPECT_EQ(g.hit(47, 14), (Hit{-1, 0, true}));
    EXPECT_EQ(g.hit(10, 100), (Hit{5, -5, true}));
}

}  // namespace
}  // namespace orvex
