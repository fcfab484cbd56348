// Character, row, line and jump moves, with and without a selection.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct MoveCase {
    const char* name;
    const char* before;
    std::vector<Step> script;
    const char* after;
};

class Moves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(Moves, LandWhereExpected) {
    const MoveCase& c = GetParam();
    ViewHarness h(c.before);
    h.run(c.script);
    EXPECT_EQ(h.marked(), c.after);
}

const MoveCase kMoveCases[] = {
    {"RightAtTextEndDoesNothing", "ab\r\ncd|", {key(vk::kRight)}, "ab\r\ncd|"},
    {"LeftAtTextStartDoesNothing", "|ab", {key(vk::kLeft)}, "|ab"},
    {"RightCrossesLineEnd", "ab|\r\ncd", {key(vk::kRight)}, "ab\r\n|cd"},
    {"LeftCrossesLineEnd", "ab\r\n|cd", {key(vk::kLeft)}, "ab|\r\ncd"},
    {"RightOverDoubleByte", "|漢字", {key(vk::kRight)}, "漢|字"},
    {"LeftOverDoubleByte", "漢字|", {key(vk::kLeft)}, "漢|字"},
    {"LeftCollapsesToSelectionStart", "a[bc|]d", {key(vk::kLeft)}, "a|bcd"},
    {"RightCollapsesToSelectionEnd", "a[|bc]d", {key(vk::kRight)}, "abc|d"},
    {"KeyRepeatCountMovesThatFar", "|abcdef", {key(vk::kRight, 3)}, "abc|def"},
    {"HomeGoesToLineStart", "ab\r\ncd|e", {key(vk::kHome)}, "ab\r\n|cde"},
    {"EndGoesToLineEnd", "a|b\r\ncd", {key(vk::kEnd)}, "ab|\r\ncd"},
    {"HomeCollapsesSelection", "a[bc|]d", {key(vk::kHome)}, "a|bcd"},
    {"NextLine", "a|b\r\ncd", {command(cmd::kNextLine)}, "ab\r\n|cd"},
    {"NextLineOnLastLineGoesToItsEnd", "ab\r\nc|d", {command(cmd::kNextLine)}, "ab\r\ncd|"},
    {"FileTopAndBottom", "ab\r\nc|d\r\nef", {command(cmd::kFileTop)}, "|ab\r\ncd\r\nef"},
    {"FileBottom", "a|b\r\ncd\r\nef", {command(cmd::kFileBottom)}, "ab\r\ncd\r\nef|"},
    {"ShiftExtendsArrowMoves", "a|bcd", {key(vk::kShift), key(vk::kRight, 2), keyUp(vk::kShift)}, "a[bc|]d"},
    {"SelectCharCommands", "ab|cd", {command(cmd::kSelectCharLeft), command(cmd::kSelectCharLeft)}, "[|ab]cd"},
    {"SelectToFileStart", "ab\r\nc|d", {command(cmd::kSelectToFileStart)}, "[|ab\r\nc]d"},
    {"SelectToFileEnd", "a|b\r\ncd", {command(cmd::kSelectToFileEnd)}, "a[b\r\ncd|]"},
    {"SelectToLineStart", "ab\r\ncd|e", {command(cmd::kSelectToLineStart)}, "ab\r\n[|cd]e"},
    {"SelectToLineEnd", "a|bc\r\nd", {command(cmd::kSelectToLineEnd)}, "a[bc|]\r\nd"},
    {"SelectToNextLine", "a|bc\r\nd", {command(cmd::kSelectToNextLine)}, "a[bc\r\n|]d"},
    {"SelectLineIncludesItsLineEnd", "ab\r\nc|d\r\nef", {command(cmd::kSelectLine)}, "ab\r\n[|cd\r\n]ef"},
    {"SelectLineOnLastLine", "ab\r\nc|d", {command(cmd::kSelectLine)}, "ab\r\n[|cd]"},
    {"SelectAll", "a|b\r\ncd", {command(cmd::kSelectAll)}, "[ab\r\ncd|]"},
    {"ClearSelection", "a[bc|]d", {command(cmd::kClearSelection)}, "abc|d"},
    {"SelectionModeExtendsEveryMove", "|abc", {command(cmd::kSelectionMode), key(vk::kRight), key(vk::kRight)}, "[ab|]c"},
    {"SelectRowsDown", "a|b\r\ncd\r\nef", {command(cmd::kSelectLineDown), command(cmd::kSelectLineDown)},
     "a[b\r\ncd\r\ne|]f"},
};

INSTANTIATE_TEST_SUITE_P(Cursor, Moves, ::testing::ValuesIn(kMoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VerticalMoves, DesiredColumnSurvivesAShortRow) {
    ViewHarness h("0123456789abcdef\r\nabc\r\n0123456789abcdef");
    h.view->placeCursor(0, 10);
    h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.run({key(vk::kDown)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 3, 3}));
    h.run({key(vk::kDown)});
    EXPECT_EQ(h.cursor(), (TextPosition{2, 10, 10}));
    h.run({key(vk::kUp), key(vk::kUp)});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 10, 10}));
}

TEST(VerticalMoves, NeverSplitADoubleByteCharacter) {
    // Columns 2 and 4 fall on the second halves of the kanji: the cursor
    // stops before them.
    ViewHarness h("ab|cde\r\na漢字");
    h.run({key(vk::kDown)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 1, 1}));
    h.view->placeCursor(0, 4);
    h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.run({key(vk::kDown)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 3, 3}));
}

TEST(VerticalMoves, StayWithinTheText) {
    ViewHarness h("a|b\r\ncd");
    h.run({key(vk::kUp)});
    EXPECT_EQ(h.cursor().row, 0);
    h.run({key(vk::kDown, 5)});
    EXPECT_EQ(h.cursor().row, 1);
}

TEST(VerticalMoves, DownWithSelectionCollapsesToItsEndFirst) {
    ViewHarness h("[|ab]c\r\ndefg");
    h.run({key(vk::kDown)});
    EXPECT_EQ(h.marked(), "abc\r\nde|fg");
}

class WrappedLine : public ::testing::Test {
protected:
    // 30 letters wrapped at 10 columns: rows 0-2 are one logical line.
    WrappedLine() : h("abcdefghijklmnopqrstuvwxyzABCD\r\nnext", 10) {}
    ViewHarness h;
};

TEST_F(WrappedLine, HomeAndEndFollowTheLogicalLine) {
    ASSERT_GE(h.doc.text().lastRowOfLine(0), 2);
    h.view->placeCursor(1, 3);
    h.run({key(vk::kHome)});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 0, 0}));
    h.run({key(vk::kEnd)});
    EXPECT_EQ(nav::offsetOf(h.doc.text(), h.cursor()), 30);
}

TEST_F(WrappedLine, HomeAndEndFollowTheDisplayRowWithHomeEndMode) {
    h.options.globals.homeEndMode = 1;
    h.view->placeCursor(1, 3);
    h.run({key(vk::kHome)});
    EXPECT_EQ(h.cursor().row, 1);
    EXPECT_EQ(h.cursor().byteColumn, 0);
    h.run({key(vk::kEnd)});
    EXPECT_EQ(h.cursor().row, 1);
    EXPECT_EQ(h.cursor().byteColumn, h.doc.text().endColumn(1));
}

TEST_F(WrappedLine, SelectLineSelectsTheWholeLogicalLine) {
    h.view->placeCursor(1, 2);
    h.run({command(cmd::kSelectLine)});
    EXPECT_EQ(h.marked(), "[|abcdefghijklmnopqrstuvwxyzABCD\r\n]next");
}

TEST_F(WrappedLine, SelectLineSelectsOneRowWithHomeEndMode) {
    h.options.globals.homeEndMode = 1;
    h.view->placeCursor(1, 2);
    h.run({command(cmd::kSelectLine)});
    const int32_t a = h.view->selectionStartOffset(), b = h.view->selectionEndOffset();
    EXPECT_EQ(a, h.doc.text().row(1).offset);
    EXPECT_EQ(b, h.doc.text().row(2).offset);
}

TEST_F(WrappedLine, RightAtRowEndGoesToTheNextRowStart) {
    h.view->placeCursor(0, h.doc.text().endColumn(0));
    h.run({key(vk::kRight)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 0, 0}));
}

TEST(Jumps, ScreenTopAndBottom) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "line\r\n";
    ViewHarness h(text);
    h.view->setViewport(10, 10, 80);
    h.view->scrollTo(5, 0);
    h.run({command(cmd::kScreenTop)});
    EXPECT_EQ(h.cursor(), (TextPosition{5, 0, 0}));
    h.run({command(cmd::kScreenBottom)});
    EXPECT_EQ(h.cursor(), (TextPosition{14, 0, 0}));
}

TEST(Jumps, GoToLineKeepsTheNumberAndRecordsIt) {
    ViewHarness h("a\r\nb\r\nc\r\nd|");
    h.host.lineNumbers.push_back(2);
    h.macro.slot = 1;
    h.run({command(cmd::kGoToLine)});
    EXPECT_EQ(h.host.lineDialogInitial, std::vector<int32_t>{4});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 0, 0}));
    EXPECT_EQ(h.view->jumpLine(), 2);
    // The jump-line record (code 33005, one word of text "2" and its NUL),
    // then "jump again", which a playback runs without the dialog.
    ASSERT_EQ(h.macro.words.size(), 3u);
    EXPECT_EQ(h.macro.words[0], RecordingKeyMacro::word(33005, 1));
    EXPECT_EQ(h.macro.words[1], uint32_t('2'));
    EXPECT_EQ(h.macro.words[2], RecordingKeyMacro::word(cmd::kJumpAgain, 0));
    h.macro.words.clear();
    h.run({command(cmd::kFileBottom), command(cmd::kJumpAgain)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 0, 0}));
    // Jump again records its line before its id.
    ASSERT_EQ(h.macro.words.size(), 4u);
    EXPECT_EQ(h.macro.words[1], RecordingKeyMacro::word(33005, 1));
    EXPECT_EQ(h.macro.words[3], RecordingKeyMacro::word(cmd::kJumpAgain, 0));
}

TEST(Jumps, GoToLineClampsAndCancels) {
    ViewHarness h("a\r\nb|");
    h.host.lineNumbers.push_back(99);
    h.host.lineNumbers.push_back(std::nullopt);
    h.run({command(cmd::kGoToLine)});
    EXPECT_EQ(h.cursor().row, 1);
    h.run({command(cmd::kFileTop), command(cmd::kGoToLine)});
    EXPECT_EQ(h.cursor().row, 0);
    EXPECT_EQ(h.view->jumpLine(), 99);
}

TEST(Jumps, GoToLineCountsRowsWhenRowsAreNumbered) {
    ViewHarness h("abcdefghijklmnopqrstuvwxyz\r\nx|", 10);
    h.options.globals.lineNoDisp = 2;
    h.host.lineNumbers.push_back(2);
    h.run({command(cmd::kGoToLine)});
    EXPECT_EQ(h.host.lineDialogInitial.back(), h.doc.text().rowCount());
    EXPECT_EQ(h.cursor().row, 1);
}

TEST(Jumps, JumpAgainIsGreyedUntilAJump) {
    ViewHarness h("a");
    CommandState s;
    ASSERT_TRUE(h.view->onUpdateCommand(cmd::kJumpAgain, s));
    EXPECT_FALSE(s.enabled);
}

class FreeCursor : public ::testing::Test {
protected:
    FreeCursor() : h("ab|\r\ncdef\r\nlast") { h.options.modes.freeCurs = 1; }
    ViewHarness h;
};

TEST_F(FreeCursor, RightGoesBeyondTheRowEndOneColumnAtATime) {
    h.run({key(vk::kRight, 3)});
    EXPECT_EQ(h.marked(), "ab___|\r\ncdef\r\nlast");
    h.run({key(vk::kLeft)});
    EXPECT_EQ(h.marked(), "ab__|\r\ncdef\r\nlast");
}

TEST_F(FreeCursor, VerticalMovesKeepTheColumnBeyondShortRows) {
    h.view->placeCursor(1, 4);
    h.view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.run({key(vk::kUp)});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 4, 4}));
}

TEST_F(FreeCursor, LeftAtRowStartStaysUnlessFreeCursHome) {
    h.view->placeCursor(1, 0);
    h.run({key(vk::kLeft)});
    EXPECT_EQ(h.cursor(), (TextPosition{1, 0, 0}));
    h.options.modes.freeCursHome = 1;
    h.run({key(vk::kLeft)});
    EXPECT_EQ(h.cursor(), (TextPosition{0, 2, 2}));
}

TEST_F(FreeCursor, StopEofKeepsTheLastRowBounded) {
    h.options.modes.stopEof = 1;
    h.run({command(cmd::kFileBottom), key(vk::kRight, 2)});
    EXPECT_EQ(h.marked(), "ab\r\ncdef\r\nlast|");
}

TEST_F(FreeCursor, SwitchingItOffPullsTheCursorBack) {
    h.run({key(vk::kRight, 2), command(cmd::kFreeCursor)});
    EXPECT_EQ(h.options.modes.freeCurs, 0);
    EXPECT_EQ(h.marked(), "ab|\r\ncdef\r\nlast");
}

TEST(MovementRecording, MovesAreRecordedAfterTheirWork) {
    ViewHarness h("|abc");
    h.macro.slot = 3;
    h.run({command(cmd::kCharRight), command(cmd::kWordRight), command(cmd::kSelectAll)});
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{32820, 32824, 57642}));
}

}  // namespace
