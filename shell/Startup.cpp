#include "shell/Startup.h"

#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "text/CLuView.h"

namespace orvex::shell {

bool hasFilesToReopen(const settings::OpenFileList& list) {
    for (const settings::OpenFileEntry& e : list.entries)
        if (!e.file.empty() && e.close != 0) return true;
    return false;
}

StartAction startAction(const CommandLineInfo& info, const settings::AppOptions& app,
                        const settings::OpenFileList& stored) {
    switch (info.command) {
    case ShellCommand::Open:
        return StartAction::OpenFiles;
    case ShellCommand::Print:
    case ShellCommand::PrintTo:
        return StartAction::Print;
    case ShellCommand::Dde:
        return StartAction::Dde;
    case ShellCommand::New:
        break;
    }
    // "/h" is honoured only with RunHide, and hiding needs resident mode.
    if (info.hide && app.runHide != 0 && app.keepRun != 0) return StartAction::StartHidden;
    if (app.autoLoad != 0 && hasFilesToReopen(stored)) return StartAction::Reopen;
    return StartAction::NewDocument;
}

int reopenStoredFiles(EditorSession& session) {
    const settings::OpenFileList list = session.settings().openFiles;
    const bool restore = session.settings().app.restorCursor != 0;
    int opened = 0;
    for (const settings::OpenFileEntry& e : list.entries) {
        if (e.file.empty() || e.close == 0) continue;
        EditorWindow* w = session.openFile(e.file);
        if (!w) continue;
        ++opened;
        if (restore) {
            CLuView& v = w->activeView();
            // The caret first (without scrolling), then the stored scroll.
            v.placeCursorAtOffset(e.pos);
            v.updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
            v.scrollTo(e.scrollY, e.scrollX);
        }
    }
    return opened;
}

settings::OpenFileList recordOpenFiles(EditorSession& session) {
    settings::OpenFileList list;
    list.dir = session.settings().openFiles.dir;
    size_t n = 0;
    for (EditorWindow* w : session.windows()) {
        if (n >= list.entries.size()) break;
        if (w->document().untitled()) continue;
        const CLuView& v = w->activeView();
        settings::OpenFileEntry& e = list.entries[n++];
        e.file = w->document().path();
        e.pos = v.document().text().offsetOf(v.cursor().row, v.cursor().byteColumn);
        e.scrollX = v.leftColumn();
        e.scrollY = v.topRow();
        e.close = 1;
    }
    return list;
}

}  // namespace orvex::shell
