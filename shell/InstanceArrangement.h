#pragma once
// Arranging the main windows of every running instance (32922 stacks them
// top to bottom, 32923 puts them side by side) over the work area: this
// instance's window first, then the others. Up to three windows share the
// area in one column or row; from four on they go into two columns (or
// rows) of ceil(n / 2), the first half in the left column (top row).
//
// The other instances are told their rectangle with the instance
// control's place operation, whose payload is "x y width height".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::shell {

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// At most this instance and eight others are arranged.
constexpr int kMaxArrangedInstances = 9;

std::vector<ScreenRect> arrangeInstances(int count, const ScreenRect& workArea, bool sideBySide);

std::string placementText(const ScreenRect& r);
// The rectangle of a place operation; nothing for text that is not four
// decimal numbers with a positive size.
std::optional<ScreenRect> parsePlacement(std::string_view text);

}  // namespace orvex::shell
