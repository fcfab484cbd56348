#include "display/Gutter.h"

#include <cstdio>

#include "display/Row.h"

namespace orvex {

int32_t gutterDigits(int32_t rowCount) {
    if (rowCount < 100000) return 5;
    if (rowCount < 1000000) return 6;
    if (rowCount < 10000000) return 7;
    return 8;
}

int32_t gutterCells(int lineNoDisp, int32_t rowCount) { return lineNoDisp == 0 ? 1 : gutterDigits(rowCount) + 1; }

int32_t gutterPixels(int lineNoDisp, int32_t rowCount, int32_t charWidth, int leftSpace) {
    return gutterCells(lineNoDisp, rowCount) * charWidth + leftSpace * charWidth / 4;
}

void gutterRow(int lineNoDisp, int32_t rowCount, const GutterSource& src, const ColourTable& colours, GutterRow& out) {
    const Colour window = colours.colour(ColourSlot::Window);
    const bool modified = (src.flags & rowflag::kModified) != 0;
    const bool marked = (src.flags & rowflag::kMarked) != 0;
    out.background = window;
    out.text.clear();
    out.bar = false;
    out.separator = false;
    if (lineNoDisp == 0) {
        if (marked) {
            out.bar = true;
            out.barColour = colours.colour(ColourSlot::Cr);
        } else if (modified && colours.isSet(ColourSlot::LineNo2)) {
            out.bar = true;
            out.barColour = colours.colour(ColourSlot::LineNo2);
        }
        return;
    }
    const int digits = int(gutterDigits(rowCount));
    const bool numbered = lineNoDisp == 2 || src.firstOfLine;
    const uint32_t number = uint32_t(lineNoDisp == 2 ? src.row : src.line) + 1;
    char buf[16];
    if (numbered) std::snprintf(buf, sizeof buf, "%*u", digits, number);
    else std::snprintf(buf, sizeof buf, "%*s", digits, "");
    out.text = buf;
    const Colour ink = colours.colour(modified ? ColourSlot::LineNo2 : ColourSlot::LineNo);
    if (marked) {
        out.textColour = window;
        out.textBackground = colours.colour(ColourSlot::LineNo);
    } else {
        out.textColour = ink;
        out.textBackground = window;
    }
    out.separator = true;
    out.separatorColour = colours.colour(ColourSlot::LineNo);
}

}  // namespace orvex
