// Ruled lines: the junction merges, segments cut into rows with tabs and
// double-byte characters, shapes from drags, and erasing.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "display/ColumnWalk.h"
#include "display/RuledLines.h"

using namespace orvex;
using namespace orvex::ruled;

namespace {

uint16_t code(const char* utf8) {
    const std::string s = cp932::fromUtf8(utf8);
    return s.size() == 2 ? uint16_t(uint8_t(s[0]) << 8 | uint8_t(s[1])) : uint8_t(s[0]);
}
std::string utf8(uint16_t c) {
    std::string s;
    if (c > 0xFF) s.push_back(char(c >> 8));
    s.push_back(char(c & 0xFF));
    return cp932::toUtf8(s);
}
std::vector<std::string> toUtf8(const std::vector<std::string>& rows) {
    std::vector<std::string> out;
    for (const std::string& r : rows) out.push_back(cp932::toUtf8(r));
    return out;
}
std::vector<std::string> sjisRows(std::initializer_list<const char*> rows) {
    std::vector<std::string> out;
    for (const char* r : rows) out.push_back(cp932::fromUtf8(r));
    return out;
}
std::vector<std::string_view> views(const std::vector<std::string>& rows) { return {rows.begin(), rows.end()}; }

}  // namespace

TEST(RuledPens, CharactersOfEveryPenAndTheJunctionRange) {
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kMiddle)), "─");
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kTopEnd)), "│");
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kTopLeft)), "┌");
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kTopRight)), "┐");
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kBottomLeft)), "└");
    EXPECT_EQ(utf8(penCharacter(Pen::Thin, kBottomRight)), "┘");
    EXPECT_EQ(utf8(penCharacter(Pen::Thick, kRightEnd)), "━");
    EXPECT_EQ(utf8(penCharacter(Pen::Thick, kVertical)), "┃");
    EXPECT_EQ(utf8(penCharacter(Pen::Thick, kTopLeft)), "┏");
    EXPECT_EQ(utf8(penCharacter(Pen::Thick, kBottomRight)), "┛");
    EXPECT_EQ(penCharacter(Pen::HalfWidth, kLeftEnd), '-');
    EXPECT_EQ(penCharacter(Pen::HalfWidth, kBottomEnd), '|');
    EXPECT_EQ(penCharacter(Pen::HalfWidth, kBottomLeft), '+');
    // The 32 box-drawing characters of the code page are the junctions.
    const std::string all = "─│┌┐┘└├┬┤┴┼━┃┏┓┛┗┣┳┫┻╋┠┯┨┷┿┝┰┥┸╂";
    for (int i = 0; i < 32; ++i) EXPECT_EQ(utf8(uint16_t(kFirstJunction + i)), all.substr(size_t(3 * i), 3)) << i;
    EXPECT_FALSE(isJunction(code("あ")));
}

struct MergeRow {
    const char* existing;
    int stroke;
    Pen pen;
    const char* expected;
};
class Merges : public ::testing::TestWithParam<MergeRow> {};

TEST_P(Merges, CellOverExistingCharacter) {
    const MergeRow& m = GetParam();
    const uint16_t existing = *m.existing ? code(m.existing) : 0;
    EXPECT_EQ(utf8(mergeCell(existing, penCharacter(m.pen, m.stroke), m.stroke, m.pen)), m.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Junctions, Merges,
    ::testing::Values(MergeRow{"─", kVertical, Pen::Thin, "┼"}, MergeRow{"│", kLeftEnd, Pen::Thin, "├"},
                      MergeRow{"│", kMiddle, Pen::Thick, "┿"}, MergeRow{"─", kTopEnd, Pen::Thin, "┬"},
                      MergeRow{"┌", kBottomRight, Pen::Thin, "┼"}, MergeRow{"┐", kRightEnd, Pen::Thin, "┐"},
                      MergeRow{"┃", kMiddle, Pen::Thin, "╂"}, MergeRow{"━", kMiddle, Pen::Thin, "─"},
                      MergeRow{"┏", kBottomRight, Pen::Thick, "╋"}, MergeRow{"─", kMiddle, Pen::Thick, "━"},
                      MergeRow{"╂", kTopLeft, Pen::Thin, "┼"}, MergeRow{"╂", kVertical, Pen::Thick, "╂"},
                      MergeRow{"┨", kRightEnd, Pen::Thick, "╋"}, MergeRow{"┸", kBottomEnd, Pen::Thin, "┴"},
                      // Anything else is replaced by what is drawn.
                      MergeRow{"あ", kMiddle, Pen::Thin, "─"}, MergeRow{"", kTopLeft, Pen::Thick, "┏"},
                      MergeRow{"-", kVertical, Pen::Thin, "│"},
                      // Half-width: "+" where different strokes meet.
                      MergeRow{"|", kMiddle, Pen::HalfWidth, "+"}, MergeRow{"-", kMiddle, Pen::HalfWidth, "-"},
                      MergeRow{"+", kVertical, Pen::HalfWidth, "+"}, MergeRow{"|", kTopEnd, Pen::HalfWidth, "|"},
                      MergeRow{"x", kTopLeft, Pen::HalfWidth, "+"}, MergeRow{"─", kMiddle, Pen::HalfWidth, "-"}));

struct SegmentRow {
    const char* name;
    const char* row;
    int32_t start, end;
    int code;
    Pen pen;
    const char* expected;
};
class Segments : public ::testing::TestWithParam<SegmentRow> {};

TEST_P(Segments, DrawnIntoTheRow) {
    const SegmentRow& s = GetParam();
    EXPECT_EQ(cp932::toUtf8(drawSegment(cp932::fromUtf8(s.row), s.start, s.end, s.code, s.pen, 8)), s.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Segments,
    ::testing::Values(
        SegmentRow{"ShortRowIsPadded", "", 2, 6, kNoCorner, Pen::Thin, "  ───"},
        SegmentRow{"TopOfABox", "abcdefgh", 0, 4, kTopLeft, Pen::Thin, "┌─┐gh"},
        SegmentRow{"BottomOfABoxThick", "", 0, 2, kBottomLeft, Pen::Thick, "┗┛"},
        SegmentRow{"OneCellOfAVerticalLine", "ab", 4, 4, kTopEnd, Pen::Thin, "ab  │"},
        SegmentRow{"HorizontalLineAcrossAVerticalOne", "  │  ", 0, 4, kNoCorner, Pen::Thin, "─┼─"},
        SegmentRow{"DoubleByteCutAtTheStartBecomesABlank", "aあb", 2, 2, kVertical, Pen::Thin, "a │"},
        SegmentRow{"DoubleByteCutAtTheEndBecomesABlank", "あいう", 1, 1, kNoCorner, Pen::HalfWidth, " -いう"},
        SegmentRow{"EndInsideADoubleByteKeepsTheColumnsBehind", "aあいう", 0, 2, kNoCorner, Pen::Thin,
                   "── う"},
        SegmentRow{"TabCutOnBothSidesKeepsItsColumns", "\tX", 2, 4, kNoCorner, Pen::Thin, "  ──  X"},
        SegmentRow{"HalfWidthLineMergesWithBars", "a|b|c", 0, 4, kNoCorner, Pen::HalfWidth, "-+-+-"},
        SegmentRow{"TextBehindTheSegmentStays", "123456789", 2, 4, kNoCorner, Pen::Thin, "12──789"}),
    [](const ::testing::TestParamInfo<SegmentRow>& i) { return std::string(i.param.name); });

TEST(RuledShapes, ShapeFromADragOrdersRowsAndSnapsColumnsToCells) {
    EXPECT_EQ(shapeBetween(5, 7, 2, 2, Pen::Thin), (Shape{2, 5, 2, 6}));
    EXPECT_EQ(shapeBetween(2, 3, 2, 9, Pen::Thick), (Shape{2, 2, 2, 8}));
    EXPECT_EQ(shapeBetween(0, 7, 3, 7, Pen::HalfWidth), (Shape{0, 3, 7, 7}));
    EXPECT_TRUE(shapeBetween(1, 4, 1, 0, Pen::Thin).horizontal());
    EXPECT_TRUE(shapeBetween(1, 4, 3, 5, Pen::Thin).vertical());
    EXPECT_FALSE(shapeBetween(1, 4, 3, 6, Pen::Thin).vertical());
}

TEST(RuledShapes, BoxThenCrossingLinesMakeJunctions) {
    const std::vector<std::string> empty(4);
    const std::vector<std::string> box = drawShape(views(empty), Shape{0, 3, 0, 6}, Pen::Thin, 8);
    EXPECT_EQ(toUtf8(box), (std::vector<std::string>{"┌──┐", "│    │", "│    │", "└──┘"}));
    // A horizontal line through the middle joins both sides.
    std::vector<std::string> rows = box;
    const std::vector<std::string_view> middle{rows[1]};
    rows[1] = drawShape(middle, Shape{1, 1, 0, 6}, Pen::Thin, 8)[0];
    EXPECT_EQ(cp932::toUtf8(rows[1]), "├──┤");
    // A thick vertical line down the middle column.
    const std::vector<std::string> crossed = drawShape(views(rows), Shape{0, 3, 2, 2}, Pen::Thick, 8);
    EXPECT_EQ(toUtf8(crossed), (std::vector<std::string>{"┌┰─┐", "├╂─┤", "│┃  │", "└┸─┘"}));
}

TEST(RuledShapes, EraseClearsTheOutlineOnly) {
    const std::vector<std::string> rows = sjisRows({"┌──┐", "│ab  │", "└──┘"});
    const std::vector<std::string> erased = eraseShape(views(rows), Shape{0, 2, 0, 6}, Pen::Thin, 8);
    EXPECT_EQ(toUtf8(erased), (std::vector<std::string>{"        ", "  ab    ", "        "}));
    // One column wide: every row's cell is erased.
    const std::vector<std::string> bar = sjisRows({"x│y", "x│y", "x│y"});
    EXPECT_EQ(toUtf8(eraseShape(views(bar), Shape{0, 2, 1, 1}, Pen::HalfWidth, 8)),
              (std::vector<std::string>{"x  y", "x  y", "x  y"}));
}

TEST(RuledShapes, RandomSegmentsNeverSplitCharactersOrMoveTheTextBehind) {
    // Rows of ASCII, kanji, half-width kana and TABs with segments of every
    // pen at random places: the output walks cleanly, the segment sits at
    // its columns, and every character after it keeps its column.
    std::mt19937 rng(3401);
    static const char* const kPieces[] = {"a", "\t", "漢", "ｱ", "─", "│", "┼", "-", "|", "+", " "};
    for (int round = 0; round < 3000; ++round) {
        std::string row;
        for (int i = int(rng() % 12); i > 0; --i) row += cp932::fromUtf8(kPieces[rng() % 11]);
        const Pen pen = Pen(rng() % 3);
        const int32_t w = cellWidth(pen);
        const int32_t start = int32_t(rng() % 12) / w * w;
        const int32_t end = start + int32_t(rng() % 4) * w;
        const int code = round % 2 ? kNoCorner : int(rng() % 10);
        const std::string out = round % 5 ? drawSegment(row, start, end, code, pen, 4) : eraseSegment(row, start, end, pen, 4);
        SCOPED_TRACE(testing::PrintToString(cp932::toUtf8(row)) + " -> " + testing::PrintToString(cp932::toUtf8(out)));
        const auto* o = reinterpret_cast<const uint8_t*>(out.data());
        // Columns of every character start of the output.
        std::vector<std::pair<int32_t, int32_t>> starts;  // byte, column
        int32_t col = 0;
        for (int32_t i = 0; i < int32_t(out.size());) {
            starts.push_back({i, col});
            const int32_t len = o[i] == '\t' ? 1 : sjis::stepWithin(o + i, int32_t(out.size()) - i);
            col = o[i] == '\t' ? sjis::nextTabStop(col, 4) : col + len;
            i += len;
        }
        // The segment's cells start at their columns.
        for (int32_t c = start; c <= end; c += w) {
            bool found = false;
            for (auto [b, sc] : starts) found = found || sc == c;
            ASSERT_TRUE(found) << "cell at column " << c;
        }
        // Every character of the input behind the segment is at its column.
        const auto* in = reinterpret_cast<const uint8_t*>(row.data());
        int32_t icol = 0;
        for (int32_t i = 0; i < int32_t(row.size());) {
            const int32_t len = in[i] == '\t' ? 1 : sjis::stepWithin(in + i, int32_t(row.size()) - i);
            if (icol >= end + w) {
                bool found = false;
                for (auto [b, sc] : starts)
                    found = found || (sc == icol && out.compare(size_t(b), size_t(len), row, size_t(i), size_t(len)) == 0);
                ASSERT_TRUE(found) << "character at column " << icol;
            }
            icol = in[i] == '\t' ? sjis::nextTabStop(icol, 4) : icol + len;
            i += len;
        }
    }
}
