#include "shell/MainFrameCommands.h"

#include <unistd.h>

#include "common/codepage/Cp932.h"
#include "common/platform/FileDialogs.h"
#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "display/LayoutOptions.h"
#include "files/CodeChoices.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FileAssociation.h"
#include "shell/FrameHost.h"
#include "shell/RecentFiles.h"
#include "shell/UrlLaunch.h"
#include "shell/EditorDocument.h"

namespace orvex::shell {

namespace {

// Tab widths the tab-stop dialog accepts, in columns.
constexpr int kMinTabWidth = 1;
constexpr int kMaxTabWidth = 16;

// The dialog's filter text for a stored filter such as "*.txt;*.log".
std::string dialogFilter(const std::string& stored) {
    std::string patterns = stored;
    for (char& c : patterns)
        if (c == ';') c = ' ';
    return patterns + " (" + patterns + ")";
}

}  // namespace

const CommandTable<MainFrameCommands>& MainFrameCommands::commandTable() {
    using F = MainFrameCommands;
    static const CommandTable<MainFrameCommands> table{
        {cmd::kFileNew, cmd::kFileNew, &F::cmdNew, nullptr},
        {cmd::kFileOpen, cmd::kFileOpen, &F::cmdOpen, nullptr},
        {cmd::kSaveAll, cmd::kSaveAll, &F::cmdSaveAll, &F::updateNeedsWindow},
        {cmd::kCloseAll, cmd::kCloseAll, &F::cmdCloseAll, &F::updateNeedsWindow},
        {cmd::kSaveAllExit, cmd::kSaveAllExit, &F::cmdSaveAllExit, nullptr},
        {cmd::kDiscardAllExit, cmd::kDiscardAllExit, &F::cmdDiscardAllExit, nullptr},
        {cmd::kCascade, cmd::kTileVertical, &F::cmdArrange, &F::updateNeedsHostAndWindow},
        {cmd::kNextWindow, cmd::kPreviousWindow, &F::cmdSwitchWindow, &F::updateNeedsHostAndWindow},
        {cmd::kToolbar1, cmd::kStatusBar, &F::cmdBars, &F::updateBars},
        {cmd::kToolBar2Toggle, cmd::kToolBar2Toggle, &F::cmdBars, &F::updateBars},
        {cmd::kWindowBarToggle, cmd::kWindowBarToggle, &F::cmdBars, &F::updateBars},
        {cmd::kFileView, cmd::kFileView, &F::cmdBars, &F::updateBars},
        {cmd::kWindowBarWindow, CommandId(cmd::kWindowBarWindow + 9), &F::cmdWindowBarWindow, &F::updateWindowBarWindow},
        {cmd::kScrollAllWindows, cmd::kScrollAllWindows, &F::cmdScrollAll, &F::updateScrollAll},
        {cmd::kArrangeInstancesStacked, cmd::kArrangeInstancesSideBySide, &F::cmdArrangeInstances, &F::updateNeedsHost},
        {cmd::kLineLength, cmd::kTabStops, &F::cmdColumnDialog, &F::updateNeedsHostAndWindow},
        {cmd::kCommandTablesSheet, cmd::kCommandTablesSheet, &F::cmdCommandTables, &F::updateNeedsHost},
        {cmd::kDiscardAllClose, cmd::kDiscardAllClose, &F::cmdDiscardAllClose, &F::updateNeedsWindow},
        {cmd::kRecentFile, CommandId(cmd::kRecentFile + 15), &F::cmdRecentFile, &F::updateRecentFile},
        {cmd::kClearRecentFiles, cmd::kClearRecentFiles, &F::cmdClearRecent, &F::updateAnyRecent},
        {cmd::kFavouriteFile, CommandId(cmd::kFavouriteFile + 19), &F::cmdFavourite, &F::updateFavourite},
        {cmd::kRemoveFavourite, CommandId(cmd::kRemoveFavourite + 19), &F::cmdRemoveFavourite, &F::updateFavourite},
        {cmd::kAddFavouriteFile, cmd::kAddFavouriteFile, &F::cmdAddFavourite, &F::updateAddFavourite},
        {cmd::kOpenAllFavourites, cmd::kOpenAllFavourites, &F::cmdOpenAllFavourites, &F::updateAnyFavourite},
        {cmd::kUrlJump, cmd::kUrlJump, &F::cmdUrlJump, &F::updateNeedsWindow},
    };
    return table;
}

bool MainFrameCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool MainFrameCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void MainFrameCommands::cmdNew(CommandId) { m_session.newDocument(); }

void MainFrameCommands::cmdOpen(CommandId) {
    settings::Settings& s = m_session.settings();
    FileDialogs* dialogs = m_session.platform().fileDialogs;
    if (!dialogs) return;
    FileDialogRequest request;
    request.save = false;
    request.multiSelect = true;
    request.title = commands::menuText(cmd::kFileOpen);
    request.directory = s.app.defDir[0];
    for (const std::string& f : s.app.usrFileFilter)
        if (!f.empty()) request.filters.push_back(dialogFilter(cp932::toUtf8(f)));
    for (std::string_view c : files::kReadCodeChoices) request.codeChoices.emplace_back(c);
    request.codeIndex = files::readChoiceOfAutoKanji(s.document.autoKanji);
    const std::optional<FileDialogResult> chosen = dialogs->ask(request);
    if (!chosen) return;
    // The code list of the dialog is the read setting.
    s.document.autoKanji = files::autoKanjiOfReadChoice(chosen->codeIndex);
    for (const std::string& path : chosen->paths)
        if (!m_session.openFile(path)) break;
}

void MainFrameCommands::cmdSaveAll(CommandId) { m_session.saveAll(); }

void MainFrameCommands::cmdCloseAll(CommandId) { m_session.closeAllDocuments(); }

void MainFrameCommands::cmdSaveAllExit(CommandId) {
    if (!m_session.saveAll()) return;
    m_session.exit();
}

void MainFrameCommands::cmdDiscardAllExit(CommandId) {
    MessageBoxes* messages = m_session.platform().messages;
    if (!messages || messages->showId(strings::kDiscardAllEdits, MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    for (EditorWindow* w : m_session.windows()) w->document().doc().setModified(false);
    m_session.exit();
}

void MainFrameCommands::cmdArrange(CommandId id) {
    if (FrameHost* host = m_session.frameHost()) host->arrangeWindows(id);
}

void MainFrameCommands::cmdSwitchWindow(CommandId id) {
    if (FrameHost* host = m_session.frameHost()) host->switchWindow(id == cmd::kNextWindow);
}

void MainFrameCommands::cmdBars(CommandId id) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    const bool show = !host->barVisible(id);
    host->setBarVisible(id, show);
    settings::FrameOptions& f = m_session.settings().frame;
    if (id == cmd::kToolbar1) f.toolBarDisp = show ? 1 : 0;
    else if (id == cmd::kToolBar2Toggle) f.toolBarDisp2 = show ? 1 : 0;
    else if (id == cmd::kWindowBarToggle) f.windBarDisp = show ? 1 : 0;
    else if (id == cmd::kFileView) f.fileWinDisp = show ? 1 : 0;
    else f.statusBarDisp = show ? 1 : 0;
}

// Window 1-10 of the window bar, in the order the windows were opened.
void MainFrameCommands::cmdWindowBarWindow(CommandId id) {
    const auto open = m_session.windows();
    const size_t i = size_t(id - cmd::kWindowBarWindow);
    if (i >= open.size()) return;
    m_session.setActiveWindow(open[i]);
    if (FrameHost* host = m_session.frameHost()) host->bringToFront(*open[i]);
}

void MainFrameCommands::updateWindowBarWindow(CommandId id, CommandState& state) {
    const auto open = m_session.windows();
    const size_t i = size_t(id - cmd::kWindowBarWindow);
    state.enabled = i < open.size();
    state.checked = state.enabled && open[i] == m_session.activeWindow();
}

void MainFrameCommands::cmdArrangeInstances(CommandId id) {
    if (FrameHost* host = m_session.frameHost()) host->arrangeInstances(id == cmd::kArrangeInstancesSideBySide);
}

void MainFrameCommands::cmdScrollAll(CommandId) { m_session.setScrollAllWindows(!m_session.scrollAllWindows()); }

void MainFrameCommands::updateScrollAll(CommandId, CommandState& state) {
    state.checked = m_session.scrollAllWindows();
}

// The line length (LineMax of the active document's file-type mode) and
// the tab stops (TabStops of that mode). Either change lays out every open
// document again; a new line length may also resize the window so that
// the lines fit (ModifyWinWidth).
void MainFrameCommands::cmdColumnDialog(CommandId id) {
    EditorWindow* window = m_session.activeWindow();
    FrameHost* host = m_session.frameHost();
    if (!window || !host) return;
    settings::Settings& s = m_session.settings();
    settings::ModeOptions& mode = s.editor.mode(window->document().mode());
    settings::EditorOptions& options = s.editor.options;
    ColumnRequest request;
    request.title = commands::menuText(id);
    request.lineLength = id == cmd::kLineLength;
    request.columns = request.lineLength ? mode.lineMax : mode.tabStops / 4;
    request.minimum = request.lineLength ? int32_t(kMinWrapWidth) : kMinTabWidth;
    request.maximum = request.lineLength ? int32_t(kMaxWrapWidth) : kMaxTabWidth;
    request.fullWidth = options.numByWchar != 0;
    if (!host->askColumns(request)) return;
    options.numByWchar = request.fullWidth ? 1 : 0;
    if (request.lineLength) mode.lineMax = request.columns;
    else mode.tabStops = request.columns * 4;
    m_session.relayoutOpenDocuments();
    if (request.lineLength && options.modifyWinWidth) host->fitColumns(window->document().doc().text().wrapWidth());
}

void MainFrameCommands::cmdCommandTables(CommandId) {
    if (FrameHost* host = m_session.frameHost()) host->editCommandTables();
}

void MainFrameCommands::updateNeedsHost(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

// Closes every document without saving, after the same question as the
// exit that discards everything.
void MainFrameCommands::cmdDiscardAllClose(CommandId) {
    MessageBoxes* messages = m_session.platform().messages;
    if (!messages || messages->showId(strings::kDiscardAllEdits, MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    for (EditorWindow* w : m_session.windows()) w->document().doc().setModified(false);
    m_session.closeAllDocuments();
}

// Opening from either list brings the main window up first. A recent file
// that cannot be opened leaves the list when DelRecentFile is on.
void MainFrameCommands::cmdRecentFile(CommandId id) {
    settings::Settings& s = m_session.settings();
    const size_t i = size_t(id - cmd::kRecentFile);
    const std::vector<std::string> shown = shownRecentFiles(s.recentFiles, s.app.recentFileNum);
    if (i >= shown.size()) return;
    if (FrameHost* host = m_session.frameHost()) host->restoreMainWindow();
    const std::string path = shown[i];
    if (m_session.openFile(path)) return;
    if (s.app.delRecentFile != 0) {
        for (size_t k = 0; k < s.recentFiles.files.size(); ++k)
            if (s.recentFiles.files[k] == path) {
                removeRecentFile(s.recentFiles, k);
                break;
            }
        if (FrameHost* host = m_session.frameHost()) host->recentFilesChanged();
    }
}

void MainFrameCommands::cmdClearRecent(CommandId) {
    clearRecentFiles(m_session.settings().recentFiles);
    if (FrameHost* host = m_session.frameHost()) host->recentFilesChanged();
}

void MainFrameCommands::cmdFavourite(CommandId id) {
    const std::string path = m_session.settings().frame.favouriteFiles[size_t(id - cmd::kFavouriteFile)];
    if (path.empty()) return;
    if (FrameHost* host = m_session.frameHost()) host->restoreMainWindow();
    m_session.openFile(path);
}

void MainFrameCommands::cmdRemoveFavourite(CommandId id) {
    if (removeFavourite(m_session.settings().frame.favouriteFiles, size_t(id - cmd::kRemoveFavourite)))
        if (FrameHost* host = m_session.frameHost()) host->recentFilesChanged();
}

void MainFrameCommands::cmdAddFavourite(CommandId) {
    EditorWindow* w = m_session.activeWindow();
    if (!w || w->document().untitled()) return;
    if (addFavourite(m_session.settings().frame.favouriteFiles, w->document().path()))
        if (FrameHost* host = m_session.frameHost()) host->recentFilesChanged();
}

void MainFrameCommands::cmdOpenAllFavourites(CommandId) {
    if (FrameHost* host = m_session.frameHost()) host->restoreMainWindow();
    const FavouriteList list = m_session.settings().frame.favouriteFiles;
    for (const std::string& path : list)
        if (!path.empty()) m_session.openFile(path);
}

void MainFrameCommands::updateRecentFile(CommandId id, CommandState& state) {
    const settings::Settings& s = m_session.settings();
    state.enabled = size_t(id - cmd::kRecentFile) < shownRecentFiles(s.recentFiles, s.app.recentFileNum).size();
}

void MainFrameCommands::updateAnyRecent(CommandId, CommandState& state) {
    const settings::Settings& s = m_session.settings();
    state.enabled = !shownRecentFiles(s.recentFiles, s.app.recentFileNum).empty();
}

void MainFrameCommands::updateFavourite(CommandId id, CommandState& state) {
    const CommandId first = id >= cmd::kRemoveFavourite ? cmd::kRemoveFavourite : cmd::kFavouriteFile;
    state.enabled = !m_session.settings().frame.favouriteFiles[size_t(id - first)].empty();
}

void MainFrameCommands::updateAddFavourite(CommandId, CommandState& state) {
    EditorWindow* w = m_session.activeWindow();
    state.enabled = w && !w->document().untitled();
}

void MainFrameCommands::updateAnyFavourite(CommandId, CommandState& state) {
    state.enabled = false;
    for (const std::string& f : m_session.settings().frame.favouriteFiles)
        if (!f.empty()) state.enabled = true;
}

void MainFrameCommands::updateNeedsWindow(CommandId, CommandState& state) {
    state.enabled = m_session.activeWindow() != nullptr;
}

void MainFrameCommands::updateNeedsHostAndWindow(CommandId, CommandState& state) {
    state.enabled = m_session.frameHost() && m_session.activeWindow() != nullptr;
}

void MainFrameCommands::updateBars(CommandId id, CommandState& state) {
    FrameHost* host = m_session.frameHost();
    state.enabled = host != nullptr;
    state.checked = host && host->barVisible(id);
}

// ---- Application

const CommandTable<ApplicationCommands>& ApplicationCommands::commandTable() {
    using A = ApplicationCommands;
    static const CommandTable<ApplicationCommands> table{
        {cmd::kAbout, cmd::kAbout, &A::cmdAbout, &A::updateNeedsHost},
        {cmd::kAppExit, cmd::kAppExit, &A::cmdExit, nullptr},
        {cmd::kExitResident, cmd::kExitResident, &A::cmdExitResident, nullptr},
        {cmd::kFileAssociation, cmd::kFileAssociation, &A::cmdAssociate, &A::updateNeedsHost},
    };
    return table;
}

bool ApplicationCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ApplicationCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void ApplicationCommands::cmdExit(CommandId) { m_session.exit(); }

// Ends the process for real, also in resident mode.
void ApplicationCommands::cmdExitResident(CommandId) { m_session.exit(true); }

void ApplicationCommands::cmdAbout(CommandId) {
    if (FrameHost* host = m_session.frameHost()) host->showAbout();
}

// The association page, then the association of its extensions with the
// editor through the desktop's MIME database and default applications.
void ApplicationCommands::cmdAssociate(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    settings::AppOptions& app = m_session.settings().app;
    AssociationRequest request{app.defIcon, app.exts, app.newExt};
    if (!host->editAssociation(request)) return;
    app.defIcon = request.defIcon;
    app.exts = request.exts;
    app.newExt = request.newExt;

    std::string program(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", program.data(), program.size() - 1);
    program.resize(n > 0 ? size_t(n) : 0);
    const XdgAssociations xdg(XdgFolders::fromEnvironment(), program.empty() ? "orvex" : program);
    MessageBoxes* messages = m_session.platform().messages;
    const AssociationResult result =
        registerAssociations(xdg, app.exts, app.newExt, [messages](const std::string& ext, const std::string& handler) {
            return messages && messages->showId(strings::kAlreadyAssociated, MsgIcon::Question, MsgButtons::YesNo,
                                                {ext, handler}) == MsgResult::Yes;
        });
    if (!messages) return;
    for (const std::string& ext : result.failed) {
        MessageRequest r;
        r.text = std::string(strings::text(strings::kAssociationFailed)) + "\r\n" + ext;
        r.icon = MsgIcon::Exclamation;
        r.textId = strings::kAssociationFailed;
        messages->show(r);
    }
}

void ApplicationCommands::updateNeedsHost(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

// The URL or mail address at the active view's caret is started.
void MainFrameCommands::cmdUrlJump(CommandId) {
    if (CLuView* view = m_session.activeView()) launchUrlAtCaret(*view, m_session.settings().frame, m_session.platform());
}

}  // namespace orvex::shell
