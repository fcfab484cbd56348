#pragma once
// A document window of the session, without any window system: one
// document shown in two views (panes) one above the other, the second one
// collapsed until the window is split. Both views share the document's
// rows and mirror each other's selection. Each view carries one command
// target of every family registered with the session (file commands,
// search, ...). The window is the child frame's link of the command chain
// (the split command, 57653).
//
// A window widget of the Qt layer shows it (setHost) and forwards its
// events; the window and everything it shows belong to the session.
#include <array>
#include <memory>
#include <vector>

#include "common/commands/CommandTable.h"
#include "shell/EditorDocument.h"
#include "shell/ViewHostRelay.h"
#include "shell/ViewRequests.h"
#include "text/CLuView.h"

namespace orvex::shell {

class EditorSession;

class EditorWindow final : public CommandTarget {
public:
    static constexpr int kPaneCount = 2;

    EditorWindow(EditorSession& session, std::unique_ptr<EditorDocument> document);
    ~EditorWindow() override;
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    EditorSession& session() { return m_session; }
    EditorDocument& document() { return *m_document; }
    const EditorDocument& document() const { return *m_document; }
    // Pane 0 is the upper view, pane 1 the lower one.
    CLuView& view(int pane) { return *m_panes[paneIndex(pane)].view; }
    const CLuView& view(int pane) const { return *m_panes[paneIndex(pane)].view; }
    // What a widget showing pane `pane` hands its view's requests to.
    ViewHostRelay& viewHost(int pane) { return m_panes[paneIndex(pane)].host; }
    // The command family of type T that a pane's view carries, or null.
    template <class T>
    T* viewTarget(int pane) {
        for (auto& t : m_panes[paneIndex(pane)].targets)
            if (auto* found = dynamic_cast<T*>(t.get())) return found;
        return nullptr;
    }
    // The pane that had the focus last; commands go to its view.
    // The pane's view as a window of the message layer (its handle answers
    // view requests and commands on the user-interface thread).
    ViewRequests& requests(int pane) { return *m_panes[paneIndex(pane)].requests; }
    const ViewRequests& requests(int pane) const { return *m_panes[paneIndex(pane)].requests; }
    // The window is closing: its views stop answering messages.
    void detachRequests();

    int activePane() const { return m_activePane; }
    CLuView& activeView() { return view(m_activePane); }
    void setActivePane(int pane) { m_activePane = paneIndex(pane); }

    // The second pane shows (both panes have height). Splitting shows the
    // active pane's place in the other pane; unsplitting keeps the active
    // pane. The host hears of it.
    bool isSplit() const { return m_split; }
    void setSplit(bool split);
    // The host reports a split the user made by dragging (no echo back).
    void noteSplit(bool split, int keptPane);

    // Before the window closes: the document's save question. True when it
    // may close; its file is then released.
    bool queryClose();

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<EditorWindow>& commandTable();

private:
    static int paneIndex(int pane) { return pane == 1 ? 1 : 0; }
    void cmdSplit(CommandId id);
    void updateSplit(CommandId id, CommandState& state);

    struct Pane {
        ViewHostRelay host;
        std::unique_ptr<CLuView> view;
        std::vector<std::unique_ptr<CommandTarget>> targets;  // the view's command families
        std::unique_ptr<ViewRequests> requests;
    };

    EditorSession& m_session;
    std::unique_ptr<EditorDocument> m_document;
    std::array<Pane, kPaneCount> m_panes;
    int m_activePane = 0;
    bool m_split = false;
};

}  // namespace orvex::shell
