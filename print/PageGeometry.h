#pragma once
// Where a format puts the text on a page: the body rectangle inside the
// margins, the line pitch and lines per column, and the columns. In a
// vertical format lines run top to bottom and follow each other from right
// to left; the columns then divide the body height and the spacing of lines
// and characters exchange their axes.
#include <vector>

#include "print/PrintDevice.h"
#include "settings/PrintOptions.h"

namespace orvex::print {

struct PrintColumn {
    int start = 0;   // left edge (top edge in a vertical format)
    int extent = 0;  // width (height in a vertical format); <= 0: nothing is printed in it
};

struct PageGeometry {
    bool vertical = false;
    DeviceRect body;          // inside the margins, clamped to the printable area
    int linePitch = 0;        // font height + external leading + line gap
    int linesPerPage = 0;     // lines in each column
    int charGap = 0;          // Mojikan in dots along the text direction
    int cellWidth = 0;        // half-width cell along the text direction
    int gutter = 0;           // line-number gutter at the start of each column
    std::vector<PrintColumn> columns;
    int headerY = 0;          // top of the header line (its bottom is HMrgn from the top edge)
    int footerY = 0;          // top of the footer line (FMrgn from the bottom edge)

    // Columns of text (in half-width cells) a row of column k may take;
    // 0 when the column holds no text.
    int rowColumns(size_t k) const;
    // The page holds no text at all: zero lines or no usable column.
    bool holdsNoText() const;
};

// A format is vertical when its body font face begins with "@".
bool isVerticalFormat(const settings::PageLayoutFormat& format);

PageGeometry computePageGeometry(const settings::PageLayoutFormat& format, const PageMetrics& page,
                                 const FontMetrics& body, const FontMetrics& header, const FontMetrics& footer,
                                 int lineNumberGutter);

// Body lines per page as the page-layout dialog shows them.
int bodyLinesPerPage(const settings::PageLayoutFormat& format, const PageMetrics& page, const FontMetrics& body);

}  // namespace orvex::print
