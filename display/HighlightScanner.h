#pragma once
// Occurrences of the highlight string (the last search string) inside the
// content bytes of one row. Every character boundary is tried, so
// occurrences may overlap. The comparison goes character by character: a
// double-byte character matches only itself, single bytes match exactly
// with matchCase and otherwise without regard to ASCII case (a trail byte
// is never case-folded).
#include <cstdint>
#include <string_view>
#include <vector>

#include "display/LinkScanner.h"

namespace orvex {

void findOccurrences(const uint8_t* p, int32_t n, std::string_view needle, bool matchCase, std::vector<ByteSpan>& out);

}  // namespace orvex
