#include "text/CLuDoc.h"

#include <algorithm>

#include "common/strings/StringTable.h"

namespace orvex {

CLuDoc::CLuDoc(const Platform& platform) : m_platform(platform) {}

// ---- Layout

void CLuDoc::setLayoutOptions(const LayoutOptions& options) {
    m_text.setLayout(options, m_text.wrapWidth());
    layoutAll();
}

int32_t CLuDoc::layoutAll() {
    const int32_t rows = m_text.layoutAll();
    for (DocumentObserver* v : m_observers) v->documentRelaid(*this);
    return rows;
}

TextPosition CLuDoc::relayoutForWidth(int32_t wrapWidth, bool force, const TextPosition& caret) {
    const int32_t w = clampWrapWidth(wrapWidth);
    if (!force && w == m_text.wrapWidth() && w == m_text.lastLayoutWidth()) return caret;
    int32_t offset = 0, excess = 0;
    if (caret.row >= 0 && caret.row < m_text.rowCount()) {
        const int32_t end = m_text.endColumn(caret.row);
        excess = std::max(0, caret.byteColumn - end);
        offset = m_text.offsetOf(caret.row, caret.byteColumn);
    }
    m_text.setLayout(m_text.layoutOptions(), w);
    layoutAll();
    TextPosition pos = m_text.positionOf(offset);
    pos.byteColumn += excess;
    pos.displayColumn += excess;
    return pos;
}

// ---- Plain changes

void CLuDoc::tooLarge() {
    if (m_platform.messages) m_platform.messages->showId(strings::kTextTooLarge, MsgIcon::Exclamation);
}

int32_t CLuDoc::insertText(int32_t row, int32_t byteColumn, const char* p, int32_t n) {
    const int32_t first = m_text.insert(row, byteColumn, p, n);
    if (first < 0) tooLarge();
    return first;
}

int32_t CLuDoc::deleteText(int32_t row, int32_t byteColumn, int32_t n) { return m_text.remove(row, byteColumn, n); }

void CLuDoc::reset(bool initialise) {
    m_text.reset(initialise);
    m_undo.clear();
}

// ---- Changes with undo

void CLuDoc::afterEdit(bool byHistory) {
    // An edit made by undo or redo that lands on the saved state makes the
    // document unmodified again; every other edit makes it modified.
    const bool was = m_modified;
    if (byHistory && m_undo.atSavedState()) {
        m_modified = false;
        clearModifiedMarks();
    } else {
        m_modified = true;
    }
    if (was != m_modified && m_platform.ui) m_platform.ui->updateTitle(this);
}

int32_t CLuDoc::insertRecorded(int32_t row, int32_t byteColumn, const char* p, int32_t n, int32_t kind) {
    if (!editable()) return -1;
    const int32_t offset = m_text.offsetOf(row, byteColumn);
    if (n <= 0) return m_text.firstRowOfLine(m_text.rowOfOffset(offset));
    const int32_t first = m_text.insertAt(offset, p, n);
    if (first < 0) {
        tooLarge();
        return -1;
    }
    // The record keeps the bytes as stored (NULs blanked, lone LFs as CR),
    // so that redo puts back exactly this text.
    if (kind != 0) m_undo.add(kind, row, offset, m_text.data() + offset, n);
    else m_undo.invalidate();
    afterEdit(false);
    return first;
}

int32_t CLuDoc::deleteRecorded(int32_t row, int32_t byteColumn, int32_t n, int32_t kind) {
    if (!editable()) return -1;
    const int32_t offset = m_text.offsetOf(row, byteColumn);
    n = m_text.deletionLength(offset, n);
    if (n <= 0) return m_text.firstRowOfLine(m_text.rowOfOffset(offset));
    if (kind != 0) m_undo.add(kind, row, offset, m_text.data() + offset, n);
    else m_undo.invalidate();
    const int32_t first = m_text.removeAt(offset, n);
    afterEdit(false);
    return first;
}

int32_t CLuDoc::insertRecordedAt(int32_t offset, const char* p, int32_t n, int32_t kind) {
    const TextPosition at = m_text.positionOf(offset);
    return insertRecorded(at.row, at.byteColumn, p, n, kind);
}

int32_t CLuDoc::deleteRecordedAt(int32_t offset, int32_t n, int32_t kind) {
    const TextPosition at = m_text.positionOf(offset);
    return deleteRecorded(at.row, at.byteColumn, n, kind);
}

int32_t CLuDoc::openInsertionGap(int32_t row, int32_t byteColumn, const char* p, int32_t n, int32_t groupBits) {
    if (n <= 0 || m_text.insertionGap().open) return -1;
    const int32_t offset = m_text.offsetOf(row, byteColumn);
    const int32_t first = insertRecorded(row, byteColumn, p, n, groupBits | undokind::kInsertionGap | undokind::kInsert);
    if (first >= 0) m_text.openInsertionGap(offset, n);
    return first;
}

int32_t CLuDoc::closeInsertionGap(int32_t groupBits) {
    const InsertionGap gap = m_text.insertionGap();
    if (!gap.open) return -1;
    const TextPosition at = m_text.positionOf(gap.offset);
    const int32_t first =
        deleteRecorded(at.row, at.byteColumn, gap.length, groupBits | undokind::kInsertionGap | undokind::kDelete);
    m_text.forgetInsertionGap();
    return first;
}

// ---- Modified state and title

void CLuDoc::setModified(bool modified) {
    if (modified == m_modified) return;
    m_modified = modified;
    if (m_platform.ui) m_platform.ui->updateTitle(this);
}

void CLuDoc::markSaved() {
    if (m_settings.keepUndo) m_undo.clear();
    else m_undo.markSaved();
    if (m_modified && m_settings.keepModifyMk) clearModifiedMarks();
    setModified(false);
}

void CLuDoc::markLoaded() {
    m_undo.clear();
    setModified(false);
}

void CLuDoc::clearModifiedMarks() {
    if (!m_text.modifiedRowsPresent()) return;
    m_text.clearModifiedBits();
    notifyRows(0, -1);
}

void CLuDoc::setTitleBase(std::string base, bool hasPath) {
    m_titleBase = std::move(base);
    m_titleHasPath = hasPath;
    if (m_platform.ui) m_platform.ui->updateTitle(this);
}

std::string CLuDoc::title() const {
    if (!m_modified) return m_titleBase;
    if (m_titleHasPath) return m_titleBase + " *" + std::string(strings::text(strings::kModifiedMarker));
    return m_titleBase + "*";
}

// ---- Marks and row searches

int32_t CLuDoc::toggleMark(int32_t r) {
    if (m_text.size() <= 1 || r < 0 || r >= m_text.rowCount()) return -1;
    const int32_t f = m_text.firstRowOfLine(r);
    m_text.setMark(f, !(m_text.rowFlags(f) & rowflag::kMarked));
    notifyRows(f, f);
    return f;
}

void CLuDoc::clearAllMarks() {
    if (m_text.markedRowCount() <= 0) return;
    m_text.clearMarks();
    notifyRows(0, -1);
}

int32_t CLuDoc::findRow(int32_t from, int32_t mask, bool forward) const {
    const int32_t n = m_text.availableRowCount();
    if (n <= 0) return -1;
    from = std::clamp(from, 0, n - 1);
    auto hit = [&](int32_t r) { return (m_text.rowFlags(r) & mask) != 0; };
    if (forward) {
        for (int32_t r = from + 1; r < n; ++r)
            if (hit(r)) return r;
        for (int32_t r = 0; r < from; ++r)
            if (hit(r)) return r;
    } else {
        for (int32_t r = from - 1; r >= 0; --r)
            if (hit(r)) return r;
        for (int32_t r = n - 1; r > from; --r)
            if (hit(r)) return r;
    }
    return -1;
}

int32_t CLuDoc::nextMarkRow(int32_t from, bool forward) const {
    return m_text.markedRowCount() > 0 ? findRow(from, rowflag::kMarked, forward) : -1;
}

int32_t CLuDoc::nextTitleRow(int32_t from, bool forward) const {
    return m_text.titleRowCount() > 0 ? findRow(from, rowflag::kClassMask, forward) : -1;
}

int32_t CLuDoc::nextModifiedRow(int32_t from, bool forward) const {
    return m_text.modifiedRowsPresent() ? findRow(from, rowflag::kModified, forward) : -1;
}

int32_t CLuDoc::lastModifiedRow() const {
    if (!m_text.modifiedRowsPresent() || m_undo.position() <= 0) return -1;
    const int32_t n = m_text.availableRowCount();
    return std::clamp(m_undo.lastChangeRow(), 0, std::max(0, n - 1));
}

// ---- Views

void CLuDoc::addObserver(DocumentObserver* view) {
    if (view && std::find(m_observers.begin(), m_observers.end(), view) == m_observers.end())
        m_observers.push_back(view);
}

void CLuDoc::removeObserver(DocumentObserver* view) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), view), m_observers.end());
}

void CLuDoc::notifyEdited(DocumentObserver* source) {
    if (m_closing) return;
    const ChangeInfo change = m_text.lastChange();
    // A copy: a view may unregister while being told.
    const std::vector<DocumentObserver*> views = m_observers;
    for (DocumentObserver* v : views)
        if (v != source) v->documentEdited(*this, change);
}

void CLuDoc::notifyRows(int32_t first, int32_t last) {
    if (m_closing) return;
    const std::vector<DocumentObserver*> views = m_observers;
    for (DocumentObserver* v : views) v->documentRowsChanged(*this, first, last);
}

}  // namespace orvex
