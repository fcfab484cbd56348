#include "search/HighlightScan.h"

#include "search/CharScan.h"

namespace orvex::search {

void findHighlights(const uint8_t* row, int32_t n, std::string_view highlight, bool matchCase,
                    std::vector<std::pair<int32_t, int32_t>>& out) {
    const int32_t len = int32_t(highlight.size());
    if (len == 0 || len > n) return;
    const auto* h = reinterpret_cast<const uint8_t*>(highlight.data());
    const Subject s{row, n};
    // Whether the string ends with a lead byte standing alone.
    bool lone = false;
    for (int32_t i = 0; i < len;) {
        if (sjis::isLeadByte(h[i]) && i + 1 < len && !endsContent(h[i + 1])) {
            i += 2;
        } else {
            lone = i + 1 == len && sjis::isLeadByte(h[i]);
            ++i;
        }
    }
    for (int32_t p = 0; p + len <= n; p += s.charLength(p)) {
        bool equal = true;
        for (int32_t i = 0; i < len && equal;) {
            // Only single-byte characters fold; the second byte of a
            // double-byte character compares exactly.
            if (sjis::isLeadByte(h[i]) && i + 1 < len && !endsContent(h[i + 1])) {
                equal = row[p + i] == h[i] && row[p + i + 1] == h[i + 1];
                i += 2;
            } else {
                equal = matchCase ? row[p + i] == h[i] : asciiLower(row[p + i]) == asciiLower(h[i]);
                ++i;
            }
        }
        if (!equal) continue;
        if (lone && p + len < n && !endsContent(row[p + len])) continue;
        out.emplace_back(p, len);
    }
}

}  // namespace orvex::search
