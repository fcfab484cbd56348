#pragma once
// Conversion between Shift JIS (code page 932) and UTF-16 / UTF-8.
//
// Decoding never reads past the end of its input: a lead byte at the very
// end, a pair with no Unicode form and the undefined single bytes (0x80,
// 0xA0, 0xFD-0xFF) decode to the replacement character. Encoding writes "?"
// for every character that has no Shift JIS form (a surrogate pair counts as
// one character). Where several Shift JIS codes share one Unicode character
// (NEC row 13, NEC-selected IBM extensions) encoding picks the code glibc's
// converter picks, so text round-trips through Unicode unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::cp932 {

constexpr uint16_t kNoUnicode = 0xFFFF;
constexpr uint16_t kNoSjis = 0xFFFF;
constexpr char16_t kDecodeReplacement = u'\uFFFD';

// Unicode character of one single byte, or kNoUnicode.
uint16_t decodeSingle(uint8_t b);
// Unicode character of a lead/trail pair, or kNoUnicode.
uint16_t decodePair(uint8_t lead, uint8_t trail);
// Shift JIS code of a UTF-16 unit: below 0x100 a single byte, otherwise
// lead << 8 | trail; kNoSjis when the character has no Shift JIS form.
uint16_t encodeUnit(char16_t u);
// The whole encoding as a table of 65536 entries, indexed by the UTF-16
// unit (what encodeUnit answers), for loops that convert in bulk.
const uint16_t* encodeTableData();
// The same without the few characters whose code decodes to another
// character (U+00A2, U+00A3, U+00AC, U+2016, U+2212, U+301C go to the
// full-width forms): kNoSjis for them. What must come back unchanged
// (Unicode files) converts with this table.
const uint16_t* exactEncodeTableData();

// Bulk conversions. The output buffers must hold at least as many units as
// the worst case: n units for toUtf16, 2n bytes for fromUtf16, 3n bytes for
// toUtf8. They return the number of units or bytes written.
size_t toUtf16(const uint8_t* src, size_t n, char16_t* dst, char16_t replacement = kDecodeReplacement);
size_t fromUtf16(const char16_t* src, size_t n, uint8_t* dst, uint8_t replacement = '?');

std::u16string toUtf16(std::string_view sjis, char16_t replacement = kDecodeReplacement);
std::string fromUtf16(std::u16string_view utf16, char replacement = '?');
std::string toUtf8(std::string_view sjis, char16_t replacement = kDecodeReplacement);
// Invalid UTF-8 sequences become "?" like unmappable characters.
std::string fromUtf8(std::string_view utf8, char replacement = '?');

}  // namespace orvex::cp932
