#include "qt/view/RowPainter.h"

#include <QFont>
#include <QPainter>

#include "qt/view/CellGlyphs.h"

namespace orvex::qt {

void paintLineEndArrow(QPainter& painter, int x, int y, int cellWidth, int rowHeight, const QColor& colour) {
    painter.setPen(QPen(colour, 1));
    const qreal cx = x + cellWidth / 2.0;
    const qreal top = y + rowHeight * 0.25;
    const qreal bottom = y + rowHeight * 0.75;
    const qreal head = std::max(2.0, cellWidth * 0.35);
    painter.drawLine(QPointF(cx, top), QPointF(cx, bottom));
    painter.drawLine(QPointF(cx - head, bottom - head), QPointF(cx, bottom));
    painter.drawLine(QPointF(cx + head, bottom - head), QPointF(cx, bottom));
}

void paintTextRow(const PaintContext& pc, const RowAttributes& row, const RowRuns& runs, int y) {
    QPainter& p = *pc.painter;
    const ViewGeometry& g = *pc.geometry;
    const int cw = g.charWidth;
    const int h = g.rowHeight;
    const int textWidth = std::max(0, pc.clientWidth - g.textLeft);
    const int origin = 2 * cw;  // strip x of screen column 0
    QImage& strip = *pc.strip;
    if (strip.width() < origin + textWidth + 2 * cw || strip.height() != h)
        strip = QImage(origin + textWidth + 4 * cw, h, QImage::Format_RGB32);
    const CellGlyphs::CellBox box{cw, h, pc.ascent};
    const std::string_view cells = row.cells();
    auto qrgb = [](Colour c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); };

    int right = origin;
    for (const AttrRun& r : runs.runs()) {
        const int x = origin + r.column * cw;
        pc.glyphs->paintRun(strip, x, cells.substr(size_t(r.cell), size_t(r.length)), qrgb(r.foreground),
                            qrgb(r.background), box);
        right = std::max(right, x + r.length * cw);
    }
    // Right of the text: the row's own background up to the fill columns,
    // the window colour beyond.
    const int fillEnd = std::max(right, origin + runs.screenColumn(row.fillColumns()) * cw);
    CellGlyphs::fill(strip, right, fillEnd - right, h, qrgb(row.fillColour()));
    CellGlyphs::fill(strip, fillEnd, origin + textWidth - fillEnd, h, qrgb(pc.colours->colour(ColourSlot::Window)));
    // A box selection reaching beyond the row's text.
    if (row.boxTailFrom() < row.boxTailTo()) {
        const int from = std::max(origin, origin + runs.screenColumn(row.boxTailFrom()) * cw);
        const int to = origin + runs.screenColumn(row.boxTailTo()) * cw;
        CellGlyphs::fill(strip, from, to - from, h, qrgb(pc.colours->colour(ColourSlot::Window2)));
    }
    p.drawImage(QPoint(g.textLeft, y), strip, QRect(origin, 0, textWidth, h));

    const int markX = g.columnX(runs.screenColumn(row.contentColumns()));
    if (row.lineEndMark() && markX >= g.textLeft)
        paintLineEndArrow(p, markX, y, cw, h, toQColor(row.lineEndColour()));
    if (row.eofMark() && markX >= g.textLeft) {
        p.setPen(toQColor(row.eofColour()));
        pc.glyphs->draw(p, "[EOF]", markX, y + pc.ascent, cw);
    }
    // The underline takes the row's last pixel line, below the cells.
    if (row.underline()) {
        p.setPen(QPen(toQColor(row.underlineColour()), 1));
        p.drawLine(g.textLeft, y + h - 1, pc.clientWidth, y + h - 1);
    }
}

void paintGutterRow(const PaintContext& pc, const GutterRow& gutter, int y) {
    QPainter& p = *pc.painter;
    const ViewGeometry& g = *pc.geometry;
    const int cw = g.charWidth;
    const int h = g.rowHeight;
    p.fillRect(0, y, g.textLeft, h, toQColor(gutter.background));
    if (gutter.bar) {
        const int w = std::max(2, cw / 3);
        p.fillRect((cw - w) / 2, y, w, h, toQColor(gutter.barColour));
        return;
    }
    if (gutter.text.empty()) return;
    const int digits = int(gutter.text.size());
    if (gutter.textBackground != gutter.background) p.fillRect(0, y, digits * cw, h, toQColor(gutter.textBackground));
    p.setPen(toQColor(gutter.textColour));
    pc.glyphs->draw(p, gutter.text, 0, y + pc.ascent, cw);
    if (gutter.separator) {
        const int x = separatorHalfCells(pc.rowCount) * cw / 2;
        p.setPen(QPen(toQColor(gutter.separatorColour), 1));
        p.drawLine(x, y, x, y + h - 1);
    }
}

void paintRuler(const PaintContext& pc, int32_t leftColumn, int32_t caretColumn, std::vector<RulerTick>& ticks) {
    QPainter& p = *pc.painter;
    const ViewGeometry& g = *pc.geometry;
    const RenderOptions& o = *pc.options;
    const ColourTable& colours = *pc.colours;
    const int h = g.rulerHeight;
    if (h <= 0) return;
    const int cw = g.charWidth;
    const bool raised = o.raisedRuler();
    const QColor ink = toQColor(colours.rulerInk());
    if (raised) {
        // A raised band: face, a light top edge and a shadow bottom edge.
        p.fillRect(0, 0, pc.clientWidth, h, toQColor(colours.rulerFace()));
        p.setPen(toQColor(colours.rulerHighlight()));
        p.drawLine(0, 0, pc.clientWidth, 0);
        p.setPen(toQColor(colours.rulerShadow()));
        p.drawLine(0, h - 1, pc.clientWidth, h - 1);
    } else {
        p.fillRect(0, 0, pc.clientWidth, h, toQColor(colours.colour(ColourSlot::Window)));
    }
    rulerTicks(leftColumn, g.visibleColumns, o.pitch(), raised, ticks);
    QFont digitFont = p.font();
    digitFont.setPixelSize(std::max(6, h - 4));
    p.setFont(digitFont);
    for (const RulerTick& t : ticks) {
        const int x = g.columnX(t.column - leftColumn);
        switch (t.kind) {
        case TickKind::Short:
            p.setPen(ink);
            p.drawLine(x, h - 1 - h / 3, x, h - 2);
            break;
        case TickKind::Long:
            p.setPen(ink);
            p.drawLine(x, 1, x, h - 2);
            break;
        case TickKind::Digit:
            p.setPen(ink);
            p.drawText(QRect(x - cw, 0, 2 * cw, h), Qt::AlignCenter, QString(QLatin1Char(t.digit)));
            break;
        }
    }
    const int32_t marker = caretMarkerColumn(caretColumn, leftColumn, g.visibleColumns);
    if (marker >= 0) {
        // The caret's column as an inverted cell in the ruler.
        const int x = g.columnX(marker);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(x, 1, cw, h - 2, Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

}  // namespace orvex::qt
