#pragma once
// One page as the format prints it: the header, the body columns and the
// footer. The header and footer are expanded, drawn in their own fonts and
// placed left, centred or right across the body width; placement 0 prints
// nothing.
#include <string>

#include "print/HeaderFooterText.h"
#include "print/Paginator.h"
#include "settings/PrintOptions.h"

namespace orvex::print {

// x of a text of the given width placed across [left, right) by the
// placement code (1 left, 2 centre, 3 right).
int placeAcross(int placement, int left, int right, int textWidth);

// Draws page n. values.page is set to n; values.totalPages is filled from
// the paginator when the header or footer asks for it.
void printPage(Paginator& pages, int page, const settings::PageLayoutFormat& format, HeaderFooterValues values,
               PrintDevice& device);

}  // namespace orvex::print
