#pragma once
// Start-up and exit decisions that need no window system: whether a start
// hands its command line to a running instance, what the start does with
// its command line, the stored files to reopen and the record of the open
// files at exit.
#include <vector>

#include "settings/AppOptions.h"
#include "settings/OpenFileList.h"
#include "shell/CommandLine.h"

namespace orvex::shell {

class EditorSession;

// A start looks for a running instance when either option is on (with
// KeepRun the hand-over happens even when DualBoot is off).
inline bool looksForInstance(const settings::AppOptions& app) { return app.dualBoot != 0 || app.keepRun != 0; }

enum class StartAction {
    OpenFiles,    // the files of the command line
    StartHidden,  // resident, no document, the main window not shown
    Reopen,       // the stored open-file list
    NewDocument,
    Print,        // the shell's print requests (the files are opened)
    Dde,
};

// The open-file list holds something to reopen: an entry with a file name
// whose Close value is not 0.
bool hasFilesToReopen(const settings::OpenFileList& list);
StartAction startAction(const CommandLineInfo& info, const settings::AppOptions& app,
                        const settings::OpenFileList& stored);

// Reopens the stored files in order (caret and scroll positions when
// RestorCursor is on); a file that cannot be opened is skipped. Returns the
// number opened.
int reopenStoredFiles(EditorSession& session);

// The open-file list to store: the open, named documents in window order
// (at most ten) with their caret offsets and scroll positions; the last
// directory kept.
settings::OpenFileList recordOpenFiles(EditorSession& session);

}  // namespace orvex::shell
