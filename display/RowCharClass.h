#pragma once
// Character steps over the content bytes of one row, as the colouring
// scans need them: bounded by the row's end (a lead byte in the row's last
// byte stands alone) and with a table lookup for the two character classes
// that form runs (class 1: ASCII letters, digits and underscore; class 3:
// half-width katakana). Double-byte characters are never of those classes.
#include <array>
#include <cstdint>

#include "common/codepage/SjisWalk.h"

namespace orvex::rowchar {

namespace detail {
constexpr std::array<uint8_t, 256> makeRunClass() {
    std::array<uint8_t, 256> t{};
    for (int b = '0'; b <= '9'; ++b) t[size_t(b)] = 1;
    for (int b = 'A'; b <= 'Z'; ++b) t[size_t(b)] = 1;
    for (int b = 'a'; b <= 'z'; ++b) t[size_t(b)] = 1;
    t['_'] = 1;
    for (int b = 0xA1; b <= 0xDF; ++b) t[size_t(b)] = 3;
    return t;
}
inline constexpr std::array<uint8_t, 256> kRunClass = makeRunClass();
}  // namespace detail

// Bytes of the character at p with `remaining` bytes left in the row. Over
// a row's content (no line end, and text holds no NUL) this is the
// document rule; the scans also walk search words with it, which may hold
// any byte, so it is the walker's plain rule.
inline int length(const uint8_t* p, int32_t remaining) { return sjis::plainStepWithin(p, remaining); }

// 1 or 3 for a character of a run class starting with byte b, else 0 (a
// lead byte is 0 whatever follows it).
inline int runClass(uint8_t b) { return detail::kRunClass[b]; }

}  // namespace orvex::rowchar
