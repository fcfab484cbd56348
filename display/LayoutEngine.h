#pragma once
// Layout: cuts logical lines into display rows no wider than the wrap width.
//
// Per logical line (a line ends at CR, LF or FF; the text ends with a NUL):
//  - A CR and the LFs right after it are one line end (one byte and one
//    column in the row; the LFs belong to no row). A lone LF is rewritten to
//    CR in the text and is a line end of its own, so every LF of a run of
//    LFs without a CR starts a new line. A FF is a one-byte line end.
//  - Columns: TAB to the next multiple of the tab width, a double-byte
//    character 2, any other byte 1. Rows are measured from column 0.
//  - A rest of a line that fits with its line-end mark (columns + 1 <= W)
//    is one row. Otherwise the row is cut where the column reaches W, before
//    a double-byte character that would pass W; then, with kinsoku, a
//    last character from the no-line-end set moves to the next row; or with
//    word wrap, an ASCII word (run of letters, or of digits) cut by the break
//    moves whole to the next row unless it fills the row; or, with kinsoku,
//    characters of the no-line-start set hang into the row within the hang
//    limit, and a line end met there (or right after a hung character)
//    hangs too.
//  - Rows that do not end their line carry 0x1000; every row of a line
//    whose first bytes match a line-start prefix carries the class bit;
//    comment bits come from the comment scanner.
// Layout never changes text except the lone-LF rewrite.
#include <cstdint>

#include "display/CharSet.h"
#include "display/CommentScanner.h"
#include "display/LayoutOptions.h"
#include "display/LineBreaker.h"
#include "display/LineStartClasses.h"
#include "display/Row.h"
#include "display/RowBuffer.h"

namespace orvex {

// Where a layout run stopped: a line start (or the text size after the
// last row), the number of that line and the comment state there.
struct LayoutStop {
    int32_t offset;
    int32_t line;
    CommentState state;
};

class LayoutEngine {
public:
    LayoutEngine() : LayoutEngine(LayoutOptions{}, 80) {}
    LayoutEngine(const LayoutOptions& options, int32_t wrapWidth);

    int32_t wrapWidth() const { return m_wrap; }
    int32_t tabWidth() const { return m_tab; }
    bool tagFile() const { return m_tagFile; }
    const CommentScanner& comments() const { return m_comments; }
    // Whether rows can carry line-start class bits at all.
    bool classesActive() const { return m_classes.active(); }

    // Lays out whole lines of `text` (textSize bytes, the last one the
    // NUL) from the line start `start`, numbering them from `line` and
    // starting in comment state `state`. Rows are appended to out (which
    // grows by its own growth step). Stops at the first line start at or
    // beyond `stop`, or after the last row of the text.
    LayoutStop layout(uint8_t* text, int32_t textSize, int32_t start, int32_t stop, int32_t line,
                      CommentState state, RowBuffer& out) const;

    // The whole text laid out into out, exactly as layout(text, textSize, 0,
    // textSize, 0, None, out) does it. A large text without comment
    // tracking is laid out as two parts on two threads: each part reads and
    // changes only its own bytes (a lone LF becomes CR), and the rows of the
    // second are renumbered and appended after those of the first.
    void layoutAll(uint8_t* text, int32_t textSize, RowBuffer& out) const;

    // Comment bits of one row and the state after it, for rows whose text is
    // unchanged but whose incoming state changed.
    CommentScanner::Result commentBits(const uint8_t* rowText, const Row& row, CommentState in) const;

private:
    // layout() reading whole blocks only inside [floor, limit) (limit -1:
    // the terminator).
    LayoutStop layoutPart(uint8_t* text, int32_t textSize, int32_t start, int32_t stop, int32_t line,
                          CommentState state, RowBuffer& out, int32_t floor, int32_t limit) const;

    // Byte offset where the row starting at rowStart is cut, with its
    // columns; lineEndTaken tells that the line end hangs in the row. The
    // rest of the line must not fit; `tab` tells that the line may hold a
    // TAB (without one, columns are bytes).
    struct Break {
        int32_t offset;
        int32_t columns;
        bool lineEndTaken;
    };
    Break findBreak(const uint8_t* t, int32_t rowStart, int32_t contentEnd, bool tab) const;
    // Columns of [from, to) when they fit with the line-end mark, else -1.
    int32_t measureFit(const uint8_t* t, int32_t from, int32_t to) const;

    int32_t m_wrap;
    int32_t m_tab;
    int32_t m_hang;
    bool m_kinsoku;
    bool m_wordWrap;
    bool m_tagFile;
    CharSet m_noLineStart;
    CharSet m_noLineEnd;
    CommentScanner m_comments;
    LineStartClasses m_classes;
};

}  // namespace orvex
