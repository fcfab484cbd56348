// The view widget's state: construction, geometry and wrapping, the scroll
// bars, and what the view asks of its window (ViewHost).
#include "qt/view/CLuViewWidget.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>
#include <limits>

#include "common/codepage/ShiftJis.h"
#include "common/codepage/SjisWalk.h"
#include "common/commands/CommandRegistry.h"

#include "display/LayoutOptions.h"
#include "search/ViewSearch.h"
#include "shell/EditorDocument.h"
#include "shell/EditorWindow.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtClipboard.h"
#include "qt/platform/QtText.h"
#include "qt/view/DisplayFont.h"
#include "text/VirtualKeys.h"

namespace orvex::qt {

CLuViewWidget::CLuViewWidget(EditorContext& context, shell::EditorWindow& window, int pane, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_ctx(context),
      m_window(window),
      m_document(window.document()),
      m_view(&window.view(pane)),
      m_search(window.viewTarget<search::ViewSearch>(pane)) {
    m_window.viewHost(pane).setTarget(this);
    m_ctx.search().addListener(this);
    m_ctx.ui().addView(m_view, this);

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setFrameShape(QFrame::NoFrame);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAcceptDrops(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setMouseTracking(false);

    const int flash = QApplication::cursorFlashTime();
    m_blink.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        viewport()->update(caretRect().adjusted(-1, -1, 1, 1));
    });
    m_transientTimer.setSingleShot(true);
    m_transientTimer.setInterval(kTransientMilliseconds);
    connect(&m_transientTimer, &QTimer::timeout, this, [this] { clearTransientState(); });
    applySettings();
    m_view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
}

CLuViewWidget::~CLuViewWidget() {
    m_blink.stop();
    m_transientTimer.stop();
    m_ctx.ui().removeView(m_view);
    m_ctx.search().removeListener(this);
    for (int pane = 0; pane < shell::EditorWindow::kPaneCount; ++pane)
        if (m_window.viewHost(pane).target() == this) m_window.viewHost(pane).setTarget(nullptr);
}

int CLuViewWidget::mode() const { return m_document.mode(); }

void CLuViewWidget::applySettings() {
    const settings::ChildOptions& c = m_ctx.settings().child;
    setVerticalScrollBarPolicy(c.scrollBarDisp ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(c.scrollBarDisp2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setFont(m_ctx.font().font());
    if (m_search) m_search->setHighlightFound(m_ctx.highlightFound());
    updateGeometryAndWrap();
}

void CLuViewWidget::updateGeometryAndWrap() {
    const TextStore& t = m_document.doc().text();
    const RenderOptions& o = m_ctx.renderOptions(mode());
    const QSize size = viewport()->size();
    // A caret in sight before the change stays in sight after it (tiling,
    // cascading, maximising, restoring, resizing, splitting).
    const int32_t caretRow = m_view->cursor().row;
    const bool caretWasVisible = m_geometry.fullRows > 0 && caretRow >= m_view->topRow() &&
                                 caretRow < m_view->topRow() + m_view->fullyVisibleRows();
    m_geometry = computeViewGeometry(m_ctx.font().metrics(), size.width(), size.height(), o, t.rowCount());
    m_gutterDigits = gutterDigits(t.rowCount());
    m_view->setViewport(std::max(1, m_geometry.visibleRows), std::max(1, m_geometry.fullRows),
                        std::max(1, m_geometry.visibleColumns));
    const LayoutOptions& lo = m_document.doc().layoutOptions();
    if (lo.adjCol && size.width() > 0) {
        const ViewMetrics metrics = m_geometry.wrapMetrics(size.width());
        const int32_t w = computeWrapWidth(lo, &metrics);
        if (w != t.wrapWidth()) m_view->applyWrapWidth(w);
    }
    if (caretWasVisible) {
        const int32_t row = m_view->cursor().row;
        const int32_t top = m_view->topRow();
        const int32_t rows = m_view->fullyVisibleRows();
        if (row < top) m_view->scrollTo(row, m_view->leftColumn());
        else if (row >= top + rows) m_view->scrollTo(row - rows + 1, m_view->leftColumn());
    }
    updateScrollBars();
    viewport()->update();
}

void CLuViewWidget::updateScrollBars() {
    const TextStore& t = m_document.doc().text();
    const RenderOptions& o = m_ctx.renderOptions(mode());
    const ScrollBarSpec v = orvex::verticalScrollBar(m_view->availableRows(), std::max(1, m_geometry.fullRows));
    // Rows are never wider than the wrap width and its hanging columns,
    // the line-end mark and a free cursor excepted.
    const LayoutOptions& lo = m_document.doc().layoutOptions();
    const int32_t content = t.wrapWidth() + (lo.kinsoku ? lo.hangLimit() : 0) + 2;
    const ScrollBarSpec h = orvex::horizontalScrollBar(content, m_geometry.visibleColumns, o.pitch());
    m_syncingBars = true;
    QScrollBar* vb = QAbstractScrollArea::verticalScrollBar();
    vb->setRange(0, v.maximum);
    vb->setPageStep(v.pageStep);
    vb->setSingleStep(v.singleStep);
    vb->setValue(m_view->topRow());
    QScrollBar* hb = QAbstractScrollArea::horizontalScrollBar();
    hb->setRange(0, std::max(h.maximum, m_view->leftColumn()));
    hb->setPageStep(h.pageStep);
    hb->setSingleStep(h.singleStep);
    hb->setValue(m_view->leftColumn());
    m_syncingBars = false;
}

void CLuViewWidget::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const bool firstShown = m_geometry.fullRows < 2;
    updateGeometryAndWrap();
    // A caret placed before the window had its size (a jump line on the
    // command line) is brought into the middle once the rows are known.
    const int32_t row = m_view->cursor().row;
    const int32_t rows = m_geometry.fullRows;
    if (firstShown && rows >= 2 && row >= rows / 2) m_view->scrollTo(row - rows / 2, m_view->leftColumn());
}

void CLuViewWidget::scrollContentsBy(int dx, int) {
    if (m_syncingBars) return;
    const int pitch = m_ctx.renderOptions(mode()).pitch();
    const int32_t left = snapColumn(QAbstractScrollArea::horizontalScrollBar()->value(), pitch);
    m_view->scrollTo(QAbstractScrollArea::verticalScrollBar()->value(), left);
    if (dx != 0 && !m_view->hasSelection()) {
        // A horizontal scroll-bar move brings the caret into the columns
        // shown.
        const TextPosition c = m_view->cursor();
        const int32_t col = caretColumnInView(c.displayColumn, m_view->leftColumn(), m_geometry.fullColumns);
        if (col != c.displayColumn) {
            const TextStore& t = m_document.doc().text();
            const ColumnHit hit = t.byteColumnAt(c.row, col, false, t.wrapWidth(), m_view->freeCursorOn(c.row));
            m_view->placeCursor(c.row, hit.byteColumn);
            m_view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
        }
    }
}

int CLuViewWidget::viewportWidthFor(int32_t columns) const {
    const int cw = m_geometry.charWidth;
    const RenderOptions& o = m_ctx.renderOptions(mode());
    return m_geometry.textLeft + (columns + 1) * cw + o.rightSpace * cw / 4;
}

QPoint CLuViewWidget::cellPosition(int32_t row, int32_t column) const {
    return {m_geometry.columnX(column - m_view->leftColumn()), m_geometry.rowY(row - m_view->topRow())};
}

QRect CLuViewWidget::caretRect() const {
    const TextPosition c = m_view->cursor();
    const QPoint at = cellPosition(c.row, c.displayColumn);
    const int cw = m_geometry.charWidth;
    int width = std::max(2, m_ctx.settings().editor.options.caretWidth);
    if (m_ctx.state().insOver && !m_document.doc().text().insertionGap().open) {
        // Overwrite: the whole character under the caret.
        const TextStore& t = m_document.doc().text();
        const bool dbcs = c.byteColumn < t.endColumn(c.row) && sjis::step(t.pointer(c.row, c.byteColumn)) == 2;
        width = cw * (dbcs ? 2 : 1);
    }
    return {at.x(), at.y(), width, m_geometry.rowHeight};
}

void CLuViewWidget::updateCaretArea() {
    const QRect now = caretRect();
    viewport()->update(m_lastCaret.adjusted(-1, -1, 1, 1));
    viewport()->update(now.adjusted(-1, -1, 1, 1));
    // The caret marker of the ruler follows.
    if (m_geometry.rulerHeight > 0) viewport()->update(0, 0, viewport()->width(), m_geometry.rulerHeight);
    m_lastCaret = now;
}

void CLuViewWidget::restartBlink() {
    m_caretOn = true;
    if (hasFocus()) m_blink.start();
}

void CLuViewWidget::beginTransientState() {
    m_transientTimer.start();
    if (m_transient) return;
    m_transient = true;
    const int32_t row = m_view->cursor().row;
    repaintRows(row, row);
}

void CLuViewWidget::clearTransientState() {
    m_transientTimer.stop();
    if (!m_transient) return;
    m_transient = false;
    const int32_t row = m_view->cursor().row;
    repaintRows(row, row);
}

// ---- ViewHost

void CLuViewWidget::caretMoved() {
    // A selection is offered as the primary selection once the moves of
    // this event are done (a drag moves the caret many times).
    if (m_view->hasSelection() && !m_primaryPending) {
        m_primaryPending = true;
        QMetaObject::invokeMethod(this, [this] { publishPrimary(); }, Qt::QueuedConnection);
    }
    restartBlink();
    updateCaretArea();
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
}

void CLuViewWidget::publishPrimary() {
    m_primaryPending = false;
    if (m_view->hasSelection()) m_ctx.clipboard().setPrimary(m_view->selectedText(), m_document.doc().privateChars());
}

void CLuViewWidget::pastePrimary(const QPoint& pos) {
    if (!m_document.doc().editable()) return;
    const std::string text = m_ctx.clipboard().primary(m_document.doc().privateChars());
    if (text.empty()) return;
    // The text goes in where the middle button was pressed; a selection
    // there stays as it is elsewhere in the text.
    const MouseEvent me = mouseEventAt(pos, Qt::NoModifier);
    const TextStore& t = m_document.doc().text();
    const int32_t row = std::clamp(me.row, 0, std::max(0, m_view->availableRows() - 1));
    const ColumnHit hit = t.byteColumnAt(row, std::max(0, me.column), false, t.wrapWidth(), false);
    m_view->clearSelection();
    m_view->placeCursor(row, hit.byteColumn);
    m_view->insertText(text);
    m_view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuViewWidget::scrolled(int32_t rows, int32_t columns) {
    if (rows != 0 || columns != 0) beginTransientState();
    updateScrollBars();
    viewport()->update();
}

void CLuViewWidget::scrollSizesChanged() {
    if (gutterDigits(m_document.doc().text().rowCount()) != m_gutterDigits) updateGeometryAndWrap();
    else updateScrollBars();
}

void CLuViewWidget::showContextMenu(int32_t row, int32_t column) {
    if (!m_contextMenu) return;
    const QPoint cell = cellPosition(row, column) + QPoint(0, m_geometry.rowHeight);
    m_contextMenu(*this, viewport()->mapToGlobal(cell));
}

void CLuViewWidget::finishComposition() {
    if (!m_preedit.isEmpty()) QGuiApplication::inputMethod()->commit();
}

void CLuViewWidget::setInputMethodOpen(bool open) {
    if (open == m_imOpen) return;
    if (!open) finishComposition();
    m_imOpen = open;
    setAttribute(Qt::WA_InputMethodEnabled, open);
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void CLuViewWidget::registerWord(std::string_view) {
    // Input methods on this desktop keep their own dictionaries; there is
    // no call that opens their word registration.
    m_ctx.platform().messages->showText("この環境では単語登録を使用できません", MsgIcon::Information);
}

std::optional<int32_t> CLuViewWidget::askLineNumber(int32_t initial) {
    bool ok = false;
    const int n = QInputDialog::getInt(this, fromUtf8(commands::menuText(cmd::kGoToLine)), QStringLiteral("行番号:"), initial, 1,
                                       std::numeric_limits<int>::max(), 1, &ok);
    if (!ok) return std::nullopt;
    return n;
}

std::optional<int32_t> CLuViewWidget::askCharacterCode() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, fromUtf8(commands::menuText(cmd::kCodeInput)),
                                               QStringLiteral("文字ｺｰﾄﾞ (10進数、または 0x で始まる16進数):"),
                                               QLineEdit::Normal, QString(), &ok)
                             .trimmed();
    if (!ok || text.isEmpty()) return std::nullopt;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const int value = hex ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

namespace {

// The I-beam with a red dot at its upper right.
QCursor recordingCursor() {
    static const QCursor cursor = [] {
        QPixmap pixmap(24, 24);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(8, 3, 8, 20);
        p.drawLine(5, 3, 11, 3);
        p.drawLine(5, 20, 11, 20);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(8, 3, 8, 20);
        p.drawLine(5, 3, 11, 3);
        p.drawLine(5, 20, 11, 20);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(220, 0, 0));
        p.drawEllipse(QPointF(18, 6), 4.5, 4.5);
        p.end();
        return QCursor(pixmap, 8, 12);
    }();
    return cursor;
}

}  // namespace

void CLuViewWidget::setRecordingPointer(bool on) {
    m_recordingPointer = on;
    if (!m_pointerHidden) viewport()->setCursor(on ? recordingCursor() : QCursor(Qt::IBeamCursor));
}

void CLuViewWidget::hideMousePointer() {
    if (m_pointerHidden) return;
    m_pointerHidden = true;
    viewport()->setCursor(Qt::BlankCursor);
    viewport()->setMouseTracking(true);
}

void CLuViewWidget::setWaitCursor(bool on) {
    // Application-wide while a long change runs; the view calls on and off
    // in pairs, so the override stack stays balanced.
    if (on) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else QGuiApplication::restoreOverrideCursor();
}

bool CLuViewWidget::isKeyDown(uint16_t key) const {
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    switch (key) {
    case vk::kShift: return mods & Qt::ShiftModifier;
    case vk::kControl: return mods & Qt::ControlModifier;
    case vk::kMenu: return mods & Qt::AltModifier;
    default: return false;
    }
}

// ---- RepaintTarget

void CLuViewWidget::repaintRows(int first, int last) {
    const int32_t top = m_view->topRow();
    const int32_t bottom = top + m_geometry.visibleRows;
    const int32_t from = std::max<int32_t>(first, top);
    const int32_t to = last < 0 ? bottom : std::min<int32_t>(last, bottom);
    if (from > to) return;
    const int y = m_geometry.rowY(from - top);
    viewport()->update(0, y, viewport()->width(), (to - from + 1) * m_geometry.rowHeight);
}

void CLuViewWidget::repaintAll() { viewport()->update(); }

}  // namespace orvex::qt
