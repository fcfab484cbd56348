#pragma once
// The built-ins on strings and characters that need no editor: the str*
// family, conversions (string, ascii, atoi, itoa), the character classes
// (is*, iskanji, iskana) and tolower/toupper. Strings are byte strings in
// Shift JIS; where a built-in works by character, a double-byte character
// is never split.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::orxmac {

class BuiltinRegistry;

void registerStringBuiltins(BuiltinRegistry& registry);

// The character class and case rules, also for the tests: c is a byte or a
// double-byte code (lead byte * 256 + trail byte).
enum class CharClass { Alpha, Upper, Lower, Digit, XDigit, Space, Punct, Alnum, Print, Graph, Cntrl };
bool inCharClass(int32_t c, CharClass cls);
int32_t toLowerChar(int32_t c);
int32_t toUpperChar(int32_t c);

// itoa: v in the radix (2-36; another radix gives the empty string), a
// minus sign only in radix 10 (other radixes write the 32-bit pattern).
std::string integerText(int32_t v, int32_t radix);
// atoi: leading blanks and tabs, an optional sign, decimal digits.
int32_t leadingInteger(std::string_view s);

}  // namespace orvex::orxmac
