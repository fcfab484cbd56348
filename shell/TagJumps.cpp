#include "shell/TagJumps.h"

#include <algorithm>

#include "files/PathNames.h"
#include "search/TagLine.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

constexpr size_t kMaxOrigins = 100;

// Logical line n (from 1) whatever the row numbering shown.
void goToLogicalLine(CLuView& view, int32_t n) {
    const TextPosition p = view.document().text().goToLine(std::max(n, 1));
    view.placeCursor(p.row, 0);
    view.updateCursor(true, ScrollMode::Centred, SelectionUpdate::Clear);
}

}  // namespace

std::string TagJumps::baseFolderOf(const EditorDocument& document) {
    if (document.toolOutput()) return document.toolFolder();
    if (document.untitled()) return {};
    return files::folderOf(document.path());
}

bool TagJumps::jumpFrom(CLuView& view, EditorDocument& document) {
    const TextStore& text = view.document().text();
    const int32_t first = text.firstRowOfLine(view.cursor().row);
    const int32_t begin = text.row(first).offset;
    int32_t end = begin;
    const std::string_view all = text.view();
    while (end < int32_t(all.size()) && all[size_t(end)] != '\r' && all[size_t(end)] != '\n' && all[size_t(end)] != '\f')
        ++end;
    const auto loc = search::parseTagLine(all.substr(size_t(begin), size_t(end - begin)));
    if (!loc) return false;
    const std::string path = search::existingTagPath(loc->file, baseFolderOf(document));
    Origin origin{nullptr, document.path(), view.document().text().row(view.cursor().row).line + 1};
    for (EditorWindow* w : m_session.windows())
        if (&w->document() == &document) origin.window = w;
    if (!open(path, loc->line)) return false;
    if (m_origins.size() >= kMaxOrigins) m_origins.erase(m_origins.begin());
    m_origins.push_back(std::move(origin));
    return true;
}

EditorWindow* TagJumps::open(const std::string& path, int32_t line) {
    EditorWindow* w = m_session.openFile(path);
    if (!w) return nullptr;
    goToLogicalLine(w->activeView(), line);
    return w;
}

bool TagJumps::back() {
    while (!m_origins.empty()) {
        Origin o = std::move(m_origins.back());
        m_origins.pop_back();
        const auto open = m_session.windows();
        EditorWindow* w = std::find(open.begin(), open.end(), o.window) != open.end() ? o.window : nullptr;
        if (w) {
            m_session.setActiveWindow(w);
            if (m_session.frameHost()) m_session.frameHost()->bringToFront(*w);
            goToLogicalLine(w->activeView(), o.line);
            return true;
        }
        if (!o.path.empty() && this->open(o.path, o.line)) return true;
    }
    return false;
}

}  // namespace orvex::shell
