// Column walks inside a row, the wrap width of a view and the options'
// derived values.
#include <gtest/gtest.h>

#include "common/codepage/Cp932.h"
#include "display/ColumnWalk.h"
#include "display/LayoutOptions.h"

using namespace orvex;

namespace {

TEST(ColumnWalk, DisplayToByteColumn) {
    // a(0) あ(1-2) b(3) TAB(4-7) c(8)
    const std::string row = cp932::fromUtf8("aあb\tc");
    const auto* p = reinterpret_cast<const uint8_t*>(row.data());
    const int32_t n = int32_t(row.size());
    struct Case {
        int32_t target;
        bool takeDouble;
        ColumnHit hit;
    } cases[] = {
        {0, false, {0, 0}}, {1, false, {1, 1}}, {2, false, {1, 1}},  // inside あ: stop before it
        {2, true, {3, 3}},                                           // or take it
        {3, false, {3, 3}}, {4, false, {4, 4}}, {5, false, {4, 4}},  // inside the tab
        {8, false, {5, 8}}, {9, false, {6, 9}}, {50, false, {6, 9}},  // beyond the row: its end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        EXPECT_EQ(byteColumnAt(p, n, c.target, 4, c.takeDouble), c.hit);
    }
    EXPECT_EQ(displayColumnAt(p, 1, 4), 1);
    EXPECT_EQ(displayColumnAt(p, 3, 4), 3);
    EXPECT_EQ(displayColumnAt(p, 5, 4), 8);
    EXPECT_EQ(displayWidth(p, n, 4), 9);
}

TEST(ColumnWalk, TabAtColumnFiveAndEight) {
    const std::string a = "abcde\t", b = "abcdefgh\t";
    EXPECT_EQ(displayWidth(reinterpret_cast<const uint8_t*>(a.data()), 6, 4), 8);
    EXPECT_EQ(displayWidth(reinterpret_cast<const uint8_t*>(b.data()), 9, 4), 12);
}

TEST(WrapWidth, FromLineMaxOrTheWindow) {
    LayoutOptions o;
    EXPECT_EQ(computeWrapWidth(o, nullptr), 80);
    o.lineMax = 5;
    EXPECT_EQ(computeWrapWidth(o, nullptr), 10);
    o.lineMax = 5000;
    EXPECT_EQ(computeWrapWidth(o, nullptr), 2000);

    o.lineMax = 80;
    o.adjCol = true;
    ViewMetrics v{0, 808, 40, 8};
    EXPECT_EQ(computeWrapWidth(o, &v), (808 - 40 - 8 + 1) / 8);
    o.leftSpace = 4;   // one column
    o.rightSpace = 8;  // two columns
    EXPECT_EQ(computeWrapWidth(o, &v), (808 - 16 - 48 - 8 + 1) / 8);
    ViewMetrics narrow{0, 60, 40, 8};  // shows two columns: clamped up
    o.leftSpace = o.rightSpace = 0;
    EXPECT_EQ(computeWrapWidth(o, &narrow), 10);
    ViewMetrics none{0, 45, 40, 8};  // not one whole column: LineMax
    EXPECT_EQ(computeWrapWidth(o, &none), 80);
    ViewMetrics noFont{0, 800, 0, 0};
    EXPECT_EQ(computeWrapWidth(o, &noFont), 80);
}

TEST(LayoutOptionsValues, DerivedValues) {
    LayoutOptions o;
    EXPECT_EQ(o.tabWidth(), 4);
    EXPECT_EQ(o.hangLimit(), 1);
    o.kinsokuWrap = -3;
    EXPECT_EQ(o.hangLimit(), 1);
    EXPECT_EQ(o.commentType(), 0);  // comment colour not set
    o.commentColour = 0;            // black is a colour
    EXPECT_EQ(o.commentType(), 1);
    o.cmntSel = 7;
    EXPECT_EQ(o.commentType(), 7);
    o.cmntSel = 12;
    EXPECT_EQ(o.commentType(), 0);
    EXPECT_FALSE(o.classEnabled(1));
    o.classColours[1] = 0xFF;
    EXPECT_TRUE(o.classEnabled(2));  // TTwdSel2 -1 and the colour set
    o.classColours[2] = 0xFF;
    EXPECT_FALSE(o.classEnabled(3));  // TTwdSel3 defaults to 0
    EXPECT_FALSE(o.classEnabled(0));
    EXPECT_FALSE(o.classEnabled(5));
}

TEST(LayoutOptionsValues, DefaultSetsAreShiftJis) {
    const std::string start = LayoutOptions::defaultNoLineStart();
    const std::string end = LayoutOptions::defaultNoLineEnd();
    EXPECT_NE(start.find(cp932::fromUtf8("。")), std::string::npos);
    EXPECT_NE(start.find(cp932::fromUtf8("ﾟ")), std::string::npos);
    EXPECT_NE(end.find(cp932::fromUtf8("「")), std::string::npos);
    EXPECT_NE(end.find('\\'), std::string::npos);
    EXPECT_EQ(start.find('?' + 1), std::string::npos);
    EXPECT_EQ(cp932::toUtf8(end), "$([\\{｢‘“（〔［｛〈《「『【￥＄￡");
}

}  // namespace
