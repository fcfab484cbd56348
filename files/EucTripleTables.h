#pragma once
// Tables generated at build time from glibc iconv (see gen/euctriplegen.cpp).
#include <cstdint>

namespace orvex::files::euc::tables {

// Indexed by (row - 0xA1) * 94 + (cell - 0xA1): the double-byte code page
// 932 code of the triple 0x8F row cell, 0 when it has none.
extern const uint16_t kTripleToSjis[94 * 94];
// Indexed by (lead - 0xF0) * 256 + trail: the row and cell bytes (row << 8 |
// cell) of the triple written for that code, 0 when none is.
extern const uint16_t kSjisToTriple[13 * 256];

}  // namespace orvex::files::euc::tables
