#pragma once
// The search commands of one editor view: find next and previous with the
// wrap-around question, finding the selection or the word at the caret,
// search and mark, replace with confirmation, replace all and batch
// replace, and the find and replace dialogs. Attached to its view as a
// command extension (CLuView::addCommandExtension), so that the view's
// command chain reaches it.
//
// Per view it keeps the search direction, the search range, the last match
// (so that finding again moves past it) and the count of the running
// replace. Everything else is the application's one SearchState.
#include <cstdint>
#include <string>

#include "common/commands/CommandTable.h"
#include "search/CompiledPattern.h"
#include "text/DocumentObserver.h"
#include "search/PatternMatcher.h"
#include "search/ReplaceAll.h"
#include "search/SearchDialogs.h"
#include "search/SearchState.h"

namespace orvex {
class CLuView;
class MessageBoxes;
class KeyMacroHook;
}  // namespace orvex

namespace orvex::search {

// What the search commands of every view share.
struct SearchServices {
    SearchState* state = nullptr;      // required
    SearchDialogs* dialogs = nullptr;  // null: the dialog commands do nothing
    // The found-text colour is in use (FindTextColor differs from
    // TextColor): every find sets the highlight string.
    bool highlightFound = false;
};

class ViewSearch final : public CommandTarget, public DocumentObserver {
public:
    ViewSearch(CLuView& view, const SearchServices& services);
    ~ViewSearch() override;
    ViewSearch(const ViewSearch&) = delete;
    ViewSearch& operator=(const ViewSearch&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<ViewSearch>& commandTable();
    // The view's state for the command gate.
    CommandGate commandGate() const;

    // Any change of the text makes the last match meaningless.
    void documentEdited(CLuDoc&, const ChangeInfo&) override { m_last = Match{}; }
    void documentRelaid(CLuDoc&) override { m_last = Match{}; }

    // ---- Operations (the commands' work; macros call them too)
    // Finds the search string with the given options from the caret;
    // selects the match. The wrap-around question and the failure message
    // follow the options' message flags. True when a match was selected.
    bool find(bool forward, const SearchFlags& flags);
    // Takes the selection or the word at the caret as the search string (and
    // into the history); with search, finds it.
    void takeSelectionAsSearch(bool search, bool forward);
    // Marks the first row of every logical line with a match; returns the
    // number of matches.
    int32_t searchAndMark(const SearchFlags& flags);
    // Replace with confirmation toward the end or the start; fromStart
    // starts at the document start (or the selection start with the
    // in-selection option) toward the end (replace all, 33003).
    void replaceWithConfirmation(bool forward, bool fromStart);
    // Runs the batch pairs over the selection (with the selection-only
    // option and a selection) or the whole document; returns the count.
    int32_t runBatch();

    // The found-text colour was switched on or off (the settings changed):
    // whether finds set the highlight string from now on.
    void setHighlightFound(bool on) { m_services.highlightFound = on; }

    // The length of the last match found by this view (-1 none).
    int32_t lastMatchLength() const { return m_last.found() ? m_last.length : -1; }
    bool forward() const { return m_forward; }

private:
    struct Range {
        int32_t begin = 0, end = 0;
    };
    // ---- Finding (ViewSearch.cpp)
    bool compile(const SearchFlags& flags);
    void updateHighlight();
    Range computeRange(bool forward, const SearchFlags& flags) const;
    int32_t caretOffset() const;
    Match searchFrom(bool forward, int32_t caret, const Range& range);
    void selectMatch(const Match& m);
    // Asks whether to wrap around (unless the flags say not to); on Yes
    // moves the caret to the start or end, searches again and selects a
    // match. Shows 30000 when it finally fails (unless the flags say not
    // to). True when a match was selected.
    bool wrapAround(bool forward, const SearchFlags& flags, Range& range);
    bool recording() const;
    void recordCommand(CommandId id);
    void recordText(CommandId code, const std::string& text);
    MessageBoxes* messages() const;

    // ---- Replacing (ViewReplace.cpp)
    int32_t replaceOne(const Match& m, const std::string& replacement, bool forward);
    int32_t stepAfter(const Match& m, int32_t caret, bool forward) const;

    // ---- Command handlers (ViewSearchCommands.cpp)
    void cmdFindDialog(CommandId id);
    void cmdFindNext(CommandId id);
    void cmdFindSelected(CommandId id);
    void cmdCopyToFindBox(CommandId id);
    void cmdSearchAndMark(CommandId id);
    void cmdReplaceDialog(CommandId id);
    void cmdReplace(CommandId id);
    void cmdBatch(CommandId id);
    void updateFindNext(CommandId id, CommandState& s);
    void updateDialog(CommandId id, CommandState& s);

    CLuView& m_view;
    SearchServices m_services;
    CompiledPattern m_pattern;
    bool m_forward = true;
    Range m_range;
    Match m_last;          // the last match this view selected
    int32_t m_count = 0;   // replacements of the running replace
};

}  // namespace orvex::search
