// The view's command table: every command the view handles, with its
// update handler. What each command needs and how it is recorded are flags
// of its id in the command registry, applied by the table's gate.
//
// A command of a later subsystem that works on the view is one line in
// that subsystem's own table, offered to the view through
// addCommandExtension(); a command of the view itself is one line here.
#include <algorithm>

#include "text/CLuView.h"
#include "text/ViewCommandIds.h"

namespace orvex {

const CommandTable<CLuView>& CLuView::commandTable() {
    using V = CLuView;
    static const CommandTable<CLuView> table{
        // Jumps (go to line records its own jump-line record).
        {cmd::kGoToLine, cmd::kGoToLine, &V::cmdGoToLine, nullptr},
        {cmd::kFileTop, cmd::kFileBottom, &V::cmdJump, nullptr},
        {cmd::kJumpAgain, cmd::kJumpAgain, &V::cmdJumpAgain, &V::updateJumpAgain},
        {cmd::kScreenTop, cmd::kScreenBottom, &V::cmdJump, nullptr},
        // Modes and toggles.
        {cmd::kInsertOverwrite, cmd::kInsertOverwrite, &V::cmdInsertOverwrite, &V::updateInsertOverwrite},
        {cmd::kFreeCursor, cmd::kFreeCursor, &V::cmdFreeCursor, &V::updateFreeCursor},
        {cmd::kIndentedInsertion, cmd::kIndentedInsertion, &V::cmdIndentedInsertion, &V::updateIndentedInsertion},
        {cmd::kBoxMode, cmd::kBoxMode, &V::cmdBoxMode, &V::updateBoxMode},
        {cmd::kSelectionMode, cmd::kSelectionMode, &V::cmdSelectionMode, &V::updateSelectionMode},
        {cmd::kAutoIndent, cmd::kAutoLineBreak, &V::cmdModeToggle, &V::updateModeToggle},
        {cmd::kAutoWrap, cmd::kAutoWrap, &V::cmdModeToggle, &V::updateModeToggle},
        {cmd::kImeOnOff, cmd::kImeOnOff, &V::cmdIme, &V::updateIme},
        {cmd::kRegisterWord, cmd::kRegisterWord, &V::cmdRegisterWord, nullptr},
        // Marks, title rows, modified rows, undo and redo.
        {cmd::kMarkToggle, cmd::kMarkToggle, &V::cmdMarks, &V::updateMarks},
        {cmd::kMarkNext, cmd::kMarkPrevious, &V::cmdMarks, &V::updateMarks},
        {cmd::kMarkClearAll, cmd::kMarkClearAll, &V::cmdMarks, &V::updateMarks},
        {cmd::kTitleNext, cmd::kTitlePrevious, &V::cmdRowSearch, &V::updateRowSearch},
        {cmd::kModifiedNext, cmd::kModifiedLast, &V::cmdRowSearch, &V::updateRowSearch},
        {cmd::kUndo, cmd::kUndo, &V::cmdUndoRedo, &V::updateUndo},
        {cmd::kRedo, cmd::kRedo, &V::cmdUndoRedo, &V::updateRedo},
        // Selection and deletion.
        {cmd::kSelectToFileStart, cmd::kSelectToWordEnd, &V::cmdSelectTo, nullptr},
        {cmd::kDeleteToFileStart, cmd::kDeleteToWordEnd, &V::cmdDeleteTo, nullptr},
        {cmd::kDeleteBefore, cmd::kDeleteAt, &V::cmdDeleteChar, nullptr},
        {cmd::kSelectAll, cmd::kSelectAll, &V::cmdSelectAll, nullptr},
        {cmd::kClearAll, cmd::kClearAll, &V::cmdClearAll, nullptr},
        {cmd::kClearSelection, cmd::kClearSelection, &V::cmdClearSelection, nullptr},
        // Moves and scrolling.
        {cmd::kCharLeft, cmd::kNextLine, &V::cmdMove, nullptr},
        {cmd::kPageUp, cmd::kSelectPageDown, &V::cmdScroll, nullptr},
        {cmd::kSelectCharLeft, cmd::kSelectLineDown, &V::cmdMove, nullptr},
        {cmd::kSelectToNextLine, cmd::kSelectWordRight, &V::cmdMove, nullptr},
        {cmd::kHalfPageUp, cmd::kHalfPageDown, &V::cmdScroll, nullptr},
        {cmd::kQuarterPageUp, cmd::kQuarterPageDown, &V::cmdScroll, nullptr},
        {cmd::kRowScrollUp, cmd::kEighthPageDown, &V::cmdScroll, nullptr},
        // Typing commands.
        {cmd::kEnter, cmd::kEnter, &V::cmdTypeLineEnd, nullptr},
        {cmd::kTab, cmd::kTab, &V::cmdTab, nullptr},
        {cmd::kBlankLine, cmd::kBlankLine, &V::cmdBlankLine, nullptr},
        {cmd::kDuplicateLine, cmd::kDuplicateLine, &V::cmdDuplicateLine, nullptr},
        {cmd::kPageBreak, cmd::kPageBreak, &V::cmdPageBreak, nullptr},
        {cmd::kCodeInput, cmd::kCodeInput, &V::cmdCodeInput, nullptr},
        // Clipboard and scrap.
        {cmd::kCopy, cmd::kCopy, &V::cmdCopy, nullptr},
        {cmd::kAppendCopy, cmd::kAppendCopy, &V::cmdCopy, nullptr},
        {cmd::kCut, cmd::kCut, &V::cmdCut, nullptr},
        {cmd::kAppendCut, cmd::kAppendCut, &V::cmdCut, nullptr},
        {cmd::kPaste, cmd::kPaste, &V::cmdPaste, &V::updatePaste},
        {cmd::kExtendedPaste, cmd::kExtendedPaste, &V::cmdExtendedPaste, &V::updatePaste},
        {cmd::kCutToScrap, cmd::kCutToScrap, &V::cmdScrap, nullptr},
        {cmd::kCopyToScrap, cmd::kCopyToScrap, &V::cmdScrap, nullptr},
        {cmd::kPasteFromScrap, cmd::kPasteFromScrap, &V::cmdScrap, &V::updateScrapPaste},
        {cmd::kCopyAll, cmd::kCopyAll, &V::cmdCopyAll, nullptr},
    };
    return table;
}

CommandGate CLuView::commandGate() const { return {m_doc.editable(), hasSelection(), m_ctx.keyMacro}; }

// A command that would change a read-only document does nothing; the caret
// is drawn again (it may have been hidden for the command).
void CLuView::commandRefused(CommandId) { refreshCaret(); }

bool CLuView::onCommand(CommandId id) {
    if (commandTable().dispatch(*this, id)) return true;
    for (CommandTarget* t : m_extensions)
        if (t->onCommand(id)) return true;
    return false;
}

bool CLuView::onUpdateCommand(CommandId id, CommandState& state) {
    if (commandTable().update(*this, id, state)) return true;
    for (CommandTarget* t : m_extensions)
        if (t->onUpdateCommand(id, state)) return true;
    return false;
}

void CLuView::addCommandExtension(CommandTarget* target) {
    if (target && std::find(m_extensions.begin(), m_extensions.end(), target) == m_extensions.end())
        m_extensions.push_back(target);
}

void CLuView::removeCommandExtension(CommandTarget* target) {
    m_extensions.erase(std::remove(m_extensions.begin(), m_extensions.end(), target), m_extensions.end());
}

}  // namespace orvex
