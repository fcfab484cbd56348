// Attributes and displayed bytes of painted rows: the order of the steps,
// the caret line, tabs and marks, line ends, stream and box selections.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "display/RowAttributes.h"

namespace orvex {
namespace {

using test::RowFixture;
using End = RowFixture::End;
using test::backgrounds;
using test::codes;

// Codes: . text, S selection, c comment, m mark, k keyword group 1,
// 1 2 3 4 line-start classes, u URL, @ mail, L caret line, f found.
struct OrderCase {
    const char* name;
    const char* text;
    int32_t flags;
    std::vector<CommentSpan> comments;
    const char* highlight;
    SelectionPoints selection;
    const char* expected;
};

class StepOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(StepOrder, LaterStepsOverwriteEarlierOnes) {
    const OrderCase& c = GetParam();
    RowFixture f;
    f.comments = c.comments;
    f.view.highlight = c.highlight;
    f.view.selection = c.selection;
    f.build(c.text, End::Cr, c.flags);
    EXPECT_EQ(codes(f.row), c.expected);
}

SelectionPoints stream(int32_t startRow, int32_t startByte, int32_t endRow, int32_t endByte) {
    SelectionPoints s;
    s.active = true;
    s.startRow = startRow;
    s.startByte = startByte;
    s.endRow = endRow;
    s.endByte = endByte;
    return s;
}

SelectionPoints box(int32_t top, int32_t bottom, int32_t left, int32_t right) {
    SelectionPoints s = stream(top, 0, bottom, 0);
    s.box = true;
    s.left = left;
    s.right = right;
    return s;
}

constexpr int32_t kDelim = rowflag::kCommentDelimiter;

INSTANTIATE_TEST_SUITE_P(
    Rows, StepOrder,
    ::testing::Values(
        OrderCase{"keywords", "if(x) ifdef _if", 0, {}, "", {}, "kk.............."},
        OrderCase{"commentOverKeyword", "if /*if*/", kDelim, {{3, 9}}, "", {}, "kk.cccccc."},
        OrderCase{"commentsNeedTheirFlags", "if /*if*/", 0, {{3, 9}}, "", {}, "kk...kk..."},
        OrderCase{"insideACommentFromAnEarlierRow", "x */ y", rowflag::kCommentCloses, {{0, 4}}, "", {}, "cccc..."},
        OrderCase{"classOverComment", "if /*if*/", kDelim | rowflag::classBit(2), {{3, 9}}, "", {}, "2222222222"},
        OrderCase{"urlOverCommentAndKeyword", "if http://a/if", kDelim, {{0, 14}}, "", {}, "cccuuuuuuuuuuu."},
        OrderCase{"mailOverUrl", "http://me@x.jp", 0, {}, "", {}, "uuuuuuu@@@@@@@."},
        OrderCase{"foundOverMail", "http://me@x.jp", 0, {}, "x.j", {}, "uuuuuuu@@@fff@."},
        OrderCase{"selectionOverAll", "http://me@x.jp", 0, {}, "x.j", stream(0, 11, 0, 20), "uuuuuuu@@@fSSS."},
        OrderCase{"selectionOnOtherRowsOnly", "if x", 0, {}, "", stream(1, 0, 2, 1), "kk..."},
        OrderCase{"classOverKeyword", "if x", rowflag::classBit(4), {}, "", {}, "44444"}),
    [](const ::testing::TestParamInfo<OrderCase>& i) { return std::string(i.param.name); });

// ---- Caret line

class CaretLine : public ::testing::Test {
protected:
    CaretLine() { f.view.caretRow = 0; }
    void setColour(ColourSlot s, Colour c) {
        StoredColours st = test::distinctColours();
        st[size_t(s)] = int32_t(c);
        f.colours = ColourTable::resolve(st);
    }
    RowFixture f;
};

TEST_F(CaretLine, TextAndBackgroundKeepTheBackgroundUnderLaterSteps) {
    f.build("if x");
    EXPECT_EQ(codes(f.row), "kkLLL");
    EXPECT_EQ(backgrounds(f.row), "#####");
    EXPECT_TRUE(f.row.caretLine());
    EXPECT_EQ(f.row.fillColour(), f.colours.colour(ColourSlot::CurLineBk));
    // Another row is not the caret line.
    f.build("if x", End::Cr, 0, 1);
    EXPECT_EQ(codes(f.row), "kk...");
    EXPECT_EQ(backgrounds(f.row), ".....");
    EXPECT_EQ(f.row.fillColour(), f.colours.colour(ColourSlot::Window));
}

TEST_F(CaretLine, WithTheWindowBackgroundTheCaretTextColourWins) {
    setColour(ColourSlot::CurLineBk, 0xFFFFFF);  // = WindowColor
    f.build("if x", End::Cr, rowflag::classBit(1));
    EXPECT_EQ(codes(f.row), "LLLLL");
    EXPECT_EQ(backgrounds(f.row), ".....");
    EXPECT_EQ(f.row.fillColour(), f.colours.colour(ColourSlot::Window));
}

TEST_F(CaretLine, OnlyTheBackground) {
    setColour(ColourSlot::CurLine, 0x000000);  // = TextColor
    f.build("if x");
    EXPECT_EQ(codes(f.row), "kk...");
    EXPECT_EQ(backgrounds(f.row), "#####");
}

TEST_F(CaretLine, ColouredLikeTextAndWindowItIsOff) {
    setColour(ColourSlot::CurLine, 0x000000);
    StoredColours st = test::distinctColours();
    st[size_t(ColourSlot::CurLine)] = 0x000000;
    st[size_t(ColourSlot::CurLineBk)] = 0xFFFFFF;
    f.colours = ColourTable::resolve(st);
    f.build("if x");
    EXPECT_FALSE(f.row.caretLine());
    EXPECT_EQ(codes(f.row), "kk...");
    EXPECT_TRUE(f.row.underline());  // the underline has its own switch
}

TEST_F(CaretLine, HiddenWhileSelectingRowsDrawingRuledLinesOrScrolling) {
    f.view.selection = stream(0, 1, 1, 0);
    f.build("if x");
    EXPECT_FALSE(f.row.caretLine());
    EXPECT_FALSE(f.row.underline());
    EXPECT_EQ(codes(f.row), "kSSSS");

    f.view.selection = stream(0, 1, 0, 2);  // within the row: still a caret line
    f.build("if x");
    EXPECT_TRUE(f.row.caretLine());
    EXPECT_EQ(codes(f.row), "kSLLL");

    f.view.selection = {};
    f.view.ruledLineDrag = true;
    f.build("if x");
    EXPECT_FALSE(f.row.caretLine());
    EXPECT_TRUE(f.row.underline());
    f.view.ruledLineDrag = false;
    f.view.transientScroll = true;
    f.build("if x");
    EXPECT_FALSE(f.row.caretLine());
    EXPECT_TRUE(f.row.underline());
}

TEST_F(CaretLine, UnderlineFollowsFocusAndKeepUnderLine) {
    f.view.focused = false;
    f.build("x");
    EXPECT_TRUE(f.row.underline());
    EXPECT_EQ(f.row.underlineColour(), f.colours.colour(ColourSlot::Line));
    f.options.keepUnderLine = false;
    f.build("x");
    EXPECT_FALSE(f.row.underline());
    f.view.focused = true;
    f.build("x");
    EXPECT_TRUE(f.row.underline());
    f.options.underLine = false;
    f.build("x");
    EXPECT_FALSE(f.row.underline());
}

// ---- Tabs, marks and line ends

TEST(RowCells, TabsExpandToTheNextStop) {
    RowFixture f;
    f.build("a\tb\tc");
    EXPECT_EQ(f.row.cells(), std::string_view("a   b   c "));
    EXPECT_EQ(f.row.columns(), 10);
    EXPECT_EQ(f.row.contentColumns(), 9);
    const int32_t cols[] = {0, 1, 4, 5, 8, 9, 10};
    for (int32_t b = 0; b <= 6; ++b) EXPECT_EQ(f.row.columnOfByte(b), cols[b]) << b;

    f.build("abc\td", End::Cr, 0, 0, 4);
    EXPECT_EQ(f.row.cells(), std::string_view("abc d "));
    f.build("abc\td", End::Cr, 0, 0, 8);
    EXPECT_EQ(f.row.cells(), std::string_view("abc     d "));
}

TEST(RowCells, TabMarksInTheFirstCell) {
    RowFixture f;
    f.options.tabDisp = true;
    f.build("a\tb\t");
    EXPECT_EQ(f.row.cells(), std::string_view("a^  b^   "));
    EXPECT_EQ(codes(f.row), ".m...m...");
    f.options.colorSpChar = false;
    f.build("a\tb");
    EXPECT_EQ(f.row.cells(), std::string_view("a^  b "));
    EXPECT_EQ(codes(f.row), "......");
    f.options.tabDisp = false;
    f.options.colorSpChar = true;
    f.build("a\tb");
    EXPECT_EQ(f.row.cells(), std::string_view("a   b "));
    EXPECT_EQ(codes(f.row), "......");
}

TEST(RowCells, ADoubleByteTabMarkNeedsTwoCells) {
    RowFixture f;
    f.options.tabDisp = true;
    f.options.tabDispCode = test::sjis("→");
    f.build("\tabc\td");  // the second tab is one cell wide
    EXPECT_EQ(f.cellsUtf8(), "→  abc d ");
    EXPECT_EQ(f.row.kind(0), RowAttributes::kLead);
    EXPECT_EQ(f.row.kind(1), RowAttributes::kTrail);
    EXPECT_EQ(codes(f.row), "mm.....m..");
    // A control character or a lone lead byte is never put in a cell.
    f.options.tabDispCode = "\x01";
    f.build("\tx");
    EXPECT_EQ(f.row.cells(), std::string_view("    x "));
    f.options.tabDispCode = "\x82";
    f.build("\tx");
    EXPECT_EQ(f.row.cells(), std::string_view("    x "));
    f.options.tabDispCode = "";
    f.build("\tx");
    EXPECT_EQ(f.row.cells(), std::string_view("    x "));
}

TEST(RowCells, FullWidthBlankMarks) {
    RowFixture f;
    f.build("a　b");  // off by default
    EXPECT_EQ(f.cellsUtf8(), "a　b ");
    EXPECT_EQ(codes(f.row), ".....");

    f.options.dspcDisp = true;  // the default mark "□"
    f.build("a　b　");
    EXPECT_EQ(f.cellsUtf8(), "a□b□ ");
    EXPECT_EQ(codes(f.row), ".mm.mm.");

    f.options.dblSpc = "x";  // too short: a full-width blank, still coloured
    f.build("a　b");
    EXPECT_EQ(f.cellsUtf8(), "a　b ");
    EXPECT_EQ(codes(f.row), ".mm..");

    f.options.dblSpc = "[]";  // two single bytes
    f.build("a　b");
    EXPECT_EQ(f.cellsUtf8(), "a[]b ");
    EXPECT_EQ(f.row.kind(1), RowAttributes::kSingle);
    EXPECT_EQ(f.row.kind(2), RowAttributes::kSingle);

    f.options.dblSpc = "a\x82";  // would leave a lone lead byte
    f.build("a　b");
    EXPECT_EQ(f.cellsUtf8(), "a　b ");

    f.options.dblSpc = "";  // no mark and no colour
    f.build("a　b");
    EXPECT_EQ(codes(f.row), ".....");

    f.options.dblSpc = test::sjis("□");
    f.options.colorSpChar = false;
    f.build("a　b");
    EXPECT_EQ(f.cellsUtf8(), "a□b ");
    EXPECT_EQ(codes(f.row), ".....");
}

TEST(RowCells, BrokenDoubleByteCharactersShowAsQuestionMarks) {
    RowFixture f;
    f.buildSjis("a\x81");
    EXPECT_EQ(f.row.cells(), std::string_view("a? "));
    f.buildSjis("\x82", End::Eof);
    EXPECT_EQ(f.row.cells(), std::string_view("? "));
    f.buildSjis("ab\x83", End::Wrapped);
    EXPECT_EQ(f.row.cells(), std::string_view("ab?"));
    // A lead byte before a byte that is no trail byte: one two-column unit.
    f.buildSjis("\x81\tx\x82" "0");
    EXPECT_EQ(f.row.cells(), std::string_view("??x?0 "));
    EXPECT_EQ(f.row.kind(0), RowAttributes::kSingle);
    EXPECT_EQ(f.row.columnOfByte(2), 2);
}

TEST(RowCells, LineEndsAndTheEndOfText) {
    RowFixture f;
    f.build("ab", End::Cr);
    EXPECT_EQ(f.row.end(), RowEnd::LineEnd);
    EXPECT_TRUE(f.row.lineEndMark());
    EXPECT_FALSE(f.row.eofMark());
    EXPECT_EQ(f.row.contentColumns(), 2);
    EXPECT_EQ(f.row.lineEndColour(), f.colours.colour(ColourSlot::Cr));

    f.build("ab", End::Ff);
    EXPECT_TRUE(f.row.lineEndMark());
    EXPECT_EQ(f.row.cells(), std::string_view("ab "));

    f.build("ab", End::Eof);
    EXPECT_EQ(f.row.end(), RowEnd::EndOfText);
    EXPECT_FALSE(f.row.lineEndMark());
    EXPECT_TRUE(f.row.eofMark());
    EXPECT_EQ(f.row.eofColour(), f.colours.colour(ColourSlot::Eof));
    EXPECT_EQ(f.row.cells(), std::string_view("ab "));

    f.build("", End::Eof);  // an empty document
    EXPECT_EQ(f.row.columns(), 1);
    EXPECT_TRUE(f.row.eofMark());

    f.build("ab", End::Wrapped);
    EXPECT_EQ(f.row.end(), RowEnd::Wrapped);
    EXPECT_FALSE(f.row.lineEndMark());
    EXPECT_FALSE(f.row.eofMark());
    EXPECT_EQ(f.row.columns(), 2);

    f.options.crDisp = false;
    f.options.eofDisp = false;
    f.build("ab", End::Cr);
    EXPECT_FALSE(f.row.lineEndMark());
    f.build("ab", End::Eof);
    EXPECT_FALSE(f.row.eofMark());
    EXPECT_EQ(f.row.fillColumns(), 80);
}

TEST(RowCells, ASelectedLineEndIsDrawnInTheWindowColour) {
    RowFixture f;
    f.view.selection = stream(0, 1, 1, 0);
    f.build("ab");
    EXPECT_EQ(codes(f.row), ".SS");
    EXPECT_EQ(f.row.lineEndColour(), f.colours.colour(ColourSlot::Window));
}

// ---- Selections

TEST(RowSelection, StreamRows) {
    RowFixture f;
    f.view.selection = stream(0, 2, 2, 3);
    f.build("abcdef", End::Cr, 0, 0);
    EXPECT_EQ(codes(f.row), "..SSSSS");
    f.build("abcdef", End::Wrapped, 0, 1);
    EXPECT_EQ(codes(f.row), "SSSSSS");
    f.build("abcdef", End::Cr, 0, 2);
    EXPECT_EQ(codes(f.row), "SSS....");
    f.build("abcdef", End::Cr, 0, 3);
    EXPECT_EQ(codes(f.row), ".......");
}

TEST(RowSelection, FreeCursorEndsBeyondTheRow) {
    RowFixture f;
    f.view.selection = stream(0, 10, 1, 9);
    f.build("abcdef", End::Cr, 0, 0);
    EXPECT_EQ(codes(f.row), "......S");  // only the line end
    f.build("abc", End::Cr, 0, 1);
    EXPECT_EQ(codes(f.row), "SSS.");
}

TEST(RowSelection, StreamOverDoubleByteAndTabs) {
    RowFixture f;
    f.view.selection = stream(0, 1, 0, 4);  // bytes: a あ \t b
    f.build("aあ\tb");
    EXPECT_EQ(f.row.cells(), test::sjis("aあ b "));
    EXPECT_EQ(codes(f.row), ".SSS..");
}

TEST(RowSelection, BoxTakesTheCharactersThatStartInside) {
    RowFixture f;
    // Cells: a あ あ b い い c CR
    f.view.selection = box(0, 1, 2, 5);
    f.build("aあbいc");
    EXPECT_EQ(codes(f.row), "...SSS..");  // あ starts left of 2: out; い starts at 4: in, whole
    f.view.selection = box(0, 1, 1, 4);
    f.build("aあbいc");
    EXPECT_EQ(codes(f.row), ".SSS....");
    f.view.selection = box(0, 1, 2, 3);
    f.build("aあbいc");
    EXPECT_EQ(codes(f.row), "........");  // only the second half of あ
    f.view.selection = box(0, 1, 5, 2);   // reversed columns select nothing
    f.build("aあbいc");
    EXPECT_EQ(codes(f.row), "........");
}

TEST(RowSelection, BoxAndTabs) {
    RowFixture f;
    f.view.selection = box(0, 0, 2, 5);
    f.build("\tx");
    EXPECT_EQ(codes(f.row), "....S.");
    f.view.selection = box(0, 0, 0, 1);
    f.build("\tx");
    EXPECT_EQ(codes(f.row), "SSSS..");
}

TEST(RowSelection, BoxRunsOnBeyondShortRows) {
    RowFixture f;
    f.view.selection = box(0, 3, 1, 6);
    f.build("ab");
    EXPECT_EQ(codes(f.row), ".SS");  // b and the line-end cell
    EXPECT_EQ(f.row.boxTailFrom(), 3);
    EXPECT_EQ(f.row.boxTailTo(), 6);
    f.view.selection = box(0, 3, 5, 8);
    f.build("ab");
    EXPECT_EQ(codes(f.row), "...");
    EXPECT_EQ(f.row.boxTailFrom(), 5);
    EXPECT_EQ(f.row.boxTailTo(), 8);
    f.view.selection = box(0, 3, 0, 1);
    f.build("ab");
    EXPECT_GE(f.row.boxTailFrom(), f.row.boxTailTo());
}

TEST(RowAttributesReuse, AWideRowThenANarrowOne) {
    RowFixture f;
    std::string wide(3000, 'x');
    f.build(wide);
    EXPECT_EQ(f.row.columns(), 3001);
    f.build("if");
    EXPECT_EQ(codes(f.row), "kk.");
    EXPECT_EQ(f.row.cells(), std::string_view("if "));
}

TEST(RowAttributesComments, WantedOnlyWithFlagsAndColour) {
    const ColourTable on = ColourTable::resolve(test::distinctColours());
    EXPECT_FALSE(RowAttributes::wantsComments(0, on));
    EXPECT_FALSE(RowAttributes::wantsComments(rowflag::kSoftWrap | rowflag::classBit(1), on));
    EXPECT_TRUE(RowAttributes::wantsComments(rowflag::kCommentDelimiter, on));
    EXPECT_TRUE(RowAttributes::wantsComments(rowflag::kCommentRunsOn, on));
    EXPECT_TRUE(RowAttributes::wantsComments(rowflag::kCommentRunsOnNested, on));
    EXPECT_TRUE(RowAttributes::wantsComments(rowflag::kCommentEndsWithLine, on));
    StoredColours s = test::distinctColours();
    s[size_t(ColourSlot::Text4)] = s[size_t(ColourSlot::Text)];
    EXPECT_FALSE(RowAttributes::wantsComments(rowflag::kCommentDelimiter, ColourTable::resolve(s)));
}

}  // namespace
}  // namespace orvex
