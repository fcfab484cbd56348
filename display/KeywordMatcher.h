#pragma once
// Keyword colouring of one row. The keywords of the enabled groups are
// tried at each scan position in group order and, within a group, in slot
// order; the first that matches wins:
//  - its bytes equal the text byte for byte (case-sensitive);
//  - when its last character is of class 1 (ASCII letter, digit,
//    underscore) or class 3 (half-width katakana), the character after it
//    is not of that same class, so "if" matches in "if(" but not in
//    "ifdef".
// After a match the scan resumes behind it. Without a match it skips the
// whole run of class-1 (or class-3) characters at the position, so a
// keyword only begins where such a run begins ("if" is not found in "_if"),
// or one character otherwise. Scan positions are character boundaries.
//
// A matcher is built once per settings change: it indexes the keywords by
// their first byte, keeping the group and slot order within each index.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "display/ColourTable.h"

namespace orvex {

namespace settings {
class KeywordStore;
}

struct KeywordHit {
    int32_t begin;  // byte columns [begin, end)
    int32_t end;
    uint8_t code;   // attribute code of the keyword's group
    friend bool operator==(const KeywordHit&, const KeywordHit&) = default;
};

// Groups 1..8 that colour: the mode's KeywdSel value is on (-1: on when
// the group's colour is set) and the group's colour differs from TextColor.
std::array<bool, 8> keywordGroupsOn(const std::array<int, 8>& keywdSel, const ColourTable& colours);

class KeywordMatcher {
public:
    KeywordMatcher() = default;  // no keywords
    KeywordMatcher(const settings::KeywordStore& store, const std::array<bool, 8>& groupsOn);

    bool empty() const { return m_entries.empty(); }

    // Appends the keywords found in the bytes [p, p + n) of one row (its
    // content, without the line end).
    void scan(const uint8_t* p, int32_t n, std::vector<KeywordHit>& out) const;

private:
    struct Entry {
        std::string word;
        uint8_t code;
        uint8_t lastClass;  // 1 or 3 when the character after it matters, else 0
    };
    std::vector<Entry> m_entries;                    // group and slot order
    std::array<std::vector<uint16_t>, 256> m_first;  // entry indexes by first byte
};

}  // namespace orvex
