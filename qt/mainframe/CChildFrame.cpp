#include "qt/mainframe/CChildFrame.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QVBoxLayout>

#include "qt/document/EditorDocument.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"

namespace orvex::qt {

CChildFrame::CChildFrame(std::unique_ptr<EditorDocument> document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(true);
    layout->addWidget(m_splitter);
    for (auto*& pane : m_panes) {
        pane = new CLuViewWidget(*m_document, m_splitter);
        m_splitter->addWidget(pane);
        connect(pane, &CLuViewWidget::activated, this, [this](CLuViewWidget* w) {
            m_active = w;
            emit paneActivated(w);
        });
    }
    m_panes[0]->view().setSiblingPane(&m_panes[1]->view());
    // The second pane starts collapsed; the first keeps the caret.
    m_splitter->setSizes({1, 0});
    m_active = m_panes[0];
    setFocusProxy(m_panes[0]);
    // The document's own close command (57602) asked and released the file
    // already; the window goes without asking again.
    m_document->setCloseHandler([this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
    });
    refreshTitle();
}

CChildFrame::~CChildFrame() {
    // The panes go before the document they show.
    delete m_splitter;
    m_splitter = nullptr;
}

bool CChildFrame::isSplit() const {
    const QList<int> sizes = m_splitter->sizes();
    return sizes.size() == 2 && sizes[0] > 0 && sizes[1] > 0;
}

void CChildFrame::setSplit(bool split) {
    if (split == isSplit()) return;
    const int total = std::max(2, m_splitter->height());
    if (split) {
        // The new pane shows the same place as the active one.
        CLuView& from = m_active->view();
        CLuView& to = (m_active == m_panes[0] ? m_panes[1] : m_panes[0])->view();
        m_splitter->setSizes({total / 2, total - total / 2});
        to.scrollTo(from.topRow(), from.leftColumn());
        if (m_active == m_panes[1]) m_panes[1]->setFocus();
    } else {
        CLuViewWidget* keep = m_active;
        m_splitter->setSizes(keep == m_panes[0] ? QList<int>{total, 0} : QList<int>{0, total});
        keep->setFocus();
    }
}

void CChildFrame::refreshTitle() {
    const QString title = fromUtf8(m_document->doc().title());
    setWindowTitle(title);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* e) {
    if (!m_document->queryClose()) {
        e->ignore();
        return;
    }
    m_document->doc().setClosing(true);
    e->accept();
}

const CommandTable<CChildFrame>& CChildFrame::commandTable() {
    using C = CChildFrame;
    static const CommandTable<CChildFrame> table{
        {cmdid::kWindowSplit, cmdid::kWindowSplit, &C::cmdSplit, &C::updateSplit, kCmdNone},
    };
    return table;
}

void CChildFrame::cmdSplit(CommandId) { setSplit(!isSplit()); }

void CChildFrame::updateSplit(CommandId, CommandState& state) { state.checked = isSplit(); }

bool CChildFrame::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool CChildFrame::onUpdateCommand(CommandId id, CommandState& state) { return commandTable().update(*this, id, state); }

}  // namespace orvex::qt
