#pragma once
// The range converter: case, half-width/full-width and kana conversions
// and the Western code-page repair, over Shift JIS text. Every character
// step goes through the walker; a double-byte character is converted or
// copied whole, never split (the Western repair alone works byte by byte,
// since its input is Western text misread as Shift JIS).
//
// The code page's mappings (common/codepage/Cp932Mapping.h) decide what
// has a half-width or full-width form; this file decides, per mode, which
// of those forms are taken.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvex::transform {

enum class ConvertMode {
    Upper,          // ASCII and full-width Latin letters to upper case
    Lower,          // ... to lower case
    HalfAll,        // every full-width character with a single-byte form, hiragana included
    HalfLatin,      // full-width Latin letters, digits, symbols and the full-width blank
    HalfBlank,      // the full-width blank only
    HalfKana,       // full-width katakana, the sound marks, the prolonged mark and the blank
    FullAll,        // printable ASCII, the blank and half-width katakana to full width
    FullHiragana,   // half-width katakana to hiragana (where the code page has one)
    FullKatakana,   // half-width katakana to full-width katakana
    FullBlank,      // the blank only
    WesternRepair,  // bytes 0x80-0xFF read as a Western code page
};

// The converted text of `text` (a whole range).
std::string convertText(std::string_view text, ConvertMode mode);

// Bytes of the character unit that starts at `at` (< text.size()): one
// character, and with a half-width kana the voiced or semi-voiced mark
// that follows it, except in the Western repair. The unit is what the
// converter works on when there is no selection.
size_t unitLength(std::string_view text, size_t at, ConvertMode mode);

}  // namespace orvex::transform
