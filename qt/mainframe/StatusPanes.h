#pragma once
// The status bar's panes, built from one of the four pane layouts of the
// settings (StsBar1..64): "%" and a pane code gives a pane that shows the
// active view's state (line and column, character code at the caret,
// insert/overwrite, new file, the document's code and line end, clock ...),
// any other text a pane showing that text, an empty string no pane. Each
// pane is as wide as its sample text.
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <string>
#include <vector>

class QLabel;
class QStatusBar;

namespace orvex {
struct EditorState;
}

namespace orvex::qt {

class CLuViewWidget;

class StatusPanes final : public QObject {
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar* bar);

    // Builds the panes of a layout (16 pane strings).
    void build(const std::array<std::string, 16>& layout);
    int layoutIndex() const { return m_layout; }
    void setLayoutIndex(int index) { m_layout = index; }

    // Refreshes every pane from the active view (null: no document).
    void update(CLuViewWidget* active, const EditorState& state);

    // The text a pane code shows (tests).
    static QString paneText(int code, CLuViewWidget* active, const EditorState& state);
    // The text of the line-and-column pane.
    QString lineColumnText() const;

private:
    struct Pane {
        int code = -1;  // -1: a text pane
        QLabel* label = nullptr;
    };
    QStatusBar* m_bar;
    std::vector<Pane> m_panes;
    QTimer m_clock;
    int m_layout = 0;
};

}  // namespace orvex::qt
