#pragma once
// Value encodings of the settings file and of the export file (they share
// one format). Integers are decimal text. Strings are written in double
// quotes with C-like escapes; binary values become pairs of capital letters
// written as a string; window placements are a string of ten numbers.
//
// Shift JIS: a double-byte character (lead byte followed by a valid trail
// byte, 0x40-0x7E or 0x80-0xFC) is copied as a unit and never escaped, even
// when its trail byte is 0x5C (a backslash). A lead byte without a valid
// trail byte is a lone (invalid) byte.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/SjisWalk.h"
#include "settings/WindowPlacement.h"

namespace orvex::settings::codec {

// Most escaped bytes written for one string (quotes not counted).
constexpr size_t kMaxEscapedBytes = 4092;

// True when b may follow a lead byte as its trail byte.
using sjis::isTrailByte;
// Bytes of the character at text[i]: 2 for a lead byte with a valid trail
// byte inside the text, else 1 (the walker's pair rule: a value's trail
// byte may be 0x5C, and a line end after a lead byte is no trail byte).
inline size_t charBytes(std::string_view text, size_t i) {
    return size_t(sjis::pairStepWithin(text.data() + i, ptrdiff_t(text.size() - i)));
}

// Escaped text of a string, without the quotes: "\\", "\"", "\r", "\n",
// "\t", "\f" for backslash, quote and those controls; every other byte
// below 0x20 is dropped; double-byte characters are copied unchanged. The
// result never exceeds kMaxEscapedBytes and is never cut inside an escape
// or a double-byte character. A lone lead byte directly before an escape is
// dropped, because the reader would take the escape's backslash for its
// trail byte.
std::string escapeString(std::string_view text);
// The quoted form written to the file: '"' + escapeString(text) + '"'.
std::string quoteString(std::string_view text);

// Reverses escapeString: "\r", "\n", "\f", "\t", "\"" give the control or
// quote, "\\" one backslash; a backslash before any other character is
// dropped and the character kept; a backslash at the very end stays.
// Double-byte characters are taken as units, so their trail byte never
// starts an escape.
std::string unescapeString(std::string_view escaped);

// A raw value as it stands in the file, with the enclosing double quotes
// removed. A value that opens a quote and never closes it (a cut file)
// loses the opening quote.
std::string_view unquote(std::string_view raw);

// Binary values: each byte as two letters, "A" + low nibble then
// "A" + high nibble (0x3F is "PD").
std::string encodeBinary(const uint8_t* data, size_t size);
inline std::string encodeBinary(const std::vector<uint8_t>& data) { return encodeBinary(data.data(), data.size()); }
// Decodes at most maxBytes bytes. An empty text, or a letter outside
// "A".."P", is a failed read (nullopt). A final odd letter is ignored.
std::optional<std::vector<uint8_t>> decodeBinary(std::string_view letters, size_t maxBytes);

// Decimal integer with an optional sign and leading blanks; text after the
// digits is ignored. Values from -2^31 to 2^32-1 are accepted (the upper
// half wraps to negative, as 32-bit stored values do). No digits or a value
// out of that range is nullopt.
std::optional<int> parseInt(std::string_view text);
std::string formatInt(int value);

// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d": flags, show state, minimized x and y,
// maximized x and y, normal left, top, right, bottom.
std::string formatPlacement(const WindowPlacement& p);
// Succeeds only when all ten numbers parse, left < screen width, top <
// screen height (each checked only when known), left < right and top <
// bottom. The minimized and maximized positions are set to -1.
std::optional<WindowPlacement> parsePlacement(std::string_view text, ScreenSize screen);

}  // namespace orvex::settings::codec
