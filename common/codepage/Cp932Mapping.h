#pragma once
// The code page's character mappings used by the case and width conversions.
//
// A character code here is the Shift JIS value of one character: a single
// byte (0x00-0xFF, not a lead byte) or lead << 8 | trail.
#include <cstdint>
#include <array>
#include <string_view>
#include <vector>

namespace orvex::cp932 {

// Case mapping: ASCII letters and the full-width Latin letters
// (0x8260-0x8279 upper, 0x8281-0x829A lower); everything else unchanged.
uint16_t toUpper(uint16_t code);
uint16_t toLower(uint16_t code);
bool isLowerLetter(uint16_t code);
bool isUpperLetter(uint16_t code);

// Full-width to single byte: the full-width blank and full-width ASCII give
// their ASCII byte; katakana, hiragana and the Japanese punctuation with a
// half-width form give the half-width byte (a voiced or semi-voiced kana
// gives its unvoiced base, see kanaVoicing). -1 when there is none.
int toSingleByte(uint16_t code);
// The same as a table, for loops over whole texts: fetch it once, then
// look codes up inline.
struct SingleByteTable {
    std::array<int8_t, 256> rowOf{};  // row of a lead byte, -1 for none
    std::vector<std::array<int16_t, 256>> rows;
    int lookup(uint16_t code) const {
        const int row = rowOf[code >> 8];
        return row < 0 ? -1 : rows[size_t(row)][code & 0xFF];
    }
};
const SingleByteTable& singleByteTable();
// Whether codes with this lead byte can have a single-byte form at all
// (symbols, full-width Latin and kana, and the extension rows 0xEE and
// 0xFA): a quick test before the look-up, for text that is mostly kanji.
constexpr bool leadHasSingleByteForms(uint8_t lead) {
    return (lead >= 0x81 && lead <= 0x83) || lead == 0xEE || lead == 0xFA;
}

// Single byte to full width: blank and printable ASCII to the full-width
// forms, 0xA1-0xDF to full-width katakana and punctuation. 0 when none.
uint16_t toFullWidth(uint8_t b);

// Kana position shared by hiragana (from 0x829F) and katakana (from 0x8340,
// skipping 0x837F): 0-85, or -1 for a code that is not kana.
int hiraganaPosition(uint16_t code);
int katakanaPosition(uint16_t code);
uint16_t katakanaAt(int position);
uint16_t hiraganaAt(int position);  // 0 past the last hiragana

enum class Voicing { None, Voiced, SemiVoiced };
// Whether the kana at a position is written half-width with a following
// voiced mark (0xDE) or semi-voiced mark (0xDF).
Voicing kanaVoicing(int position);

// Repair of text typed in a Western code page and read as Shift JIS: the
// Shift JIS text (one or two single-byte characters, or one double-byte
// character) that stands for the Western character of byte b (0x80-0xFF).
// Bytes below 0x80 give an empty view (they are copied as they are).
std::string_view westernRepair(uint8_t b);

}  // namespace orvex::cp932
