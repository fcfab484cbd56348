#pragma once
// Named constants for every command id of the command list
// (CommandList.def): cmd::kFindNext and so on. For a numbered family the
// name stands for its first id.
#include <cstdint>

namespace orvex {
using CommandId = uint16_t;
}

namespace orvex::cmd {
#define ORVEX_COMMAND(name, first, last, flags, text) constexpr CommandId name = first;
#include "common/commands/CommandList.def"
#undef ORVEX_COMMAND
}  // namespace orvex::cmd
