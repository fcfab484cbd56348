#pragma once
// The options sheet (33501), the URL launch settings (33056) and the
// settings file's export (32977) and import (32976).
//
// The sheet works on a draft of the options; OK and "適用" put the draft
// into the settings, make every open window follow it at once
// (EditorSession::reapplySettings) and write what changed to the per-user
// settings file, so that a crash later loses nothing the user confirmed.
//
// Export asks for a file name (filter "*.ini") and writes the per-user
// settings, then every value, forced, to that file. Import asks for a file
// and loads it: a file without settings changes nothing; otherwise every
// value is saved, forced, to the per-user settings and all windows follow.
#include <string>

#include "common/commands/CommandTable.h"
#include "shell/SettingsDialogs.h"

namespace orvex::shell {

class EditorSession;

class SettingsCommands final : public CommandTarget {
public:
    explicit SettingsCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<SettingsCommands>& commandTable();

    // The sheet the commands show (null: the sheet commands are greyed).
    void setDialogs(SettingsDialogs* dialogs) { m_dialogs = dialogs; }

    // OK or "適用" of the sheet with this draft.
    void applyOptions(const OptionsDraft& draft);
    // The two halves of the file commands once a file is chosen; false
    // when the file could not be written, or held no settings.
    bool exportTo(const std::string& path);
    bool importFrom(const std::string& path);

private:
    void cmdOptions(CommandId id);
    void cmdExport(CommandId id);
    void cmdImport(CommandId id);
    void updateSheet(CommandId id, CommandState& state);
    void updateAlways(CommandId id, CommandState& state);
    std::string askFile(bool save);

    EditorSession& m_session;
    SettingsDialogs* m_dialogs = nullptr;
};

}  // namespace orvex::shell
