#include "qt/mainframe/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/CodeChoices.h"
#include "files/FileInfo.h"
#include "files/ViewFileCommands.h"
#include "files/AppendToFile.h"
#include "files/AutoBackupService.h"
#include "qt/dialogs/QtSearchDialogs.h"
#include "qt/document/EditorDocument.h"
#include "qt/mainframe/CChildFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/mainframe/FindBox.h"
#include "qt/mainframe/MenuLayout.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/mainframe/ToolIcons.h"
#include "qt/platform/QtFileDialogs.h"
#include "qt/platform/QtMessageBoxes.h"
#include "qt/platform/QtText.h"
#include "qt/platform/QtUiRequests.h"
#include "qt/view/CLuViewWidget.h"
#include "search/SearchCommandIds.h"
#include "search/SearchFrameCommands.h"
#include "search/ViewSearch.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"
#include "text/CLuView.h"

namespace orvex::qt {

namespace {

// Qt's filter text for a stored filter such as "*.txt;*.log".
std::string dialogFilter(const std::string& stored) {
    std::string patterns = stored;
    for (char& c : patterns)
        if (c == ';') c = ' ';
    return patterns + " (" + patterns + ")";
}

std::array<std::string, 16> statusLayout(const settings::FrameOptions& f, int index) {
    std::array<std::string, 16> out;
    for (size_t i = 0; i < out.size(); ++i) out[i] = f.stsBar[size_t(index) * 16 + i];
    return out;
}

}  // namespace

CMainFrame::CMainFrame(EditorContext& context, QWidget* parent)
    : QMainWindow(parent),
      m_ctx(context),
      m_autoBackups(std::make_unique<files::AutoBackupService>(context.platform().timers, &context.settings().app)),
      m_searchCommands(std::make_unique<search::SearchFrameCommands>(context.search())) {
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
    m_ctx.setAutoBackups(m_autoBackups.get());
    m_ctx.setAppendHandler([this](const files::AppendRequest& r) { return openForAppend(r); });
    m_ctx.ui().setTitleHandler([this](const void* document) { documentTitleChanged(document); });
    m_ctx.ui().setStatusHandler([this] { scheduleStatus(); });
    m_ctx.setRelayoutHandler([this] { relayoutAll(); });

    buildMenus();
    buildToolbar();
    m_status = std::make_unique<StatusPanes>(statusBar());
    m_status->build(statusLayout(m_ctx.settings().frame, 0));
    m_autoBackups->start();
    const settings::FrameOptions& f = m_ctx.settings().frame;
    m_toolbar->setVisible(f.toolBarDisp != 0 && m_ctx.settings().tables.toolbar1.count > 0);
    statusBar()->setVisible(f.statusBarDisp != 0);
    resize(1000, 700);
}

CMainFrame::~CMainFrame() {
    m_ctx.ui().setTitleHandler({});
    m_ctx.ui().setStatusHandler({});
    m_ctx.setRelayoutHandler({});
    m_ctx.setAppendHandler({});
    m_ctx.messageBoxes().setKeepClearProvider({});
    m_autoBackups->stop();
    // The document windows go while the frame's members still exist.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) delete sub;
    m_ctx.setAutoBackups(nullptr);
}

// ---- Menus

QAction* CMainFrame::commandAction(CommandId id, QObject* parent) {
    auto* a = new QAction(fromUtf8(menuTextOf(id)), parent);
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
        } else if (commandKnown(n.id)) {
            QAction* a = commandAction(n.id, menu);
            menu->addAction(a);
            m_commandActions.push_back(a);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenuStates(menu); });
}

void CMainFrame::buildMenus() {
    for (const MenuNode& top : mainMenuLayout()) {
        auto* menu = new QMenu(QString::fromUtf8(top.title), this);
        buildMenu(menu, top.children);
        menuBar()->addMenu(menu);
    }
    refreshMenuKeyLabels();
}

void CMainFrame::refreshMenuKeyLabels() {
    const shell::KeyLookup& keys = m_ctx.keyLookup();
    for (QAction* a : m_commandActions) {
        const auto id = CommandId(a->data().toInt());
        a->setText(fromUtf8(shell::menuTextWithKeys(a->text().toStdString(), keys.keyNames(id))));
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
        } else if (commandKnown(id)) {
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
    m_toolbar = addToolBar(fromUtf8(menuTextOf(cmdid::kToolbar1)));
    m_toolbar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolbar->setIconSize(QSize(22, 22));
    const settings::IdTable80& table = m_ctx.settings().tables.toolbar1;
    const int count = std::clamp(table.count, 0, settings::IdTable80::kCapacity);
    for (int i = 0; i < count; ++i) {
        const auto id = CommandId(table.records[size_t(i)]);
        if (id == shell::kSeparatorId) {
            m_toolbar->addSeparator();
        } else if (id == shell::kSearchBoxId) {
            if (m_findBox) {
                // One box per toolbar; a second id stands as a gap.
                auto* gap = new QWidget(m_toolbar);
                gap->setFixedWidth(8);
                m_toolbar->addWidget(gap);
                continue;
            }
            m_findBox = new FindBox(
                m_ctx.search(), [this](const std::string& text) { findBoxEntered(text); },
                [this] {
                    if (CLuViewWidget* pane = activePane()) pane->setFocus();
                },
                m_toolbar);
            m_findBox->setToolTip(fromUtf8(menuTextOf(cmd::kFindBox)));
            m_toolbar->addWidget(m_findBox);
        } else if (commandKnown(id)) {
            QAction* a = commandAction(id, m_toolbar);
            a->setIcon(toolIcon(id));
            m_toolbar->addAction(a);
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
    const int layout = st.selectionMode ? 1 : 0;
    if (layout != m_status->layoutIndex()) {
        m_status->setLayoutIndex(layout);
        m_status->build(statusLayout(m_ctx.settings().frame, layout));
    }
    m_status->update(activePane(), st);
    for (QAction* a : m_toolActions) {
        const CommandState s = commandState(CommandId(a->data().toInt()));
        a->setEnabled(s.enabled);
        a->setCheckable(s.checked);
        a->setChecked(s.checked);
    }
}

// ---- Documents and windows

std::vector<CChildFrame*> CMainFrame::childFrames() const {
    std::vector<CChildFrame*> out;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(sub->widget()); c && !sub->isHidden()) out.push_back(c);
    return out;
}

CChildFrame* CMainFrame::activeChild() const {
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) sub = m_lastActive;
    if (!sub || sub->isHidden()) {
        const std::vector<CChildFrame*> all = childFrames();
        return all.empty() ? nullptr : all.back();
    }
    return qobject_cast<CChildFrame*>(sub->widget());
}

CLuViewWidget* CMainFrame::activePane() const {
    CChildFrame* c = activeChild();
    return c ? &c->activePane() : nullptr;
}

CChildFrame* CMainFrame::addChild(std::unique_ptr<EditorDocument> document) {
    const bool maximize = !m_mdi->activeSubWindow() || m_mdi->activeSubWindow()->isMaximized();
    auto* child = new CChildFrame(std::move(document));
    QMdiSubWindow* sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->refreshTitle();
    for (int i = 0; i < 2; ++i) {
        CLuViewWidget& pane = child->pane(i);
        pane.setCommandRouter([this](CommandId id) { runCommand(id); });
        pane.setContextMenuHandler([this](CLuViewWidget& w, const QPoint& at) { showContextMenu(w, at); });
    }
    connect(child, &CChildFrame::paneActivated, this, [this] { scheduleStatus(); });
    if (maximize) sub->showMaximized();
    else sub->show();
    m_mdi->setActiveSubWindow(sub);
    child->pane(0).setFocus();
    m_lastActive = sub;
    scheduleStatus();
    return child;
}

CChildFrame* CMainFrame::newDocument() { return addChild(std::make_unique<EditorDocument>(m_ctx)); }

CChildFrame* CMainFrame::openFile(const std::string& path) {
    for (CChildFrame* c : childFrames()) {
        if (!c->document().untitled() && files::isSameFile(c->document().path(), path)) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget())) m_mdi->setActiveSubWindow(sub);
            return c;
        }
    }
    auto doc = std::make_unique<EditorDocument>(m_ctx);
    if (!doc->open(path)) return nullptr;
    return addChild(std::move(doc));
}

bool CMainFrame::processCommandLine(const shell::CommandLineInfo& info) {
    const std::vector<std::string> files = info.files();
    if (files.empty()) {
        newDocument();
        return true;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        CChildFrame* child = openFile(files[i]);
        if (!child) return false;
        if (i == 0 && info.jumpLine > 0) child->activePane().view().goToLine(info.jumpLine);
    }
    return true;
}

bool CMainFrame::closeAllDocuments() {
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->isHidden()) continue;
        if (!sub->close()) return false;
    }
    return true;
}

void CMainFrame::childActivated(QMdiSubWindow* sub) {
    // The frame's own title stays "Orvex"; a maximized document window adds
    // " - [its title]" to it, as the MDI area does.
    if (sub) m_lastActive = sub;
    scheduleStatus();
}

void CMainFrame::documentTitleChanged(const void* document) {
    for (CChildFrame* c : childFrames())
        if (&c->document().doc() == document) c->refreshTitle();
    childActivated(nullptr);
}

void CMainFrame::findBoxEntered(const std::string& sjis) {
    m_searchCommands->findBoxEntered(sjis);
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

bool CMainFrame::openForAppend(const files::AppendRequest& request) {
    // The target's window takes the text: the one already showing it, or a
    // new one (a new document when the target does not exist yet).
    CChildFrame* child = nullptr;
    if (request.targetExisted) {
        child = openFile(request.target);
    } else {
        child = newDocument();
    }
    if (!child) {
        ::unlink(request.tempFile.c_str());
        return false;
    }
    const bool saved = files::appendTempFileToDocument(child->document().file(), request);
    child->refreshTitle();
    scheduleStatus();
    return saved;
}

void CMainFrame::relayoutAll() {
    m_ctx.refreshModeOptions();
    for (CChildFrame* c : childFrames()) {
        c->document().applySettings();
        c->pane(0).applySettings();
        c->pane(1).applySettings();
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

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!closeAllDocuments()) {
        e->ignore();
        return;
    }
    m_ctx.saveSettings();
    e->accept();
}

// ---- Commands

bool CMainFrame::commandKnown(CommandId id) {
    return CLuView::commandTable().find(id) || files::ViewFileCommands::commandTable().find(id) ||
           search::ViewSearch::commandTable().find(id) || EditorDocument::knows(id) ||
           CChildFrame::commandTable().find(id) || commandTable().find(id) || id == cmd::kResetHighlight;
}

bool CMainFrame::runCommand(CommandId id) {
    bool done;
    if (CChildFrame* child = activeChild()) {
        CLuViewWidget& pane = child->activePane();
        done = routeCommand({&pane.view(), &child->document(), child, this, m_searchCommands.get()}, id);
    } else {
        done = routeCommand({this, m_searchCommands.get()}, id);
    }
    scheduleStatus();
    return done;
}

CommandState CMainFrame::commandState(CommandId id) {
    CommandState s;
    if (CChildFrame* child = activeChild()) {
        CLuViewWidget& pane = child->activePane();
        routeUpdate({&pane.view(), &child->document(), child, this, m_searchCommands.get()}, id, s);
    } else {
        routeUpdate({this, m_searchCommands.get()}, id, s);
    }
    return s;
}

const CommandTable<CMainFrame>& CMainFrame::commandTable() {
    using F = CMainFrame;
    static const CommandTable<CMainFrame> table{
        {cmdid::kFileNew, cmdid::kFileNew, &F::cmdNew, nullptr, kCmdNone},
        {cmdid::kFileOpen, cmdid::kFileOpen, &F::cmdOpen, nullptr, kCmdNone},
        {cmdid::kSaveAll, cmdid::kSaveAll, &F::cmdSaveAll, &F::updateNeedsDocument, kCmdNone},
        {cmdid::kCloseAll, cmdid::kCloseAll, &F::cmdCloseAll, &F::updateNeedsDocument, kCmdNone},
        {cmdid::kAppExit, cmdid::kAppExit, &F::cmdExit, nullptr, kCmdNone},
        {cmdid::kSaveAllExit, cmdid::kSaveAllExit, &F::cmdSaveAllExit, nullptr, kCmdNone},
        {cmdid::kDiscardAllExit, cmdid::kDiscardAllExit, &F::cmdDiscardAllExit, nullptr, kCmdNone},
        {cmdid::kCascade, cmdid::kTileVertical, &F::cmdArrange, &F::updateNeedsDocument, kCmdNone},
        {cmdid::kNextWindow, cmdid::kPreviousWindow, &F::cmdSwitchWindow, &F::updateNeedsDocument, kCmdNone},
        {cmdid::kToolbar1, cmdid::kStatusBar, &F::cmdBars, &F::updateBars, kCmdNone},
        {cmdid::kAbout, cmdid::kAbout, &F::cmdAbout, nullptr, kCmdNone},
        {cmdid::kLineLength, cmdid::kTabStops, &F::cmdColumnDialog, &F::updateNeedsDocument, kCmdNone},
    };
    return table;
}

bool CMainFrame::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool CMainFrame::onUpdateCommand(CommandId id, CommandState& state) { return commandTable().update(*this, id, state); }

void CMainFrame::cmdNew(CommandId) { newDocument(); }

void CMainFrame::cmdOpen(CommandId) {
    settings::Settings& s = m_ctx.settings();
    FileDialogRequest request;
    request.save = false;
    request.multiSelect = true;
    request.title = menuTextOf(cmdid::kFileOpen);
    request.directory = s.app.defDir[0];
    for (const std::string& f : s.app.usrFileFilter)
        if (!f.empty()) request.filters.push_back(dialogFilter(cp932::toUtf8(f)));
    for (std::string_view c : files::kReadCodeChoices) request.codeChoices.emplace_back(c);
    request.codeIndex = files::readChoiceOfAutoKanji(s.document.autoKanji);
    const std::optional<FileDialogResult> chosen = m_ctx.platform().fileDialogs->ask(request);
    if (!chosen) return;
    // The code list of the dialog is the read setting.
    s.document.autoKanji = files::autoKanjiOfReadChoice(chosen->codeIndex);
    for (const std::string& path : chosen->paths)
        if (!openFile(path)) break;
}

void CMainFrame::cmdSaveAll(CommandId) {
    for (CChildFrame* c : childFrames())
        if (c->document().doc().isModified() && !c->document().save()) return;
}

void CMainFrame::cmdCloseAll(CommandId) { closeAllDocuments(); }

void CMainFrame::cmdExit(CommandId) { close(); }

void CMainFrame::cmdSaveAllExit(CommandId) {
    for (CChildFrame* c : childFrames())
        if (c->document().doc().isModified() && !c->document().save()) return;
    close();
}

void CMainFrame::cmdDiscardAllExit(CommandId) {
    if (m_ctx.platform().messages->showId(strings::kDiscardAllEdits, MsgIcon::Question, MsgButtons::OkCancel) !=
        MsgResult::Ok)
        return;
    for (CChildFrame* c : childFrames()) c->document().doc().setModified(false);
    close();
}

void CMainFrame::cmdArrange(CommandId id) {
    if (id == cmdid::kCascade) m_mdi->cascadeSubWindows();
    else tile(id == cmdid::kTileVertical);
}

void CMainFrame::cmdSwitchWindow(CommandId id) {
    if (id == cmdid::kNextWindow) m_mdi->activateNextSubWindow();
    else m_mdi->activatePreviousSubWindow();
}

void CMainFrame::cmdBars(CommandId id) {
    settings::FrameOptions& f = m_ctx.settings().frame;
    if (id == cmdid::kToolbar1) {
        const bool show = m_toolbar->isHidden();
        m_toolbar->setVisible(show);
        f.toolBarDisp = show ? 1 : 0;
    } else {
        const bool show = statusBar()->isHidden();
        statusBar()->setVisible(show);
        f.statusBarDisp = show ? 1 : 0;
    }
}

void CMainFrame::cmdAbout(CommandId) {
    QMessageBox::about(this, fromUtf8(strings::text(strings::kAppTitle)),
                       QStringLiteral("Orvex\n日本語と欧文のためのテキストエディタ"));
}

void CMainFrame::updateNeedsDocument(CommandId, CommandState& state) { state.enabled = activeChild() != nullptr; }

void CMainFrame::updateBars(CommandId id, CommandState& state) {
    state.checked = id == cmdid::kToolbar1 ? !m_toolbar->isHidden() : !statusBar()->isHidden();
}

}  // namespace orvex::qt
