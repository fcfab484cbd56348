#pragma once
// EUC-JP three-byte characters (0x8F, a JIS X 0212 row byte and a cell byte,
// each 0xA1-0xFE) and code page 932.
//
// The text holds no triples: a triple is read as the code page 932 code of
// the same character (the IBM extension kanji such as 髙 and 﨑, the
// user-defined area), or as "?" when there is none. Writing EUC turns the
// codes of the IBM extension rows and the user-defined area that a triple is
// read as back into that triple, so those files keep their bytes.
#include <cstdint>

#include "files/EucTripleTables.h"

namespace orvex::files::euc {

constexpr bool isTripleByte(uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

// The double-byte code (lead << 8 | trail) that 0x8F row cell is read as, 0
// when the character has no code page 932 form. row and cell are 0xA1-0xFE.
inline uint16_t sjisOfTriple(uint8_t row, uint8_t cell) {
    return tables::kTripleToSjis[(row - 0xA1u) * 94u + (cell - 0xA1u)];
}

// The row and cell bytes (row << 8 | cell) written after 0x8F for a
// double-byte code, 0 when the code is not written as a triple.
inline uint16_t tripleOfSjis(uint8_t lead, uint8_t trail) {
    if (lead < 0xF0 || lead > 0xFC) return 0;
    return tables::kSjisToTriple[(lead - 0xF0u) * 256u + trail];
}

}  // namespace orvex::files::euc
