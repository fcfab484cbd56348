#pragma once
// A document window: shows a session window (shell::EditorWindow) as two
// view widgets one above the other in a splitter. The second pane starts
// collapsed; dragging the splitter handle or the split command (57653)
// opens it. Both panes show the window's views of one document.
//
// The session owns the window, its document and views; this widget shows
// them and forwards focus, splitter drags and the close box. Closing asks
// the window (the save question) first.
#include <QWidget>

class QSplitter;

namespace orvex::shell {
class EditorDocument;
class EditorWindow;
}  // namespace orvex::shell

namespace orvex::qt {

class CLuViewWidget;
class EditorContext;

class CChildFrame final : public QWidget {
    Q_OBJECT
public:
    CChildFrame(EditorContext& context, shell::EditorWindow& window, QWidget* parent = nullptr);
    ~CChildFrame() override;

    shell::EditorWindow& window() { return m_window; }
    shell::EditorDocument& document();
    CLuViewWidget& pane(int index) { return index == 0 ? *m_panes[0] : *m_panes[1]; }
    // The pane that had the focus last.
    CLuViewWidget& activePane();
    bool isSplit() const;
    // The pane has height in the splitter.
    bool paneShown(int index) const;
    // Shows the window's split state (after the core changed it).
    void showSplit();
    // The window title follows the document's name and modified state.
    void refreshTitle();

signals:
    void paneActivated(CLuViewWidget* pane);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    EditorContext& m_ctx;
    shell::EditorWindow& m_window;
    QSplitter* m_splitter = nullptr;
    CLuViewWidget* m_panes[2] = {nullptr, nullptr};
};

}  // namespace orvex::qt
