// Runs of equal attribute over the visible part of a row, with horizontal
// scrolling that never splits a double-byte character.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "display/RowRuns.h"

namespace orvex {
namespace {

using test::RowFixture;

struct Span {
    int32_t cell, length, column;
    uint8_t attribute;
    friend bool operator==(const Span&, const Span&) = default;
};

std::vector<Span> spansOf(const RowRuns& runs) {
    std::vector<Span> out;
    for (const AttrRun& r : runs.runs()) out.push_back({r.cell, r.length, r.column, r.attribute});
    return out;
}

TEST(RowRuns, EqualAttributesFormOneRunWithTheirColours) {
    RowFixture f;
    f.build("if x");
    RowRuns runs;
    runs.build(f.row, f.colours, 0, 80);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{0, 2, 0, attr::kKeyword1}, {2, 3, 2, attr::kText}}));
    EXPECT_EQ(runs.runs()[0].foreground, f.colours.colour(ColourSlot::Text3));
    EXPECT_EQ(runs.runs()[0].background, f.colours.colour(ColourSlot::Window));

    f.view.caretRow = 0;
    f.build("if x");
    runs.build(f.row, f.colours, 0, 80);
    const uint8_t bk = attr::kCaretBackground;
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{0, 2, 0, uint8_t(attr::kKeyword1 | bk)},
                                                {2, 3, 2, uint8_t(attr::kCaretLine | bk)}}));
    EXPECT_EQ(runs.runs()[0].background, f.colours.colour(ColourSlot::CurLineBk));
    EXPECT_EQ(runs.runs()[1].foreground, f.colours.colour(ColourSlot::CurLine));
}

TEST(RowRuns, AHalfVisibleDoubleByteCharacterStartsOneColumnLeft) {
    RowFixture f;
    f.build("aあb");  // cells: a あ あ b CR
    RowRuns runs;
    runs.build(f.row, f.colours, 2, 80);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{1, 4, -1, 0}}));
    runs.build(f.row, f.colours, 1, 80);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{1, 4, 0, 0}}));
    runs.build(f.row, f.colours, 3, 80);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{3, 2, 0, 0}}));
    EXPECT_EQ(runs.screenColumn(4), 1);
}

TEST(RowRuns, ADoubleByteCharacterCutByTheRightEdgeIsTakenWhole) {
    RowFixture f;
    f.build("aあb");
    RowRuns runs;
    runs.build(f.row, f.colours, 0, 2);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{0, 3, 0, 0}}));
    runs.build(f.row, f.colours, 0, 1);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{0, 1, 0, 0}}));
}

TEST(RowRuns, NothingBeyondTheRowOrWithoutColumns) {
    RowFixture f;
    f.build("ab");
    RowRuns runs;
    runs.build(f.row, f.colours, 3, 80);
    EXPECT_TRUE(runs.runs().empty());
    runs.build(f.row, f.colours, 0, 0);
    EXPECT_TRUE(runs.runs().empty());
}

TEST(RowRuns, RunsNeverSplitACharacterAcrossAttributes) {
    RowFixture f;
    f.view.highlight = "b";
    f.build("あbい");  // cells: あ あ b い い CR
    RowRuns runs;
    runs.build(f.row, f.colours, 0, 80);
    EXPECT_EQ(spansOf(runs), (std::vector<Span>{{0, 2, 0, 0}, {2, 1, 2, attr::kFound}, {3, 3, 3, 0}}));
    // Every run starts and ends on a character boundary.
    for (const AttrRun& r : runs.runs()) {
        EXPECT_NE(f.row.kind(r.cell), RowAttributes::kTrail);
        EXPECT_NE(f.row.kind(r.cell + r.length - 1), RowAttributes::kLead);
    }
}

}  // namespace
}  // namespace orvex
