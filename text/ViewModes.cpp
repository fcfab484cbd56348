// Input modes and option toggles: insert/overwrite, indented insertion with
// its insertion gap, box and selection mode, free cursor, and the per-mode
// toggles (auto indent, automatic line break, automatic wrapping), with
// their update handlers.
#include <algorithm>

#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"
#include "text/WordMotion.h"

namespace orvex {

// ---- Insert/overwrite and the insertion gap

void CLuView::cmdInsertOverwrite(CommandId) {
    EditorState& st = *m_ctx.state;
    if (st.indentedInsertion) {
        if (m_doc.text().insertionGap().open) closeInsertionGap();
        else openInsertionGap();
    } else {
        st.insOver = st.insOver ? 0 : 1;
    }
    refreshCaret();  // the caret takes the mode's shape
    if (m_platform.ui) m_platform.ui->updateStatus();
}

void CLuView::openInsertionGap() {
    const TextStore& t = m_doc.text();
    if (!m_doc.editable() || t.insertionGap().open) return;
    m_cursor = clampedPosition(m_cursor, true);
    // At or beyond the end of a continued row the gap opens at the start of
    // the next row.
    if (!nav::endsLine(t, m_cursor.row) && m_cursor.byteColumn >= t.endColumn(m_cursor.row) &&
        m_cursor.row + 1 < availableRows())
        m_cursor = {m_cursor.row + 1, 0, 0};
    // A line break and blanks up to the cursor's column: what follows the
    // cursor continues on the next line at the same column.
    std::string gap = "\r\n";
    gap.append(size_t(m_cursor.displayColumn), ' ');
    // The cursor returns to its place in the text (the line end may
    // re-wrap the rows before it), with its free-cursor columns.
    const TextPosition here = m_cursor;
    const int32_t at = nav::offsetOf(t, here);
    const int32_t excess = std::max(0, here.byteColumn - t.endColumn(here.row));
    const int32_t rowsBefore = t.rowCount();
    const int32_t first =
        m_doc.openInsertionGap(here.row, std::min(here.byteColumn, t.endColumn(here.row)), gap.data(), int32_t(gap.size()));
    if (first < 0) return;
    placeCursorAtOffset(at);
    finishEdit(first, rowsBefore, true);
    TextPosition back = positionAtOffset(at);
    back.byteColumn += excess;
    m_cursor = clampedPosition(back, true);
    if (m_doc.layoutOptions().wordWrap || m_doc.layoutOptions().kinsoku) m_cursor = nav::rowEnd(t, m_cursor.row);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::closeInsertionGap() {
    const TextStore& t = m_doc.text();
    if (!t.insertionGap().open) return;
    // The end of the last available row is where the gap begins.
    m_cursor = textEnd();
    const int32_t at = t.insertionGap().offset;
    const int32_t rowsBefore = t.rowCount();
    const int32_t first = m_doc.closeInsertionGap();
    if (first < 0) return;
    placeCursorAtOffset(at);
    finishEdit(first, rowsBefore, true);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::cmdIndentedInsertion(CommandId) {
    EditorState& st = *m_ctx.state;
    st.indentedInsertion = !st.indentedInsertion;
    if (st.indentedInsertion) st.insOver = 1;
    else closeInsertionGap();
    refreshCaret();
    if (m_platform.ui) m_platform.ui->updateStatus();
}

// ---- Box and selection mode

void CLuView::cmdBoxMode(CommandId) {
    m_ctx.state->boxMode = !m_ctx.state->boxMode;
    // A selection that stops being a box takes the moving end's own column.
    if (!boxSelection()) {
        m_sel.setMoving(clampedPosition(m_sel.moving(), true));
    }
    repaintAll();
    mirrorSelectionToSibling();
}

void CLuView::cmdSelectionMode(CommandId) {
    m_ctx.state->selectionMode = !m_ctx.state->selectionMode;
    if (m_platform.ui) m_platform.ui->updateStatus();
}

// ---- Per-mode toggles

void CLuView::cmdFreeCursor(CommandId) {
    const bool on = modeOptions().freeCurs != 0;
    m_ctx.options->setModeOption(m_doc, ModeOption::FreeCurs, on ? 0 : 1);
    if (on && nav::beyondEnd(m_doc.text(), m_cursor)) {
        // The cursor comes back to the row's end.
        m_cursor = nav::rowEnd(m_doc.text(), m_cursor.row);
        updateCursor(true, ScrollMode::Visible, moveSelection(false));
    }
}

void CLuView::cmdModeToggle(CommandId id) {
    const ViewModeOptions m = modeOptions();
    switch (id) {
    case cmd::kAutoIndent:
        m_ctx.options->setModeOption(m_doc, ModeOption::AutoIndent, m.autoIndent ? 0 : 1);
        break;
    case cmd::kAutoLineBreak:
        m_ctx.options->setModeOption(m_doc, ModeOption::WrapCr, m.wrapCr ? 0 : 1);
        break;
    case cmd::kAutoWrap: {
        // Wrapping at the window width follows the view's columns; the
        // document is laid out again, and so is every other open document.
        const bool on = !m.adjCol;
        m_ctx.options->setModeOption(m_doc, ModeOption::AdjCol, on ? 1 : 0);
        LayoutOptions lo = m_doc.layoutOptions();
        lo.adjCol = on;
        m_doc.text().setLayout(lo, m_doc.text().wrapWidth());
        const int32_t w = on ? clampWrapWidth(m_view.visibleColumns() - 1) : clampWrapWidth(modeOptions().lineMax);
        applyWrapWidth(w, true);
        if (m_ctx.hooks) m_ctx.hooks->relayoutOpenDocuments();
        break;
    }
    default:
        break;
    }
}

// ---- Input method

void CLuView::cmdIme(CommandId) {
    if (m_ctx.host) m_ctx.host->setInputMethodOpen(!m_ctx.host->inputMethodOpen());
}

void CLuView::cmdRegisterWord(CommandId) {
    if (!m_ctx.host) return;
    std::string word;
    if (hasSelection()) {
        word = selectedText();
    } else {
        const TextStore& t = m_doc.text();
        const word::Range w = word::at(t, m_cursor, availableRows());
        const int32_t a = nav::offsetOf(t, w.start), b = nav::offsetOf(t, w.end);
        word.assign(t.data() + a, size_t(std::max(0, b - a)));
    }
    m_ctx.host->registerWord(word);
}

// ---- Update handlers

void CLuView::updateInsertOverwrite(CommandId, CommandState& s) {
    s.checked = m_ctx.state->insOver == 0 || m_doc.text().insertionGap().open;
}

void CLuView::updateBoxMode(CommandId, CommandState& s) { s.checked = m_ctx.state->boxMode; }

void CLuView::updateSelectionMode(CommandId, CommandState& s) { s.checked = m_ctx.state->selectionMode; }

void CLuView::updateFreeCursor(CommandId, CommandState& s) { s.checked = modeOptions().freeCurs != 0; }

void CLuView::updateIndentedInsertion(CommandId, CommandState& s) { s.checked = m_ctx.state->indentedInsertion; }

void CLuView::updateModeToggle(CommandId id, CommandState& s) {
    const ViewModeOptions m = modeOptions();
    switch (id) {
    case cmd::kAutoIndent: s.checked = m.autoIndent != 0; break;
    case cmd::kAutoLineBreak: s.checked = m.wrapCr != 0; break;
    case cmd::kAutoWrap: s.checked = m.adjCol != 0; break;
    default: break;
    }
}

void CLuView::updateIme(CommandId, CommandState& s) {
    s.enabled = m_ctx.host != nullptr;
    s.checked = m_ctx.host && m_ctx.host->inputMethodOpen();
}

}  // namespace orvex
