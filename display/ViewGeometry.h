#pragma once
// The pixel geometry of a view, recomputed on every size change and every
// display-setting change: column width and row height from the font, the
// gutter, the ruler and the margins, and how many columns and rows the text
// area shows (partly visible ones counted, and fully visible ones apart).
//
//   +--------------------------------------------+
//   | ruler (RulaDisp) + UpperSpace              |  textTop
//   +--------+----------+------------------------+
//   | gutter | LeftSpace| text area ...          |
//   +--------+----------+------------------------+
//            gutterWidth textLeft
#include <cstdint>

#include "display/LayoutOptions.h"
#include "display/RenderOptions.h"

namespace orvex {

struct FontMetrics {
    int32_t averageCharWidth = 8;  // width of a half-width character
    int32_t height = 16;
    int32_t externalLeading = 0;
};

struct ViewGeometry {
    int32_t charWidth = 1;      // one column
    int32_t rowHeight = 1;      // font height + external leading + DispGyoukan spacing
    int32_t gutterWidth = 0;    // the gutter cells, LeftSpace not included
    int32_t textLeft = 0;       // gutter + LeftSpace
    int32_t rulerHeight = 0;
    int32_t textTop = 0;        // ruler + UpperSpace
    int32_t visibleColumns = 0; // rounded up
    int32_t fullColumns = 0;    // fully visible
    int32_t visibleRows = 0;    // rounded up
    int32_t fullRows = 0;       // fully visible

    // What the wrap width of the view is computed from.
    ViewMetrics wrapMetrics(int32_t clientWidth) const { return {0, clientWidth, gutterWidth, charWidth}; }
    // Pixel position of a screen column and a screen row.
    int32_t columnX(int32_t screenColumn) const { return textLeft + screenColumn * charWidth; }
    int32_t rowY(int32_t screenRow) const { return textTop + screenRow * rowHeight; }

    // The cell boundary and row under a pixel: the column is the nearest
    // boundary (the right half of a cell counts for the boundary after
    // it), the row the one the pixel lies in. Both are screen positions
    // and negative left of the text area or above it; inMargin tells that
    // the pixel lies left of the text area (gutter or LeftSpace).
    struct Hit {
        int32_t screenRow;
        int32_t screenColumn;
        bool inMargin;
        friend bool operator==(const Hit&, const Hit&) = default;
    };
    Hit hit(int32_t x, int32_t y) const;
};

// Extra distance between rows for DispGyoukan 0..5 over a line height of
// font height + external leading (other values: none).
int32_t rowSpacing(int dispGyoukan, int32_t lineHeight);

ViewGeometry computeViewGeometry(const FontMetrics& font, int32_t clientWidth, int32_t clientHeight,
                                 const RenderOptions& options, int32_t rowCount);

}  // namespace orvex
