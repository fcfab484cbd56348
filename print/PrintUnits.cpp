#include "print/PrintUnits.h"

#include <algorithm>
#include <limits>

namespace orvex::print {

namespace {
int scaled(int64_t tenths, int dpi) {
    if (tenths <= 0 || dpi <= 0) return 0;
    const int64_t dots = tenths * dpi / 254;
    return int(std::min<int64_t>(dots, std::numeric_limits<int>::max() / 4));
}
}  // namespace

int millimetresToDots(int mm, int dpi) { return scaled(int64_t(mm) * 10, dpi); }
int tenthsToDots(int tenths, int dpi) { return scaled(tenths, dpi); }

}  // namespace orvex::print
