#pragma once
// The fonts of a page-layout format on a printer. A face that is not
// installed (the default "ＭＳ 明朝" on most systems) falls back to an
// installed fixed-pitch Japanese face, so that Japanese text prints as text
// and the cells of the pagination match the glyphs. The "@" of a vertical
// face is not part of the family name.
#include <QFont>

#include "settings/LogFont.h"

namespace orvex::qt {

// sizeTenths: FontSize in tenths of a point (below 1: the description's own
// height, taken as pixels at 96 dots per inch; neither: 10 points); dpi:
// the device's vertical resolution.
QFont resolvePrintFont(const settings::LogFont& stored, int sizeTenths, int dpi);

// The family used when the stored one is missing.
QString fallbackPrintFamily();

}  // namespace orvex::qt
