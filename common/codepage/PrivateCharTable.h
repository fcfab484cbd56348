#pragma once
// A document's characters that code page 932 cannot hold, each kept under a
// code of the user-defined area, so that text from a Unicode file loses
// nothing while it is held as Shift JIS.
//
// The area is the double-byte codes with lead byte 0xF0-0xF9 and a trail
// byte 0x40-0x7E or 0x80-0xFC: 1880 codes. Code page 932 maps them to
// U+E000-U+E757 (private use). A code the table holds stands for the
// character the table gives it; every other code of the area keeps its
// private-use meaning. A code is "taken" when the table holds it or when the
// text uses it for its private-use character; new entries get the first
// code that is not taken.
//
// Converting between the document's Shift JIS and Unicode goes through the
// table everywhere (files, clipboard, drawing, dialogs, the find box):
//
//   const PrivateCharTable& t = documentFile.privateChars();
//   std::u16string shown = t.toUtf16(sjisBytes);          // drawing, copy
//   PrivateCharTable::FromUnicode in = table.fromUtf16(pasted);   // paste
//   if (in.lost > 0) tell the user: the area is full, in.lost became "?"
//
// A lone surrogate (from a UTF-16 file) can be held like a character, so a
// UTF-16 file comes back unit for unit; it has no UTF-8 form. So are the
// few characters whose code page 932 code decodes to another character
// (U+00A2 ¢ would come back as U+FFE0 ￠): a character keeps its code page
// 932 code only when that code gives it back.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvex::cp932 {

class PrivateCharTable {
public:
    static constexpr size_t kCapacity = 1880;
    static constexpr char32_t kNoChar = 0xFFFFFFFF;

    // Whether a Shift JIS code (lead << 8 | trail) lies in the area, and its
    // place there (0-1879; -1 outside).
    static constexpr int indexOf(uint16_t code) {
        const int lead = code >> 8, trail = code & 0xFF;
        if (lead < 0xF0 || lead > 0xF9 || trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
        return (lead - 0xF0) * 188 + (trail < 0x7F ? trail - 0x40 : trail - 0x41);
    }
    static constexpr bool isAreaCode(uint16_t code) { return indexOf(code) >= 0; }
    static constexpr uint16_t codeAt(int index) {
        const int t = index % 188;
        return static_cast<uint16_t>((0xF0 + index / 188) << 8 | (t < 0x3F ? 0x40 + t : 0x41 + t));
    }

    // ---- State
    bool empty() const { return m_size == 0; }
    size_t size() const { return m_size; }
    // Codes neither held nor used by the text: how many more characters fit.
    size_t freeCodes() const { return kCapacity - m_taken.count(); }
    // Forgets every entry and every taken code (a new load).
    void clear();
    // The character held under a code, or kNoChar when the table holds none.
    char32_t charOf(uint16_t code) const {
        const int i = indexOf(code);
        return i >= 0 && m_chars[static_cast<size_t>(i)] != 0 ? m_chars[static_cast<size_t>(i)] : kNoChar;
    }
    // The code the table holds a character under, or 0.
    uint16_t codeOf(char32_t ch) const;
    bool isTaken(uint16_t code) const {
        const int i = indexOf(code);
        return i >= 0 && m_taken.test(static_cast<size_t>(i));
    }
    // Marks a code of the area as used by the text for its private-use
    // character (nothing for codes outside the area or held by the table).
    void markUsed(uint16_t code) {
        const int i = indexOf(code);
        if (i >= 0) m_taken.set(static_cast<size_t>(i));
    }
    // markUsed for every code of the area that the Shift JIS text holds.
    void markUsedIn(std::string_view sjis);

    // Shift JIS text from outside the document (a Shift JIS file inserted,
    // text another program gave as Shift JIS) holds codes of the area for
    // their private-use characters: a code the table holds for another
    // character is replaced by the private-use character's own entry (two
    // bytes for two), the others are marked used. False when the area ran
    // full; those characters then became "?" and the text got shorter.
    bool adoptShiftJis(std::string& sjis);

    // Where text may gain codes of the area by other ways than this table
    // (Shift JIS files inserted, typed bytes), the owner hands the table its
    // text: before the first new entry of a bulk conversion the table marks
    // the codes in it as used. Optional.
    void setTextSource(std::function<std::string_view()> source) { m_textSource = std::move(source); }

    // ---- Single characters
    // The Unicode character (or held lone surrogate) of a Shift JIS
    // character code: a single byte, or lead << 8 | trail. A code the table
    // holds gives its character, any other code its code page 932
    // character; kNoChar when there is none.
    char32_t toUnicode(uint16_t sjisCode) const;
    // The Shift JIS code of a Unicode scalar or lone surrogate: its code
    // page 932 code (one that decodes to it), unless that is a code the table holds for another
    // character; otherwise the table's code for it, a new entry when it has
    // none. 0 when the area is full. A private-use character that keeps its
    // own code marks that code used.
    uint16_t toSjis(char32_t ch);
    // The same without making a new entry: 0 when the table would need one.
    uint16_t lookupSjis(char32_t ch) const;

    // ---- Bulk conversions
    // Shift JIS text to UTF-16 / UTF-8. Bytes with no character (a lead
    // byte at the end, undefined codes) give the replacement; a held lone
    // surrogate gives itself in UTF-16 and the replacement in UTF-8.
    std::u16string toUtf16(std::string_view sjis, char32_t replacement = U'\uFFFD') const;
    std::string toUtf8(std::string_view sjis, char32_t replacement = U'\uFFFD') const;

    struct FromUnicode {
        std::string text;    // Shift JIS
        size_t lost = 0;     // characters written as "?" because the area was full
        size_t invalid = 0;  // ill-formed UTF-8 sequences or, in lookup mode, unknown characters, as "?"
    };
    // UTF-16 / UTF-8 to Shift JIS, making entries as needed (allocate) or
    // only using those there are (allocate false: for search strings, which
    // need no new entries since the text cannot hold what the table lacks;
    // a character without an entry then takes its nearest code page 932
    // code when it has one, ¢ that of ￠, else "?" counted as invalid).
    // Lone surrogates in UTF-16 are kept like characters.
    FromUnicode fromUtf16(std::u16string_view utf16, bool allocate = true);
    FromUnicode fromUtf8(std::string_view utf8, bool allocate = true);

private:
    uint16_t allocate(char32_t ch);
    void refreshFromText();
    template <class Next>
    FromUnicode fromUnicode(Next next, size_t sizeHint, bool allocate);

    std::array<char32_t, kCapacity> m_chars{};  // 0: not held
    std::bitset<kCapacity> m_taken;
    std::unordered_map<char32_t, uint16_t> m_codes;
    size_t m_size = 0;
    size_t m_next = 0;  // no free code before this index
    std::function<std::string_view()> m_textSource;
};

}  // namespace orvex::cp932
