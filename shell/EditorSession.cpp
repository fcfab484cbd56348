#include "shell/EditorSession.h"

#include <optional>

#include <algorithm>
#include <unistd.h>

#include "display/RenderSettings.h"
#include "files/AppendToFile.h"
#include "files/AutoBackupService.h"
#include "files/FileInfo.h"
#include "files/FreedesktopTrash.h"
#include "files/ViewFileCommands.h"
#include "keymacro/KeyMacroSlots.h"
#include "search/SearchFrameCommands.h"
#include "search/ViewSearch.h"
#include "shell/CommandTableDefaults.h"
#include "transform/ViewConversions.h"
#include "transform/ViewFormatting.h"
#include "shell/EditorDocument.h"
#include "shell/EditorWindow.h"
#include "shell/FileViewerLauncher.h"
#include "shell/ExternalProgramCommands.h"
#include "shell/FindInFilesCommands.h"
#include "shell/PrintCommands.h"
#include "shell/SettingsCommands.h"
#include "shell/FrameStores.h"
#include "shell/RecentFiles.h"
#include "shell/Startup.h"
#include "shell/StructureCommands.h"
#include "shell/TagJumps.h"
#include "shell/TextStoreCommands.h"
#include "shell/FrameHost.h"
#include "shell/InstanceControl.h"
#include "shell/KeyMacroCommands.h"
#include "shell/MacroCommands.h"
#include "shell/MacroLibraryBinding.h"
#include "shell/MainFrameCommands.h"
#include "shell/UrlLaunch.h"
#include "text/CLuDoc.h"
#include "text/RuledLineCommands.h"

namespace orvex::shell {

class EditorSession::Hooks final : public EditorHooks {
public:
    explicit Hooks(EditorSession& session) : m_session(session) {}
    void relayoutOpenDocuments() override { m_session.relayoutOpenDocuments(); }
    bool tagJump(CLuView& view) override {
        for (EditorWindow* w : m_session.windows())
            for (int pane = 0; pane < 2; ++pane)
                if (&w->view(pane) == &view) return m_session.tagJumps().jumpFrom(view, w->document());
        return false;
    }
    // A double click on a URL or mail address starts it (ClikUrlJmp).
    bool urlJump(CLuView& view) override {
        if (m_session.settings().frame.clikUrlJmp == 0) return false;
        return launchUrlAtCaret(view, m_session.settings().frame, m_session.platform());
    }

private:
    EditorSession& m_session;
};

EditorSession::EditorSession(settings::SettingsEnvironment env, const Platform& platform, bool loadSettings)
    : m_settings(std::make_unique<settings::Settings>(std::move(env))), m_platform(platform), m_router(*this) {
    if (loadSettings) m_settings->loadAll(false);
    m_viewOptions = std::make_unique<ProfileViewOptions>(m_settings->editor,
                                                         [](const CLuDoc& doc) { return doc.fileTypeMode(); });
    m_trash = std::make_unique<files::FreedesktopTrash>();
    m_fileServices = files::documentFileServices(*m_settings, m_trash.get());
    m_fileServices.openForAppend = [this](const files::AppendRequest& r) { return openForAppend(r); };
    m_viewer = std::make_unique<FileViewerLauncher>(m_platform);
    m_fileServices.showInViewer = [this](const std::string& path) { m_viewer->show(path); };
    m_hooks = std::make_unique<Hooks>(*this);
    m_clipHistory = std::make_unique<ClipboardHistory>();
    {
        const std::string& data = m_settings->environment().dataFolder;
        m_scrapBook = std::make_unique<ScrapBook>(data.empty() ? std::string() : data + "/" + ScrapBook::kFileName);
    }
    m_search.load(m_settings->editor);
    m_mainFrameCommands = std::make_unique<MainFrameCommands>(*this);
    m_keyMacros = std::make_unique<keymacro::KeyMacroSlots>(m_settings->environment().dataFolder);
    m_keyMacros->setRecordingChanged([this] {
        if (m_host) m_host->keyMacroRecordingChanged();
    });
    m_keyMacro = m_keyMacros.get();
    m_keyMacroCommands = std::make_unique<KeyMacroCommands>(*this);
    m_searchCommands = std::make_unique<search::SearchFrameCommands>(m_search);
    m_applicationCommands = std::make_unique<ApplicationCommands>(*this);
    m_tagJumps = std::make_unique<TagJumps>(*this);
    {
        auto findInFiles = std::make_unique<FindInFilesCommands>(*this);
        m_findInFiles = findInFiles.get();
        m_frameTargets.push_back(std::move(findInFiles));
        auto programs = std::make_unique<ExternalProgramCommands>(*this);
        m_externalPrograms = programs.get();
        m_frameTargets.push_back(std::move(programs));
        auto textStores = std::make_unique<TextStoreCommands>(*this);
        m_textStores = textStores.get();
        m_frameTargets.push_back(std::move(textStores));
        auto printing = std::make_unique<PrintCommands>(*this);
        m_printCommands = printing.get();
        m_frameTargets.push_back(std::move(printing));
        auto settingsCommands = std::make_unique<SettingsCommands>(*this);
        m_settingsCommands = settingsCommands.get();
        m_frameTargets.push_back(std::move(settingsCommands));
        m_macroLibrary = std::make_unique<MacroLibraryBinding>(m_platform);
        auto macros = std::make_unique<MacroCommands>(*this, *m_macroLibrary);
        m_macroCommands = macros.get();
        m_frameTargets.push_back(std::move(macros));
    }
    m_instanceControl = std::make_unique<InstanceControl>(*this);
    m_stopMacro = [this] { m_macroLibrary->stop(); };

    // The command families every view carries.
    m_viewTargets.add<files::ViewFileCommands>(
        [](CLuView& view, EditorDocument& document, EditorSession&) -> std::unique_ptr<CommandTarget> {
            return std::make_unique<files::ViewFileCommands>(view, document.file());
        });
    m_viewTargets.add<search::ViewSearch>(
        [](CLuView& view, EditorDocument&, EditorSession& session) -> std::unique_ptr<CommandTarget> {
            search::SearchServices services;
            services.state = &session.search();
            services.dialogs = session.searchDialogs();
            services.highlightFound = session.highlightFound();
            return std::make_unique<search::ViewSearch>(view, services);
        });
    m_viewTargets.add<RuledLineCommands>(
        [](CLuView& view, EditorDocument&, EditorSession&) -> std::unique_ptr<CommandTarget> {
            return std::make_unique<RuledLineCommands>(view);
        });
    auto transformServices = [](EditorSession& session) {
        transform::TransformServices services;
        services.profile = &session.settings().editor;
        services.state = &session.transformState();
        services.dialogs = session.transformDialogs();
        services.clipboard = session.platform().clipboard;
        services.messages = session.platform().messages;
        services.now = session.m_clock;
        services.formatClipboard = [&session] {
            // A new untitled window, and 32911 for its view.
            if (!session.router().run(cmd::kFileNew)) return;
            session.router().run(cmd::kClipboardFormatView);
        };
        services.closeView = [&session](CLuView& view) {
            for (EditorWindow* w : session.windows())
                if (&w->view(0) == &view || &w->view(1) == &view) {
                    session.closeWindow(*w);
                    return;
                }
        };
        services.setLineMax = [&session](int mode, int lineMax) {
            session.settings().editor.mode(mode).lineMax = clampWrapWidth(lineMax);
            session.relayoutOpenDocuments();
        };
        return services;
    };
    m_viewTargets.add<transform::ViewConversions>(
        [transformServices](CLuView& view, EditorDocument&, EditorSession& session) -> std::unique_ptr<CommandTarget> {
            return std::make_unique<transform::ViewConversions>(view, transformServices(session));
        });
    m_viewTargets.add<transform::ViewFormatting>(
        [transformServices](CLuView& view, EditorDocument&, EditorSession& session) -> std::unique_ptr<CommandTarget> {
            return std::make_unique<transform::ViewFormatting>(view, transformServices(session));
        });

    m_viewTargets.add<StructureCommands>(
        [](CLuView& view, EditorDocument& document, EditorSession& session) -> std::unique_ptr<CommandTarget> {
            return std::make_unique<StructureCommands>(view, document, session);
        });

    applySettings();
    m_state.initialise(m_viewOptions->global());
}

EditorSession::~EditorSession() {
    // Windows go before the services their documents registered with.
    m_host = nullptr;
    m_active = nullptr;
    m_instanceControl.reset();
    m_windows.clear();
    m_closed.clear();
    m_frameTargets.clear();
    if (m_autoBackups) m_autoBackups->stop();
}

EditorHooks& EditorSession::hooks() { return *m_hooks; }

void EditorSession::applySettings() {
    settings::Settings& s = *m_settings;
    m_colours = ColourTable::resolve(storedColours(s.colours), m_systemColours);
    refreshModeOptions();
    applyKeyDefaults(s.tables.keys);
    applyMenuDefaults(s.tables.menu);
    applyToolbar1Defaults(s.tables.toolbar1);
    m_keys.rebuild(s.tables.keys);
}

void EditorSession::applyCommandTables() {
    settings::CommandTables& t = m_settings->tables;
    applyKeyDefaults(t.keys);
    applyMenuDefaults(t.menu);
    applyToolbar1Defaults(t.toolbar1);
    t.keys.changed = t.menu.changed = t.toolbar1.changed = t.toolbar2.changed = true;
    m_keys.rebuild(t.keys);
    if (m_host) m_host->commandTablesChanged();
}

void EditorSession::refreshModeOptions() {
    settings::Settings& s = *m_settings;
    for (int m = 0; m < settings::kModeCount; ++m) {
        m_render[size_t(m)] = orvex::renderOptions(s.editor.options, s.editor.mode(m), s.frame.urlKanji);
        m_keywords[size_t(m)] =
            KeywordMatcher(s.editor.keywords, keywordGroupsOn(m_render[size_t(m)].keywdSel, m_colours));
    }
}

void EditorSession::reapplySettings(bool residentChanged) {
    applySettings();
    for (EditorWindow* w : windows()) w->document().applySettings();
    if (!m_host) return;
    m_host->commandTablesChanged();
    m_host->settingsApplied(residentChanged);
    m_host->viewsChanged();
}

void EditorSession::saveSettings() {
    m_search.save(m_settings->editor);
    m_settings->saveAll(false, false);
}

void EditorSession::startServices() {
    if (m_autoBackups) return;
    m_autoBackups = std::make_unique<files::AutoBackupService>(m_platform.timers, &m_settings->app);
    m_autoBackups->start();
    // Documents made before the service register now.
    for (EditorWindow* w : windows()) m_autoBackups->add(w->document().file());
}

// ---- Windows

std::vector<EditorWindow*> EditorSession::windows() const {
    std::vector<EditorWindow*> out;
    out.reserve(m_windows.size());
    for (const auto& w : m_windows) out.push_back(w.get());
    return out;
}

void EditorSession::setMacroLibrary(std::unique_ptr<MacroLibraryBinding> binding) {
    if (!binding) return;
    // The commands keep a reference to the binding: they are made again.
    auto macros = std::make_unique<MacroCommands>(*this, *binding);
    for (auto& t : m_frameTargets)
        if (t.get() == m_macroCommands) {
            m_macroCommands = macros.get();
            t = std::move(macros);
            break;
        }
    m_macroLibrary = std::move(binding);
}

win::Handle EditorSession::mainWindowHandle() const { return m_instanceControl->handle(); }

win::Handle EditorSession::viewHandle(const CLuView* view) const {
    if (!view) return nullptr;
    for (const auto& w : m_windows)
        for (int pane = 0; pane < EditorWindow::kPaneCount; ++pane)
            if (&w->view(pane) == view) return w->requests(pane).handle();
    return nullptr;
}

CLuView* EditorSession::activeView() const { return m_active ? &m_active->activeView() : nullptr; }

void EditorSession::setActiveWindow(EditorWindow* window) {
    if (!window) return;
    const auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& w) { return w.get() == window; });
    if (it != m_windows.end()) m_active = window;
}

EditorWindow* EditorSession::addWindow(std::unique_ptr<EditorDocument> document) {
    EditorDocument& doc = *document;
    m_windows.push_back(std::make_unique<EditorWindow>(*this, std::move(document)));
    EditorWindow* window = m_windows.back().get();
    // The document's own close command (57602) asked and released the file
    // already; the window goes without asking again.
    doc.setCloseHandler([this, window] {
        if (m_host) m_host->closeWindow(*window);
        else retireWindow(*window, false);
    });
    m_active = window;
    if (m_host) m_host->windowOpened(*window);
    return window;
}

EditorWindow* EditorSession::newDocument() { return addWindow(std::make_unique<EditorDocument>(*this)); }

EditorWindow* EditorSession::openFile(const std::string& path) {
    for (EditorWindow* w : windows()) {
        if (!w->document().untitled() && files::isSameFile(w->document().path(), path)) {
            m_active = w;
            if (m_host) m_host->bringToFront(*w);
            return w;
        }
    }
    auto document = std::make_unique<EditorDocument>(*this);
    if (!document->open(path)) return nullptr;
    EditorWindow* window = addWindow(std::move(document));
    noteRecentFile(window->document().path());
    return window;
}

bool EditorSession::processCommandLine(const CommandLineInfo& info) {
    const std::vector<std::string> files = info.files();
    if (files.empty()) {
        newDocument();
        return true;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        EditorWindow* w = openFile(files[i]);
        if (!w) return false;
        if (i == 0 && info.jumpLine > 0) w->activeView().goToLine(info.jumpLine);
    }
    return true;
}

void EditorSession::viewScrolled(EditorWindow& from, int32_t rows, int32_t columns) {
    if (!m_scrollAll || m_scrollingAll || (rows == 0 && columns == 0)) return;
    m_scrollingAll = true;
    for (const auto& w : m_windows) {
        if (w.get() == &from) continue;
        CLuView& v = w->activeView();
        v.scrollTo(v.topRow() + rows, std::max(0, v.leftColumn() + columns));
    }
    m_scrollingAll = false;
}

bool EditorSession::closeWindow(EditorWindow& window) {
    if (m_host) return m_host->closeWindow(window);
    if (!window.queryClose()) return false;
    retireWindow(window, false);
    return true;
}

bool EditorSession::closeAllDocuments() {
    for (EditorWindow* w : windows())
        if (!closeWindow(*w)) return false;
    return true;
}

bool EditorSession::saveAll() {
    for (EditorWindow* w : windows())
        if (w->document().doc().isModified() && !w->document().save()) return false;
    return true;
}

bool EditorSession::exit(bool forReal) {
    if (!m_host) return shutdown();
    m_realExit = forReal;
    const bool ended = m_host->exitApplication();
    if (!ended) m_realExit = false;
    return ended;
}

bool EditorSession::shutdown() {
    if (m_stopMacro) m_stopMacro();
    if (m_residentEnd) m_residentEnd();
    if (!closeDocumentsAndStore()) return false;
    m_viewer->unload();
    m_exited = true;
    return true;
}

bool EditorSession::residentClose() { return closeDocumentsAndStore(); }

bool EditorSession::closeDocumentsAndStore() {
    // The list is taken before the windows close (their carets go with
    // them) and stored only when the close goes through.
    std::optional<settings::OpenFileList> open;
    if (m_settings->app.autoLoad != 0) open = recordOpenFiles(*this);
    if (!closeAllDocuments()) return false;
    if (open) m_settings->openFiles = *open;
    saveStores();
    saveSettings();
    return true;
}

void EditorSession::saveStores() {
    // Write failures are silent: the texts stay in memory for the next try.
    m_scrapBook->save();
    if (m_settings->fixedStrings.state() == settings::FixedStrings::State::Changed) m_settings->fixedStrings.save();
}

settings::FixedStrings& EditorSession::fixedStrings() {
    m_settings->fixedStrings.ensureLoaded(m_settings->store());
    return m_settings->fixedStrings;
}

void EditorSession::noteRecentFile(const std::string& path) {
    addRecentFile(m_settings->recentFiles, path, m_settings->app.recentFileNum);
    if (m_host) m_host->recentFilesChanged();
}

void EditorSession::windowClosed(EditorWindow& window) { retireWindow(window, true); }

void EditorSession::windowDestroyed(EditorWindow& window) {
    const auto open = std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& w) { return w.get() == &window; });
    if (open != m_windows.end()) retireWindow(window, true);
    for (ClosedWindow& c : m_closed)
        if (c.window.get() == &window) c.hostOwned = false;
    if (m_commandDepth == 0) releaseClosedWindows();
}

void EditorSession::retireWindow(EditorWindow& window, bool hostOwned) {
    const auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& w) { return w.get() == &window; });
    if (it == m_windows.end()) return;
    // The automatic backups forget the document at once (its file is
    // released; a tick before the window goes must not write it).
    if (m_autoBackups) m_autoBackups->remove(window.document().file());
    // Its views stop answering messages at once.
    window.detachRequests();
    m_closed.push_back({std::move(*it), hostOwned});
    m_windows.erase(it);
    if (m_active == &window) m_active = m_windows.empty() ? nullptr : m_windows.back().get();
    if (m_commandDepth == 0) releaseClosedWindows();
}

void EditorSession::releaseClosedWindows() {
    std::erase_if(m_closed, [](const ClosedWindow& c) { return !c.hostOwned; });
}

void EditorSession::relayoutOpenDocuments() {
    refreshModeOptions();
    for (EditorWindow* w : windows()) w->document().applySettings();
    if (m_host) m_host->viewsChanged();
}

bool EditorSession::openForAppend(const files::AppendRequest& request) {
    // The target's window takes the text: the one already showing it, or a
    // new one (a new document when the target does not exist yet).
    EditorWindow* window = request.targetExisted ? openFile(request.target) : newDocument();
    if (!window) {
        ::unlink(request.tempFile.c_str());
        return false;
    }
    return files::appendTempFileToDocument(window->document().file(), request);
}

}  // namespace orvex::shell
