#pragma once
// The main window: the document windows in an MDI area, the menus, toolbar
// 1 and the status bar; the routing of commands; opening, saving and closing
// documents; the exit with its save prompts and the settings saved.
//
// A command (menu item, toolbar button, key of the key table, context menu)
// goes along the chain of the active window:
//   active pane's view (and its extension targets: file and search
//     commands) → its document → its child frame → this frame
//     → the frame's search commands.
//
// The frame owns the automatic backups of the open documents (a 10,000 ms
// timer), the frame's search commands and the toolbar's find box.
// Menus and toolbar buttons ask the same chain for enabled and checked
// states before they are shown.
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "common/commands/CommandTable.h"
#include "shell/CommandLine.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QAction;

namespace orvex::files {
class AutoBackupService;
struct AppendRequest;
}  // namespace orvex::files
namespace orvex::search {
class SearchFrameCommands;
}

namespace orvex::qt {

class CChildFrame;
class CLuViewWidget;
class EditorContext;
class EditorDocument;
class FindBox;
class StatusPanes;
struct MenuNode;

namespace cmdid {
constexpr CommandId kCascade = 57650;
constexpr CommandId kTileHorizontal = 57651;  // one above the other
constexpr CommandId kTileVertical = 57652;    // side by side
constexpr CommandId kNextWindow = 32998;
constexpr CommandId kPreviousWindow = 32999;
constexpr CommandId kToolbar1 = 59392;
constexpr CommandId kStatusBar = 59393;
constexpr CommandId kAbout = 57664;
constexpr CommandId kSaveAllExit = 32788;
constexpr CommandId kDiscardAllExit = 32789;
constexpr CommandId kLineLength = 33103;  // LineMax dialog
constexpr CommandId kTabStops = 33104;    // TabStops dialog
}  // namespace cmdid

class CMainFrame final : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(EditorContext& context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    EditorContext& context() { return m_ctx; }

    // ---- Documents
    // A new untitled document in a window of its own.
    CChildFrame* newDocument();
    // Opens a file (with the read setting AutoKanji) in a new window, or
    // activates the window already showing it; null when it cannot be
    // opened (the message was shown).
    CChildFrame* openFile(const std::string& path);
    // The command line: its files (the first at the jump line), or a new
    // document when it names none. False when a file failed (the files
    // after it are not opened).
    bool processCommandLine(const shell::CommandLineInfo& info);
    std::vector<CChildFrame*> childFrames() const;
    CChildFrame* activeChild() const;
    CLuViewWidget* activePane() const;
    // Closes every document window with its save prompt; false when the
    // user cancelled one (the windows after it stay open).
    bool closeAllDocuments();

    // ---- Commands
    // Runs a command along the active chain; false when nobody has it.
    bool runCommand(CommandId id);
    CommandState commandState(CommandId id);
    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<CMainFrame>& commandTable();
    // Some target of the editor has the command in its table.
    static bool commandKnown(CommandId id);

    // ---- Key table, menus and bars
    // Key labels of every menu item, after the key table changed.
    void refreshMenuKeyLabels();
    // Builds the context menu from the context-menu table (tests look at
    // it without showing it).
    std::unique_ptr<QMenu> buildContextMenu();
    QToolBar* toolbar() const { return m_toolbar; }
    // The find box of toolbar 1, or null when its table has none.
    FindBox* findBox() const { return m_findBox; }
    files::AutoBackupService& autoBackups() { return *m_autoBackups; }
    StatusPanes& statusPanes() { return *m_status; }
    // Refreshes the status bar and the toolbar's states now.
    void refreshStatus();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void buildMenu(QMenu* menu, const std::vector<MenuNode>& nodes);
    QAction* commandAction(CommandId id, QObject* parent);
    void updateMenuStates(QMenu* menu);
    void buildToolbar();
    void showContextMenu(CLuViewWidget& pane, const QPoint& globalPos);
    CChildFrame* addChild(std::unique_ptr<EditorDocument> document);
    void childActivated(QMdiSubWindow* sub);
    void documentTitleChanged(const void* document);
    void scheduleStatus();
    void relayoutAll();
    void tile(bool sideBySide);
    bool openForAppend(const files::AppendRequest& request);
    void findBoxEntered(const std::string& sjis);
    QRect caretScreenRect() const;
    // Resizes the frame (or the document window) so that the active pane
    // shows columns columns beside its gutter.
    void fitColumns(int32_t columns);

    void cmdNew(CommandId id);
    void cmdOpen(CommandId id);
    void cmdSaveAll(CommandId id);
    void cmdCloseAll(CommandId id);
    void cmdExit(CommandId id);
    void cmdSaveAllExit(CommandId id);
    void cmdDiscardAllExit(CommandId id);
    void cmdArrange(CommandId id);
    void cmdSwitchWindow(CommandId id);
    void cmdBars(CommandId id);
    void cmdAbout(CommandId id);
    void cmdColumnDialog(CommandId id);
    void updateNeedsDocument(CommandId id, CommandState& state);
    void updateBars(CommandId id, CommandState& state);

    EditorContext& m_ctx;
    std::unique_ptr<files::AutoBackupService> m_autoBackups;
    std::unique_ptr<search::SearchFrameCommands> m_searchCommands;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    FindBox* m_findBox = nullptr;
    std::unique_ptr<StatusPanes> m_status;
    std::vector<QAction*> m_commandActions;  // every menu item with a command
    std::vector<QAction*> m_toolActions;
    QPointer<QMdiSubWindow> m_lastActive;
    bool m_statusPending = false;
    bool m_exitConfirmed = false;
};

}  // namespace orvex::qt
