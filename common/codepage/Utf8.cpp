#include "common/codepage/Utf8.h"

#include <cstring>

namespace orvex::utf8 {

namespace {

inline bool allAscii8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return (v & 0x8080808080808080ULL) == 0;
}

}  // namespace

size_t firstInvalid(const uint8_t* p, size_t n) {
    size_t i = 0;
    while (i < n) {
        while (i + 8 <= n && allAscii8(p + i)) i += 8;
        if (i >= n) break;
        const uint8_t b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        // Japanese text is mostly three-byte sequences whose lead byte
        // allows every continuation byte (E1-EC, EE, EF).
        if (b >= 0xE1 && b <= 0xEF && b != 0xED && i + 3 <= n && (p[i + 1] & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80) {
            i += 3;
            continue;
        }
        char32_t cp;
        const int len = decode(p + i, n - i, cp);
        if (len == 0) return i;
        i += static_cast<size_t>(len);
    }
    return n;
}

bool isNonAsciiUtf8(const uint8_t* p, size_t n) {
    size_t i = 0;
    while (i + 8 <= n && allAscii8(p + i)) i += 8;
    while (i < n && p[i] < 0x80) ++i;
    if (i >= n) return false;
    return firstInvalid(p + i, n - i) == n - i;
}

}  // namespace orvex::utf8
