// Random scripts of keys, characters, commands, undo, redo and mouse
// events: after every step the cursor and selection are valid positions,
// every undo and redo gives back the text seen before at that place in the
// history, undoing everything gives back the text the script started from
// and redoing everything the text at the top of the history.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <random>

#include "common/codepage/SjisWalk.h"
#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

const std::vector<CommandId> kCommands = {
    32778, 32779, 32781, 32782, 32783, 32798, 32799, 32803, 32804, 32805, 32806, 32807, 32808, 32809, 32810,
    32811, 32812, 32813, 32814, 32815, 32816, 32817, 32818, 32819, 32820, 32821, 32822, 32823, 32824, 32825,
    32826, 32827, 32828, 32829, 32830, 32831, 32833, 32834, 32835, 32836, 32837, 32838, 32840, 32841, 32842,
    32843, 32884, 32885, 32889, 32899, 32900, 32913, 32915, 32916, 32920, 32945, 32946, 32967, 32994, 33040,
    33041, 33042, 33071, 33072, 33074, 33075, 33076, 33077, 33111, 57633, 57634, 57635, 57637, 57642};

const std::vector<std::string> kTyped = {"a", "Z", " ", "\t", "\r", "漢", "かな", "。", "「", "ｶ", "abc def"};

const std::vector<uint16_t> kKeys = {vk::kLeft,  vk::kRight, vk::kUp,     vk::kDown,   vk::kHome, vk::kEnd,
                                     vk::kPrior, vk::kNext,  vk::kBack,   vk::kDelete, vk::kInsert,
                                     vk::kShift, vk::kEscape};

::testing::AssertionResult valid(const ViewHarness& h) {
    const TextStore& t = h.doc.text();
    // A box keeps its column on shorter rows: only the cursor's display
    // column always matches its byte column.
    const auto check = [&](const TextPosition& p, const char* what,
                           bool columnMatches = true) -> ::testing::AssertionResult {
        if (p.row < 0 || p.row >= t.availableRowCount())
            return ::testing::AssertionFailure() << what << " row " << p.row << " of " << t.availableRowCount();
        const int32_t end = t.endColumn(p.row);
        if (p.byteColumn < 0) return ::testing::AssertionFailure() << what << " column " << p.byteColumn;
        if (p.byteColumn <= end) {
            int32_t i = 0;
            const uint8_t* s = t.bytes() + t.row(p.row).offset;
            while (i < p.byteColumn) i += sjis::step(s + i);
            if (i != p.byteColumn) return ::testing::AssertionFailure() << what << " inside a character";
            if (columnMatches && t.displayColumnAt(p.row, p.byteColumn) != p.displayColumn)
                return ::testing::AssertionFailure() << what << " display column";
        }
        return ::testing::AssertionSuccess();
    };
    if (auto r = check(h.cursor(), "cursor"); !r) return r;
    if (h.view->hasSelection()) {
        const bool box = h.view->boxSelection();
        if (auto r = check(h.view->selectionStart(), "selection start", !box); !r) return r;
        if (auto r = check(h.view->selectionEnd(), "selection end", !box); !r) return r;
        if (nav::before(h.view->selectionEnd(), h.view->selectionStart()))
            return ::testing::AssertionFailure() << "selection out of order";
    }
    for (int32_t i = 0; i < t.length(); ++i)
        if (t.data()[i] == 0) return ::testing::AssertionFailure() << "NUL inside the text";
    return ::testing::AssertionSuccess();
}

// The text at each position of the undo history that a script step ended
// on. An edit discards what lay above the position it started from (its
// records replace the redo tail); an undo or redo must come back to
// exactly the text seen before at the position it lands on.
class HistoryTexts {
public:
    explicit HistoryTexts(const ViewHarness& h) : m_texts(1, h.bytes()) {}

    // Before a step.
    void begin(const ViewHarness& h) {
        m_position = h.doc.undoHistory().position();
        m_count = h.doc.undoHistory().count();
        m_bytes = h.bytes();
    }

    // After a step; undoOrRedo when it was one.
    ::testing::AssertionResult end(const ViewHarness& h, bool undoOrRedo) {
        const UndoHistory& u = h.doc.undoHistory();
        const size_t at = size_t(u.position());
        if (undoOrRedo) {
            if (at < m_texts.size() && m_texts[at] && *m_texts[at] != h.bytes())
                return ::testing::AssertionFailure() << "history position " << at << " holds \"" << utf8(h.bytes())
                                                     << "\", was \"" << utf8(*m_texts[at]) << '"';
            return ::testing::AssertionSuccess();
        }
        if (u.position() != m_position || u.count() != m_count || h.bytes() != m_bytes)
            m_texts.resize(size_t(m_position) + 1);
        m_texts.resize(std::max(m_texts.size(), at + 1));
        m_texts[at] = h.bytes();
        return ::testing::AssertionSuccess();
    }

    // Undoes everything, redoes everything and steps back to where the
    // script ended: the original text (unmodified), the text at the top of
    // the history and the final text. A script that ended with an undo has a redo tail,
    // so redoing everything goes past its final text.
    ::testing::AssertionResult undoRedoAll(ViewHarness& h, const std::string& original) {
        const UndoHistory& u = h.doc.undoHistory();
        const std::string final = h.bytes();
        const int32_t endPosition = u.position();
        int guard = 0;
        while (h.doc.canUndo() && guard++ < 10000) h.run({command(cmd::kUndo)});
        if (h.bytes() != original) return ::testing::AssertionFailure() << "undo all: \"" << utf8(h.bytes()) << '"';
        if (h.doc.isModified()) return ::testing::AssertionFailure() << "modified after undo all";
        while (h.doc.canRedo() && guard++ < 20000) h.run({command(cmd::kRedo)});
        const size_t top = size_t(u.position());
        if (top < m_texts.size() && m_texts[top] && *m_texts[top] != h.bytes())
            return ::testing::AssertionFailure() << "redo all: \"" << utf8(h.bytes()) << '"';
        while (u.position() > endPosition && guard++ < 30000) h.run({command(cmd::kUndo)});
        if (h.bytes() != final)
            return ::testing::AssertionFailure() << "back to the end of the script: \"" << utf8(h.bytes()) << '"';
        return ::testing::AssertionSuccess();
    }

private:
    std::vector<std::optional<std::string>> m_texts;
    int32_t m_position = 0;
    int32_t m_count = 0;
    std::string m_bytes;
};

class RandomScripts : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomScripts, KeepTheViewValidAndUndoRestoresTheText) {
    std::mt19937 rng(GetParam());
    const auto pick = [&](size_t n) { return size_t(rng() % n); };
    LayoutOptions layout;
    layout.kinsoku = pick(2);
    layout.wordWrap = pick(2);
    ViewHarness h("漢字 abc def\r\n\tindented line\r\n\r\nかなカナ。「x」\r\nlast", 20, layout);
    h.view->setViewport(6, 5, 24);
    // Options vary from seed to seed.
    ViewGlobalOptions& g = h.options.globals;
    g.homeEndMode = int(pick(2));
    g.keySpdUp = int(pick(2));
    g.scrlHalf = int(pick(3));
    g.pageUpDown2 = int(pick(2));
    g.boxSel = int(pick(2));
    g.cancelSel = int(pick(2));
    g.delCopy = int(pick(2));
    g.insOverBS = int(pick(2));
    g.insOverCR = int(pick(4));
    g.indentByTab = int(pick(2));
    ViewModeOptions& m = h.options.modes;
    m.freeCurs = int(pick(2));
    m.freeCursHome = int(pick(2));
    m.stopEof = int(pick(2));
    m.autoIndent = int(pick(2));
    m.tabCode = int(pick(2));
    m.freeTab = int(pick(2));
    m.wrapCr = int(pick(2));
    m.wrapNum = 10 + int(pick(10));
    const std::string original = h.bytes();
    HistoryTexts history(h);
    for (int step = 0; step < 300; ++step) {
        history.begin(h);
        bool undoOrRedo = false;
        switch (pick(6)) {
        case 0: h.run({command(kCommands[pick(kCommands.size())])}); break;
        case 5:
            undoOrRedo = true;
            h.run({command(pick(2) ? cmd::kUndo : cmd::kRedo)});
            break;
        case 1: h.run({chars(kTyped[pick(kTyped.size())])}); break;
        case 2: {
            const uint16_t k = kKeys[pick(kKeys.size())];
            h.run({key(k, 1 + int32_t(pick(3)), pick(2) == 0)});
            if (pick(2)) h.run({keyUp(k)});
            break;
        }
        case 3: {
            const MouseEvent e = at(int32_t(pick(12)) - 2, int32_t(pick(30)), pick(4) == 0, false, pick(6) == 0);
            h.run({press(e), drag(at(int32_t(pick(12)) - 2, int32_t(pick(30)))), release(e)});
            h.fake.timers.advance(int(pick(300)));
            break;
        }
        default:
            h.fake.clipboard.setText(kTyped[pick(kTyped.size())] + "\r\n" + kTyped[pick(kTyped.size())], pick(2) == 0);
            break;
        }
        ASSERT_TRUE(history.end(h, undoOrRedo)) << "seed " << GetParam() << " step " << step;
        ASSERT_TRUE(valid(h)) << "seed " << GetParam() << " step " << step;
    }
    // Close an open gap first so that every row is reachable, then undo all.
    history.begin(h);
    if (h.state.indentedInsertion) h.run({command(cmd::kIndentedInsertion)});
    ASSERT_TRUE(history.end(h, false));
    EXPECT_TRUE(history.undoRedoAll(h, original)) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomScripts, ::testing::Range(1u, 61u));

// ---- Edits do not depend on where rows break

// The same script, addressed by text offsets, applied to a narrowly wrapped
// view and to one whose rows never wrap: every edit that deletes and then
// inserts (replace, typing over a selection, overwrite, paste, drag moves)
// must give the same bytes, cursor and selection in both, since none of
// them depends on the layout. Options that work in display rows or columns
// (free cursor, automatic line breaks, rectangles, TabCode blanks, overwrite
// moving to the next row, indentation by rows) stay off.
class WrapIndependence : public ::testing::TestWithParam<uint32_t> {};

// The character boundary at or before offset (a line end with its LFs is
// one character).
int32_t boundaryAtOrBefore(const TextStore& t, int32_t offset) {
    int32_t i = 0;
    while (i < offset) {
        const int32_t next = nav::nextCharOffset(t, i);
        if (next > offset || next == i) break;
        i = next;
    }
    return i;
}

// Bytes of count characters forward from offset (never the terminator).
int32_t charactersForward(const TextStore& t, int32_t offset, int32_t count) {
    int32_t e = offset;
    for (int32_t k = 0; k < count; ++k) e = nav::nextCharOffset(t, e);
    return e - offset;
}

MouseEvent mouseAt(const ViewHarness& h, int32_t offset) {
    const TextPosition p = h.doc.text().positionOf(offset);
    return at(p.row, p.displayColumn);
}

struct ViewState {
    std::string bytes;
    int32_t cursor;
    int32_t selStart, selEnd;  // -1 without a non-empty selection
    bool operator==(const ViewState&) const = default;
};

ViewState stateOf(const ViewHarness& h) {
    const TextStore& t = h.doc.text();
    ViewState s{h.bytes(), nav::offsetOf(t, h.cursor()), -1, -1};
    if (h.view->hasSelection() && h.view->selectionEndOffset() > h.view->selectionStartOffset()) {
        s.selStart = h.view->selectionStartOffset();
        s.selEnd = h.view->selectionEndOffset();
    }
    return s;
}

std::ostream& operator<<(std::ostream& os, const ViewState& s) {
    return os << '"' << utf8(s.bytes) << "\" cursor " << s.cursor << " selection " << s.selStart << ".." << s.selEnd;
}

TEST_P(WrapIndependence, EditsGiveTheSameTextHoweverRowsBreak) {
    std::mt19937 rng(GetParam());
    const auto pick = [&](size_t n) { return size_t(rng() % n); };
    LayoutOptions layout;
    layout.wordWrap = pick(4) != 0;
    layout.kinsoku = pick(2);
    const int32_t width = 10 + int32_t(pick(7));
    const std::string text =
        "aaaa bbbbbbb cc dd eeeeeeeee\r\nあいうえ「か\r\n漢字 abcdefgh xyz。かな「x」\r\n\tindented words here\r\n"
        "ｶﾀｶﾅ and 全角、句読点。\r\nlast";
    ViewHarness narrow(text, width, layout);
    ViewHarness wide(text, 2000, layout);
    ASSERT_GT(narrow.doc.text().rowCount(), wide.doc.text().rowCount());
    for (ViewHarness* h : {&narrow, &wide}) {
        h->view->setViewport(8, 7, 30);
        ViewGlobalOptions& g = h->options.globals;
        g.insOverCR = 1;    // a line end typed in overwrite mode breaks the line
        g.insOverBS = 0;
        g.indentByTab = 0;
        g.homeEndMode = 0;  // line commands work on logical lines
        g.boxSel = 0;
        ViewModeOptions& m = h->options.modes;
        m.freeCurs = 0;
        m.wrapCr = 0;
        m.tabCode = 0;
        m.autoIndent = 0;
    }
    const std::vector<std::string> typed = {"X", "漢", "かな", " ", "\t", "\r", "。", "「", "ｶ", "word", "a b", "、x"};
    const std::vector<CommandId> commands = {cmd::kDuplicateLine,    cmd::kDeleteLine,      cmd::kDeleteToLineStart,
                                             cmd::kDeleteToLineEnd,  cmd::kDeleteToFileEnd, cmd::kCut,
                                             cmd::kUndo,             cmd::kRedo,            cmd::kUndo};
    const auto both = [&](const std::function<void(ViewHarness&)>& f) {
        f(narrow);
        f(wide);
    };
    const std::string original = narrow.bytes();
    // Both views hold the same bytes after every step, so one record of the
    // history's texts serves both.
    HistoryTexts history(wide);
    for (int step = 0; step < 250; ++step) {
        history.begin(wide);
        const TextStore& t = wide.doc.text();
        const int32_t size = t.size() - 1;
        const int32_t a = boundaryAtOrBefore(t, int32_t(pick(size_t(size) + 1)));
        const int32_t b = boundaryAtOrBefore(t, int32_t(pick(size_t(size) + 1)));
        std::string what;
        bool undoOrRedo = false;
        switch (pick(9)) {
        case 0:  // where the next edit happens
            what = "place";
            both([&](ViewHarness& h) {
                h.view->placeCursorAtOffset(a);
                h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
            });
            break;
        case 1:
            what = "select";
            both([&](ViewHarness& h) { h.view->selectRange(a, b); });
            break;
        case 2: {
            const std::string& s = typed[pick(typed.size())];
            what = "type " + s;
            both([&](ViewHarness& h) { h.run({chars(s)}); });
            break;
        }
        case 3: {
            const std::string& s = typed[pick(typed.size())];
            what = "input method " + s;
            both([&](ViewHarness& h) { h.run({ime(s)}); });
            break;
        }
        case 4: {
            const std::string s = sj(typed[pick(typed.size())] + (pick(3) == 0 ? "\r\n" : "") + typed[pick(typed.size())]);
            const int32_t count = int32_t(pick(5));
            what = "replace " + std::to_string(count);
            both([&](ViewHarness& h) {
                const int32_t here = nav::offsetOf(h.doc.text(), h.cursor());
                h.view->replaceText(s, charactersForward(h.doc.text(), here, count));
            });
            break;
        }
        case 5: {
            const std::string s = sj(typed[pick(typed.size())] + (pick(3) == 0 ? "\r\n" : "") + typed[pick(typed.size())]);
            what = "paste";
            both([&](ViewHarness& h) {
                h.fake.clipboard.setText(s, false);
                h.run({command(cmd::kPaste)});
            });
            break;
        }
        case 6: {
            const uint16_t k = pick(2) ? vk::kBack : vk::kDelete;
            const int32_t n = 1 + int32_t(pick(3));
            what = "key " + std::to_string(k);
            both([&](ViewHarness& h) { h.run({key(k, n)}); });
            break;
        }
        case 7: {
            if (a == b) break;
            const int32_t drop = boundaryAtOrBefore(t, int32_t(pick(size_t(size) + 1)));
            what = "drag " + std::to_string(a) + ".." + std::to_string(b) + " to " + std::to_string(drop);
            both([&](ViewHarness& h) {
                h.view->selectRange(std::min(a, b), std::max(a, b));
                h.run({press(mouseAt(h, std::min(a, b)))});
                ASSERT_EQ(h.lastPress, MousePress::DragPending);
                const std::string dragged = h.view->beginDrag();
                h.view->dropText(mouseAt(h, drop), dragged, true);
                h.view->endDrag(false);
                h.run({release(mouseAt(h, drop))});
            });
            break;
        }
        default: {
            const CommandId id = commands[pick(commands.size())];
            if (pick(4) == 0) {
                const int over = narrow.state.insOver ? 0 : 1;
                narrow.state.insOver = wide.state.insOver = over;
            }
            what = "command " + std::to_string(id);
            undoOrRedo = id == cmd::kUndo || id == cmd::kRedo;
            both([&](ViewHarness& h) { h.run({command(id)}); });
            break;
        }
        }
        ASSERT_EQ(stateOf(narrow), stateOf(wide))
            << "seed " << GetParam() << " step " << step << " (" << what << "), width " << width
            << (layout.wordWrap ? " word wrap" : "") << (layout.kinsoku ? " kinsoku" : "");
        ASSERT_TRUE(history.end(wide, undoOrRedo)) << "seed " << GetParam() << " step " << step << " (" << what << ")";
        ASSERT_TRUE(valid(narrow)) << "seed " << GetParam() << " step " << step;
    }
    // Undo gives back the exact bytes in both, redo the edited ones.
    for (ViewHarness* h : {&narrow, &wide})
        EXPECT_TRUE(history.undoRedoAll(*h, original)) << "seed " << GetParam() << (h == &wide ? " wide" : " narrow");
}

INSTANTIATE_TEST_SUITE_P(Seeds, WrapIndependence, ::testing::Range(1u, 81u));

}  // namespace
