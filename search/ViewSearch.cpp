// Finding: find next and previous, the wrap-around question, finding the
// selection, search and mark.
#include "search/ViewSearch.h"

#include <algorithm>

#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "search/DocumentSearch.h"
#include "search/SearchCommandIds.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"

namespace orvex::search {

ViewSearch::ViewSearch(CLuView& view, const SearchServices& services) : m_view(view), m_services(services) {
    m_view.addCommandExtension(this);
    m_view.document().addObserver(this);
}

ViewSearch::~ViewSearch() {
    m_view.document().removeObserver(this);
    m_view.removeCommandExtension(this);
}

MessageBoxes* ViewSearch::messages() const { return m_view.document().platform().messages; }

bool ViewSearch::recording() const {
    const KeyMacroHook* k = m_view.context().keyMacro;
    return k && k->recordingSlot() != 0;
}

void ViewSearch::recordCommand(CommandId id) {
    if (recording()) m_view.context().keyMacro->record(id, 0);
}

void ViewSearch::recordText(CommandId code, const std::string& text) {
    if (recording()) m_view.context().keyMacro->recordText(code, text);
}

bool ViewSearch::compile(const SearchFlags& flags) {
    return m_pattern.compileOrReport(m_services.state->searchString(), flags.pattern(), messages());
}

void ViewSearch::updateHighlight() {
    // The state's listeners repaint every view when it changes.
    if (m_services.highlightFound) m_services.state->setHighlight(m_services.state->searchString());
}

int32_t ViewSearch::caretOffset() const { return nav::offsetOf(m_view.document().text(), m_view.cursor()); }

ViewSearch::Range ViewSearch::computeRange(bool forward, const SearchFlags& flags) const {
    const TextStore& t = m_view.document().text();
    if (flags.inSelection && m_view.hasSelection()) {
        // The selection's text in stream order, from its start to its end; a
        // box selection gives the text from its ordered start to its end, so
        // that nothing before or after the box is ever touched.
        // Finding again inside the selection keeps the range the first find
        // used, not the match it selected.
        if (m_last.found() && m_view.selectionStartOffset() == m_last.offset &&
            m_view.selectionEndOffset() == m_last.end())
            return m_range;
        return {m_view.selectionStartOffset(), m_view.selectionEndOffset()};
    }
    const int32_t rows = m_view.availableRows();
    const int32_t end = rows > 0 ? nav::offsetOf(t, nav::rowEnd(t, rows - 1)) : 0;
    const int32_t caret = std::min(caretOffset(), end);
    return forward ? Range{caret, end} : Range{0, caret};
}

Match ViewSearch::searchFrom(bool forward, int32_t caret, const Range& range) {
    const TextStore& t = m_view.document().text();
    PatternMatcher matcher(m_pattern, subjectOf(t));
    SearchRange r;
    r.begin = range.begin;
    r.end = range.end;
    if (forward) {
        int32_t from = std::clamp(caret, range.begin, range.end);
        // Standing on the match found last (still selected, or empty), the
        // next one lies further on.
        const bool onLast = m_last.found() && from == m_last.offset &&
                            (m_last.length == 0 ? !m_view.hasSelection()
                                                : m_view.hasSelection() && m_view.selectionStartOffset() == m_last.offset &&
                                                      m_view.selectionEndOffset() == m_last.end());
        if (onLast) {
            if (from >= range.end) return {};
            from = nextCharOffset(t, from);
        }
        r.begin = from;
        return matcher.findForward(r);
    }
    r.end = std::clamp(caret, range.begin, range.end);
    return matcher.findBackward(r);
}

void ViewSearch::selectMatch(const Match& m) {
    // The anchor at the end of the match, the cursor at its start, the row
    // away from the window edges.
    m_view.placeCursorAtOffset(m.end());
    m_view.updateCursor(false, ScrollMode::None, SelectionUpdate::Clear);
    m_view.placeCursorAtOffset(m.offset);
    m_view.updateCursor(true, ScrollMode::Centred, SelectionUpdate::Extend);
    m_last = m;
}

bool ViewSearch::wrapAround(bool forward, const SearchFlags& flags, Range& range) {
    MessageBoxes* box = messages();
    if (!(flags.messages & kNoWrapQuestion)) {
        const MsgResult answer =
            box ? box->showId(forward ? strings::kSearchedToEnd : strings::kSearchedToTop, MsgIcon::Question,
                              MsgButtons::YesNoCancel)
                : MsgResult::Cancel;
        if (answer != MsgResult::Yes) return false;
        // Once more over the whole document (over the whole selection with
        // the in-selection option).
        const TextStore& t = m_view.document().text();
        const TextPosition saved = m_view.cursor();
        if (!(flags.inSelection && m_view.hasSelection())) {
            const int32_t rows = m_view.availableRows();
            range = {0, rows > 0 ? nav::offsetOf(t, nav::rowEnd(t, rows - 1)) : 0};
        }
        m_last = Match{};
        const Match m = searchFrom(forward, forward ? range.begin : range.end, range);
        if (m.found()) {
            selectMatch(m);
            return true;
        }
        m_view.placeCursor(saved.row, saved.byteColumn);
    }
    if (!(flags.messages & kNoFailureMessage) && box) box->showId(strings::kNoMatch, MsgIcon::Information);
    return false;
}

bool ViewSearch::find(bool forward, const SearchFlags& flags) {
    if (m_services.state->searchString().empty()) return false;
    if (!compile(flags)) return false;
    updateHighlight();
    m_forward = forward;
    m_range = computeRange(forward, flags);
    const Match m = searchFrom(forward, caretOffset(), m_range);
    if (m.found()) {
        selectMatch(m);
        return true;
    }
    return wrapAround(forward, flags, m_range);
}

void ViewSearch::takeSelectionAsSearch(bool search, bool forward) {
    const TextStore& t = m_view.document().text();
    std::string text;
    if (m_view.hasSelection()) {
        text = m_view.selectedText();
        // Finding from here passes over the selected text itself.
        if (!m_view.boxSelection()) m_last = {m_view.selectionStartOffset(), int32_t(text.size())};
    } else {
        const TextRange w = wordAt(t, caretOffset());
        text.assign(t.data() + w.begin, size_t(w.end - w.begin));
        if (text.empty()) return;
        if (search) {
            // Selected like a match, so that finding passes over it.
            selectMatch({w.begin, w.end - w.begin});
        }
    }
    if (text.empty()) return;
    m_services.state->addSearchString(text);
    if (search) {
        find(forward, m_services.state->optionSet(OptionSet::Find));
    } else {
        recordText(cmd::kCopyToFindBox, text);
    }
}

int32_t ViewSearch::searchAndMark(const SearchFlags& flags) {
    if (m_services.state->searchString().empty() || !compile(flags)) return 0;
    updateHighlight();
    CLuDoc& doc = m_view.document();
    TextStore& t = doc.text();
    Range range = computeRange(true, flags);
    if (!(flags.inSelection && m_view.hasSelection())) range.begin = 0;
    m_view.clearSelection();
    m_view.placeCursor(0, 0);
    m_view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    m_last = Match{};
    PatternMatcher matcher(m_pattern, subjectOf(t));
    SearchRange r;
    r.end = range.end;
    int32_t found = 0, first = -1, last = -1;
    for (int32_t from = range.begin; from <= range.end;) {
        r.begin = from;
        const Match m = matcher.findForward(r);
        if (!m.found()) break;
        ++found;
        const int32_t row = t.rowOfOffset(m.offset);
        const int32_t marked = t.firstRowOfLine(row);
        t.setMark(marked, true);
        first = first < 0 ? marked : first;
        last = marked;
        // On with the next row.
        if (row + 1 >= t.rowCount()) break;
        from = t.rows().offset(row + 1);
    }
    if (found > 0) {
        for (DocumentObserver* v : doc.observers()) v->documentRowsChanged(doc, first, last);
    } else if (!(flags.messages & kNoFailureMessage) && messages()) {
        messages()->showId(strings::kNoMatch, MsgIcon::Information);
    }
    return found;
}

}  // namespace orvex::search
