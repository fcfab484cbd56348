// The main frame's layout dialogs: the line length (33103, LineMax of the
// active document's file-type mode) and the tab stops (33104, TabStops of
// that mode). Either change lays out every open document again; a new line
// length may also resize the window so that the lines fit (ModifyWinWidth).
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "display/LayoutOptions.h"
#include "qt/dialogs/ColumnCountDialog.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/document/EditorDocument.h"
#include "qt/mainframe/CChildFrame.h"
#include "qt/mainframe/CMainFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/mainframe/MenuLayout.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"

namespace orvex::qt {

namespace {

// Tab widths the dialog accepts, in columns.
constexpr int kMinTabWidth = 1;
constexpr int kMaxTabWidth = 16;

}  // namespace

void CMainFrame::cmdColumnDialog(CommandId id) {
    CChildFrame* child = activeChild();
    if (!child) return;
    settings::Settings& s = m_ctx.settings();
    settings::ModeOptions& mode = s.editor.mode(child->document().mode());
    settings::EditorOptions& options = s.editor.options;
    const bool lineLength = id == cmdid::kLineLength;

    ColumnCountDialog::Request request;
    request.title = fromUtf8(menuTextOf(id));
    request.label = QString::fromUtf8(lineLength ? dialogtexts::kLineLength : dialogtexts::kTabWidth);
    request.columns = lineLength ? mode.lineMax : mode.tabStops / 4;
    request.minimum = lineLength ? int(kMinWrapWidth) : kMinTabWidth;
    request.maximum = lineLength ? int(kMaxWrapWidth) : kMaxTabWidth;
    request.fullWidth = options.numByWchar != 0;
    ColumnCountDialog dialog(request, this);
    if (dialog.exec() != QDialog::Accepted) return;

    options.numByWchar = dialog.fullWidth() ? 1 : 0;
    if (lineLength) mode.lineMax = dialog.columns();
    else mode.tabStops = dialog.columns() * 4;
    relayoutAll();
    if (lineLength && options.modifyWinWidth) fitColumns(child->document().doc().text().wrapWidth());
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

}  // namespace orvex::qt
