// The document: recorded edits, undo and redo, the modified state and the
// title, marks and row searches, and what the other views are told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "tests/support/FakePlatform.h"
#include "tests/text/TextInvariants.h"
#include "text/CLuDoc.h"
#include "text/TextCommandIds.h"

using namespace orvex;
using namespace orvex::test;
using namespace orvex::undokind;

namespace {

class RecordingView : public DocumentObserver {
public:
    void documentEdited(CLuDoc&, const ChangeInfo& change) override { edits.push_back(change); }
    void documentRowsChanged(CLuDoc&, int32_t first, int32_t last) override { repaints.push_back({first, last}); }
    void documentRelaid(CLuDoc&) override { ++relaid; }
    std::vector<ChangeInfo> edits;
    std::vector<std::pair<int32_t, int32_t>> repaints;
    int relaid = 0;
};

class DocTest : public ::testing::Test {
protected:
    DocTest() : doc(fake.platform()) {}
    std::string text() const { return std::string(doc.text().view()); }
    void type(const std::string& s) {
        // Typing at the end of the text, one record per call.
        const TextPosition end = doc.text().positionOf(doc.text().size() - 1);
        ASSERT_GE(doc.insertRecorded(end.row, end.byteColumn, s.data(), int32_t(s.size()), kInsert), 0);
    }
    void load(const std::string& s, int32_t wrap = 80) {
        doc.text().setLayout(LayoutOptions{}, wrap);
        ASSERT_TRUE(doc.text().setText(s));
        doc.layoutAll();
        doc.markLoaded();
    }
    FakePlatform fake;
    CLuDoc doc;
};

TEST_F(DocTest, ThreeLettersThreeRecordsThreeUndos) {
    type("a");
    type("b");
    type("c");
    EXPECT_EQ(text(), "abc");
    EXPECT_EQ(doc.undoHistory().count(), 3);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(fake.ui.titleUpdates, 1);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(doc.undo().applied);
    EXPECT_EQ(text(), "");
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(fake.ui.titleUpdates, 2);
    EXPECT_FALSE(doc.undo().applied);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.redo().applied);
    EXPECT_EQ(text(), "a");
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocTest, ReplaceIsUndoneAndRedoneInOneStep) {
    load("hello world");
    ASSERT_GE(doc.deleteRecorded(0, 6, 5, kReplaceDelete), 0);
    ASSERT_GE(doc.insertRecorded(0, 6, "there", 5, kReplaceInsert), 0);
    EXPECT_EQ(text(), "hello there");
    UndoResult u = doc.undo();
    EXPECT_EQ(u.records, 2);
    EXPECT_EQ(u.cursorOffset, 6);
    EXPECT_EQ(text(), "hello world");
    EXPECT_FALSE(doc.isModified());
    UndoResult r = doc.redo();
    EXPECT_EQ(r.records, 2);
    EXPECT_EQ(text(), "hello there");
    EXPECT_FALSE(doc.canRedo());
}

TEST_F(DocTest, EditsAtTextOffsets) {
    load("abc\r\ndef");
    ASSERT_GE(doc.insertRecordedAt(6, "X", 1, kInsert), 0);
    EXPECT_EQ(text(), "abc\r\ndXef");
    EXPECT_EQ(doc.undoHistory().record(0).row, 1);
    ASSERT_GE(doc.deleteRecordedAt(1, 2, kDelete), 0);
    EXPECT_EQ(text(), "a\r\ndXef");
    doc.undo();
    doc.undo();
    EXPECT_EQ(text(), "abc\r\ndef");
}

TEST_F(DocTest, ReplaceWhoseInsertionWasRefusedUndoesItsDeletion) {
    load("abc");
    doc.deleteRecorded(0, 1, 1, kReplaceDelete);  // the insertion half never came
    type("x");
    doc.undo();
    EXPECT_EQ(text(), "ac");
    doc.undo();
    EXPECT_EQ(text(), "abc");
}

TEST_F(DocTest, DraggedTextMovesBackAndForthAsOneStep) {
    load("one two three");
    doc.deleteRecorded(0, 4, 4, kDelete);  // "two " at the source
    doc.insertRecorded(0, 9, "two ", 4, kInsert | kGrouped);  // dropped after "three"... at column 9
    const std::string moved = text();
    EXPECT_EQ(moved, "one threetwo ");
    EXPECT_EQ(doc.undo().records, 2);
    EXPECT_EQ(text(), "one two three");
    EXPECT_EQ(doc.redo().records, 2);
    EXPECT_EQ(text(), moved);
}

TEST_F(DocTest, GroupedPasteOverASelection) {
    load("abcdef");
    type("!");
    doc.deleteRecorded(0, 1, 2, kDelete | kGrouped);
    doc.insertRecorded(0, 1, "XY\r\nZ", 5, kInsert | kGrouped);
    EXPECT_EQ(doc.undo().records, 2);
    EXPECT_EQ(text(), "abcdef!");
    EXPECT_EQ(doc.redo().records, 2);
    EXPECT_EQ(text(), "aXY\r\nZdef!");
    doc.undo();
    doc.undo();
    EXPECT_EQ(text(), "abcdef");  // the typed "!" was a step of its own
}

TEST_F(DocTest, DroppedHistoryLeavesTheDocumentModified) {
    doc.undoHistory() = UndoHistory(8);
    type("aaaa");
    type("bbbb");  // drops "aaaa"
    EXPECT_TRUE(doc.undoHistory().truncated());
    while (doc.undo().applied) {
    }
    EXPECT_EQ(text(), "aaaa");
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocTest, UnrecordedEditDropsTheHistory) {
    type("abc");
    ASSERT_GE(doc.insertRecorded(0, 3, "d", 1, 0), 0);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.undoHistory().truncated());
    EXPECT_TRUE(doc.isModified());
    // Plain changes leave history and modified state alone.
    doc.markLoaded();
    doc.insertText(0, 0, "x", 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(text(), "xabcd");
}

TEST_F(DocTest, ReadOnlyDocumentRefusesEditsUnlessEditingIsEnabled) {
    load("text");
    doc.setReadOnly(true);
    EditSettings s;
    s.editEnable = false;
    doc.setEditSettings(s);
    EXPECT_EQ(doc.insertRecorded(0, 0, "x", 1, kInsert), -1);
    EXPECT_EQ(doc.deleteRecorded(0, 0, 1, kDelete), -1);
    EXPECT_EQ(text(), "text");
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(fake.messages.shown.empty());
    s.editEnable = true;
    doc.setEditSettings(s);
    EXPECT_GE(doc.insertRecorded(0, 0, "x", 1, kInsert), 0);
}

TEST_F(DocTest, TooLargeInsertionShowsTheMessageAndWritesNoRecord) {
    load(std::string(size_t(TextStore::kMaxTextSize) - 1, 'z'));
    EXPECT_EQ(doc.insertRecorded(0, 0, "x", 1, kInsert), -1);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].textId, strings::kTextTooLarge);
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(fake.messages.shown[0].text, "文章が大きすぎます");
    EXPECT_EQ(doc.undoHistory().count(), 0);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.insertText(0, 0, "x", 1), -1);
    EXPECT_EQ(fake.messages.shown.size(), 2u);
}

TEST_F(DocTest, SavingWithKeepUndoClearsTheHistory) {
    type("ab");
    doc.markSaved();
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.text().modifiedRowsPresent());  // KeepModifyMk
}

TEST_F(DocTest, SavingWithoutKeepUndoMovesTheSavedPosition) {
    EditSettings s;
    s.keepUndo = false;
    s.keepModifyMk = false;
    doc.setEditSettings(s);
    type("a");
    type("b");
    doc.markSaved();
    EXPECT_TRUE(doc.text().modifiedRowsPresent());
    type("c");
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.text().modifiedRowsPresent());  // back at the saved state
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(text(), "a");
    doc.redo();
    EXPECT_FALSE(doc.isModified());
    // An edit below the saved state discards it: never unmodified again by
    // reaching the same position with other text.
    doc.undo();
    type("x");
    EXPECT_EQ(text(), "ax");
    doc.undo();
    doc.redo();
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocTest, TitleMarker) {
    doc.setTitleBase("memo.txt", true);
    EXPECT_EQ(doc.title(), "memo.txt");
    type("a");
    EXPECT_EQ(doc.title(), "memo.txt *変更");
    doc.setTitleBase("新規1", false);
    EXPECT_EQ(doc.title(), "新規1*");
    doc.undo();
    EXPECT_EQ(doc.title(), "新規1");
}

TEST_F(DocTest, MarkOnAWrappedRowGoesOnTheFirstRowOfItsLine) {
    load(cp932::fromUtf8("あいうえおかきくけこさし\r\nb\r\nc"), 10);
    ASSERT_EQ(doc.text().rowCount(), 5);  // three rows for the first line
    EXPECT_EQ(doc.toggleMark(1), 0);
    EXPECT_TRUE(doc.text().rowFlags(0) & rowflag::kMarked);
    EXPECT_EQ(doc.text().markedRowCount(), 1);
    EXPECT_EQ(doc.toggleMark(4), 4);
    // Next mark from the last mark wraps to the top; previous from the top
    // wraps to the end.
    EXPECT_EQ(doc.nextMarkRow(4, true), 0);
    EXPECT_EQ(doc.nextMarkRow(0, true), 4);
    EXPECT_EQ(doc.nextMarkRow(2, true), 4);
    EXPECT_EQ(doc.nextMarkRow(0, false), 4);
    EXPECT_EQ(doc.nextMarkRow(4, false), 0);
    EXPECT_EQ(doc.toggleMark(2), 0);  // off again, from another row of the line
    EXPECT_EQ(doc.nextMarkRow(4, true), -1);  // only the row itself
    doc.clearAllMarks();
    EXPECT_EQ(doc.text().markedRowCount(), 0);
    EXPECT_EQ(doc.nextMarkRow(0, true), -1);
}

TEST_F(DocTest, EmptyDocumentHasNothingToMark) {
    EXPECT_EQ(doc.toggleMark(0), -1);
    EXPECT_EQ(doc.text().markedRowCount(), 0);
}

TEST_F(DocTest, TitleAndModifiedRowSearches) {
    LayoutOptions o;
    o.ttwdSel[0] = 1;
    o.classColours[0] = 0xFF;
    o.titleStr[0] = "*";
    doc.setLayoutOptions(o);
    ASSERT_TRUE(doc.text().setText("* one\r\nx\r\ny\r\n* two\r\nz"));
    doc.layoutAll();
    EXPECT_EQ(doc.text().titleRowCount(), 2);
    EXPECT_EQ(doc.nextTitleRow(0, true), 3);
    EXPECT_EQ(doc.nextTitleRow(3, true), 0);
    EXPECT_EQ(doc.nextTitleRow(1, false), 0);
    EXPECT_EQ(doc.nextModifiedRow(0, true), -1);
    EXPECT_EQ(doc.lastModifiedRow(), -1);
    doc.insertRecorded(2, 0, "!", 1, kInsert);
    doc.insertRecorded(4, 1, "?", 1, kInsert);
    EXPECT_EQ(doc.nextModifiedRow(0, true), 2);
    EXPECT_EQ(doc.nextModifiedRow(2, true), 4);
    EXPECT_EQ(doc.nextModifiedRow(4, true), 2);
    EXPECT_EQ(doc.lastModifiedRow(), 4);
    doc.undo();
    EXPECT_EQ(doc.lastModifiedRow(), 2);
}

TEST_F(DocTest, OtherViewsAreToldAndTheEditingViewIsNot) {
    RecordingView a, b;
    doc.addObserver(&a);
    doc.addObserver(&b);
    type("line\r\n");
    doc.notifyEdited(&a);  // what a's edit primitive does after its edit
    EXPECT_TRUE(a.edits.empty());
    ASSERT_EQ(b.edits.size(), 1u);
    EXPECT_EQ(b.edits[0].rowDelta(), 1);
    doc.undo(&b);
    EXPECT_EQ(a.edits.size(), 1u);
    EXPECT_EQ(b.edits.size(), 1u);
    doc.toggleMark(0);
    EXPECT_EQ(a.repaints.size(), 1u);
    EXPECT_EQ(b.repaints.size(), 1u);
    doc.setClosing(true);  // views being closed are not told
    doc.redo(&a);
    EXPECT_EQ(b.edits.size(), 1u);
    doc.setClosing(false);
    doc.removeObserver(&b);
    doc.undo(&a);
    EXPECT_EQ(b.edits.size(), 1u);
}

TEST_F(DocTest, WidthChangeKeepsTheCaretInTheText) {
    RecordingView v;
    doc.addObserver(&v);
    load(cp932::fromUtf8("あいうえおかきくけこさしすせそ\r\nx"), 10);
    const TextPosition caret{2, 4, 4};  // before "す"
    const TextPosition same = doc.relayoutForWidth(10, false, caret);
    EXPECT_EQ(same, caret);
    const int relaid = v.relaid;
    const TextPosition moved = doc.relayoutForWidth(20, false, caret);
    EXPECT_EQ(v.relaid, relaid + 1);
    EXPECT_EQ(moved, (TextPosition{1, 4, 4}));
    EXPECT_EQ(doc.text().lastLayoutWidth(), 20);
    // A free-cursor excess survives.
    const TextPosition free = doc.relayoutForWidth(80, true, TextPosition{2, 3, 3});
    EXPECT_EQ(free, (TextPosition{1, 3, 3}));
}

TEST_F(DocTest, InsertionGapOpensClosesAndUndoes) {
    load("abc\r\ndef");
    ASSERT_GE(doc.openInsertionGap(0, 1, "\r\n ", 3), 0);
    EXPECT_EQ(text(), "a\r\n bc\r\ndef");
    EXPECT_EQ(doc.undoHistory().record(0).kind, kInsertionGap | kInsert);
    EXPECT_EQ(doc.text().availableRowCount(), 1);
    EXPECT_EQ(doc.openInsertionGap(0, 0, "\r\n", 2), -1);  // one gap at a time
    type("");
    ASSERT_GE(doc.insertRecorded(0, 1, "Z", 1, kInsert), 0);  // typed before the gap
    EXPECT_EQ(doc.text().insertionGap().offset, 2);
    doc.undo();
    EXPECT_TRUE(doc.text().insertionGap().open);
    const UndoResult closed = doc.undo();  // takes the gap away
    EXPECT_EQ(closed.cursorOffset, 1);
    EXPECT_EQ(text(), "abc\r\ndef");
    EXPECT_FALSE(doc.text().insertionGap().open);
    doc.redo();  // and opens it again
    EXPECT_TRUE(doc.text().insertionGap().open);
    EXPECT_EQ(doc.text().availableRowCount(), 1);
    ASSERT_GE(doc.closeInsertionGap(), 0);
    EXPECT_EQ(doc.undoHistory().record(1).kind, kInsertionGap | kDelete);
    EXPECT_EQ(text(), "abc\r\ndef");
    doc.undo();  // reopens
    EXPECT_TRUE(doc.text().insertionGap().open);
    EXPECT_EQ(text(), "a\r\n bc\r\ndef");
    doc.redo();  // closes
    EXPECT_FALSE(doc.text().insertionGap().open);
    EXPECT_EQ(checkInvariants(doc.text()), "");
}

TEST_F(DocTest, ResetEmptiesEverything) {
    type("abc");
    doc.toggleMark(0);
    doc.reset(true);
    EXPECT_EQ(doc.text().size(), 1);
    EXPECT_EQ(doc.text().rowCount(), 1);
    EXPECT_EQ(doc.text().markedRowCount(), 0);
    EXPECT_FALSE(doc.canUndo());
}

TEST(TextCommandIds, DocumentCommandsHaveTheirIds) {
    EXPECT_EQ(cmd::kUndo, 57643);
    EXPECT_EQ(cmd::kRedo, 57644);
    EXPECT_EQ(cmd::kMarkToggle, 32782);
    EXPECT_EQ(cmd::kMarkClearAll, 32785);
    EXPECT_EQ(cmd::kTitleNext, 32985);
    EXPECT_EQ(cmd::kModifiedLast, 33045);
}

}  // namespace
