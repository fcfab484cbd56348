#pragma once
// The main window: shows the editor session (shell::EditorSession) with its
// document windows in an MDI area, the menus, toolbar 1 and the status bar,
// and answers what the session asks of the window system (FrameHost:
// showing, activating and closing windows, arranging them, the bars, the
// dialogs, the exit).
//
// Every command (menu item, toolbar button, key of the key table, context
// menu) runs through the session's command router along the chain of the
// active window; menus and toolbar buttons ask the router for enabled and
// checked states before they are shown. The frame itself holds widgets
// only.
#include <QMainWindow>
#include <QPointer>
#include <QProgressDialog>
#include <memory>
#include <string>
#include <vector>

#include "common/commands/CommandTable.h"
#include "shell/CommandLine.h"
#include "settings/CommandTables.h"
#include "shell/FrameHost.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QAction;
class QSystemTrayIcon;


namespace orvex::files {
class AutoBackupService;
}
namespace orvex::shell {
class EditorSession;
class EditorWindow;
class InstanceControl;
}  // namespace orvex::shell

namespace orvex::qt {

class CChildFrame;
class CLuViewWidget;
class EditorContext;
class FindBox;
class InstanceServer;
class StatusPanes;
class TextStoresWindow;
class WindowBar;
class FileWindow;
struct MenuNode;

class CMainFrame final : public QMainWindow, public shell::FrameHost {
    Q_OBJECT
public:
    explicit CMainFrame(EditorContext& context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    EditorContext& context() { return m_ctx; }
    shell::EditorSession& session();

    // ---- Documents (the session's, shown here)
    CChildFrame* newDocument();
    CChildFrame* openFile(const std::string& path);
    bool processCommandLine(const shell::CommandLineInfo& info);
    std::vector<CChildFrame*> childFrames() const;
    CChildFrame* activeChild() const;
    CLuViewWidget* activePane() const;
    bool closeAllDocuments();

    // ---- Commands (through the session's router)
    bool runCommand(CommandId id);
    CommandState commandState(CommandId id);

    // ---- Key table, menus and bars
    // Key labels of every menu item, after the key table changed.
    void refreshMenuKeyLabels();
    // Builds the context menu from the context-menu table (tests look at
    // it without showing it).
    std::unique_ptr<QMenu> buildContextMenu();
    QToolBar* toolbar() const { return m_toolbar; }
    QToolBar* toolbar2() const { return m_toolbar2; }
    WindowBar* windowBar() const { return m_windowBar; }
    FileWindow* fileWindow() const { return m_fileWindow; }
    // Shows or hides the toolbars and the window bar by their settings (the
    // window bar also moves to its side).
    void showToolbars();
    // The menu item of a command in the menu bar (null when it has none).
    QAction* menuAction(CommandId id) const;
    // The menu text of a command before its key label (numbered families
    // with their titles).
    std::string menuTextFor(CommandId id) const;
    // The find box of toolbar 1, or null when its table has none.
    FindBox* findBox() const { return m_findBox; }
    files::AutoBackupService& autoBackups();
    StatusPanes& statusPanes() { return *m_status; }
    // Refreshes the status bar and the toolbar's states now.
    void refreshStatus();

    // ---- Instances and resident mode
    // The receiver of WM_USER+1 (registered with the message layer).
    shell::InstanceControl& instanceControl();
    // Listens for later starts at the per-user socket; false when another
    // live listener holds it.
    bool startInstanceServer(const QString& socketPath);
    // This instance's own socket, through which arranging the instances
    // reaches it.
    bool startPersonalServer(const QString& socketPath);
    void placeMainWindow(const shell::ScreenRect& rect) override;
    void arrangeInstances(bool sideBySide) override;
    InstanceServer* instanceServer() const { return m_instances; }
    // Resident mode (KeepRun): the notification-area icon with its menu.
    void setUpResidentMode();
    QSystemTrayIcon* trayIcon() const { return m_tray; }

    // ---- FrameHost
    void restoreMainWindow() override;
    void showMainWindowAt(int width, int height) override;
    void windowOpened(shell::EditorWindow& window) override;
    void bringToFront(shell::EditorWindow& window) override;
    bool closeWindow(shell::EditorWindow& window) override;
    void windowSplitChanged(shell::EditorWindow& window) override;
    void viewsChanged() override;
    void arrangeWindows(CommandId id) override;
    void switchWindow(bool next) override;
    bool barVisible(CommandId id) const override;
    void setBarVisible(CommandId id, bool visible) override;
    void showAbout() override;
    // The About box's text: the program, its version, what it is.
    static QString aboutText();
    bool exitApplication() override;
    bool askColumns(shell::ColumnRequest& request) override;
    void fitColumns(int32_t columns) override;
    bool askKeyMacroTitles(std::array<std::string, 20>& titles) override;
    void menuTextsChanged() override;
    void keyMacroRecordingChanged() override;
    void commandTablesChanged() override;
    void settingsApplied(bool residentChanged) override;
    void editCommandTables() override;
    void programWaitChanged(bool waiting) override;
    void editPrograms(shell::ProgramSheetRequest& request) override;
    void editMacros(shell::MacroSheetRequest& request) override;
    void sizeDocumentWindow(shell::EditorWindow& window, int columns, int rows) override;
    bool editFixedStrings(shell::FixedStringsRequest& request) override;
    bool editAssociation(shell::AssociationRequest& request) override;
    int chooseFromMenu(const std::vector<std::string>& labels) override;
    void showTextStores(bool scrapBook) override;
    void textStoresChanged() override;
    // The clipboard history and scrap book window, once opened.
    TextStoresWindow* textStoresWindow() const { return m_textStores; }
    // The window shown while a captured program is waited for.
    QProgressDialog* programWaitDialog() const { return m_programWait; }

    // A window rectangle moved and cut down into the available area of a
    // screen (the whole window fits when it can).
    static QRect clampedToScreen(const QRect& wanted, const QRect& available);
    // Fits the window into its screen's available area.
    void fitIntoScreen();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildMenus();
    void buildMenu(QMenu* menu, const std::vector<MenuNode>& nodes);
    void fillFileListMenu(QMenu* menu, CommandId which);
    QAction* commandAction(CommandId id, QObject* parent);
    void updateMenuStates(QMenu* menu);
    void buildToolbar();
    QWidget* barOf(CommandId id) const;
    void fillToolbar(QToolBar* bar, const settings::IdTable80& table, bool withFindBox);
    void showContextMenu(CLuViewWidget& pane, const QPoint& globalPos);
    CChildFrame* childOf(shell::EditorWindow* window) const;
    QMdiSubWindow* subWindowOf(shell::EditorWindow& window) const;
    void childActivated(QMdiSubWindow* sub);
    void documentTitleChanged(const void* document);
    void scheduleStatus();
    void tile(bool sideBySide);
    void cascade();
    void findBoxEntered(const std::string& sjis);
    QRect caretScreenRect() const;

    EditorContext& m_ctx;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QToolBar* m_toolbar2 = nullptr;
    WindowBar* m_windowBar = nullptr;
    FileWindow* m_fileWindow = nullptr;
    FindBox* m_findBox = nullptr;
    std::unique_ptr<StatusPanes> m_status;
    std::vector<QAction*> m_commandActions;  // every menu item with a command
    std::vector<QAction*> m_toolActions;
    std::unique_ptr<class QtPrintHost> m_print;
    InstanceServer* m_instances = nullptr;
    InstanceServer* m_personal = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QPointer<QProgressDialog> m_programWait;
    TextStoresWindow* m_textStores = nullptr;  // a child of the frame
    bool m_statusPending = false;
    bool m_shownOnce = false;
};

}  // namespace orvex::qt
