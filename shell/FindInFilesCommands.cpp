#include "shell/FindInFilesCommands.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/FileReader.h"
#include "search/CompiledPattern.h"
#include "search/SearchDialogs.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/ResultDocuments.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

// Histories as the dialogs list them: the stored entries, empty ones left out.
template <size_t N>
std::vector<std::string> listOf(const std::array<std::string, N>& stored) {
    std::vector<std::string> out;
    for (const auto& s : stored)
        if (!s.empty()) out.push_back(s);
    return out;
}
template <size_t N>
void storeList(const std::vector<std::string>& list, std::array<std::string, N>& stored) {
    for (size_t i = 0; i < N; ++i) stored[i] = i < list.size() ? list[i] : std::string();
}

// The search's reports into the result document: batches appended through
// the editing operations, pending input let through after each, and
// unreadable files named.
class DocumentSink final : public search::FindInFilesSink {
public:
    DocumentSink(EditorWindow& window, FindInFilesCommands& owner, const Platform& platform)
        : m_window(window), m_owner(owner), m_platform(platform) {}
    void write(std::string_view lines) override { appendResult(m_window, lines); }
    bool keepGoing() override {
        if (m_platform.ui) m_platform.ui->processPendingInput();
        return m_owner.running();
    }
    void cannotOpen(const std::string& path) override {
        if (m_platform.messages)
            m_platform.messages->showText(std::string(strings::text(strings::kCannotOpenFile)) + "\r\n" + path,
                                          MsgIcon::Exclamation);
    }

private:
    EditorWindow& m_window;
    FindInFilesCommands& m_owner;
    const Platform& m_platform;
};

std::string tempFolder() {
    const char* t = std::getenv("TMPDIR");
    return t && *t ? std::string(t) : std::string("/tmp");
}

}  // namespace

const CommandTable<FindInFilesCommands>& FindInFilesCommands::commandTable() {
    using F = FindInFilesCommands;
    static const CommandTable<F> table{
        {cmd::kFindInFilesKey, cmd::kFindInFilesKey, &F::cmdFindInFiles, &F::updateFindInFiles},
    };
    return table;
}

void FindInFilesCommands::updateFindInFiles(CommandId, CommandState& state) { state.enabled = true; }

void FindInFilesCommands::cmdFindInFiles(CommandId) {
    if (m_running) {
        m_running = false;  // the running search notices and ends
        return;
    }
    search::SearchDialogs* dialogs = m_session.searchDialogs();
    if (!dialogs) return;
    search::SearchState& st = m_session.search();
    settings::EditorProfile& profile = m_session.settings().editor;
    settings::SearchOptions& opts = profile.search;
    search::FindInFilesDialogData d;
    d.text = st.searchString();
    if (CLuView* v = m_session.activeView(); v && v->hasSelection() && !v->boxSelection()) {
        const std::string sel = v->selectedText();
        if (!sel.empty() && sel.find_first_of("\r\n\f") == std::string::npos) d.text = sel;
    }
    d.history = st.searchHistory();
    d.folderHistory = listOf(profile.history.findPath);
    d.filterHistory = listOf(profile.history.findFilter);
    d.folder = d.folderHistory.empty() ? std::string() : d.folderHistory.front();
    d.filter = d.filterHistory.empty() ? std::string() : d.filterHistory.front();
    d.flags = st.optionSet(search::OptionSet::FindInFiles);
    d.subFolders = opts.findSubDir;
    d.openDocuments = opts.findCurFile;
    d.onlyOnePerFile = opts.findOnlyOne;
    m_running = true;
    const bool ok = dialogs->askFindInFiles(d);
    if (!ok || d.text.empty()) {
        m_running = false;
        return;
    }
    search::SearchFlags flags = d.flags;
    if (flags.regex) flags.wholeWord = false;
    flags.inSelection = false;
    st.setFlags(flags);
    st.addSearchString(d.text);
    std::vector<std::string> folders = d.folderHistory, filters = d.filterHistory;
    search::addToHistory(folders, d.folder, 10);
    search::addToHistory(filters, d.filter, 10);
    storeList(folders, profile.history.findPath);
    storeList(filters, profile.history.findFilter);
    opts.findSubDir = d.subFolders;
    opts.findCurFile = d.openDocuments;
    opts.findOnlyOne = d.onlyOnePerFile;

    if (!d.folder.empty() && !d.filter.empty()) {
        st.saveOptionSet(search::OptionSet::FindInFiles);
        m_request = {};
        m_request.folder = d.folder;
        m_request.filter = d.filter;
        m_request.subFolders = d.subFolders;
        m_request.onlyOnePerFile = d.onlyOnePerFile;
        m_request.useFiles = d.openDocuments;
        EditorWindow* w = resultWindowFor(m_session);
        m_session.setActiveWindow(w);
        m_session.router().run(cmd::kFindInFiles);
    }
    m_running = false;
}

void FindInFilesCommands::runInto(EditorWindow& window) {
    search::SearchState& st = m_session.search();
    const std::string text = st.searchString();
    const bool wasRunning = m_running;
    m_running = true;
    const bool fresh = !window.document().resultInitialised();
    beginResult(window, m_session.settings().app.findWnd ? resultTitleFor(text)
                                                         : std::string(strings::text(strings::kSearchResultName)));
    search::CompiledPattern pattern;
    if (!pattern.compileOrReport(text, st.flags().pattern(), m_session.platform().messages)) {
        if (resultEmpty(window)) m_session.closeWindow(window);
        m_running = wasRunning;
        return;
    }
    search::FindInFilesRequest request = m_request;
    request.readSetting = m_session.settings().document.autoKanji;
    if (request.useFiles) {
        request.files.clear();
        for (EditorWindow* w : m_session.windows())
            if (w != &window && !w->document().untitled()) request.files.push_back(w->document().path());
    }
    window.document().setSearchRunning(true);
    DocumentSink sink(window, *this, m_session.platform());
    const search::FindInFilesResult r = search::findInFiles(pattern, request, sink);
    finishResult(window);
    m_running = wasRunning;
    (void)fresh;
    if (r.hits == 0) {
        if (m_session.platform().messages)
            m_session.platform().messages->showId(strings::kNoMatch, MsgIcon::Information);
        if (resultEmpty(window)) m_session.closeWindow(window);
    }
}

void FindInFilesCommands::showList(const std::string& lines) {
    // The list goes through a temporary file, as a program's output does,
    // so that both load the same way.
    std::string path = tempFolder() + "/OrvexListXXXXXX";
    const int fd = ::mkstemp(path.data());
    bool ok = fd >= 0;
    if (ok) {
        size_t done = 0;
        while (ok && done < lines.size()) {
            const ssize_t n = ::write(fd, lines.data() + done, lines.size() - done);
            if (n <= 0) ok = false;
            else done += size_t(n);
        }
        ::close(fd);
        if (!ok) ::unlink(path.c_str());
    }
    if (!ok) {
        if (m_session.platform().messages)
            m_session.platform().messages->showId(strings::kCannotCreateTemp, MsgIcon::Exclamation);
        return;
    }
    m_pendingList = path;
    EditorWindow* w = resultWindowFor(m_session);
    m_session.setActiveWindow(w);
    m_session.router().run(cmd::kTagFileNewDocument);
}

void FindInFilesCommands::loadListInto(EditorWindow& window) {
    if (m_pendingList.empty()) return;
    const std::string path = std::move(m_pendingList);
    m_pendingList.clear();
    beginResult(window, std::string(strings::text(strings::kSearchResultName)));
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    bool ok = f != nullptr;
    if (f) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        ok = !std::ferror(f);
        std::fclose(f);
    }
    ::unlink(path.c_str());
    if (!ok) {
        if (m_session.platform().messages)
            m_session.platform().messages->showId(strings::kCannotRedirect, MsgIcon::Exclamation);
        if (resultEmpty(window)) m_session.closeWindow(window);
        return;
    }
    appendResult(window, text);
    finishResult(window);
    window.activeView().placeCursor(0, 0);
    window.activeView().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

}  // namespace orvex::shell
