// The search commands' table, the dialog commands and the key-macro
// records they write.
#include "common/platform/MessageBoxes.h"
#include "search/SearchCommandIds.h"
#include "search/ViewSearch.h"
#include "text/CLuView.h"

namespace orvex::search {

const CommandTable<ViewSearch>& ViewSearch::commandTable() {
    using S = ViewSearch;
    static const CommandTable<ViewSearch> table{
        {cmd::kFind, cmd::kFind, &S::cmdFindDialog, &S::updateDialog},
        {cmd::kFindNext, cmd::kFindPrevious, &S::cmdFindNext, &S::updateFindNext},
        {cmd::kFindSelectedForward, cmd::kFindSelectedBackward, &S::cmdFindSelected, nullptr},
        {cmd::kCopyToFindBox, cmd::kCopyToFindBox, &S::cmdCopyToFindBox, nullptr},
        {cmd::kSearchAndMark, cmd::kSearchAndMark, &S::cmdSearchAndMark, &S::updateFindNext},
        {cmd::kReplace, cmd::kReplace, &S::cmdReplaceDialog, &S::updateDialog},
        {cmd::kReplaceForward, cmd::kReplaceAll, &S::cmdReplace, &S::updateFindNext},
        {cmd::kBatchReplace, cmd::kBatchReplace, &S::cmdBatch, &S::updateDialog},
    };
    return table;
}

CommandGate ViewSearch::commandGate() const { return m_view.commandGate(); }

bool ViewSearch::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ViewSearch::onUpdateCommand(CommandId id, CommandState& state) { return commandTable().update(*this, id, state); }

void ViewSearch::updateFindNext(CommandId, CommandState& s) { s.enabled = !m_services.state->searchString().empty(); }

void ViewSearch::updateDialog(CommandId, CommandState& s) { s.enabled = m_services.dialogs != nullptr; }

void ViewSearch::cmdFindNext(CommandId id) {
    find(id == cmd::kFindNext, m_services.state->optionSet(OptionSet::Find));
}

void ViewSearch::cmdFindSelected(CommandId id) {
    takeSelectionAsSearch(true, id == cmd::kFindSelectedForward);
}

// Records itself as a search-string record (the text, not the command).
void ViewSearch::cmdCopyToFindBox(CommandId) { takeSelectionAsSearch(false, true); }

void ViewSearch::cmdSearchAndMark(CommandId id) {
    searchAndMark(m_services.state->optionSet(OptionSet::Find));
}

void ViewSearch::cmdReplace(CommandId id) {
    // The replacement string first, then the command.
    recordText(cmd::kReplacementRecord, m_services.state->replaceString());
    recordCommand(id);
    if (id == cmd::kReplaceAll) replaceWithConfirmation(true, true);
    else replaceWithConfirmation(id == cmd::kReplaceForward, false);
}

void ViewSearch::cmdFindDialog(CommandId) {
    if (!m_services.dialogs) return;
    SearchState& st = *m_services.state;
    FindDialogData d;
    // Prefilled with a selection on one line, else the current string.
    const std::string sel = m_view.hasSelection() && !m_view.boxSelection() ? m_view.selectedText() : std::string();
    d.text = !sel.empty() && sel.find_first_of("\r\n\f") == std::string::npos ? sel : st.searchString();
    d.history = st.searchHistory();
    d.flags = st.optionSet(OptionSet::Find);
    const FindAction action = m_services.dialogs->askFind(d);
    if (action == FindAction::Cancel || d.text.empty()) return;
    st.setFlags(d.flags);
    st.saveOptionSet(OptionSet::Find);
    st.addSearchString(d.text);
    recordText(cmd::kCopyToFindBox, st.searchString());
    const SearchFlags flags = st.optionSet(OptionSet::Find);
    switch (action) {
        case FindAction::Forward:
            find(true, flags);
            recordCommand(cmd::kFindNext);
            break;
        case FindAction::Backward:
            find(false, flags);
            recordCommand(cmd::kFindPrevious);
            break;
        case FindAction::Mark:
            searchAndMark(flags);
            recordCommand(cmd::kSearchAndMark);
            break;
        case FindAction::Cancel: break;
    }
}

void ViewSearch::cmdReplaceDialog(CommandId) {
    if (!m_services.dialogs) return;
    SearchState& st = *m_services.state;
    ReplaceDialogData d;
    const std::string sel = m_view.hasSelection() && !m_view.boxSelection() ? m_view.selectedText() : std::string();
    d.text = !sel.empty() && sel.find_first_of("\r\n\f") == std::string::npos ? sel : st.searchString();
    d.history = st.searchHistory();
    d.replacement = st.replaceString();
    d.replaceHistory = st.replaceHistory();
    d.flags = st.optionSet(OptionSet::Replace);
    d.specialCharacters = st.specialCharacters();
    const ReplaceAction action = m_services.dialogs->askReplace(d);
    if (action == ReplaceAction::Cancel || d.text.empty()) return;
    st.setFlags(d.flags);
    st.saveOptionSet(OptionSet::Replace);
    st.setSpecialCharacters(d.specialCharacters);
    st.addSearchString(d.text);
    st.setReplaceString(d.replacement);
    st.addReplaceString(d.replacement);
    recordText(cmd::kCopyToFindBox, st.searchString());
    const CommandId id = action == ReplaceAction::All        ? cmd::kReplaceAll
                         : action == ReplaceAction::Backward ? cmd::kReplaceBackward
                                                             : cmd::kReplaceForward;
    cmdReplace(id);
}

void ViewSearch::cmdBatch(CommandId id) {
    if (!m_services.dialogs) return;
    SearchState& st = *m_services.state;
    BatchDialogData d;
    d.pairs = st.batchPairs();
    d.selectionOnly = st.batchSelectionOnly();
    const BatchAction action = m_services.dialogs->askBatch(d);
    if (action == BatchAction::Cancel) return;
    st.batchPairs() = d.pairs;
    st.setBatchSelectionOnly(d.selectionOnly);
    if (action == BatchAction::Run) {
        runBatch();
        recordCommand(id);
    }
}

}  // namespace orvex::search
