#pragma once
// The ten registered programs (32948-32957), their registration sheet
// (32860) and the run of the selected one in a document window (32861).
//
// A start takes the active document's file as the current file, moves the
// program's working folder to that file's folder when the program asks for
// it, opens a new untitled window and runs the program there. With capture
// the program's standard output and error fill that window as a read-only
// tag-jump list (relative names resolve against the program's working
// folder); the editor waits for the end, letting pending input through, and
// a second start command meanwhile stops the program. Without capture the
// program runs on by itself and the window closes again.
#include <string>

#include "common/commands/CommandTable.h"

namespace orvex::shell {

class EditorSession;
class EditorWindow;

class ExternalProgramCommands final : public CommandTarget {
public:
    explicit ExternalProgramCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<ExternalProgramCommands>& commandTable();

    // The frame's side of a start of program `index` (0-9): also the
    // registration sheet's run button.
    void start(int index);
    // Runs the selected program into `window` (the second half of a start).
    void runInto(EditorWindow& window);

    // The menu label of program `index` (0-9) from its title.
    std::string menuLabel(int index, bool accessKeys) const;

    // True while a captured program runs; stop() ends it (its process group)
    // at the waiting's next look.
    bool running() const { return m_running; }
    void stop() { m_stopRequested = true; }

    // Output kept from one run (32 MiB unless set, so that it still fits a
    // document once its line ends are CR LF); the rest is read and dropped,
    // and the kept part ends at its last complete line.
    void setOutputLimit(size_t bytes) { m_outputLimit = bytes; }

private:
    void cmdSheet(CommandId id);
    void cmdStart(CommandId id);
    void cmdRunHere(CommandId id);
    void updateStart(CommandId id, CommandState& state);
    void updateRunHere(CommandId id, CommandState& state);
    void closeIfOpen(EditorWindow& window);

    EditorSession& m_session;
    std::string m_currentFile;  // the file active at the last start
    bool m_running = false;
    bool m_stopRequested = false;
    size_t m_outputLimit = 32 * 1024 * 1024;
};

}  // namespace orvex::shell
