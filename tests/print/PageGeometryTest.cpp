// Page geometry of a format on a printer of known metrics (see
// FakePrintDevice.h: ten dots a millimetre, A4, 40-dot lines, 20-dot cells).
#include <gtest/gtest.h>

#include "print/FakePrintDevice.h"
#include "print/FormatByExtension.h"
#include "print/PageGeometry.h"
#include "print/PrintUnits.h"

namespace orvex::print {
namespace {

using settings::PageLayoutFormat;

PageGeometry geometryOf(const PageLayoutFormat& f, const test::FakePrintDevice& d = {}) {
    return computePageGeometry(f, d.page, d.font, d.font, d.font, d.textWidth(FontRole::Body, "888888"));
}

TEST(PageGeometry, DefaultFormatOnA4) {
    const PageGeometry g = geometryOf(PageLayoutFormat{});
    EXPECT_EQ(g.body.left, 200);
    EXPECT_EQ(g.body.top, 200);
    EXPECT_EQ(g.body.right, 1900);
    EXPECT_EQ(g.body.bottom, 2770);
    EXPECT_EQ(g.linesPerPage, 64);  // (2770 - 200 + 1) / 40
    ASSERT_EQ(g.columns.size(), 1u);
    EXPECT_EQ(g.rowColumns(0), 85);
    // Header and footer lie just outside the body, touching neither row.
    EXPECT_EQ(g.headerY, 200 - 40);
    EXPECT_EQ(g.footerY, 2970 - 200);
    EXPECT_LE(g.headerY + 40, g.body.top);
    EXPECT_GE(g.footerY, g.body.top + g.linesPerPage * g.linePitch);
}

TEST(PageGeometry, PhysicalOffsetIsSubtractedFromTheMargins) {
    test::FakePrintDevice d;
    d.page.offsetX = 50;
    d.page.offsetY = 50;
    d.page.printableWidth = 2000;
    d.page.printableHeight = 2870;
    const PageGeometry g = geometryOf(PageLayoutFormat{}, d);
    EXPECT_EQ(g.body.top, 150);
    EXPECT_EQ(g.body.bottom, 2720);
    EXPECT_EQ(g.body.left, 150);
    EXPECT_EQ(g.body.right, 1850);
    EXPECT_EQ(bodyLinesPerPage(PageLayoutFormat{}, d.page, d.font), 64);
}

TEST(PageGeometry, LineNumbersReserveTheGutterOfSixEights) {
    PageLayoutFormat f;
    f.printLineNo = 1;
    const PageGeometry g = geometryOf(f);
    EXPECT_EQ(g.gutter, 120);
    EXPECT_EQ(g.rowColumns(0), (1700 - 120) / 20);
}

TEST(PageGeometry, VerticalFontExchangesTheAxes) {
    PageLayoutFormat f;
    f.printFont.faceName = "@MS Mincho";
    const PageGeometry g = geometryOf(f);
    EXPECT_TRUE(g.vertical);
    EXPECT_EQ(g.linesPerPage, (1700 + 1) / 40);
    EXPECT_EQ(g.rowColumns(0), 2570 / 20);
}

// Settings hold any integer: the dialog's spin ranges do not protect the
// computation.
struct BadGeometryRow {
    const char* name;
    void (*apply)(PageLayoutFormat&);
    int lines;        // expected lines per page, -1: any
    bool holdsText;
};

class PageGeometryBadInput : public ::testing::TestWithParam<BadGeometryRow> {};

TEST_P(PageGeometryBadInput, GivesTheSoundResult) {
    PageLayoutFormat f;
    GetParam().apply(f);
    const PageGeometry g = geometryOf(f);
    if (GetParam().lines >= 0) EXPECT_EQ(g.linesPerPage, GetParam().lines);
    EXPECT_EQ(!g.holdsNoText(), GetParam().holdsText);
    for (const PrintColumn& c : g.columns) {
        EXPECT_GE(c.start, g.body.left - 0);
        EXPECT_LE(c.start, std::max(g.body.right, g.body.bottom));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageGeometryBadInput,
    ::testing::Values(
        BadGeometryRow{"MarginsLargerThanThePaperGiveZeroLines", [](PageLayoutFormat& f) { f.tMrgn = f.bMrgn = 200; }, 0,
                       false},
        BadGeometryRow{"TopMarginBeyondThePaper", [](PageLayoutFormat& f) { f.tMrgn = 500; }, 0, false},
        BadGeometryRow{"SideMarginsLargerThanThePaper", [](PageLayoutFormat& f) { f.lMrgn = f.rMrgn = 150; }, 64,
                       false},
        BadGeometryRow{"FourColumnsWithAGapWiderThanAQuarter",
                       [](PageLayoutFormat& f) { f.dangumi1 = 2; f.dangumi2 = 99; }, 64, false},
        BadGeometryRow{"FourColumnsThatStillFit", [](PageLayoutFormat& f) { f.dangumi1 = 2; f.dangumi2 = 50; }, 64,
                       true},
        BadGeometryRow{"NegativeMarginsCountAsZero",
                       [](PageLayoutFormat& f) { f.lMrgn = f.rMrgn = f.tMrgn = f.bMrgn = -40; }, 2971 / 40, true},
        BadGeometryRow{"NegativeColumnGapCountsAsZero", [](PageLayoutFormat& f) { f.dangumi1 = 1; f.dangumi2 = -30; },
                       64, true},
        BadGeometryRow{"UnknownColumnCodeIsFourColumns", [](PageLayoutFormat& f) { f.dangumi1 = 7; }, 64, true},
        BadGeometryRow{"LineSpacingOf999", [](PageLayoutFormat& f) { f.gyoukan = 999; }, 2571 / 1039, true},
        BadGeometryRow{"CharacterSpacingOf999StillTakesOneCharacterARow",
                       [](PageLayoutFormat& f) { f.mojikan = 999; }, 64, true},
        BadGeometryRow{"EverySpacingFieldAt999",
                       [](PageLayoutFormat& f) {
                           f.gyoukan = f.mojikan = f.dangumi2 = 999;
                           f.dangumi1 = 2;
                       },
                       2, false},
        BadGeometryRow{"HugeMarginsDoNotOverflow",
                       [](PageLayoutFormat& f) { f.lMrgn = f.tMrgn = f.hMrgn = 2'000'000'000; }, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageGeometry, ColumnsSplitTheBodyWithTheirGap) {
    PageLayoutFormat f;
    f.dangumi1 = 1;
    f.dangumi2 = 20;
    const PageGeometry g = geometryOf(f);
    ASSERT_EQ(g.columns.size(), 2u);
    EXPECT_EQ(g.columns[0].start, 200);
    EXPECT_EQ(g.columns[0].extent, 750);  // (1700 - 200) / 2
    EXPECT_EQ(g.columns[1].start, 200 + 750 + 200);
    EXPECT_EQ(g.columns[1].extent, 750);
}

TEST(PrintUnits, MillimetresAndTenthsAtTheResolution) {
    EXPECT_EQ(millimetresToDots(20, 600), 472);  // 200 * 600 / 254
    EXPECT_EQ(tenthsToDots(5, 254), 5);
    EXPECT_EQ(millimetresToDots(-3, 600), 0);
    EXPECT_EQ(millimetresToDots(5, 0), 0);
}

struct ExtensionRow {
    const char* path;
    int expected;  // format index, -1: none
};

class FormatByExtensionTest : public ::testing::TestWithParam<ExtensionRow> {};

TEST_P(FormatByExtensionTest, ChoosesTheFirstFormatWhoseListHoldsTheExtension) {
    std::array<PageLayoutFormat, settings::kPageLayoutCount> formats{};
    formats[2].prnExt = "txt;log";
    formats[5].prnExt = "c;h;TXT";
    const std::optional<int> chosen = formatForPath(GetParam().path, formats);
    EXPECT_EQ(chosen.value_or(-1), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatByExtensionTest,
                         ::testing::Values(ExtensionRow{"/home/u/a.TXT", 2}, ExtensionRow{"/home/u/b.log", 2},
                                           ExtensionRow{"/home/u/tail.xt", 2}, ExtensionRow{"/src/x.c", 5},
                                           ExtensionRow{"/src/x.h", 5}, ExtensionRow{"/src/Makefile", -1},
                                           ExtensionRow{"/src/v1.2/README", -1}, ExtensionRow{"/src/x.cpp", -1},
                                           ExtensionRow{"", -1}));

}  // namespace
}  // namespace orvex::print
