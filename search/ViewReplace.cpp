// Replacing: replace with confirmation (and its replace-all button) and
// batch replace.
#include <algorithm>

#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "search/BatchReplace.h"
#include "search/DocumentSearch.h"
#include "search/ReplacePlan.h"
#include "search/Replacement.h"
#include "search/SearchTexts.h"
#include "search/ViewSearch.h"
#include "text/CLuView.h"

namespace orvex::search {

namespace {

// The view follows a change made on its document: rows, scroll sizes and a
// repaint; then the caret goes to caret with no selection.
void followEdit(CLuView& view, int32_t caret) {
    CLuDoc& doc = view.document();
    view.documentEdited(doc, doc.text().lastChange());
    view.placeCursorAtOffset(caret);
    view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

ConfirmChoice askConfirmation(MessageBoxes* box) {
    if (!box) return ConfirmChoice::Close;
    ChoiceRequest r;
    r.title = std::string(texts::kConfirmTitle);
    for (std::string_view b : texts::kConfirmButtons) r.buttons.emplace_back(b);
    r.icon = MsgIcon::Question;
    r.defaultButton = int(ConfirmChoice::ReplaceAndNext);
    r.cancelButton = int(ConfirmChoice::Close);
    const int answer = box->choose(r);
    return answer >= 0 && answer <= int(ConfirmChoice::Close) ? ConfirmChoice(answer) : ConfirmChoice::Close;
}

}  // namespace

int32_t ViewSearch::replaceOne(const Match& m, const std::string& replacement, bool forward) {
    CLuDoc& doc = m_view.document();
    const int32_t before = doc.text().length();
    const bool ok = replaceMatch(doc, m, replacement);
    const int32_t delta = doc.text().length() - before;
    if (!ok && delta == 0) return -1;  // nothing changed (read-only, or the insertion alone refused)
    m_range.end += delta;
    doc.notifyEdited(&m_view);
    const int32_t caret = ok && forward ? m.offset + int32_t(replacement.size()) : m.offset;
    followEdit(m_view, caret);
    m_last = Match{};
    if (!ok) return -1;
    ++m_count;
    return caret;
}

int32_t ViewSearch::stepAfter(const Match& m, int32_t caret, bool forward) const {
    // An empty match, or a regular expression ending in "$", would be found
    // again right where the replacement ended.
    if (m.length > 0 && !m_pattern.endsWithLineEnd()) return caret;
    const TextStore& t = m_view.document().text();
    if (forward) return caret < m_range.end ? nextCharOffset(t, caret) : m_range.end + 1;
    return caret > m_range.begin ? previousCharOffset(t, caret) : m_range.begin - 1;
}

void ViewSearch::replaceWithConfirmation(bool forward, bool fromStart) {
    SearchState& st = *m_services.state;
    const SearchFlags flags = st.optionSet(OptionSet::Replace);
    if (st.searchString().empty() || !compile(flags)) return;
    updateHighlight();
    const std::string rep = storedReplacement(expandReplacement(st.replaceString(), st.specialCharacters()));
    m_count = 0;
    m_forward = forward = fromStart ? true : forward;
    m_range = computeRange(forward, flags);
    if (fromStart) {
        if (!(flags.inSelection && m_view.hasSelection())) m_range.begin = 0;
        m_last = Match{};
    }
    Match m = searchFrom(forward, fromStart ? m_range.begin : caretOffset(), m_range);
    if (m.found()) {
        selectMatch(m);
    } else {
        if (!wrapAround(forward, flags, m_range)) return;
        m = m_last;
    }
    if (m.length == 0 && rep.empty()) {
        if (messages()) messages()->showId(strings::kCannotReplaceCombination, MsgIcon::Exclamation);
        return;
    }
    MessageBoxes* box = messages();
    bool done = false;
    while (!done) {
        bool noMore = false;
        switch (askConfirmation(box)) {
            case ConfirmChoice::ReplaceAndNext: {
                const int32_t caret = replaceOne(m, rep, forward);
                if (caret < 0) {
                    done = true;
                    break;
                }
                const int32_t from = stepAfter(m, caret, forward);
                m = (from < m_range.begin || from > m_range.end) ? Match{} : searchFrom(forward, from, m_range);
                if (m.found()) selectMatch(m);
                else noMore = true;
                break;
            }
            case ConfirmChoice::FindNext:
                m = searchFrom(forward, caretOffset(), m_range);
                if (m.found()) selectMatch(m);
                else noMore = true;
                break;
            case ConfirmChoice::ReplaceAndClose:
                replaceOne(m, rep, forward);
                done = true;
                break;
            case ConfirmChoice::ReplaceAll: {
                ReplaceAllRequest req;
                req.pattern = &m_pattern;
                req.replacement = rep;
                req.rangeBegin = m_range.begin;
                req.rangeEnd = m_range.end;
                req.forward = forward;
                req.current = m;
                req.from = forward ? m.offset : m.end();
                CLuDoc& doc = m_view.document();
                const ReplaceAllResult res = replaceAll(doc, req, ReplaceStrategy::Automatic, &m_view);
                m_count += res.count;
                m_range.end = res.rangeEnd;
                if (res.count > 0 || res.refused) followEdit(m_view, res.caret);
                m_last = Match{};
                done = true;
                break;
            }
            case ConfirmChoice::Close: done = true; break;
        }
        // Closed because nothing more was found: the wrap-around question;
        // on Yes and a match the dialog opens again.
        if (noMore) {
            if (wrapAround(forward, flags, m_range)) {
                m = m_last;
            } else {
                done = true;
            }
        }
    }
    if (box) box->showId(strings::kReplacedCount, MsgIcon::Information, MsgButtons::Ok, {std::to_string(m_count)});
}

int32_t ViewSearch::runBatch() {
    SearchState& st = *m_services.state;
    CLuDoc& doc = m_view.document();
    int32_t begin = 0, end = doc.text().length();
    // Selection only: the selection's stream range (a box gives the text from
    // its ordered start to its end); never the text outside it.
    if (st.batchSelectionOnly() && m_view.hasSelection()) {
        begin = m_view.selectionStartOffset();
        end = m_view.selectionEndOffset();
    }
    const BatchResult r = batchReplace(doc, begin, end, st.batchPairs());
    if (r.count == 0) return 0;
    doc.notifyEdited(&m_view);
    followEdit(m_view, r.caret);
    m_last = Match{};
    if (messages())
        messages()->showId(strings::kReplacedCount, MsgIcon::Information, MsgButtons::Ok, {std::to_string(r.count)});
    return r.count;
}

}  // namespace orvex::search
