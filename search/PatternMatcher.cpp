#include "search/PatternMatcher.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvex::search {

namespace {

// Backward searches look at the text in slices of about this many bytes,
// each cut at a line start, from the end of the range towards its start.
constexpr int32_t kBackwardSlice = 64 * 1024;

// Compares text bytes with a literal's folded bytes: ASCII letters and the
// full-width Latin letters without regard to case, everything else exactly.
// The literal's characters line up with the text's because folding never
// changes a lead byte.
bool foldedEqual(const uint8_t* t, const uint8_t* lit, size_t n) {
    for (size_t i = 0; i < n;) {
        const uint8_t c = lit[i];
        if (sjis::stepWithin(lit + i, ptrdiff_t(n - i)) == 2) {
            if (t[i] != c) return false;
            if (foldWide(uint16_t(t[i] << 8 | t[i + 1])) != uint16_t(c << 8 | lit[i + 1])) return false;
            i += 2;
        } else {
            if (asciiLower(t[i]) != c) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

int32_t Subject::findLineEnd(int32_t from, int32_t to) const {
    int32_t i = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8(char(kCr));
    const __m128i lf = _mm_set1_epi8(char(kLf));
    const __m128i ff = _mm_set1_epi8(char(kFf));
    for (; i + 16 <= to; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)), _mm_cmpeq_epi8(v, ff));
        const int m = _mm_movemask_epi8(hit);
        if (m) return i + __builtin_ctz(unsigned(m));
    }
#endif
    for (; i < to; ++i)
        if (isLineEndByte(data[i])) return i;
    return to;
}

PatternMatcher::PatternMatcher(const CompiledPattern& pattern, Subject subject)
    : m_pattern(pattern),
      m_elements(pattern.elements()),
      m_s(subject),
      m_matchCase(pattern.options().matchCase),
      m_wholeWord(pattern.options().wholeWord) {
    // A pattern that is one literal without line ends needs no window: it
    // can never run over a line end, so the range end is its only limit.
    m_needsWindow = pattern.lineEnds() > 0 || m_elements.size() != 1 ||
                    m_elements.front().kind != ElementKind::Literal;
}

void PatternMatcher::resetMemos() { m_memo.fill(Memo{}); }

void PatternMatcher::computeWindow(int32_t s) {
    const int32_t end = m_range->end;
    const int32_t lineEnd = m_s.findLineEnd(s, end);
    int32_t w = lineEnd;
    for (int32_t k = 0; k < m_pattern.lineEnds() && w < end; ++k) {
        w += m_s.unitLength(w);
        w = m_s.findLineEnd(std::min(w, end), end);
    }
    m_winFrom = s;
    m_winLineEnd = lineEnd;
    m_windowEnd = std::min(w, end);
    resetMemos();
}

void PatternMatcher::setStart(int32_t s) {
    m_start = s;
    if (m_needsWindow && !(s >= m_winFrom && s <= m_winLineEnd)) computeWindow(s);
}

int32_t PatternMatcher::knownBelow(int32_t p) const {
    if (p > m_start) return m_start;
    return m_known < p ? m_known : 0;
}

bool PatternMatcher::lineStartAt(int32_t p) const {
    if (p == m_range->begin && m_range->before.given) return m_range->before.lineEnd;
    return m_s.lineStartAt(p);
}

bool PatternMatcher::lineEndAt(int32_t p) const {
    if (p == m_range->end && m_range->after.given) return m_range->after.lineEnd;
    return m_s.lineEndAt(p);
}

bool PatternMatcher::wordBefore(int32_t p) const {
    if (p == m_range->begin && m_range->before.given) return m_range->before.word;
    return m_s.wordBefore(knownBelow(p), p);
}

bool PatternMatcher::wordAt(int32_t p) const {
    if (p == m_range->end && m_range->after.given) return m_range->after.word;
    return m_s.wordAt(p);
}

int32_t PatternMatcher::match(size_t i, int32_t p) {
    if (i == m_elements.size()) return p;
    Memo& m = m_memo[i];
    if (m.arg == p) return m.result;
    const int32_t r = matchElement(i, p);
    m.arg = p;
    m.result = r;
    return r;
}

int32_t PatternMatcher::matchElement(size_t i, int32_t p) {
    const Element& e = m_elements[i];
    switch (e.kind) {
        case ElementKind::Literal: {
            const int32_t end = literalAt(e, p);
            return end < 0 ? -1 : match(i + 1, end);
        }
        case ElementKind::OptionalChar: return match(i + 1, p);
        case ElementKind::LineStart: return lineStartAt(p) ? match(i + 1, p) : -1;
        case ElementKind::LineEnd: return lineEndAt(p) ? match(i + 1, p) : -1;
        case ElementKind::WordStart: return !wordBefore(p) && wordAt(p) ? match(i + 1, p) : -1;
        case ElementKind::WordEnd: return wordBefore(p) && !wordAt(p) ? match(i + 1, p) : -1;
        case ElementKind::Any:
            if (e.optional) return match(i + 1, p);
            if (p >= m_windowEnd || isLineEndByte(m_s.data[p])) return -1;
            return match(i + 1, p + m_s.charLength(p));
        case ElementKind::Class: {
            if (e.optional) return match(i + 1, p);
            const int32_t len = classAt(m_pattern.sets()[size_t(e.set)], p);
            return len < 0 ? -1 : match(i + 1, p + len);
        }
        case ElementKind::Repeat:
            if (e.repeatOf == RepeatOf::Any) return lazy(i, p);
            return match(i + 1, runEnd(i, p));
    }
    return -1;
}

int32_t PatternMatcher::literalAt(const Element& e, int32_t p) {
    const uint8_t* lit = reinterpret_cast<const uint8_t*>(e.bytes.data());
    const int32_t n = int32_t(e.bytes.size());
    const uint8_t* t = m_s.data;
    int32_t end;
    if (!e.hasLineEnd) {
        if (n > m_windowEnd - p) return -1;
        if (m_matchCase) {
            if (t[p] != lit[0] || std::memcmp(t + p, lit, size_t(n)) != 0) return -1;
        } else {
            if (asciiLower(t[p]) != lit[0] || !foldedEqual(t + p, lit, size_t(n))) return -1;
        }
        end = p + n;
    } else {
        // Segment by segment; each CR LF of the literal takes one whole
        // stored line end.
        int32_t i = 0, q = p;
        while (i < n) {
            if (lit[i] == kCr) {
                if (q >= m_windowEnd || (t[q] != kCr && t[q] != kLf)) return -1;
                const int32_t unit = m_s.unitLength(q);
                if (unit > m_windowEnd - q) return -1;
                q += unit;
                i += 2;
                continue;
            }
            int32_t j = i;
            while (j < n && lit[j] != kCr) ++j;
            const int32_t len = j - i;
            if (len > m_windowEnd - q) return -1;
            if (m_matchCase ? std::memcmp(t + q, lit + i, size_t(len)) != 0 : !foldedEqual(t + q, lit + i, size_t(len)))
                return -1;
            q += len;
            i = j;
        }
        end = q;
    }
    // A literal that ends with a lead byte must not take half of a
    // double-byte character of the text.
    if (e.endsWithLoneLead && end < m_s.length && !endsContent(t[end])) return -1;
    if (m_wholeWord && (wordBefore(p) || wordAt(end))) return -1;
    return end;
}

int32_t PatternMatcher::classAt(const CharSet& set, int32_t p) const {
    if (p >= m_windowEnd) return -1;
    const uint8_t b = m_s.data[p];
    if (isLineEndByte(b)) {
        // A line end is one character; a negated class never takes one.
        if (set.negated) return -1;
        const int32_t len = m_s.unitLength(p);
        if (len > m_windowEnd - p) return -1;
        return set.listed(b == kFf ? uint16_t(kFf) : kLineEndCode) ? len : -1;
    }
    const int len = m_s.charLength(p);
    if (len > m_windowEnd - p) return -1;
    uint16_t code = m_s.codeAt(p, len);
    if (!m_matchCase && len == 1) code = asciiLower(uint8_t(code));
    return set.listed(code) != set.negated ? len : -1;
}

int32_t PatternMatcher::charAt(uint16_t code, int32_t p) const {
    if (p >= m_windowEnd) return -1;
    const uint8_t b = m_s.data[p];
    if (code == kLineEndCode) {
        if (b != kCr && b != kLf) return -1;
        const int32_t len = m_s.unitLength(p);
        return len <= m_windowEnd - p ? len : -1;
    }
    if (b == kCr || b == kLf) return -1;
    const int len = m_s.charLength(p);
    if (len > m_windowEnd - p) return -1;
    uint16_t c = m_s.codeAt(p, len);
    if (!m_matchCase && len == 1) c = asciiLower(uint8_t(c));
    return c == code ? len : -1;
}

int32_t PatternMatcher::runEnd(size_t i, int32_t p) {
    // A run of repeated characters ends at the same place from every
    // position inside it; remember the last run.
    Memo& m = m_memo[i];
    if (m.runFrom >= 0 && p >= m.runFrom && p <= m.runEnd) return m.runEnd;
    const Element& e = m_elements[i];
    const CharSet* set = e.repeatOf == RepeatOf::Class ? &m_pattern.sets()[size_t(e.set)] : nullptr;
    int32_t q = p;
    while (true) {
        if (m.runFrom >= 0 && q == m.runFrom) {
            q = m.runEnd;
            break;
        }
        const int32_t len = set ? classAt(*set, q) : charAt(e.code, q);
        if (len < 0) break;
        q += len;
    }
    m.runFrom = p;
    m.runEnd = q;
    return q;
}

int32_t PatternMatcher::lineLimit(size_t i, int32_t p) {
    // End of p's line, or the window end: where a repeat of "any" stops.
    Memo& m = m_memo[i];
    if (m.runFrom >= 0 && p >= m.runFrom && p <= m.runEnd) return m.runEnd;
    m.runFrom = p;
    m.runEnd = m_s.findLineEnd(p, m_windowEnd);
    return m.runEnd;
}

int32_t PatternMatcher::lazy(size_t i, int32_t p) {
    const int32_t limit = lineLimit(i, p);
    if (p > limit) return -1;
    // "Any" repeated as the last element takes the rest of the line.
    if (i + 1 == m_elements.size()) return limit;
    // Otherwise the rest of the pattern is searched forward from p. The
    // leftmost hit from p is also the leftmost hit from every position
    // between p and that hit, which the memo exploits.
    Memo& m = m_memo[i];
    if (m.lazyFrom >= 0 && m.lazyLimit == limit) {
        if (p >= m.lazyFrom && (m.lazyHit < 0 || p <= m.lazyHit)) return m.lazyHit < 0 ? -1 : m.lazyEnd;
        if (p < m.lazyFrom) {
            for (int32_t q = p; q < m.lazyFrom; q += m_s.charLength(q)) {
                const int32_t r = match(i + 1, q);
                if (r >= 0) {
                    m.lazyFrom = p;
                    m.lazyHit = q;
                    m.lazyEnd = r;
                    return r;
                }
            }
            m.lazyFrom = p;
            return m.lazyHit < 0 ? -1 : m.lazyEnd;
        }
    }
    m.lazyFrom = p;
    m.lazyLimit = limit;
    for (int32_t q = p;; q += m_s.charLength(q)) {
        const int32_t r = match(i + 1, q);
        if (r >= 0) {
            m.lazyHit = q;
            m.lazyEnd = r;
            return r;
        }
        if (q >= limit) break;
    }
    m.lazyHit = -1;
    m.lazyEnd = -1;
    return -1;
}

int32_t PatternMatcher::nextCandidate(const CompiledPattern::Needle& nd, int32_t from, int32_t last) const {
    const uint8_t* d = m_s.data;
    const int32_t second = nd.second;
    int32_t c = from;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8(char(nd.firstByte));
    const __m128i am = _mm_set1_epi8(char(nd.firstMask));
    const __m128i b = _mm_set1_epi8(char(nd.secondByte));
    const __m128i bm = _mm_set1_epi8(char(nd.secondMask));
    // Loads stay inside the subject: c + second + 15 < length.
    for (; c <= last && c + second + 16 <= m_s.length; c += 16) {
        const __m128i x = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d + c)), am);
        const __m128i y = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d + c + second)), bm);
        const int m = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x, a), _mm_cmpeq_epi8(y, b)));
        if (m) {
            const int32_t hit = c + __builtin_ctz(unsigned(m));
            return hit <= last ? hit : -1;
        }
    }
#endif
    for (; c <= last; ++c)
        if (uint8_t(d[c] | nd.firstMask) == nd.firstByte && uint8_t(d[c + second] | nd.secondMask) == nd.secondByte)
            return c;
    return -1;
}

Match PatternMatcher::findFirst(const SearchRange& range, int32_t from, int32_t startLimit) {
    m_range = &range;
    startLimit = std::min(startLimit, range.end);
    if (!m_pattern.valid() || m_elements.empty() || from > startLimit || from < range.begin) return {};
    m_winFrom = m_winLineEnd = -1;
    m_windowEnd = range.end;
    resetMemos();
    // The skip relies on every match lying inside its start's window. A
    // pattern without a window (one literal, no line end) is bounded by the
    // range only: its bytes may even hold a CR or LF as the trail byte of a
    // typed double-byte character and so run over a stored line end.
    if (m_skipByPieces && m_needsWindow && !m_pattern.pieces().empty()) return findByPieces(from, startLimit);
    return scanStarts(from, startLimit);
}

int32_t PatternMatcher::windowEndOf(int32_t s) const {
    // No earlier start's window ends later than this. It counts whole runs
    // of line-end bytes where the window counts line ends: s may be an LF
    // inside a CR LF LF line end, whose window would end one stored line
    // end too early for the start at its CR. A run holds at least one line
    // end, so the bound is never short.
    const int32_t end = m_range->end;
    int32_t w = m_s.findLineEnd(s, end);
    for (int32_t k = 0; k < m_pattern.lineEnds() && w < end; ++k) {
        while (w < end && isLineEndByte(m_s.data[w])) ++w;
        w = m_s.findLineEnd(w, end);
    }
    return std::min(w, end);
}

int32_t PatternMatcher::earliestStartFor(int32_t hit, int32_t floor) const {
    // A match lies in the window of its start: the start's line and
    // lineEnds() lines after it. So a piece at hit is out of reach of every
    // start before the line that many lines above hit's line. Stepping back
    // over a whole run of line-end bytes at once may go back further than
    // one line end, which only leaves more starts to try.
    int32_t p = m_s.lineStartBefore(hit, floor);
    for (int32_t k = 0; k < m_pattern.lineEnds() && p > floor; ++k) {
        while (p > floor && isLineEndByte(m_s.data[p - 1])) --p;
        p = m_s.lineStartBefore(p, floor);
    }
    return p;
}

int32_t PatternMatcher::nextPiece(size_t k, int32_t from, int32_t searchEnd) {
    // The first occurrence of piece k at or after from (a boundary) that
    // starts a character and ends by searchEnd. An occurrence inside a
    // double-byte character (a trail byte equal to an ASCII byte) is none:
    // in a match every piece starts on a character boundary.
    PieceSeen& seen = m_pieceSeen[k];
    if (seen.from >= 0 && from >= seen.from && (seen.hit < 0 || from <= seen.hit)) return seen.hit;
    const CompiledPattern::Needle& nd = m_pattern.pieces()[k];
    const uint8_t* lit = reinterpret_cast<const uint8_t*>(nd.bytes.data());
    const int32_t n = int32_t(nd.bytes.size());
    const int32_t last = searchEnd - n;
    int32_t c = from;
    seen.from = from;
    seen.hit = -1;
    while (c <= last && (c = nextCandidate(nd, c, last)) >= 0) {
        const uint8_t* t = m_s.data + c;
        const bool same = m_matchCase ? std::memcmp(t, lit, size_t(n)) == 0 : foldedEqual(t, lit, size_t(n));
        if (same && m_s.isBoundary(from, c)) {
            seen.hit = c;
            break;
        }
        ++c;
    }
    return seen.hit;
}

Match PatternMatcher::findByPieces(int32_t from, int32_t startLimit) {
    // Every piece must lie inside the match, at or after its start. Starts
    // that cannot reach the next occurrence of some piece are skipped; the
    // starts of a line that can reach all of them are tried as usual.
    m_pieceSeen.fill(PieceSeen{});
    const size_t pieces = m_pattern.pieces().size();
    // Pieces beyond the windows of all starts are of no use.
    const int32_t searchEnd = windowEndOf(startLimit);
    int32_t pos = from;
    while (pos <= startLimit) {
        // The furthest of the pieces' next occurrences decides: a start
        // that reaches it reaches the nearer ones too.
        int32_t far = pos;
        for (size_t k = 0; k < pieces; ++k) {
            const int32_t hit = nextPiece(k, pos, searchEnd);
            if (hit < 0) return {};
            far = std::max(far, hit);
        }
        // Most often far lies on pos's own line: one forward scan says so.
        const int32_t firstEnd = m_s.findLineEnd(pos, far);
        if (firstEnd < far) {
            const int32_t reach = earliestStartFor(far, pos);
            if (reach > pos) {
                // reach is a line start: after a whole run of line-end
                // bytes, a start the plain scan would also try.
                pos = reach;
                continue;
            }
        }
        const int32_t lineEnd = firstEnd < far ? firstEnd : m_s.findLineEnd(far, m_range->end);
        const Match m = scanStarts(pos, std::min(startLimit, lineEnd));
        if (m.found() || lineEnd >= startLimit) return m;
        pos = lineEnd + m_s.unitLength(lineEnd);
    }
    return {};
}

Match PatternMatcher::scanStarts(int32_t from, int32_t startLimit) {
    m_known = from;  // a boundary; knownBelow() never offers it for from itself

    const Element& first = m_elements.front();
    if (first.kind == ElementKind::Literal && !m_pattern.needle().bytes.empty()) {
        // Candidates from the byte filter; each must start a character.
        const int32_t need = int32_t(m_pattern.needle().bytes.size());
        const int32_t last = std::min(startLimit, m_range->end - need);
        int32_t c = from;
        while (c <= last && (c = nextCandidate(m_pattern.needle(), c, last)) >= 0) {
            if (!m_s.isBoundary(m_known, c)) {
                // c is the trail byte of a double-byte character.
                m_known = c + 1;
                ++c;
                continue;
            }
            setStart(c);
            const int32_t r = match(0, c);
            if (r >= 0) return {c, r - c};
            m_known = c;
            ++c;
        }
        return {};
    }
    if (first.kind == ElementKind::LineStart) {
        // Only line starts can match: jump from line end to line end.
        int32_t s = from;
        if (!lineStartAt(s)) {
            const int32_t e = m_s.findLineEnd(s, startLimit);
            if (e >= startLimit) return {};
            s = e + m_s.unitLength(e);
        }
        while (s <= startLimit) {
            m_known = s;
            setStart(s);
            const int32_t r = match(0, s);
            if (r >= 0) return {s, r - s};
            const int32_t e = m_s.findLineEnd(s, startLimit);
            if (e >= startLimit) break;
            s = e + m_s.unitLength(e);
        }
        return {};
    }
    for (int32_t s = from;;) {
        setStart(s);
        const int32_t r = match(0, s);
        if (r >= 0) return {s, r - s};
        m_known = s;
        if (s >= startLimit || (s += m_s.unitLength(s)) > startLimit) break;
    }
    return {};
}

Match PatternMatcher::findForward(const SearchRange& range) { return findFirst(range, range.begin, range.end); }

Match PatternMatcher::findBackward(const SearchRange& range) {
    if (range.end < range.begin) return {};
    int32_t startEnd = range.end;  // starts allowed up to here
    while (true) {
        int32_t sliceBegin = range.begin;
        if (startEnd - range.begin > kBackwardSlice) {
            sliceBegin = m_s.lineStartBefore(startEnd - kBackwardSlice, range.begin);
            while (sliceBegin < startEnd && m_s.data[sliceBegin] == kLf) ++sliceBegin;
        }
        // Every match starting in the slice, the last one wins.
        Match last;
        for (int32_t s = sliceBegin; s <= startEnd;) {
            const Match m = findFirst(range, s, startEnd);
            if (!m.found()) break;
            last = m;
            if (m.offset >= startEnd) break;
            s = m.offset + m_s.unitLength(m.offset);
        }
        if (last.found() || sliceBegin <= range.begin) return last;
        startEnd = sliceBegin - 1;
    }
}

Match findInSubject(const CompiledPattern& pattern, Subject subject, int32_t begin, int32_t end, bool forward) {
    PatternMatcher m(pattern, subject);
    SearchRange range;
    range.begin = begin;
    range.end = end;
    return forward ? m.findForward(range) : m.findBackward(range);
}

}  // namespace orvex::search
