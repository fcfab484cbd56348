#pragma once
// Command ids of the file side: the document's save and close commands
// (the framework's standard ids) and the view commands that read files
// into the text, revert it, append the selection to a file and convert the
// document's code or line ends.
#include "common/commands/CommandTable.h"

namespace orvex::cmd {

// Document commands
constexpr CommandId kFileClose = 57602;
constexpr CommandId kFileSave = 57603;
constexpr CommandId kFileSaveAs = 57604;
constexpr CommandId kFileSaveCopyAs = 57611;

// View commands
constexpr CommandId kInsertFile = 32787;
constexpr CommandId kRevert = 32790;
constexpr CommandId kAppendSelectionToFile = 32868;
constexpr CommandId kConvertToShiftJis = 33485;
constexpr CommandId kConvertToJis = 33486;
constexpr CommandId kConvertToEuc = 33487;
constexpr CommandId kConvertToCrLf = 33488;
constexpr CommandId kConvertToLf = 33489;
constexpr CommandId kConvertToUnicode = 33499;

}  // namespace orvex::cmd
