#pragma once
// The lead-byte rule over 64 bytes at once, for scans that classify whole
// blocks of text before they walk it (the load's line split). Bit i of the
// mask is set when p[i] has a lead-byte value (0x81-0x9F, 0xE0-0xFC), the
// same values as isLeadByte. Sixteen bytes at a time with SSE2, one at a
// time elsewhere; reads exactly p[0, 64).
#include <cstdint>

#include "common/codepage/ShiftJis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvex::sjis {

inline constexpr int kBlockBytes = 64;

#if defined(__SSE2__)
// Lead-byte values among 16 bytes, as a 16-bit mask.
inline unsigned leadByteMask16(__m128i v) {
    // b - 0x81 <= 0x1E, or b - 0xE0 <= 0x1C, in unsigned byte arithmetic.
    const __m128i a = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(0x81)));
    const __m128i b = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(0xE0)));
    const __m128i inA = _mm_cmpeq_epi8(_mm_min_epu8(a, _mm_set1_epi8(0x1E)), a);
    const __m128i inB = _mm_cmpeq_epi8(_mm_min_epu8(b, _mm_set1_epi8(0x1C)), b);
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(inA, inB)));
}
#endif

inline uint64_t leadByteMask(const uint8_t* p) {
#if defined(__SSE2__)
    uint64_t m = 0;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        m |= uint64_t{leadByteMask16(v)} << (16 * k);
    }
    return m;
#else
    uint64_t m = 0;
    for (int i = 0; i < kBlockBytes; ++i) m |= uint64_t{isLeadByte(p[i])} << i;
    return m;
#endif
}

}  // namespace orvex::sjis
