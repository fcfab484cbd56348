#pragma once
// What the editor session asks of the window system that shows it: the
// main window with its document windows, bars and dialogs. The Qt main
// frame implements it; a session without one runs headless (tests, batch
// work, key-macro playback without a window), where windows exist only as
// core objects and the window-system commands are greyed out.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/commands/CommandIds.h"
#include "settings/FrameOptions.h"
#include "shell/InstanceArrangement.h"
#include "shell/MacroDialogs.h"

namespace orvex::shell {

class EditorWindow;

// The column dialogs of the line-length and tab-stop commands.
struct ColumnRequest {
    std::string title;   // UTF-8
    bool lineLength = true;  // else the tab width
    int32_t columns = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
    bool fullWidth = false;  // count in full-width characters (NumByWchar)
};

// The registration sheet of the external programs: edits copies of the ten
// registrations and reports how it closed; `page` is the page active last.
struct ProgramSheetRequest {
    enum class Close { Cancel, Ok, Run };
    std::array<settings::ExternalProgram, settings::kExternalProgramCount> programs;
    int page = 0;
    std::string currentFile;  // shown read-only; its folder fills the working folder
    Close close = Close::Cancel;
};

// The association page: the icon number, the extensions ("Exts") and the
// extension of the new-file template ("NewExt").
struct AssociationRequest {
    int defIcon = 0;
    std::string exts;
    std::string newExt;
};

// The fixed-string sheet: the twenty titles and texts (Shift JIS).
struct FixedStringsRequest {
    std::array<std::string, settings::kFixedStringCount> titles;
    std::array<std::string, settings::kFixedStringCount> texts;
};

class FrameHost {
public:
    virtual ~FrameHost() = default;

    // ---- Document windows
    // A window was made: show it and make it the active one.
    virtual void windowOpened(EditorWindow& window) = 0;
    // Bring a window to the front.
    virtual void bringToFront(EditorWindow& window) = 0;
    // Close a window as its close box does (the save question included);
    // false when it stays open. The host tells the session when the window
    // is gone (EditorSession::windowDestroyed).
    virtual bool closeWindow(EditorWindow& window) = 0;
    // The split state of a window changed in the core.
    virtual void windowSplitChanged(EditorWindow& window) = 0;
    // Settings changed: geometry, fonts and colours of every view again.
    virtual void viewsChanged() = 0;

    // ---- The frame's window-system commands
    virtual void arrangeWindows(CommandId id) = 0;  // cascade, tile
    virtual void switchWindow(bool next) = 0;
    virtual bool barVisible(CommandId id) const = 0;  // toolbar 1, status bar
    virtual void setBarVisible(CommandId id, bool visible) = 0;
    virtual void showAbout() = 0;
    // Ends the program the way the frame's close box does (save questions,
    // settings saved); false when the user stayed.
    virtual bool exitApplication() = 0;
    // The column dialog; false when cancelled (request holds the answer).
    virtual bool askColumns(ColumnRequest& request) = 0;
    // Resizes the active window so that its view shows rows of that many
    // columns beside its gutter.
    virtual void fitColumns(int32_t columns) = 0;

    // ---- Key macros and tables (a host without them keeps the defaults)
    // The slot titles dialog over the twenty titles (Shift JIS); false when
    // cancelled.
    virtual bool askKeyMacroTitles(std::array<std::string, 20>& titles) { return false; }
    // Texts of menu items changed (slot titles): label them again.
    virtual void menuTextsChanged() {}
    // A key-macro recording started or stopped (the views' pointer form).
    virtual void keyMacroRecordingChanged() {}
    // The key, context-menu or toolbar tables were replaced: key labels,
    // context menu and toolbars follow them.
    virtual void commandTablesChanged() {}
    // The key, context-menu and toolbar pages.
    virtual void editCommandTables() {}

    // ---- Instances and main-frame services
    // Shows the main window (un-minimised, in front), as a hand-over or the
    // notification icon asks.
    virtual void restoreMainWindow() {}
    // Shows the main window normally at that size; 0 in either maximises.
    virtual void showMainWindowAt(int width, int height) {}
    // The settings changed as a whole (options sheet, import): the bars and
    // the status-bar layout follow; residentChanged: KeepRun changed, the
    // notification icon comes or goes.
    virtual void settingsApplied(bool residentChanged) {}
    // Arranging instances: this main window's normal placement (screen
    // coordinates of its frame).
    virtual void placeMainWindow(const ScreenRect& rect) {}
    // Arranges the main windows of every running instance (32922 stacked,
    // 32923 side by side).
    virtual void arrangeInstances(bool sideBySide) {}
    // The recent-file or favourite list changed: menus follow.
    virtual void recentFilesChanged() {}

    // ---- External programs
    // A captured program started (true) or ended (false): the editor waits
    // for it meanwhile, letting input through; a host may show that it
    // waits, with a way to ExternalProgramCommands::stop().
    virtual void programWaitChanged(bool waiting) {}
    // The registration sheet; a host without one leaves `request` closed
    // with Cancel.
    virtual void editPrograms(ProgramSheetRequest& request) {}

    // ---- Macros
    // Sizes a document window to show that many columns and rows of text
    // (restored, not moved); both 0 maximise it.
    virtual void sizeDocumentWindow(EditorWindow& window, int columns, int rows) {}
    // The macro settings sheet; a host without one leaves `request` closed
    // with Cancel.
    virtual void editMacros(MacroSheetRequest& request) {}

    // ---- Start-up
    // The association page (32863); false when cancelled.
    virtual bool editAssociation(AssociationRequest& request) { return false; }

    // ---- Fixed strings, clipboard history, scrap book
    // The fixed-string sheet; false when cancelled.
    virtual bool editFixedStrings(FixedStringsRequest& request) { return false; }
    // A popup menu of the labels (UTF-8) at the caret: the index chosen, or
    // -1 when none was.
    virtual int chooseFromMenu(const std::vector<std::string>& labels) { return -1; }
    // The clipboard history and scrap book window, on the scrap book's tab
    // or the history's.
    virtual void showTextStores(bool scrapBook) {}
    // The history or the scrap book changed: an open window follows.
    virtual void textStoresChanged() {}
};

}  // namespace orvex::shell
