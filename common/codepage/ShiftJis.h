#pragma once
// Shift JIS (code page 932) byte rules shared by every walk over text.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) always takes the byte after it as its
// trail byte, whatever that byte is. 0xA1-0xDF are half-width katakana and
// punctuation: one byte, one column. Every other byte is a single-byte
// character. Walking backwards must start from a known character boundary.
#include <cstddef>
#include <cstdint>

namespace orvex::sjis {

constexpr bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isHalfWidthKana(uint8_t b) { return b >= 0xA1 && b <= 0xDF; }

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

// Bytes of the character starting with byte b (1 or 2).
constexpr int charLength(uint8_t b) { return isLeadByte(b) ? 2 : 1; }

// Column after a TAB that starts at column col.
constexpr int nextTabStop(int col, int tabWidth) { return ((col + tabWidth) / tabWidth) * tabWidth; }

// Display columns of the character starting with byte b at column col.
constexpr int advanceColumn(uint8_t b, int col, int tabWidth) {
    if (b == 0x09) return nextTabStop(col, tabWidth);
    return col + (isLeadByte(b) ? 2 : 1);
}

// Start of the character that holds byte index `at`, found by walking forward
// from `from`, a known character boundary at or before `at`.
size_t charStart(const uint8_t* text, size_t from, size_t at);

}  // namespace orvex::sjis
