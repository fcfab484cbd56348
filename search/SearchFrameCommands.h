#pragma once
// The search commands of the main frame: resetting the found-text colour
// (33081) and the toolbars' find boxes, which set the search string and
// its history exactly as the dialogs do.
#include <string_view>
#include <vector>

#include "common/commands/CommandTable.h"
#include "search/SearchState.h"

namespace orvex::search {

class SearchFrameCommands final : public CommandTarget {
public:
    explicit SearchFrameCommands(SearchState& state) : m_state(state) {}

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<SearchFrameCommands>& commandTable();

    // A string entered in a find box becomes the search string.
    void findBoxEntered(std::string_view sjis) { m_state.addSearchString(sjis); }
    // What the find boxes list.
    const std::vector<std::string>& findBoxList() const { return m_state.searchHistory(); }

private:
    void cmdResetHighlight(CommandId id);
    void updateResetHighlight(CommandId id, CommandState& state);

    SearchState& m_state;
};

}  // namespace orvex::search
