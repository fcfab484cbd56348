#include "qt/mainframe/CChildFrame.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QVBoxLayout>

#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"
#include "shell/EditorWindow.h"

namespace orvex::qt {

CChildFrame::CChildFrame(EditorContext& context, shell::EditorWindow& window, QWidget* parent)
    : QWidget(parent), m_ctx(context), m_window(window) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(true);
    layout->addWidget(m_splitter);
    for (int i = 0; i < 2; ++i) {
        m_panes[i] = new CLuViewWidget(context, window, i, m_splitter);
        m_splitter->addWidget(m_panes[i]);
        connect(m_panes[i], &CLuViewWidget::activated, this, [this, i](CLuViewWidget* w) {
            // A collapsed pane cannot be seen: it never takes the caret (the
            // window system may hand it the focus when windows are
            // rearranged); the pane in sight does.
            if (!paneShown(i) && paneShown(1 - i)) {
                m_panes[1 - i]->setFocus();
                return;
            }
            m_window.setActivePane(i);
            emit paneActivated(w);
        });
    }
    // A drag of the handle splits or unsplits the window.
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_window.noteSplit(isSplit(), m_window.activePane()); });
    // The second pane starts collapsed; the first keeps the caret.
    m_splitter->setSizes({1, 0});
    setFocusProxy(m_panes[0]);
    refreshTitle();
}

CChildFrame::~CChildFrame() {
    // The panes go before the window whose views they show; then the session
    // lets the window go.
    delete m_splitter;
    m_splitter = nullptr;
    m_ctx.session().windowDestroyed(m_window);
}

shell::EditorDocument& CChildFrame::document() { return m_window.document(); }

CLuViewWidget& CChildFrame::activePane() { return *m_panes[m_window.activePane()]; }

bool CChildFrame::paneShown(int index) const {
    const QList<int> sizes = m_splitter->sizes();
    return sizes.size() == 2 && sizes[index] > 0;
}

bool CChildFrame::isSplit() const {
    const QList<int> sizes = m_splitter->sizes();
    return sizes.size() == 2 && sizes[0] > 0 && sizes[1] > 0;
}

void CChildFrame::showSplit() {
    const bool split = m_window.isSplit();
    if (split == isSplit()) return;
    const int total = std::max(2, m_splitter->height());
    CLuViewWidget* active = &activePane();
    if (split) {
        // The new pane shows the same place as the active one (again, after
        // the resize of both panes).
        CLuView& from = active->view();
        CLuView& to = (active == m_panes[0] ? m_panes[1] : m_panes[0])->view();
        m_splitter->setSizes({total / 2, total - total / 2});
        to.scrollTo(from.topRow(), from.leftColumn());
        if (active == m_panes[1]) m_panes[1]->setFocus();
    } else {
        m_splitter->setSizes(active == m_panes[0] ? QList<int>{total, 0} : QList<int>{0, total});
        active->setFocus();
    }
}

void CChildFrame::refreshTitle() {
    const QString title = fromUtf8(m_window.document().doc().title());
    setWindowTitle(title);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* e) {
    if (!m_window.queryClose()) {
        e->ignore();
        return;
    }
    m_ctx.session().windowClosed(m_window);
    e->accept();
}

}  // namespace orvex::qt
