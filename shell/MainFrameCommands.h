#pragma once
// The main frame's link of the command chain: new, open, save all, close
// all, the exits that save or discard everything, the window arrangement
// and switching, the bars, and the line-length and tab-stop dialogs. The
// commands that only the window system can carry out (arranging, bars,
// dialogs) go to the session's frame host and are greyed out without one.
#include "common/commands/CommandTable.h"

namespace orvex::shell {

class EditorSession;

class MainFrameCommands final : public CommandTarget {
public:
    explicit MainFrameCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<MainFrameCommands>& commandTable();

private:
    void cmdNew(CommandId id);
    void cmdOpen(CommandId id);
    void cmdSaveAll(CommandId id);
    void cmdCloseAll(CommandId id);
    void cmdSaveAllExit(CommandId id);
    void cmdDiscardAllExit(CommandId id);
    void cmdArrange(CommandId id);
    void cmdSwitchWindow(CommandId id);
    void cmdBars(CommandId id);
    void cmdWindowBarWindow(CommandId id);
    void cmdScrollAll(CommandId id);
    void cmdArrangeInstances(CommandId id);
    void updateWindowBarWindow(CommandId id, CommandState& state);
    void updateScrollAll(CommandId id, CommandState& state);
    void cmdColumnDialog(CommandId id);
    void cmdCommandTables(CommandId id);
    void cmdDiscardAllClose(CommandId id);
    void cmdRecentFile(CommandId id);
    void cmdClearRecent(CommandId id);
    void cmdUrlJump(CommandId id);
    void cmdFavourite(CommandId id);
    void cmdRemoveFavourite(CommandId id);
    void cmdAddFavourite(CommandId id);
    void cmdOpenAllFavourites(CommandId id);
    void updateRecentFile(CommandId id, CommandState& state);
    void updateFavourite(CommandId id, CommandState& state);
    void updateAddFavourite(CommandId id, CommandState& state);
    void updateAnyFavourite(CommandId id, CommandState& state);
    void updateAnyRecent(CommandId id, CommandState& state);
    void updateNeedsWindow(CommandId id, CommandState& state);
    void updateNeedsHostAndWindow(CommandId id, CommandState& state);
    void updateBars(CommandId id, CommandState& state);
    void updateNeedsHost(CommandId id, CommandState& state);

    EditorSession& m_session;
};

// The application's link, the last of the chain: the exit command and the
// program information.
class ApplicationCommands final : public CommandTarget {
public:
    explicit ApplicationCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<ApplicationCommands>& commandTable();

private:
    void cmdExit(CommandId id);
    void cmdExitResident(CommandId id);
    void cmdAbout(CommandId id);
    void cmdAssociate(CommandId id);
    void updateNeedsHost(CommandId id, CommandState& state);

    EditorSession& m_session;
};

}  // namespace orvex::shell
