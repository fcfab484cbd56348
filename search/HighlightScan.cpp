#include "search/HighlightScan.h"

#include "display/HighlightScanner.h"

namespace orvex::search {

// One scanner marks occurrences for painting and for the search side: the
// display's, which compares character by character from every character
// boundary of the row. Only the result's shape differs here.
void findHighlights(const uint8_t* row, int32_t n, std::string_view highlight, bool matchCase,
                    std::vector<std::pair<int32_t, int32_t>>& out) {
    std::vector<ByteSpan> spans;
    findOccurrences(row, n, highlight, matchCase, spans);
    out.reserve(out.size() + spans.size());
    for (const ByteSpan& s : spans) out.emplace_back(s.begin, s.end - s.begin);
}

}  // namespace orvex::search
