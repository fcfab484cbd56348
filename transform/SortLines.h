#pragma once
// Sorting the lines of a selection by the whole line, a field or a column.
#include <string>
#include <string_view>

namespace orvex::transform {

struct SortOptions {
    int type = 0;            // SortType: 0 whole line, 1 field, 2 column
    int field = 1;           // SortField: 1-based
    char separator = ',';    // first byte of SortPunct
    char quote = '"';        // SortQuot; 0 for none
    int column = 1;          // SortColumn: 1-based, in half-width columns
    bool caseSensitive = false;  // SortFlags bit 0
};

// The lines of `text` (empty lines dropped) in ascending order of their
// keys, each followed by CR LF. A line without its field, or shorter than
// the column, is compared by its whole text. Lines with equal keys keep
// their order.
std::string sortLines(std::string_view text, const SortOptions& options, int tabWidth);

}  // namespace orvex::transform
