#pragma once
// Character steps over document text, shared by layout, column conversion
// and every walk over a row.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) takes the byte after it, except when
// that byte is a line end (CR, LF, FF) or the terminating NUL: a line end is
// never swallowed into a broken double-byte character, so a stray lead byte
// before a line end stands alone (one byte, one column) and the line end
// keeps its meaning. Valid Shift JIS never has a trail byte below 0x40, so
// this only decides how broken text is shown; it never changes bytes.
#include <cstdint>

#include "common/codepage/ShiftJis.h"

namespace orvex::text {

constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kFf = 0x0C;
constexpr uint8_t kTab = 0x09;

// CR, LF, FF or NUL: the bytes that end a line's content.
constexpr bool endsContent(uint8_t b) { return b == kCr || b == kLf || b == kFf || b == 0; }
constexpr bool isLineEndByte(uint8_t b) { return b == kCr || b == kLf || b == kFf; }

// Bytes of the character at p (1 or 2). p[0] must not be the terminator.
inline int charLength(const uint8_t* p) { return sjis::isLeadByte(p[0]) && !endsContent(p[1]) ? 2 : 1; }
inline int charLength(const char* p) { return charLength(reinterpret_cast<const uint8_t*>(p)); }

// Display column after the character at p that starts at column col.
inline int32_t advance(const uint8_t* p, int32_t col, int32_t tabWidth) {
    if (p[0] == kTab) return sjis::nextTabStop(col, tabWidth);
    return col + charLength(p);
}

}  // namespace orvex::text
