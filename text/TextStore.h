#pragma once
// The text side of a document: the Shift JIS text buffer, its row table,
// the counters kept with the rows and the insertion gap.
//
// Every change goes through insertAt/removeAt (or their row-and-column
// forms): the tail of the text moves, only the rows of the logical lines
// the change touches are laid out again, and all later rows move by a
// constant (lazily, see RowTable). When the change alters the comment
// state at the end of the rebuilt lines, the comment bits of the following
// rows are recomputed until the state agrees again. After every change the
// row table equals what a full layout of the text would give, except for
// the modified and mark bits, which record history.
//
// These operations record no undo and leave the modified state alone; the
// document (CLuDoc) adds both.
#include <cstdint>
#include <string_view>
#include <vector>

#include "display/ColumnWalk.h"
#include "display/CommentScanner.h"
#include "display/LayoutEngine.h"
#include "display/LayoutOptions.h"
#include "display/Row.h"
#include "text/RowTable.h"
#include "text/TextBuffer.h"
#include "text/TextPosition.h"

namespace orvex {

// The line break and indent that indented insertion opens at the cursor;
// rows from rowsBefore on are out of reach of cursor movement while open.
struct InsertionGap {
    bool open = false;
    int32_t length = 0;      // bytes of the gap (CR LF and the indent)
    int32_t rowsBefore = 0;  // rows up to and including the row whose line the gap ends
    int32_t offset = 0;      // text offset of the gap's first byte
};

// What the last change did: rows rebuilt, rows whose comment bits changed
// after them, and the byte range.
struct ChangeInfo {
    int32_t firstRow = 0;      // first row rebuilt
    int32_t rowsRemoved = 0;
    int32_t rowsInserted = 0;
    int32_t lastRowChanged = 0;  // last row rebuilt or recoloured (-1 with a full layout: to the end)
    int32_t offset = 0;
    int32_t bytesInserted = 0;
    int32_t bytesRemoved = 0;
    bool fullLayout = false;
    int32_t rowDelta() const { return rowsInserted - rowsRemoved; }
};

class TextStore {
public:
    static constexpr int32_t kMaxTextSize = 67108863;  // bytes, terminator included

    TextStore();  // an initialised empty document: the NUL and one row

    // Layout parameters; they take effect with the next layout run (call
    // layoutAll() after changing them).
    void setLayout(const LayoutOptions& options, int32_t wrapWidth);
    const LayoutOptions& layoutOptions() const { return m_options; }
    int32_t wrapWidth() const { return m_engine.wrapWidth(); }
    int32_t tabWidth() const { return m_engine.tabWidth(); }
    const LayoutEngine& engine() const { return m_engine; }
    // Wrap width of the last full layout (0 before the first one).
    int32_t lastLayoutWidth() const { return m_lastLayoutWidth; }

    // Text. size() counts the terminator; 0 only before initialisation.
    const char* data() const { return m_text.data(); }
    const uint8_t* bytes() const { return m_text.bytes(); }
    int32_t size() const { return m_text.size(); }
    int32_t length() const { return m_text.size() > 0 ? m_text.size() - 1 : 0; }
    std::string_view view() const { return {m_text.data(), size_t(length())}; }

    // Rows.
    int32_t rowCount() const { return m_rows.size(); }
    Row row(int32_t r) const { return m_rows.at(r); }
    int32_t rowFlags(int32_t r) const { return m_rows.flags(r); }
    const RowTable& rows() const { return m_rows; }
    // Rows cursor movement may reach: all of them, or the rows before an
    // open insertion gap.
    int32_t availableRowCount() const { return m_gap.open ? m_gap.rowsBefore : rowCount(); }
    int32_t lineCount() const { return rowCount() ? m_rows.line(rowCount() - 1) + 1 : 0; }
    int32_t firstRowOfLine(int32_t r) const;
    int32_t lastRowOfLine(int32_t r) const;
    // First row whose line is at least n (searching all rows but the
    // last); the last row when there is none; 0 with fewer than 2 rows.
    int32_t rowOfLine(int32_t n) const;
    // Row that holds byte offset (the LFs of a line end belong to the row
    // of their CR).
    int32_t rowOfOffset(int32_t offset) const;
    int32_t endColumn(int32_t r) const { return orvex::endColumn(m_rows.at(r)); }
    int32_t endDisplayColumn(int32_t r) const { return orvex::endDisplayColumn(m_rows.at(r)); }
    const char* pointer(int32_t r, int32_t byteColumn) const { return data() + m_rows.offset(r) + byteColumn; }
    // Bytes of row r: its content and, on the last row of a line, the
    // line-end byte (CR or FF) or the NUL.
    std::string_view rowText(int32_t r) const;

    // Positions. offsetOf clamps the column into the row (0 .. end column)
    // and onto a character boundary; positionOf maps an offset inside a
    // line end to the end column of its row.
    int32_t offsetOf(int32_t r, int32_t byteColumn) const;
    TextPosition positionOf(int32_t offset) const;

    // Column conversion for a view: the target display column is clamped
    // to the larger of the wrap width and the row's width; beyond the row's
    // end it stays there with the free cursor (byte column = end column +
    // the excess) and is clamped to the end otherwise; inside the row the
    // characters are walked (see byteColumnAt).
    ColumnHit byteColumnAt(int32_t r, int32_t targetColumn, bool takeDouble, int32_t viewWrapWidth,
                           bool freeCursor) const;
    // Display column of a byte column (beyond the end: end display column
    // plus the excess, for free-cursor positions).
    int32_t displayColumnAt(int32_t r, int32_t byteColumn) const;
    // Go to logical line n (1-based): n is clamped to 1 .. available rows,
    // then the row of line n - 1, column 0.
    TextPosition goToLine(int32_t n) const;

    // Comment state at the start of row r and the commented stretches of
    // the row, for painting.
    CommentState commentStateAtRow(int32_t r) const;
    void commentSpans(int32_t r, std::vector<CommentSpan>& spans) const;

    // Counters kept with the rows.
    int32_t markedRowCount() const { return m_markedRows; }
    int32_t titleRowCount() const { return m_titleRows; }
    bool modifiedRowsPresent() const { return m_modifiedRows; }
    int32_t rowSizeHint() const { return m_rowSizeHint; }
    void setRowSizeHint(int32_t rows) { m_rowSizeHint = rows > 0 ? rows : 0; }

    // Changes; each returns the first row rebuilt, or -1 when refused (the
    // text would pass kMaxTextSize, or memory ran out; nothing changes).
    // Offsets must lie on character boundaries; NUL bytes in inserted text
    // become blanks (text never holds a NUL before its end).
    int32_t insertAt(int32_t offset, const char* p, int32_t n);
    int32_t insert(int32_t r, int32_t byteColumn, const char* p, int32_t n) {
        return insertAt(offsetOf(r, byteColumn), p, n);
    }
    // The length is clamped so that the terminator stays, and a deletion
    // that would leave the LFs of a cut CR LF run behind takes them too
    // (see deletionLength).
    int32_t removeAt(int32_t offset, int32_t n);
    int32_t remove(int32_t r, int32_t byteColumn, int32_t n) { return removeAt(offsetOf(r, byteColumn), n); }
    // Bytes a deletion of n bytes at offset really removes.
    int32_t deletionLength(int32_t offset, int32_t n) const;
    const ChangeInfo& lastChange() const { return m_lastChange; }

    // Rebuilds every row; marks and modified bits go back onto the first
    // row of their logical lines. Returns the row count.
    int32_t layoutAll();
    // Empties text, rows and counters; with initialise, stores the single
    // NUL and lays it out (one row), otherwise leaves size 0 for a loader.
    void reset(bool initialise);
    // Replaces the whole text (rows are stale until layoutAll()); false when
    // it is too large.
    bool setText(std::string_view text);
    // Direct access for loaders that read and convert in place; rows are
    // stale until layoutAll().
    TextBuffer& buffer() { return m_text; }

    // Flag bits.
    bool setMark(int32_t r, bool on);  // on the first row of r's line; true when it changed
    void clearMarks();
    void clearModifiedBits();
    // Sets the modified and mark bits of row r to those of bits, keeping the
    // marked-row count and the modified-rows flag right. For an edit made in
    // one piece that must leave the flags a sequence of smaller edits would
    // have left (replace all).
    void setHistoryBits(int32_t r, int32_t bits);

    // Insertion gap.
    const InsertionGap& insertionGap() const { return m_gap; }
    void openInsertionGap(int32_t offset, int32_t length);
    void forgetInsertionGap() { m_gap = InsertionGap{}; }

private:
    void ensureInitialised();
    int32_t rebuild(int32_t first, int32_t removeCount, int32_t start, int32_t end, int32_t line, int32_t byteShift,
                    int32_t carried, int32_t editOffset, int32_t inserted, int32_t removed);
    int32_t carryComments(int32_t r, CommentState now, CommentState before);
    CommentState stateBeforeRow(int32_t r) const;
    void afterEditGap(int32_t editOffset, int32_t byteShift);

    LayoutOptions m_options;
    LayoutEngine m_engine;
    TextBuffer m_text;
    RowTable m_rows;
    RowBuffer m_scratch;  // rows of an incremental layout
    int32_t m_markedRows = 0;
    int32_t m_titleRows = 0;
    int32_t m_rowSizeHint = 0;
    bool m_modifiedRows = false;
    InsertionGap m_gap;
    int32_t m_lastLayoutWidth = 0;
    ChangeInfo m_lastChange;
};

}  // namespace orvex
