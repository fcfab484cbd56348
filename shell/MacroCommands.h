#pragma once
// The frame's macro commands: the settings sheet of the ten macro slots
// (32925), running a slot (32926-32930, 33025-33029) with its macro file
// and the view that received the command, stopping the running macro
// (32943) and the macro language's guide (32942). The macro library is
// reached through a MacroLibraryBinding.
#include <string>

#include "common/commands/CommandTable.h"
#include "shell/MacroDialogs.h"

namespace orvex::shell {

class EditorSession;
class MacroLibraryBinding;

class MacroCommands final : public CommandTarget {
public:
    MacroCommands(EditorSession& session, MacroLibraryBinding& binding);

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<MacroCommands>& commandTable();
    // Never refused for the document; runs are recorded into a recording
    // key macro.
    CommandGate commandGate() const;

    // The slot (0-9) of a run command, -1 for another id; the run command
    // of a slot.
    static int slotOf(CommandId id);
    static CommandId runCommandOf(int slot);

    // The menu label of a run command (UTF-8): the slot's title with its
    // number, or the family name and number when it has none.
    std::string menuLabel(int slot, bool accessKeys) const;

    // The guide of the macro language that the help command opens (empty
    // when it is not installed).
    std::string guidePath() const;
    void setGuidePath(std::string path) { m_guide = std::move(path); }

    // The page the sheet opened on last.
    int lastPage() const { return m_lastPage; }

private:
    void cmdSheet(CommandId id);
    void cmdRun(CommandId id);
    void cmdStop(CommandId id);
    void cmdHelp(CommandId id);
    void updateRun(CommandId id, CommandState& state);
    void updateSheet(CommandId id, CommandState& state);

    EditorSession& m_session;
    MacroLibraryBinding& m_binding;
    std::string m_guide;
    int m_lastPage = 0;
};

}  // namespace orvex::shell
