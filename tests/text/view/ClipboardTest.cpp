// Copy, cut, append, paste (stream and rectangle), extended paste, copy
// all and the scrap commands, through the clipboard seam.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

TEST(Copy, PutsTheSelectionOnTheClipboardAndClearsItWithCancelSel) {
    ViewHarness h("a[bc|]d");
    h.run({command(cmd::kCopy)});
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("bc"));
    EXPECT_FALSE(h.fake.clipboard.isRectangle());
    EXPECT_FALSE(h.view->hasSelection());
    EXPECT_EQ(h.text(), "abcd");
}

TEST(Copy, KeepsTheSelectionWithoutCancelSel) {
    ViewHarness h("a[bc|]d");
    h.options.globals.cancelSel = 0;
    h.run({command(cmd::kCopy)});
    EXPECT_TRUE(h.view->hasSelection());
}

TEST(Copy, WithoutASelectionDoesNothingAndIsGreyed) {
    ViewHarness h("a|bcd");
    h.macro.slot = 1;
    h.run({command(cmd::kCopy), command(cmd::kCut)});
    EXPECT_EQ(h.fake.clipboard.writes, 0);
    EXPECT_TRUE(h.macro.words.empty());
    for (CommandId id : {cmd::kCopy, cmd::kCut, cmd::kAppendCopy, cmd::kAppendCut, cmd::kCopyToScrap}) {
        CommandState s;
        ASSERT_TRUE(h.view->onUpdateCommand(id, s));
        EXPECT_FALSE(s.enabled) << id;
    }
}

TEST(Cut, CopiesAndDeletesAsOneUndoStep) {
    ViewHarness h("a[bc|]d");
    h.run({command(cmd::kCut)});
    EXPECT_EQ(h.marked(), "a|d");
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("bc"));
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd");
}

TEST(Append, AddsTheSelectionAfterTheClipboardText) {
    ViewHarness h("a[bc|]d");
    h.fake.clipboard.externalChange("xy");
    h.run({command(cmd::kAppendCopy)});
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("xybc"));
    h.view->selectRange(0, 1);
    h.run({command(cmd::kAppendCut)});
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("xybca"));
    EXPECT_EQ(h.text(), "bcd");
}

TEST(Paste, InsertsAtTheCursor) {
    ViewHarness h("ab|cd");
    h.fake.clipboard.externalChange(sj("漢\r\nx"));
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.marked(), "ab漢\r\nx|cd");
}

TEST(Paste, ReplacesTheSelectionAsOneUndoStep) {
    ViewHarness h("a[bc]d");
    h.fake.clipboard.externalChange("XYZ");
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.marked(), "aXYZ|d");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd");
}

TEST(Paste, EmptyClipboardIsGreyedAndDoesNothing) {
    ViewHarness h("ab|");
    CommandState s;
    h.view->onUpdateCommand(cmd::kPaste, s);
    EXPECT_FALSE(s.enabled);
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.text(), "ab");
}

TEST(RectanglePaste, PiecesGoIntoFollowingLinesAtTheCursorColumn) {
    ViewHarness h("ab|cd\r\nefgh\r\nij\r\nklmn");
    h.fake.clipboard.setText("12\r\n34\r\n56", true);
    h.run({command(cmd::kPaste)});
    // The third line is narrower than column 2: no fill is needed at 2.
    EXPECT_EQ(h.text(), "ab12cd\r\nef34gh\r\nij56\r\nklmn");
    EXPECT_EQ(h.marked(), "ab12|cd\r\nef34gh\r\nij56\r\nklmn");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd\r\nefgh\r\nij\r\nklmn");
}

TEST(RectanglePaste, NarrowRowsAreFilledAndNewLinesAdded) {
    ViewHarness h("abc|d\r\nx");
    h.fake.clipboard.setText("1\r\n2\r\n3", true);
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.text(), "abc1d\r\nx  2\r\n   3");
}

TEST(RectanglePaste, SkipsContinuationRowsAndRespectsDoubleByteAndTabColumns) {
    ViewHarness h("|ab\r\n\tx\r\n漢字", 80);
    h.view->placeCursor(0, 1);
    h.fake.clipboard.setText("1\r\n2\r\n3", true);
    h.run({command(cmd::kPaste)});
    // Column 1 lies inside the TAB and inside 漢: the pieces go before them.
    EXPECT_EQ(utf8(h.bytes()), "a1b\r\n2\tx\r\n3漢字");
}

TEST(RectanglePaste, BoxModePastesPlainTextAsARectangle) {
    ViewHarness h("a|b\r\ncd");
    h.state.boxMode = true;
    h.fake.clipboard.externalChange("1\n2\n");
    h.run({command(cmd::kPaste)});
    // A lone LF ends a piece; the empty piece after the last line end is dropped.
    EXPECT_EQ(h.text(), "a1b\r\nc2d");
}

TEST(RectanglePaste, OverASelectionIsOneUndoStepWithItsDeletion) {
    ViewHarness h("a[bc]d\r\nefgh");
    h.run({command(cmd::kCopy)});
    h.view->selectRange(6, 8);
    h.fake.clipboard.setText("X\r\nY", true);
    const int32_t before = h.doc.undoHistory().count();
    h.run({command(cmd::kPaste)});
    EXPECT_EQ(h.text(), "abcd\r\nXgh\r\nY");
    EXPECT_GT(h.doc.undoHistory().count(), before + 1);
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd\r\nefgh");
    h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.text(), "abcd\r\nXgh\r\nY");
}

TEST(ExtendedPaste, TypesEachLineSoOverwriteAndIndentApply) {
    ViewHarness h("\t|abcd\r\nefgh");
    h.state.insOver = 1;
    h.fake.clipboard.externalChange("XY\r\nZ");
    h.run({command(cmd::kExtendedPaste)});
    EXPECT_EQ(h.marked(), "\tXYcd\r\nZ|fgh");
}

TEST(ExtendedPaste, AutoIndentAppliesToEachLine) {
    ViewHarness h("\tab|");
    h.options.modes.autoIndent = 1;
    h.fake.clipboard.externalChange("x\ny\nz");
    h.run({command(cmd::kExtendedPaste)});
    EXPECT_EQ(h.text(), "\tabx\r\n\ty\r\n\tz");
}

TEST(CopyAll, CopiesTheWholeTextAndEndsBoxMode) {
    ViewHarness h("a[b]c\r\nd");
    h.state.boxMode = true;
    h.run({command(cmd::kCopyAll)});
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("abc\r\nd"));
    EXPECT_FALSE(h.view->hasSelection());
    EXPECT_FALSE(h.state.boxMode);
}

TEST(Scrap, CopyCutAndPasteThroughTheScrapBook) {
    ViewHarness h("a[bc]d");
    h.run({command(cmd::kCopyToScrap)});
    EXPECT_EQ(h.hooks.scrap, std::vector<std::string>{"bc"});
    h.view->selectRange(0, 1);
    h.run({command(cmd::kCutToScrap)});
    EXPECT_EQ(h.text(), "bcd");
    EXPECT_EQ(h.hooks.scrap.back(), "a");
    h.run({command(cmd::kFileBottom), command(cmd::kPasteFromScrap)});
    EXPECT_EQ(h.marked(), "bcda|");
}

TEST(Scrap, PasteIsGreyedWithAnEmptyScrapBook) {
    ViewHarness h("abc");
    CommandState s;
    h.view->onUpdateCommand(cmd::kPasteFromScrap, s);
    EXPECT_FALSE(s.enabled);
}

}  // namespace
