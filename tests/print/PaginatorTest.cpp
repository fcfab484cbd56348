// Pagination over a text store with the fake printer: 64 lines a page and
// 85 half-width cells a row under the default format.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/LayoutOptions.h"
#include "print/FakePrintDevice.h"
#include "print/PagePrinter.h"
#include "print/Paginator.h"
#include "print/PrintBreakRules.h"
#include "text/TextStore.h"

namespace orvex::print {
namespace {

using settings::PageLayoutFormat;

class PaginatorTest : public ::testing::Test {
protected:
    Paginator& paginate(const std::string& text, const PageLayoutFormat& f = {}) {
        format = f;
        store.setText(text);
        store.layoutAll();
        rules = std::make_unique<PrintBreakRules>(format, LayoutOptions{});
        const PageGeometry g = computePageGeometry(format, device.page, device.font, device.font, device.font,
                                                   device.textWidth(FontRole::Body, "888888"));
        pages = std::make_unique<Paginator>(store, g, rules->rules());
        return *pages;
    }
    static std::string lines(int n) {
        std::string s;
        for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + "\r\n";
        return s;
    }
    std::string textOf(const PrintedRow& r) const { return std::string(store.view().substr(size_t(r.begin), size_t(r.end - r.begin))); }

    TextStore store;
    PageLayoutFormat format;
    test::FakePrintDevice device;
    std::unique_ptr<PrintBreakRules> rules;
    std::unique_ptr<Paginator> pages;
};

TEST_F(PaginatorTest, PagesHoldTheirLinesInOrder) {
    Paginator& p = paginate(lines(130));
    EXPECT_EQ(p.pageCount(), 3);
    const auto second = p.rowsOf(2);
    ASSERT_EQ(second.size(), 64u);
    EXPECT_EQ(textOf(second.front()), "line 65");
    EXPECT_EQ(second.front().lineNumber, 65);
    const auto third = p.rowsOf(3);
    ASSERT_EQ(third.size(), 2u);
    EXPECT_EQ(textOf(third.back()), "line 130");
    EXPECT_TRUE(p.endsText(3));
    EXPECT_FALSE(p.endsText(2));
    EXPECT_FALSE(p.hasPage(4));
}

TEST_F(PaginatorTest, PagesAreLaidOutOnDemand) {
    Paginator& p = paginate(lines(1000));
    EXPECT_TRUE(p.hasPage(3));
    EXPECT_EQ(p.pagesLaidOut(), 3);
    EXPECT_EQ(textOf(p.rowsOf(3).front()), "line 129");
    EXPECT_EQ(p.pageCount(), 16);  // 1000 / 64 rounded up
}

TEST_F(PaginatorTest, FinalLineEndGivesNoExtraPage) {
    Paginator& p = paginate(lines(64));
    EXPECT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.rowsOf(1).size(), 64u);
}

TEST_F(PaginatorTest, EmptyDocumentPrintsOneEmptyPage) {
    Paginator& p = paginate("");
    EXPECT_EQ(p.pageCount(), 1);
    const auto rows = p.rowsOf(1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].begin, rows[0].end);
    p.drawBody(1, device);
    EXPECT_TRUE(device.drawn.empty());
}

TEST_F(PaginatorTest, ZeroBodyLinesGiveOnePageWithoutText) {
    PageLayoutFormat f;
    f.tMrgn = f.bMrgn = 200;
    Paginator& p = paginate(lines(10), f);
    EXPECT_EQ(p.pageCount(), 1);
    EXPECT_TRUE(p.rowsOf(1).empty());
    p.drawBody(1, device);
    EXPECT_TRUE(device.drawn.empty());
}

TEST_F(PaginatorTest, FourColumnsWithATooWideGapPrintNothing) {
    PageLayoutFormat f;
    f.dangumi1 = 2;
    f.dangumi2 = 99;
    Paginator& p = paginate(lines(500), f);
    EXPECT_EQ(p.pageCount(), 1);
    p.drawBody(1, device);
    EXPECT_TRUE(device.drawn.empty());
}

TEST_F(PaginatorTest, TwoColumnsFillTheFirstColumnFirst) {
    PageLayoutFormat f;
    f.dangumi1 = 1;
    Paginator& p = paginate(lines(200), f);
    EXPECT_EQ(p.pageCount(), 2);
    p.drawBody(1, device);
    ASSERT_EQ(device.drawn.size(), 128u);
    EXPECT_EQ(device.drawn[63].x, 200);
    EXPECT_EQ(device.drawn[64].x, 200 + 750 + 200);
    EXPECT_EQ(device.drawn[64].y, 200);
    EXPECT_EQ(device.drawn[64].text, "line 65");
}

TEST_F(PaginatorTest, LongSingleLineWrapsAndEnds) {
    const std::string text(400'000, 'x');
    Paginator& p = paginate(text);
    const int rows = (400'000 + 84) / 85;
    EXPECT_EQ(p.pageCount(), (rows + 63) / 64);
    // Rows follow each other without gap or overlap, and only the first
    // carries the line number.
    int32_t expect = 0;
    for (int page = 1; page <= p.pageCount(); ++page)
        for (const PrintedRow& r : p.rowsOf(page)) {
            EXPECT_EQ(r.begin, expect);
            EXPECT_EQ(r.lineNumber, expect == 0 ? 1 : 0);
            expect = r.end;
        }
    EXPECT_EQ(expect, 400'000);
}

TEST_F(PaginatorTest, DoubleByteCharactersAreNeverSplit) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "\x82\xa0";  // あ
    Paginator& p = paginate(text);
    const auto rows = p.rowsOf(1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].end - rows[0].begin, 84);  // 42 characters, 84 cells of 85
    for (const PrintedRow& r : rows) EXPECT_EQ((r.end - r.begin) % 2, 0);
}

TEST_F(PaginatorTest, KinsokuSwitchLetsTheFullStopHang) {
    const std::string text = std::string(85, 'x') + "\x81\x42";  // 。
    PageLayoutFormat f;
    EXPECT_EQ(paginate(text, f).rowsOf(1).size(), 2u);
    f.prnKinsoku = 1;
    EXPECT_EQ(paginate(text, f).rowsOf(1).size(), 1u);
}

TEST_F(PaginatorTest, WordWrapSwitchMovesTheCutWord) {
    const std::string text = std::string(80, 'x') + " hello";
    PageLayoutFormat f;
    auto rows = paginate(text, f).rowsOf(1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(textOf(rows[1]), "o");
    f.prnWordWrap = 1;
    rows = paginate(text, f).rowsOf(1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(textOf(rows[1]), "hello");
}

TEST_F(PaginatorTest, LineNumbersOnTheFirstRowOfEachLineOnly) {
    PageLayoutFormat f;
    f.printLineNo = 1;
    Paginator& p = paginate("short\r\n" + std::string(100, 'y') + "\r\nend", f);
    p.drawBody(1, device);
    std::vector<std::string> numbers;
    for (const auto& d : device.drawn)
        if (d.x == 200) numbers.push_back(d.text);
    EXPECT_EQ(numbers, (std::vector<std::string>{"   1 ", "   2 ", "   3 "}));
    // Text starts after the gutter; the second line's continuation row too.
    int textRows = 0;
    for (const auto& d : device.drawn)
        if (d.x == 320) ++textRows;
    EXPECT_EQ(textRows, 4);
}

TEST_F(PaginatorTest, TabsAreExpandedForDrawing) {
    Paginator& p = paginate("a\tb");
    p.drawBody(1, device);
    ASSERT_EQ(device.drawn.size(), 1u);
    EXPECT_EQ(device.drawn[0].text, "a   b");
}

TEST_F(PaginatorTest, VerticalFormatRunsLinesFromTheRight) {
    PageLayoutFormat f;
    f.printFont.faceName = "@vertical";
    Paginator& p = paginate("one\r\ntwo", f);
    p.drawBody(1, device);
    ASSERT_EQ(device.drawn.size(), 2u);
    EXPECT_TRUE(device.drawn[0].vertical);
    EXPECT_EQ(device.drawn[0].x, 1900 - 40);
    EXPECT_EQ(device.drawn[1].x, 1900 - 80);
    EXPECT_EQ(device.drawn[0].y, 200);
}

TEST_F(PaginatorTest, HeaderAndFooterArePlacedAcrossTheBody) {
    PageLayoutFormat f;
    f.header = "ABC";
    f.headerPos = 2;
    f.footer = "&p/&P";
    f.footerPos = 3;
    Paginator& p = paginate(lines(100), f);
    printPage(p, 2, f, HeaderFooterValues{}, device);
    ASSERT_EQ(device.drawn.size(), 1u + 36u + 1u);
    const auto& header = device.drawn.front();
    EXPECT_EQ(header.font, FontRole::Header);
    EXPECT_EQ(header.text, "ABC");
    EXPECT_EQ(header.x, 200 + (1700 - 60) / 2);
    EXPECT_EQ(header.y, 200 - 40);
    const auto& footer = device.drawn.back();
    EXPECT_EQ(footer.font, FontRole::Footer);
    EXPECT_EQ(footer.text, "2/2");
    EXPECT_EQ(footer.x, 1900 - 60);
    EXPECT_EQ(footer.y, 2970 - 200);
}

TEST_F(PaginatorTest, PlacementNoneDrawsNoHeader) {
    PageLayoutFormat f;
    f.headerPos = 0;
    f.footerPos = 0;
    Paginator& p = paginate("x", f);
    printPage(p, 1, f, HeaderFooterValues{}, device);
    ASSERT_EQ(device.drawn.size(), 1u);
    EXPECT_EQ(device.drawn[0].font, FontRole::Body);
}

}  // namespace
}  // namespace orvex::print
