#pragma once
// Find in files on the frame (32847: the dialog, or stop a running
// search) and the search into a result document (run by 32848 in the
// result document's view), plus the row and function lists' display.
#include <string>

#include "common/commands/CommandTable.h"
#include "search/FindInFiles.h"

namespace orvex::shell {

class EditorSession;
class EditorWindow;

class FindInFilesCommands final : public CommandTarget {
public:
    explicit FindInFilesCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<FindInFilesCommands>& commandTable();

    // The running flag: set from the dialog until the search returns;
    // clearing it stops the search at its next check.
    bool running() const { return m_running; }
    void stop() { m_running = false; }

    // 32848 in `window`'s view: searches with the current search string,
    // options and the request of the last dialog into that document.
    void runInto(EditorWindow& window);
    // The request the next run uses (the dialog fills it; tests may).
    search::FindInFilesRequest& request() { return m_request; }

    // Shows a list (tag-file lines) in a result document: a new one, or
    // with FindWnd off the open one (through 32866 in its view).
    void showList(const std::string& lines);
    // 32866 in `window`'s view: loads the pending list.
    void loadListInto(EditorWindow& window);

private:
    void cmdFindInFiles(CommandId id);
    void updateFindInFiles(CommandId id, CommandState& state);

    EditorSession& m_session;
    bool m_running = false;
    search::FindInFilesRequest m_request;
    std::string m_pendingList;  // the temporary list file written by showList
};

}  // namespace orvex::shell
