#include "orxmac/bridge/EditorBuiltins.h"

#include <algorithm>
#include <memory>

#include "common/codepage/Cp932.h"
#include "common/platform/SharedLibrary.h"
#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/RunControl.h"
#include "orxmac/bridge/EditorBridge.h"
#include "orxmac/bridge/MacroHostUi.h"

namespace orvex::orxmac {

namespace {

using win::ViewRequest;

// Which handle a built-in needs.
enum class Needs { View, Main };

// Argument readers: the whole list of a built-in, ")" included.
int noArgs(MacroInterpreter& m) { return m.argEnd(); }
int oneInt(MacroInterpreter& m, int32_t& a) {
    if (int r = m.argInt(a)) return r;
    return m.argEnd();
}
int twoInts(MacroInterpreter& m, int32_t& a, int32_t& b) {
    if (int r = m.argInt(a)) return r;
    if (int r = m.argSeparator()) return r;
    if (int r = m.argInt(b)) return r;
    return m.argEnd();
}
int oneStr(MacroInterpreter& m, std::string& a) {
    if (int r = m.argStr(a)) return r;
    return m.argEnd();
}

// A macro string naming a file, as the file system spells it.
std::string fileName(const std::string& sjis) { return cp932::toUtf8(sjis); }

// Two 16-bit halves of one request argument.
win::LParam halves(int32_t high, int32_t low) {
    const auto clamp = [](int32_t v) { return static_cast<win::LParam>(std::clamp<int32_t>(v, 0, 0xFFFF)); };
    return (clamp(high) << 16) | clamp(low);
}

class Registrar {
public:
    Registrar(BuiltinRegistry& registry, EditorBridge& bridge) : m_registry(registry), m_bridge(bridge) {}

    // Adds a built-in that needs a window; `body` runs once it is there.
    template <class Body>
    void add(const char* name, Needs needs, Body body) {
        EditorBridge* bridge = &m_bridge;
        m_registry.add(name, [bridge, needs, body](MacroInterpreter& m, BuiltinResult& out) -> int {
            const win::Handle h = needs == Needs::Main ? bridge->mainWindow() : bridge->view();
            if (h == nullptr) return -kErrNoWindow;
            out.setInt(0);
            return body(m, *bridge, out);
        });
    }

private:
    BuiltinRegistry& m_registry;
    EditorBridge& m_bridge;
};

// A row argument: negative means the caret row.
int32_t rowOrCaret(EditorBridge& b, int32_t row) { return row < 0 ? b.viewRequest(win::kViewCaretRow) : row; }

int32_t caretOffset(EditorBridge& b) { return b.offsetAt(win::kViewCaretRow, win::kViewCaretByteColumn); }

// The two selection ends as offsets, smaller first.
std::pair<int32_t, int32_t> selection(EditorBridge& b) {
    const int32_t first = b.offsetAt(win::kViewSelStartRow, win::kViewSelStartByteColumn);
    const int32_t second = b.offsetAt(win::kViewSelEndRow, win::kViewSelEndByteColumn);
    return {std::min(first, second), std::max(first, second)};
}

// Mode settings 0..9; another number answers -1 like an unknown request,
// without being sent (200 + n would reach other requests).
bool validMode(int32_t n) { return n >= 0 && n <= int32_t(win::kViewModeLast - win::kViewModeFirst); }

void runSpellCheck(EditorBridge& b, MacroHostUi& ui, const std::string& a, const std::string& s2,
                   const std::string& c) {
    // The spell checker works on a copy of the text made on the
    // user-interface thread, never on the editor's own buffer.
    const std::string text = b.copyText(0, -1);
    auto [start, end] = selection(b);
    int32_t length = end - start;
    if (length == 0) {
        start = caretOffset(b);
        length = std::max<int32_t>(0, static_cast<int32_t>(text.size()) - start);
    }
    start = std::clamp<int32_t>(start, 0, static_cast<int32_t>(text.size()));
    length = std::clamp<int32_t>(length, 0, static_cast<int32_t>(text.size()) - start);
    std::unique_ptr<SharedLibrary> library = SharedLibrary::load(kSpellLibraryFile);
    if (!library) {
        libraryMessage(ui, kSpellLibraryMissing, kLibraryCaption);
    } else if (auto entry = reinterpret_cast<SpellEntry>(library->symbol(kSpellEntryName))) {
        entry(a.c_str(), s2.c_str(), c.c_str(), 0, b.mainWindow(), b.view(), text.c_str(), start, length);
    }
    library.reset();
    b.viewRequest(win::kViewUpdate);
}

}  // namespace

void registerEditorBuiltins(BuiltinRegistry& registry, EditorBridge& bridge, MacroHostUi& ui, RunControl& control) {
    Registrar r(registry, bridge);

    // Files and windows.
    r.add("FileNew", Needs::Main, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        if (int e = noArgs(m)) return e;
        b.frameRequest(win::kFrameNew);
        return 0;
    });
    r.add("FileOpen", Needs::Main, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        std::string path;
        if (int e = oneStr(m, path)) return e;
        const std::string name = fileName(path);
        b.frameRequest(win::kFrameOpen, reinterpret_cast<win::LParam>(name.c_str()));
        return 0;
    });
    r.add("FileClose", Needs::Main, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        if (int e = noArgs(m)) return e;
        b.frameRequest(win::kFrameClose);
        return 0;
    });
    r.add("FileIns", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        std::string path;
        if (int e = oneStr(m, path)) return e;
        const std::string name = fileName(path);
        b.viewRequest(win::kViewInsertFile, reinterpret_cast<win::LParam>(name.c_str()));
        return 0;
    });
    r.add("FileSave", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        if (int e = noArgs(m)) return e;
        b.viewRequest(win::kViewSave);
        return 0;
    });
    r.add("FileSaveAs", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        std::string path;
        if (int e = oneStr(m, path)) return e;
        const std::string name = fileName(path);
        b.viewRequest(win::kViewSaveAs, reinterpret_cast<win::LParam>(name.c_str()));
        return 0;
    });
    r.add("SetWinSize", Needs::Main, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        int32_t width = 0, height = 0;
        if (int e = twoInts(m, width, height)) return e;
        if (width >= 0 && height >= 0) b.frameRequest(win::kFrameSize, halves(width, height));
        return 0;
    });

    // Text and positions.
    r.add("GetFileText", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        out.setStr(b.copyText(0, -1));
        return 0;
    });
    r.add("GetFileLength", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        out.setInt(b.viewRequest(win::kViewTextLength));
        return 0;
    });
    r.add("GetLineCount", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        out.setInt(b.viewRequest(win::kViewRowCount));
        return 0;
    });
    r.add("GetText", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t offset = 0;
        if (int e = oneInt(m, offset)) return e;
        if (offset < 0) offset = caretOffset(b);
        // Outside the text (also on its end, the terminator) the answer is 0.
        const std::string byte = b.copyText(offset, 1);
        out.setInt(byte.empty() ? 0 : static_cast<uint8_t>(byte[0]));
        return 0;
    });
    r.add("GetLineText", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t row = 0;
        if (int e = oneInt(m, row)) return e;
        out.setStr(b.copyRow(row < 0 ? -1 : row));
        return 0;
    });
    r.add("GetLineLength", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t row = 0;
        if (int e = oneInt(m, row)) return e;
        out.setInt(b.viewRequest(win::kViewRowLength, rowOrCaret(b, row)));
        return 0;
    });
    r.add("GetLineLength2", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t row = 0;
        if (int e = oneInt(m, row)) return e;
        out.setInt(b.viewRequest(win::kViewRowWidth, rowOrCaret(b, row)));
        return 0;
    });
    r.add("GetLine", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t offset = 0;
        if (int e = oneInt(m, offset)) return e;
        out.setInt(offset < 0 ? b.viewRequest(win::kViewCaretRow) : b.viewRequest(win::kViewRowOfOffset, offset));
        return 0;
    });
    r.add("GetIndex", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t row = 0;
        if (int e = oneInt(m, row)) return e;
        out.setInt(b.viewRequest(win::kViewRowOffset, rowOrCaret(b, row)));
        return 0;
    });
    r.add("GetLineNo", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t row = 0;
        if (int e = oneInt(m, row)) return e;
        out.setInt(b.viewRequest(win::kViewLineOfRow, rowOrCaret(b, row)));
        return 0;
    });
    r.add("GetPos", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        out.setInt(caretOffset(b));
        return 0;
    });
    r.add("GetSel", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t which = 0;
        if (int e = oneInt(m, which)) return e;
        const auto [smaller, larger] = selection(b);
        out.setInt(which == 0 ? smaller : larger);
        return 0;
    });
    r.add("GetSelText", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        const auto [start, end] = selection(b);
        out.setStr(end > start ? b.copyText(start, end - start) : std::string());
        return 0;
    });
    r.add("GetPath", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        if (int e = noArgs(m)) return e;
        out.setStr(cp932::fromUtf8(b.copyPath()));
        return 0;
    });

    // Caret, selection, modes, size.
    r.add("SetPos", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        int32_t offset = 0;
        if (int e = oneInt(m, offset)) return e;
        b.viewRequest(win::kViewSetCaret, offset);
        return 0;
    });
    r.add("SetSel", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        int32_t a = 0, c = 0;
        if (int e = twoInts(m, a, c)) return e;
        if (a >= 0 && c >= 0) {
            b.viewRequest(win::kViewSetCaret, a);
            if (c != a) b.viewRequest(win::kViewExtendSelection, c);
        } else {
            b.viewRequest(win::kViewUpdate);
        }
        return 0;
    });
    r.add("GetMode", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t n = 0;
        if (int e = oneInt(m, n)) return e;
        out.setInt(validMode(n) ? b.viewRequest(ViewRequest(win::kViewModeFirst + n), -1) : -1);
        return 0;
    });
    r.add("SetMode", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult& out) {
        int32_t n = 0, v = 0;
        if (int e = twoInts(m, n, v)) return e;
        // The request answers the value before the change.
        out.setInt(validMode(n) ? b.viewRequest(ViewRequest(win::kViewModeFirst + n), v) : -1);
        return 0;
    });
    r.add("SetSize", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        int32_t columns = 0, rows = 0;
        if (int e = twoInts(m, columns, rows)) return e;
        if (columns >= 0 && rows >= 0) b.viewRequest(win::kViewSetSize, halves(columns, rows));
        return 0;
    });

    // Editing and commands.
    r.add("Ins", Needs::View, [](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        std::string text;
        if (int e = oneStr(m, text)) return e;
        b.viewRequest(win::kViewInsertText, reinterpret_cast<win::LParam>(text.c_str()));
        return 0;
    });
    for (auto [name, id] : {std::pair{"Del", kCmdDelete}, std::pair{"Cut", kCmdCut}, std::pair{"Copy", kCmdCopy},
                            std::pair{"Paste", kCmdPaste}}) {
        const uint32_t command = id;
        r.add(name, Needs::View, [command](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
            if (int e = noArgs(m)) return e;
            b.viewCommand(command);
            return 0;
        });
    }
    RunControl* run = &control;
    r.add("Send", Needs::Main, [run](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        int32_t command = 0;
        if (int e = oneInt(m, command)) return e;
        if (isMacroRunCommand(command)) {
            // Another macro: this one stops at its next statement, the
            // editor's stop command waits for that, then the other starts.
            run->stopFlag = kStopRequested;
            b.postMainCommand(kCmdMacroStop);
            b.postMainCommand(static_cast<uint32_t>(command));
        } else if (command == static_cast<int32_t>(kCmdMacroStop)) {
            // Sending it would wait for this very thread to end.
            b.postMainCommand(kCmdMacroStop);
        } else {
            b.mainCommand(static_cast<uint32_t>(command));
        }
        return 0;
    });
    MacroHostUi* host = &ui;
    r.add("spell", Needs::View, [host](MacroInterpreter& m, EditorBridge& b, BuiltinResult&) {
        std::string a, s2, c;
        if (int e = m.argStr(a)) return e;
        if (int e = m.argSeparator()) return e;
        if (int e = m.argStr(s2)) return e;
        if (int e = m.argSeparator()) return e;
        if (int e = m.argStr(c)) return e;
        if (int e = m.argEnd()) return e;
        runSpellCheck(b, *host, a, s2, c);
        return 0;
    });
}

}  // namespace orvex::orxmac
