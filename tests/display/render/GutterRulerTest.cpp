// Gutter widths, number texts and styles; ruler ticks, digits and height.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "display/Gutter.h"
#include "display/Row.h"
#include "display/Ruler.h"

namespace orvex {
namespace {

TEST(Gutter, WidthGrowsWithTheRowCount) {
    struct Case {
        int32_t rows;
        int32_t cells;
    } cases[] = {{1, 6},        {99999, 6},   {100000, 7},   {999999, 7},
                 {1000000, 8},  {9999999, 8}, {10000000, 9}, {67108863, 9}};
    for (const Case& c : cases) {
        EXPECT_EQ(gutterCells(1, c.rows), c.cells) << c.rows;
        EXPECT_EQ(gutterCells(2, c.rows), c.cells) << c.rows;
        EXPECT_EQ(gutterCells(0, c.rows), 1) << c.rows;
    }
    EXPECT_EQ(gutterPixels(1, 10, 8, 4), 6 * 8 + 8);
    EXPECT_EQ(gutterPixels(0, 10, 8, 0), 8);
    EXPECT_EQ(separatorHalfCells(10), 11);
}

class GutterRows : public ::testing::Test {
protected:
    GutterRow row(int lineNoDisp, int32_t rows, int32_t index, int32_t line, bool first, int32_t flags) {
        GutterRow out;
        gutterRow(lineNoDisp, rows, {index, line, first, flags}, colours, out);
        return out;
    }
    ColourTable colours = ColourTable::resolve(test::distinctColours());
};

TEST_F(GutterRows, LogicalLineNumbersOnTheFirstRowOnly) {
    EXPECT_EQ(row(1, 50, 0, 0, true, 0).text, "    1");
    EXPECT_EQ(row(1, 50, 1, 0, false, rowflag::kSoftWrap).text, "     ");
    EXPECT_EQ(row(1, 50, 7, 3, true, 0).text, "    4");
    EXPECT_EQ(row(1, 100000, 7, 12345, true, 0).text, " 12346");
    EXPECT_EQ(row(1, 10000000, 0, 12345677, true, 0).text, "12345678");
}

TEST_F(GutterRows, DisplayRowNumbersOnEveryRow) {
    EXPECT_EQ(row(2, 50, 41, 3, false, rowflag::kSoftWrap).text, "   42");
}

TEST_F(GutterRows, ModifiedAndMarkedStyles) {
    const Colour window = colours.colour(ColourSlot::Window);
    GutterRow plain = row(1, 50, 0, 0, true, 0);
    EXPECT_EQ(plain.textColour, colours.colour(ColourSlot::LineNo));
    EXPECT_EQ(plain.textBackground, window);
    EXPECT_EQ(plain.background, window);
    EXPECT_TRUE(plain.separator);
    EXPECT_EQ(plain.separatorColour, colours.colour(ColourSlot::LineNo));
    EXPECT_FALSE(plain.bar);

    GutterRow modified = row(1, 50, 0, 0, true, rowflag::kModified);
    EXPECT_EQ(modified.textColour, colours.colour(ColourSlot::LineNo2));

    GutterRow marked = row(1, 50, 0, 0, true, rowflag::kMarked | rowflag::kModified);
    EXPECT_EQ(marked.textColour, window);
    EXPECT_EQ(marked.textBackground, colours.colour(ColourSlot::LineNo));
    EXPECT_EQ(marked.text, "    1");  // the blank cell after it stays in the normal colours
}

TEST_F(GutterRows, WithoutNumbersMarksAndModifiedRowsShowBars) {
    GutterRow marked = row(0, 50, 0, 0, true, rowflag::kMarked | rowflag::kModified);
    EXPECT_TRUE(marked.text.empty());
    EXPECT_TRUE(marked.bar);
    EXPECT_EQ(marked.barColour, colours.colour(ColourSlot::Cr));
    EXPECT_FALSE(marked.separator);

    GutterRow modified = row(0, 50, 0, 0, true, rowflag::kModified);
    EXPECT_TRUE(modified.bar);
    EXPECT_EQ(modified.barColour, colours.colour(ColourSlot::LineNo2));

    // LineNo2Color not set: modified rows show nothing.
    StoredColours s = test::distinctColours();
    s[size_t(ColourSlot::LineNo2)] = -1;
    colours = ColourTable::resolve(s);
    EXPECT_FALSE(row(0, 50, 0, 0, true, rowflag::kModified).bar);
    EXPECT_FALSE(row(0, 50, 0, 0, true, 0).bar);
}

// ---- Ruler

std::string describe(const std::vector<RulerTick>& ticks) {
    std::string s;
    for (const RulerTick& t : ticks) {
        s += std::to_string(t.column) + ":";
        s += t.kind == TickKind::Short ? "s" : t.kind == TickKind::Long ? "L" : std::string(1, t.digit);
        s += ' ';
    }
    return s;
}

TEST(Ruler, FlatTicksAreLongAtEveryTenth) {
    std::vector<RulerTick> ticks;
    rulerTicks(0, 21, 1, false, ticks);
    ASSERT_EQ(ticks.size(), 21u);
    EXPECT_EQ(ticks.front().column, 1);
    EXPECT_EQ(ticks[9].column, 10);
    EXPECT_EQ(ticks[9].kind, TickKind::Long);
    EXPECT_EQ(ticks[19].kind, TickKind::Long);
    EXPECT_EQ(ticks[10].kind, TickKind::Short);
}

TEST(Ruler, RaisedTicksShowDigits) {
    std::vector<RulerTick> ticks;
    rulerTicks(95, 10, 1, true, ticks);
    EXPECT_EQ(describe(ticks), "95:s 96:s 97:s 98:s 99:s 100:0 101:s 102:s 103:s 104:s 105:s ");
    rulerTicks(0, 20, 1, true, ticks);
    EXPECT_EQ(ticks[9].digit, '1');
    EXPECT_EQ(ticks[19].digit, '2');
}

TEST(Ruler, PitchAndScrolledStart) {
    std::vector<RulerTick> ticks;
    rulerTicks(3, 40, 4, true, ticks);  // boundaries 4 .. 40
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(ticks.front().column, 4);
    EXPECT_EQ(ticks.back().column, 40);
    EXPECT_EQ(ticks.back().kind, TickKind::Digit);
    EXPECT_EQ(ticks.back().digit, '1');
    rulerTicks(0, 40, 0, false, ticks);  // a pitch below 1 counts as 1
    EXPECT_EQ(ticks.size(), 40u);
}

TEST(Ruler, HeightAndCaretMarker) {
    EXPECT_EQ(rulerHeight(true, 1), 15);
    EXPECT_EQ(rulerHeight(true, 0), 6);
    EXPECT_EQ(rulerHeight(true, 2), 6);
    EXPECT_EQ(rulerHeight(false, 1), 0);
    EXPECT_EQ(caretMarkerColumn(15, 10, 20), 5);
    EXPECT_EQ(caretMarkerColumn(9, 10, 20), -1);
    EXPECT_EQ(caretMarkerColumn(30, 10, 20), -1);
    EXPECT_EQ(caretMarkerColumn(29, 10, 20), 19);
}

}  // namespace
}  // namespace orvex
