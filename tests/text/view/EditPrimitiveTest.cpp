// The view's edit primitive and the delete commands: counts, overwrite BS,
// DelCopy, the delete-to family, other views of the document, the
// insertion-gap cut and refused insertions.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct DeleteCase {
    const char* name;
    const char* before;
    std::vector<Step> script;
    const char* after;
};

class Deletes : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(Deletes, RemoveWhatTheyShould) {
    const DeleteCase& c = GetParam();
    ViewHarness h(c.before);
    h.run(c.script);
    EXPECT_EQ(h.marked(), c.after);
}

const DeleteCase kDeleteCases[] = {
    {"BackspaceDeletesOneCharacter", "ab|c", {key(vk::kBack)}, "a|c"},
    {"BackspaceDeletesADoubleByteCharacter", "a漢|c", {key(vk::kBack)}, "a|c"},
    {"BackspaceJoinsLines", "ab\r\n|cd", {key(vk::kBack)}, "ab|cd"},
    {"BackspaceRepeatCountIsOneDeletion", "abcd|e", {key(vk::kBack, 3)}, "a|e"},
    {"BackspaceStopsAtTheTextStart", "ab|c", {key(vk::kBack, 5)}, "|c"},
    {"BackspaceDeletesTheSelection", "a[bc|]d", {key(vk::kBack)}, "a|d"},
    {"DeleteDeletesOneCharacter", "a|bc", {key(vk::kDelete)}, "a|c"},
    {"DeleteTakesCrWithItsLfs", "ab|\r\n\ncd", {key(vk::kDelete)}, "ab|cd"},
    {"DeleteRepeatCount", "|abcdef", {key(vk::kDelete, 4)}, "|ef"},
    {"DeleteNeverTakesTheTerminator", "a|b", {key(vk::kDelete, 9)}, "a|"},
    {"DeleteTheSelection", "a[bc]d", {key(vk::kDelete)}, "a|d"},
    {"DeleteCommands", "ab|cd", {command(cmd::kDeleteBefore), command(cmd::kDeleteAt)}, "a|d"},
    {"DeleteToFileStart", "ab\r\nc|d", {command(cmd::kDeleteToFileStart)}, "|d"},
    {"DeleteToFileEnd", "a|b\r\ncd", {command(cmd::kDeleteToFileEnd)}, "a|"},
    {"DeleteLine", "ab\r\nc|d\r\nef", {command(cmd::kDeleteLine)}, "ab\r\n|ef"},
    {"DeleteToLineStart", "ab\r\ncd|e", {command(cmd::kDeleteToLineStart)}, "ab\r\n|e"},
    {"DeleteToLineEnd", "a|bc\r\nd", {command(cmd::kDeleteToLineEnd)}, "a|\r\nd"},
    {"ClearAll", "ab\r\nc|d", {command(cmd::kClearAll)}, "|"},
};

INSTANTIATE_TEST_SUITE_P(Edit, Deletes, ::testing::ValuesIn(kDeleteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeleteBefore, OverwriteWithInsOverBSOnlyMovesLeft) {
    ViewHarness h("abc|");
    h.state.insOver = 1;
    h.options.globals.insOverBS = 1;
    h.run({key(vk::kBack, 2)});
    EXPECT_EQ(h.marked(), "a|bc");
}

TEST(DeleteBefore, BeyondTheRowEndOnlyMovesOneColumn) {
    ViewHarness h("ab|");
    h.options.modes.freeCurs = 1;
    h.run({key(vk::kRight, 3), key(vk::kBack)});
    EXPECT_EQ(h.marked(), "ab__|");
}

TEST(DeleteAt, BeyondTheRowEndDeletesNothing) {
    ViewHarness h("ab|\r\ncd");
    h.options.modes.freeCurs = 1;
    h.run({key(vk::kRight, 2), key(vk::kDelete)});
    EXPECT_EQ(h.text(), "ab\r\ncd");
}

TEST(DeleteTo, IsOneUndoStep) {
    ViewHarness h("ab\r\ncd|ef");
    h.run({command(cmd::kDeleteToFileStart)});
    EXPECT_EQ(h.text(), "ef");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "ab\r\ncdef");
}

TEST(DeleteTo, DelCopyCopiesWhatItDeletes) {
    ViewHarness h("ab cd|ef");
    h.options.globals.delCopy = 1;
    h.run({command(cmd::kDeleteToLineEnd)});
    EXPECT_EQ(h.marked(), "ab cd|");
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("ef"));
    h.run({command(cmd::kClearAll)});
    EXPECT_EQ(h.marked(), "|");
    EXPECT_EQ(h.fake.clipboard.text(), std::optional<std::string>("ab cd"));
}

TEST(DeleteTo, DeleteCommandsAreRecorded) {
    ViewHarness h("ab|cd");
    h.macro.slot = 1;
    h.run({command(cmd::kDeleteToLineEnd), key(vk::kBack)});
    EXPECT_EQ(h.macro.words,
              (std::vector<uint32_t>{cmd::kDeleteToLineEnd, RecordingKeyMacro::word(256, vk::kBack << 8 | 1)}));
}

TEST(EditPrimitive, NothingToDoChangesNothing) {
    ViewHarness h("ab|");
    EXPECT_EQ(h.view->insertText(""), -1);
    EXPECT_EQ(h.view->deleteText(0), -1);
    EXPECT_FALSE(h.doc.isModified());
}

TEST(EditPrimitive, ReplaceIsOneUndoStep) {
    ViewHarness h("a|bcd");
    h.view->replaceText("XYZ", 2);
    EXPECT_EQ(h.marked(), "aXYZ|d");
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(h.text(), "abcd");
    h.run({command(cmd::kRedo)});
    EXPECT_EQ(h.text(), "aXYZd");
}

TEST(EditPrimitive, UnrecordedEditLeavesTheCursorAtTheEditOffset) {
    ViewHarness h("a|b");
    h.view->insertText("xy", true, 0);
    EXPECT_EQ(h.marked(), "a|xyb");
}

TEST(EditPrimitive, EndsTheSelection) {
    ViewHarness h("[ab|]c");
    h.view->placeCursorAtOffset(3);
    h.view->insertText("x");
    EXPECT_FALSE(h.view->hasSelection());
}

TEST(EditPrimitive, AtAContinuationRowStartTheChangeIsRecordedOnThePreviousRow) {
    ViewHarness h("abcdefghijklmnop", 10);
    ASSERT_GT(h.doc.text().rowCount(), 1);
    h.view->placeCursor(1, 0);
    h.view->insertText("x");
    EXPECT_EQ(h.doc.undoHistory().record(0).row, 0);
    EXPECT_EQ(h.text(), "abcdefghijxklmnop");
}

TEST(EditPrimitive, RefusedInsertionKeepsTheCursorAndWritesNoRecord) {
    ViewHarness h("ab|");
    // The text holds 3 bytes with its terminator: one byte too many.
    std::string big(size_t(TextStore::kMaxTextSize - 2), 'x');
    ASSERT_EQ(h.view->insertText(big), -1);
    EXPECT_EQ(h.doc.text().size(), 3);
    EXPECT_EQ(h.cursor(), (TextPosition{0, 2, 2}));
    EXPECT_EQ(h.doc.undoHistory().count(), 0);
    EXPECT_EQ(h.fake.messages.ids(), std::vector<int>{30003});
}

TEST(EditPrimitive, RepaintsTheChangedRows) {
    ViewHarness h("ab\r\ncd\r\nef");
    h.fake.ui.rows.clear();
    h.view->placeCursor(1, 1);
    h.view->insertText("x");
    ASSERT_FALSE(h.fake.ui.rows.empty());
    EXPECT_LE(h.fake.ui.rows.front().first, 1);
}

TEST(OtherViews, KeepTheirRowAndColumnClampedToTheNewRows) {
    ViewHarness h("a\r\nb\r\nc\r\nd|");
    CLuView other(h.doc, h.view->context());
    other.placeCursor(2, 1);
    other.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    h.view->placeCursor(0, 0);
    h.view->insertText("new\r\n");
    EXPECT_EQ(other.cursor(), (TextPosition{2, 1, 1}));
    // Deleting lines clamps the other view into what is left.
    h.run({command(cmd::kSelectAll), key(vk::kDelete)});
    EXPECT_EQ(other.cursor(), (TextPosition{0, 0, 0}));
    EXPECT_FALSE(other.hasSelection());
}

TEST(OtherViews, AViewWithoutContextWorksOnItsOwnDefaults) {
    FakePlatform fake;
    CLuDoc doc(fake.platform());
    CLuView view(doc, ViewContext{});
    view.typeText("ab\rc");
    view.onCommand(cmd::kSelectAll);
    view.onCommand(cmd::kCopy);
    view.keyDown(vk::kLeft);
    EXPECT_EQ(std::string(doc.text().view()), "ab\r\nc");
    EXPECT_EQ(fake.clipboard.text(), std::optional<std::string>("ab\r\nc"));
}

TEST(OtherViews, UndoInOneViewClampsTheOther) {
    ViewHarness h("|");
    CLuView other(h.doc, h.view->context());
    h.run({ime("a\rb\rc")});
    other.placeCursor(2, 1);
    h.run({command(cmd::kUndo)});
    EXPECT_EQ(other.cursor().row, 0);
}

TEST(InsertionGapCut, DeletionsStopWhereTheGapBegins) {
    ViewHarness h("ab|cd\r\nef");
    h.run({command(cmd::kIndentedInsertion), key(vk::kInsert)});
    ASSERT_TRUE(h.doc.text().insertionGap().open);
    EXPECT_EQ(h.text(), "ab\r\n  cd\r\nef");
    h.run({key(vk::kDelete, 5)});
    EXPECT_EQ(h.text(), "ab\r\n  cd\r\nef");
    EXPECT_TRUE(h.doc.text().insertionGap().open);
}

TEST(WaitCursor, ShownAroundChangesOfMoreThan256Bytes) {
    ViewHarness h("|" + std::string(400, 'x'));
    h.view->insertText(std::string(256, 'a'));
    EXPECT_TRUE(h.host.waitCursor.empty());
    h.view->insertText(std::string(257, 'b'));
    EXPECT_EQ(h.host.waitCursor, (std::vector<bool>{true, false}));
    // Inserted and deleted bytes count together.
    h.host.waitCursor.clear();
    h.view->placeCursorAtOffset(0);
    h.view->replaceText(std::string(200, 'c'), 57);
    EXPECT_EQ(h.host.waitCursor, (std::vector<bool>{true, false}));
    h.host.waitCursor.clear();
    h.view->placeCursorAtOffset(0);
    h.view->deleteText(256);
    EXPECT_TRUE(h.host.waitCursor.empty());
}

TEST(WaitCursor, CountsOnlyWhatCanChange) {
    // A deletion asked to pass the text's end removes only the rest.
    ViewHarness h("|" + std::string(100, 'x'));
    h.view->deleteText(1000);
    EXPECT_EQ(h.text(), "");
    EXPECT_TRUE(h.host.waitCursor.empty());
    // A read-only document changes nothing.
    h.load("|abc");
    h.doc.setReadOnly(true);
    h.doc.setEditSettings(EditSettings{false, true, true});
    h.view->insertText(std::string(300, 'a'));
    EXPECT_EQ(h.text(), "abc");
    EXPECT_TRUE(h.host.waitCursor.empty());
}

}  // namespace
