#include "shell/ViewRequests.h"

#include <algorithm>
#include <string>

#include "common/commands/CommandIds.h"
#include "display/LayoutOptions.h"
#include "display/Row.h"
#include "files/ViewFileCommands.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "text/CLuDoc.h"
#include "text/CLuView.h"
#include "text/ViewHost.h"

namespace orvex::shell {

namespace {

// The tab widths the column dialog offers.
constexpr int kMinTabWidth = 1;
constexpr int kMaxTabWidth = 16;

const char* textOf(win::LParam lParam) { return reinterpret_cast<const char*>(lParam); }

// Bytes from a row's offset to the next row's; the last row stops before
// the terminator.
int32_t rowLength(const TextStore& t, int32_t r) {
    const int32_t offset = t.row(r).offset;
    if (r + 1 < t.rowCount()) return t.row(r + 1).offset - offset;
    return std::max(0, t.size() - offset - 1);
}

// The last row whose offset does not pass `offset` (row 0 for offsets
// before the text, the last row for offsets after it).
int32_t lastRowAtOrBefore(const TextStore& t, win::LParam offset) {
    int32_t lo = 0, hi = t.rowCount() - 1;
    if (hi < 0) return 0;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (t.row(mid).offset <= offset) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

}  // namespace

ViewRequests::ViewRequests(EditorSession& session, EditorWindow& window, int pane)
    : m_session(session), m_window(window), m_pane(pane) {
    m_handle = win::registerWindow(this);
}

ViewRequests::~ViewRequests() { detach(); }

void ViewRequests::detach() {
    if (m_handle) win::unregisterWindow(m_handle);
    m_handle = nullptr;
}

CLuView& ViewRequests::view() { return m_window.view(m_pane); }

bool ViewRequests::editable() { return view().commandGate().editable; }

int32_t ViewRequests::clampRow(win::LParam row) {
    const int32_t count = view().document().text().rowCount();
    if (count <= 0 || row < 0) return 0;
    return row >= count ? count - 1 : int32_t(row);
}

// What a caret move ends with: the scroll, the caret and the status bar;
// a selection stays as it is.
void ViewRequests::updateAfterMove() {
    CLuView& v = view();
    v.updateCursor(true, ScrollMode::Visible, v.hasSelection() ? SelectionUpdate::Extend : SelectionUpdate::Clear);
}

bool ViewRequests::runCommand(uint32_t id) {
    // The command goes to this view; the window and pane that were active
    // before become active again unless the command chose another one.
    EditorSession::CommandScope scope(m_session);
    EditorWindow* before = m_session.activeWindow();
    const int paneBefore = m_window.activePane();
    m_session.setActiveWindow(&m_window);
    m_window.setActivePane(m_pane);
    const bool ran = m_session.router().run(CommandId(id));
    if (m_session.activeWindow() == &m_window && m_window.activePane() == m_pane) {
        m_window.setActivePane(paneBefore);
        if (before && before != &m_window) m_session.setActiveWindow(before);
    }
    return ran;
}

win::LResult ViewRequests::onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) {
    if (msg == win::kMsgViewRequest) return request(wParam, lParam);
    if (msg == win::kMsgCommand) {
        runCommand(uint32_t(wParam & 0xFFFF));
        return 0;
    }
    return 0;
}

win::LResult ViewRequests::request(win::WParam code, win::LParam arg) {
    CLuView& v = view();
    CLuDoc& doc = v.document();
    const TextStore& t = doc.text();
    EditorDocument& document = m_window.document();
    switch (code) {
    case win::kViewInsertFile: {
        const char* path = textOf(arg);
        if (!path || !*path || !editable()) return 0;
        if (auto* files = m_window.viewTarget<files::ViewFileCommands>(m_pane)) files->insertFile(path);
        return 0;
    }
    case win::kViewSave:
        document.save();
        return 0;
    case win::kViewSaveAs: {
        const char* path = textOf(arg);
        if (path && *path) document.file().saveWithPrompt(path, true);
        return 0;
    }
    case win::kViewTextAddress: return reinterpret_cast<win::LResult>(t.data());
    case win::kViewTextLength: return std::max(0, t.size() - 1);
    case win::kViewRowCount: return t.rowCount();
    case win::kViewLineCount: return t.lineCount();
    case win::kViewRowOfLine: return t.rowOfLine(int32_t(std::clamp<win::LParam>(arg, 0, INT32_MAX)));
    case win::kViewFirstRowOfLine: return t.firstRowOfLine(clampRow(arg));
    case win::kViewLastRowOfLine: return t.lastRowOfLine(clampRow(arg));
    case win::kViewLineOfRow: return t.row(clampRow(arg)).line;
    case win::kViewRowOffset: return t.row(clampRow(arg)).offset;
    case win::kViewRowLength: return rowLength(t, clampRow(arg));
    case win::kViewRowWidth: return endDisplayColumn(t.row(clampRow(arg)));
    case win::kViewCaretRow: return v.cursor().row;
    case win::kViewCaretColumn: return v.cursor().displayColumn;
    case win::kViewCaretByteColumn: return v.cursor().byteColumn;
    case win::kViewSelStartRow:
    case win::kViewSelStartColumn:
    case win::kViewSelStartByteColumn:
    case win::kViewSelEndRow:
    case win::kViewSelEndColumn:
    case win::kViewSelEndByteColumn: {
        // Without a selection both ends are the caret.
        const bool first = code <= win::kViewSelStartByteColumn;
        const TextPosition p = !v.hasSelection() ? v.cursor() : first ? v.selectionStart() : v.selectionEnd();
        const win::WParam part = (code - win::kViewSelStartRow) % 3;
        return part == 0 ? p.row : part == 1 ? p.displayColumn : p.byteColumn;
    }
    case win::kViewRowOfOffset: {
        const int32_t row = lastRowAtOrBefore(t, arg);
        v.placeCursor(row, v.cursor().byteColumn);
        return row;
    }
    case win::kViewSetCaret:
    case win::kViewExtendSelection: {
        const int32_t offset = int32_t(std::clamp<win::LParam>(arg, 0, std::max(0, t.size() - 1)));
        v.placeCursorAtOffset(offset);
        v.updateCursor(true, ScrollMode::Visible,
                       code == win::kViewExtendSelection ? SelectionUpdate::Extend : SelectionUpdate::Clear);
        return 0;
    }
    case win::kViewUpdate:
        updateAfterMove();
        return 0;
    case win::kViewInsertText: {
        const char* text = textOf(arg);
        if (!text || !*text || !editable()) return 0;
        v.inputMethodText(text);
        return 0;
    }
    case win::kViewSetSize: {
        const auto value = uint32_t(arg);
        int columns = int(value >> 16), rows = int(value & 0xFFFF);
        if (columns != 0 || rows != 0) {
            const settings::ChildOptions& o = m_session.settings().child;
            if (columns == 0) columns = o.sizeDefCharX > 0 ? o.sizeDefCharX : 80;
            if (rows == 0) rows = o.sizeDefCharY > 0 ? o.sizeDefCharY : 20;
        }
        if (FrameHost* host = m_session.frameHost()) host->sizeDocumentWindow(m_window, columns, rows);
        return 0;
    }
    case win::kViewPath: return reinterpret_cast<win::LResult>(doc.pathName().c_str());
    case win::kViewCopyText: {
        auto* copy = reinterpret_cast<win::TextCopy*>(arg);
        if (!copy) return -1;
        const int32_t length = t.length();
        const int32_t from = std::clamp(copy->offset, 0, length);
        const int32_t n = copy->length < 0 ? length - from : std::min(copy->length, length - from);
        copy->out.assign(t.data() + from, size_t(n));
        return n;
    }
    case win::kViewCopyRow: {
        auto* copy = reinterpret_cast<win::RowCopy*>(arg);
        if (!copy) return -1;
        const int32_t r = copy->row < 0 ? v.cursor().row : clampRow(copy->row);
        copy->row = r;
        copy->offset = t.row(r).offset;
        copy->out.assign(t.data() + copy->offset, size_t(rowLength(t, r)));
        return win::LResult(copy->out.size());
    }
    case win::kViewCopyPath: {
        auto* out = reinterpret_cast<std::string*>(arg);
        if (!out) return -1;
        *out = doc.pathName();
        return win::LResult(out->size());
    }
    default:
        if (code >= win::kViewModeFirst && code <= win::kViewModeLast) return modeRequest(int(code - win::kViewModeFirst), arg);
        return -1;
    }
}

win::LResult ViewRequests::modeRequest(int n, win::LParam value) {
    CLuView& v = view();
    const EditorState& state = m_session.state();
    const ViewModeOptions m = v.modeOptions();
    CommandId toggle = 0;
    int current = 0;
    switch (n) {
    case win::kModeOverwrite: current = state.insOver != 0; toggle = cmd::kInsertOverwrite; break;
    case win::kModeFreeCursor: current = m.freeCurs != 0; toggle = cmd::kFreeCursor; break;
    case win::kModeAutoIndent: current = m.autoIndent != 0; toggle = cmd::kAutoIndent; break;
    case win::kModeAutoLineBreak: current = m.wrapCr != 0; toggle = cmd::kAutoLineBreak; break;
    case win::kModeBoxSelection: current = state.boxMode; toggle = cmd::kBoxMode; break;
    case win::kModeInputMethod:
        current = v.context().host && v.context().host->inputMethodOpen();
        toggle = cmd::kImeOnOff;
        break;
    case win::kModeHangingIndent: current = state.indentedInsertion; toggle = cmd::kIndentedInsertion; break;
    case win::kModeAutoWrap: current = m.adjCol != 0; toggle = cmd::kAutoWrap; break;
    case win::kModeTabWidth: {
        settings::ModeOptions& mode = m_session.settings().editor.mode(m_window.document().mode());
        current = mode.tabWidth();
        if (value >= 0 && value != current) {
            mode.tabStops = int(std::clamp<win::LParam>(value, kMinTabWidth, kMaxTabWidth)) * 4;
            m_session.relayoutOpenDocuments();
            updateAfterMove();
        }
        return current;
    }
    case win::kModeWrapWidth: {
        current = v.document().text().wrapWidth();
        if (value >= 0 && value != current) {
            v.applyWrapWidth(clampWrapWidth(int32_t(std::min<win::LParam>(value, kMaxWrapWidth))), true);
            updateAfterMove();
        }
        return current;
    }
    default: return -1;
    }
    if (value >= 0 && (value != 0) != (current != 0)) runCommand(toggle);
    return current;
}

}  // namespace orvex::shell
