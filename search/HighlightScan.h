#pragma once
// Occurrences of the highlight string (the last search string) in one row,
// for painting them in the found-text colour: every character position is
// tried, with or without regard to ASCII case as the find's match-case
// option says, and an occurrence never starts or ends inside a
// double-byte character. The scan is the display's (findOccurrences in
// display/HighlightScanner.h), so what a search reports and what a view
// paints are the same occurrences.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex::search {

// Appends (offset, length) pairs for the content bytes [0, n) of a row
// (its line end left out) to out.
void findHighlights(const uint8_t* row, int32_t n, std::string_view highlight, bool matchCase,
                    std::vector<std::pair<int32_t, int32_t>>& out);

}  // namespace orvex::search
