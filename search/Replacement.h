#pragma once
// The replacement text as it is inserted.
//
// With the special-characters option (RepSpChr) "\r" and "\n" become a line
// end (CR LF), "\f" a form feed, "\t" a TAB and "\\" one backslash; any
// other backslash stays, with the character after it. Without the option
// the text is used as typed. A double-byte character whose second byte is
// 0x5C is never taken for a backslash.
#include <string>
#include <string_view>

namespace orvex::search {

std::string expandReplacement(std::string_view typed, bool specialCharacters);

}  // namespace orvex::search
