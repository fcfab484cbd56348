#pragma once
// Command ids the editor view handles itself (cursor, selection, editing,
// clipboard, input modes). The document-level ids (undo, marks, row
// searches) are in TextCommandIds.h.
#include "common/commands/CommandTable.h"
#include "text/TextCommandIds.h"

namespace orvex::cmd {

// Jumps
constexpr CommandId kGoToLine = 32777;
constexpr CommandId kFileTop = 32778;
constexpr CommandId kFileBottom = 32779;
constexpr CommandId kJumpAgain = 33006;
constexpr CommandId kScreenTop = 33040;
constexpr CommandId kScreenBottom = 33041;

// Input modes
constexpr CommandId kInsertOverwrite = 32781;
constexpr CommandId kFreeCursor = 32915;
constexpr CommandId kIndentedInsertion = 32916;
constexpr CommandId kBoxMode = 32920;
constexpr CommandId kSelectionMode = 33042;
constexpr CommandId kAutoIndent = 32884;
constexpr CommandId kAutoLineBreak = 32885;
constexpr CommandId kAutoWrap = 32967;
constexpr CommandId kImeOnOff = 32886;
constexpr CommandId kRegisterWord = 32878;

// Clipboard and scrap
constexpr CommandId kAppendCopy = 32798;
constexpr CommandId kAppendCut = 32799;
constexpr CommandId kExtendedPaste = 32913;
constexpr CommandId kCutToScrap = 32987;
constexpr CommandId kCopyToScrap = 32988;
constexpr CommandId kPasteFromScrap = 32989;
constexpr CommandId kCopyAll = 33111;
constexpr CommandId kClearAll = 57633;
constexpr CommandId kCopy = 57634;
constexpr CommandId kCut = 57635;
constexpr CommandId kPaste = 57637;
constexpr CommandId kSelectAll = 57642;

// Select-to family
constexpr CommandId kSelectToFileStart = 32803;
constexpr CommandId kSelectToFileEnd = 32804;
constexpr CommandId kSelectLine = 32805;
constexpr CommandId kSelectToLineStart = 32806;
constexpr CommandId kSelectToLineEnd = 32807;
constexpr CommandId kSelectWord = 32808;
constexpr CommandId kSelectToWordStart = 32809;
constexpr CommandId kSelectToWordEnd = 32810;
// Delete-to family
constexpr CommandId kDeleteToFileStart = 32811;
constexpr CommandId kDeleteToFileEnd = 32812;
constexpr CommandId kDeleteLine = 32813;
constexpr CommandId kDeleteToLineStart = 32814;
constexpr CommandId kDeleteToLineEnd = 32815;
constexpr CommandId kDeleteWord = 32816;
constexpr CommandId kDeleteToWordStart = 32817;
constexpr CommandId kDeleteToWordEnd = 32818;

// Moves
constexpr CommandId kCharLeft = 32819;
constexpr CommandId kCharRight = 32820;
constexpr CommandId kLineUp = 32821;
constexpr CommandId kLineDown = 32822;
constexpr CommandId kWordLeft = 32823;
constexpr CommandId kWordRight = 32824;
constexpr CommandId kHome = 32825;
constexpr CommandId kEnd = 32826;
constexpr CommandId kNextLine = 32827;
constexpr CommandId kPageUp = 32828;
constexpr CommandId kPageDown = 32829;
constexpr CommandId kSelectPageUp = 32830;
constexpr CommandId kSelectPageDown = 32831;
constexpr CommandId kSelectCharLeft = 32835;
constexpr CommandId kSelectCharRight = 32836;
constexpr CommandId kSelectLineUp = 32837;
constexpr CommandId kSelectLineDown = 32838;
constexpr CommandId kSelectToNextLine = 32840;
constexpr CommandId kSelectWordRight = 32841;
constexpr CommandId kDeleteBefore = 32842;
constexpr CommandId kDeleteAt = 32843;
constexpr CommandId kHalfPageUp = 32899;
constexpr CommandId kHalfPageDown = 32900;
constexpr CommandId kQuarterPageUp = 33071;
constexpr CommandId kQuarterPageDown = 33072;
constexpr CommandId kRowScrollUp = 33074;
constexpr CommandId kRowScrollDown = 33075;
constexpr CommandId kEighthPageUp = 33076;
constexpr CommandId kEighthPageDown = 33077;
constexpr CommandId kClearSelection = 32994;

// Typing commands
constexpr CommandId kBlankLine = 32833;
constexpr CommandId kDuplicateLine = 32834;
constexpr CommandId kPageBreak = 32889;
constexpr CommandId kTab = 32945;
constexpr CommandId kEnter = 32946;
constexpr CommandId kCodeInput = 32984;

}  // namespace orvex::cmd
