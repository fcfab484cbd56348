#pragma once
// Shift JIS (code page 932) byte rules: which bytes are lead bytes, trail
// bytes and half-width katakana, and the character classes.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) starts a double-byte character; a
// valid trail byte is 0x40-0x7E or 0x80-0xFC. 0xA1-0xDF are half-width
// katakana and punctuation: one byte, one column. Every other byte is a
// single-byte character. How a walk steps over text (and what happens to a
// lead byte before a line end) is the walker's business:
// common/codepage/SjisWalk.h.
#include <cstddef>
#include <cstdint>

namespace orvex::sjis {

constexpr bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isHalfWidthKana(uint8_t b) { return b >= 0xA1 && b <= 0xDF; }
// A byte that may follow a lead byte as its trail byte.
constexpr bool isTrailByte(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Byte class bits (one entry per byte value).
enum ByteClassBits : uint8_t {
    kClassEndOfText = 0x01,  // NUL
    kClassLineEndCrFf = 0x02,
    kClassLineEndLf = 0x04,
    kClassUrl = 0x08,        // the URL scan continues over these
    kClassWordMark = 0x10,   // letters, digits, - . _ and 0x40 (with kClassUrl)
    kClassFileDelim = 0x20,  // a file-name scan stops here
};
extern const uint8_t kByteClass[256];

constexpr bool isLineEndClass(uint8_t bits) { return (bits & 0x06) != 0; }
inline bool isLineEnd(uint8_t b) { return isLineEndClass(kByteClass[b]); }

// Character classes used for word boundaries.
enum CharClass : int {
    kCharOther = 0,
    kCharWord = 1,
    kCharBlank = 2,
    kCharHalfKana = 3,
    kCharFullAlnum = 4,
    kCharHiragana = 5,
    kCharKatakana = 6,
    kCharKanji = 7,
    kCharFullSymbol = 8,
};

// Class of the character starting at p. Reads p[1] only when p[0] is a lead
// byte.
int charClass(const uint8_t* p);
inline int charClass(const char* p) { return charClass(reinterpret_cast<const uint8_t*>(p)); }

// Column after a TAB that starts at column col.
constexpr int nextTabStop(int col, int tabWidth) { return ((col + tabWidth) / tabWidth) * tabWidth; }

}  // namespace orvex::sjis
