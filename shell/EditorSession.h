#pragma once
// The editor session: the application without a window. It owns what the
// editor shares for the whole run (the settings, the platform services,
// the editing state of all views, the search state, the key lookup, the
// colour table and the per-mode render options and keyword matchers, the
// automatic backups) and the open documents in their windows, with the
// active window. Commands run through its router (CommandRouter.h) along
// the chain of the active window.
//
// A window system shows the session through a FrameHost; without one the
// session is headless and complete: documents open, edit, save and close
// through commands exactly as in the program (tests, key-macro playback,
// macros, tag jumps and batch work use that).
//
// The platform pointers may be replaced (by a test's scripted message
// boxes, say) before the first window is made: documents and views copy
// them. So may the search dialogs.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/Platform.h"
#include "display/ColourTable.h"
#include "display/KeywordMatcher.h"
#include "display/RenderOptions.h"
#include "files/DocumentFileServices.h"
#include "search/SearchDialogs.h"
#include "search/SearchState.h"
#include "settings/Settings.h"
#include "shell/CommandLine.h"
#include "shell/CommandRouter.h"
#include "shell/KeyLookup.h"
#include "shell/ViewTargetRegistry.h"
#include "transform/TransformDialogs.h"
#include "transform/TransformServices.h"
#include "text/EditorHooks.h"
#include "text/EditorState.h"
#include "text/KeyMacroHook.h"
#include "text/ProfileViewOptions.h"
#include "winmsg/MessageLayer.h"

namespace orvex::files {
class AutoBackupService;
class Trash;
struct AppendRequest;
}  // namespace orvex::files
namespace orvex::search {
class SearchFrameCommands;
}
namespace orvex::keymacro {
class KeyMacroSlots;
}

namespace orvex::shell {

class ApplicationCommands;
class ClipboardHistory;
class ScrapBook;
class EditorWindow;
class ExternalProgramCommands;
class TextStoreCommands;
class FindInFilesCommands;
class PrintCommands;
class TagJumps;
class FrameHost;
class InstanceControl;
class KeyMacroCommands;
class MacroCommands;
class MacroLibraryBinding;
class MainFrameCommands;
class SettingsCommands;

class EditorSession {
public:
    // loadSettings: read the settings file now (the program); tests may fill
    // the settings themselves and call applySettings(). The file and search
    // command families are registered for every view.
    EditorSession(settings::SettingsEnvironment env, const Platform& platform, bool loadSettings = true);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    settings::Settings& settings() { return *m_settings; }
    Platform& platform() { return m_platform; }
    EditorState& state() { return m_state; }
    ViewOptionsSource& viewOptions() { return *m_viewOptions; }
    EditorHooks& hooks();
    // The key-macro recorder views report to: the session's slots unless a
    // test set another one (before the first window).
    KeyMacroHook* keyMacroHook() const { return m_keyMacro; }
    void setKeyMacroHook(KeyMacroHook* hook) { m_keyMacro = hook; }
    // The twenty key-macro slots (their files in the data folder).
    keymacro::KeyMacroSlots& keyMacros() { return *m_keyMacros; }

    // ---- What follows the settings
    // The system's colours that the colour table's "system" entries take.
    void setSystemColours(const SystemColours& colours) { m_systemColours = colours; }
    // Rebuilds everything derived from the settings: the colour table, the
    // render options and keyword matchers, the key lookup (with the default
    // key table when none is stored), toolbar 1 and the context-menu
    // defaults.
    void applySettings();
    // The key, context-menu and toolbar tables were replaced (an editor
    // page's OK): the defaults where a table is empty, the key lookup again,
    // and the frame host told. The tables are marked changed.
    void applyCommandTables();
    // Rebuilds what follows the options of the file-type modes.
    void refreshModeOptions();
    // After the settings changed as a whole (the options sheet, an import):
    // everything applySettings rebuilds, every open document laid out
    // again with the new options, and the frame host told that its tables,
    // bars and views follow (and, when residentChanged, the resident mode).
    void reapplySettings(bool residentChanged = false);
    // Writes the search state into the editor profile, then saves every
    // setting that changed (at exit).
    void saveSettings();
    const KeyLookup& keyLookup() const { return m_keys; }
    const ColourTable& colours() const { return m_colours; }
    const RenderOptions& renderOptions(int mode) const { return m_render[modeIndex(mode)]; }
    const KeywordMatcher& keywords(int mode) const { return m_keywords[modeIndex(mode)]; }

    // ---- Services
    const files::DocumentFileServices& fileServices() const { return m_fileServices; }
    // The automatic backups of the open documents (a 10,000 ms timer on the
    // platform's timers): null until startServices().
    files::AutoBackupService* autoBackups() { return m_autoBackups.get(); }
    // Starts the automatic backups with the platform's timers as they are
    // now (the frame calls it once it exists; a headless session may).
    void startServices();
    // The one search state (strings, histories, options, the highlight that
    // every view paints). Its highlight is in use while the found-text
    // colour differs from the text colour.
    search::SearchState& search() { return m_search; }
    bool highlightFound() const { return m_colours.foundColoured(); }
    search::SearchDialogs* searchDialogs() { return m_searchDialogs; }
    void setSearchDialogs(search::SearchDialogs* dialogs) { m_searchDialogs = dialogs; }
    // The dialogs of the conversions and of formatting (null: those
    // commands do without them), and their state shared by all views.
    transform::TransformDialogs* transformDialogs() { return m_transformDialogs; }
    void setTransformDialogs(transform::TransformDialogs* dialogs) { m_transformDialogs = dialogs; }
    transform::TransformState& transformState() { return m_transformState; }
    // Local time for the date and time insertions (tests fix it; empty:
    // the system clock).
    void setClock(std::function<std::tm()> now) { m_clock = std::move(now); }

    // ---- Commands
    CommandRouter& router() { return m_router; }
    ViewTargetRegistry& viewTargets() { return m_viewTargets; }
    const ViewTargetRegistry& viewTargets() const { return m_viewTargets; }
    MainFrameCommands& mainFrameCommands() { return *m_mainFrameCommands; }
    KeyMacroCommands& keyMacroCommands() { return *m_keyMacroCommands; }
    search::SearchFrameCommands& searchCommands() { return *m_searchCommands; }
    ApplicationCommands& applicationCommands() { return *m_applicationCommands; }
    // The frame's further command families (find in files, external
    // programs), asked after the search commands in this order.
    const std::vector<std::unique_ptr<CommandTarget>>& frameTargets() const { return m_frameTargets; }
    // Tag jumps with their way back (shell/TagJumps.h).
    TagJumps& tagJumps() { return *m_tagJumps; }
    // The search running in the result documents (find in files).
    FindInFilesCommands& findInFiles() { return *m_findInFiles; }
    // The ten registered programs and their starts.
    ExternalProgramCommands& externalPrograms() { return *m_externalPrograms; }
    TextStoreCommands& textStores() { return *m_textStores; }
    // Page layout, printing and preview (their dialogs through its host).
    PrintCommands& printCommands() { return *m_printCommands; }
    // The options sheet and the settings file's export and import.
    SettingsCommands& settingsCommands() { return *m_settingsCommands; }
    // The macro slots' commands and the binding of the macro library.
    MacroCommands& macroCommands() { return *m_macroCommands; }
    MacroLibraryBinding& macroLibrary() { return *m_macroLibrary; }
    // Replaces the binding (a test's library or table of entry points).
    void setMacroLibrary(std::unique_ptr<MacroLibraryBinding> binding);

    // ---- Windows of the message layer
    // The main window's control (WM_USER+1, commands, view requests passed
    // on). The program's main window and a headless session alike attach
    // it on the user-interface thread.
    InstanceControl& instanceControl() { return *m_instanceControl; }
    // Its handle; null until attached.
    win::Handle mainWindowHandle() const;
    // The handle of an open view (null for another pointer) and of the
    // active view (null when no document is open).
    win::Handle viewHandle(const CLuView* view) const;
    win::Handle activeViewHandle() const { return viewHandle(activeView()); }

    // ---- Windows
    void setFrameHost(FrameHost* host) { m_host = host; }
    FrameHost* frameHost() const { return m_host; }
    // A new untitled document in a window of its own, made active.
    EditorWindow* newDocument();
    // Opens a file (with the read setting AutoKanji) in a new window, or
    // activates the window already showing it; null when it cannot be
    // opened (the message was shown).
    EditorWindow* openFile(const std::string& path);
    // The command line: its files (the first at the jump line), or a new
    // document when it names none. False when a file failed (the files
    // after it are not opened).
    bool processCommandLine(const CommandLineInfo& info);
    // The open windows in the order they were made.
    std::vector<EditorWindow*> windows() const;
    EditorWindow* activeWindow() const { return m_active; }
    // Scrolling all windows together (32844): a scroll of one window's view
    // scrolls the active view of every other window by as much.
    bool scrollAllWindows() const { return m_scrollAll; }
    void setScrollAllWindows(bool on) { m_scrollAll = on; }
    void viewScrolled(EditorWindow& from, int32_t rows, int32_t columns);
    void setActiveWindow(EditorWindow* window);
    CLuView* activeView() const;
    // Closes a window as its close box does (the save question included);
    // false when it stays open.
    bool closeWindow(EditorWindow& window);
    // Closes every window with its save question; false when the user
    // cancelled one (the windows after it stay open).
    bool closeAllDocuments();
    // Saves every modified document; false when one failed or was cancelled
    // (the documents after it are not saved).
    bool saveAll();
    // Ends the session the way the frame's close box does. With a frame
    // host, the host's exit does it (and calls shutdown); without one,
    // shutdown runs here. False when the user stayed.
    // forReal: also in resident mode (command 32960, log-off).
    bool exit(bool forReal = false);
    // Whether the exit under way ends the process (not the resident close).
    bool realExitRequested() const { return m_realExit; }
    void clearRealExit() { m_realExit = false; }
    // The exit order: stop a running macro, take the notification icon
    // away, record the open files (AutoLoad), close every document with its
    // save question (a cancel stops here and nothing else happens), save
    // the frame's stores and all settings, unload the libraries.
    bool shutdown();
    // Closing the main window in resident mode: the documents are offered
    // for saving and closed (a cancel keeps everything open), the stores
    // and settings are saved; the process stays. False when the user stayed.
    bool residentClose();
    bool exited() const { return m_exited; }
    // Saves the scrap book and the fixed strings when they changed.
    void saveStores();
    // Stops a running macro at exit: the macro library binding's stop
    // unless replaced (nothing while the library was never loaded).
    void setMacroStopper(std::function<void()> stop) { m_stopMacro = std::move(stop); }
    // What the exit does to leave resident mode (the tray icon goes).
    void setResidentEnd(std::function<void()> end) { m_residentEnd = std::move(end); }

    // ---- Main-frame stores
    ClipboardHistory& clipboardHistory() { return *m_clipHistory; }
    ScrapBook& scrapBook() { return *m_scrapBook; }
    // The fixed strings, loaded on first use.
    settings::FixedStrings& fixedStrings();
    // A file was opened or saved under a name: it goes to the top of the
    // recent-file list.
    void noteRecentFile(const std::string& path);
    // The host closed a window (its close was accepted): it leaves the list
    // of open windows at once; it is destroyed when the host's widgets that
    // show it are gone (windowDestroyed).
    void windowClosed(EditorWindow& window);
    void windowDestroyed(EditorWindow& window);
    // Lays out every open document again after a per-mode layout option
    // changed (the views' hook, the line-length and tab-stop commands).
    void relayoutOpenDocuments();

    // While a command runs, windows it closes are kept until it returns.
    class CommandScope {
    public:
        explicit CommandScope(EditorSession& s) : m_s(s) { ++m_s.m_commandDepth; }
        ~CommandScope() {
            if (--m_s.m_commandDepth == 0) m_s.releaseClosedWindows();
        }
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

    private:
        EditorSession& m_s;
    };
    // After every routed command (the host refreshes its status bar).
    void setCommandRanHandler(std::function<void()> handler) { m_commandRan = std::move(handler); }
    void commandRan() {
        if (m_commandRan) m_commandRan();
    }

private:
    // Closes every document with its question, then stores the open-file
    // list, the frame stores and the settings; false when the user stayed.
    bool closeDocumentsAndStore();
    class Hooks;
    static size_t modeIndex(int m) { return m >= 0 && m < settings::kModeCount ? size_t(m) : 0; }
    EditorWindow* addWindow(std::unique_ptr<class EditorDocument> document);
    // The window leaves the list of open windows (its document closed
    // already). Without a host it is destroyed when no command runs.
    void retireWindow(EditorWindow& window, bool hostOwned);
    void releaseClosedWindows();
    bool openForAppend(const files::AppendRequest& request);

    std::unique_ptr<settings::Settings> m_settings;
    Platform m_platform;
    EditorState m_state;
    std::unique_ptr<ProfileViewOptions> m_viewOptions;
    std::unique_ptr<Hooks> m_hooks;
    KeyMacroHook* m_keyMacro = nullptr;

    SystemColours m_systemColours;
    KeyLookup m_keys;
    ColourTable m_colours;
    std::array<RenderOptions, settings::kModeCount> m_render;
    std::array<KeywordMatcher, settings::kModeCount> m_keywords;
    std::unique_ptr<files::Trash> m_trash;
    files::DocumentFileServices m_fileServices;
    std::unique_ptr<files::AutoBackupService> m_autoBackups;
    std::unique_ptr<class FileViewerLauncher> m_viewer;
    search::SearchState m_search;
    search::SearchDialogs* m_searchDialogs = nullptr;
    transform::TransformDialogs* m_transformDialogs = nullptr;
    transform::TransformState m_transformState;
    std::function<std::tm()> m_clock;

    ViewTargetRegistry m_viewTargets;
    CommandRouter m_router;
    std::unique_ptr<MainFrameCommands> m_mainFrameCommands;
    std::unique_ptr<keymacro::KeyMacroSlots> m_keyMacros;
    std::unique_ptr<KeyMacroCommands> m_keyMacroCommands;
    std::unique_ptr<search::SearchFrameCommands> m_searchCommands;
    std::unique_ptr<ApplicationCommands> m_applicationCommands;
    std::unique_ptr<TagJumps> m_tagJumps;
    std::vector<std::unique_ptr<CommandTarget>> m_frameTargets;
    FindInFilesCommands* m_findInFiles = nullptr;          // one of m_frameTargets
    ExternalProgramCommands* m_externalPrograms = nullptr;  // one of m_frameTargets
    TextStoreCommands* m_textStores = nullptr;              // one of m_frameTargets
    PrintCommands* m_printCommands = nullptr;               // one of m_frameTargets
    SettingsCommands* m_settingsCommands = nullptr;         // one of m_frameTargets
    MacroCommands* m_macroCommands = nullptr;               // one of m_frameTargets
    std::unique_ptr<MacroLibraryBinding> m_macroLibrary;
    std::unique_ptr<InstanceControl> m_instanceControl;

    FrameHost* m_host = nullptr;
    std::vector<std::unique_ptr<EditorWindow>> m_windows;
    struct ClosedWindow {
        std::unique_ptr<EditorWindow> window;
        bool hostOwned;  // destroyed when the host says its widgets are gone
    };
    std::vector<ClosedWindow> m_closed;
    EditorWindow* m_active = nullptr;
    bool m_scrollAll = false;
    bool m_scrollingAll = false;  // the scrolls it makes are not followed again
    int m_commandDepth = 0;
    bool m_exited = false;
    bool m_realExit = false;
    std::function<void()> m_commandRan;
    std::function<void()> m_stopMacro;
    std::function<void()> m_residentEnd;
    std::unique_ptr<ClipboardHistory> m_clipHistory;
    std::unique_ptr<ScrapBook> m_scrapBook;
};

}  // namespace orvex::shell
