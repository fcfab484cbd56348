#include "qt/mainframe/CMainFrame.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QProgressDialog>
#include <algorithm>

#include "qt/platform/InstanceChannel.h"
#include "shell/InstanceControl.h"
#include "shell/MacroCommands.h"
#include "shell/ExternalProgramCommands.h"
#include "shell/NumberedLabels.h"
#include "shell/RecentFiles.h"
#include "shell/Startup.h"
#include "transform/FormatPresets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/AutoBackupService.h"
#include "qt/dialogs/CShExProg.h"
#include "qt/dialogs/CShMacro.h"
#include "qt/dialogs/CShTeikei.h"
#include "qt/dialogs/AssociationDialog.h"
#include "qt/dialogs/TextStoresWindow.h"
#include "shell/TextStoreCommands.h"
#include <QClipboard>
#include <QMenu>
#include "qt/dialogs/ColumnCountDialog.h"
#include "qt/dialogs/CommandTablesSheet.h"
#include "qt/dialogs/KeyMacroTitlesDialog.h"
#include "keymacro/KeyMacroSlots.h"
#include "shell/KeyMacroCommands.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/QtSearchDialogs.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "qt/mainframe/CChildFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/mainframe/FindBox.h"
#include "qt/mainframe/MenuLayout.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/mainframe/ToolIcons.h"
#include "qt/mainframe/WindowBar.h"
#include "qt/mainframe/FileWindow.h"
#include "qt/platform/QtFileDialogs.h"
#include "qt/platform/QtMessageBoxes.h"
#include "qt/platform/ActiveTextTable.h"
#include "qt/platform/QtText.h"
#include "qt/platform/QtTranslations.h"
#include "qt/platform/QtUiRequests.h"
#include "qt/view/CLuViewWidget.h"
#include "search/SearchCommandIds.h"
#include "search/SearchFrameCommands.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"
#include "text/CLuView.h"
#include "qt/print/QtPrintHost.h"
#include "shell/PrintCommands.h"

namespace orvex::qt {

namespace {

std::array<std::string, 16> statusLayout(const settings::FrameOptions& f, int index) {
    std::array<std::string, 16> out;
    for (size_t i = 0; i < out.size(); ++i) out[i] = f.stsBar[size_t(index) * 16 + i];
    return out;
}

}  // namespace

CMainFrame::CMainFrame(EditorContext& context, QWidget* parent) : QMainWindow(parent), m_ctx(context) {
    setWindowTitle(fromUtf8(strings::text(strings::kAppTitle)));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::childActivated);

    m_ctx.messageBoxes().setParent(this);
    m_ctx.messageBoxes().setKeepClearProvider([this] { return caretScreenRect(); });
    m_ctx.fileDialogs().setParent(this);
    m_ctx.qtSearchDialogs().setParent(this);
    m_ctx.ui().setTitleHandler([this](const void* document) { documentTitleChanged(document); });
    m_ctx.ui().setStatusHandler([this] { scheduleStatus(); });
    session().setFrameHost(this);
    session().instanceControl().attach();
    m_print = std::make_unique<QtPrintHost>(session(), this);
    session().printCommands().setHost(m_print.get());
    session().setCommandRanHandler([this] { scheduleStatus(); });
    setActiveTextTable([this]() -> cp932::PrivateCharTable* {
        CLuView* view = session().activeView();
        return view ? view->document().privateChars() : nullptr;
    });

    buildMenus();
    buildToolbar();
    m_status = std::make_unique<StatusPanes>(statusBar());
    m_status->build(statusLayout(m_ctx.settings().frame, 0));
    session().startServices();
    // Clipboard history: every change of the clipboard's text, whoever made it.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        const Clipboard* clipboard = session().platform().clipboard;
        if (!clipboard) return;
        const std::optional<std::string> text = clipboard->text();
        session().textStores().clipboardChanged(text ? &*text : nullptr);
    });
    const settings::FrameOptions& f = m_ctx.settings().frame;
    showToolbars();
    statusBar()->setVisible(f.statusBarDisp != 0);
    resize(1000, 700);
    fitIntoScreen();
}

QRect CMainFrame::clampedToScreen(const QRect& wanted, const QRect& available) {
    if (available.isEmpty()) return wanted;
    QRect r = wanted;
    r.setWidth(std::min(r.width(), available.width()));
    r.setHeight(std::min(r.height(), available.height()));
    if (r.right() > available.right()) r.moveRight(available.right());
    if (r.bottom() > available.bottom()) r.moveBottom(available.bottom());
    if (r.left() < available.left()) r.moveLeft(available.left());
    if (r.top() < available.top()) r.moveTop(available.top());
    return r;
}

void CMainFrame::fitIntoScreen() {
    // The screen the window is on (or will open on), in its own scale: a
    // default or stored size larger than it is cut down to it, frame
    // included, and the window moved into it.
    QScreen* s = screen();
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect available = s->availableGeometry();
    const QRect frame = frameGeometry();
    const QSize decoration = frame.size() - size();
    const QRect fitted = clampedToScreen(frame, available);
    if (fitted == frame) return;
    resize(fitted.size() - decoration);
    move(fitted.topLeft());
}

void CMainFrame::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!m_shownOnce) {
        m_shownOnce = true;
        fitIntoScreen();
        // The file window of the last run, unless the window starts minimised.
        if (m_ctx.settings().frame.fileWinDisp && !isMinimized()) setBarVisible(cmd::kFileView, true);
    }
}

CMainFrame::~CMainFrame() {
    m_ctx.ui().setTitleHandler({});
    m_ctx.ui().setStatusHandler({});
    m_ctx.messageBoxes().setKeepClearProvider({});
    session().setCommandRanHandler({});
    session().setResidentEnd({});
    session().printCommands().setHost(nullptr);
    setActiveTextTable({});
    // The document windows go while the frame's members still exist; the
    // session lets their windows go with them.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) delete sub;
    session().setFrameHost(nullptr);
}

shell::EditorSession& CMainFrame::session() { return m_ctx.session(); }

shell::InstanceControl& CMainFrame::instanceControl() { return session().instanceControl(); }

files::AutoBackupService& CMainFrame::autoBackups() { return *session().autoBackups(); }

// ---- Menus

std::string CMainFrame::menuTextFor(CommandId id) const {
    std::string label = m_ctx.session().keyMacroCommands().menuLabel(id);
    if (label.empty())
        if (const int slot = shell::TextStoreCommands::fixedStringSlot(id); slot >= 0)
            label = m_ctx.session().textStores().fixedStringLabel(slot, true);
    if (label.empty() && id >= cmd::kExternalProgramRun && id < cmd::kExternalProgramRun + 10)
        label = m_ctx.session().externalPrograms().menuLabel(int(id - cmd::kExternalProgramRun), true);
    if (label.empty())
        if (const int slot = shell::MacroCommands::slotOf(id); slot >= 0)
            label = m_ctx.session().macroCommands().menuLabel(slot, true);
    if (label.empty()) {
        // Formatting presets and formatted pastes: the numbered label from
        // the preset's own title.
        if (const std::optional<transform::PresetCommand> p = transform::presetOfCommand(id)) {
            const int* order = p->paste ? transform::pastePresets() : transform::formatPresets();
            const int count = p->paste ? 4 : 10;
            const int n = int(std::find(order, order + count, p->preset) - order) + 1;
            const auto& preset = m_ctx.settings().editor.presets[size_t(p->preset)];
            label = shell::numberedMenuLabel(cp932::toUtf8(preset.seikeiTT),
                                             p->paste ? shell::NumberedFamily::FormattedPaste : shell::NumberedFamily::Format,
                                             n, true);
        }
    }
    return label.empty() ? menuTextOf(id) : label;
}

QAction* CMainFrame::menuAction(CommandId id) const {
    for (QAction* a : m_commandActions)
        if (CommandId(a->data().toInt()) == id) return a;
    return nullptr;
}

QAction* CMainFrame::commandAction(CommandId id, QObject* parent) {
    auto* a = new QAction(fromUtf8(menuTextFor(id)), parent);
    a->setData(int(id));
    const std::string prompt = promptOf(id);
    const size_t nl = prompt.find('\n');
    a->setStatusTip(fromUtf8(prompt.substr(0, nl)));
    // The button's tool tip: the short name after the line feed, if any.
    if (nl != std::string::npos) a->setToolTip(fromUtf8(prompt.substr(nl + 1)));
    connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    return a;
}

void CMainFrame::buildMenu(QMenu* menu, const std::vector<MenuNode>& nodes) {
    for (const MenuNode& n : nodes) {
        if (n.separator()) {
            menu->addSeparator();
        } else if (n.title) {
            auto* sub = new QMenu(QString::fromUtf8(n.title), menu);
            buildMenu(sub, n.children);
            if (sub->actions().isEmpty()) delete sub;
            else menu->addMenu(sub);
        } else if (n.id == cmd::kRecentFilesMenu || n.id == cmd::kFavouriteFilesMenu) {
            auto* sub = new QMenu(fromUtf8(menuTextOf(n.id)), menu);
            const CommandId which = n.id;
            connect(sub, &QMenu::aboutToShow, this, [this, sub, which] { fillFileListMenu(sub, which); });
            menu->addMenu(sub);
        } else if (session().router().knows(n.id)) {
            QAction* a = commandAction(n.id, menu);
            menu->addAction(a);
            m_commandActions.push_back(a);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenuStates(menu); });
}

// The recent-file and favourite-file menus are made afresh each time they
// open: one item per listed file (its number as access key and a path
// shortened to fit), then the list's commands.
void CMainFrame::fillFileListMenu(QMenu* menu, CommandId which) {
    menu->clear();
    const settings::Settings& s = m_ctx.settings();
    const auto addFile = [this](QMenu* into, CommandId id, const std::string& label) {
        auto* a = new QAction(fromUtf8(label), into);
        a->setData(int(id));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        into->addAction(a);
    };
    const auto addCommand = [this](QMenu* into, CommandId id) {
        QAction* a = into->addAction(fromUtf8(menuTextOf(id)));
        a->setData(int(id));
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        a->setEnabled(session().router().state(id).enabled);
    };
    if (which == cmd::kRecentFilesMenu) {
        const std::vector<std::string> shown = shell::shownRecentFiles(s.recentFiles, s.app.recentFileNum);
        for (size_t i = 0; i < shown.size(); ++i)
            addFile(menu, CommandId(cmd::kRecentFile + i), shell::fileMenuLabel(int(i) + 1, shown[i], 60));
        if (!shown.empty()) menu->addSeparator();
        addCommand(menu, cmd::kClearRecentFiles);
        return;
    }
    const auto& favourites = s.frame.favouriteFiles;
    auto* remove = new QMenu(fromUtf8(menuTextOf(cmd::kRemoveFavourite)), menu);
    int n = 0;
    for (size_t i = 0; i < favourites.size(); ++i) {
        if (favourites[i].empty()) continue;
        ++n;
        addFile(menu, CommandId(cmd::kFavouriteFile + i),
                shell::fileMenuLabel(n, favourites[i], shell::kFavouriteDisplayLength));
        addFile(remove, CommandId(cmd::kRemoveFavourite + i),
                shell::fileMenuLabel(n, favourites[i], shell::kFavouriteDisplayLength));
    }
    if (n > 0) menu->addSeparator();
    addCommand(menu, cmd::kAddFavouriteFile);
    addCommand(menu, cmd::kOpenAllFavourites);
    if (n > 0) menu->addMenu(remove);
    else delete remove;
}

void CMainFrame::buildMenus() {
    for (const MenuNode& top : mainMenuLayout()) {
        auto* menu = new QMenu(QString::fromUtf8(top.title), this);
        buildMenu(menu, top.children);
        menuBar()->addMenu(menu);
        // A menu closed without a choice (Esc) gives the keys back to the
        // view at once, not to the menu bar's keyboard mode: once no other
        // menu has opened in its place, the active pane takes the focus.
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QMetaObject::invokeMethod(this, [this] {
                if (QApplication::activePopupWidget()) return;
                if (CLuViewWidget* pane = activePane()) pane->setFocus(Qt::PopupFocusReason);
            }, Qt::QueuedConnection);
        });
    }
    refreshMenuKeyLabels();
}

void CMainFrame::refreshMenuKeyLabels() {
    const shell::KeyLookup& keys = m_ctx.keyLookup();
    for (QAction* a : m_commandActions) {
        const auto id = CommandId(a->data().toInt());
        a->setText(fromUtf8(shell::menuTextWithKeys(menuTextFor(id), keys.keyNames(id))));
    }
}

void CMainFrame::updateMenuStates(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->menu() || !a->data().isValid()) continue;
        const CommandState s = commandState(CommandId(a->data().toInt()));
        a->setEnabled(s.enabled);
        a->setCheckable(s.checked);
        a->setChecked(s.checked);
    }
}

std::unique_ptr<QMenu> CMainFrame::buildContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const settings::IdTable40& table = m_ctx.settings().tables.menu;
    const int count = std::clamp(table.count, 0, settings::IdTable40::kCapacity);
    for (int i = 0; i < count; ++i) {
        const auto id = CommandId(table.records[size_t(i)]);
        if (id == shell::kSeparatorId) {
            menu->addSeparator();
        } else if (shell::isSubmenuId(id)) {
            auto* sub = new QMenu(fromUtf8(menuTextOf(id)), menu.get());
            buildMenu(sub, contextSubmenu(id));
            updateMenuStates(sub);
            if (sub->actions().isEmpty()) delete sub;
            else menu->addMenu(sub);
        } else if (session().router().knows(id)) {
            QAction* a = commandAction(id, menu.get());
            a->setText(fromUtf8(shell::menuTextWithKeys(a->text().toStdString(), m_ctx.keyLookup().keyNames(id))));
            menu->addAction(a);
        }
    }
    updateMenuStates(menu.get());
    return menu;
}

void CMainFrame::showContextMenu(CLuViewWidget&, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = buildContextMenu();
    // CMenuExe: a menu holding a single command runs it without showing.
    if (m_ctx.settings().frame.cMenuExe) {
        QAction* only = nullptr;
        int commands = 0;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            ++commands;
            only = a;
        }
        if (commands == 1 && only && !only->menu()) {
            if (only->isEnabled()) only->trigger();
            return;
        }
    }
    menu->exec(globalPos);
}

// ---- Toolbar and status bar

void CMainFrame::buildToolbar() {
    m_toolbar = addToolBar(fromUtf8(menuTextOf(cmd::kToolbar1)));
    m_toolbar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolbar->setIconSize(QSize(22, 22));
    m_toolbar2 = addToolBar(QStringLiteral("ﾂｰﾙﾊﾞｰ2"));
    m_toolbar2->setObjectName(QStringLiteral("ToolBar2"));
    m_toolbar2->setIconSize(QSize(22, 22));
    fillToolbar(m_toolbar, m_ctx.settings().tables.toolbar1, true);
    fillToolbar(m_toolbar2, m_ctx.settings().tables.toolbar2, false);
    m_windowBar = new WindowBar([this](int i) { runCommand(CommandId(cmd::kWindowBarWindow + i)); }, this);
    addToolBar(WindowBar::areaOf(m_ctx.settings().frame.windBarPos), m_windowBar);
}

// A toolbar with count 0 is hidden; otherwise its display setting decides.
void CMainFrame::showToolbars() {
    const settings::FrameOptions& f = m_ctx.settings().frame;
    const settings::CommandTables& t = m_ctx.settings().tables;
    m_toolbar->setVisible(f.toolBarDisp != 0 && t.toolbar1.count > 0);
    m_toolbar2->setVisible(f.toolBarDisp2 != 0 && t.toolbar2.count > 0);
    if (m_windowBar) {
        // A changed side moves the bar there.
        const Qt::ToolBarArea area = WindowBar::areaOf(f.windBarPos);
        if (toolBarArea(m_windowBar) != area) addToolBar(area, m_windowBar);
        m_windowBar->setVisible(f.windBarDisp != 0);
    }
}

void CMainFrame::fillToolbar(QToolBar* bar, const settings::IdTable80& table, bool withFindBox) {
    const int count = std::clamp(table.count, 0, settings::IdTable80::kCapacity);
    for (int i = 0; i < count; ++i) {
        const auto id = CommandId(table.records[size_t(i)]);
        if (id == shell::kSeparatorId) {
            bar->addSeparator();
        } else if (id == shell::kSearchBoxId) {
            if (m_findBox || !withFindBox) {
                // One box in all; where it cannot stand, the id is a gap.
                auto* gap = new QWidget(bar);
                gap->setFixedWidth(8);
                bar->addWidget(gap);
                continue;
            }
            m_findBox = new FindBox(
                m_ctx.search(), [this](const std::string& text) { findBoxEntered(text); },
                [this] {
                    if (CLuViewWidget* pane = activePane()) pane->setFocus();
                },
                bar);
            m_findBox->setToolTip(fromUtf8(menuTextOf(cmd::kFindBox)));
            bar->addWidget(m_findBox);
        } else if (session().router().knows(id)) {
            QAction* a = commandAction(id, bar);
            a->setIcon(toolIcon(id));
            bar->addAction(a);
            m_toolActions.push_back(a);
        }
    }
}

void CMainFrame::scheduleStatus() {
    if (m_statusPending) return;
    m_statusPending = true;
    QMetaObject::invokeMethod(this, [this] {
        m_statusPending = false;
        refreshStatus();
    }, Qt::QueuedConnection);
}

void CMainFrame::refreshStatus() {
    const EditorState& st = m_ctx.state();
    // Layouts 0 and 1: without and with keyboard selection mode; 2 and 3
    // the same while a selection is being made with the mouse.
    const CLuViewWidget* pane = activePane();
    const int layout = (st.selectionMode ? 1 : 0) + (pane && pane->view().mouseSelecting() ? 2 : 0);
    if (layout != m_status->layoutIndex()) {
        m_status->setLayoutIndex(layout);
        m_status->build(statusLayout(m_ctx.settings().frame, layout));
    }
    m_status->update(activePane(), st);
    if (m_windowBar) {
        std::vector<WindowBar::Button> buttons;
        for (shell::EditorWindow* w : session().windows())
            if (CChildFrame* c = childOf(w)) buttons.push_back({c->windowTitle(), w == session().activeWindow()});
        m_windowBar->refresh(buttons, m_ctx.settings().frame);
    }
    for (QAction* a : m_toolActions) {
        const CommandState s = commandState(CommandId(a->data().toInt()));
        a->setEnabled(s.enabled);
        a->setCheckable(s.checked);
        a->setChecked(s.checked);
    }
}

// ---- Documents and windows

CChildFrame* CMainFrame::childOf(shell::EditorWindow* window) const {
    if (!window) return nullptr;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(sub->widget()); c && &c->window() == window) return c;
    return nullptr;
}

QMdiSubWindow* CMainFrame::subWindowOf(shell::EditorWindow& window) const {
    CChildFrame* c = childOf(&window);
    return c ? qobject_cast<QMdiSubWindow*>(c->parentWidget()) : nullptr;
}

std::vector<CChildFrame*> CMainFrame::childFrames() const {
    std::vector<CChildFrame*> out;
    for (shell::EditorWindow* w : m_ctx.session().windows())
        if (CChildFrame* c = childOf(w)) out.push_back(c);
    return out;
}

CChildFrame* CMainFrame::activeChild() const { return childOf(m_ctx.session().activeWindow()); }

CLuViewWidget* CMainFrame::activePane() const {
    CChildFrame* c = activeChild();
    return c ? &c->activePane() : nullptr;
}

CChildFrame* CMainFrame::newDocument() { return childOf(session().newDocument()); }

CChildFrame* CMainFrame::openFile(const std::string& path) { return childOf(session().openFile(path)); }

bool CMainFrame::processCommandLine(const shell::CommandLineInfo& info) { return session().processCommandLine(info); }

bool CMainFrame::closeAllDocuments() { return session().closeAllDocuments(); }

void CMainFrame::windowOpened(shell::EditorWindow& window) {
    const bool maximize = !m_mdi->activeSubWindow() || m_mdi->activeSubWindow()->isMaximized();
    auto* child = new CChildFrame(m_ctx, window);
    QMdiSubWindow* sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->refreshTitle();
    const bool recording = session().keyMacros().recordingSlot() != 0;
    for (int i = 0; i < 2; ++i) {
        child->pane(i).setContextMenuHandler([this](CLuViewWidget& w, const QPoint& at) { showContextMenu(w, at); });
        child->pane(i).setRecordingPointer(recording);
    }
    connect(child, &CChildFrame::paneActivated, this, [this] { scheduleStatus(); });
    if (maximize) sub->showMaximized();
    else sub->show();
    m_mdi->setActiveSubWindow(sub);
    child->pane(0).setFocus();
    scheduleStatus();
}

void CMainFrame::bringToFront(shell::EditorWindow& window) {
    if (QMdiSubWindow* sub = subWindowOf(window)) m_mdi->setActiveSubWindow(sub);
}

bool CMainFrame::closeWindow(shell::EditorWindow& window) {
    QMdiSubWindow* sub = subWindowOf(window);
    if (!sub) return true;
    return sub->close();
}

void CMainFrame::windowSplitChanged(shell::EditorWindow& window) {
    if (CChildFrame* c = childOf(&window)) c->showSplit();
}

void CMainFrame::viewsChanged() {
    for (CChildFrame* c : childFrames()) {
        c->pane(0).applySettings();
        c->pane(1).applySettings();
    }
}

void CMainFrame::childActivated(QMdiSubWindow* sub) {
    // The frame's own title stays "Orvex"; a maximized document window adds
    // " - [its title]" to it, as the MDI area does.
    if (sub && !sub->isHidden())
        if (auto* c = qobject_cast<CChildFrame*>(sub->widget())) session().setActiveWindow(&c->window());
    scheduleStatus();
}

void CMainFrame::documentTitleChanged(const void* document) {
    for (CChildFrame* c : childFrames())
        if (&c->document().doc() == document) c->refreshTitle();
    childActivated(nullptr);
}

void CMainFrame::findBoxEntered(const std::string& sjis) {
    session().searchCommands().findBoxEntered(sjis);
    runCommand(cmd::kFindNext);
}

QRect CMainFrame::caretScreenRect() const {
    CLuViewWidget* pane = activePane();
    if (!pane || !pane->isVisible()) return {};
    QRect r = pane->caretRect();
    r.setLeft(pane->viewGeometry().textLeft);
    r.setRight(pane->viewport()->width());
    return QRect(pane->viewport()->mapToGlobal(r.topLeft()), r.size());
}

void CMainFrame::arrangeWindows(CommandId id) {
    if (id == cmd::kCascade) cascade();
    else tile(id == cmd::kTileVertical);
}

void CMainFrame::switchWindow(bool next) {
    if (next) m_mdi->activateNextSubWindow();
    else m_mdi->activatePreviousSubWindow();
}

QWidget* CMainFrame::barOf(CommandId id) const {
    switch (id) {
    case cmd::kToolbar1: return m_toolbar;
    case cmd::kToolBar2Toggle: return m_toolbar2;
    case cmd::kWindowBarToggle: return m_windowBar;
    default: return statusBar();
    }
}

bool CMainFrame::barVisible(CommandId id) const {
    if (id == cmd::kFileView) return m_fileWindow && !m_fileWindow->isHidden();
    return !barOf(id)->isHidden();
}

void CMainFrame::setBarVisible(CommandId id, bool visible) {
    if (id == cmd::kFileView) {
        // Made on first use: its folder model watches the disk.
        if (!m_fileWindow && visible) {
            m_fileWindow = new FileWindow(m_ctx.settings().frame, m_ctx.settings().app,
                                          [this](const std::string& path) { session().openFile(path); }, this);
            addDockWidget(Qt::LeftDockWidgetArea, m_fileWindow);
        }
        if (m_fileWindow) m_fileWindow->setVisible(visible);
        return;
    }
    barOf(id)->setVisible(visible);
}

void CMainFrame::showAbout() {
    QMessageBox::about(this, fromUtf8(strings::text(strings::kAppTitle)), aboutText());
}

QString CMainFrame::aboutText() {
    return QStringLiteral("Orvex %1\n日本語と欧文のためのテキストエディタ").arg(QString::fromLatin1(programVersion()));
}

bool CMainFrame::exitApplication() { return close(); }

bool CMainFrame::askColumns(shell::ColumnRequest& request) {
    ColumnCountDialog::Request r;
    r.title = fromUtf8(request.title);
    r.label = QString::fromUtf8(request.lineLength ? dialogtexts::kLineLength : dialogtexts::kTabWidth);
    r.columns = request.columns;
    r.minimum = request.minimum;
    r.maximum = request.maximum;
    r.fullWidth = request.fullWidth;
    ColumnCountDialog dialog(r, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    request.columns = dialog.columns();
    request.fullWidth = dialog.fullWidth();
    return true;
}

void CMainFrame::fitColumns(int32_t columns) {
    CChildFrame* child = activeChild();
    if (!child) return;
    CLuViewWidget& pane = child->activePane();
    const int delta = pane.viewportWidthFor(columns) - pane.viewport()->width();
    if (delta == 0) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    if (!sub || sub->isMaximized()) resize(width() + delta, height());
    else sub->resize(sub->width() + delta, sub->height());
}

// Cascaded windows each take about two thirds of the area or more (all of
// it but the steps of the windows above them), stepped down and to the
// right by a title bar's height, starting over at the top left when the
// steps would push a window out of the area. The active window ends on top.
void CMainFrame::cascade() {
    std::vector<QMdiSubWindow*> subs;
    for (QMdiSubWindow* s : m_mdi->subWindowList())
        if (!s->isHidden() && !s->isMinimized()) subs.push_back(s);
    if (subs.empty()) return;
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    const QRect area = m_mdi->viewport()->rect();
    const int n = int(subs.size());
    const int step = std::max(16, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, subs.front()));
    const int w = std::min(area.width(), std::max(area.width() * 2 / 3, area.width() - step * (n - 1)));
    const int h = std::min(area.height(), std::max(area.height() * 2 / 3, area.height() - step * (n - 1)));
    const int fits = std::max(1, std::min((area.width() - w) / step, (area.height() - h) / step) + 1);
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* s = subs[size_t(i)];
        s->showNormal();
        const int k = i % fits;
        s->setGeometry(k * step, k * step, w, h);
        s->raise();
    }
    if (active) {
        active->raise();
        m_mdi->setActiveSubWindow(active);
    }
}

void CMainFrame::tile(bool sideBySide) {
    std::vector<QMdiSubWindow*> subs;
    for (QMdiSubWindow* s : m_mdi->subWindowList())
        if (!s->isHidden() && !s->isMinimized()) subs.push_back(s);
    if (subs.empty()) return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        subs[size_t(i)]->showNormal();
        if (sideBySide) {
            const int x0 = area.width() * i / n, x1 = area.width() * (i + 1) / n;
            subs[size_t(i)]->setGeometry(x0, 0, x1 - x0, area.height());
        } else {
            const int y0 = area.height() * i / n, y1 = area.height() * (i + 1) / n;
            subs[size_t(i)]->setGeometry(0, y0, area.width(), y1 - y0);
        }
    }
}

// The close box. In resident mode the documents are offered for saving
// and closed, the window hides and the process stays with its icon (where
// there is no notification area the window is minimised instead); a
// cancelled save question keeps everything as it was. Otherwise, and for
// the exits that end the process for real, the exit order runs.
void CMainFrame::closeEvent(QCloseEvent* e) {
    shell::EditorSession& s = session();
    const bool forReal = s.realExitRequested();
    s.clearRealExit();
    if (s.settings().app.keepRun != 0 && !forReal) {
        e->ignore();
        if (!s.residentClose()) return;
        if (m_tray && QSystemTrayIcon::isSystemTrayAvailable()) hide();
        else showMinimized();
        return;
    }
    if (!s.shutdown()) {
        e->ignore();
        return;
    }
    e->accept();
    if (!QGuiApplication::quitOnLastWindowClosed()) QCoreApplication::quit();
}

bool CMainFrame::startPersonalServer(const QString& socketPath) {
    if (!m_personal) m_personal = new InstanceServer(session().instanceControl(), this);
    return m_personal->listenPersonal(socketPath);
}

void CMainFrame::placeMainWindow(const shell::ScreenRect& rect) {
    if (isMaximized() || isMinimized() || isFullScreen()) showNormal();
    // The rectangle is the frame's; the window's own size is less its
    // decorations.
    const QRect outer = frameGeometry(), inner = geometry();
    resize(std::max(rect.width - (outer.width() - inner.width()), 100),
           std::max(rect.height - (outer.height() - inner.height()), 100));
    move(rect.x, rect.y);
}

void CMainFrame::arrangeInstances(bool sideBySide) {
    const QStringList others = otherInstances(shell::kMaxArrangedInstances - 1);
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect work = s->availableGeometry();
    const std::vector<shell::ScreenRect> rects =
        shell::arrangeInstances(int(others.size()) + 1, {work.x(), work.y(), work.width(), work.height()}, sideBySide);
    if (rects.empty()) return;
    placeMainWindow(rects[0]);
    for (qsizetype i = 0; i < others.size() && size_t(i + 1) < rects.size(); ++i) {
        shell::HandOverMessage m;
        m.code = shell::kCtlPlaceWindow;
        m.text = shell::placementText(rects[size_t(i + 1)]);
        handOver(others[i], m, 2000);
    }
}

bool CMainFrame::startInstanceServer(const QString& socketPath) {
    if (!m_instances) m_instances = new InstanceServer(session().instanceControl(), this);
    return m_instances->listen(socketPath);
}

void CMainFrame::setUpResidentMode() {
    if (m_tray || session().settings().app.keepRun == 0) return;
    m_tray = new QSystemTrayIcon(this);
    QIcon icon = windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_FileIcon);
    m_tray->setIcon(icon);
    m_tray->setToolTip(QStringLiteral("Orvex"));
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("Orvexを表示(&S)"), this, [this] { restoreMainWindow(); });
    menu->addAction(commandAction(cmd::kFileNew, menu));
    menu->addAction(commandAction(cmd::kFileOpen, menu));
    menu->addSeparator();
    menu->addAction(commandAction(cmd::kExitResident, menu));
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this, menu](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::DoubleClick) {
            restoreMainWindow();
            if (session().settings().app.autoLoad != 0 && session().windows().empty())
                shell::reopenStoredFiles(session());
        } else if (why == QSystemTrayIcon::Trigger) {
            menu->popup(QCursor::pos());
        }
    });
    session().setResidentEnd([this] {
        if (m_tray) m_tray->hide();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable()) m_tray->show();
}

void CMainFrame::restoreMainWindow() {
    if (isMinimized()) showNormal();
    else if (!isVisible()) show();
    raise();
    activateWindow();
}

void CMainFrame::showMainWindowAt(int width, int height) {
    if (width == 0 || height == 0) {
        showMaximized();
        return;
    }
    showNormal();
    resize(width, height);
}

// ---- Key macros and tables

bool CMainFrame::askKeyMacroTitles(std::array<std::string, 20>& titles) {
    KeyMacroTitlesDialog dialog(titles, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    titles = dialog.titles();
    return true;
}

void CMainFrame::menuTextsChanged() { refreshMenuKeyLabels(); }

void CMainFrame::keyMacroRecordingChanged() {
    const bool on = session().keyMacros().recordingSlot() != 0;
    for (CChildFrame* c : childFrames())
        for (int i = 0; i < 2; ++i) c->pane(i).setRecordingPointer(on);
    scheduleStatus();
}

void CMainFrame::commandTablesChanged() {
    refreshMenuKeyLabels();
    // The toolbars are laid out again from their tables.
    m_findBox = nullptr;
    m_toolbar->clear();
    m_toolbar2->clear();
    qDeleteAll(m_toolActions);
    m_toolActions.clear();
    fillToolbar(m_toolbar, m_ctx.settings().tables.toolbar1, true);
    fillToolbar(m_toolbar2, m_ctx.settings().tables.toolbar2, false);
    showToolbars();
    scheduleStatus();
}

void CMainFrame::programWaitChanged(bool waiting) {
    if (!waiting) {
        delete m_programWait;
        return;
    }
    // The editor waits for the program, letting input through: this window
    // keeps that input to the stop button, so that nothing else changes
    // while the program's output is awaited.
    auto* wait = new QProgressDialog(QString::fromUtf8("ﾌﾟﾛｸﾞﾗﾑの終了を待っています"),
                                     QString::fromUtf8("中止"), 0, 0, this);
    wait->setWindowTitle(fromUtf8(commands::menuText(cmd::kExternalProgram)));
    wait->setWindowModality(Qt::ApplicationModal);
    wait->setMinimumDuration(0);
    wait->setAutoClose(false);
    wait->setAutoReset(false);
    connect(wait, &QProgressDialog::canceled, this, [this] { session().externalPrograms().stop(); });
    m_programWait = wait;
    wait->show();
}

void CMainFrame::editPrograms(shell::ProgramSheetRequest& request) {
    CShExProg sheet(request, this);
    sheet.exec();
    sheet.finishInto(request);
}

void CMainFrame::editMacros(shell::MacroSheetRequest& request) {
    CShMacro sheet(request, this);
    sheet.exec();
    sheet.finishInto(request);
}

// The document window's outer size follows from the active pane's text
// area: the frame around the text area is what the window has now beyond
// it.
void CMainFrame::sizeDocumentWindow(shell::EditorWindow& window, int columns, int rows) {
    QMdiSubWindow* sub = subWindowOf(window);
    CChildFrame* child = childOf(&window);
    if (!sub || !child) return;
    if (columns == 0 && rows == 0) {
        sub->showMaximized();
        return;
    }
    if (sub->isMaximized() || sub->isMinimized()) sub->showNormal();
    CLuViewWidget& pane = child->activePane();
    const ViewGeometry& g = pane.viewGeometry();
    const int textWidth = pane.viewportWidthFor(columns);
    const int textHeight = g.textTop + rows * std::max(1, g.rowHeight);
    const int dw = textWidth - pane.viewport()->width();
    const int dh = textHeight - pane.viewport()->height();
    sub->resize(std::max(sub->minimumWidth(), sub->width() + dw), std::max(sub->minimumHeight(), sub->height() + dh));
}

bool CMainFrame::editFixedStrings(shell::FixedStringsRequest& request) {
    CShTeikei sheet(request, this);
    if (sheet.exec() != QDialog::Accepted) return false;
    request = sheet.result();
    return true;
}

bool CMainFrame::editAssociation(shell::AssociationRequest& request) {
    AssociationDialog dialog(request, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    request = dialog.result();
    return true;
}

int CMainFrame::chooseFromMenu(const std::vector<std::string>& labels) {
    QMenu menu(this);
    for (size_t i = 0; i < labels.size(); ++i) menu.addAction(fromUtf8(labels[i]))->setData(int(i));
    // At the caret when a view has the focus, else at the pointer.
    QPoint at = QCursor::pos();
    if (CLuViewWidget* pane = activePane())
        at = pane->mapToGlobal(pane->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft());
    const QAction* chosen = menu.exec(at);
    return chosen ? chosen->data().toInt() : -1;
}

void CMainFrame::showTextStores(bool scrapBook) {
    if (!m_textStores) m_textStores = new TextStoresWindow(session(), this);
    m_textStores->showTab(scrapBook);
    m_textStores->show();
    m_textStores->raise();
    m_textStores->activateWindow();
}

void CMainFrame::textStoresChanged() {
    if (m_textStores && m_textStores->isVisible()) m_textStores->refresh();
}

// The options sheet or an import changed the settings: the display font,
// the status bar with its layout, and the notification icon follow.
void CMainFrame::settingsApplied(bool residentChanged) {
    m_ctx.applySettings();
    statusBar()->setVisible(m_ctx.settings().frame.statusBarDisp != 0);
    m_status->build(statusLayout(m_ctx.settings().frame, m_status->layoutIndex()));
    if (residentChanged && m_ctx.settings().app.keepRun == 0 && m_tray) {
        delete m_tray;
        m_tray = nullptr;
    }
    if (residentChanged) setUpResidentMode();
    scheduleStatus();  // the window bar follows its options there
}

void CMainFrame::editCommandTables() {
    settings::Settings& s = m_ctx.settings();
    CommandTablesSheetServices services;
    services.knows = [this](CommandId id) { return session().router().knows(id); };
    services.hasButtonImage = [](CommandId id) { return !toolIcon(id).isNull(); };
    services.messages = session().platform().messages;
    services.applySoon = [this](const settings::CommandTables& tables) {
        settings::CommandTables& t = m_ctx.settings().tables;
        t.toolbar1 = tables.toolbar1;
        t.toolbar2 = tables.toolbar2;
        session().applyCommandTables();
    };
    CommandTablesOptions options{s.frame.cMenuExe != 0, s.editor.options.rBtnUpDown != 0, s.frame.toolbarChangeSoon != 0};
    CommandTablesSheet sheet(s.tables, options, services, this);
    if (sheet.exec() != QDialog::Accepted) return;
    s.tables = sheet.tables();
    const CommandTablesOptions chosen = sheet.options();
    s.frame.cMenuExe = chosen.cMenuExe ? 1 : 0;
    s.editor.options.rBtnUpDown = chosen.rBtnUpDown ? 1 : 0;
    s.frame.toolbarChangeSoon = chosen.toolbarChangeSoon ? 1 : 0;
    session().applyCommandTables();
}

// ---- Commands

bool CMainFrame::runCommand(CommandId id) { return session().router().run(id); }

CommandState CMainFrame::commandState(CommandId id) { return session().router().state(id); }

}  // namespace orvex::qt
