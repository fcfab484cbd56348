#include "shell/InstanceArrangement.h"

#include <algorithm>
#include <charconv>

namespace orvex::shell {

std::vector<ScreenRect> arrangeInstances(int count, const ScreenRect& area, bool sideBySide) {
    std::vector<ScreenRect> out;
    const int n = std::clamp(count, 0, kMaxArrangedInstances);
    if (n == 0 || area.width <= 0 || area.height <= 0) return out;
    // Lay out as side by side in a W x H area with `perLine` windows in a
    // row and `lines` rows; stacking is the same with the axes swapped.
    const int lines = n <= 3 ? 1 : 2;
    const int perLine = n <= 3 ? n : (n + 1) / 2;
    const int along = sideBySide ? area.width : area.height;
    const int across = sideBySide ? area.height : area.width;
    for (int i = 0; i < n; ++i) {
        const int line = i / perLine, slot = i % perLine;
        const int a = along / perLine, b = across / lines;
        ScreenRect r;
        if (sideBySide) r = {area.x + slot * a, area.y + line * b, a, b};
        else r = {area.x + line * b, area.y + slot * a, b, a};
        out.push_back(r);
    }
    return out;
}

std::string placementText(const ScreenRect& r) {
    return std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
           std::to_string(r.height);
}

std::optional<ScreenRect> parsePlacement(std::string_view text) {
    int v[4] = {};
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < 4; ++i) {
        while (p < end && *p == ' ') ++p;
        const auto r = std::from_chars(p, end, v[i]);
        if (r.ec != std::errc()) return std::nullopt;
        p = r.ptr;
    }
    while (p < end && *p == ' ') ++p;
    if (p != end || v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return ScreenRect{v[0], v[1], v[2], v[3]};
}

}  // namespace orvex::shell
