#include "shell/MainFrameCommands.h"

#include "common/codepage/Cp932.h"
#include "common/platform/FileDialogs.h"
#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "display/LayoutOptions.h"
#include "files/CodeChoices.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"

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
        {cmd::kLineLength, cmd::kTabStops, &F::cmdColumnDialog, &F::updateNeedsHostAndWindow},
        {cmd::kCommandTablesSheet, cmd::kCommandTablesSheet, &F::cmdCommandTables, &F::updateNeedsHost},
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
    else f.statusBarDisp = show ? 1 : 0;
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
    };
    return table;
}

bool ApplicationCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ApplicationCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void ApplicationCommands::cmdExit(CommandId) { m_session.exit(); }

void ApplicationCommands::cmdAbout(CommandId) {
    if (FrameHost* host = m_session.frameHost()) host->showAbout();
}

void ApplicationCommands::updateNeedsHost(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

}  // namespace orvex::shell
