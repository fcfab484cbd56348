#include "qt/mainframe/CMainFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "common/strings/StringTable.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(fromUtf8(strings::text(strings::kAppTitle)));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    createMenus();
    statusBar();
    resize(900, 640);
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    QAction* exit = file->addAction(QStringLiteral("ｴﾃﾞｨﾀの終了(&X)"));
    exit->setData(57665);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

}  // namespace orvex::qt
