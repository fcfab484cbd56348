#include "search/SearchFrameCommands.h"

#include "search/SearchCommandIds.h"

namespace orvex::search {

bool SearchFrameCommands::onCommand(CommandId id) {
    if (id != cmd::kResetHighlight) return false;
    // The state's listeners repaint the views.
    m_state.clearHighlight();
    return true;
}

bool SearchFrameCommands::onUpdateCommand(CommandId id, CommandState& state) {
    if (id != cmd::kResetHighlight) return false;
    state = CommandState{};
    state.enabled = !m_state.highlight().empty();
    return true;
}

}  // namespace orvex::search
