// The typing operation: insert and overwrite, line ends, TABs, automatic
// indentation and line breaks, free-cursor fills, and the typing commands.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

TEST(Typing, ThreeLettersAreThreeUndoSteps) {
    ViewHarness h("|");
    h.run({chars("abc")});
    EXPECT_EQ(h.marked(), "abc|");
    EXPECT_EQ(h.doc.undoHistory().count(), 3);
    EXPECT_TRUE(h.doc.isModified());
    h.run({command(cmd::kUndo), command(cmd::kUndo), command(cmd::kUndo)});
    EXPECT_EQ(h.marked(), "|");
    EXPECT_FALSE(h.doc.isModified());
}

TEST(Typing, DoubleByteCharacterIsOneEditAndOneTextRecord) {
    ViewHarness h("|");
    h.macro.slot = 1;
    h.run({chars("漢")});
    EXPECT_FALSE(h.view->leadBytePending());
    EXPECT_EQ(h.marked(), "漢|");
    EXPECT_EQ(h.doc.undoHistory().count(), 1);
    // Code 258 with one data word: the two bytes and the NUL.
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{RecordingKeyMacro::word(258, 1), 0x0000BF8Au}));
}

TEST(Typing, LeadByteThenInvalidTrailDropsTheLeadByte) {
    ViewHarness h("|");
    h.view->character(0x8A);
    EXPECT_TRUE(h.view->leadBytePending());
    h.view->character('\r');
    EXPECT_FALSE(h.view->leadBytePending());
    EXPECT_EQ(h.bytes(), "\r\n");
}

TEST(Typing, ControlCharactersAreDropped) {
    ViewHarness h("|");
    h.view->character(0x01);
    h.view->character(0x7F);
    h.view->character(0x08);
    EXPECT_EQ(h.bytes(), "");
    h.view->character('a', 3);
    EXPECT_EQ(h.bytes(), "aaa");
}

TEST(Typing, SelectionIsReplaced) {
    ViewHarness h("a[bc]d");
    h.run({chars("x")});
    EXPECT_EQ(h.marked(), "ax|d");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd");
}

TEST(Typing, ReadOnlyDocumentIgnoresTypingSilently) {
    ViewHarness h("a|b");
    h.doc.setReadOnly(true);
    h.doc.setEditSettings(EditSettings{false, true, true});
    h.run({chars("x"), command(cmd::kEnter), key(vk::kBack), key(vk::kDelete)});
    EXPECT_EQ(h.text(), "ab");
    EXPECT_TRUE(h.fake.messages.shown.empty());
    CommandState s;
    h.view->onUpdateCommand(cmd::kPaste, s);
    EXPECT_FALSE(s.enabled);
}

TEST(Typing, InputMethodStringIsTypedAndRecorded) {
    ViewHarness h("|");
    h.macro.slot = 1;
    h.run({ime("日本語")});
    EXPECT_EQ(h.marked(), "日本語|");
    ASSERT_FALSE(h.macro.words.empty());
    EXPECT_EQ(h.macro.words[0], RecordingKeyMacro::word(258, 2));
}

// ---- Overwrite mode

struct OverwriteCase {
    const char* name;
    int insOverCR;
    const char* before;
    const char* typed;
    const char* after;
};

class Overwrite : public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(Overwrite, ReplacesWhatIsUnderTheCursor) {
    const OverwriteCase& c = GetParam();
    ViewHarness h(c.before);
    h.state.insOver = 1;
    h.options.globals.insOverCR = c.insOverCR;
    h.view->typeText(sj(c.typed));
    EXPECT_EQ(h.marked(), c.after);
}

const OverwriteCase kOverwriteCases[] = {
    {"DoubleByteOverTwoLettersReplacesOne", 0, "|ab", "漢", "漢|b"},
    {"TwoLettersOverDoubleByteReplaceItAndTheNext", 0, "|漢xy", "ab", "ab|y"},
    {"StopsAtTheLineEnd", 0, "ab|\r\ncd", "xyz", "abxyz|\r\ncd"},
    {"EnterMovesToTheNextRowWithCR0", 0, "a|bc\r\ndef", "\r", "abc\r\n|def"},
    {"EnterInsertsABreakWithCR1", 1, "a|bc\r\ndef", "\r", "a\r\n|bc\r\ndef"},
    {"EnterInsertsABreakAtALineEndWithCR2", 2, "abc|\r\ndef", "\r", "abc\r\n|\r\ndef"},
    {"EnterMovesInsideALineWithCR2", 2, "a|bc\r\ndef", "\r", "abc\r\n|def"},
    {"EnterMovesFromAnEmptyLineWithCR2", 2, "|\r\ndef", "\r", "\r\n|def"},
    {"EnterTakesTheRestOfTheLineWithCR3", 3, "a|bc\r\ndef", "\r", "a\r\n|def"},
    {"EnterOnTheLastRowGoesToItsEnd", 0, "a|bc", "\r", "abc|"},
    {"EnterAtTheEndOfTheTextBreaks", 0, "abc|", "\r", "abc\r\n|"},
    {"TypedLinesOverwriteRowByRow", 0, "|abc\r\ndef", "xy\rz", "xyc\r\nz|ef"},
    {"DroppedControlsOverwriteNothing", 0, "|abc", "\x01x\n", "x|bc"},
};

INSTANTIATE_TEST_SUITE_P(Typing, Overwrite, ::testing::ValuesIn(kOverwriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OverwriteMode, EnterCommandWithCR0LeavesTheTextUnchanged) {
    ViewHarness h("a|bc\r\ndef");
    h.state.insOver = 1;
    h.run({command(cmd::kEnter)});
    EXPECT_EQ(h.marked(), "abc\r\n|def");
    EXPECT_FALSE(h.doc.isModified());
}

TEST(OverwriteMode, OverwriteIsOneUndoStep) {
    ViewHarness h("|abc");
    h.state.insOver = 1;
    h.run({chars("xy")});
    EXPECT_EQ(h.text(), "xyc");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "xbc");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abc");
}

// ---- Line ends, TABs and indentation

TEST(LineEnds, EnterInsertsCrLf) {
    ViewHarness h("ab|cd");
    h.run({command(cmd::kEnter)});
    EXPECT_EQ(h.marked(), "ab\r\n|cd");
}

TEST(LineEnds, LfAfterCrIsDroppedAndLoneLfIsAControl) {
    ViewHarness h("|");
    h.view->typeText("a\r\n\nb\nc");
    EXPECT_EQ(h.marked(), "a\r\nbc|");
}

TEST(LineEnds, AutoIndentCopiesTheLeadingTabs) {
    ViewHarness h("\t\tabc|");
    h.options.modes.autoIndent = 1;
    h.run({command(cmd::kEnter)});
    EXPECT_EQ(h.marked(), "\t\tabc\r\n\t\t|");
}

TEST(LineEnds, AutoIndentFromInsideTheIndentationTakesOnlyWhatIsBefore) {
    ViewHarness h("\t|\tabc");
    h.options.modes.autoIndent = 1;
    h.run({command(cmd::kEnter)});
    EXPECT_EQ(h.marked(), "\t\r\n\t|\tabc");
}

TEST(LineEnds, PendingIndentReplacesTheAutomaticOneOnce) {
    ViewHarness h("\tab|");
    h.options.modes.autoIndent = 1;
    h.view->setPendingIndent(std::string("    "));
    h.view->typeText("\rx\ry");
    EXPECT_EQ(h.marked(), "\tab\r\n    x\r\n\ty|");
    EXPECT_FALSE(h.view->pendingIndent().has_value());
}

TEST(LineEnds, PendingIndentWaitsForTextAfterTheBreak) {
    ViewHarness h("ab|");
    h.view->setPendingIndent(std::string("  "));
    h.view->typeText("\r");
    EXPECT_EQ(h.marked(), "ab\r\n|");
    EXPECT_TRUE(h.view->pendingIndent().has_value());
}

TEST(Tabs, TabCodeZeroInsertsATab) {
    ViewHarness h("ab|");
    h.run({command(cmd::kTab)});
    EXPECT_EQ(h.marked(), "ab\t|");
}

TEST(Tabs, TabCodeInsertsBlanksToTheNextStop) {
    ViewHarness h("ab|");
    h.options.modes.tabCode = 1;
    h.run({command(cmd::kTab)});
    EXPECT_EQ(h.marked(), "ab  |");
    h.run({chars("\t")});
    EXPECT_EQ(h.marked(), "ab      |");
}

TEST(Tabs, TabOverAMultiRowSelectionIndentsItsLines) {
    ViewHarness h("[ab\r\n\r\ncd\r\n]ef");
    h.run({chars("\t")});
    EXPECT_EQ(h.text(), "\tab\r\n\t\r\n\tcd\r\nef");
    EXPECT_TRUE(h.view->hasSelection());
    h.run({chars("\t")});
    EXPECT_EQ(h.text(), "\t\tab\r\n\t\t\r\n\t\tcd\r\nef");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "\tab\r\n\t\r\n\tcd\r\nef");
}

TEST(Tabs, TabOverASingleRowSelectionReplacesIt) {
    ViewHarness h("a[bc]d\r\nx");
    h.run({chars("\t")});
    EXPECT_EQ(h.marked(), "a\t|d\r\nx");
}

// ---- Automatic line break

class AutoBreak : public ::testing::Test {
protected:
    AutoBreak() : h("|") {
        h.options.modes.wrapCr = 1;
        h.options.modes.wrapNum = 10;
    }
    void layout(bool kinsoku, bool wordWrap) {
        LayoutOptions lo;
        lo.kinsoku = kinsoku;
        lo.wordWrap = wordWrap;
        h.load("|", 80, lo);
    }
    ViewHarness h;
};

TEST_F(AutoBreak, EleventhCharacterStartsANewLine) {
    h.run({chars("0123456789")});
    EXPECT_EQ(h.marked(), "0123456789|");
    h.run({chars("a")});
    EXPECT_EQ(h.marked(), "0123456789\r\na|");
}

TEST_F(AutoBreak, DoubleByteCharacterBreaksOneColumnEarlier) {
    h.run({chars("012345678"), chars("漢")});
    EXPECT_EQ(h.marked(), "012345678\r\n漢|");
}

TEST_F(AutoBreak, LongTypedTextIsBrokenRepeatedly) {
    h.run({ime("abcdefghijklmnopqrstuvwxy")});
    EXPECT_EQ(h.marked(), "abcdefghij\r\nklmnopqrst\r\nuvwxy|");
}

TEST_F(AutoBreak, BreakTakesTheAutomaticIndentation) {
    h.options.modes.autoIndent = 1;
    h.load("  |");
    h.run({chars("abcdefghij")});
    EXPECT_EQ(h.marked(), "  abcdefgh\r\n  ij|");
}

TEST_F(AutoBreak, WordWrapMovesTheWordTypedSoFar) {
    layout(false, true);
    h.run({ime("hello world foo")});
    EXPECT_EQ(h.marked(), "hello \r\nworld foo|");
}

TEST_F(AutoBreak, WordWrapPullsBackTheWordAlreadyInTheText) {
    layout(false, true);
    h.run({chars("hello world")});
    EXPECT_EQ(h.marked(), "hello \r\nworld|");
    // One undo takes back the character and the break that came with it.
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "hello worl");
}

TEST_F(AutoBreak, WordWrapCannotMoveAWordThatFillsTheRow) {
    layout(false, true);
    h.run({chars("abcdefghijk")});
    EXPECT_EQ(h.marked(), "abcdefghij\r\nk|");
}

TEST_F(AutoBreak, KinsokuMovesAnOpeningBracketToTheNextRow) {
    layout(true, false);
    h.run({chars("abcdefgh「x")});
    EXPECT_EQ(h.marked(), "abcdefgh\r\n「x|");
}

TEST_F(AutoBreak, KinsokuLetsAClosingMarkHang) {
    layout(true, false);
    h.run({chars("abcdefghij。")});
    EXPECT_EQ(h.marked(), "abcdefghij。|");
    h.run({chars("k")});
    EXPECT_EQ(h.marked(), "abcdefghij。\r\nk|");
}

TEST_F(AutoBreak, HangingMarkTakesAFollowingLineEndWithIt) {
    layout(true, false);
    h.run({ime("abcdefghij。\rk")});
    EXPECT_EQ(h.marked(), "abcdefghij。\r\nk|");
}

TEST_F(AutoBreak, OffWithoutWrapCr) {
    h.options.modes.wrapCr = 0;
    h.run({chars("0123456789abc")});
    EXPECT_EQ(h.marked(), "0123456789abc|");
}

// ---- Free cursor

TEST(FreeCursorTyping, FillsWithBlanksUpToTheCursor) {
    ViewHarness h("ab|\r\ncd");
    h.options.modes.freeCurs = 1;
    h.run({key(vk::kRight, 4), chars("x")});
    EXPECT_EQ(h.marked(), "ab    x|\r\ncd");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "ab\r\ncd");
}

TEST(FreeCursorTyping, FillsWithTabsWithFreeTab) {
    ViewHarness h("ab|\r\ncd");
    h.options.modes.freeCurs = 1;
    h.options.modes.freeTab = 1;
    h.run({key(vk::kRight, 4), chars("x")});
    EXPECT_EQ(h.marked(), "ab\t  x|\r\ncd");
}

TEST(FreeCursorTyping, OverwriteEnterMakesNoFill) {
    ViewHarness h("ab|\r\ncd");
    h.options.modes.freeCurs = 1;
    h.state.insOver = 1;
    h.run({key(vk::kRight, 4), command(cmd::kEnter)});
    EXPECT_EQ(h.marked(), "ab\r\n|cd");
}

// ---- Typing commands

TEST(TypingCommands, BlankLineGoesAboveTheLineInOverwriteModeToo) {
    ViewHarness h("ab\r\ncd|e");
    h.state.insOver = 1;
    h.macro.slot = 1;
    h.run({command(cmd::kBlankLine)});
    EXPECT_EQ(h.marked(), "ab\r\n\r\n|cde");
    EXPECT_EQ(h.state.insOver, 1);
    EXPECT_EQ(h.macro.words, std::vector<uint32_t>{cmd::kBlankLine});
}

TEST(TypingCommands, PageBreakInsertsAFormFeedInOverwriteMode) {
    ViewHarness h("a|bc");
    h.state.insOver = 1;
    h.run({command(cmd::kPageBreak)});
    EXPECT_EQ(h.marked(), "a\f|bc");
    EXPECT_EQ(h.state.insOver, 1);
}

TEST(TypingCommands, DuplicateLinePutsTheCopyAbove) {
    ViewHarness h("ab\r\nc|d\r\nef");
    h.run({command(cmd::kDuplicateLine)});
    EXPECT_EQ(h.marked(), "ab\r\ncd\r\n|cd\r\nef");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "ab\r\ncd\r\nef");
}

TEST(TypingCommands, DuplicateLastLineAddsALineEnd) {
    ViewHarness h("ab\r\nc|d");
    h.run({command(cmd::kDuplicateLine)});
    EXPECT_EQ(h.marked(), "ab\r\ncd\r\n|cd");
}

TEST(TypingCommands, DuplicateWrappedLineCopiesTheWholeLogicalLine) {
    ViewHarness h("abcdefghijklmnop\r\nx", 10);
    h.view->placeCursor(1, 2);
    h.run({command(cmd::kDuplicateLine)});
    EXPECT_EQ(h.text(), "abcdefghijklmnop\r\nabcdefghijklmnop\r\nx");
    EXPECT_EQ(nav::offsetOf(h.doc.text(), h.cursor()), 18);
}

TEST(TypingCommands, CodeInputTypesCodesOneTo127) {
    ViewHarness h("|");
    h.host.codes = {65, 9, 0, 200, std::nullopt};
    for (int i = 0; i < 5; ++i) h.run({command(cmd::kCodeInput)});
    EXPECT_EQ(h.bytes(), "A\t");
}

TEST(TypingCommands, CodeInputTakesControlCharacters) {
    ViewHarness h("|");
    h.host.codes = {1};
    h.run({command(cmd::kCodeInput)});
    EXPECT_EQ(h.bytes(), "\x01");
}

TEST(TypingCommands, HideMouseCursorWhileTyping) {
    ViewHarness h("|");
    h.options.globals.hideMouseCursor = 1;
    h.run({chars("a")});
    EXPECT_EQ(h.host.pointerHides, 1);
}

}  // namespace
