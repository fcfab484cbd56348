#pragma once
// UTF-8 byte rules: strict decoding of one sequence, encoding, and finding
// the first ill-formed sequence of a buffer.
//
// Well-formed means the shortest form of a Unicode scalar value: no
// overlong forms, no surrogates (U+D800-U+DFFF), nothing above U+10FFFF,
// no sequence cut short by the end of the buffer.
#include <cstddef>
#include <cstdint>

namespace orvex::utf8 {

// Decodes the sequence at p[0, n): its length (1-4) with the scalar in cp,
// or 0 when the bytes there are not a well-formed sequence (cp untouched).
// Never reads past p + n.
inline int decode(const uint8_t* p, size_t n, char32_t& cp) {
    const uint8_t b = p[0];
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if (b < 0xC2 || b > 0xF4) return 0;
    if (b < 0xE0) {
        if (n < 2 || (p[1] & 0xC0) != 0x80) return 0;
        cp = static_cast<char32_t>((b & 0x1F) << 6 | (p[1] & 0x3F));
        return 2;
    }
    if (b < 0xF0) {
        // The second byte's range excludes overlong forms (E0) and
        // surrogates (ED).
        const uint8_t lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
        if (n < 3 || p[1] < lo || p[1] > hi || (p[2] & 0xC0) != 0x80) return 0;
        cp = static_cast<char32_t>((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
        return 3;
    }
    // F0 excludes overlong forms, F4 everything past U+10FFFF.
    const uint8_t lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    if (n < 4 || p[1] < lo || p[1] > hi || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80) return 0;
    cp = static_cast<char32_t>((b & 0x07) << 18 | (p[1] & 0x3F) << 12 | (p[2] & 0x3F) << 6 | (p[3] & 0x3F));
    return 4;
}

// Writes the scalar (at most U+10FFFF; a surrogate is written like any
// other value) and returns the bytes written, 1-4.
inline int encode(char32_t cp, uint8_t* d) {
    if (cp < 0x80) {
        d[0] = static_cast<uint8_t>(cp);
        return 1;
    }
    if (cp < 0x800) {
        d[0] = static_cast<uint8_t>(0xC0 | cp >> 6);
        d[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        d[0] = static_cast<uint8_t>(0xE0 | cp >> 12);
        d[1] = static_cast<uint8_t>(0x80 | (cp >> 6 & 0x3F));
        d[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
        return 3;
    }
    d[0] = static_cast<uint8_t>(0xF0 | cp >> 18);
    d[1] = static_cast<uint8_t>(0x80 | (cp >> 12 & 0x3F));
    d[2] = static_cast<uint8_t>(0x80 | (cp >> 6 & 0x3F));
    d[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 4;
}

// Offset of the first ill-formed sequence in p[0, n), or n when the whole
// buffer is well-formed. ASCII goes eight bytes at a time.
size_t firstInvalid(const uint8_t* p, size_t n);

// True when p[0, n) holds a byte above 0x7F and is well-formed throughout.
// Gives up at the first ill-formed sequence, which in Shift JIS or EUC text
// comes within the first few high bytes.
bool isNonAsciiUtf8(const uint8_t* p, size_t n);

}  // namespace orvex::utf8
