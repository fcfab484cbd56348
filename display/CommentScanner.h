#pragma once
// Comment tracking for colouring. Each row's bytes are scanned for the
// delimiters of the document's comment syntax; the state carried from row
// to row is "none", "inside a block" or "inside a line comment". A line
// comment runs to the end of its logical line; a block runs until its
// closing delimiter, across rows and lines (except in tag files, where the
// layout drops the state at every line end). Delimiters are found within a
// row; a delimiter cut by a soft wrap is not seen, exactly as painting,
// which re-scans single rows, would not see it.
//
// Syntaxes (CmntSel):
//   1  "//" line comment, "/*" block closed by "*/" (the "*" of the closer
//      may not be the opener's own, so "/*/" stays open)
//   2  "'" line comment      3  ";" line comment      5  "#" line comment
//   4  "<" opens, ">" closes (tags)
//   6  "//" line comment or "{" block closed by "}", whichever comes first
//   7  "--" line comment or "/*" block closed by "*/"
//   8  the mode's own line-comment start (UsrCmnt), when not empty
// Blocks do not nest: an opener inside a block and a closer outside one
// are plain text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

enum class CommentState : uint8_t { None = 0, Block = 1, Line = 2 };

// A commented stretch of a row, in byte columns [begin, end).
struct CommentSpan {
    int32_t begin;
    int32_t end;
    friend bool operator==(const CommentSpan&, const CommentSpan&) = default;
};

class CommentScanner {
public:
    CommentScanner() = default;
    CommentScanner(int type, std::string_view userLineStart);

    // False when the syntax is 0 (or 8 with an empty start): rows then get
    // no comment bits at all.
    bool active() const { return m_type != 0; }
    int type() const { return m_type; }

    struct Result {
        int32_t flags;      // row-flag bits 0x04-0x80
        CommentState out;   // state at the row's end (a line comment ends with its line)
    };
    // Scans the content bytes [p, p + n) of one row (no line end) that
    // starts in state `in`; endsLine tells whether the row ends its logical
    // line. With spans, appends the commented stretches of the row.
    Result scanRow(const uint8_t* p, int32_t n, CommentState in, bool endsLine,
                   std::vector<CommentSpan>* spans = nullptr) const;

    // State at the start of the line after a line whose last row carries
    // these flags.
    static CommentState stateAfterLine(int32_t lastRowFlags, bool tagFile);

private:
    // First byte at or after `from` that may begin a delimiter (outside a
    // comment) or a closer (inside a block); n when there is none.
    int32_t next(const uint8_t* p, int32_t from, int32_t n, bool inBlock) const;

    int m_type = 0;
    std::string m_user;
    bool m_open[256] = {};
    bool m_close[256] = {};
    int m_openCount = 0, m_closeCount = 0;
    uint8_t m_openByte = 0, m_closeByte = 0;
};

}  // namespace orvex
