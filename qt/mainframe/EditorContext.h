#pragma once
// Everything the editor's windows share for the whole run: the settings,
// the platform services, the editing state of all views, the search state
// with its dialogs, the key lookup and what painting needs (colour table,
// display font, keyword matchers and render options per file-type mode).
//
// The main window owns one; tests make their own with a settings
// environment in a temporary folder. The platform pointers may be replaced
// (by a test's scripted message boxes, say) before the first document is
// created: documents and views copy them. So may the search dialogs.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/platform/Platform.h"
#include "display/ColourTable.h"
#include "display/KeywordMatcher.h"
#include "display/LayoutOptions.h"
#include "display/RenderOptions.h"
#include "files/DocumentFileServices.h"
#include "search/SearchDialogs.h"
#include "search/SearchState.h"
#include "settings/Settings.h"
#include "shell/KeyLookup.h"
#include "text/EditorHooks.h"
#include "text/EditorState.h"
#include "text/ProfileViewOptions.h"

namespace orvex::files {
class AutoBackupService;
class Trash;
}  // namespace orvex::files

namespace orvex::qt {

class DisplayFont;
class EditorDocument;
class QtClipboard;
class QtFileDialogs;
class QtMessageBoxes;
class QtTimers;
class QtUiRequests;
class QtSearchDialogs;

class EditorContext {
public:
    // loadSettings: read the settings file now (the program); tests may
    // fill the settings themselves and call applySettings().
    explicit EditorContext(settings::SettingsEnvironment env, bool loadSettings = true);
    ~EditorContext();
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    settings::Settings& settings() { return *m_settings; }
    Platform& platform() { return m_platform; }
    EditorState& state() { return m_state; }
    ViewOptionsSource& viewOptions() { return *m_viewOptions; }
    EditorHooks& hooks();
    QtUiRequests& ui() { return *m_ui; }
    QtMessageBoxes& messageBoxes() { return *m_messages; }
    QtFileDialogs& fileDialogs() { return *m_fileDialogs; }

    // Rebuilds everything derived from the settings: the colour table, the
    // display font, the keyword matchers and render options, the key
    // lookup (with the default key table when none is stored), toolbar 1
    // and the context menu defaults. Windows repaint afterwards.
    void applySettings();

    const shell::KeyLookup& keyLookup() const { return m_keys; }
    const ColourTable& colours() const { return m_colours; }
    const DisplayFont& font() const { return *m_font; }
    const RenderOptions& renderOptions(int mode) const { return m_render[modeIndex(mode)]; }
    const KeywordMatcher& keywords(int mode) const { return m_keywords[modeIndex(mode)]; }

    // Rebuilds what follows the options of the file-type modes (render
    // options, keyword matchers) after a per-mode option changed.
    void refreshModeOptions();

    // Writes the search state into the editor profile, then saves every
    // setting that changed (at exit).
    void saveSettings();

    // What the file side of every document shares. The hook that opens the
    // target of an append in a window is the main window's.
    const files::DocumentFileServices& fileServices() const { return m_fileServices; }
    void setAppendHandler(std::function<bool(const files::AppendRequest&)> handler) {
        m_fileServices.openForAppend = std::move(handler);
    }
    // The automatic backups of the open documents: the main window's
    // service while it exists (null before and after). Documents register
    // with it.
    files::AutoBackupService* autoBackups() { return m_autoBackups; }
    void setAutoBackups(files::AutoBackupService* service) { m_autoBackups = service; }

    // The application's one search state (strings, histories, options, the
    // highlight string that every view paints), read from the editor
    // profile when the context is made. Its highlight is in use while the
    // found-text colour differs from the text colour.
    search::SearchState& search() { return m_search; }
    bool highlightFound() const { return m_colours.foundColoured(); }
    // The dialogs of the search commands: the Qt dialogs unless replaced.
    search::SearchDialogs* searchDialogs() { return m_searchDialogs; }
    void setSearchDialogs(search::SearchDialogs* dialogs);
    QtSearchDialogs& qtSearchDialogs() { return *m_qtSearchDialogs; }

    // Called when a per-mode layout option changed (automatic wrapping):
    // the main window lays out every open document again.
    void setRelayoutHandler(std::function<void()> handler) { m_relayout = std::move(handler); }
    // Lays out every open document again (the hook of the views).
    void relayoutOpenDocuments() {
        if (m_relayout) m_relayout();
    }

private:
    class Hooks;
    static size_t modeIndex(int m) { return m >= 0 && m < settings::kModeCount ? size_t(m) : 0; }

    std::unique_ptr<settings::Settings> m_settings;
    std::unique_ptr<QtMessageBoxes> m_messages;
    std::unique_ptr<QtFileDialogs> m_fileDialogs;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<QtTimers> m_timers;
    std::unique_ptr<QtUiRequests> m_ui;
    Platform m_platform;
    EditorState m_state;
    std::unique_ptr<ProfileViewOptions> m_viewOptions;
    std::unique_ptr<Hooks> m_hooks;
    std::function<void()> m_relayout;

    shell::KeyLookup m_keys;
    ColourTable m_colours;
    std::unique_ptr<DisplayFont> m_font;
    std::array<RenderOptions, settings::kModeCount> m_render;
    std::array<KeywordMatcher, settings::kModeCount> m_keywords;
    std::unique_ptr<files::Trash> m_trash;
    files::DocumentFileServices m_fileServices;
    files::AutoBackupService* m_autoBackups = nullptr;
    search::SearchState m_search;
    std::unique_ptr<QtSearchDialogs> m_qtSearchDialogs;
    search::SearchDialogs* m_searchDialogs = nullptr;
};

}  // namespace orvex::qt
