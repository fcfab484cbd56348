#include "display/LayoutEngine.h"

#include <cstring>

#include "common/codepage/SjisWalk.h"
#include "common/parallel/SplitWork.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvex {

namespace {

using sjis::kCr;
using sjis::kFf;
using sjis::kLf;
using sjis::kTab;

// First byte in [p, last) that ends the line content (CR, LF, FF), or last
// (the terminator). Bytes of value 0x0D and below are never trail bytes of a
// valid double-byte character, and by the walking rule a line end is never
// swallowed, so a plain scan finds the line end. Also reports whether a TAB
// byte lies before it (it may still be a broken trail byte; callers measure
// exactly when one is present).
inline const uint8_t* scanLine(const uint8_t* p, const uint8_t* last, bool& tab) {
    tab = false;
#if defined(__SSE2__)
    const __m128i limit = _mm_set1_epi8(0x0D);
    while (last - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        unsigned m = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, limit), v)));
        while (m) {
            const int k = __builtin_ctz(m);
            const uint8_t b = p[k];
            if (b == kCr || b == kLf || b == kFf) return p + k;
            if (b == kTab) tab = true;
            m &= m - 1;
        }
        p += 16;
    }
#endif
    for (; p < last; ++p) {
        const uint8_t b = *p;
        if (b <= 0x0D) {
            if (b == kCr || b == kLf || b == kFf) return p;
            if (b == kTab) tab = true;
        }
    }
    return last;
}

// Finds the line ends of consecutive lines 64 bytes at a time: the masks of
// line-end bytes (CR, LF, FF) and TABs of the block under the cursor stay
// from one line to the next, so that a short line costs a few bit
// operations instead of a search of its own. The blocks are taken at
// offsets that are multiples of 64; the last one, which holds the
// terminator, is searched by scanLine.
class LineFinder {
public:
    // Whole blocks are read only inside [floor, limit): a walk over one
    // part of a text split between two threads reads no byte of the other
    // part but the line ends it must see (see LayoutEngine::layoutAll).
    LineFinder(const uint8_t* t, int32_t textSize, int32_t floor = 0, int32_t limit = -1)
        : m_t(t), m_terminator(textSize - 1), m_floor(floor),
          m_limit(limit < 0 || limit > textSize - 1 ? textSize - 1 : limit) {}

    // Offset of the first CR, LF or FF at or after pos (the terminator when
    // there is none), and whether a TAB lies before it.
    int32_t contentEnd(int32_t pos, bool& tab) {
        tab = false;
#if defined(__SSE2__)
        int32_t b = pos & ~int32_t{63};
        if (b < m_floor) {
            // The block begins before the floor: search its part from pos.
            const int32_t edge = b + 64 < m_terminator ? b + 64 : m_terminator;
            bool rest;
            const int32_t ce = int32_t(scanLine(m_t + pos, m_t + edge, rest) - m_t);
            tab = rest;
            if (ce < edge || edge == m_terminator) return ce;
            b = pos = edge;
        }
        uint64_t live = ~uint64_t{0} << (pos - b);
        while (b + 64 <= m_limit) {
            if (b != m_block) load(b);
            const uint64_t e = m_ends & live;
            if (e) {
                const int k = __builtin_ctzll(e);
                tab = tab || (m_tabs & live & ((uint64_t{1} << k) - 1)) != 0;
                return b + k;
            }
            tab = tab || (m_tabs & live) != 0;
            b += 64;
            live = ~uint64_t{0};
            pos = b;
        }
#endif
        bool rest;
        const int32_t ce = int32_t(scanLine(m_t + pos, m_t + m_terminator, rest) - m_t);
        tab = tab || rest;
        return ce;
    }

private:
#if defined(__SSE2__)
    void load(int32_t b) {
        m_block = b;
        m_ends = m_tabs = 0;
        const auto part = [&](int k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_t + b + 16 * k));
            const __m128i e = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(kCr)),
                                                        _mm_cmpeq_epi8(v, _mm_set1_epi8(kLf))),
                                           _mm_cmpeq_epi8(v, _mm_set1_epi8(kFf)));
            m_ends |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(e))} << (16 * k);
            m_tabs |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(kTab))))}
                      << (16 * k);
        };
        part(0);
        part(1);
        part(2);
        part(3);
    }
    int32_t m_block = -1;
    uint64_t m_ends = 0;
    uint64_t m_tabs = 0;
#endif
    const uint8_t* m_t;
    int32_t m_terminator;
    int32_t m_floor;
    int32_t m_limit;
};

// Bytes of the character at i inside content that ends at ce.
inline int charLen(const uint8_t* t, int32_t i, int32_t ce) { return sjis::stepWithin(t + i, ce - i); }

}  // namespace

LayoutEngine::LayoutEngine(const LayoutOptions& options, int32_t wrapWidth)
    : m_wrap(clampWrapWidth(wrapWidth)),
      m_tab(options.tabWidth()),
      m_hang(options.hangLimit()),
      m_kinsoku(options.kinsoku),
      m_wordWrap(options.wordWrap),
      m_tagFile(options.tagFile),
      m_noLineStart(options.kinsokuStr1),
      m_noLineEnd(options.kinsokuStr2),
      m_comments(options.commentType(), options.usrCmnt),
      m_classes(options) {}

int32_t LayoutEngine::measureFit(const uint8_t* t, int32_t from, int32_t to) const {
    // Every byte is at least one column, so a rest longer than W - 1 bytes
    // cannot fit; this bounds the walk below by W.
    if (to - from + 1 > m_wrap) return -1;
    if (!std::memchr(t + from, kTab, size_t(to - from))) return to - from;
    int32_t col = 0;
    for (int32_t i = from; i < to;) {
        if (t[i] == kTab) {
            col = sjis::nextTabStop(col, m_tab);
            i += 1;
        } else {
            const int len = charLen(t, i, to);
            col += len;
            i += len;
        }
        if (col + 1 > m_wrap) return -1;
    }
    return col;
}

LayoutEngine::Break LayoutEngine::findBreak(const uint8_t* t, int32_t rowStart, int32_t ce, bool tab) const {
    LineBreakRules rules;
    rules.tabWidth = m_tab;
    rules.hangColumns = m_hang;
    rules.kinsoku = m_kinsoku;
    rules.wordWrap = m_wordWrap;
    rules.noLineStart = &m_noLineStart;
    rules.noLineEnd = &m_noLineEnd;
    const LineBreak br = findLineBreak(t, rowStart, ce, m_wrap, 0, tab, rules);
    return {br.offset, br.columns, br.lineEndTaken};
}

CommentScanner::Result LayoutEngine::commentBits(const uint8_t* rowText, const Row& row, CommentState in) const {
    const bool ends = endsLine(row);
    return m_comments.scanRow(rowText, ends ? row.length - 1 : row.length, in, ends);
}

LayoutStop LayoutEngine::layout(uint8_t* t, int32_t textSize, int32_t pos, int32_t stop, int32_t line,
                                CommentState state, RowBuffer& out) const {
    return layoutPart(t, textSize, pos, stop, line, state, out, 0, -1);
}

namespace {
// Where the text can be cut in two for the split layout: the line start
// after the first CR or FF at or after `from`. Every CR and FF is the end
// of a line's content in the walk (only LFs are taken into a CR's line
// end), so the walk reaches exactly this offset. 0 when there is none.
int32_t layoutSplitPoint(const uint8_t* t, int32_t from, int32_t terminator) {
    for (int32_t x = from; x < terminator; ++x) {
        if (t[x] == kCr) {
            int32_t q = x + 1;
            while (q < terminator && t[q] == kLf) ++q;
            return q < terminator ? q : 0;
        }
        if (t[x] == kFf) return x + 1 < terminator ? x + 1 : 0;
    }
    return 0;
}
}  // namespace

void LayoutEngine::layoutAll(uint8_t* t, int32_t textSize, RowBuffer& out) const {
    // With comment tracking the state runs from line to line, so the second
    // part could not start before the first has ended.
    if (!m_comments.active() && parallel::worthSplitting(size_t(textSize))) {
        const int32_t q = layoutSplitPoint(t, textSize / 2, textSize - 1);
        if (q > 0) {
            RowBuffer second;
            second.setGrowthStep(out.growthStep() / 2 + 1);
            second.reserve(out.capacity() / 2 + 1);
            LayoutStop first{};
            parallel::runBoth(
                [&] { first = layoutPart(t, textSize, 0, q, 0, CommentState::None, out, 0, q); },
                [&] { layoutPart(t, textSize, q, textSize, 0, CommentState::None, second, q, -1); });
            const size_t at = out.size();
            out.resize(at + second.size());
            Row* to = out.data() + at;
            for (const Row& r : second) {
                *to = r;
                to->line += first.line;
                ++to;
            }
            return;
        }
    }
    layout(t, textSize, 0, textSize, 0, CommentState::None, out);
}

LayoutStop LayoutEngine::layoutPart(uint8_t* t, int32_t textSize, int32_t pos, int32_t stop, int32_t line,
                                    CommentState state, RowBuffer& out, int32_t floor, int32_t limit) const {
    const bool comments = m_comments.active();
    const bool classes = m_classes.active();
    LineFinder lines(t, textSize, floor, limit);
    while (pos < stop && pos < textSize) {
        bool tab;
        const int32_t ce = lines.contentEnd(pos, tab);
        // Line end: bytes it takes from the text.
        int32_t endBytes = 1;
        if (t[ce] == kCr) {
            while (t[ce + endBytes] == kLf) ++endBytes;
        } else if (t[ce] == kLf) {
            t[ce] = kCr;  // a lone LF becomes CR, a line end of its own
        }
        const int32_t cls = classes ? rowflag::classBit(m_classes.classOf(t + pos, ce - pos)) : 0;

        int32_t rowStart = pos;
        for (;;) {
            int32_t cols = -1;
            if (!tab) {
                if (ce - rowStart + 1 <= m_wrap) cols = ce - rowStart;
            } else {
                cols = measureFit(t, rowStart, ce);
            }
            if (cols >= 0) {
                Row r{line, rowStart, ce - rowStart + 1, cols + 1, cls};
                if (comments) {
                    const auto c = m_comments.scanRow(t + rowStart, ce - rowStart, state, true);
                    r.flags |= c.flags;
                    state = c.out;
                }
                out.push_back(r);
                break;
            }
            const Break br = findBreak(t, rowStart, ce, tab);
            if (br.lineEndTaken) {
                Row r{line, rowStart, ce - rowStart + 1, br.columns + 1, cls};
                if (comments) {
                    const auto c = m_comments.scanRow(t + rowStart, ce - rowStart, state, true);
                    r.flags |= c.flags;
                    state = c.out;
                }
                out.push_back(r);
                break;
            }
            Row r{line, rowStart, br.offset - rowStart, br.columns, cls | rowflag::kSoftWrap};
            if (comments) {
                const auto c = m_comments.scanRow(t + rowStart, br.offset - rowStart, state, false);
                r.flags |= c.flags;
                state = c.out;
            }
            out.push_back(r);
            rowStart = br.offset;
        }
        pos = ce + endBytes;
        ++line;
        if (m_tagFile) state = CommentState::None;
    }
    return {pos, line, state};
}

}  // namespace orvex
