// Input modes and toggles: insert/overwrite, indented insertion with its
// insertion gap, box and selection mode, the per-mode toggles and the
// input-method commands.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

bool checked(ViewHarness& h, CommandId id) {
    CommandState s;
    EXPECT_TRUE(h.view->onUpdateCommand(id, s));
    return s.checked;
}

TEST(InsertOverwrite, TogglesAndShowsInsertModeChecked) {
    ViewHarness h("abc");
    EXPECT_TRUE(checked(h, cmd::kInsertOverwrite));
    h.run({command(cmd::kInsertOverwrite)});
    EXPECT_EQ(h.state.insOver, 1);
    EXPECT_FALSE(checked(h, cmd::kInsertOverwrite));
    EXPECT_GT(h.host.caretMoves, 0);
}

TEST(EditorState, StartsFromTheSettings) {
    EditorState s;
    ViewGlobalOptions o;
    o.insOver = 1;
    o.boxSel = 1;
    s.initialise(o);
    EXPECT_EQ(s.insOver, 1);
    EXPECT_TRUE(s.boxMode);
    o = {};
    o.oasysIns = 1;
    s.initialise(o);
    EXPECT_TRUE(s.indentedInsertion);
    EXPECT_EQ(s.insOver, 1);
}

class IndentedInsertion : public ::testing::Test {
protected:
    IndentedInsertion() : h("one\r\n  ab|cd\r\nlast") {}
    ViewHarness h;
};

TEST_F(IndentedInsertion, SwitchingOnSetsOverwrite) {
    h.run({command(cmd::kIndentedInsertion)});
    EXPECT_TRUE(h.state.indentedInsertion);
    EXPECT_EQ(h.state.insOver, 1);
    EXPECT_TRUE(checked(h, cmd::kIndentedInsertion));
}

TEST_F(IndentedInsertion, InsertOpensAGapIndentedToTheCursor) {
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert)});
    const InsertionGap& gap = h.doc.text().insertionGap();
    ASSERT_TRUE(gap.open);
    EXPECT_EQ(h.text(), "one\r\n  ab\r\n    cd\r\nlast");
    EXPECT_EQ(h.cursor(), (TextPosition{1, 4, 4}));
    // The rows after the gap are out of reach.
    EXPECT_EQ(h.doc.text().availableRowCount(), 2);
    h.run({key(vk::kDown, 5)});
    EXPECT_EQ(h.cursor().row, 1);
    EXPECT_TRUE(checked(h, cmd::kInsertOverwrite));
    EXPECT_EQ(h.doc.undoHistory().record(h.doc.undoHistory().count() - 1).kind, 0x21);
}

TEST_F(IndentedInsertion, TypingGoesInFrontOfTheGapAndInsertClosesIt) {
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert), chars("XY")});
    EXPECT_EQ(h.text(), "one\r\n  abXY\r\n    cd\r\nlast");
    h.run({key(vk::kInsert)});
    EXPECT_FALSE(h.doc.text().insertionGap().open);
    EXPECT_EQ(h.text(), "one\r\n  abXYcd\r\nlast");
    EXPECT_EQ(h.marked(), "one\r\n  abXY|cd\r\nlast");
}

TEST_F(IndentedInsertion, UndoClosesAndRedoReopensTheGap) {
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert), command(cmd::kUndo)});
    EXPECT_FALSE(h.doc.text().insertionGap().open);
    EXPECT_EQ(h.text(), "one\r\n  abcd\r\nlast");
    h.run({command(cmd::kRedo)});
    EXPECT_TRUE(h.doc.text().insertionGap().open);
}

TEST_F(IndentedInsertion, SwitchingOffClosesAnOpenGap) {
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert), command(cmd::kIndentedInsertion)});
    EXPECT_FALSE(h.state.indentedInsertion);
    EXPECT_FALSE(h.doc.text().insertionGap().open);
    EXPECT_EQ(h.text(), "one\r\n  abcd\r\nlast");
}

TEST(BoxMode, CommandTogglesAndIsChecked) {
    ViewHarness h("abc");
    h.run({command(cmd::kBoxMode)});
    EXPECT_TRUE(h.state.boxMode);
    EXPECT_TRUE(checked(h, cmd::kBoxMode));
    h.run({command(cmd::kBoxMode)});
    EXPECT_FALSE(h.state.boxMode);
}

TEST(SelectionMode, CommandTogglesAndIsChecked) {
    ViewHarness h("abc");
    h.run({command(cmd::kSelectionMode)});
    EXPECT_TRUE(checked(h, cmd::kSelectionMode));
    h.run({command(cmd::kSelectionMode)});
    EXPECT_FALSE(h.state.selectionMode);
}

TEST(ModeToggles, AutoIndentAndAutomaticLineBreakFlipTheirOptions) {
    ViewHarness h("abc");
    h.run({command(cmd::kAutoIndent), command(cmd::kAutoLineBreak), command(cmd::kFreeCursor)});
    EXPECT_EQ(h.options.modes.autoIndent, 1);
    EXPECT_EQ(h.options.modes.wrapCr, 1);
    EXPECT_EQ(h.options.modes.freeCurs, 1);
    EXPECT_TRUE(checked(h, cmd::kAutoIndent));
    EXPECT_TRUE(checked(h, cmd::kAutoLineBreak));
    EXPECT_TRUE(checked(h, cmd::kFreeCursor));
    h.run({command(cmd::kAutoIndent)});
    EXPECT_FALSE(checked(h, cmd::kAutoIndent));
}

TEST(ModeToggles, AutomaticWrappingLaysTheDocumentOutAtTheWindowWidth) {
    ViewHarness h(std::string(60, 'x') + "|", 80);
    h.view->setViewport(20, 20, 41);
    ASSERT_EQ(h.doc.text().rowCount(), 1);
    h.run({command(cmd::kAutoWrap)});
    EXPECT_EQ(h.options.modes.adjCol, 1);
    EXPECT_TRUE(h.doc.layoutOptions().adjCol);
    EXPECT_EQ(h.doc.text().wrapWidth(), 40);
    EXPECT_EQ(h.doc.text().rowCount(), 2);
    EXPECT_EQ(nav::offsetOf(h.doc.text(), h.cursor()), 60);
    EXPECT_EQ(h.hooks.relayouts, 1);
    h.run({command(cmd::kAutoWrap)});
    EXPECT_EQ(h.doc.text().wrapWidth(), 80);
    EXPECT_EQ(h.doc.text().rowCount(), 1);
}

TEST(InputMethod, OnOffTogglesTheOpenState) {
    ViewHarness h("abc");
    h.run({command(cmd::kImeOnOff)});
    EXPECT_TRUE(h.host.imeOpen);
    EXPECT_TRUE(checked(h, cmd::kImeOnOff));
    h.run({command(cmd::kImeOnOff)});
    EXPECT_FALSE(h.host.imeOpen);
}

TEST(InputMethod, WordRegistrationProposesTheSelectionOrTheWord) {
    ViewHarness h("かな漢|字です");
    h.run({command(cmd::kRegisterWord)});
    h.view->selectRange(0, 4);
    h.run({command(cmd::kRegisterWord)});
    ASSERT_EQ(h.host.registeredWords.size(), 2u);
    EXPECT_EQ(utf8(h.host.registeredWords[0]), "漢字");
    EXPECT_EQ(utf8(h.host.registeredWords[1]), "かな");
}

TEST(Marks, ToggleMarksTheFirstRowOfAWrappedLineAndIsRecordedAfter) {
    ViewHarness h("abcdefghijklmnopqrstuvwxyz\r\nx", 10);
    h.macro.slot = 1;
    h.view->placeCursor(2, 1);
    h.run({command(cmd::kMarkToggle)});
    EXPECT_TRUE(h.doc.text().rowFlags(0) & rowflag::kMarked);
    EXPECT_EQ(h.macro.words, std::vector<uint32_t>{cmd::kMarkToggle});
}

TEST(Marks, NextMarkWrapsFromTheEndToTheTop) {
    ViewHarness h("a\r\nb\r\nc\r\nd");
    h.view->placeCursor(1, 0);
    h.run({command(cmd::kMarkToggle), command(cmd::kFileBottom), command(cmd::kMarkNext)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 0, 0}));
    h.view->placeCursor(0, 0);
    h.run({command(cmd::kMarkPrevious)});
    EXPECT_EQ(h.cursor().row, 1);
    h.run({command(cmd::kMarkClearAll)});
    CommandState s;
    h.view->onUpdateCommand(cmd::kMarkNext, s);
    EXPECT_FALSE(s.enabled);
}

TEST(ModifiedRows, SearchesGoToChangedRows) {
    ViewHarness h("a\r\nb\r\nc\r\nd");
    h.view->placeCursor(2, 1);
    h.run({chars("x"), command(cmd::kFileTop)});
    h.macro.slot = 1;
    h.run({command(cmd::kModifiedNext)});
    EXPECT_EQ(h.cursor().row, 2);
    h.run({command(cmd::kFileTop), command(cmd::kModifiedLast)});
    EXPECT_EQ(h.cursor().row, 2);
    // Row searches record before their work.
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{cmd::kModifiedNext, cmd::kFileTop, cmd::kModifiedLast}));
}

}  // namespace
