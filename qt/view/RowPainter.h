#pragma once
// Draws what the display computations decided: one row of text as runs of
// equal attribute, its marks and underline, its gutter cell, and the ruler.
// Nothing here decides a colour or a column; the row's RowAttributes and
// RowRuns, the GutterRow and the ruler ticks carry every decision.
#include <QColor>
#include <QImage>
#include <vector>

#include "display/ColourTable.h"
#include "display/Gutter.h"
#include "display/RenderOptions.h"
#include "display/RowAttributes.h"
#include "display/RowRuns.h"
#include "display/Ruler.h"
#include "display/ViewGeometry.h"

class QPainter;

namespace orvex::qt {

class CellGlyphs;

inline QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

struct PaintContext {
    QPainter* painter = nullptr;
    // The row strip the text is composed in before it is drawn (reused row
    // after row; paintTextRow sizes it).
    QImage* strip = nullptr;
    const ViewGeometry* geometry = nullptr;
    const ColourTable* colours = nullptr;
    const RenderOptions* options = nullptr;
    CellGlyphs* glyphs = nullptr;
    int ascent = 0;        // baseline distance from the row's top
    int clientWidth = 0;   // pixels
    int32_t rowCount = 0;  // rows of the document (gutter width)
};

// One text row at pixel y: the runs, the background to the right, the
// line-end arrow, "[EOF]" and the caret-row underline. The text is composed
// in the strip, which starts two columns left of the text area so that a
// double-byte character half scrolled out is cut at the text area's edge.
void paintTextRow(const PaintContext& pc, const RowAttributes& row, const RowRuns& runs, int y);

// A row of the gutter (left of the text area, LeftSpace included).
void paintGutterRow(const PaintContext& pc, const GutterRow& gutter, int y);

// The ruler over the whole width, with its ticks and the caret marker.
void paintRuler(const PaintContext& pc, int32_t leftColumn, int32_t caretColumn, std::vector<RulerTick>& scratch);

// The line-end arrow in the cell at (x, y): a vertical stroke with a
// two-segment arrow head.
void paintLineEndArrow(QPainter& painter, int x, int y, int cellWidth, int rowHeight, const QColor& colour);

}  // namespace orvex::qt
