#pragma once
// Conversion between byte columns and display columns inside one row, by
// walking the row's characters from its first byte (never backwards).
#include <cstdint>

namespace orvex {

struct ColumnHit {
    int32_t byteColumn;
    int32_t displayColumn;
    friend bool operator==(const ColumnHit&, const ColumnHit&) = default;
};

// Walks the characters of row text [p, p + endByte) and stops before the
// first character that would take the column past target; a double-byte
// character that straddles the target is taken when takeDouble is set.
// Returns the byte column and the display column reached (which may be less
// than the target, or one more with takeDouble).
ColumnHit byteColumnAt(const uint8_t* p, int32_t endByte, int32_t target, int32_t tabWidth, bool takeDouble);

// Display column of byte column byteCol (a character boundary within the
// walked bytes).
int32_t displayColumnAt(const uint8_t* p, int32_t byteCol, int32_t tabWidth);

// Display width of the bytes [p, p + n) laid from column 0.
inline int32_t displayWidth(const uint8_t* p, int32_t n, int32_t tabWidth) { return displayColumnAt(p, n, tabWidth); }

}  // namespace orvex
