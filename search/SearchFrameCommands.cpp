#include "search/SearchFrameCommands.h"

#include "search/SearchCommandIds.h"

namespace orvex::search {

const CommandTable<SearchFrameCommands>& SearchFrameCommands::commandTable() {
    using S = SearchFrameCommands;
    static const CommandTable<SearchFrameCommands> table{
        {cmd::kResetHighlight, cmd::kResetHighlight, &S::cmdResetHighlight, &S::updateResetHighlight},
    };
    return table;
}

bool SearchFrameCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool SearchFrameCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

// The state's listeners repaint the views.
void SearchFrameCommands::cmdResetHighlight(CommandId) { m_state.clearHighlight(); }

void SearchFrameCommands::updateResetHighlight(CommandId, CommandState& state) {
    state.enabled = !m_state.highlight().empty();
}

}  // namespace orvex::search
