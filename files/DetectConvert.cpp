#include "files/DetectConvert.h"

#include <cstring>
#include <memory>

#include "common/codepage/ShiftJis.h"
#include "common/parallel/SplitWork.h"
#include "files/ByteScan.h"
#include "files/EucTriples.h"
#include "files/JisMapping.h"

namespace orvex::files {

// How the pass is organised. The text is walked character by character in
// Shift JIS (a lead byte takes the next byte with it); the walk is the same
// whatever the code, so the loops below may cross stretches that need
// nothing in bulk as long as they stop where the walk would act:
//
// - While nothing is decided, scanUndecided only reads: it tracks the EUC
//   parity over whole runs of high bytes and stops at the byte that decides
//   Shift JIS or at an escape sequence. If the text ends undecided with EUC
//   pairs it is left untouched (the caller converts it as EUC); otherwise
//   scanLines applies the line-end part to the stretch crossed.
// - scanLines finds line-end bytes by search and tells a real line end from
//   a trail byte by the parity of the lead-byte values right before it: a
//   byte that is not a lead-byte value ends a character, so after it the
//   walk restarts in step with the bytes.
// - runEuc and runJis convert, runGeneral handles the rare states (an
//   escape sequence while nothing is decided) byte by byte.
//
// Reading goes at r and writing at w <= r; every look-ahead reads bytes at
// r or beyond, which are still unchanged.

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kFf = 0x0C;

constexpr bool isEucByte(uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

// jis::toShiftJis as tables, so the hot loops take no branch on the row and
// cell values. Indexed by the low 7 bits of the row and cell bytes.
struct PairTables {
    uint8_t lead[128]{};
    uint8_t trail[2][128]{};
    constexpr PairTables() {
        for (int j = 0x21; j <= 0x7E; ++j) {
            lead[j] = static_cast<uint8_t>(jis::toShiftJis(static_cast<uint8_t>(j), 0x21) >> 8);
            trail[1][j] = static_cast<uint8_t>(jis::toShiftJis(0x21, static_cast<uint8_t>(j)));
            trail[0][j] = static_cast<uint8_t>(jis::toShiftJis(0x22, static_cast<uint8_t>(j)));
        }
    }
};
constexpr PairTables kPairs;

// Writes the Shift JIS pair of the row/cell bytes j1, j2 (bit 7 ignored).
inline void putPair(uint8_t* d, uint8_t j1, uint8_t j2) {
    j1 &= 0x7F;
    j2 &= 0x7F;
    d[0] = kPairs.lead[j1];
    d[1] = kPairs.trail[j1 & 1][j2];
}
constexpr bool isJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }

// Converts the row/cell pairs of buf[r, ...) to Shift JIS at w, sixteen
// bytes (eight pairs) at a time while all sixteen lie in [low, high], and
// returns how many bytes it converted (a multiple of 16). Bit 7 of the bytes
// is ignored, so EUC and JIS pairs go the same way; the arithmetic is
// jis::toShiftJis on 16-bit lanes. The block is loaded before its result is
// stored, and w <= r, so nothing unread is overwritten.
inline size_t convertPairBlocks(uint8_t* buf, size_t r, size_t w, size_t len, uint8_t low, uint8_t high) {
    size_t done = 0;
#if defined(__SSE2__)
    const __m128i lo = _mm_set1_epi8(static_cast<char>(low));
    const __m128i hi = _mm_set1_epi8(static_cast<char>(high));
    const __m128i low7 = _mm_set1_epi16(0x007F);
    const __m128i one = _mm_set1_epi16(1);
    while (r + done + 16 <= len) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + r + done));
        const __m128i inRange = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, lo), v),
                                              _mm_cmpeq_epi8(_mm_min_epu8(v, hi), v));
        if (_mm_movemask_epi8(inRange) != 0xFFFF) break;
        const __m128i j1 = _mm_and_si128(v, low7);                      // row, per 16-bit lane
        const __m128i j2 = _mm_and_si128(_mm_srli_epi16(v, 8), low7);   // cell
        // lead = (j1 + 1) / 2 + (j1 <= 0x5E ? 0x70 : 0xB0)
        const __m128i upper = _mm_cmpgt_epi16(j1, _mm_set1_epi16(0x5E));
        const __m128i lead = _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(_mm_add_epi16(j1, one), 1),
                                                         _mm_set1_epi16(0x70)),
                                           _mm_and_si128(upper, _mm_set1_epi16(0x40)));
        // odd rows: j2 + 0x1F, one more from 0x60 on; even rows: j2 + 0x7E
        const __m128i oddRow = _mm_cmpeq_epi16(_mm_and_si128(j1, one), one);
        const __m128i highCell = _mm_cmpgt_epi16(j2, _mm_set1_epi16(0x5F));
        const __m128i oddTrail = _mm_add_epi16(_mm_add_epi16(j2, _mm_set1_epi16(0x1F)), _mm_and_si128(highCell, one));
        const __m128i evenTrail = _mm_add_epi16(j2, _mm_set1_epi16(0x7E));
        const __m128i trail = _mm_or_si128(_mm_and_si128(oddRow, oddTrail), _mm_andnot_si128(oddRow, evenTrail));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(buf + w + done), _mm_or_si128(lead, _mm_slli_epi16(trail, 8)));
        done += 16;
    }
#else
    static_cast<void>(buf), static_cast<void>(r), static_cast<void>(w), static_cast<void>(len);
    static_cast<void>(low), static_cast<void>(high);
#endif
    return done;
}

struct Pass {
    uint8_t* buf;
    size_t len;
    int setting;
    int c;  // code decided so far
    size_t r = 0;
    size_t w = 0;
    int s = 0;       // JIS shift: 0 ASCII, 1 double-byte, 2 half-width katakana
    bool p = false;  // odd number of EUC-looking high bytes so far
    bool e = false;  // EUC-looking pairs seen
    size_t n = 0;    // line ends met
    size_t unreadable = 0;  // EUC three-byte characters read as "?"
    int t = kLineEndUndetermined;

    bool detecting() const { return setting == kReadDetect && c == kCodeUndetermined; }
    bool jisActive() const {
        return (setting == kReadDetect || setting == kReadJis) && (c == kCodeUndetermined || c == kCodeJis);
    }
};

// Length of the JIS escape sequence at r (0 when the bytes there are not one
// of those recognised), with the shift it selects.
inline int matchEscape(const uint8_t* buf, size_t r, size_t len, int& shift, bool& doubleByte) {
    if (r + 2 >= len) return 0;
    const uint8_t b1 = buf[r + 1], b2 = buf[r + 2];
    doubleByte = false;
    if (b1 == '$') {
        if (b2 == 'B' || b2 == '@') {
            shift = 1;
            doubleByte = true;
            return 3;
        }
        if (b2 == '(' && r + 3 < len && buf[r + 3] == 'B') {
            shift = 1;
            doubleByte = true;
            return 4;
        }
    } else if (b1 == '(') {
        if (b2 == 'B' || b2 == 'J') {
            shift = 0;
            return 3;
        }
        if (b2 == 'I') {
            shift = 2;
            return 3;
        }
    }
    return 0;
}

// Line ends and the advance over the byte at r, copying to w. A lead byte
// takes the next byte with it; as the very last byte it is dropped.
inline void lineEndAndAdvance(Pass& ps) {
    uint8_t* const buf = ps.buf;
    const uint8_t b = buf[ps.r];
    if (scan::isLineEndByte(b)) {
        if (b == kCr) {
            buf[ps.w++] = kCr;
            ++ps.r;
            if (ps.r < ps.len && buf[ps.r] == kLf) {
                while (ps.r < ps.len && buf[ps.r] == kLf) buf[ps.w++] = buf[ps.r++];
                ps.t = kLineEndCrLf;
            } else {
                ps.t = kLineEndCr;
            }
        } else if (b == kLf) {
            buf[ps.w++] = kCr;
            ++ps.r;
            ps.t = kLineEndLf;
        } else {
            buf[ps.w++] = kFf;
            ++ps.r;
        }
        ++ps.n;
        return;
    }
    if (sjis::isLeadByte(b)) {
        if (ps.r + 1 >= ps.len) {
            ps.r = ps.len;  // a lead byte with nothing after it
            return;
        }
        buf[ps.w] = b;
        buf[ps.w + 1] = buf[ps.r + 1];
        ps.w += 2;
        ps.r += 2;
        return;
    }
    buf[ps.w++] = b;
    ++ps.r;
}

// Copies buf[r, to) to w (nothing to do while w == r).
inline void copyRun(Pass& ps, size_t to) {
    const size_t count = to - ps.r;
    if (ps.w != ps.r) {
        if (count <= 16) {
            // Short runs (a blank, a line end's neighbours) are the common
            // case between double-byte stretches; spare them a call.
            for (size_t i = 0; i < count; ++i) ps.buf[ps.w + i] = ps.buf[ps.r + i];
        } else {
            std::memmove(ps.buf + ps.w, ps.buf + ps.r, count);
        }
    }
    ps.w += count;
    ps.r = to;
}

// True when position x, with `start` a character start at or before it, is
// itself a character start: the lead-byte values right before x, back to a
// byte that is not one or to `start`, pair up.
inline bool isCharStart(const uint8_t* buf, size_t start, size_t x) {
    size_t k = x;
    while (k > start && sjis::isLeadByte(buf[k - 1])) --k;
    return ((x - k) & 1) == 0;
}

// One line-end byte at x found by the search, with `start` a character start
// at or before it: a trail byte moves the start past it; a real line end is
// counted, a lone LF becomes CR, and a CR takes the LFs after it.
inline void takeLineEnd(uint8_t* buf, size_t len, size_t x, size_t& start, size_t& n, int& t) {
    if (!isCharStart(buf, start, x)) {
        start = x + 1;  // x was a trail byte
        return;
    }
    ++n;
    const uint8_t b = buf[x];
    start = x + 1;
    if (b == kCr) {
        if (start < len && buf[start] == kLf) {
            do ++start;
            while (start < len && buf[start] == kLf);
            t = kLineEndCrLf;
        } else {
            t = kLineEndCr;
        }
    } else if (b == kLf) {
        buf[x] = kCr;
        t = kLineEndLf;
    }
}

// Set bits of a 64-bit mask (SWAR; no instruction of its own is assumed).
inline size_t bitCount(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<size_t>((x * 0x0101010101010101ull) >> 56);
}

// The line ends of the 64-byte block at p, all at once, when the block
// holds no FF and no LF right after an LF. A line-end byte right after a
// lead-byte value may be a trail byte: the parity of the lead-byte run
// before it decides, as in the walk. Every other CR or LF is in step, since
// a byte that is no lead-byte value ends a character. The real CRs are
// line ends, an LF right after one belongs to it, and every other real LF is
// a line end of its own. Returns false, having changed nothing, for a block
// with FF or LF LF. `start` is a character start, at most 63 bytes beyond p.
// Line-end bytes never are lead-byte values, so a walk back from any line
// end in the block stops where it would have stopped at the start the walk
// would have moved to: the entry start serves them all.
inline bool takePlainBlock(uint8_t* buf, size_t len, size_t p, size_t& start, size_t& n, int& t) {
    const scan::LineBlock block = scan::classifyBlock(buf + p);
    const uint64_t live = ~uint64_t{0} << (start > p ? start - p : 0);
    uint64_t cr = block.cr & live;
    uint64_t lf = block.lf & live;
    const uint64_t ff = block.ff & live;
    if ((cr | lf | ff) == 0) return true;
    const bool prevInWalk = p > start;
    const uint64_t lfBefore = (lf << 1) | uint64_t{prevInWalk && buf[p - 1] == kLf};
    if (ff != 0 || (lf & lfBefore) != 0) return false;
    // Bit i of `after` is set when byte p + i - 1 is a lead-byte value at or
    // after the start.
    const uint64_t after =
        ((block.lead << 1) & (live << 1)) | uint64_t{prevInWalk && sjis::isLeadByte(buf[p - 1])};
    for (uint64_t m = (cr | lf) & after; m; m &= m - 1) {
        const unsigned i = static_cast<unsigned>(__builtin_ctzll(m));
        if (!isCharStart(buf, start, p + i)) {
            cr &= ~(uint64_t{1} << i);
            lf &= ~(uint64_t{1} << i);
        }
    }
    const uint64_t lone = lf & ~(cr << 1);
    const uint64_t ends = cr | lone;
    // Trail bytes move no start here: a walk back stops at them anyway.
    if (ends == 0) return true;
    n += bitCount(ends);
    for (uint64_t m = lone; m; m &= m - 1) buf[p + static_cast<size_t>(__builtin_ctzll(m))] = kCr;
    const size_t x = p + 63 - static_cast<size_t>(__builtin_clzll(ends));
    start = x + 1;
    if (lone >> (x - p) & 1) {
        t = kLineEndLf;
    } else if (start < len && buf[start] == kLf) {
        do ++start;
        while (start < len && buf[start] == kLf);
        t = kLineEndCrLf;
    } else {
        t = kLineEndCr;
    }
    return true;
}

// The line-end part of the walk over buf[r, to) in place (w == r): lone LFs
// become CR, line ends are counted. r must be a character start; `to` is
// one, or len. At len a trailing lead byte is dropped. Whole blocks whose
// line ends are plain (the usual case) are taken at once; the others, and
// the rest after the last whole block, line end by line end.
void scanLines(Pass& ps, size_t to) {
    uint8_t* const buf = ps.buf;
    const size_t len = ps.len;
    size_t start = ps.r;  // a known character start
    size_t n = ps.n;
    int t = ps.t;
    size_t p = start;  // where the next block begins
    while (p < to) {
        size_t blockEnd = to;
        if (to - p >= static_cast<size_t>(sjis::kBlockBytes)) {
            blockEnd = p + static_cast<size_t>(sjis::kBlockBytes);
            if (start >= blockEnd) {  // a run of LFs took the whole block
                p = start;
                continue;
            }
            if (takePlainBlock(buf, len, p, start, n, t)) {
                p = blockEnd;
                continue;
            }
        }
        for (;;) {
            const size_t x = scan::findLineEnd(buf, start > p ? start : p, blockEnd);
            if (x >= blockEnd) break;
            takeLineEnd(buf, len, x, start, n, t);
        }
        p = blockEnd;
    }
    size_t end = to > start ? to : start;
    if (end == len && len > start && !isCharStart(buf, start, len)) --end;  // lead byte, then nothing
    ps.r = ps.w = end;
    ps.n = n;
    ps.t = t;
}

// A place near `from` where the stretch can be cut in two: the first
// position at or after it whose byte before is neither a lead-byte value
// nor a line-end byte. Such a position is a character start (the byte
// before ends a character) and no line end runs across it (a CR takes the
// LFs after it). `to` when there is none.
size_t lineSplitPoint(const uint8_t* buf, size_t from, size_t to) {
    for (size_t q = from; q < to; ++q) {
        const uint8_t b = buf[q - 1];
        if (!sjis::isLeadByte(b) && b != kCr && b != kLf) return q;
    }
    return to;
}

// scanLines over buf[r, to), as two halves on two threads when the stretch
// is large. The halves meet at a split point, so each finds exactly the
// line ends the single walk finds in it: the first half reads and writes
// only bytes before the point, the second only bytes from it on.
void scanLinesSplit(Pass& ps, size_t to) {
    const size_t from = ps.r;
    if (to > from && to - from >= size_t{4} * sjis::kBlockBytes && parallel::worthSplitting(to - from)) {
        const size_t q = lineSplitPoint(ps.buf, from + (to - from) / 2, to);
        if (q < to) {
            Pass second = ps;
            second.r = second.w = q;
            second.n = 0;
            second.t = kLineEndUndetermined;
            parallel::runBoth([&] { scanLines(ps, q); }, [&] { scanLines(second, to); });
            ps.n += second.n;
            if (second.t != kLineEndUndetermined) ps.t = second.t;
            ps.r = second.r;
            ps.w = second.w;
            return;
        }
    }
    scanLines(ps, to);
}

// The rest of the text when nothing but line ends is left to do (Shift JIS,
// or a code that converts nothing).
void runShiftJis(Pass& ps) {
    if (ps.w == ps.r) {
        scanLinesSplit(ps, ps.len);
        return;
    }
    while (ps.r < ps.len) {
        const size_t q = scan::findHighOrLineEnd(ps.buf, ps.r, ps.len);
        copyRun(ps, q);
        if (ps.r < ps.len) lineEndAndAdvance(ps);
    }
}

// The rest of the text as EUC: pairs of 0xA1-0xFE become Shift JIS, 0x8E
// before a half-width katakana byte goes, a 0x8F three-byte character
// becomes its code page 932 pair or "?" (counted), other bytes are Shift
// JIS. Every step writes no more bytes than it reads, so w stays <= r.
void runEuc(Pass& ps) {
    uint8_t* const buf = ps.buf;
    const size_t len = ps.len;
    while (ps.r < len) {
        const uint8_t b = buf[ps.r];
        if (b < 0x80) {
            if (scan::isLineEndByte(b)) {
                lineEndAndAdvance(ps);
            } else {
                copyRun(ps, scan::findHighOrLineEnd(buf, ps.r + 1, len));
            }
            continue;
        }
        const uint8_t next = buf[ps.r + 1];
        if (isEucByte(b)) {
            if (isEucByte(next)) {
                const size_t block = convertPairBlocks(buf, ps.r, ps.w, len, 0xA1, 0xFE);
                size_t r = ps.r + block, w = ps.w + block;
                while (isEucByte(buf[r]) && isEucByte(buf[r + 1]) && r + 1 < len) {
                    putPair(buf + w, buf[r], buf[r + 1]);
                    w += 2;
                    r += 2;
                }
                ps.r = r;
                ps.w = w;
                continue;
            }
        } else if (b == 0x8E) {
            if (sjis::isHalfWidthKana(next)) {
                buf[ps.w++] = next;
                ps.r += 2;
                continue;
            }
        } else if (b == 0x8F) {
            if (ps.r + 2 < len && isEucByte(next) && isEucByte(buf[ps.r + 2])) {
                if (const uint16_t code = euc::sjisOfTriple(next, buf[ps.r + 2])) {
                    buf[ps.w] = static_cast<uint8_t>(code >> 8);
                    buf[ps.w + 1] = static_cast<uint8_t>(code);
                    ps.w += 2;
                } else {
                    buf[ps.w++] = '?';
                    ++ps.unreadable;
                }
                ps.r += 3;
                continue;
            }
        }
        lineEndAndAdvance(ps);
    }
}

// The rest of the text as JIS, once the code is JIS.
void runJis(Pass& ps) {
    uint8_t* const buf = ps.buf;
    const size_t len = ps.len;
    while (ps.r < len) {
        const uint8_t b = buf[ps.r];
        if (b == kEsc) {
            int shift = 0;
            bool doubleByte = false;
            if (const int m = matchEscape(buf, ps.r, len, shift, doubleByte)) {
                ps.s = shift;
                ps.r += static_cast<size_t>(m);
                continue;
            }
        }
        if (ps.s == 0) {
            lineEndAndAdvance(ps);
            copyRun(ps, scan::findHighEscOrLineEnd(buf, ps.r, len));
            continue;
        }
        if (b < 0x21 || b >= 0x7F) {
            ps.s = 0;  // a control character or blank ends a shift
            lineEndAndAdvance(ps);
            continue;
        }
        if (ps.s == 2) {
            // 0x21-0x5F become half-width katakana; the byte is then walked
            // as it now stands.
            buf[ps.r] = static_cast<uint8_t>(b | 0x80);
            lineEndAndAdvance(ps);
            continue;
        }
        if (!isJisByte(buf[ps.r + 1])) {
            ps.s = 0;  // handle the same byte again in ASCII
            continue;
        }
        const size_t block = convertPairBlocks(buf, ps.r, ps.w, len, 0x21, 0x7E);
        size_t r = ps.r + block, w = ps.w + block;
        while (isJisByte(buf[r]) && isJisByte(buf[r + 1]) && r + 1 < len) {
            putPair(buf + w, buf[r], buf[r + 1]);
            w += 2;
            r += 2;
        }
        ps.r = r;
        ps.w = w;
    }
}

// Every state byte by byte, for the stretch that still detects after an
// escape sequence; hands over once the code is decided.
void runGeneral(Pass& ps) {
    uint8_t* const buf = ps.buf;
    const size_t len = ps.len;
    while (ps.r < len) {
        if (!ps.detecting()) {
            if (ps.c == kCodeJis && ps.jisActive())
                runJis(ps);
            else if (ps.c == kCodeEuc)
                runEuc(ps);
            else
                runShiftJis(ps);
            return;
        }
        const uint8_t b = buf[ps.r];
        if (b >= 0x80) {
            if (b == 0x8F && !ps.p && ps.r + 2 < len && isEucByte(buf[ps.r + 1]) && isEucByte(buf[ps.r + 2])) {
                // An EUC three-byte character, as in scanUndecided: the walk
                // crosses 0x8F with the byte after it, which counts once
                // towards the parity.
                ps.e = true;
                ps.p = true;
                ps.s = 0;
                lineEndAndAdvance(ps);
                continue;
            }
            if (b <= 0xA0 && b != 0x8E) {
                ps.c = kCodeShiftJis;
                lineEndAndAdvance(ps);
                continue;
            }
            const uint8_t next = buf[ps.r + 1];
            if (sjis::isLeadByte(b) && scan::isEucHigh(next)) {
                // b and the byte after it, which the walk crosses, make a
                // pair whatever the parity was.
                ps.e = true;
            } else {
                if (ps.p) ps.e = true;
                ps.p = !ps.p;
            }
            ps.s = 0;  // a high byte ends any shift
            lineEndAndAdvance(ps);
            continue;
        }
        if (ps.p) {
            ps.c = kCodeShiftJis;
            lineEndAndAdvance(ps);
            continue;
        }
        if (b == kEsc) {
            int shift = 0;
            bool doubleByte = false;
            if (const int m = matchEscape(buf, ps.r, len, shift, doubleByte)) {
                ps.s = shift;
                if (doubleByte) ps.c = kCodeJis;
                ps.r += static_cast<size_t>(m);
                continue;
            }
        }
        if (ps.s == 0) {
            lineEndAndAdvance(ps);
            continue;
        }
        if (b < 0x21 || b >= 0x7F) {
            ps.s = 0;
            lineEndAndAdvance(ps);
            continue;
        }
        // Only the katakana shift can be open while nothing is decided.
        buf[ps.r] = static_cast<uint8_t>(b | 0x80);
        lineEndAndAdvance(ps);
    }
}

// Detection before anything decided, reading only. Returns true when the
// text ended undecided (ps.r then lies at len, or at len + 1 after a
// trailing lead byte); otherwise ps.r is the character start where the
// general loops take over: the code became Shift JIS there, or an escape
// sequence starts there.
bool scanUndecided(Pass& ps) {
    const uint8_t* const buf = ps.buf;
    const size_t len = ps.len;
    size_t r = ps.r;
    bool p = ps.p, e = ps.e;
    bool atEnd = false;
    for (;;) {
        if (r >= len) {
            atEnd = true;
            break;
        }
        const uint8_t b = buf[r];
        if (b < 0x80) {
            if (p) {
                ps.c = kCodeShiftJis;
                break;
            }
            if (b == kEsc) {
                int shift = 0;
                bool doubleByte = false;
                if (matchEscape(buf, r, len, shift, doubleByte)) break;
                ++r;
                continue;
            }
            r = scan::findHighOrEsc(buf, r + 1, len);
            continue;
        }
        if (b == 0x8F && !p && r + 2 < len && isEucByte(buf[r + 1]) && isEucByte(buf[r + 2])) {
            // An EUC three-byte character (0x8F and two bytes 0xA1-0xFE) on
            // a character boundary counts as an EUC pair: the IBM extension
            // kanji many tools write this way must not make the text Shift
            // JIS. Its last two bytes start a run like any other; 0x8F
            // itself takes no part in the parity.
            e = true;
            const size_t q = scan::findNotEucHigh(buf, r + 1, len);
            if ((q - r - 1) & 1) p = !p;
            const size_t last = q - 1;
            r = sjis::isLeadByte(buf[last]) && isCharStart(buf, r, last) ? q + 1 : q;
            continue;
        }
        if (b <= 0xA0 && b != 0x8E) {
            ps.c = kCodeShiftJis;
            break;
        }
        // A run of EUC-looking bytes. Inside it every byte counts once
        // towards the parity: a lead byte whose partner is one of them
        // counts both as a pair. Two or more of them always pair somewhere.
        const size_t q = scan::findNotEucHigh(buf, r + 1, len);
        const size_t m = q - r;
        if (m >= 2 || p) e = true;
        if (m & 1) p = !p;
        // The walk leaves the run at q, or at q + 1 when the run's last
        // byte is a lead byte on a character start (it takes buf[q]).
        const size_t last = q - 1;
        r = sjis::isLeadByte(buf[last]) && isCharStart(buf, r, last) ? q + 1 : q;
    }
    ps.p = p;
    ps.e = e;
    ps.r = r;
    return atEnd;
}

ConvertResult finish(Pass& ps) {
    ps.buf[ps.w] = 0;
    ConvertResult result;
    result.length = ps.w;
    result.code = ps.c;
    result.lineEnd = ps.t;
    result.lineCount = ps.n + 1;
    result.unreadable = ps.unreadable;
    return result;
}

}  // namespace

ConvertResult detectAndConvert(uint8_t* buf, size_t len, int readSetting, int code) {
    Pass ps{buf, len, readSetting, code};
    if (ps.c == kCodeReadAgainAsEuc) ps.c = kCodeEuc;
    if (ps.c < kCodeUndetermined || ps.c > kCodeUtf16) ps.c = kCodeUndetermined;
    if (ps.c == kCodeUndetermined) {
        if (readSetting == kReadShiftJis)
            ps.c = kCodeShiftJis;
        else if (readSetting == kReadJis)
            ps.c = kCodeJis;
        else if (readSetting == kReadEuc)
            ps.c = kCodeEuc;
    }

    std::unique_ptr<uint8_t[]> original;
    if (ps.detecting()) {
        const bool atEnd = scanUndecided(ps);
        if (atEnd && ps.e) {
            ConvertResult again;
            again.length = len;
            again.code = kCodeReadAgainAsEuc;
            return again;
        }
        if (!atEnd && ps.detecting()) {
            // An escape sequence is about to be removed while the text may
            // still turn out to be EUC, which needs the bytes as they came.
            original = std::make_unique<uint8_t[]>(len + 1);
            std::memcpy(original.get(), buf, len + 1);
        }
        const size_t stop = ps.r < len ? ps.r : len;
        ps.r = ps.w = 0;
        scanLinesSplit(ps, stop);
        if (atEnd) return finish(ps);
    }
    runGeneral(ps);
    ConvertResult result = finish(ps);
    if (original && result.code == kCodeUndetermined && ps.e) {
        std::memcpy(buf, original.get(), len + 1);
        ConvertResult again;
        again.length = len;
        again.code = kCodeReadAgainAsEuc;
        return again;
    }
    return result;
}

ConvertResult scanLineEnds(uint8_t* buf, size_t len, int code) {
    Pass ps{buf, len, -1, code};
    runShiftJis(ps);
    return finish(ps);
}

}  // namespace orvex::files
