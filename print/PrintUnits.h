#pragma once
// Lengths of the page-layout formats in printer dots: millimetres and
// tenths of a millimetre at the given resolution (dots per inch).
#include <cstdint>

namespace orvex::print {

// m mm = m * 10 * dpi / 254 dots; negative lengths count as 0 and the
// result is computed in 64 bits so that no setting can overflow it.
int millimetresToDots(int mm, int dpi);
int tenthsToDots(int tenths, int dpi);

}  // namespace orvex::print
