#pragma once
// Command ids of the document-level text operations (undo, marks and the
// row searches); the view's command table routes them to CLuDoc.
#include "common/commands/CommandTable.h"

namespace orvex::cmd {

constexpr CommandId kUndo = 57643;
constexpr CommandId kRedo = 57644;
constexpr CommandId kMarkToggle = 32782;
constexpr CommandId kMarkNext = 32783;
constexpr CommandId kMarkPrevious = 32784;
constexpr CommandId kMarkClearAll = 32785;
constexpr CommandId kTitleNext = 32985;
constexpr CommandId kTitlePrevious = 32986;
constexpr CommandId kModifiedNext = 33043;
constexpr CommandId kModifiedPrevious = 33044;
constexpr CommandId kModifiedLast = 33045;

}  // namespace orvex::cmd
