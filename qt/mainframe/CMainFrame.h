#pragma once
#include <QMainWindow>

class QMdiArea;

namespace orvex::qt {

// The main window: one MDI area holding the document windows, the menus and
// the status bar.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    QMdiArea* mdiArea() const { return m_mdi; }

private:
    void createMenus();
    QMdiArea* m_mdi = nullptr;
};

}  // namespace orvex::qt
