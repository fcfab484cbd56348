#include "shell/EditorWindow.h"

#include "shell/EditorSession.h"
#include "shell/FrameHost.h"
#include "shell/ViewRequests.h"

namespace orvex::shell {

EditorWindow::EditorWindow(EditorSession& session, std::unique_ptr<EditorDocument> document)
    : m_session(session), m_document(std::move(document)) {
    for (Pane& pane : m_panes) {
        ViewContext vc;
        vc.state = &session.state();
        vc.options = &session.viewOptions();
        vc.hooks = &session.hooks();
        vc.keyMacro = session.keyMacroHook();
        vc.host = &pane.host;
        pane.view = std::make_unique<CLuView>(m_document->doc(), vc);
        pane.targets = session.viewTargets().makeTargets(*pane.view, *m_document, session);
        pane.host.setScrollObserver(
            [this](int32_t rows, int32_t columns) { m_session.viewScrolled(*this, rows, columns); });
    }
    m_panes[0].view->setSiblingPane(m_panes[1].view.get());
    for (int i = 0; i < kPaneCount; ++i) m_panes[size_t(i)].requests = std::make_unique<ViewRequests>(session, *this, i);
}

EditorWindow::~EditorWindow() {
    // The command families leave their views before the views go, and the
    // views go before the document they show.
    for (Pane& pane : m_panes) pane.requests.reset();
    for (Pane& pane : m_panes) pane.targets.clear();
    for (Pane& pane : m_panes) pane.view.reset();
}

void EditorWindow::detachRequests() {
    for (Pane& pane : m_panes)
        if (pane.requests) pane.requests->detach();
}

void EditorWindow::setSplit(bool split) {
    if (split == m_split) return;
    m_split = split;
    if (split) {
        // The new pane shows the same place as the active one.
        const CLuView& from = activeView();
        view(1 - m_activePane).scrollTo(from.topRow(), from.leftColumn());
    }
    if (FrameHost* host = m_session.frameHost()) host->windowSplitChanged(*this);
}

void EditorWindow::noteSplit(bool split, int keptPane) {
    m_split = split;
    if (!split) m_activePane = paneIndex(keptPane);
}

bool EditorWindow::queryClose() {
    if (!m_document->queryClose()) return false;
    m_document->doc().setClosing(true);
    return true;
}

const CommandTable<EditorWindow>& EditorWindow::commandTable() {
    using W = EditorWindow;
    static const CommandTable<EditorWindow> table{
        {cmd::kWindowSplit, cmd::kWindowSplit, &W::cmdSplit, &W::updateSplit},
    };
    return table;
}

bool EditorWindow::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool EditorWindow::onUpdateCommand(CommandId id, CommandState& state) { return commandTable().update(*this, id, state); }

void EditorWindow::cmdSplit(CommandId) { setSplit(!m_split); }

void EditorWindow::updateSplit(CommandId, CommandState& state) { state.checked = m_split; }

}  // namespace orvex::shell
