#pragma once
// The texts of the editor's command vocabulary: for every command id (or
// numbered family of ids) its string, whose first line is the menu text and
// which the status bar shows as the command's prompt. Texts are UTF-8.
//
// A family (a range of ids sharing one string) numbers its members: the
// number in parentheses at the end of the string belongs to the first id
// and counts up through the range ("ﾏｸﾛの実行(1)" .. "ﾏｸﾛの実行(5)").
// Some ids are known without a text (commands that have no menu item).
#include <span>
#include <string>
#include <string_view>

#include "common/commands/CommandTable.h"

namespace orvex::commands {

struct CommandText {
    CommandId first;
    CommandId last;  // equal to first for a single id
    std::string_view text;  // empty: the command has no menu text
};

// Every entry, sorted by id; no id appears twice.
std::span<const CommandText> commandTexts();
// The entry holding id, or null for an id the editor does not know.
const CommandText* findCommandText(CommandId id);
inline bool isKnownCommand(CommandId id) { return findCommandText(id) != nullptr; }

// The string of id with its family number, empty when unknown or without
// a text.
std::string statusPrompt(CommandId id);
// Its first line.
std::string menuText(CommandId id);

}  // namespace orvex::commands
