#include "display/ViewGeometry.h"

#include <algorithm>

#include "display/Gutter.h"
#include "display/Ruler.h"

namespace orvex {

namespace {

int32_t floorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

ViewGeometry::Hit ViewGeometry::hit(int32_t x, int32_t y) const {
    return {floorDiv(y - textTop, rowHeight), floorDiv(x - textLeft + charWidth / 2, charWidth), x < textLeft};
}

int32_t rowSpacing(int dispGyoukan, int32_t lineHeight) {
    switch (dispGyoukan) {
    case 1: return 1;
    case 2: return 2;
    case 3: return lineHeight / 8;
    case 4: return lineHeight / 4;
    case 5: return lineHeight / 2;
    default: return 0;
    }
}

ViewGeometry computeViewGeometry(const FontMetrics& font, int32_t clientWidth, int32_t clientHeight,
                                 const RenderOptions& o, int32_t rowCount) {
    ViewGeometry g;
    g.charWidth = std::max<int32_t>(1, font.averageCharWidth + o.adjChWidth);
    const int32_t line = std::max<int32_t>(1, font.height + std::max<int32_t>(0, font.externalLeading));
    g.rowHeight = line + rowSpacing(o.dispGyoukan, line);
    g.gutterWidth = gutterCells(o.lineNoDisp, rowCount) * g.charWidth;
    g.textLeft = g.gutterWidth + std::max(0, o.leftSpace) * g.charWidth / 4;
    g.rulerHeight = rulerHeight(o.rulaDisp, o.rulaType);
    g.textTop = g.rulerHeight + std::max(0, o.upperSpace);
    const int32_t width = std::max<int32_t>(0, clientWidth - g.textLeft);
    const int32_t height = std::max<int32_t>(0, clientHeight - g.textTop);
    g.fullColumns = width / g.charWidth;
    g.visibleColumns = (width + g.charWidth - 1) / g.charWidth;
    g.fullRows = height / g.rowHeight;
    g.visibleRows = (height + g.rowHeight - 1) / g.rowHeight;
    return g;
}

}  // namespace orvex
