#pragma once
// Byte and character steps over a searched text (a "subject": bytes
// [0, length), nothing beyond length is ever read).
//
// Characters follow the document rule of the walker
// (common/codepage/SjisWalk.h): a lead byte takes the next byte with it
// unless that byte is a line end (CR, LF, FF) or NUL or lies beyond the
// subject. A line end is a unit of its own: CR with every LF that follows
// it, a lone LF, or FF.
//
// Finding out whether a byte offset starts a character never walks
// backwards byte by byte from nowhere: it re-synchronises from a known
// boundary with the walker's lead-run parity (sjis::isCharStart).
#include <cstdint>
#include <cstring>

#include "common/codepage/SjisWalk.h"

namespace orvex::search {

using sjis::kCr;
using sjis::kFf;
using sjis::kLf;

// Character code of a line end (CR with its LFs, or a lone LF) in classes
// and repetitions.
constexpr uint16_t kLineEndCode = 0x0D;

using sjis::endsContent;
using sjis::isLineEndByte;
constexpr bool isWordByte(uint8_t b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_';
}
constexpr bool isAsciiUpper(uint8_t b) { return b >= 'A' && b <= 'Z'; }
constexpr bool isAsciiLetter(uint8_t b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }
constexpr uint8_t asciiLower(uint8_t b) { return isAsciiUpper(b) ? uint8_t(b | 0x20) : b; }

// Full-width Latin capitals (0x8260-0x8279) to their small letters
// (0x8281-0x829A); every other code unchanged.
constexpr uint16_t foldWide(uint16_t code) {
    return code >= 0x8260 && code <= 0x8279 ? uint16_t(code + 0x21) : code;
}

struct Subject {
    const uint8_t* data = nullptr;
    int32_t length = 0;

    // Bytes of the character at p (p < length).
    int charLength(int32_t p) const { return sjis::stepWithin(data + p, length - p); }
    // Bytes of the unit at p: a whole line end (CR and its LFs), else one
    // character.
    int32_t unitLength(int32_t p) const {
        if (data[p] != kCr) return charLength(p);
        int32_t e = p + 1;
        while (e < length && data[e] == kLf) ++e;
        return e - p;
    }
    // Code of the character at p: a byte, lead << 8 | trail, or
    // kLineEndCode for CR and LF.
    uint16_t codeAt(int32_t p, int len) const {
        if (len == 2) return uint16_t(data[p] << 8 | data[p + 1]);
        return data[p] == kLf ? kLineEndCode : data[p];
    }

    // p lies on a character boundary; known <= p must be one.
    bool isBoundary(int32_t known, int32_t p) const {
        return p <= known || p >= length || sjis::isCharStart(data, known, p);
    }
    // Start of the character that ends at p (p > 0 a boundary; known <= p
    // a boundary).
    int32_t previousCharStart(int32_t known, int32_t p) const {
        return int32_t(sjis::previousCharStart(data, known, p));
    }
    // The character before p is an ASCII letter, digit or "_".
    bool wordBefore(int32_t known, int32_t p) const {
        if (p <= 0 || !isWordByte(data[p - 1])) return false;
        // An ASCII byte may still be the trail byte of a double-byte character.
        return p - 1 <= known || isBoundary(known, p - 1);
    }
    // The character at p (a boundary) is an ASCII letter, digit or "_".
    bool wordAt(int32_t p) const { return p < length && isWordByte(data[p]); }
    // p begins a logical line.
    bool lineStartAt(int32_t p) const { return p <= 0 || isLineEndByte(data[p - 1]); }
    // p stands before a line end or at the end of the subject.
    bool lineEndAt(int32_t p) const { return p >= length || isLineEndByte(data[p]); }

    // First line-end byte in [from, to), or to.
    int32_t findLineEnd(int32_t from, int32_t to) const;
    // Start of the logical line that holds p: the offset after the last
    // line-end byte before p, or floor.
    int32_t lineStartBefore(int32_t p, int32_t floor) const {
        while (p > floor && !isLineEndByte(data[p - 1])) --p;
        return p;
    }
};

}  // namespace orvex::search
