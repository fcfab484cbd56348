#include "print/PagePrinter.h"

#include <algorithm>

namespace orvex::print {

int placeAcross(int placement, int left, int right, int textWidth) {
    switch (placement) {
    case 2: return left + (right - left - textWidth) / 2;
    case 3: return right - textWidth;
    default: return left;
    }
}

namespace {
void drawLine(PrintDevice& device, FontRole font, int placement, const std::string& text, int y,
              const PageGeometry& g, const PageMetrics& m) {
    if (placement < 1 || placement > 3 || text.empty()) return;
    const int width = device.textWidth(font, text);
    TextRun run;
    run.font = font;
    run.x = std::max(placeAcross(placement, g.body.left, g.body.right, width), 0);
    run.y = y;
    run.text = text;
    // Clipped to the printable area, not to the body: a header lies in the
    // margin by its nature.
    run.clip = {0, 0, std::max(m.printableWidth, 0), std::max(m.printableHeight, 0)};
    device.drawText(run);
}
}  // namespace

void printPage(Paginator& pages, int page, const settings::PageLayoutFormat& format, HeaderFooterValues values,
               PrintDevice& device) {
    const PageGeometry& g = pages.geometry();
    const PageMetrics m = device.pageMetrics();
    values.page = page;
    const bool wantTotal = (format.headerPos > 0 && needsTotalPages(format.header)) ||
                           (format.footerPos > 0 && needsTotalPages(format.footer));
    if (wantTotal) values.totalPages = pages.pageCount();
    if (format.headerPos > 0)
        drawLine(device, FontRole::Header, format.headerPos, expandHeaderFooter(format.header, values), g.headerY, g, m);
    pages.drawBody(page, device);
    if (format.footerPos > 0)
        drawLine(device, FontRole::Footer, format.footerPos, expandHeaderFooter(format.footer, values), g.footerY, g, m);
}

}  // namespace orvex::print
