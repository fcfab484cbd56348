#pragma once
// The menu bar, the context menu's submenus and the texts of the frame's
// own commands, as data. A menu item is a command id; its text is the
// command's menu text (the first line of its prompt) and, after a tab, the
// names of its keys. Items whose command no target knows are left out, so
// the menus hold exactly the commands the editor has.
#include <span>
#include <string>
#include <vector>

#include "common/commands/CommandTable.h"

namespace orvex::qt {

struct MenuNode {
    const char* title = nullptr;  // a submenu (UTF-8, with its access key)
    CommandId id = 0;             // a command; 0 with no title: a separator
    std::vector<MenuNode> children;

    bool separator() const { return !title && id == 0; }
};

// The menu bar, menu by menu.
const std::vector<MenuNode>& mainMenuLayout();
// The items of a context-menu submenu id (32893 "選択ﾒﾆｭｰ" ...); empty for
// a submenu whose commands the editor does not have yet.
const std::vector<MenuNode>& contextSubmenu(CommandId id);

// The menu text of any command: the first line of its prompt.
std::string menuTextOf(CommandId id);
// The whole prompt, as the status bar shows it (the registry's text; after
// a line feed the short name of a toolbar button).
std::string promptOf(CommandId id);

}  // namespace orvex::qt
