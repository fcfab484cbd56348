#include "display/HighlightScanner.h"

#include <cstring>

#include "common/codepage/SjisWalk.h"
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

// Whether comparing bytes is comparing characters: nothing folds (match
// case, or no ASCII letter in the needle) and the needle does not end in a
// lone lead byte (which must not match a lead byte with its trail byte).
// From a character boundary of the row, equal bytes then walk as equal
// characters, because the lead-byte rule depends on the bytes only.
bool bytewise(const uint8_t* q, int32_t m, bool matchCase) {
    int32_t k = 0;
    bool letters = false;
    while (k < m) {
        const int len = rowchar::length(q + k, m - k);
        if (len == 1) {
            if (sjis::awaitsTrail(q[k])) return false;  // a lone lead byte
            const uint8_t lower = foldAscii(q[k]);
            letters |= lower >= 'a' && lower <= 'z';
        }
        k += len;
    }
    return matchCase || !letters;
}

}  // namespace

void findOccurrences(const uint8_t* p, int32_t n, std::string_view needle, bool matchCase, std::vector<ByteSpan>& out) {
    const auto* q = reinterpret_cast<const uint8_t*>(needle.data());
    const auto m = int32_t(needle.size());
    if (m == 0 || m > n) return;
    if (bytewise(q, m, matchCase)) {
        const uint8_t q1 = m > 1 ? q[1] : 0;
        for (int32_t i = 0; i + m <= n; i += rowchar::length(p + i, n - i)) {
            if (p[i] != q[0] || (m > 1 && (p[i + 1] != q1 || std::memcmp(p + i + 2, q + 2, size_t(m - 2)) != 0)))
                continue;
            out.push_back({i, i + m});
        }
        return;
    }
    const uint8_t first = matchCase ? q[0] : foldAscii(q[0]);
    for (int32_t i = 0; i < n; i += rowchar::length(p + i, n - i)) {
        if ((matchCase ? p[i] : foldAscii(p[i])) != first) continue;
        const int32_t len = matchAt(p + i, n - i, q, m, matchCase);
        if (len > 0) out.push_back({i, i + len});
    }
}

}  // namespace orvex
