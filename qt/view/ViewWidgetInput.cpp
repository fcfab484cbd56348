// Input of a view widget: keys through the key table, then the view's own
// key handling and characters; the input method's pre-edit and committed
// text; mouse buttons, moves and the wheel.
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>

#include "shell/EditorDocument.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"
#include "qt/view/DisplayFont.h"
#include "qt/view/VirtualKeys.h"
#include "text/VirtualKeys.h"

namespace orvex::qt {

namespace {

struct Modifiers {
    bool shift, ctrl, alt;
};

Modifiers modifiersOf(Qt::KeyboardModifiers m) {
    return {(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0, (m & Qt::AltModifier) != 0};
}

}  // namespace

void CLuViewWidget::routeCommand(CommandId id) { m_ctx.session().router().run(id); }

bool CLuViewWidget::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        // A key of the key table is the view's, whatever shortcuts and menu
        // mnemonics the windows around it have.
        auto* k = static_cast<QKeyEvent*>(e);
        const uint16_t vk = toVirtualKey(k->key(), k->modifiers());
        const Modifiers m = modifiersOf(k->modifiers());
        if (vk && m_ctx.session().router().commandOfKey(vk, m.shift, m.ctrl, m.alt)) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        // Tab and Shift+Tab are keys of the text, not focus moves.
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool CLuViewWidget::focusNextPrevChild(bool) { return false; }

void CLuViewWidget::typeCharacters(const QString& text) {
    // Each byte of the Shift JIS form is one character message; the view
    // joins lead and trail bytes again.
    // Characters code page 932 lacks (an emoji) get codes of the document's
    // table first.
    for (const char c : fromQString(text, m_document.doc().privateChars())) m_view->character(uint8_t(c), 1);
}

void CLuViewWidget::keyPressEvent(QKeyEvent* e) {
    const Modifiers m = modifiersOf(e->modifiers());
    const uint16_t vk = toVirtualKey(e->key(), e->modifiers());
    if (vk) {
        if (std::optional<CommandId> id = m_ctx.session().router().commandOfKey(vk, m.shift, m.ctrl, m.alt)) {
            // The key table runs before the view's own key handling, as a
            // menu command; no character follows.
            m_view->noteKeyPress(vk, e->isAutoRepeat());
            routeCommand(*id);
            return;
        }
        m_view->keyDown(vk, 1, e->isAutoRepeat());
    }
    QString text = e->text();
    if (e->key() == Qt::Key_Backtab) text = QStringLiteral("\t");
    // Ctrl turns letters into control characters, which the view drops;
    // Ctrl+Alt is AltGr on some keyboards and types.
    if (!text.isEmpty() && (!m.ctrl || m.alt)) typeCharacters(text);
}

void CLuViewWidget::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    if (const uint16_t vk = toVirtualKey(e->key(), e->modifiers())) m_view->keyUp(vk, 1);
}

// ---- Input method

void CLuViewWidget::inputMethodEvent(QInputMethodEvent* e) {
    const QString commit = e->commitString();
    m_preedit = e->preeditString();
    m_preeditCursor = int(m_preedit.size());
    for (const QInputMethodEvent::Attribute& a : e->attributes())
        if (a.type == QInputMethodEvent::Cursor) m_preeditCursor = std::clamp(a.start, 0, int(m_preedit.size()));
    if (!commit.isEmpty()) m_view->inputMethodText(fromQString(commit, m_document.doc().privateChars()));
    const int32_t row = m_view->cursor().row;
    repaintRows(row, row);
    updateCaretArea();
    e->accept();
}

QVariant CLuViewWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled: return m_imOpen;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: {
        // The candidate window opens at the caret, inside the composition
        // at its cursor.
        QRect r = caretRect();
        if (!m_preedit.isEmpty())
            r.translate(int(fromQString(m_preedit.left(m_preeditCursor)).size()) * m_geometry.charWidth, 0);
        return r.translated(viewport()->pos());
    }
    case Qt::ImFont: return m_ctx.font().font();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        const TextStore& t = m_document.doc().text();
        const TextPosition c = m_view->cursor();
        return int(toQString(std::string_view(t.pointer(c.row, 0), size_t(std::min(c.byteColumn, t.endColumn(c.row)))),
                             m_document.doc().privateChars())
                       .size());
    }
    case Qt::ImSurroundingText: {
        const TextStore& t = m_document.doc().text();
        const int32_t r = m_view->cursor().row;
        return toQString(std::string_view(t.pointer(r, 0), size_t(t.endColumn(r))), m_document.doc().privateChars());
    }
    case Qt::ImHints: return int(Qt::ImhMultiLine);
    case Qt::ImMaximumTextLength: return QVariant();
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- Mouse

MouseEvent CLuViewWidget::mouseEventAt(const QPoint& pos, Qt::KeyboardModifiers mods) const {
    const ViewGeometry::Hit hit = m_geometry.hit(pos.x(), pos.y());
    MouseEvent e;
    e.row = m_view->topRow() + hit.screenRow;
    e.column = m_view->leftColumn() + hit.screenColumn;
    e.inMargin = hit.inMargin;
    const Modifiers m = modifiersOf(mods);
    e.shift = m.shift;
    e.ctrl = m.ctrl;
    e.alt = m.alt;
    return e;
}

void CLuViewWidget::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const MouseEvent me = mouseEventAt(pos, e->modifiers());
    if (e->button() == Qt::LeftButton) {
        m_leftDown = true;
        m_pressPos = pos;
        m_press = m_view->leftButtonDown(me);
    } else if (e->button() == Qt::RightButton) {
        m_view->rightButtonDown(me, (e->buttons() & ~Qt::RightButton) != Qt::NoButton);
    } else if (e->button() == Qt::MiddleButton) {
        pastePrimary(pos);
    }
    e->accept();
}

void CLuViewWidget::mouseMoveEvent(QMouseEvent* e) {
    if (m_pointerHidden) {
        m_pointerHidden = false;
        setRecordingPointer(m_recordingPointer);
        viewport()->setMouseTracking(false);
    }
    if (!m_leftDown || !(e->buttons() & Qt::LeftButton)) return;
    const QPoint pos = e->position().toPoint();
    if (m_press == MousePress::DragPending) {
        if ((pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) startDrag();
        return;
    }
    m_view->mouseMove(mouseEventAt(pos, e->modifiers()));
}

void CLuViewWidget::mouseReleaseEvent(QMouseEvent* e) {
    const MouseEvent me = mouseEventAt(e->position().toPoint(), e->modifiers());
    if (e->button() == Qt::LeftButton) {
        m_leftDown = false;
        m_press = MousePress::Ignored;
        m_view->leftButtonUp(me);
    } else if (e->button() == Qt::RightButton) {
        m_view->rightButtonUp(me, (e->buttons() & ~Qt::RightButton) != Qt::NoButton);
    }
    e->accept();
}

void CLuViewWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    m_leftDown = true;
    m_press = MousePress::Selecting;
    m_pressPos = e->position().toPoint();
    m_view->leftDoubleClick(mouseEventAt(m_pressPos, e->modifiers()));
    e->accept();
}

void CLuViewWidget::contextMenuEvent(QContextMenuEvent* e) {
    // The menu key is the view's own key (it opens the menu at the caret);
    // the right button is handled on press and release.
    e->accept();
}

void CLuViewWidget::wheelEvent(QWheelEvent* e) {
    const int32_t notches = m_wheel.add(e->angleDelta().y());
    e->accept();
    if (notches == 0) return;
    const Modifiers m = modifiersOf(e->modifiers());
    Viewport v;
    v.topRow = m_view->topRow();
    v.leftColumn = m_view->leftColumn();
    v.visibleColumns = m_geometry.visibleColumns;
    v.fullRows = std::max(1, m_geometry.fullRows);
    v.availableRows = m_view->availableRows();
    WheelInput in;
    in.notches = notches;
    in.shift = m.shift;
    in.ctrl = m.ctrl;
    in.wheelLines = QApplication::wheelScrollLines();
    in.pageScroll = in.wheelLines <= 0;
    in.scrollCaret = m_ctx.renderOptions(mode()).scrollCaret;
    in.caretRow = m_view->cursor().row;
    const WheelResult r = wheelScroll(v, in);
    if (!r.handled || r.rowsScrolled == 0) return;
    m_view->scrollTo(r.topRow, m_view->leftColumn());
    if (CLuView* other = m_view->siblingPane()) other->scrollTo(other->topRow() + r.rowsScrolled, other->leftColumn());
    if (in.scrollCaret && r.caretRow != in.caretRow && !m_view->hasSelection()) {
        // The caret keeps its place on the screen.
        const TextStore& t = m_document.doc().text();
        const ColumnHit hit =
            t.byteColumnAt(r.caretRow, m_view->desiredColumn(), false, t.wrapWidth(), m_view->freeCursorOn(r.caretRow));
        m_view->placeCursor(r.caretRow, hit.byteColumn);
        m_view->updateCursor(false, ScrollMode::None, SelectionUpdate::Clear);
    }
}

// ---- Focus

void CLuViewWidget::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    // Shift and Ctrl may have changed while another window had the keys.
    const Modifiers m = modifiersOf(QGuiApplication::queryKeyboardModifiers());
    m_ctx.state().selectionMode = m.shift;
    m_ctx.state().controlHeld = m.ctrl;
    restartBlink();
    beginTransientState();
    const int32_t row = m_view->cursor().row;
    repaintRows(row, row);
    updateCaretArea();
    emit activated(this);
}

void CLuViewWidget::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    m_blink.stop();
    m_caretOn = false;
    const int32_t row = m_view->cursor().row;
    repaintRows(row, row);
    updateCaretArea();
}

}  // namespace orvex::qt
