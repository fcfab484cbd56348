// Random scripts of keys, characters, commands and mouse events: after
// every step the cursor and selection are valid positions, and undoing
// everything gives back the text the script started from, redoing
// everything the text it ended with.
#include <gtest/gtest.h>

#include <random>

#include "display/TextWalk.h"
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
            while (i < p.byteColumn) i += text::charLength(s + i);
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
    for (int step = 0; step < 300; ++step) {
        switch (pick(5)) {
        case 0: h.run({command(kCommands[pick(kCommands.size())])}); break;
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
        ASSERT_TRUE(valid(h)) << "seed " << GetParam() << " step " << step;
    }
    // Close an open gap first so that every row is reachable, then undo all.
    if (h.state.indentedInsertion) h.run({command(cmd::kIndentedInsertion)});
    const std::string final = h.bytes();
    int guard = 0;
    while (h.doc.canUndo() && guard++ < 10000) h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.bytes(), original) << "seed " << GetParam();
    EXPECT_FALSE(h.doc.isModified());
    while (h.doc.canRedo() && guard++ < 20000) h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.bytes(), final) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomScripts, ::testing::Range(1u, 61u));

}  // namespace
