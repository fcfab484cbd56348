// The text store: buffer rules, limits, incremental layout of edits and the
// queries views use.
#include <gtest/gtest.h>

#include <cstring>

#include "common/codepage/Cp932.h"
#include "tests/text/TextInvariants.h"
#include "text/TextStore.h"

using namespace orvex;
using namespace orvex::test;

namespace {

std::string sj(const char* utf8) { return cp932::fromUtf8(utf8); }

class TextStoreTest : public ::testing::Test {
protected:
    void setText(const std::string& sjis, int32_t wrap = 80, LayoutOptions o = {}) {
        s.setLayout(o, wrap);
        ASSERT_TRUE(s.setText(sjis));
        s.layoutAll();
        ASSERT_EQ(checkInvariants(s), "");
    }
    void insert(int32_t r, int32_t col, const std::string& text) {
        ASSERT_GE(s.insert(r, col, text.data(), int32_t(text.size())), 0);
        ASSERT_EQ(checkInvariants(s), "");
    }
    void remove(int32_t r, int32_t col, int32_t n) {
        s.remove(r, col, n);
        ASSERT_EQ(checkInvariants(s), "");
    }
    std::string text() const { return std::string(s.view()); }
    TextStore s;
};

TEST_F(TextStoreTest, NewDocumentHoldsOnlyTheTerminator) {
    EXPECT_EQ(s.size(), 1);
    EXPECT_EQ(s.data()[0], 0);
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.row(0), (Row{0, 0, 1, 1, 0}));
    EXPECT_EQ(s.lineCount(), 1);
}

TEST_F(TextStoreTest, CrLfLfIsOneLineEnd) {
    insert(0, 0, std::string("a\r\n\nb"));
    EXPECT_EQ(s.lineCount(), 2);
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.row(0).length, 2);
    EXPECT_EQ(s.row(1).offset, 4);
    EXPECT_EQ(s.rowText(1), std::string_view("b\0", 2));
}

TEST_F(TextStoreTest, LoneLfBecomesCr) {
    insert(0, 0, "a\nb");
    EXPECT_EQ(text(), "a\rb");
    EXPECT_EQ(s.lineCount(), 2);
}

TEST_F(TextStoreTest, FormFeedEndsALine) {
    insert(0, 0, "page1\fpage2");
    EXPECT_EQ(s.lineCount(), 2);
    EXPECT_EQ(s.row(1).offset, 6);
}

TEST_F(TextStoreTest, NulInInsertedTextBecomesABlank) {
    insert(0, 0, std::string("a\0b", 3));
    EXPECT_EQ(text(), "a b");
}

TEST_F(TextStoreTest, DeletingPastTheEndKeepsTheTerminator) {
    setText("abc\r\ndef");
    remove(1, 1, 1000);
    EXPECT_EQ(text(), "abc\r\nd");
    EXPECT_EQ(s.size(), 7);
    EXPECT_EQ(s.deletionLength(0, -5), 0);
    EXPECT_EQ(s.deletionLength(s.size() - 1, 3), 0);
}

TEST_F(TextStoreTest, CuttingACrFromItsLfsTakesTheLfs) {
    setText("ab\r\n\ncd");
    // Deleting only the CR would leave the LFs as two new line ends.
    EXPECT_EQ(s.deletionLength(2, 1), 3);
    remove(0, 2, 1);
    EXPECT_EQ(text(), "abcd");
    // After a line end the LFs join the run before them: no extension.
    setText("x\r\nab\r\n\ncd");
    EXPECT_EQ(s.deletionLength(3, 3), 3);
    remove(1, 0, 3);
    EXPECT_EQ(text(), "x\r\n\n\ncd");
    EXPECT_EQ(s.lineCount(), 2);
}

TEST_F(TextStoreTest, SizeLimitIsExact) {
    // Fill to one byte below the limit (short lines), then try two bytes
    // and one byte.
    std::string big;
    big.reserve(size_t(TextStore::kMaxTextSize));
    while (big.size() + 40 < size_t(TextStore::kMaxTextSize) - 2) big += "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n";
    big.append(size_t(TextStore::kMaxTextSize) - 2 - big.size(), 'x');
    ASSERT_TRUE(s.setText(big));
    s.layoutAll();
    EXPECT_EQ(s.size(), TextStore::kMaxTextSize - 1);
    EXPECT_EQ(s.insertAt(0, "ab", 2), -1);  // would be 67,108,864
    EXPECT_EQ(s.size(), TextStore::kMaxTextSize - 1);
    EXPECT_EQ(s.data()[0], 'x');
    EXPECT_GE(s.insertAt(0, "a", 1), 0);  // exactly 67,108,863
    EXPECT_EQ(s.size(), TextStore::kMaxTextSize);
    EXPECT_EQ(s.insertAt(s.size() - 1, "b", 1), -1);
    EXPECT_FALSE(s.setText(std::string(size_t(TextStore::kMaxTextSize), 'y')));
}

TEST_F(TextStoreTest, LineInsertedAtColumnZeroLeavesTheRowAlone) {
    setText("one\r\ntwo\r\nthree");
    ASSERT_TRUE(s.setMark(1, true));
    const Row before = s.row(1);
    insert(1, 0, "new\r\n");
    const Row after = s.row(2);
    EXPECT_EQ(after.line, before.line + 1);
    EXPECT_EQ(after.offset, before.offset + 5);
    EXPECT_EQ(after.length, before.length);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.flags, before.flags);  // mark kept, not marked modified
    EXPECT_EQ(s.row(1).flags & rowflag::kMarked, 0);
    EXPECT_EQ(s.row(1).flags & rowflag::kModified, rowflag::kModified);
    EXPECT_EQ(s.lastChange().rowsRemoved, 0);
    EXPECT_EQ(s.lastChange().rowsInserted, 1);
}

TEST_F(TextStoreTest, TextInsertedMidLineRebuildsItsLineOnly) {
    setText("aaaa\r\nbbbb\r\ncccc");
    ASSERT_TRUE(s.setMark(1, true));
    insert(1, 2, "XY");
    EXPECT_EQ(text(), "aaaa\r\nbbXYbb\r\ncccc");
    EXPECT_EQ(s.row(1).flags & rowflag::kCarried, rowflag::kCarried);  // mark kept, modified set
    EXPECT_EQ(s.row(0).flags & rowflag::kModified, 0);
    EXPECT_EQ(s.row(2).flags & rowflag::kModified, 0);
    EXPECT_EQ(s.row(2).offset, 14);
    EXPECT_EQ(s.lastChange().firstRow, 1);
    EXPECT_EQ(s.lastChange().rowsRemoved, 1);
}

TEST_F(TextStoreTest, DeletingAMarkedLinesEndKeepsTheMarkOnTheJoinedRow) {
    setText("first\r\nsecond\r\nthird");
    s.setMark(0, true);
    remove(0, 5, 2);  // the CR LF of "first"
    EXPECT_EQ(text(), "firstsecond\r\nthird");
    EXPECT_TRUE(s.rowFlags(0) & rowflag::kMarked);
    EXPECT_EQ(s.markedRowCount(), 1);
}

TEST_F(TextStoreTest, MarksOfDeletedLinesGoAndTheFirstOneMovesOn) {
    setText("a\r\nb\r\nc\r\nd");
    s.setMark(1, true);
    s.setMark(2, true);
    // Whole lines "b" and "c", deleted from the start of "b": "d", which
    // begins where the deletion ends, is not rebuilt.
    remove(1, 0, 6);
    EXPECT_EQ(text(), "a\r\nd");
    // The first deleted line's mark moves onto the row now in its place;
    // the other deleted mark is gone.
    EXPECT_TRUE(s.rowFlags(1) & rowflag::kMarked);
    EXPECT_EQ(s.markedRowCount(), 1);
}

TEST_F(TextStoreTest, CountsStayExactForMarkedTitleRows) {
    LayoutOptions o;
    o.ttwdSel[0] = 1;
    o.classColours[0] = 0xFF;
    o.titleStr[0] = "#";
    setText("# one\r\nx\r\n# two\r\n", 80, o);
    EXPECT_EQ(s.titleRowCount(), 2);
    s.setMark(2, true);
    // Deleting a row that is both marked and a title row counts it off both.
    remove(1, 0, 10);
    EXPECT_EQ(text(), "# one\r\n");
    EXPECT_EQ(s.titleRowCount(), 1);
    EXPECT_EQ(s.markedRowCount(), 0);
}

TEST_F(TextStoreTest, WrappedLineRebuildsAllItsRows) {
    setText(sj("あいうえおかきくけこさしすせそ\r\nnext"), 10);
    ASSERT_EQ(s.rowCount(), 5);  // 30 columns: the line end gets a row of its own
    EXPECT_EQ(s.row(3), (Row{0, 30, 1, 1, 0}));
    insert(1, 0, sj("ん"));  // at the start of a continuation row
    EXPECT_EQ(s.rowText(0), sj("あいうえお"));
    EXPECT_EQ(s.rowText(1), sj("んかきくけ"));
    EXPECT_EQ(s.lastChange().firstRow, 0);
}

TEST_F(TextStoreTest, KinsokuHangingFollowsAnEdit) {
    LayoutOptions o;
    o.kinsoku = true;
    setText(sj("あいうえおかき"), 10, o);
    EXPECT_EQ(s.row(0).width, 10);
    insert(0, 10, sj("。"));
    EXPECT_EQ(s.row(0).width, 12);
    EXPECT_EQ(s.rowText(0), sj("あいうえお。"));
}

TEST_F(TextStoreTest, CommentStateIsCarriedThroughFollowingRows) {
    LayoutOptions o;
    o.commentColour = 0xFF;
    o.cmntSel = 1;
    setText("a\r\nb\r\nc */ d\r\ne", 80, o);
    EXPECT_EQ(s.rowFlags(1) & rowflag::kCommentMask, 0);
    insert(0, 1, "/*");
    EXPECT_EQ(s.rowFlags(1) & rowflag::kCommentMask, rowflag::kCommentRunsOn);
    EXPECT_EQ(s.rowFlags(2) & rowflag::kCommentMask, rowflag::kCommentDelimiter | rowflag::kCommentCloses);
    EXPECT_EQ(s.rowFlags(3) & rowflag::kCommentMask, 0);
    EXPECT_EQ(s.lastChange().lastRowChanged, 2);
    EXPECT_EQ(s.commentStateAtRow(1), CommentState::Block);
    std::vector<CommentSpan> spans;
    s.commentSpans(2, spans);
    EXPECT_EQ(spans, (std::vector<CommentSpan>{{0, 4}}));
    // Recoloured rows are not rebuilt: they do not become modified.
    EXPECT_EQ(s.rowFlags(1) & rowflag::kModified, 0);
    remove(0, 1, 2);
    EXPECT_EQ(s.rowFlags(1) & rowflag::kCommentMask, 0);
}

TEST_F(TextStoreTest, InsertedLfJoinsTheCrLfRunBefore) {
    setText("a\r\nb");
    insert(1, 0, "\nc");
    EXPECT_EQ(text(), "a\r\n\ncb");
    EXPECT_EQ(s.lineCount(), 2);
    EXPECT_EQ(s.rowText(1), std::string_view("cb\0", 3));
}

TEST_F(TextStoreTest, FullLayoutPutsMarksAndModifiedBitsOnFirstRows) {
    setText(sj("あいうえおかきくけこさしすせ\r\nx\r\nyy"), 10);
    s.setMark(2, true);  // row 2 is the last row of line 0: the mark goes on row 0
    EXPECT_TRUE(s.rowFlags(0) & rowflag::kMarked);
    insert(3, 1, "z");
    s.setLayout(LayoutOptions{}, 40);
    s.layoutAll();
    ASSERT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.rowFlags(0) & rowflag::kCarried, rowflag::kMarked);
    EXPECT_EQ(s.rowFlags(1) & rowflag::kCarried, rowflag::kModified);
    EXPECT_EQ(s.rowFlags(2) & rowflag::kCarried, 0);
    EXPECT_EQ(s.markedRowCount(), 1);
    EXPECT_TRUE(s.modifiedRowsPresent());
    EXPECT_EQ(s.lastLayoutWidth(), 40);
}

TEST_F(TextStoreTest, RowTableSlackStaysWithinOneGrowthStep) {
    setText(std::string(200000, 'a'));  // one line, 2,500 rows
    EXPECT_EQ(s.rows().growthStep(), 1024);
    EXPECT_GT(s.rows().capacity(), size_t(s.rowCount()));
    EXPECT_LE(s.rows().capacity(), size_t(s.rowCount()) + 1024);
    s.setRowSizeHint(50000);  // a large hint only sizes the steps while building
    s.layoutAll();
    EXPECT_LE(s.rows().capacity(), size_t(s.rowCount()) + 1024);
    insert(0, 0, std::string(100000, 'b'));  // 1,250 more rows: grown by steps
    EXPECT_LE(s.rows().capacity(), size_t(s.rowCount()) + 2048);
}

TEST_F(TextStoreTest, RowQueries) {
    setText(sj("あいうえおかきくけこさしすせ\r\n\r\nlast"), 10);
    ASSERT_EQ(s.rowCount(), 5);
    EXPECT_EQ(s.firstRowOfLine(2), 0);
    EXPECT_EQ(s.lastRowOfLine(0), 2);
    EXPECT_EQ(s.lastRowOfLine(4), 4);
    EXPECT_EQ(s.rowOfLine(0), 0);
    EXPECT_EQ(s.rowOfLine(1), 3);
    EXPECT_EQ(s.rowOfLine(2), 4);
    EXPECT_EQ(s.rowOfLine(99), 4);
    EXPECT_EQ(s.endColumn(0), 10);  // continuation row: its length
    EXPECT_EQ(s.endColumn(2), 8);  // last row: before the line end
    EXPECT_EQ(s.endDisplayColumn(2), 8);
    EXPECT_EQ(s.endColumn(3), 0);
    EXPECT_EQ(s.rowOfOffset(0), 0);
    EXPECT_EQ(s.rowOfOffset(29), 2);  // the LF of the first CR LF
    EXPECT_EQ(*s.pointer(4, 1), 'a');
    TextStore one;
    EXPECT_EQ(one.rowOfLine(5), 0);
}

TEST_F(TextStoreTest, PositionsSnapToCharactersAndRows) {
    setText(sj("aあb\r\ncd"));
    EXPECT_EQ(s.offsetOf(0, 2), 1);   // second byte of あ: back to its start
    EXPECT_EQ(s.offsetOf(0, 99), 4);  // clamped to the end column
    EXPECT_EQ(s.offsetOf(9, 0), 6);   // row clamped
    EXPECT_EQ(s.positionOf(5), (TextPosition{0, 4, 4}));  // inside the line end
    EXPECT_EQ(s.positionOf(8), (TextPosition{1, 2, 2}));
    EXPECT_EQ(s.displayColumnAt(0, 3), 3);
    EXPECT_EQ(s.displayColumnAt(0, 6), 6);  // free-cursor excess of 2
}

TEST_F(TextStoreTest, DisplayColumnToByteColumnForAView) {
    setText(sj("aあb\tc\r\nxy"));
    // Inside the row: the walk; a double-byte character is not split.
    EXPECT_EQ(s.byteColumnAt(0, 2, false, 80, false), (ColumnHit{1, 1}));
    EXPECT_EQ(s.byteColumnAt(0, 2, true, 80, false), (ColumnHit{3, 3}));
    // Beyond the row's end: clamped, or kept with the free cursor.
    EXPECT_EQ(s.byteColumnAt(1, 6, false, 80, false), (ColumnHit{2, 2}));
    EXPECT_EQ(s.byteColumnAt(1, 6, false, 80, true), (ColumnHit{6, 6}));
    // The target is first clamped to the larger of wrap width and row width.
    EXPECT_EQ(s.byteColumnAt(1, 500, false, 20, true), (ColumnHit{20, 20}));
}

TEST_F(TextStoreTest, GoToLineClampsToTheAvailableRows) {
    setText(sj("あいうえおかきくけこさしすせ\r\nb\r\nc"), 10);
    EXPECT_EQ(s.goToLine(1), (TextPosition{0, 0, 0}));
    EXPECT_EQ(s.goToLine(2), (TextPosition{3, 0, 0}));
    EXPECT_EQ(s.goToLine(0), (TextPosition{0, 0, 0}));
    EXPECT_EQ(s.goToLine(99), (TextPosition{4, 0, 0}));
}

TEST_F(TextStoreTest, TabColumns) {
    setText("abcde\tx\r\nabcdefgh\ty");
    EXPECT_EQ(s.displayColumnAt(0, 6), 8);
    EXPECT_EQ(s.displayColumnAt(1, 9), 12);
}

TEST_F(TextStoreTest, InsertionGapFollowsEditsBeforeIt) {
    setText("ab\r\ncd\r\nef");
    s.insert(1, 1, "\r\n ", 3);
    s.openInsertionGap(5, 3);  // "c" | CR LF blank | "d"
    EXPECT_EQ(s.availableRowCount(), 2);
    insert(0, 0, "x\r\n");
    EXPECT_EQ(s.insertionGap().offset, 8);
    EXPECT_EQ(s.availableRowCount(), 3);
    EXPECT_EQ(s.goToLine(99).row, 2);
    insert(4, 0, "later");  // after the gap: the gap stays
    EXPECT_TRUE(s.insertionGap().open);
    s.removeAt(8, 2);  // into the gap: it ends
    EXPECT_FALSE(s.insertionGap().open);
    EXPECT_EQ(s.availableRowCount(), s.rowCount());
}

TEST_F(TextStoreTest, ResetWithoutInitialisingLeavesRoomForALoader) {
    s.reset(false);
    EXPECT_EQ(s.size(), 0);
    EXPECT_EQ(s.rowCount(), 0);
    ASSERT_TRUE(s.buffer().resize(5));
    std::memcpy(s.buffer().data(), "ab\ncd", 5);
    s.layoutAll();
    EXPECT_EQ(text(), "ab\rcd");
    EXPECT_EQ(checkInvariants(s), "");
    s.reset(false);
    insert(0, 0, "x");  // an edit initialises first
    EXPECT_EQ(text(), "x");
}

}  // namespace
