// Drag and drop of text: the selection dragged out of a view, text dropped
// into a view from another view or another program.
//
// Text travels as text/plain and, between views of this program, also as
// its Shift JIS bytes, so a drag between two views never goes through
// another code. A move within one view, or between the two panes of one
// document, is done by the source view as one undo step; a move to
// another document inserts there and deletes the source's selection.
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "common/platform/ClipboardText.h"
#include "shell/EditorDocument.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"

namespace orvex::qt {

namespace {

const QString kSjisMime = QStringLiteral("application/x-orvex-shift-jis");

bool carriesText(const QMimeData* mime) { return mime && (mime->hasFormat(kSjisMime) || mime->hasText()); }

// The bytes themselves only between views of one document: another
// document's table gives the codes of its area other meanings, so its text
// comes through Unicode like any program's.
std::string textOf(const QMimeData* mime, bool sameDocument, cp932::PrivateCharTable* chars) {
    if (sameDocument && mime->hasFormat(kSjisMime)) {
        const QByteArray bytes = mime->data(kSjisMime);
        return std::string(bytes.constData(), size_t(bytes.size()));
    }
    return clipboardtext::incoming(fromQString(mime->text(), chars));
}

Qt::DropAction proposedAction(const QDropEvent* e) {
    // Ctrl copies; a drag out of a view moves; text from elsewhere is
    // copied.
    if (e->modifiers() & Qt::ControlModifier) return Qt::CopyAction;
    if (qobject_cast<CLuViewWidget*>(e->source()) && (e->possibleActions() & Qt::MoveAction)) return Qt::MoveAction;
    return Qt::CopyAction;
}

}  // namespace

void CLuViewWidget::startDrag() {
    const std::string sjis = m_view->beginDrag();
    m_leftDown = false;
    m_press = MousePress::Ignored;
    auto* mime = new QMimeData;
    // Other programs get LF line ends; the editor's own views the bytes.
    mime->setText(toQString(clipboardtext::outgoing(sjis), m_document.doc().privateChars()));
    mime->setData(kSjisMime, QByteArray(sjis.data(), qsizetype(sjis.size())));
    QDrag drag(this);
    drag.setMimeData(mime);
    m_droppedHere = false;
    const Qt::DropAction action = drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    m_view->endDrag(action == Qt::MoveAction && !m_droppedHere);
    m_droppedHere = false;
}

void CLuViewWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (!carriesText(e->mimeData()) || !m_document.doc().editable()) {
        e->ignore();
        return;
    }
    e->setDropAction(proposedAction(e));
    e->accept();
}

void CLuViewWidget::dragMoveEvent(QDragMoveEvent* e) {
    if (!carriesText(e->mimeData()) || !m_document.doc().editable()) {
        e->ignore();
        return;
    }
    e->setDropAction(proposedAction(e));
    e->accept();
}

void CLuViewWidget::dropEvent(QDropEvent* e) {
    if (!carriesText(e->mimeData())) {
        e->ignore();
        return;
    }
    auto* source = qobject_cast<CLuViewWidget*>(e->source());
    const bool sameDocument = source && &source->document() == &m_document;
    const std::string text = textOf(e->mimeData(), sameDocument, m_document.doc().privateChars());
    const MouseEvent at = mouseEventAt(e->position().toPoint(), e->modifiers());
    const Qt::DropAction action = proposedAction(e);
    const bool move = action == Qt::MoveAction;
    if (source == this) {
        m_view->dropText(at, text, move);
        m_droppedHere = true;
    } else if (source && move && &source->document() == &m_document) {
        // The other pane of the same document: rows and columns are the
        // same in both, so the source moves the text in one step.
        source->m_view->dropText(at, text, true);
        source->m_droppedHere = true;
        if (source->m_view->hasSelection())
            m_view->selectRange(source->m_view->selectionStartOffset(), source->m_view->selectionEndOffset());
    } else {
        m_view->dropText(at, text, false);
    }
    e->setDropAction(action);
    e->accept();
    setFocus(Qt::MouseFocusReason);
}

}  // namespace orvex::qt
