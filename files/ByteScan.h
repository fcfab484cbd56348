#pragma once
// Searches for the first byte of a class, used by the conversion loops to
// cross long runs of bytes that need nothing done. Sixteen bytes at a time
// with SSE2, one at a time elsewhere. Every search reads only [from, to).
#include <cstddef>
#include <cstdint>

#include "common/codepage/SjisBlock.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvex::files::scan {

constexpr bool isLineEndByte(uint8_t b) { return b == 0x0A || b == 0x0C || b == 0x0D; }

// A 64-byte block of text classified for the load's line split.
struct LineBlock {
    uint64_t cr = 0;
    uint64_t lf = 0;
    uint64_t ff = 0;
    uint64_t lead = 0;  // lead-byte values
};
// Bytes that EUC-looking text is made of: 0xA1-0xFF and 0x8E.
constexpr bool isEucHigh(uint8_t b) { return b >= 0xA1 || b == 0x8E; }

#if defined(__SSE2__)
namespace detail {
inline int lineEndMask(__m128i v) {
    const __m128i m = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x0A)),
                                                _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0C))),
                                   _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0D)));
    return _mm_movemask_epi8(m);
}
inline int escMask(__m128i v) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x1B))); }
inline int eucHighMask(__m128i v) {
    const __m128i ge = _mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8(static_cast<char>(0xA1))), v);
    return _mm_movemask_epi8(_mm_or_si128(ge, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0x8E)))));
}

template <class VectorMask, class ByteTest>
inline size_t findFirst(const uint8_t* p, size_t from, size_t to, VectorMask vmask, ByteTest test) {
    size_t i = from;
    while (i + 16 <= to) {
        const int m = vmask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
        if (m != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(m)));
        i += 16;
    }
    while (i < to && !test(p[i])) ++i;
    return i;
}
}  // namespace detail

inline size_t findLineEnd(const uint8_t* p, size_t from, size_t to) {
    return detail::findFirst(p, from, to, detail::lineEndMask, isLineEndByte);
}
// The line-end bytes and lead-byte values of p[0, 64), one bit a byte.
inline LineBlock classifyBlock(const uint8_t* p) {
    LineBlock b;
    const auto part = [&](int k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const auto bits = [&](__m128i m) { return uint64_t{static_cast<unsigned>(_mm_movemask_epi8(m))} << (16 * k); };
        b.cr |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x0D)));
        b.lf |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x0A)));
        b.ff |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x0C)));
        b.lead |= uint64_t{sjis::leadByteMask16(v)} << (16 * k);
    };
    part(0);
    part(1);
    part(2);
    part(3);
    return b;
}
inline size_t findHighOrEsc(const uint8_t* p, size_t from, size_t to) {
    return detail::findFirst(
        p, from, to, [](__m128i v) { return _mm_movemask_epi8(v) | detail::escMask(v); },
        [](uint8_t b) { return b >= 0x80 || b == 0x1B; });
}
inline size_t findHighOrLineEnd(const uint8_t* p, size_t from, size_t to) {
    return detail::findFirst(
        p, from, to, [](__m128i v) { return _mm_movemask_epi8(v) | detail::lineEndMask(v); },
        [](uint8_t b) { return b >= 0x80 || isLineEndByte(b); });
}
inline size_t findHighEscOrLineEnd(const uint8_t* p, size_t from, size_t to) {
    return detail::findFirst(
        p, from, to,
        [](__m128i v) { return _mm_movemask_epi8(v) | detail::escMask(v) | detail::lineEndMask(v); },
        [](uint8_t b) { return b >= 0x80 || b == 0x1B || isLineEndByte(b); });
}
inline size_t findNotEucHigh(const uint8_t* p, size_t from, size_t to) {
    return detail::findFirst(
        p, from, to, [](__m128i v) { return ~detail::eucHighMask(v) & 0xFFFF; },
        [](uint8_t b) { return !isEucHigh(b); });
}
#else
template <class ByteTest>
inline size_t findFirstScalar(const uint8_t* p, size_t from, size_t to, ByteTest test) {
    while (from < to && !test(p[from])) ++from;
    return from;
}
inline size_t findLineEnd(const uint8_t* p, size_t from, size_t to) {
    return findFirstScalar(p, from, to, isLineEndByte);
}
inline LineBlock classifyBlock(const uint8_t* p) {
    LineBlock b;
    for (int i = 0; i < 64; ++i) {
        b.cr |= uint64_t{p[i] == 0x0D} << i;
        b.lf |= uint64_t{p[i] == 0x0A} << i;
        b.ff |= uint64_t{p[i] == 0x0C} << i;
    }
    b.lead = sjis::leadByteMask(p);
    return b;
}
inline size_t findHighOrEsc(const uint8_t* p, size_t from, size_t to) {
    return findFirstScalar(p, from, to, [](uint8_t b) { return b >= 0x80 || b == 0x1B; });
}
inline size_t findHighOrLineEnd(const uint8_t* p, size_t from, size_t to) {
    return findFirstScalar(p, from, to, [](uint8_t b) { return b >= 0x80 || isLineEndByte(b); });
}
inline size_t findHighEscOrLineEnd(const uint8_t* p, size_t from, size_t to) {
    return findFirstScalar(p, from, to, [](uint8_t b) { return b >= 0x80 || b == 0x1B || isLineEndByte(b); });
}
inline size_t findNotEucHigh(const uint8_t* p, size_t from, size_t to) {
    return findFirstScalar(p, from, to, [](uint8_t b) { return !isEucHigh(b); });
}
#endif

}  // namespace orvex::files::scan
