#include "display/HighlightScanner.h"

#include "display/RowCharClass.h"

namespace orvex {

namespace {

inline uint8_t foldAscii(uint8_t b) { return b >= 'A' && b <= 'Z' ? uint8_t(b + 32) : b; }

// Length of the match of needle at p (n bytes left in the row), or -1.
int32_t matchAt(const uint8_t* p, int32_t n, const uint8_t* q, int32_t m, bool matchCase) {
    int32_t i = 0, k = 0;
    while (k < m) {
        if (i >= n) return -1;
        const int tl = rowchar::length(p + i, n - i);
        const int nl = rowchar::length(q + k, m - k);
        if (tl != nl) return -1;
        if (tl == 2) {
            if (p[i] != q[k] || p[i + 1] != q[k + 1]) return -1;
        } else if (matchCase ? p[i] != q[k] : foldAscii(p[i]) != foldAscii(q[k])) {
            return -1;
        }
        i += tl;
        k += nl;
    }
    return i;
}

}  // namespace

void findOccurrences(const uint8_t* p, int32_t n, std::string_view needle, bool matchCase, std::vector<ByteSpan>& out) {
    const auto* q = reinterpret_cast<const uint8_t*>(needle.data());
    const auto m = int32_t(needle.size());
    if (m == 0) return;
    const uint8_t first = matchCase ? q[0] : foldAscii(q[0]);
    for (int32_t i = 0; i < n; i += rowchar::length(p + i, n - i)) {
        if ((matchCase ? p[i] : foldAscii(p[i])) != first) continue;
        const int32_t len = matchAt(p + i, n - i, q, m, matchCase);
        if (len > 0) out.push_back({i, i + len});
    }
}

}  // namespace orvex
