// Edits that delete and then insert on lines that wrap. A deletion re-wraps
// its line (word wrap, kinsoku), so the same row and byte column can denote
// another place in the text afterwards; every such edit must land at the
// text offset where it began. Each case runs under every layout (word wrap
// and kinsoku off and on, several wrap widths) and expects the same text,
// since an edit addressed by text offsets does not depend on where rows
// break; undo gives back the exact bytes and redo the edited ones.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Layout {
    int32_t width;
    bool wordWrap;
    bool kinsoku;
};

LayoutOptions layoutOf(const Layout& l) {
    LayoutOptions lo;
    lo.wordWrap = l.wordWrap;
    lo.kinsoku = l.kinsoku;
    return lo;
}

// A mouse position at a text offset, as the widget would report it.
MouseEvent atOffset(const ViewHarness& h, int32_t offset) {
    const TextPosition p = h.doc.text().positionOf(offset);
    return at(p.row, p.displayColumn);
}

// Drags the stream selection and drops it at a text offset (a move).
void dragSelectionTo(ViewHarness& h, int32_t dropOffset) {
    h.run({press(atOffset(h, h.view->selectionStartOffset()))});
    ASSERT_EQ(h.lastPress, MousePress::DragPending);
    const std::string dragged = h.view->beginDrag();
    h.view->dropText(atOffset(h, dropOffset), dragged, true);
    h.view->endDrag(false);
}

void PrintTo(const Layout& l, std::ostream* os) {
    *os << "width " << l.width << (l.wordWrap ? " word wrap" : "") << (l.kinsoku ? " kinsoku" : "");
}

struct WrappedCase {
    const char* name;
    const char* before;  // marked text
    std::function<void(ViewHarness&)> edit;
    const char* after;  // marked text
};

void PrintTo(const WrappedCase& c, std::ostream* os) { *os << c.name; }

class WrappedEdits : public ::testing::TestWithParam<std::tuple<WrappedCase, Layout>> {};

TEST_P(WrappedEdits, LandAtTheirTextOffset) {
    const auto& [c, layout] = GetParam();
    ViewHarness h(c.before, layout.width, layoutOf(layout));
    const std::string original = h.bytes();
    c.edit(h);
    EXPECT_EQ(h.marked(), c.after);
    const std::string edited = h.bytes();
    while (h.doc.canUndo()) h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.bytes(), original);
    EXPECT_FALSE(h.doc.isModified());
    while (h.doc.canRedo()) h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.bytes(), edited);
}

// At width 10 with word wrap, "aaaa bbbbbbb cc" is laid out as "aaaa " and
// "bbbbbbb cc": shortening the word lets it move up to the first row. With
// kinsoku, "あいうえ「" would end its row with an opening bracket, which
// goes to the next row; without the character after it, the line fits.
const WrappedCase kWrappedCases[] = {
    {"ReplacePrimitive", "aaaa bb|bbbbb cc", [](ViewHarness& h) { h.view->replaceText("X", 4); }, "aaaa bbX|b cc"},
    {"ReplaceAcrossTheWordOfTheNextRow", "aaaa bb|bbbbb cc\r\nnext",
     [](ViewHarness& h) { h.view->replaceText(sj("漢"), 5); }, "aaaa bb漢| cc\r\nnext"},
    {"ReplaceAfterAnOpeningBracket", "あいうえ「|か\r\nxyz", [](ViewHarness& h) { h.view->replaceText("X", 2); },
     "あいうえ「X|\r\nxyz"},
    {"ReplaceInDoubleByteTextWithAWord", "漢字 ab|cdefgh xyz",
     [](ViewHarness& h) { h.view->replaceText(sj("漢"), 4); }, "漢字 ab漢|gh xyz"},
    {"TypingOverASelection", "aaaa b[bbbb]bb cc", [](ViewHarness& h) { h.run({chars("X")}); }, "aaaa bX|bb cc"},
    {"InputMethodTextOverASelection", "aaaa b[bbbb]bb cc", [](ViewHarness& h) { h.run({ime("漢字")}); },
     "aaaa b漢字|bb cc"},
    {"TypingOverASelectionBeforeTheBracket", "あいうえ「[か]\r\nxyz", [](ViewHarness& h) { h.run({chars("Z")}); },
     "あいうえ「Z|\r\nxyz"},
    {"LineEndTypedOverASelection", "aaaa b[bbbb]bb cc", [](ViewHarness& h) { h.run({chars("\r")}); },
     "aaaa b\r\n|bb cc"},
    {"OverwriteSeveralCharacters", "aaaa bb|bbbbb cc",
     [](ViewHarness& h) {
         h.state.insOver = 1;
         h.run({ime("WXYZ")});
     },
     "aaaa bbWXYZ|b cc"},
    {"OverwriteDoubleByteCharacters", "漢字 ab|cdefgh xyz",
     [](ViewHarness& h) {
         h.state.insOver = 1;
         h.run({ime("かなカナ")});
     },
     "漢字 abかなカナ|gh xyz"},
    {"OverwriteAfterAnOpeningBracket", "あいうえ「|か\r\nxyz",
     [](ViewHarness& h) {
         h.state.insOver = 1;
         h.run({chars("X")});
     },
     "あいうえ「X|\r\nxyz"},
    {"PasteOverASelection", "aaaa b[bbbb]bb cc",
     [](ViewHarness& h) {
         h.fake.clipboard.setText("XY", false);
         h.run({command(cmd::kPaste)});
     },
     "aaaa bXY|bb cc"},
    {"ExtendedPasteOverASelection", "aaaa b[bbbb]bb cc",
     [](ViewHarness& h) {
         h.fake.clipboard.setText("XY", false);
         h.run({command(cmd::kExtendedPaste)});
     },
     "aaaa bXY|bb cc"},
    {"DeleteTheSelectionThenType", "aaaa b[bbbb]bb cc", [](ViewHarness& h) { h.run({key(vk::kBack), chars("X")}); },
     "aaaa bX|bb cc"},
    {"DragMoveForwards", "aaaa [bbbb]bbb cc dd", [](ViewHarness& h) { dragSelectionTo(h, 16); },
     "aaaa bbb cc [bbbb|]dd"},
    {"DragMoveBackwards", "aaaa bbbbbbb [cc] dd", [](ViewHarness& h) { dragSelectionTo(h, 5); },
     "aaaa [cc|]bbbbbbb  dd"},
    {"DragMoveOfDoubleByteText", "漢字 ab[cdef]gh xyz", [](ViewHarness& h) { dragSelectionTo(h, 0); },
     "[cdef|]漢字 abgh xyz"},
    {"IndentSelectedLines", "a[aaa bbbbbbb cc\r\ndd|]",
     [](ViewHarness& h) {
         h.options.globals.indentByTab = 1;
         h.run({chars("\t")});
     },
     "[\taaaa bbbbbbb cc\r\n\tdd|]"},
    {"DuplicateAWrappedLine", "aaaa bbbb|bbb cc\r\ndd", [](ViewHarness& h) { h.run({command(cmd::kDuplicateLine)}); },
     "aaaa bbbbbbb cc\r\n|aaaa bbbbbbb cc\r\ndd"},
};

const Layout kLayouts[] = {{10, false, false}, {10, true, false}, {10, false, true}, {10, true, true},
                           {11, false, true},  {11, true, true},  {13, true, false}, {80, true, true}};

INSTANTIATE_TEST_SUITE_P(Layouts, WrappedEdits, ::testing::Combine(::testing::ValuesIn(kWrappedCases),
                                                                   ::testing::ValuesIn(kLayouts)),
                         [](const auto& info) {
                             const Layout& l = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).name) + "_W" + std::to_string(l.width) +
                                    (l.wordWrap ? "_WordWrap" : "") + (l.kinsoku ? "_Kinsoku" : "");
                         });

// Grouped edits one after another on a wrapped line, then undo and redo one
// step at a time, back and forth: every step gives back the text seen at
// that place in the history. An undo as the last step leaves a redo tail,
// so redoing everything goes past where the edits stopped, to the text
// after the last edit.
class WrappedHistory : public ::testing::TestWithParam<Layout> {};

TEST_P(WrappedHistory, EveryStepBackAndForthGivesBackItsText) {
    const Layout& layout = GetParam();
    ViewHarness h("aaaa bb|bbbbb cc dd eeee\r\nあいうえ「か\r\nxyz", layout.width, layoutOf(layout));
    std::vector<std::string> texts = {h.bytes()};
    h.view->replaceText("X", 4);  // a replace pair
    texts.push_back(h.bytes());
    h.view->selectRange(5, 9);
    dragSelectionTo(h, 14);  // a deletion and its grouped insertion
    texts.push_back(h.bytes());
    h.view->placeCursorAtOffset(2);
    h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.state.insOver = 1;
    h.run({ime("漢字")});  // an overwrite of two characters
    h.state.insOver = 0;
    texts.push_back(h.bytes());
    h.view->selectRange(6, 10);
    h.run({chars("Z")});  // typing over a selection
    texts.push_back(h.bytes());
    h.view->selectRange(0, 2);
    h.fake.clipboard.setText("PQ", false);
    h.run({command(cmd::kPaste)});  // a paste over a selection
    texts.push_back(h.bytes());
    ASSERT_EQ(h.text(), "PQ漢字Z dbbXbd eeee\r\nあいうえ「か\r\nxyz");
    ASSERT_EQ(h.doc.undoHistory().count(), 10);  // five pairs

    // Five undo steps back to the start, with a redo and an undo between.
    for (size_t k = texts.size() - 1; k > 0; --k) {
        h.run({command(cmd::kUndo)});
        EXPECT_EQ(h.bytes(), texts[k - 1]) << "undo to " << k - 1;
        h.run({command(cmd::kRedo)});
        EXPECT_EQ(h.bytes(), texts[k]) << "redo to " << k;
        h.run({command(cmd::kUndo)});
        EXPECT_EQ(h.bytes(), texts[k - 1]) << "undo to " << k - 1;
    }
    EXPECT_FALSE(h.doc.canUndo());
    EXPECT_FALSE(h.doc.isModified());
    for (size_t k = 1; k < texts.size(); ++k) {
        h.run({command(cmd::kRedo)});
        EXPECT_EQ(h.bytes(), texts[k]) << "redo to " << k;
    }
    EXPECT_FALSE(h.doc.canRedo());

    // Stopping after an undo: redoing everything reaches the last edit.
    h.run({command(cmd::kUndo), command(cmd::kUndo)});
    EXPECT_EQ(h.bytes(), texts[texts.size() - 3]);
    while (h.doc.canUndo()) h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.bytes(), texts.front());
    while (h.doc.canRedo()) h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.bytes(), texts.back());
}

INSTANTIATE_TEST_SUITE_P(Layouts, WrappedHistory, ::testing::ValuesIn(kLayouts), [](const auto& info) {
    const Layout& l = info.param;
    return "W" + std::to_string(l.width) + (l.wordWrap ? "_WordWrap" : "") + (l.kinsoku ? "_Kinsoku" : "");
});

// Box selections and rectangles are laid out in rows and columns, so these
// cases name their layout.

TEST(WrappedBox, DeletingABoxAcrossWordWrappedRowsKeepsTheTextBetween) {
    // Rows: "aaaa ", "bbbbbbb ", "cccccccc ", "dd". Columns 1 to 5 of the
    // second and third rows go; what lies between them stays.
    LayoutOptions lo;
    lo.wordWrap = true;
    ViewHarness h("aaaa bbbbbbb cccccccc dd", 10, lo);
    ASSERT_EQ(h.doc.text().row(1).offset, 5);
    ASSERT_EQ(h.doc.text().row(2).offset, 13);
    h.run({press(at(1, 1, false, false, true)), drag(at(2, 5)), release(at(2, 5))});
    ASSERT_TRUE(h.view->boxSelection());
    h.run({key(vk::kDelete)});
    EXPECT_EQ(h.marked(), "aaaa b|bb cccc dd");
    h.run({chars("X")});
    EXPECT_EQ(h.marked(), "aaaa bX|bb cccc dd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "aaaa bbb cccc dd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "aaaa bbbbbbb cccccccc dd");
}

TEST(WrappedBox, TypingOverABoxIsUndoneWithIt) {
    LayoutOptions lo;
    lo.wordWrap = true;
    ViewHarness h("aaaa bbbbbbb cccccccc dd", 10, lo);
    h.run({press(at(1, 1, false, false, true)), drag(at(2, 5)), release(at(2, 5)), chars("X")});
    EXPECT_EQ(h.marked(), "aaaa bX|bb cccc dd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "aaaa bbbbbbb cccccccc dd");
    h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.text(), "aaaa bXbb cccc dd");
}

TEST(WrappedBox, RectangularPasteIntoAContinuationRow) {
    // The rectangle goes into the second row of the wrapped line and the
    // first row of the next line, at column 2.
    LayoutOptions lo;
    lo.wordWrap = true;
    ViewHarness h("aaaa bbbbbbb cc\r\ndddd", 10, lo);
    h.view->placeCursor(1, 2);
    h.fake.clipboard.setText("XY\r\nZW", true);
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.marked(), "aaaa bbXY|bbbbb cc\r\nddZWdd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "aaaa bbbbbbb cc\r\ndddd");
}

TEST(WrappedBox, RectangularPasteOverAStreamSelectionIsOneUndoStep) {
    LayoutOptions lo;
    lo.wordWrap = true;
    lo.kinsoku = true;
    ViewHarness h("aaaa b[bbbb]bb cc\r\ndddd", 10, lo);
    h.fake.clipboard.setText("XY", true);
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.text(), "aaaa bXYbb cc\r\ndddd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "aaaa bbbbbbb cc\r\ndddd");
}

// The record of an edit names the row it was made on, with the start of a
// continuation row taken as the end of the row before.
TEST(WrappedRecords, TheInsertionOfAReplaceNamesTheRowOfItsOffset) {
    LayoutOptions lo;
    lo.wordWrap = true;
    ViewHarness h("aaaa bb|bbbbb cc", 10, lo);
    h.view->replaceText("X", 4);
    const UndoHistory& u = h.doc.undoHistory();
    ASSERT_EQ(u.count(), 2);
    EXPECT_EQ(u.record(0).textOffset, 7);
    EXPECT_EQ(u.record(1).textOffset, 7);
    // After the deletion the first row holds "aaaa bbb ".
    EXPECT_EQ(u.record(1).row, 0);
}

TEST(WrappedIndentedInsertion, TheCursorReturnsToTheGapOnAWrappedLine) {
    LayoutOptions lo;
    lo.wordWrap = true;
    ViewHarness h("aaaa bb|bbbbb cc\r\nlast", 10, lo);
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert)});
    ASSERT_TRUE(h.doc.text().insertionGap().open);
    EXPECT_EQ(h.marked(), "aaaa bb|\r\n  bbbbb cc\r\nlast");
    h.run({chars("XY"), key(vk::kInsert)});
    EXPECT_EQ(h.text(), "aaaa bbXYbbbbb cc\r\nlast");
}

}  // namespace
