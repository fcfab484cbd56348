#pragma once
// Matching a compiled pattern against a subject (the document's text, or
// one line of a file).
//
// A match starts on a character boundary inside the search range and lies
// inside its window: from the start to the end of the logical line that is
// lineEnds() lines further on, clipped to the range. The elements are
// matched one after the other from the start position; a repeat over a
// character or class takes as many as it can and never gives any back; a
// repeat over "any" searches the rest of the pattern forward, leftmost
// first, within its line. A failing element fails the attempt at this
// start: no element is ever retried with another length.
//
// Finding forward tries the start positions from the range start on and
// takes the first that matches; finding backward takes the last one (the
// rightmost start). Context outside the range (the character before a
// "^" or a word test at the range start, after a "$" at the range end) is
// read from the subject, or taken from the range when the range says so.
//
// Every literal element must lie inside a match, so a search first looks
// for the pattern's pieces (CompiledPattern::pieces) and passes over the
// lines whose starts cannot reach the next occurrence of each; only the
// lines that can are tried start by start. The starts tried are a subset of
// the plain search's, and every skipped one would have failed, so both find
// the same matches.
//
// The matcher keeps per-search caches (of runs, lazy scans and element
// results at a position) that make a search linear in the searched text
// for every pattern; nothing survives between searches but the pattern.
#include <array>
#include <cstdint>

#include "search/CharScan.h"
#include "search/CompiledPattern.h"

namespace orvex::search {

struct Match {
    int32_t offset = -1;
    int32_t length = 0;
    bool found() const { return offset >= 0; }
    int32_t end() const { return offset + length; }
};

// What stands just outside a searched range when the subject's own bytes
// there do not count (the replace loop resumes after text it replaced).
struct EdgeContext {
    bool given = false;
    bool lineEnd = true;  // a line end or the edge of the text
    bool word = false;    // an ASCII letter, digit or "_"
};

struct SearchRange {
    int32_t begin = 0;  // a character boundary
    int32_t end = 0;    // matches lie inside [begin, end]; a character boundary
    EdgeContext before;  // the character before begin
    EdgeContext after;   // the character at end
};

class PatternMatcher {
public:
    PatternMatcher(const CompiledPattern& pattern, Subject subject);

    Match findForward(const SearchRange& range);
    Match findBackward(const SearchRange& range);
    // First match whose start lies in [from, startLimit] (from a boundary in
    // the range, startLimit <= range.end).
    Match findFirst(const SearchRange& range, int32_t from, int32_t startLimit);

    // Whether the pattern's pieces (CompiledPattern::pieces) may skip the
    // stretches of text that lack one of them (on by default). Off, every
    // start is tried: the plain search the skip must agree with.
    void setSkipByPieces(bool on) { m_skipByPieces = on; }

private:
    struct Memo {
        int32_t arg = -1, result = -1;          // element result at a position
        int32_t runFrom = -1, runEnd = -1;      // greedy run, or line end for a final lazy repeat
        int32_t lazyFrom = -1, lazyHit = -1, lazyEnd = -1, lazyLimit = -1;
    };

    void resetMemos();
    void setStart(int32_t s);
    void computeWindow(int32_t s);
    int32_t knownBelow(int32_t p) const;

    int32_t match(size_t i, int32_t p);
    int32_t matchElement(size_t i, int32_t p);
    int32_t literalAt(const Element& e, int32_t p);
    int32_t classAt(const CharSet& set, int32_t p) const;
    int32_t charAt(uint16_t code, int32_t p) const;
    int32_t runEnd(size_t i, int32_t p);
    int32_t lineLimit(size_t i, int32_t p);
    int32_t lazy(size_t i, int32_t p);

    bool lineStartAt(int32_t p) const;
    bool lineEndAt(int32_t p) const;
    bool wordBefore(int32_t p) const;
    bool wordAt(int32_t p) const;

    int32_t nextCandidate(const CompiledPattern::Needle& nd, int32_t from, int32_t last) const;
    Match scanStarts(int32_t from, int32_t startLimit);
    Match findByPieces(int32_t from, int32_t startLimit);
    int32_t nextPiece(size_t k, int32_t from, int32_t searchEnd);
    int32_t earliestStartFor(int32_t hit, int32_t floor) const;
    int32_t windowEndOf(int32_t s) const;

    const CompiledPattern& m_pattern;
    const std::vector<Element>& m_elements;
    Subject m_s;
    bool m_matchCase;
    bool m_wholeWord;
    bool m_needsWindow;
    const SearchRange* m_range = nullptr;
    int32_t m_start = 0;    // current start position
    int32_t m_known = 0;    // a character boundary below m_start (or 0)
    int32_t m_windowEnd = 0;
    int32_t m_winFrom = -1, m_winLineEnd = -1;  // starts in [from, lineEnd] share the window
    std::array<Memo, CompiledPattern::kMaxElements + 1> m_memo;
    bool m_skipByPieces = true;
    // Per piece: the next occurrence found (or -1) when searching from
    // pieceFrom; valid for every search from [pieceFrom, pieceHit].
    struct PieceSeen {
        int32_t from = -1, hit = -1;
    };
    std::array<PieceSeen, CompiledPattern::kMaxElements + 1> m_pieceSeen;
};

// Convenience for callers: the first (or last) match of pattern in
// subject within [begin, end].
Match findInSubject(const CompiledPattern& pattern, Subject subject, int32_t begin, int32_t end, bool forward);

}  // namespace orvex::search
