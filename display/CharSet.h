#pragma once
// A set of Shift JIS characters given as a string (the line-breaking sets).
// Single bytes and double-byte characters are kept in two bitmaps, so a
// lookup costs one bit test whatever the size of the set.
#include <array>
#include <cstdint>
#include <string_view>

namespace orvex {

class CharSet {
public:
    CharSet() = default;
    // Walks the string with the lead-byte rule; a lead byte at the very end
    // is taken as a single byte.
    explicit CharSet(std::string_view sjis);

    // Whether the character that starts at p (length bytes, 1 or 2) is in
    // the set.
    bool contains(const uint8_t* p, int length) const {
        if (length == 2) {
            const unsigned code = (unsigned(p[0]) << 8) | p[1];
            return (m_double[code >> 6] >> (code & 63)) & 1;
        }
        return (m_single[p[0] >> 6] >> (p[0] & 63)) & 1;
    }
    bool empty() const { return m_empty; }

private:
    std::array<uint64_t, 4> m_single{};
    std::array<uint64_t, 1024> m_double{};
    bool m_empty = true;
};

}  // namespace orvex
