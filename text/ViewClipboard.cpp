// Clipboard and scrap commands, and the rectangular form of paste.
#include <algorithm>

#include "display/ColumnWalk.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"

namespace orvex {

namespace {

// Cuts text into pieces at each line end: a CR with the LFs after it, or a
// lone LF (text from other programs often has LF line ends). A final empty
// piece (text that ends with a line end) is dropped.
std::vector<std::string_view> pieces(std::string_view text) {
    std::vector<std::string_view> out;
    size_t start = 0, i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            out.push_back(text.substr(start, i - start));
            ++i;
            while (i < text.size() && text[i] == '\n') ++i;
            start = i;
            continue;
        }
        ++i;
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

}  // namespace

void CLuView::copySelection(bool append) {
    if (!hasSelection() || !m_platform.clipboard) return;
    std::string text = selectedText();
    bool rectangle = boxSelection();
    if (append) {
        const std::optional<std::string> old = m_platform.clipboard->textFor(m_doc.privateChars());
        if (old) {
            rectangle = rectangle && m_platform.clipboard->isRectangle();
            text = *old + text;
        }
    }
    m_platform.clipboard->setTextFrom(text, rectangle, m_doc.privateChars());
}

void CLuView::cmdCopy(CommandId id) {
    if (!hasSelection()) return;
    copySelection(id == cmd::kAppendCopy);
    if (globalOptions().cancelSel) clearSelection();
}

void CLuView::cmdCut(CommandId id) {
    if (!hasSelection()) return;
    copySelection(id == cmd::kAppendCut);
    deleteSelection();
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::paste() {
    if (!m_platform.clipboard) return;
    const std::optional<std::string> text = m_platform.clipboard->textFor(m_doc.privateChars());
    if (!text || text->empty()) return;
    if (!boxSelection() && !m_platform.clipboard->isRectangle()) {
        if (hasSelection()) {
            const int32_t a = selectionStartOffset();
            const int32_t n = selectionEndOffset() - a;
            m_cursor = positionAtOffset(a);
            replaceText(*text, n);
        } else {
            insertText(*text);
        }
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    // The rectangular form: a selection is deleted first, and one undo step
    // takes back both.
    int groupBits = 0;
    if (hasSelection() && deleteSelection()) groupBits = editflag::kGrouped;
    pasteRectangle(*text, groupBits);
}

void CLuView::pasteRectangle(std::string_view text, int groupBits) {
    // Piece 1 goes into the cursor's row, each further piece into the first
    // row of the next logical line, all at the cursor's display column;
    // narrower rows are filled with blanks up to it, and pieces beyond the
    // end of the text get lines of their own. One recorded replace covers
    // every row concerned.
    const TextStore& t = m_doc.text();
    const std::vector<std::string_view> parts = pieces(text);
    if (parts.empty()) return;
    m_cursor = clampedPosition(m_cursor, true);
    const int32_t column = m_cursor.displayColumn;
    const int32_t start = t.row(m_cursor.row).offset;
    const int32_t textEnd = t.size() - 1;
    std::string out;
    int32_t copied = start;
    int32_t firstEnd = 0;
    int32_t r = m_cursor.row;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (r < availableRows()) {
            const Row row = t.row(r);
            const int32_t endCol = t.endColumn(r);
            const int32_t endDisp = t.endDisplayColumn(r);
            int32_t at;
            std::string fill;
            if (endDisp >= column) {
                at = byteColumnAt(t.bytes() + row.offset, endCol, column, t.tabWidth(), false).byteColumn;
            } else {
                at = endCol;
                fill.assign(size_t(column - endDisp), ' ');
            }
            out.append(t.data() + copied, size_t(row.offset + at - copied));
            out += fill;
            out.append(parts[k]);
            copied = row.offset + at;
            r = t.lastRowOfLine(r) + 1;
        } else {
            out.append(t.data() + copied, size_t(textEnd - copied));
            copied = textEnd;
            out += "\r\n";
            out.append(size_t(column), ' ');
            out.append(parts[k]);
        }
        if (k == 0) firstEnd = int32_t(out.size());
    }
    m_cursor = positionAtOffset(start);
    if (replaceText(out, copied - start, true, editflag::kRecord | groupBits) >= 0) placeCursorAtOffset(start + firstEnd);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::cmdPaste(CommandId) { paste(); }

void CLuView::extendedPaste() {
    if (!m_platform.clipboard) return;
    const std::optional<std::string> text = m_platform.clipboard->textFor(m_doc.privateChars());
    if (!text || text->empty()) return;
    // Each line, with its line end, is typed: overwrite mode, indentation
    // and the automatic line break apply. A lone LF ends a line too.
    const std::string& s = *text;
    size_t start = 0;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '\r' || c == '\f' || c == '\n') {
            std::string piece = s.substr(start, i - start);
            piece += c == '\f' ? '\f' : '\r';
            ++i;
            while (i < s.size() && s[i] == '\n') ++i;
            typeText(piece);
            start = i;
            continue;
        }
        ++i;
    }
    if (start < s.size()) typeText(std::string_view(s).substr(start));
}

void CLuView::cmdExtendedPaste(CommandId) { extendedPaste(); }

void CLuView::cmdScrap(CommandId id) {
    EditorHooks* hooks = m_ctx.hooks;
    if (!hooks) return;
    switch (id) {
    case cmd::kCopyToScrap:
    case cmd::kCutToScrap:
        if (!hasSelection()) return;
        hooks->addScrap(selectedText());
        if (id == cmd::kCutToScrap) {
            deleteSelection();
            updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        }
        break;
    case cmd::kPasteFromScrap:
        if (const std::optional<std::string> entry = hooks->currentScrap(); entry && !entry->empty()) {
            insertText(*entry);
            updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        }
        break;
    default:
        break;
    }
}

void CLuView::cmdCopyAll(CommandId) {
    if (m_platform.clipboard) m_platform.clipboard->setTextFrom(std::string(m_doc.text().view()), false, m_doc.privateChars());
    m_ctx.state->boxMode = false;
    m_sel.setViewBox(false);
    clearSelection();
}

}  // namespace orvex
