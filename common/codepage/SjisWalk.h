#pragma once
// The one Shift JIS walker: every step over text, everywhere, goes through
// this header. Outside common/ nothing tests a lead byte or writes a step of
// its own; the test core_has_no_raw_lead_step (cmake/CheckRawLeadStep.cmake)
// fails on a new one.
//
// The document rule (step, stepWithin, advance, charStartFrom,
// isCharStart, previousCharStart): a lead byte (0x81-0x9F, 0xE0-0xFC)
// takes the byte after it as its trail byte, except when that byte is a
// line end (CR, LF, FF) or NUL (the terminator), or lies beyond the bytes
// there are. A line end is never swallowed into a broken double-byte
// character: a stray lead byte before it stands alone (one byte, one
// column) and the line end keeps its meaning. Valid Shift JIS never has a
// trail byte below 0x40, so the rule only decides how broken text walks; it
// never changes bytes. Walks go forward from a known character boundary.
//
// Named variants for bytes that are not document text, each used where
// the line-end rule would be wrong:
//  - the plain rule (plainCharLength, plainStep, plainStepWithin): a lead
//    byte takes whatever byte follows, line ends too. For text as a file or
//    the user wrote it before it becomes rows (the load's line split, a
//    macro's source, a typed pattern or replacement whose trail byte may be
//    0x5C, a set of characters);
//  - the pair rule (pairStepWithin): a lead byte takes the next byte only
//    when that is a valid trail byte (isTrailByte). For the settings file's
//    escapes and for marks taken from the settings;
//  - awaitsTrail: the byte-at-a-time form of the plain rule, for input that
//    arrives one byte at a time and for a byte that would take the next
//    cell's byte with it when drawn.
#include <cstddef>
#include <cstdint>

#include "common/codepage/ShiftJis.h"

namespace orvex::sjis {

constexpr uint8_t kTab = 0x09;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kFf = 0x0C;
constexpr uint8_t kCr = 0x0D;

// CR, LF or FF: the bytes that end a line.
constexpr bool isLineEndByte(uint8_t b) { return b == kCr || b == kLf || b == kFf; }
// CR, LF, FF or NUL: the bytes that end a line's content.
constexpr bool endsContent(uint8_t b) { return isLineEndByte(b) || b == 0; }

// ---- The document rule

// Bytes of the character at p (1 or 2) in NUL-terminated text. p[0] must
// not be the terminator; p[1] is read only after a lead byte.
constexpr int step(const uint8_t* p) { return isLeadByte(p[0]) && !endsContent(p[1]) ? 2 : 1; }
inline int step(const char* p) { return step(reinterpret_cast<const uint8_t*>(p)); }

// The same with only `remaining` (>= 1) bytes at p: a lead byte on the last
// of them stands alone.
constexpr int stepWithin(const uint8_t* p, ptrdiff_t remaining) {
    return isLeadByte(p[0]) && remaining > 1 && !endsContent(p[1]) ? 2 : 1;
}
inline int stepWithin(const char* p, ptrdiff_t remaining) {
    return stepWithin(reinterpret_cast<const uint8_t*>(p), remaining);
}

// A lead byte the rule leaves alone (a line end or NUL follows it), in
// NUL-terminated text.
constexpr bool isLoneLead(const uint8_t* p) { return isLeadByte(p[0]) && endsContent(p[1]); }

// Whether the last character of [p, p + n) is a lead byte standing alone
// at the very end (a pattern or find string that ends in half a character).
constexpr bool endsInLoneLead(const uint8_t* p, ptrdiff_t n) {
    ptrdiff_t i = 0, last = -1;
    while (i < n) {
        last = i;
        i += stepWithin(p + i, n - i);
    }
    return last == n - 1 && isLeadByte(p[last]);
}
inline bool endsInLoneLead(const char* p, ptrdiff_t n) {
    return endsInLoneLead(reinterpret_cast<const uint8_t*>(p), n);
}

// Display column after the character at p that starts at column col: a TAB
// goes to the next tab stop, every other character takes one column a byte.
constexpr int32_t advance(const uint8_t* p, int32_t col, int tabWidth) {
    if (p[0] == kTab) return nextTabStop(col, tabWidth);
    return col + step(p);
}

// Start of the character that holds byte `at`, walking forward from
// `from`, a known character boundary at or before `at`.
constexpr size_t charStartFrom(const uint8_t* text, size_t from, size_t at) {
    size_t p = from;
    while (p < at) {
        const size_t next = p + size_t(step(text + p));
        if (next > at) return p;
        p = next;
    }
    return p;
}

// Whether byte `at` starts a character, given that `from` (<= at) does,
// without walking from `from`: a byte that is no lead-byte value always
// ends a character, so only the run of lead-byte values right before `at`
// counts; its bytes pair up, and `at` starts a character when the run is
// even. A line end or NUL at `at` always starts one. `text` must hold the
// bytes [from, at].
constexpr bool isCharStart(const uint8_t* text, ptrdiff_t from, ptrdiff_t at) {
    if (at <= from || endsContent(text[at])) return true;
    ptrdiff_t k = at - 1;
    while (k >= from && isLeadByte(text[k])) --k;
    return ((at - (k + 1)) & 1) == 0;
}

// Start of the character that ends at `at` (a boundary after `from`), with
// `from` (<= at) a known boundary. `text` must hold the bytes [from, at].
constexpr ptrdiff_t previousCharStart(const uint8_t* text, ptrdiff_t from, ptrdiff_t at) {
    if (at - 2 >= from && isLeadByte(text[at - 2]) && !endsContent(text[at - 1]) && isCharStart(text, from, at - 2))
        return at - 2;
    return at - 1;
}

// ---- The plain rule (named variant)

// Bytes the character that starts with byte b asks for: 2 for a lead byte,
// whatever follows it.
constexpr int plainCharLength(uint8_t b) { return isLeadByte(b) ? 2 : 1; }
// A lead byte waits for a trail byte: input that comes one byte at a time,
// or a byte that takes the next cell's byte with it when drawn.
constexpr bool awaitsTrail(uint8_t b) { return isLeadByte(b); }
// Bytes of the character at p in NUL-terminated text: a lead byte takes any
// byte but the terminator (a macro's source).
constexpr int plainStep(const uint8_t* p) { return isLeadByte(p[0]) && p[1] != 0 ? 2 : 1; }
// Bytes of the character at p with `remaining` (>= 1) bytes left: a lead
// byte takes the next byte whatever it is, as long as there is one.
constexpr int plainStepWithin(const uint8_t* p, ptrdiff_t remaining) {
    return isLeadByte(p[0]) && remaining > 1 ? 2 : 1;
}
inline int plainStepWithin(const char* p, ptrdiff_t remaining) {
    return plainStepWithin(reinterpret_cast<const uint8_t*>(p), remaining);
}

// ---- The pair rule (named variant)

// Bytes of the character at p with `remaining` (>= 1) bytes left: 2 for a
// lead byte followed by a valid trail byte, else 1.
constexpr int pairStepWithin(const uint8_t* p, ptrdiff_t remaining) {
    return isLeadByte(p[0]) && remaining > 1 && isTrailByte(p[1]) ? 2 : 1;
}
inline int pairStepWithin(const char* p, ptrdiff_t remaining) {
    return pairStepWithin(reinterpret_cast<const uint8_t*>(p), remaining);
}

}  // namespace orvex::sjis
