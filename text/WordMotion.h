#pragma once
// Word moves over the rows of a document, by the character classes of the
// code page (class 2 is blank; a position beyond a row's end counts as
// blank).
//
// Option bits:
//   kStopAtWordEnd   stop at the end of the word instead of crossing the
//                    blanks that follow it
//   kStopAtSymbols   stop before symbols (classes 0 and 8)
//   kNoLineEnd       do not start at a line end (word right), do not leave
//                    the start of a logical line (word left)
//
// Word right crosses the run of one class at the cursor, then (without
// kStopAtWordEnd) the blanks and line ends after it, and stops at the next
// character of another class. Word left crosses blanks, then one run of a
// single class, and stops at that run's first character; from the first
// byte of a logical line it goes to the end of the previous line.
// Positions returned never lie inside a double-byte character, and the end
// of a continuation row comes back as the start of the next row.
#include <cstdint>

#include "text/TextPosition.h"
#include "text/TextStore.h"

namespace orvex::word {

constexpr int kStopAtWordEnd = 1;
constexpr int kStopAtSymbols = 2;
constexpr int kNoLineEnd = 4;
constexpr int kWholeWord = kStopAtWordEnd | kStopAtSymbols | kNoLineEnd;

TextPosition right(const TextStore& t, TextPosition from, int options, int32_t availableRows);
TextPosition left(const TextStore& t, TextPosition from, int options, int32_t availableRows);

// The word at a position, as word right then word left with all three
// options give it: [start, end). Empty (start == end) at a row's end.
struct Range {
    TextPosition start;
    TextPosition end;
};
Range at(const TextStore& t, TextPosition p, int32_t availableRows);

}  // namespace orvex::word
