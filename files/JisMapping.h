#pragma once
// The arithmetic mapping between Shift JIS double-byte codes and JIS X 0208
// row/cell byte pairs, used by the JIS and EUC conversions in both
// directions.
//
// Rows 0x21-0x7E map onto the lead bytes 0x81-0x9F and 0xE0-0xEF (two rows
// per lead byte); the cells of an odd row take the trail bytes 0x40-0x7E and
// 0x80-0x9E, those of an even row 0x9F-0xFC. The mapping is one to one
// between those two sets, so text read from JIS or EUC writes back to the
// same bytes.
#include <cstdint>

namespace orvex::files::jis {

// Shift JIS pair (lead << 8 | trail) of the row/cell pair j1, j2, each in
// 0x21-0x7E.
constexpr uint16_t toShiftJis(uint8_t j1, uint8_t j2) {
    const unsigned lead = ((j1 + 1u) >> 1) + (j1 <= 0x5E ? 0x70u : 0xB0u);
    const unsigned trail = (j1 & 1) ? j2 + (j2 <= 0x5F ? 0x1Fu : 0x20u) : j2 + 0x7Eu;
    return static_cast<uint16_t>(lead << 8 | trail);
}

// Row/cell pair (j1 << 8 | j2) of a Shift JIS pair, or 0 when the pair has
// none: lead bytes above 0xEF (user-defined area, IBM extensions) and trail
// bytes outside 0x40-0x7E and 0x80-0xFC.
constexpr uint16_t fromShiftJis(uint8_t lead, uint8_t trail) {
    if (lead < 0x81 || (lead > 0x9F && lead < 0xE0) || lead > 0xEF) return 0;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return 0;
    const unsigned l = lead >= 0xE0 ? lead - 0x40u : lead;
    unsigned j1 = (l - 0x81u) * 2 + 0x21u;
    unsigned j2;
    if (trail >= 0x9F) {
        ++j1;
        j2 = trail - 0x7Eu;
    } else {
        j2 = trail - (trail >= 0x80 ? 0x20u : 0x1Fu);
    }
    return static_cast<uint16_t>(j1 << 8 | j2);
}

// Row/cell pair written for a double-byte character in JIS and EUC output.
// A character of the IBM extension rows (lead 0xFA-0xFC) has no row/cell
// code of its own but the same character also sits in JIS X 0208 or the NEC
// rows; its pair is that twin's. 0 when the character has no pair at all
// (the user-defined area, undefined codes in the IBM rows, bad trail bytes).
uint16_t outputPair(uint8_t lead, uint8_t trail);

}  // namespace orvex::files::jis
