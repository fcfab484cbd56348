#pragma once
// A window placement as the settings store keeps it: the placement flags,
// the show state, the minimized and maximized positions and the normal
// rectangle, stored as one string of ten numbers.
#include <cstdint>

namespace orvex::settings {

struct WindowPlacement {
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Size of the screen the placements are checked against. A size of 0 in
// either direction means "unknown": that direction is not checked.
struct ScreenSize {
    int width = 0;
    int height = 0;
};

}  // namespace orvex::settings
