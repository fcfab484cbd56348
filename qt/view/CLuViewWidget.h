#pragma once
// The editor view widget: a scroll area showing one CLuView. It turns Qt's
// events into the view's calls (keys as virtual-key codes through the key
// table first, characters and input-method text as Shift JIS, mouse
// positions as rows and display columns) and paints what the display
// computations decided for each visible row.
//
// The view's first row and column are the truth; the scroll bars follow
// them. Geometry (cell size, gutter, ruler, visible rows and columns) is
// recomputed on every resize and settings change, and whenever the gutter
// widens with the row count.
//
// Implementation: CLuViewWidget.cpp (state, geometry, scrolling, view host),
// ViewWidgetPaint.cpp, ViewWidgetInput.cpp (keys, input method, mouse,
// wheel), ViewWidgetDrag.cpp (drag and drop).
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "display/Gutter.h"
#include "display/RowAttributes.h"
#include "display/RowRuns.h"
#include "display/Ruler.h"
#include "display/ScrollRules.h"
#include "display/ViewGeometry.h"
#include "qt/platform/QtUiRequests.h"
#include "search/SearchState.h"
#include "text/CLuView.h"
#include "text/ViewHost.h"

namespace orvex::search {
class ViewSearch;
}
namespace orvex::shell {
class EditorDocument;
class EditorWindow;
}  // namespace orvex::shell

namespace orvex::qt {

class EditorContext;

class CLuViewWidget final : public QAbstractScrollArea,
                            public ViewHost,
                            public RepaintTarget,
                            public search::SearchStateListener {
    Q_OBJECT
public:
    // Shows pane `pane` of a session window; the view and its command
    // families belong to the window.
    CLuViewWidget(EditorContext& context, shell::EditorWindow& window, int pane, QWidget* parent = nullptr);
    ~CLuViewWidget() override;

    CLuView& view() { return *m_view; }
    const CLuView& view() const { return *m_view; }
    shell::EditorDocument& document() { return m_document; }
    shell::EditorWindow& window() { return m_window; }
    const ViewGeometry& viewGeometry() const { return m_geometry; }
    // The view's search commands (an extension of the view).
    search::ViewSearch& search() { return *m_search; }

    // The short-lived state of a view that just took the focus or is
    // scrolling: the caret line is not coloured until the state's timer
    // ends it (or clearTransientState does).
    bool transientState() const { return m_transient; }
    void clearTransientState();
    static constexpr int kTransientMilliseconds = 300;

    // Who opens the context menu (the frame, from the context-menu table).
    void setContextMenuHandler(std::function<void(CLuViewWidget&, const QPoint&)> handler) {
        m_contextMenu = std::move(handler);
    }

    // Settings changed: font, colours, options; geometry and repaint.
    void applySettings();
    // Paints the part rect of the viewport (also used to render offscreen).
    void paintArea(QPainter& painter, const QRect& rect);
    // The caret cell in viewport coordinates.
    QRect caretRect() const;
    // The pixel rectangle of a document row and display column (viewport
    // coordinates), for menus and tests.
    QPoint cellPosition(int32_t row, int32_t column) const;
    // The viewport width that shows columns text columns and the line-end
    // mark beside the gutter (with the margins): what a window must give
    // the view to fit rows of that width.
    int viewportWidthFor(int32_t columns) const;
    // The current pre-edit text of the input method.
    const QString& preedit() const { return m_preedit; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // Called once, after the first paint of any view widget (start-up
    // timing).
    static void setFirstPaintHook(std::function<void()> hook);

    // ---- ViewHost
    void caretMoved() override;
    void scrolled(int32_t rows, int32_t columns) override;
    void scrollSizesChanged() override;
    void showContextMenu(int32_t row, int32_t column) override;
    void finishComposition() override;
    bool inputMethodOpen() const override { return m_imOpen; }
    void setInputMethodOpen(bool open) override;
    void registerWord(std::string_view sjis) override;
    std::optional<int32_t> askLineNumber(int32_t initial) override;
    std::optional<int32_t> askCharacterCode() override;
    void hideMousePointer() override;
    // While a key macro records, the pointer over the text takes a form of
    // its own (an I-beam with a red recording dot).
    void setRecordingPointer(bool on);
    bool recordingPointer() const { return m_recordingPointer; }
    bool isKeyDown(uint16_t virtualKey) const override;
    void setWaitCursor(bool on) override;
    void overlayChanged() override { viewport()->update(); }

    // ---- RepaintTarget
    void repaintRows(int first, int last) override;
    void repaintAll() override;

    // ---- SearchStateListener
    void highlightChanged() override { viewport()->update(); }

signals:
    // The widget took the focus: it is the active pane now.
    void activated(CLuViewWidget* widget);

protected:
    bool event(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    int mode() const;
    void updateGeometryAndWrap();
    void updateScrollBars();
    MouseEvent mouseEventAt(const QPoint& pos, Qt::KeyboardModifiers mods) const;
    // Runs a command along the session's chain; the status bar follows.
    void routeCommand(CommandId id);
    void typeCharacters(const QString& text);
    void updateCaretArea();
    void restartBlink();
    void beginTransientState();
    void startDrag();
    void paintCaret(QPainter& painter);
    void paintPreedit(QPainter& painter);
    void paintDragOutline(QPainter& painter);
    ViewPaintState paintState() const;
    // The selection as the primary selection; a middle click pastes it.
    void publishPrimary();
    void pastePrimary(const QPoint& pos);

    EditorContext& m_ctx;
    shell::EditorWindow& m_window;
    shell::EditorDocument& m_document;
    CLuView* m_view;                // the window's view of this pane
    search::ViewSearch* m_search;   // its search commands
    std::function<void(CLuViewWidget&, const QPoint&)> m_contextMenu;

    bool m_primaryPending = false;
    ViewGeometry m_geometry;
    int32_t m_gutterDigits = 0;
    bool m_syncingBars = false;
    WheelAccumulator m_wheel;

    // Painting scratch, reused row after row.
    RowAttributes m_row;
    RowRuns m_runs;
    GutterRow m_gutter;
    std::vector<CommentSpan> m_comments;
    std::vector<RulerTick> m_ticks;
    QImage m_strip;

    // Just focused or scrolling (see transientState).
    QTimer m_transientTimer;
    bool m_transient = false;

    // Caret.
    QTimer m_blink;
    bool m_caretOn = true;
    QRect m_lastCaret;

    // Input method.
    bool m_imOpen = true;
    QString m_preedit;
    int m_preeditCursor = 0;

    // Mouse and drag.
    MousePress m_press = MousePress::Ignored;
    QPoint m_pressPos;
    bool m_leftDown = false;
    bool m_droppedHere = false;
    bool m_pointerHidden = false;
    bool m_recordingPointer = false;
};

}  // namespace orvex::qt
