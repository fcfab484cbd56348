#pragma once
// The one command router: runs a command id, or asks its enabled and
// checked state, along the routing chain of the session's active window
//
//     active view (CLuView, then its command families)
//       → its document → the window (child frame) → the main frame
//       → the frame's key-macro commands → the frame's search commands
//       → the application
//
// (without a window, the chain starts at the main frame). Menus, toolbars,
// the key table, key-macro playback, macros and tests all run commands
// through it; it holds no state of its own besides the session.
#include <optional>
#include <vector>

#include "common/commands/CommandTable.h"

namespace orvex::shell {

class EditorSession;

class CommandRouter {
public:
    explicit CommandRouter(EditorSession& session) : m_session(session) {}

    // Runs the command; false when no target of the chain has it.
    bool run(CommandId id);
    // The state for a menu item or button; greyed out when nobody has it.
    CommandState state(CommandId id);
    // The targets of the active chain, first to last (nulls left out).
    std::vector<CommandTarget*> chain();

    // The command the key table gives a key with its Shift, Ctrl and Alt
    // state, if any.
    std::optional<CommandId> commandOfKey(uint16_t virtualKey, bool shift, bool ctrl, bool alt) const;
    // A key pressed in the active view: a key of the key table runs its
    // command like a menu item (no character follows it); any other key goes
    // to the view's own key handling. True when the key table took it.
    bool pressKey(uint16_t virtualKey, bool shift, bool ctrl, bool alt, bool autoRepeat = false);

    // Some target of the editor has the command in its table (whether or
    // not a window is open): what menus and toolbars offer.
    bool knows(CommandId id) const;

private:
    EditorSession& m_session;
};

}  // namespace orvex::shell
