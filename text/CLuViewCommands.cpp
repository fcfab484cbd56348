// The view's command table: every command the view handles, with its
// update handler and flags, and the dispatch that records commands into a
// key macro.
//
// A command of a later subsystem that works on the view is one line in
// that subsystem's own table, offered to the view through
// addCommandExtension(); a command of the view itself is one line here.
#include <algorithm>

#include "text/CLuView.h"
#include "text/ViewCommandIds.h"

namespace orvex {

namespace {
// Recorded before the handler runs (undo, redo, row searches, the line
// inserts); other recorded commands are recorded after their work.
constexpr uint32_t kRecordFirst = 0x100;
constexpr uint32_t kRec = kCmdRecorded;
constexpr uint32_t kEdit = kCmdModifiesText | kCmdRecorded;
constexpr uint32_t kSel = kCmdNeedsSelection | kCmdRecorded;
}  // namespace

const CommandTable<CLuView>& CLuView::commandTable() {
    using V = CLuView;
    static const CommandTable<CLuView> table{
        // Jumps (go to line records its own jump-line record).
        {cmd::kGoToLine, cmd::kGoToLine, &V::cmdGoToLine, nullptr, kCmdNone},
        {cmd::kFileTop, cmd::kFileBottom, &V::cmdJump, nullptr, kRec},
        {cmd::kJumpAgain, cmd::kJumpAgain, &V::cmdJumpAgain, &V::updateJumpAgain, kRec},
        {cmd::kScreenTop, cmd::kScreenBottom, &V::cmdJump, nullptr, kRec},
        // Modes and toggles.
        {cmd::kInsertOverwrite, cmd::kInsertOverwrite, &V::cmdInsertOverwrite, &V::updateInsertOverwrite, kRec},
        {cmd::kFreeCursor, cmd::kFreeCursor, &V::cmdFreeCursor, &V::updateFreeCursor, kRec},
        {cmd::kIndentedInsertion, cmd::kIndentedInsertion, &V::cmdIndentedInsertion, &V::updateIndentedInsertion, kRec},
        {cmd::kBoxMode, cmd::kBoxMode, &V::cmdBoxMode, &V::updateBoxMode, kRec},
        {cmd::kSelectionMode, cmd::kSelectionMode, &V::cmdSelectionMode, &V::updateSelectionMode, kRec},
        {cmd::kAutoIndent, cmd::kAutoLineBreak, &V::cmdModeToggle, &V::updateModeToggle, kRec},
        {cmd::kAutoWrap, cmd::kAutoWrap, &V::cmdModeToggle, &V::updateModeToggle, kRec},
        {cmd::kImeOnOff, cmd::kImeOnOff, &V::cmdIme, &V::updateIme, kRec},
        {cmd::kRegisterWord, cmd::kRegisterWord, &V::cmdRegisterWord, nullptr, kRec},
        // Marks, title rows, modified rows, undo and redo.
        {cmd::kMarkToggle, cmd::kMarkToggle, &V::cmdMarks, &V::updateMarks, kRec},
        {cmd::kMarkNext, cmd::kMarkPrevious, &V::cmdMarks, &V::updateMarks, kRec | kRecordFirst},
        {cmd::kMarkClearAll, cmd::kMarkClearAll, &V::cmdMarks, &V::updateMarks, kRec},
        {cmd::kTitleNext, cmd::kTitlePrevious, &V::cmdRowSearch, &V::updateRowSearch, kRec | kRecordFirst},
        {cmd::kModifiedNext, cmd::kModifiedLast, &V::cmdRowSearch, &V::updateRowSearch, kRec | kRecordFirst},
        {cmd::kUndo, cmd::kUndo, &V::cmdUndoRedo, &V::updateUndo, kEdit | kRecordFirst},
        {cmd::kRedo, cmd::kRedo, &V::cmdUndoRedo, &V::updateRedo, kEdit | kRecordFirst},
        // Selection and deletion.
        {cmd::kSelectToFileStart, cmd::kSelectToWordEnd, &V::cmdSelectTo, nullptr, kRec},
        {cmd::kDeleteToFileStart, cmd::kDeleteToWordEnd, &V::cmdDeleteTo, nullptr, kEdit},
        {cmd::kDeleteBefore, cmd::kDeleteAt, &V::cmdDeleteChar, nullptr, kEdit},
        {cmd::kSelectAll, cmd::kSelectAll, &V::cmdSelectAll, nullptr, kRec},
        {cmd::kClearAll, cmd::kClearAll, &V::cmdClearAll, nullptr, kEdit},
        {cmd::kClearSelection, cmd::kClearSelection, &V::cmdClearSelection, nullptr, kRec},
        // Moves and scrolling.
        {cmd::kCharLeft, cmd::kNextLine, &V::cmdMove, nullptr, kRec},
        {cmd::kPageUp, cmd::kSelectPageDown, &V::cmdScroll, nullptr, kRec},
        {cmd::kSelectCharLeft, cmd::kSelectLineDown, &V::cmdMove, nullptr, kRec},
        {cmd::kSelectToNextLine, cmd::kSelectWordRight, &V::cmdMove, nullptr, kRec},
        {cmd::kHalfPageUp, cmd::kHalfPageDown, &V::cmdScroll, nullptr, kRec},
        {cmd::kQuarterPageUp, cmd::kQuarterPageDown, &V::cmdScroll, nullptr, kRec},
        {cmd::kRowScrollUp, cmd::kEighthPageDown, &V::cmdScroll, nullptr, kRec},
        // Typing commands.
        {cmd::kEnter, cmd::kEnter, &V::cmdTypeLineEnd, nullptr, kEdit | kRecordFirst},
        {cmd::kTab, cmd::kTab, &V::cmdTab, nullptr, kEdit | kRecordFirst},
        {cmd::kBlankLine, cmd::kBlankLine, &V::cmdBlankLine, nullptr, kEdit | kRecordFirst},
        {cmd::kDuplicateLine, cmd::kDuplicateLine, &V::cmdDuplicateLine, nullptr, kEdit | kRecordFirst},
        {cmd::kPageBreak, cmd::kPageBreak, &V::cmdPageBreak, nullptr, kEdit | kRecordFirst},
        {cmd::kCodeInput, cmd::kCodeInput, &V::cmdCodeInput, nullptr, kEdit},
        // Clipboard and scrap.
        {cmd::kCopy, cmd::kCopy, &V::cmdCopy, nullptr, kSel},
        {cmd::kAppendCopy, cmd::kAppendCopy, &V::cmdCopy, nullptr, kSel},
        {cmd::kCut, cmd::kCut, &V::cmdCut, nullptr, kSel | kCmdModifiesText},
        {cmd::kAppendCut, cmd::kAppendCut, &V::cmdCut, nullptr, kSel | kCmdModifiesText},
        {cmd::kPaste, cmd::kPaste, &V::cmdPaste, &V::updatePaste, kEdit},
        {cmd::kExtendedPaste, cmd::kExtendedPaste, &V::cmdExtendedPaste, &V::updatePaste, kEdit},
        {cmd::kCutToScrap, cmd::kCutToScrap, &V::cmdScrap, nullptr, kSel | kCmdModifiesText},
        {cmd::kCopyToScrap, cmd::kCopyToScrap, &V::cmdScrap, nullptr, kSel},
        {cmd::kPasteFromScrap, cmd::kPasteFromScrap, &V::cmdScrap, &V::updateScrapPaste, kEdit},
        {cmd::kCopyAll, cmd::kCopyAll, &V::cmdCopyAll, nullptr, kRec},
    };
    return table;
}

bool CLuView::onCommand(CommandId id) {
    const CommandTable<CLuView>::Entry* e = commandTable().find(id);
    if (e && e->handler) {
        // What the update handler would grey out does nothing.
        if ((e->flags & kCmdModifiesText) && !m_doc.editable()) {
            refreshCaret();
            return true;
        }
        if ((e->flags & kCmdNeedsSelection) && !hasSelection()) return true;
        const bool rec = (e->flags & kCmdRecorded) != 0;
        if (rec && (e->flags & kRecordFirst)) record(id);
        (this->*(e->handler))(id);
        if (rec && !(e->flags & kRecordFirst)) record(id);
        return true;
    }
    for (CommandTarget* t : m_extensions)
        if (t->onCommand(id)) return true;
    return false;
}

bool CLuView::onUpdateCommand(CommandId id, CommandState& state) {
    const CommandTable<CLuView>::Entry* e = commandTable().find(id);
    if (e) {
        CommandState s;
        if (e->update) (this->*(e->update))(id, s);
        if ((e->flags & kCmdModifiesText) && !m_doc.editable()) s.enabled = false;
        if ((e->flags & kCmdNeedsSelection) && !hasSelection()) s.enabled = false;
        state = s;
        return true;
    }
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
