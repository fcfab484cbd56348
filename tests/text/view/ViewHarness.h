#pragma once
// Scripted input for editor views: a document and a view wired to the fake
// platform, a recording key-macro hook, a scripted view host and recording
// editor hooks; a script of keys, characters, input-method strings,
// commands and mouse events applied to the view; and the result read back
// as marked text.
//
// Marked text is UTF-8 (converted to and from Shift JIS at the edges):
//   '|'  the cursor; in an expected text, each '_' right before it is one
//        free-cursor column beyond the row's end
//   '['  ']'  the start and end of a stream selection
// A text loaded with load() may carry '|' for the cursor and '[' ']' for a
// selection (the cursor then goes to the end of the selection).
//
//   ViewHarness h("ab|c");
//   h.run({chars("x"), key(vk::kLeft), command(cmd::kSelectToLineEnd)});
//   EXPECT_EQ(h.marked(), "ab|[xc]");
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/ShiftJis.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuDoc.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/EditorHooks.h"
#include "text/KeyMacroHook.h"
#include "text/ViewCommandIds.h"
#include "text/ViewHost.h"
#include "text/VirtualKeys.h"

namespace orvex::test {

// Shift JIS bytes of a UTF-8 literal.
inline std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }
inline std::string utf8(std::string_view sjis) { return cp932::toUtf8(sjis); }

// Key-macro recorder that keeps the words as the recorder lays them out.
class RecordingKeyMacro final : public KeyMacroHook {
public:
    int slot = 0;
    std::vector<uint32_t> words;

    int recordingSlot() const override { return slot; }
    void record(uint16_t code, uint16_t parameter, int32_t) override {
        words.push_back(uint32_t(code) | uint32_t(parameter) << 16);
    }
    void recordText(uint16_t code, std::string_view text) override {
        const uint32_t n = uint32_t((text.size() + 4) / 4);
        words.push_back(uint32_t(code) | n << 16);
        std::vector<uint8_t> bytes(size_t(n) * 4, 0);
        std::copy(text.begin(), text.end(), bytes.begin());
        for (uint32_t i = 0; i < n; ++i)
            words.push_back(uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 | uint32_t(bytes[4 * i + 2]) << 16 |
                            uint32_t(bytes[4 * i + 3]) << 24);
    }
    static uint32_t word(uint16_t code, uint16_t parameter = 0) { return uint32_t(code) | uint32_t(parameter) << 16; }
};

// View host that answers dialogs from a script and records what it was asked.
class ScriptedHost final : public ViewHost {
public:
    std::deque<std::optional<int32_t>> lineNumbers;  // answers of the go-to-line dialog
    std::deque<std::optional<int32_t>> codes;        // answers of the code-input dialog
    std::vector<int32_t> lineDialogInitial;
    std::set<uint16_t> keysDown;
    bool imeOpen = false;
    bool captured = false;
    int caretMoves = 0, scrollSizeChanges = 0, compositionsFinished = 0, pointerHides = 0;
    struct Menu {
        int32_t row, column;
    };
    std::vector<Menu> menus;
    std::vector<std::string> registeredWords;
    int32_t scrolledRows = 0, scrolledColumns = 0;

    void caretMoved() override { ++caretMoves; }
    void scrolled(int32_t rows, int32_t columns) override {
        scrolledRows += rows;
        scrolledColumns += columns;
    }
    void scrollSizesChanged() override { ++scrollSizeChanges; }
    void setMouseCapture(bool on) override { captured = on; }
    void showContextMenu(int32_t row, int32_t column) override { menus.push_back({row, column}); }
    void finishComposition() override { ++compositionsFinished; }
    bool inputMethodOpen() const override { return imeOpen; }
    void setInputMethodOpen(bool open) override { imeOpen = open; }
    void registerWord(std::string_view sjis) override { registeredWords.emplace_back(sjis); }
    std::optional<int32_t> askLineNumber(int32_t initial) override {
        lineDialogInitial.push_back(initial);
        if (lineNumbers.empty()) return std::nullopt;
        auto r = lineNumbers.front();
        lineNumbers.pop_front();
        return r;
    }
    std::optional<int32_t> askCharacterCode() override {
        if (codes.empty()) return std::nullopt;
        auto r = codes.front();
        codes.pop_front();
        return r;
    }
    void hideMousePointer() override { ++pointerHides; }
    bool isKeyDown(uint16_t key) const override { return keysDown.count(key) != 0; }
    void setWaitCursor(bool on) override { waitCursor.push_back(on); }
    std::vector<bool> waitCursor;  // every setWaitCursor call in order
};

// Editor hooks that record calls and answer from fields.
class RecordingHooks final : public EditorHooks {
public:
    bool takeTagJump = false, takeUrlJump = false;
    int tagJumps = 0, urlJumps = 0, pendingResets = 0, relayouts = 0;
    std::vector<std::string> scrap;

    bool tagJump(CLuView&) override {
        ++tagJumps;
        return takeTagJump;
    }
    bool urlJump(CLuView&) override {
        ++urlJumps;
        return takeUrlJump;
    }
    void resetPendingKeys() override { ++pendingResets; }
    bool addScrap(std::string_view sjis) override {
        scrap.emplace_back(sjis);
        return true;
    }
    std::optional<std::string> currentScrap() const override {
        if (scrap.empty()) return std::nullopt;
        return scrap.back();
    }
    void relayoutOpenDocuments() override { ++relayouts; }
};

// One step of a script.
struct Step {
    enum class Kind { KeyDown, KeyUp, Chars, Ime, Command, Press, Move, Release, DoubleClick, RightDown, RightUp };
    Kind kind = Kind::Command;
    uint16_t key = 0;
    int32_t repeat = 1;
    bool autoRepeat = false;
    std::string text;  // UTF-8 for Chars and Ime
    CommandId id = 0;
    MouseEvent mouse;
};

inline Step makeStep(Step::Kind kind) {
    Step s;
    s.kind = kind;
    return s;
}
inline Step key(uint16_t vk, int32_t repeat = 1, bool autoRepeat = false) {
    Step s = makeStep(Step::Kind::KeyDown);
    s.key = vk;
    s.repeat = repeat;
    s.autoRepeat = autoRepeat;
    return s;
}
inline Step keyUp(uint16_t vk) {
    Step s = makeStep(Step::Kind::KeyUp);
    s.key = vk;
    return s;
}
// Each byte of the text (after conversion to Shift JIS) as one character
// message, so a double-byte character arrives as two.
inline Step chars(std::string_view utf8Text) {
    Step s = makeStep(Step::Kind::Chars);
    s.text = std::string(utf8Text);
    return s;
}
inline Step ime(std::string_view utf8Text) {
    Step s = makeStep(Step::Kind::Ime);
    s.text = std::string(utf8Text);
    return s;
}
inline Step command(CommandId id) {
    Step s = makeStep(Step::Kind::Command);
    s.id = id;
    return s;
}
inline MouseEvent at(int32_t row, int32_t column, bool shift = false, bool ctrl = false, bool alt = false) {
    MouseEvent e;
    e.row = row;
    e.column = column;
    e.shift = shift;
    e.ctrl = ctrl;
    e.alt = alt;
    return e;
}
inline MouseEvent inMargin(int32_t row, bool shift = false) {
    MouseEvent e = at(row, 0, shift);
    e.inMargin = true;
    return e;
}
inline Step press(MouseEvent e) {
    Step s = makeStep(Step::Kind::Press);
    s.mouse = e;
    return s;
}
inline Step drag(MouseEvent e) {
    Step s = makeStep(Step::Kind::Move);
    s.mouse = e;
    return s;
}
inline Step release(MouseEvent e) {
    Step s = makeStep(Step::Kind::Release);
    s.mouse = e;
    return s;
}
inline Step doubleClick(MouseEvent e) {
    Step s = makeStep(Step::Kind::DoubleClick);
    s.mouse = e;
    return s;
}
inline Step rightDown(MouseEvent e) {
    Step s = makeStep(Step::Kind::RightDown);
    s.mouse = e;
    return s;
}
inline Step rightUp(MouseEvent e) {
    Step s = makeStep(Step::Kind::RightUp);
    s.mouse = e;
    return s;
}

class ViewHarness {
public:
    explicit ViewHarness(std::string_view markedUtf8 = {}, int32_t wrapWidth = 80,
                         const LayoutOptions& layout = LayoutOptions{})
        : doc(fake.platform()) {
        ViewContext ctx;
        ctx.state = &state;
        ctx.options = &options;
        ctx.keyMacro = &macro;
        ctx.hooks = &hooks;
        ctx.host = &host;
        view = std::make_unique<CLuView>(doc, ctx);
        view->setViewport(20, 20, 80);
        load(markedUtf8, wrapWidth, layout);
    }

    // Replaces the text (a loaded, unmodified document) and puts the cursor
    // and selection where the markers are.
    void load(std::string_view markedUtf8, int32_t wrapWidth = 80, const LayoutOptions& layout = LayoutOptions{}) {
        std::string plain;
        int32_t cursor = -1, selFrom = -1, selTo = -1;
        const std::string bytes = sj(markedUtf8);
        for (size_t i = 0; i < bytes.size();) {
            const uint8_t b = uint8_t(bytes[i]);
            if (sjis::isLeadByte(b) && i + 1 < bytes.size()) {
                plain.append(bytes, i, 2);
                i += 2;
                continue;
            }
            if (b == '|') cursor = int32_t(plain.size());
            else if (b == '[') selFrom = int32_t(plain.size());
            else if (b == ']') selTo = int32_t(plain.size());
            else plain += char(b);
            ++i;
        }
        doc.text().setLayout(layout, wrapWidth);
        doc.text().setText(plain);
        doc.layoutAll();
        doc.markLoaded();
        if (selFrom >= 0 && selTo >= 0) {
            // A cursor marked at the start: the selection was made backwards.
            if (cursor >= 0 && cursor == selFrom) view->selectRange(selTo, selFrom);
            else view->selectRange(selFrom, selTo);
        } else {
            view->placeCursorAtOffset(cursor >= 0 ? cursor : 0);
            view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        }
        macro.words.clear();
    }

    ViewHarness& run(std::initializer_list<Step> steps) {
        for (const Step& s : steps) apply(s);
        return *this;
    }
    ViewHarness& run(const std::vector<Step>& steps) {
        for (const Step& s : steps) apply(s);
        return *this;
    }

    void apply(const Step& s) {
        switch (s.kind) {
        case Step::Kind::KeyDown: view->keyDown(s.key, s.repeat, s.autoRepeat); break;
        case Step::Kind::KeyUp: view->keyUp(s.key, s.repeat); break;
        case Step::Kind::Chars:
            for (char c : sj(s.text)) view->character(uint8_t(c), 1);
            break;
        case Step::Kind::Ime: view->inputMethodText(sj(s.text)); break;
        case Step::Kind::Command: view->onCommand(s.id); break;
        case Step::Kind::Press: lastPress = view->leftButtonDown(s.mouse); break;
        case Step::Kind::Move: view->mouseMove(s.mouse); break;
        case Step::Kind::Release: view->leftButtonUp(s.mouse); break;
        case Step::Kind::DoubleClick: view->leftDoubleClick(s.mouse); break;
        case Step::Kind::RightDown: view->rightButtonDown(s.mouse); break;
        case Step::Kind::RightUp: view->rightButtonUp(s.mouse); break;
        }
    }

    // The document's text in UTF-8, without markers.
    std::string text() const { return utf8(doc.text().view()); }
    std::string bytes() const { return std::string(doc.text().view()); }

    // The text with the cursor and selection marked (see above).
    std::string marked() const {
        const TextStore& t = doc.text();
        const TextPosition c = view->cursor();
        const int32_t cur = nav::offsetOf(t, c);
        const int32_t excess = std::max(0, c.byteColumn - t.endColumn(c.row));
        int32_t s = -1, e = -1;
        if (view->hasSelection() && !view->boxSelection()) {
            s = view->selectionStartOffset();
            e = view->selectionEndOffset();
        }
        std::string out;
        const std::string_view all = t.view();
        for (size_t i = 0;;) {
            const int32_t pos = int32_t(i);
            if (pos == s) out += '[';
            if (pos == cur) {
                out.append(size_t(excess), '_');
                out += '|';
            }
            if (pos == e) out += ']';
            if (i >= all.size()) break;
            const size_t len = sjis::isLeadByte(uint8_t(all[i])) && i + 1 < all.size() ? 2 : 1;
            out += utf8(all.substr(i, len));
            i += len;
        }
        return out;
    }

    // Cursor as (row, byte column, display column).
    TextPosition cursor() const { return view->cursor(); }

    test::FakePlatform fake;
    CLuDoc doc;
    EditorState state;
    PlainViewOptions options;
    RecordingKeyMacro macro;
    ScriptedHost host;
    RecordingHooks hooks;
    std::unique_ptr<CLuView> view;
    MousePress lastPress = MousePress::Ignored;
};

}  // namespace orvex::test
