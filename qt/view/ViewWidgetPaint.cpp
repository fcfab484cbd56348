// Painting a view: each visible row from the row table through the
// attribute buffer and its runs, the gutter, the ruler, the caret and the
// input method's pre-edit text.
#include <QPaintEvent>
#include <QPainter>

#include "common/codepage/ShiftJis.h"
#include "display/Row.h"
#include "shell/EditorDocument.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"
#include "qt/view/CellGlyphs.h"
#include "qt/view/DisplayFont.h"
#include "qt/view/RowPainter.h"

namespace orvex::qt {

namespace {

std::function<void()>& firstPaintHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void CLuViewWidget::setFirstPaintHook(std::function<void()> hook) { firstPaintHook() = std::move(hook); }

ViewPaintState CLuViewWidget::paintState() const {
    ViewPaintState s;
    const CLuView& v = *m_view;
    s.caretRow = v.cursor().row;
    if (v.hasSelection()) {
        SelectionPoints& p = s.selection;
        p.active = true;
        if (v.boxSelection()) {
            const BoxRect b = v.boxRect();
            p.box = true;
            p.startRow = b.top;
            p.endRow = b.bottom;
            p.left = b.left;
            p.right = b.right;
        } else {
            p.startRow = v.selectionStart().row;
            p.startByte = v.selectionStart().byteColumn;
            p.endRow = v.selectionEnd().row;
            p.endByte = v.selectionEnd().byteColumn;
        }
    }
    s.focused = hasFocus();
    s.ruledLineDrag = false;
    s.transientScroll = m_transient;
    // The highlight string is the search state's; its match-case option
    // decides how occurrences compare.
    const search::SearchState& search = m_ctx.search();
    s.highlight = search.highlight();
    s.highlightMatchCase = search.flags().matchCase;
    return s;
}

void CLuViewWidget::paintArea(QPainter& painter, const QRect& rect) {
    const TextStore& t = m_document.doc().text();
    if (gutterDigits(t.rowCount()) != m_gutterDigits) updateGeometryAndWrap();
    const ColourTable& colours = m_ctx.colours();
    const RenderOptions& options = m_ctx.renderOptions(mode());
    const DisplayFont& font = m_ctx.font();
    const int width = viewport()->width();

    PaintContext pc;
    pc.painter = &painter;
    pc.strip = &m_strip;
    pc.geometry = &m_geometry;
    pc.colours = &colours;
    pc.options = &options;
    pc.glyphs = &font.glyphs();
    // The glyphs are the font's, shared by every view: this document's
    // table of extra characters applies to the cells drawn now.
    font.glyphs().setPrivateChars(m_document.doc().privateChars());
    pc.ascent = font.ascent();
    pc.clientWidth = width;
    pc.rowCount = t.rowCount();
    painter.setFont(font.font());

    const QColor window = toQColor(colours.colour(ColourSlot::Window));
    // The band between the ruler and the first row (UpperSpace).
    if (m_geometry.textTop > m_geometry.rulerHeight)
        painter.fillRect(0, m_geometry.rulerHeight, width, m_geometry.textTop - m_geometry.rulerHeight, window);

    const LayoutOptions& lo = m_document.doc().layoutOptions();
    RenderSetup setup;
    setup.colours = &colours;
    setup.options = &options;
    const KeywordMatcher& keywords = m_ctx.keywords(mode());
    setup.keywords = keywords.empty() ? nullptr : &keywords;
    setup.tabWidth = t.tabWidth();
    setup.fillColumns = t.wrapWidth() + (lo.kinsoku ? lo.hangLimit() : 0);
    const ViewPaintState state = paintState();
    const int lineNoDisp = options.lineNoDisp;

    const int32_t top = m_view->topRow();
    const int h = m_geometry.rowHeight;
    const int firstScreen = std::max(0, (rect.top() - m_geometry.textTop) / h);
    const int lastScreen = std::max(0, (rect.bottom() - m_geometry.textTop) / h);
    for (int sr = firstScreen; sr <= lastScreen; ++sr) {
        const int y = m_geometry.rowY(sr);
        const int32_t r = top + sr;
        if (r >= t.rowCount()) {
            painter.fillRect(0, y, width, h, window);
            continue;
        }
        const Row rec = t.row(r);
        m_comments.clear();
        if (RowAttributes::wantsComments(rec.flags, colours)) t.commentSpans(r, m_comments);
        RowSource src;
        src.bytes = std::string_view(t.data() + rec.offset, size_t(rec.length));
        src.row = r;
        src.flags = rec.flags;
        src.comments = &m_comments;
        m_row.build(setup, state, src);
        m_runs.build(m_row, colours, m_view->leftColumn(), m_geometry.visibleColumns);

        // Text first, so that a double-byte character half scrolled out on
        // the left is covered by the gutter.
        paintTextRow(pc, m_row, m_runs, y);

        GutterSource gs;
        gs.row = r;
        gs.line = rec.line;
        gs.firstOfLine = r == 0 || endsLine(t.row(r - 1));
        gs.flags = rec.flags;
        gutterRow(lineNoDisp, t.rowCount(), gs, colours, m_gutter);
        paintGutterRow(pc, m_gutter, y);
    }
    if (m_geometry.rulerHeight > 0 && rect.top() < m_geometry.rulerHeight)
        paintRuler(pc, m_view->leftColumn(), m_view->cursor().displayColumn, m_ticks);
    paintPreedit(painter);
    paintDragOutline(painter);
    if (hasFocus() && m_caretOn) paintCaret(painter);
}

void CLuViewWidget::paintDragOutline(QPainter& painter) {
    const DragHandler* handler = m_view->dragHandler();
    const std::optional<DragOutline> o = handler ? handler->dragOutline() : std::nullopt;
    if (!o) return;
    // The shape a release would draw, through the middles of its cells, as
    // a dashed line in the text colour.
    const QPoint a = cellPosition(o->topRow, o->leftColumn);
    const QPoint b = cellPosition(o->bottomRow, o->rightColumn);
    const int halfCell = o->cellColumns * m_geometry.charWidth / 2;
    const int halfRow = m_geometry.rowHeight / 2;
    painter.setClipRect(QRect(m_geometry.textLeft, m_geometry.textTop, viewport()->width(), viewport()->height()));
    QPen pen(toQColor(m_ctx.colours().colour(ColourSlot::Text)));
    pen.setStyle(Qt::DashLine);
    pen.setWidth(std::max(1, m_geometry.charWidth / 4));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (o->kind) {
        case DragOutline::Kind::HorizontalLine:
            painter.drawLine(a.x(), a.y() + halfRow, b.x(), a.y() + halfRow);
            break;
        case DragOutline::Kind::VerticalLine:
            painter.drawLine(a.x() + halfCell, a.y(), a.x() + halfCell, b.y());
            break;
        case DragOutline::Kind::Box:
            painter.drawRect(QRect(QPoint(a.x() + halfCell, a.y() + halfRow), QPoint(b.x() - halfCell, b.y() - halfRow)));
            break;
    }
    painter.setClipping(false);
}

void CLuViewWidget::paintCaret(QPainter& painter) {
    QRect r = caretRect();
    if (!m_preedit.isEmpty())
        r.translate(int(fromQString(m_preedit.left(m_preeditCursor)).size()) * m_geometry.charWidth, 0);
    if (r.right() < m_geometry.textLeft || r.bottom() < m_geometry.textTop) return;
    painter.setClipRect(QRect(m_geometry.textLeft, m_geometry.textTop, viewport()->width(), viewport()->height()));
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(r, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipping(false);
}

void CLuViewWidget::paintPreedit(QPainter& painter) {
    if (m_preedit.isEmpty()) return;
    // The composition is drawn over the text at the caret, underlined, each
    // character in the cells its Shift JIS form takes.
    const std::string sjis = fromQString(m_preedit, m_document.doc().privateChars(), false);
    const QPoint at = cellPosition(m_view->cursor().row, m_view->cursor().displayColumn);
    const int cw = m_geometry.charWidth;
    const int h = m_geometry.rowHeight;
    const ColourTable& colours = m_ctx.colours();
    const int width = int(sjis.size()) * cw;
    painter.fillRect(at.x(), at.y(), width, h, toQColor(colours.colour(ColourSlot::Window)));
    painter.setPen(toQColor(colours.colour(ColourSlot::Text)));
    m_ctx.font().glyphs().draw(painter, sjis, at.x(), at.y() + m_ctx.font().ascent(), cw);
    painter.drawLine(at.x(), at.y() + h - 2, at.x() + width - 1, at.y() + h - 2);
}

void CLuViewWidget::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    paintArea(painter, e->rect());
    painter.end();
    if (auto& hook = firstPaintHook()) {
        auto run = std::move(hook);
        hook = nullptr;
        run();
    }
}

}  // namespace orvex::qt
