#pragma once
// The command categories of the key, context-menu and toolbar pages, and
// what those pages do to their copies of the tables.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/commands/CommandIds.h"
#include "settings/CommandTables.h"

namespace orvex::shell {

struct CommandCategory {
    std::string_view name;  // UTF-8, as the page lists it
    std::span<const CommandId> commands;
};

// The key page's categories: "ファイル", "編集１", "編集２", "ｶｰｿﾙ移動",
// "検索", "ウィンドウ", "ツール", "その他".
std::span<const CommandCategory> keyPageCategories();
// The context-menu page's: the key page's with "編集ﾎﾟｯﾌﾟｱｯﾌﾟ" (the submenu
// ids) after "編集２".
std::span<const CommandCategory> menuPageCategories();
// The toolbar page's: "ファイル", "編集", "検索", "ウィンドウ", "ツール",
// "その他" (commands that can stand on a toolbar).
std::span<const CommandCategory> toolbarPageCategories();
// The first of the categories that holds the command, or -1.
int categoryOf(std::span<const CommandCategory> categories, CommandId id);

// The key page's key kinds.
enum class KeyKind { AlphaNumeric = 0, Special = 1, Keypad = 2 };
struct ListedKey {
    std::string name;  // with the checked modifiers as prefixes
    uint16_t key;
};
// The keys a kind offers with the checked modifiers. Letters, digits and
// punctuation are offered only with Alt or Ctrl: plain letters cannot be
// assigned.
std::vector<ListedKey> keysOfKind(KeyKind kind, bool alt, bool ctrl, bool shift);

// A command's description on the pages: the prompt up to its first line
// feed; its short name: what follows the line feed, or the description.
std::string commandDescription(CommandId id);
std::string commandShortName(CommandId id);

// The key set for people who come from other Linux editors: the built-in
// defaults with Ctrl+A select all, Ctrl+Z / Ctrl+Shift+Z undo and redo,
// Ctrl+F find, F3 / Shift+F3 next and previous, Ctrl+H replace, Ctrl+N new,
// Ctrl+O open, Ctrl+S save, Ctrl+P print, Ctrl+G go to line, Ctrl+W close.
settings::KeyTable linuxKeyTable();

}  // namespace orvex::shell
