// The undo history: positions, the redo tail, dropping old records within
// the byte limit, and the saved position.
#include <gtest/gtest.h>

#include <string>

#include "text/UndoHistory.h"

using namespace orvex;
using namespace orvex::undokind;

namespace {

void add(UndoHistory& h, int32_t kind, const std::string& bytes, int32_t offset = 0, int32_t row = 0) {
    ASSERT_TRUE(h.add(kind, row, offset, bytes.data(), int32_t(bytes.size())));
}

std::string bytesOf(const UndoStep& s) { return std::string(s.bytes, size_t(s.length)); }

TEST(UndoHistory, StepsBackAndForward) {
    UndoHistory h;
    EXPECT_FALSE(h.canUndo());
    add(h, kInsert, "ab", 0, 3);
    add(h, kDelete, "c", 2, 4);
    EXPECT_EQ(h.position(), 2);
    EXPECT_EQ(h.count(), 2);
    EXPECT_EQ(h.bytesUsed(), 3);
    EXPECT_EQ(h.lastChangeRow(), 4);
    auto s = h.stepBack();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->kind, kDelete);
    EXPECT_EQ(bytesOf(*s), "c");
    EXPECT_EQ(h.position(), 1);
    EXPECT_TRUE(h.canRedo());
    EXPECT_EQ(h.lastChangeRow(), 3);
    s = h.stepBack();
    EXPECT_EQ(bytesOf(*s), "ab");
    EXPECT_FALSE(h.stepBack());
    EXPECT_EQ(h.lastChangeRow(), -1);
    s = h.stepForward();
    EXPECT_EQ(s->row, 3);
    EXPECT_EQ(h.position(), 1);
}

TEST(UndoHistory, AddingDiscardsTheRedoTail) {
    UndoHistory h;
    add(h, kInsert, "aaa");
    add(h, kInsert, "bb");
    add(h, kInsert, "c");
    h.stepBack();
    h.stepBack();
    add(h, kDelete, "zzzz");
    EXPECT_EQ(h.count(), 2);
    EXPECT_EQ(h.position(), 2);
    EXPECT_EQ(h.bytesUsed(), 7);
    EXPECT_EQ(h.record(1).bytesOffset, 3);
    EXPECT_FALSE(h.canRedo());
}

TEST(UndoHistory, OldestRecordsAreDroppedToStayBelowTheLimit) {
    UndoHistory h(20);
    add(h, kReplaceDelete, "0123");   // a pair: dropped together
    add(h, kReplaceInsert, "45");
    add(h, kInsert, "6789");
    add(h, kInsert, "abcd");
    EXPECT_EQ(h.bytesUsed(), 14);
    EXPECT_FALSE(h.truncated());
    add(h, kInsert, "efghij");  // 14 + 6 = 20 >= 20: drop the pair
    EXPECT_TRUE(h.truncated());
    EXPECT_EQ(h.count(), 3);
    EXPECT_EQ(h.position(), 3);
    EXPECT_EQ(h.bytesUsed(), 14);
    EXPECT_EQ(h.record(0).bytesOffset, 0);
    EXPECT_EQ(h.record(2).bytesOffset, 8);
    EXPECT_EQ(bytesOf(*h.stepBack()), "efghij");
    EXPECT_EQ(bytesOf(*h.stepBack()), "abcd");
    EXPECT_EQ(bytesOf(*h.stepBack()), "6789");
    EXPECT_FALSE(h.stepBack());
}

TEST(UndoHistory, DroppingLowersThePositionNotBelowZero) {
    UndoHistory h(10);
    add(h, kInsert, "aaaa");
    add(h, kInsert, "bbbb");
    add(h, kInsert, "cccccccc");  // everything older goes
    EXPECT_EQ(h.count(), 1);
    EXPECT_EQ(h.position(), 1);
    EXPECT_EQ(h.bytesUsed(), 8);
    EXPECT_TRUE(h.truncated());
}

TEST(UndoHistory, LoneReplaceHalfIsDroppedAlone) {
    UndoHistory h(6);
    add(h, kReplaceDelete, "abc");
    add(h, kInsert, "xyz");  // 3 + 3 >= 6: only one record exists before
    EXPECT_EQ(h.count(), 1);
    EXPECT_EQ(bytesOf(*h.peekBack()), "xyz");
}

TEST(UndoHistory, RealLimits) {
    UndoHistory h;
    const std::string big(size_t(UndoHistory::kMaxRecordBytes) - 10, 'x');
    add(h, kInsert, big);
    add(h, kInsert, "0123456789");  // 67,108,853 + 10 < 67,108,864: kept
    EXPECT_EQ(h.count(), 2);
    EXPECT_FALSE(h.truncated());
    add(h, kInsert, "a");  // 67,108,863 + 1 >= 67,108,864: the big one goes
    EXPECT_EQ(h.count(), 2);
    EXPECT_TRUE(h.truncated());
    EXPECT_EQ(h.bytesUsed(), 11);
}

TEST(UndoHistory, ChangeTooLongForARecordDropsTheHistory) {
    UndoHistory h(16);
    add(h, kInsert, "abc");
    const std::string longer(16, 'y');
    EXPECT_FALSE(h.add(kInsert, 0, 0, longer.data(), int32_t(longer.size())));
    EXPECT_EQ(h.count(), 0);
    EXPECT_TRUE(h.truncated());
    EXPECT_FALSE(h.atSavedState());
}

TEST(UndoHistory, SavedPosition) {
    UndoHistory h;
    EXPECT_TRUE(h.atSavedState());
    add(h, kInsert, "a");
    add(h, kInsert, "b");
    h.markSaved();
    EXPECT_TRUE(h.atSavedState());
    h.stepBack();
    EXPECT_FALSE(h.atSavedState());
    h.stepForward();
    EXPECT_TRUE(h.atSavedState());
    // Undo below the saved state and edit: the saved state is gone for good,
    // even when the position later equals the old saved position.
    h.stepBack();
    h.stepBack();
    add(h, kInsert, "c");
    add(h, kInsert, "d");
    EXPECT_EQ(h.position(), 2);
    EXPECT_FALSE(h.atSavedState());
    EXPECT_EQ(h.savedPosition(), -1);
    h.clear();
    EXPECT_TRUE(h.atSavedState());
    EXPECT_EQ(h.bytesUsed(), 0);
}

}  // namespace
