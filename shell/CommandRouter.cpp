#include "shell/CommandRouter.h"

#include "files/DocumentFileCommands.h"
#include "search/SearchFrameCommands.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/KeyMacroCommands.h"
#include "shell/MainFrameCommands.h"

namespace orvex::shell {

std::vector<CommandTarget*> CommandRouter::chain() {
    std::vector<CommandTarget*> out;
    if (EditorWindow* w = m_session.activeWindow()) {
        out.push_back(&w->activeView());
        out.push_back(&w->document());
        out.push_back(w);
    }
    out.push_back(&m_session.mainFrameCommands());
    out.push_back(&m_session.keyMacroCommands());
    out.push_back(&m_session.searchCommands());
    for (const auto& t : m_session.frameTargets()) out.push_back(t.get());
    out.push_back(&m_session.applicationCommands());
    return out;
}

bool CommandRouter::run(CommandId id) {
    // A command may close its own window: the session keeps closed windows
    // until the outermost command has returned.
    EditorSession::CommandScope scope(m_session);
    bool done = false;
    for (CommandTarget* t : chain())
        if (t->onCommand(id)) {
            done = true;
            break;
        }
    m_session.commandRan();
    return done;
}

CommandState CommandRouter::state(CommandId id) {
    CommandState s;
    for (CommandTarget* t : chain())
        if (t->onUpdateCommand(id, s)) return s;
    s.enabled = false;  // nobody handles it: grey the item out
    return s;
}

std::optional<CommandId> CommandRouter::commandOfKey(uint16_t virtualKey, bool shift, bool ctrl, bool alt) const {
    return m_session.keyLookup().find(virtualKey, shift, ctrl, alt);
}

bool CommandRouter::pressKey(uint16_t virtualKey, bool shift, bool ctrl, bool alt, bool autoRepeat) {
    EditorWindow* w = m_session.activeWindow();
    if (std::optional<CommandId> id = commandOfKey(virtualKey, shift, ctrl, alt)) {
        // Held keys speed up scrolling also when they run commands.
        if (w) w->activeView().noteKeyPress(virtualKey, autoRepeat);
        run(*id);
        return true;
    }
    if (w) w->activeView().keyDown(virtualKey, 1, autoRepeat);
    return false;
}

bool CommandRouter::knows(CommandId id) const {
    // The frame's own families answer for their ids through their tables.
    for (const auto& target : m_session.frameTargets()) {
        CommandState ignored;
        if (target->onUpdateCommand(id, ignored)) return true;
    }
    return CLuView::commandTable().find(id) || m_session.viewTargets().knows(id) ||
           files::DocumentFileCommands::commandTable().find(id) || EditorWindow::commandTable().find(id) ||
           MainFrameCommands::commandTable().find(id) || KeyMacroCommands::commandTable().find(id) || search::SearchFrameCommands::commandTable().find(id) ||
           ApplicationCommands::commandTable().find(id);
}

}  // namespace orvex::shell
