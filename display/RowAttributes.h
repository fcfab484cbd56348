#pragma once
// One painted row: its displayed bytes and the attribute of every cell.
//
// The displayed bytes are the row's bytes with tabs expanded to blanks,
// the line end (CR or FF) or the text's terminator drawn as a blank, and
// the marks put in place: the first cell of each tab shows the tab mark,
// each full-width blank shows the full-width blank mark. Invariants after
// build(): there is one byte per display column; every lead byte is
// followed by its trail byte in the next cell and both cells carry the same
// attribute (a lone lead byte of broken text is shown as "?", and so is a
// lead byte followed by a byte that is no trail byte), so any run
// of cells that starts and ends on character boundaries converts and draws
// on its own.
//
// Attributes are built in this order, each step overwriting the attribute
// code of earlier ones (bit 0x80, the caret-line background, stays):
//   1 caret line   2 keywords   3 comments   4 line-start class
//   5 caret line again (when it only changes the text colour)
//   6 tab marks   7 full-width blanks   8 URLs   9 mail addresses
//  10 search highlight   11 selection (stream or box)
// A step runs only when its colour differs from TextColor (or, for the
// caret line, from TextColor/WindowColor).
//
// One object is reused for every row of a paint; build() allocates only
// when a row is wider than any before.
#include <cstdint>
#include <string_view>
#include <vector>

#include "display/CommentScanner.h"
#include "display/KeywordMatcher.h"
#include "display/LinkScanner.h"
#include "display/PaintState.h"

namespace orvex {

// The bytes of one display row and what the row table says about it.
struct RowSource {
    std::string_view bytes;  // Row::length bytes from the row's offset: content, then CR/FF or the NUL
    int32_t row = 0;         // display row index
    int32_t flags = 0;       // Row::flags
    // Commented stretches of the row (TextStore::commentSpans); only read
    // when RowAttributes::wantsComments() says so. Null: none.
    const std::vector<CommentSpan>* comments = nullptr;
};

// How the row ends.
enum class RowEnd : uint8_t { Wrapped, LineEnd, EndOfText };

class RowAttributes {
public:
    // Kinds of cells.
    enum CellKind : uint8_t { kSingle = 0, kLead = 1, kTrail = 2, kTabFill = 3 };

    // Whether painting row flags needs the row's comment spans.
    static bool wantsComments(int32_t flags, const ColourTable& colours);

    void build(const RenderSetup& setup, const ViewPaintState& view, const RowSource& row);

    // Cells: the displayed text, the line-end or terminator cell included.
    int32_t columns() const { return m_columns; }
    // Cells of the row's content (the line-end cell starts here).
    int32_t contentColumns() const { return m_contentColumns; }
    std::string_view cells() const { return {m_cells.data(), size_t(m_columns)}; }
    const uint8_t* attributes() const { return m_attrs.data(); }
    uint8_t attribute(int32_t cell) const { return m_attrs[size_t(cell)]; }
    CellKind kind(int32_t cell) const { return CellKind(m_kinds[size_t(cell)]); }
    // Display column of byte column b of the row (0 .. bytes.size()).
    int32_t columnOfByte(int32_t b) const { return m_colOf[size_t(b)]; }
    RowEnd end() const { return m_end; }

    // Marks drawn over the cells.
    bool lineEndMark() const { return m_lineEndMark; }  // the arrow in cell contentColumns()
    Colour lineEndColour() const { return m_lineEndColour; }
    bool eofMark() const { return m_eofMark; }          // "[EOF]" from cell contentColumns()
    Colour eofColour() const { return m_eofColour; }

    // The caret line applied (step 1); the row is underlined in LineColor.
    bool caretLine() const { return m_caretLine; }
    bool underline() const { return m_underline; }
    Colour underlineColour() const { return m_underlineColour; }

    // Background right of the text, to at least fillColumns().
    Colour fillColour() const { return m_fillColour; }
    int32_t fillColumns() const { return m_fillColumns; }
    // Columns [from, to) of a box selection that lie beyond the row's
    // text, drawn in the selection background; empty when from >= to.
    int32_t boxTailFrom() const { return m_boxTailFrom; }
    int32_t boxTailTo() const { return m_boxTailTo; }

private:
    void expand(const RenderSetup& setup, const uint8_t* p, int32_t n, int32_t content);
    // Sets the code of cells [from, to), widened to whole characters.
    void setCode(int32_t from, int32_t to, uint8_t code);
    void setBytes(int32_t begin, int32_t end, uint8_t code) { setCode(m_colOf[size_t(begin)], m_colOf[size_t(end)], code); }
    void putTabMarks(const RenderOptions& o);
    void putBlankMarks(const RenderOptions& o);
    void applySelection(const SelectionPoints& s, int32_t row, int32_t n, int32_t content);

    std::vector<char> m_cells;
    std::vector<uint8_t> m_attrs;
    std::vector<uint8_t> m_kinds;
    std::vector<int32_t> m_colOf;
    std::vector<int32_t> m_tabCells;    // first cell of every tab
    std::vector<int32_t> m_blankCells;  // first cell of every full-width blank
    std::vector<KeywordHit> m_keywordHits;
    std::vector<ByteSpan> m_spans;

    int32_t m_columns = 0;
    int32_t m_contentColumns = 0;
    RowEnd m_end = RowEnd::Wrapped;
    bool m_lineEndMark = false;
    bool m_eofMark = false;
    bool m_caretLine = false;
    bool m_underline = false;
    Colour m_lineEndColour = 0;
    Colour m_eofColour = 0;
    Colour m_underlineColour = 0;
    Colour m_fillColour = 0;
    int32_t m_fillColumns = 0;
    int32_t m_boxTailFrom = 0;
    int32_t m_boxTailTo = 0;
};

}  // namespace orvex
