#pragma once
// Command ids of finding and replacing, and the key-macro record codes that
// carry their strings.
#include "common/commands/CommandTable.h"

namespace orvex::cmd {

constexpr CommandId kFind = 57636;                   // find dialog
constexpr CommandId kFindNext = 32773;               // toward the end, find-dialog options
constexpr CommandId kFindPrevious = 32774;           // toward the start
constexpr CommandId kFindSelectedForward = 33495;    // the selection or the word at the caret
constexpr CommandId kFindSelectedBackward = 33496;
constexpr CommandId kCopyToFindBox = 32864;          // also the search-string record code
constexpr CommandId kSearchAndMark = 33054;
constexpr CommandId kReplace = 57641;                // replace dialog
constexpr CommandId kReplaceForward = 33001;         // with confirmation, toward the end
constexpr CommandId kReplaceBackward = 33002;
constexpr CommandId kReplaceAll = 33003;             // from the start, with confirmation
constexpr CommandId kReplacementRecord = 33004;      // key-macro record of the replacement string
constexpr CommandId kBatchReplace = 32931;
constexpr CommandId kResetHighlight = 33081;         // main frame
constexpr CommandId kFindBox = 32780;                // the toolbars' find box

}  // namespace orvex::cmd
