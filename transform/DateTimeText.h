#pragma once
// The texts that the date and time insertions type, by the formats of
// InsDateYoubi (0-11) and InsTimeType (0-3); other values take format 0.
// Returned as Shift JIS.
#include <ctime>
#include <string>

namespace orvex::transform {

std::string dateText(const std::tm& t, int format);
std::string timeText(const std::tm& t, int format);

}  // namespace orvex::transform
