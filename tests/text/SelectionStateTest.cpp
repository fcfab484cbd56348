// A view's selection state: start and end in text order whatever the
// updates do, anchor ranges (word and line selections) kept whole, the box
// rectangle and the box's row parts, which never split a double-byte
// character.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/codepage/Cp932.h"
#include "text/CursorSteps.h"
#include "text/SelectionState.h"
#include "text/TextStore.h"

using namespace orvex;

namespace {

TextPosition at(int32_t row, int32_t column) { return {row, column, column}; }

bool notAfter(const TextPosition& a, const TextPosition& b) { return !nav::before(b, a); }

// What the selection must always cover: the moving end and the whole
// anchor, with start and end in text order.
void expectCovers(const SelectionState& s) {
    EXPECT_TRUE(notAfter(s.start(), s.moving()));
    EXPECT_TRUE(notAfter(s.moving(), s.end()));
    EXPECT_TRUE(notAfter(s.start(), s.anchorStart()));
    if (s.anchorIsRange()) {
        EXPECT_TRUE(notAfter(s.anchorEnd(), s.end()));
    } else {
        EXPECT_TRUE(notAfter(s.anchorStart(), s.end()));
    }
}

TEST(SelectionState, StartAndEndStayOrderedWhateverTheUpdates) {
    std::mt19937 rng(11);
    auto pos = [&] { return TextPosition{int32_t(rng() % 4), int32_t(rng() % 6), int32_t(rng() % 8)}; };
    SelectionState s;
    for (int step = 0; step < 2000; ++step) {
        switch (rng() % 6) {
        case 0: s.collapseTo(pos()); break;
        case 1: {
            TextPosition a = pos(), b = pos();
            if (nav::before(b, a)) std::swap(a, b);
            s.set(a, b, pos());
            break;
        }
        case 2: s.setMoving(pos()); break;
        case 3: s.extendTo(pos(), rng() % 2 == 0, int32_t(rng() % 10)); break;
        case 4: s.settle(pos()); break;
        case 5: s.setRange(pos()); break;
        }
        SCOPED_TRACE(step);
        expectCovers(s);
        if (HasFailure()) return;
    }
}

TEST(SelectionState, OrderedEvenWhenClampedAnchorsMeetReversed) {
    // Anchors clamped into fewer rows may land on one row in either order.
    SelectionState s;
    s.set(at(4, 6), at(4, 2), at(4, 4));
    expectCovers(s);
    s.setMoving(at(4, 1));
    expectCovers(s);
    s.setMoving(at(4, 9));
    expectCovers(s);
}

TEST(SelectionState, AnchorRangeStaysWholeWhileDragging) {
    // A double-clicked word at columns 4..8 of row 0.
    SelectionState s;
    s.set(at(0, 4), at(0, 8), at(0, 8));
    ASSERT_TRUE(s.anchorIsRange());

    // Backwards: from the cursor to the end of the word.
    s.extendTo(at(0, 1), false, 0);
    EXPECT_EQ(s.start(), at(0, 1));
    EXPECT_EQ(s.end(), at(0, 8));
    // Inside the word: the whole word, the moving end at its end.
    s.extendTo(at(0, 6), false, 0);
    EXPECT_EQ(s.moving(), at(0, 8));
    EXPECT_EQ(s.start(), at(0, 4));
    EXPECT_EQ(s.end(), at(0, 8));
    // Forwards: from the word's start to the cursor.
    s.extendTo(at(1, 2), false, 0);
    EXPECT_EQ(s.start(), at(0, 4));
    EXPECT_EQ(s.end(), at(1, 2));
}

TEST(SelectionState, SettlingKeepsWhatWasShown) {
    struct Row {
        TextPosition cursor;
        TextPosition start, end, newCursor;
    } rows[] = {
        {at(0, 1), at(0, 1), at(0, 8), at(0, 1)},  // dragged backwards
        {at(0, 6), at(0, 4), at(0, 8), at(0, 8)},  // inside the word
        {at(1, 2), at(0, 4), at(1, 2), at(1, 2)},  // dragged forwards
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cursor.byteColumn);
        SelectionState s;
        s.set(at(0, 4), at(0, 8), at(0, 8));
        s.extendTo(r.cursor, false, 0);
        const TextPosition cursor = s.settle(r.cursor);
        EXPECT_FALSE(s.anchorIsRange());
        EXPECT_EQ(s.start(), r.start);
        EXPECT_EQ(s.end(), r.end);
        EXPECT_EQ(cursor, r.newCursor);
        EXPECT_EQ(s.moving(), r.newCursor);
    }
}

TEST(SelectionState, SettlingWithoutARangeLeavesTheCursor) {
    SelectionState s;
    s.collapseTo(at(2, 3));
    s.extendTo(at(2, 7), false, 0);
    EXPECT_EQ(s.settle(at(2, 7)), at(2, 7));
    EXPECT_EQ(s.anchorStart(), at(2, 3));
}

TEST(SelectionState, SetRangeOrdersAnchorAndCursor) {
    SelectionState s;
    s.collapseTo(at(2, 5));
    EXPECT_EQ(s.setRange(at(1, 3)), at(1, 3));  // the cursor goes to the start
    EXPECT_EQ(s.anchorStart(), at(1, 3));
    EXPECT_EQ(s.anchorEnd(), at(2, 5));
    EXPECT_EQ(s.moving(), at(2, 5));

    s.collapseTo(at(1, 3));
    EXPECT_EQ(s.setRange(at(2, 0)), at(1, 3));
    EXPECT_EQ(s.anchorEnd(), at(2, 0));
    EXPECT_EQ(s.end(), at(2, 0));
}

TEST(SelectionState, BoxKeepsTheDesiredColumnOnShorterRows) {
    SelectionState s;
    s.collapseTo(at(0, 2));
    // The cursor stopped at column 1 of a short row; the box goes on to 6.
    s.extendTo(at(1, 1), true, 6);
    EXPECT_EQ(s.boxRect(), (BoxRect{0, 1, 2, 6}));
    EXPECT_TRUE(s.any());
    // On the anchor's own row the cursor's column counts.
    s.extendTo(at(0, 5), true, 9);
    EXPECT_EQ(s.boxRect(), (BoxRect{0, 0, 2, 5}));
    // Upwards and leftwards the rectangle is still top-left to bottom-right.
    s.collapseTo(at(3, 7));
    s.extendTo(at(1, 2), false, 0);
    EXPECT_EQ(s.boxRect(), (BoxRect{1, 3, 2, 7}));
}

TEST(SelectionState, ViewBoxFlagOutlivesACollapse) {
    SelectionState s;
    s.setViewBox(true);
    s.collapseTo(at(1, 1));
    EXPECT_TRUE(s.viewBox());
    EXPECT_FALSE(s.any());
}

// ---- Box row parts

class BoxParts : public ::testing::Test {
protected:
    void setText(const std::string& utf8) {
        t.setLayout(LayoutOptions{}, 80);  // TABs every 4 columns
        ASSERT_TRUE(t.setText(cp932::fromUtf8(utf8)));
        t.layoutAll();
    }
    void setBytes(const std::string& sjis) {
        t.setLayout(LayoutOptions{}, 80);
        ASSERT_TRUE(t.setText(sjis));
        t.layoutAll();
    }
    std::vector<BoxRowPart> parts(BoxRect box) { return SelectionState::boxRowParts(t, box, t.rowCount()); }
    TextStore t;
};

TEST_F(BoxParts, DoubleByteCharactersAreNeverSplit) {
    // Columns: a 0, あ 1-2, い 3-4, b 5; bytes: a 0, あ 1-2, い 3-4, b 5.
    setText("aあいb");
    struct Row {
        int32_t left, right, from, to;
    } rows[] = {
        {2, 4, 3, 5},  // あ starts left of the box: out; い starts inside: in
        {1, 2, 1, 3},  // あ starts inside, though it reaches past the right edge
        {2, 3, 3, 3},  // nothing starts inside: empty, where the walk stopped
        {0, 6, 0, 6},
        {5, 9, 5, 6},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.left << ".." << r.right);
        const auto p = parts({0, 0, r.left, r.right});
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0], (BoxRowPart{0, r.from, r.to}));
    }
}

TEST_F(BoxParts, TabsShortRowsAndLoneLeadBytes) {
    // Row 0: TAB to column 4, then x; row 1: "ab"; row 2: a lead byte
    // before the line end (one column, never taking the CR); row 3: "xyz".
    setBytes(std::string("\tx\rab\ra\x82\rxyz"));
    ASSERT_EQ(t.rowCount(), 4);
    const auto p = parts({0, 3, 1, 5});
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0], (BoxRowPart{0, 1, 2}));  // the TAB starts at 0: out; x at 4: in
    EXPECT_EQ(p[1], (BoxRowPart{1, 1, 2}));
    EXPECT_EQ(p[2], (BoxRowPart{2, 1, 2}));  // the lone lead byte, not the CR
    EXPECT_EQ(p[3], (BoxRowPart{3, 1, 3}));

    const auto beyond = parts({1, 1, 5, 8});  // right of the row's end
    ASSERT_EQ(beyond.size(), 1u);
    EXPECT_EQ(beyond[0], (BoxRowPart{1, 2, 2}));
}

TEST_F(BoxParts, OnlyRowsThatAreAvailable) {
    setText("a\rb\rc\rd");
    ASSERT_EQ(t.rowCount(), 4);
    const auto p = SelectionState::boxRowParts(t, {1, 9, 0, 1}, 3);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].row, 1);
    EXPECT_EQ(p[1].row, 2);
}

}  // namespace
