#pragma once
// A small editor for the macro bridge's tests: a main window and one view,
// registered with the message layer on the test thread (which is the
// user-interface thread), answering the frame and view requests from a
// model document of Shift JIS bytes and recording every request.
//
// Rows are the document's lines (no wrapping): each row ends after its
// line feed. The selection runs from an anchor to the caret.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "winmsg/EditorRequests.h"

namespace orvex::orxmac::test {

struct Request {
    uint32_t msg;
    win::WParam code;
    win::LParam argument;
    std::string text;  // the string argument, when there is one
};

class FakeEditor {
public:
    FakeEditor() : m_main(*this), m_view(*this) {
        mainHandle = win::registerWindow(&m_main);
        viewHandle = win::registerWindow(&m_view);
    }
    ~FakeEditor() {
        win::unregisterWindow(mainHandle);
        closeView();
    }

    // The view goes away (its handle is no longer a window).
    void closeView() {
        if (viewHandle) win::unregisterWindow(viewHandle);
        viewOpen = false;
    }

    std::string text;
    int32_t caret = 0;
    int32_t anchor = 0;
    std::array<int32_t, 10> modes{};
    int documents = 1;
    std::string path;
    bool viewOpen = true;
    // Closes the view when this command arrives (a window going away mid-run).
    uint32_t closeOnCommand = 0;

    win::Handle mainHandle = nullptr;
    win::Handle viewHandle = nullptr;
    std::vector<Request> requests;
    std::vector<uint32_t> mainCommands;
    std::vector<uint32_t> viewCommands;
    std::vector<uint32_t> toggles;  // mode changes, by mode number

    // View requests of one code, in order.
    std::vector<Request> viewRequests(win::WParam code) const {
        std::vector<Request> out;
        for (const Request& r : requests)
            if (r.msg == win::kMsgViewRequest && r.code == code) out.push_back(r);
        return out;
    }
    size_t countView(win::WParam code) const { return viewRequests(code).size(); }

    // Rows: start offsets.
    std::vector<int32_t> rowStarts() const {
        std::vector<int32_t> starts{0};
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') starts.push_back(static_cast<int32_t>(i + 1));
        return starts;
    }
    int32_t rowOf(int32_t offset) const {
        const auto starts = rowStarts();
        int32_t row = 0;
        for (size_t i = 0; i < starts.size(); ++i)
            if (starts[i] <= offset) row = static_cast<int32_t>(i);
        return row;
    }
    int32_t clampRow(int32_t row) const {
        return std::clamp<int32_t>(row, 0, static_cast<int32_t>(rowStarts().size()) - 1);
    }
    int32_t rowLength(int32_t row) const {
        const auto starts = rowStarts();
        row = clampRow(row);
        const int32_t end = row + 1 < static_cast<int32_t>(starts.size()) ? starts[row + 1] : static_cast<int32_t>(text.size());
        return end - starts[row];
    }

private:
    class Main final : public win::Receiver {
    public:
        explicit Main(FakeEditor& e) : e(e) {}
        win::LResult onMessage(uint32_t msg, win::WParam w, win::LParam l) override { return e.onMain(msg, w, l); }
        FakeEditor& e;
    };
    class View final : public win::Receiver {
    public:
        explicit View(FakeEditor& e) : e(e) {}
        win::LResult onMessage(uint32_t msg, win::WParam w, win::LParam l) override { return e.onView(msg, w, l); }
        FakeEditor& e;
    };

    win::LResult activeView() const { return viewOpen && documents > 0 ? reinterpret_cast<win::LResult>(viewHandle) : 0; }

    win::LResult onMain(uint32_t msg, win::WParam w, win::LParam l) {
        Request r{msg, w, l, {}};
        if (msg == win::kMsgFrameRequest && w == win::kFrameOpen && l) r.text = reinterpret_cast<const char*>(l);
        requests.push_back(r);
        if (msg == win::kMsgCommand) {
            mainCommands.push_back(static_cast<uint32_t>(w & 0xFFFF));
            return 0;
        }
        if (msg != win::kMsgFrameRequest) return 0;
        switch (w) {
        case win::kFrameNew: ++documents; break;
        case win::kFrameClose: documents = std::max(0, documents - 1); break;
        default: break;
        }
        return activeView();
    }

    win::LResult onView(uint32_t msg, win::WParam w, win::LParam l) {
        Request r{msg, w, l, {}};
        if (msg == win::kMsgViewRequest &&
            (w == win::kViewInsertFile || w == win::kViewSaveAs || w == win::kViewInsertText) && l)
            r.text = reinterpret_cast<const char*>(l);
        requests.push_back(r);
        if (msg == win::kMsgCommand) {
            const auto id = static_cast<uint32_t>(w & 0xFFFF);
            viewCommands.push_back(id);
            if (id == closeOnCommand) closeView();
            return 0;
        }
        if (msg != win::kMsgViewRequest) return 0;
        const auto size = static_cast<int32_t>(text.size());
        const auto starts = rowStarts();
        const int32_t caretRow = rowOf(caret), anchorRow = rowOf(anchor);
        switch (w) {
        case win::kViewTextLength: return size;
        case win::kViewRowCount: return static_cast<win::LResult>(starts.size());
        case win::kViewLineCount: return static_cast<win::LResult>(starts.size());
        case win::kViewLineOfRow: return clampRow(static_cast<int32_t>(l));
        case win::kViewRowOffset: return starts[clampRow(static_cast<int32_t>(l))];
        case win::kViewRowLength: return rowLength(static_cast<int32_t>(l));
        case win::kViewRowWidth: {
            const int32_t row = clampRow(static_cast<int32_t>(l));
            const int32_t len = rowLength(row);
            return len > 0 && text[starts[row] + len - 1] == '\n' ? len - 1 : len;
        }
        case win::kViewCaretRow: return caretRow;
        case win::kViewCaretColumn:
        case win::kViewCaretByteColumn: return caret - starts[caretRow];
        case win::kViewSelStartRow: return anchorRow;
        case win::kViewSelStartColumn:
        case win::kViewSelStartByteColumn: return anchor - starts[anchorRow];
        case win::kViewSelEndRow: return caretRow;
        case win::kViewSelEndColumn:
        case win::kViewSelEndByteColumn: return caret - starts[caretRow];
        case win::kViewRowOfOffset: return rowOf(static_cast<int32_t>(l));
        case win::kViewSetCaret: caret = anchor = std::clamp<int32_t>(static_cast<int32_t>(l), 0, size); return 0;
        case win::kViewExtendSelection: caret = std::clamp<int32_t>(static_cast<int32_t>(l), 0, size); return 0;
        case win::kViewUpdate: return 0;
        case win::kViewInsertText: {
            const std::string t = reinterpret_cast<const char*>(l);
            text.insert(static_cast<size_t>(caret), t);
            caret = anchor = caret + static_cast<int32_t>(t.size());
            return 0;
        }
        case win::kViewInsertFile:
        case win::kViewSave:
        case win::kViewSaveAs:
        case win::kViewSetSize: return 0;
        case win::kViewCopyText: {
            auto* copy = reinterpret_cast<win::TextCopy*>(l);
            if (!copy) return -1;
            if (copy->offset < 0 || copy->offset > size) return 0;
            const int32_t available = size - copy->offset;
            const int32_t n = copy->length < 0 ? available : std::min(copy->length, available);
            copy->out = text.substr(static_cast<size_t>(copy->offset), static_cast<size_t>(n));
            return n;
        }
        case win::kViewCopyRow: {
            auto* copy = reinterpret_cast<win::RowCopy*>(l);
            if (!copy) return -1;
            copy->row = copy->row < 0 ? caretRow : clampRow(copy->row);
            copy->offset = starts[copy->row];
            copy->out = text.substr(static_cast<size_t>(copy->offset), static_cast<size_t>(rowLength(copy->row)));
            return static_cast<win::LResult>(copy->out.size());
        }
        case win::kViewCopyPath: {
            auto* out = reinterpret_cast<std::string*>(l);
            if (!out) return -1;
            *out = path;
            return static_cast<win::LResult>(path.size());
        }
        default: break;
        }
        if (w >= win::kViewModeFirst && w <= win::kViewModeLast) {
            const size_t n = w - win::kViewModeFirst;
            const int32_t before = modes[n];
            const auto v = static_cast<int32_t>(l);
            if (v >= 0 && v != before) {
                modes[n] = v;
                toggles.push_back(static_cast<uint32_t>(n));
            }
            return before;
        }
        return -1;
    }

    Main m_main;
    View m_view;
};

}  // namespace orvex::orxmac::test
