#pragma once
// The main frame's key-macro commands: start and stop a recording and play
// a slot (twenty of each), load slot 1 from a file and save it to one, and
// edit the slot titles. The slots themselves (keymacro::KeyMacroSlots) are
// the session's; playback goes into the active view and runs commands
// through the router.
#include <string>

#include "common/commands/CommandTable.h"

namespace orvex::shell {

class EditorSession;

class KeyMacroCommands final : public CommandTarget {
public:
    explicit KeyMacroCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<KeyMacroCommands>& commandTable();

    // Plays slot index i into the active window (the play command's work).
    void play(int slot);
    // The menu text of a record or play command: the numbered label with
    // the slot's title (UTF-8); empty for other ids.
    std::string menuLabel(CommandId id) const;

private:
    void cmdRecord(CommandId id);
    void cmdPlay(CommandId id);
    void cmdLoad(CommandId id);
    void cmdSave(CommandId id);
    void cmdTitles(CommandId id);
    void updateRecord(CommandId id, CommandState& state);
    void updatePlay(CommandId id, CommandState& state);
    void updateSave(CommandId id, CommandState& state);
    void updateTitles(CommandId id, CommandState& state);
    std::string askPath(bool save);

    EditorSession& m_session;
};

}  // namespace orvex::shell
