#pragma once
// The command registry: for every id the program knows, its name, its
// text (menu text and status-bar prompt) and its flags, all from the one
// command list (CommandList.def).
//
// A family (a range of ids sharing one text) numbers its members: the
// number in parentheses at the end of the text belongs to the first id and
// counts up through the range ("ﾏｸﾛの実行(1)" .. "ﾏｸﾛの実行(5)").
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/commands/CommandFlags.h"
#include "common/commands/CommandIds.h"

namespace orvex::commands {

struct CommandInfo {
    CommandId first;
    CommandId last;         // equal to first for a single id
    std::string_view name;  // the constant's name in cmd::
    uint32_t flags;         // CommandFlags
    std::string_view text;  // empty: the command has no menu text
};

// Every entry, sorted by id; no id appears in two entries.
std::span<const CommandInfo> allCommands();
// The entry holding id, or null for an id the program does not know.
const CommandInfo* findCommand(CommandId id);
// A command a target may handle (a known id that is not a record code).
bool isKnownCommand(CommandId id);
// The flags of id (kCmdNone when unknown).
uint32_t flagsOf(CommandId id);

// The text of id with its family number, empty when unknown or without a
// text.
std::string statusPrompt(CommandId id);
// Its first line.
std::string menuText(CommandId id);

}  // namespace orvex::commands
