#pragma once
// What pagination and page drawing need from a printer: the page's
// resolution and extents, the metrics of the three fonts of a format, text
// measurement and text output. Device units are the printer's dots; every
// position is measured from the top-left of the printable area.
#include <string_view>

namespace orvex::print {

enum class FontRole { Body, Header, Footer };

struct PageMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int offsetX = 0;  // physical offset of the printable area from the paper edge
    int offsetY = 0;
};

struct FontMetrics {
    int height = 0;           // ascent + descent
    int externalLeading = 0;
    int ascent = 0;
    int cellWidth = 0;        // advance of one half-width character
};

// A rectangle in device units, right and bottom exclusive.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// One run of text to draw. The text is Shift JIS without TABs or line
// ends. Horizontal runs start at (x, y), y being the top of the row; each
// character advances by its own width plus charGap. Vertical runs start at
// the top of a line whose band is [x, x + band width) and advance downward,
// a half-width character by one cell and a double-byte one by two, plus
// charGap each. Output outside clip is cut off.
struct TextRun {
    FontRole font = FontRole::Body;
    int x = 0;
    int y = 0;
    std::string_view text;
    int charGap = 0;
    bool vertical = false;
    DeviceRect clip;
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual PageMetrics pageMetrics() const = 0;
    virtual FontMetrics fontMetrics(FontRole font) const = 0;
    // Width of the text in the font, without any character gap.
    virtual int textWidth(FontRole font, std::string_view sjis) const = 0;
    virtual void drawText(const TextRun& run) = 0;
};

}  // namespace orvex::print
