#include "print/PageGeometry.h"

#include <algorithm>

#include "print/PrintUnits.h"

namespace orvex::print {

namespace {

// Start and end of the body along one axis: the near margin less the
// physical offset, clamped to the printable extent; the far edge likewise,
// never before the start.
struct Span {
    int start = 0;
    int end = 0;
};

Span bodySpan(int nearMargin, int farMargin, int physical, int offset, int printable) {
    printable = std::max(printable, 0);
    Span s;
    s.start = std::min(std::max(nearMargin - offset, 0), printable);
    s.end = std::min(std::max(physical - offset - farMargin, s.start), printable);
    return s;
}

int pitchOf(const FontMetrics& font, int gap) {
    return std::max(font.height, 0) + std::max(font.externalLeading, 0) + gap;
}

int columnCountOf(int dangumi1) { return dangumi1 <= 0 ? 1 : dangumi1 == 1 ? 2 : 4; }

}  // namespace

bool isVerticalFormat(const settings::PageLayoutFormat& format) {
    return !format.printFont.faceName.empty() && format.printFont.faceName[0] == '@';
}

int PageGeometry::rowColumns(size_t k) const {
    if (k >= columns.size() || linesPerPage <= 0) return 0;
    const int usable = columns[k].extent - gutter;
    if (columns[k].extent <= 0 || usable <= 0) return 0;
    const int unit = std::max(cellWidth, 1) + std::max(charGap, 0);
    // A column narrower than one cell still takes one character per row.
    return std::max(usable / unit, 1);
}

bool PageGeometry::holdsNoText() const {
    for (size_t k = 0; k < columns.size(); ++k)
        if (rowColumns(k) > 0) return false;
    return true;
}

PageGeometry computePageGeometry(const settings::PageLayoutFormat& f, const PageMetrics& page,
                                 const FontMetrics& body, const FontMetrics& header, const FontMetrics& footer,
                                 int lineNumberGutter) {
    PageGeometry g;
    g.vertical = isVerticalFormat(f);
    const Span h = bodySpan(millimetresToDots(f.lMrgn, page.dpiX), millimetresToDots(f.rMrgn, page.dpiX),
                            page.physicalWidth, page.offsetX, page.printableWidth);
    const Span v = bodySpan(millimetresToDots(f.tMrgn, page.dpiY), millimetresToDots(f.bMrgn, page.dpiY),
                            page.physicalHeight, page.offsetY, page.printableHeight);
    g.body = {h.start, v.start, h.end, v.end};

    // Lines follow each other along y (horizontal) or x (vertical); the
    // characters of a line run along the other axis.
    const int lineDpi = g.vertical ? page.dpiX : page.dpiY;
    const int charDpi = g.vertical ? page.dpiY : page.dpiX;
    g.linePitch = pitchOf(body, tenthsToDots(f.gyoukan, lineDpi));
    const Span lineAxis = g.vertical ? h : v;
    g.linesPerPage = g.linePitch > 0 ? (lineAxis.end - lineAxis.start + 1) / g.linePitch : 0;
    g.charGap = tenthsToDots(f.mojikan, charDpi);
    g.cellWidth = std::max(body.cellWidth, 1);
    g.gutter = f.printLineNo ? std::max(lineNumberGutter, 0) : 0;

    const Span charAxis = g.vertical ? v : h;
    const int n = columnCountOf(f.dangumi1);
    const int gap = millimetresToDots(f.dangumi2, charDpi);
    const int bodyExtent = charAxis.end - charAxis.start;
    const long long each = (static_cast<long long>(bodyExtent) - static_cast<long long>(n - 1) * gap) / n;
    for (int k = 0; k < n; ++k) {
        PrintColumn c;
        const long long start = charAxis.start + k * (each + gap);
        c.start = int(std::clamp<long long>(start, charAxis.start, charAxis.end));
        c.extent = each <= 0 ? int(std::max<long long>(each, -1)) : int(std::min<long long>(each, charAxis.end - c.start));
        g.columns.push_back(c);
    }

    // The header line ends HMrgn below the top edge and the footer line
    // begins FMrgn above the bottom edge: with the default distances (the
    // top and bottom margins) they sit just outside the body, never over
    // its first or last row.
    g.headerY = std::max(millimetresToDots(f.hMrgn, page.dpiY) - page.offsetY - std::max(header.height, 0), 0);
    g.footerY = std::max(page.physicalHeight - page.offsetY - millimetresToDots(f.fMrgn, page.dpiY), 0);
    return g;
}

int bodyLinesPerPage(const settings::PageLayoutFormat& format, const PageMetrics& page, const FontMetrics& body) {
    return computePageGeometry(format, page, body, body, body, 0).linesPerPage;
}

}  // namespace orvex::print
