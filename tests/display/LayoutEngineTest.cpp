// Line layout: tabs, wrapping, double-byte characters, line ends and the
// line-breaking rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "common/parallel/SplitWork.h"

#include "display/LayoutEngine.h"
#include "tests/display/LayoutTestSupport.h"

using namespace orvex;
using namespace orvex::test;
using Rows = std::vector<std::string>;

namespace {

struct Case {
    const char* name;
    const char* text;
    int wrap;
    bool kinsoku;
    bool wordWrap;
    Rows expected;
};

class WrapCases : public ::testing::TestWithParam<Case> {};

TEST_P(WrapCases, RowsAsExpected) {
    const Case& c = GetParam();
    LayoutOptions o;
    o.kinsoku = c.kinsoku;
    o.wordWrap = c.wordWrap;
    EXPECT_EQ(describe(layOut(c.text, o, c.wrap)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, WrapCases,
    ::testing::Values(
        // A line of exactly W columns does not fit with its line-end mark.
        Case{"ExactlyWKinsokuOff", "abcdefghij", 10, false, false, {"abcdefghij/10", "$/1"}},
        Case{"ExactlyWKinsokuOn", "abcdefghij", 10, true, false, {"abcdefghij$/11"}},
        Case{"ExactlyWLineEndHangs", "abcdefghij\r\nx", 10, true, false, {"abcdefghij$/11", "x$/2"}},
        Case{"OneShortOfWFits", "abcdefghi", 10, false, false, {"abcdefghi$/10"}},
        // A double-byte character needing the last column and one beyond
        // starts the next row; the row ends one column short.
        Case{"DoubleByteNotSplit", "abcdefghiあ", 10, false, false, {"abcdefghi/9", "あ$/3"}},
        // The full stop that would start the second row hangs, although it
        // costs 2 of a budget of 1.
        Case{"HangingFullStop", "あいうえお。かき", 10, true, false, {"あいうえお。/12", "かき$/5"}},
        Case{"NoHangingWithoutKinsoku", "あいうえお。かき", 10, false, false, {"あいうえお/10", "。かき$/7"}},
        // An opening bracket never ends a row.
        Case{"OpeningBracketMoves", "あいうえ「かき」", 10, true, false, {"あいうえ/8", "「かき」$/9"}},
        Case{"OpeningBracketStaysWithoutKinsoku", "あいうえ「かき」", 10, false, false, {"あいうえ「/10", "かき」$/7"}},
        // A hung character followed by the line end takes the line end along.
        Case{"HungCharacterTakesLineEnd", "あいうえお。\r\nか", 10, true, false, {"あいうえお。$/13", "か$/3"}},
        Case{"HalfWidthPunctuationHangs", "abcdefghij,k", 10, true, false, {"abcdefghij,/11", "k$/2"}},
        // Only characters of the no-line-start set hang.
        Case{"OtherCharacterDoesNotHang", "abcdefghijk", 10, true, false, {"abcdefghij/10", "k$/2"}},
        // Word wrap keeps ASCII words whole.
        Case{"WordWrapMovesWord", "hello world", 10, false, true, {"hello /6", "world$/6"}},
        Case{"WordWrapLongWordBrokenAtW", "abcdefghijklmno", 10, false, true, {"abcdefghij/10", "klmno$/6"}},
        Case{"WordWrapDigitsAreTheirOwnWords", "abc 1234567890123", 10, false, true, {"abc /4", "1234567890/10", "123$/4"}},
        Case{"WordWrapLetterRunAfterDigits", "x12345abcdefg", 10, false, true, {"x12345/6", "abcdefg$/8"}},
        Case{"WordWrapOffBreaksInWord", "hello world", 10, false, false, {"hello worl/10", "d$/2"}},
        // With both rules, the no-line-end rule is tried first.
        Case{"KinsokuBeforeWordWrap", "abcdefghi(jk", 10, true, true, {"abcdefghi/9", "(jk$/4"}},
        // The row is cut by the character that holds column W; whether byte
        // W - 1 starts a character depends on the run of lead-byte values
        // before it (亜 is 0x88 0x9F: both bytes are lead-byte values).
        Case{"DoubleByteEndsAtW", "あいうえおか", 10, false, false, {"あいうえお/10", "か$/3"}},
        Case{"LeadValueRunEvenBeforeLastColumn", "a亜亜亜亜亜", 10, false, false, {"a亜亜亜亜/9", "亜$/3"}},
        Case{"LeadValueRunOddBeforeLastColumn", "亜亜亜亜亜亜", 10, false, false, {"亜亜亜亜亜/10", "亜$/3"}},
        Case{"LeadValueRunThenSingleByteAtW", "亜亜亜亜abc", 10, false, false, {"亜亜亜亜ab/10", "c$/2"}},
        Case{"EmptyText", "", 10, false, false, {"$/1"}},
        Case{"TrailingLineEnd", "ab\r\n", 10, false, false, {"ab$/3", "$/1"}},
        Case{"FormFeedEndsLine", "a\fb", 10, false, false, {"a$/2", "b$/2"}},
        Case{"LongLineManyRows", "abcdefghijabcdefghijabcde", 10, false, false,
             {"abcdefghij/10", "abcdefghij/10", "abcde$/6"}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(LayoutTabs, TabAdvancesToTheNextStop) {
    LayoutOptions o;
    o.tabStops = 16;  // 4 columns
    EXPECT_EQ(describe(layOut("abc\tx", o, 80)), (Rows{"abc\tx$/6"}));
    o.tabStops = 32;  // 8 columns
    EXPECT_EQ(describe(layOut("abc\tx", o, 80)), (Rows{"abc\tx$/10"}));
    o.tabStops = 16;
    EXPECT_EQ(describe(layOut("abcd\tx", o, 80)), (Rows{"abcd\tx$/10"}));
}

TEST(LayoutTabs, TabsExpandFromEachRowStart) {
    LayoutOptions o;  // tab width 4
    // "abcdefgh\t" reaches column 12 >= W = 10: the row ends after the tab.
    EXPECT_EQ(describe(layOut("abcdefgh\tij\tk", o, 10)), (Rows{"abcdefgh\t/12", "ij\tk$/6"}));
}

TEST(LayoutTabs, TabInAnEarlierBlockOfALongLineStillCounts) {
    // Lines are searched 64 bytes at a time: a TAB must count whichever
    // block it lies in, for every position of the line against the blocks.
    LayoutOptions o;  // tab width 4
    for (int lead = 0; lead < 64; lead += 7) {
        for (int len : {63, 64, 65, 127, 128, 129, 140}) {
            for (int at : {0, 1, 62, 63, 64, 65, len - 1}) {
                if (at >= len) continue;
                std::string line(size_t(len), 'a');
                line[size_t(at)] = '\t';
                const std::string text = std::string(size_t(lead), 'x') + "\r\n" + line + "\r\nz";
                const int width = (at / 4 + 1) * 4 + (len - at - 1) + 1;
                const Laid laid = layOut(text, o, 200);
                ASSERT_EQ(laid.rows.size(), 3u) << lead << " " << len << " " << at;
                EXPECT_EQ(laid.rows[1].width, width) << lead << " " << len << " " << at;
            }
        }
    }
}

TEST(LayoutTabs, TabWidthOutsideTheDialogRangeIsClamped) {
    LayoutOptions o;
    o.tabStops = 0;
    EXPECT_EQ(o.tabWidth(), 1);
    o.tabStops = 1000;
    EXPECT_EQ(o.tabWidth(), 16);
}

TEST(LayoutLineEnds, CrFollowedByLfsIsOneLineEnd) {
    Laid l = layOut("a\r\n\nb", LayoutOptions{}, 80);
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0], (Row{0, 0, 2, 2, 0}));
    EXPECT_EQ(l.rows[1], (Row{1, 4, 2, 2, 0}));
}

TEST(LayoutLineEnds, LoneLfBecomesCrAndEndsItsOwnLine) {
    Laid l = layOut("a\nb", LayoutOptions{}, 80);
    EXPECT_EQ(l.text, std::string("a\rb\0", 4));
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[1].offset, 2);
    // Each LF of a run without CR is a line of its own (an empty line stays).
    Laid two = layOut("a\n\nb", LayoutOptions{}, 80);
    EXPECT_EQ(two.text, std::string("a\r\rb\0", 5));
    EXPECT_EQ(describe(two), (Rows{"a$/2", "$/1", "b$/2"}));
    Laid lead = layOut("\nx", LayoutOptions{}, 80);
    EXPECT_EQ(describe(lead), (Rows{"$/1", "x$/2"}));
}

TEST(LayoutLineEnds, LineNumbersAndOffsetsCoverTheText) {
    Laid l = layOut("abcdefghijkl\r\n\r\nxy\fz", LayoutOptions{}, 10);
    const std::vector<Row> expected = {
        {0, 0, 10, 10, rowflag::kSoftWrap}, {0, 10, 3, 3, 0}, {1, 14, 1, 1, 0}, {2, 16, 3, 3, 0}, {3, 19, 2, 2, 0}};
    EXPECT_EQ(l.rows, expected);
}

TEST(LayoutLineEnds, StrayLeadByteBeforeALineEndStandsAlone) {
    // 0x82 is a lead byte; it may not swallow the CR, and no byte changes.
    std::string text = "ab\x82\r\ncd";
    Laid l = layOutSjis(text, LayoutOptions{}, 80);
    EXPECT_EQ(l.text, text + std::string(1, '\0'));
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0], (Row{0, 0, 4, 4, 0}));
    EXPECT_EQ(l.rows[1].offset, 5);
}

TEST(LayoutKinsoku, HangLimitAllowsSeveralCharacters) {
    LayoutOptions o = kinsokuOn();
    o.kinsokuWrap = 4;
    EXPECT_EQ(describe(layOut("あいうえお。」かき", o, 10)), (Rows{"あいうえお。」/14", "かき$/5"}));
    o.kinsokuWrap = 0;  // below 1 counts as 1
    EXPECT_EQ(describe(layOut("あいうえお。」かき", o, 10)), (Rows{"あいうえお。/12", "」かき$/7"}));
}

TEST(LayoutKinsoku, LastLineOfTheTextHangsItsEndLikeAnyOther) {
    EXPECT_EQ(describe(layOut("x\r\nabcdefghij", kinsokuOn(), 10)), (Rows{"x$/2", "abcdefghij$/11"}));
}

TEST(LayoutKinsoku, CustomSetsAreRespected) {
    LayoutOptions o = kinsokuOn();
    o.kinsokuStr1 = "x";
    o.kinsokuStr2 = "";
    EXPECT_EQ(describe(layOut("abcdefghijxy", o, 10)), (Rows{"abcdefghijx/11", "y$/2"}));
    EXPECT_EQ(describe(layOut("abcdefghi(jk", o, 10)), (Rows{"abcdefghi(/10", "jk$/3"}));
}

TEST(LayoutKinsoku, RowOfOneUnbreakableCharacterIsKept) {
    // A tab wider than W is the only character of its row; the no-line-end
    // rule may not empty the row.
    LayoutOptions o = kinsokuOn();
    o.tabStops = 64;  // 16 columns
    o.kinsokuStr2 = "\t";
    EXPECT_EQ(describe(layOut("\tab", o, 10)), (Rows{"\t/16", "ab$/3"}));
}

TEST(LayoutClasses, PrefixSetsClassOnEveryRowOfTheLine) {
    LayoutOptions o;
    o.ttwdSel = {1, 1, 1, 1};
    o.classColours = {0xFF, 0xFF00, 0xFF0000, 0x00FFFF};
    o.titleStr[0] = "#";
    o.titleStr[4] = "##";
    o.titleStr[9] = cp932::fromUtf8("■");
    Laid l = layOut("## heading that wraps\r\nplain\r\n■x\r\n", o, 10);
    ASSERT_EQ(l.rows.size(), 6u);
    // "##" matches class 1's "#" first: class 1 wins over class 2.
    EXPECT_EQ(l.rows[0].flags & rowflag::kClassMask, 0x100);
    EXPECT_EQ(l.rows[1].flags & rowflag::kClassMask, 0x100);
    EXPECT_EQ(l.rows[2].flags & rowflag::kClassMask, 0x100);
    EXPECT_EQ(l.rows[3].flags & rowflag::kClassMask, 0);
    EXPECT_EQ(l.rows[4].flags & rowflag::kClassMask, 0x400);
    EXPECT_EQ(l.rows[5].flags & rowflag::kClassMask, 0);  // the empty last line
}

TEST(LayoutClasses, DisabledClassesAndEmptyPrefixesNeverMatch) {
    LayoutOptions o;
    o.titleStr[0] = "#";
    EXPECT_EQ(layOut("#x", o, 80).rows[0].flags & rowflag::kClassMask, 0);  // colour not set
    o.classColours[0] = 0xFF;
    o.ttwdSel[0] = 0;
    EXPECT_EQ(layOut("#x", o, 80).rows[0].flags & rowflag::kClassMask, 0);  // TTwdSel1 off
    o.ttwdSel[0] = -1;  // on because the colour is set
    EXPECT_EQ(layOut("#x", o, 80).rows[0].flags & rowflag::kClassMask, 0x100);
    o.titleStr[0] = "#xy";  // longer than the line's content
    EXPECT_EQ(layOut("#x\r\n", o, 80).rows[0].flags & rowflag::kClassMask, 0);
}

TEST(LayoutRestart, LayingOutFromALineStartGivesTheSameRows) {
    // The incremental layout starts at any line start with the line number
    // and comment state of that point.
    LayoutOptions o = kinsokuOn();
    o.commentColour = 0x00FF00;
    o.cmntSel = 1;
    std::string text = cp932::fromUtf8("a /* b\r\nあいうえおかきくけこさし\r\n*/ c // d\r\ne");
    text.push_back('\0');
    LayoutEngine engine(o, 10);
    RowBuffer all;
    engine.layout(reinterpret_cast<uint8_t*>(text.data()), int32_t(text.size()), 0, int32_t(text.size()), 0,
                  CommentState::None, all);
    RowBuffer tail;
    const LayoutStop stop = engine.layout(reinterpret_cast<uint8_t*>(text.data()), int32_t(text.size()), all[1].offset,
                                          all[4].offset, 1, CommentState::Block, tail);
    EXPECT_EQ(stop.offset, all[4].offset);
    EXPECT_EQ(stop.line, 2);
    ASSERT_EQ(tail.size(), 3u);
    for (size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(tail[i], all[i + 1]) << i;
}

}  // namespace

// --- the whole text on two threads --------------------------------------

namespace {

// Text dense with what the split must respect: CR LF LF runs, lone LFs,
// FF, TABs, long lines that wrap, double-byte characters, stray lead bytes
// before line ends, and line-start class prefixes.
std::string splitTestText(std::mt19937& rng, size_t pieces) {
    static const char* const kPieces[] = {"\r\n", "\r\n\n", "\n", "\r", "\f", "\n\n", "ab cd ", "\t", "#x ",
                                          "\x81\r", "\x82\xA0\x82\xA2", "\x81\x42", "\x81\x41", "word ",
                                          "abcdefghijklmnopqrstuvwxyz0123456789"};
    std::string s;
    for (size_t i = 0; i < pieces; ++i) s += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    return s;
}

std::vector<Row> laidOutWhole(const LayoutEngine& engine, std::string& text) {
    RowBuffer rows;
    engine.layoutAll(reinterpret_cast<uint8_t*>(text.data()), int32_t(text.size()), rows);
    return {rows.begin(), rows.end()};
}

}  // namespace

TEST(LayoutSplit, TwoThreadsGiveTheRowsAndTextOfOneWalk) {
    // The same texts laid out in one walk and split in two at every size
    // from a few bytes up: equal rows (offsets, lengths, widths, line
    // numbers, flags) and equal text after the lone LFs became CRs.
    std::mt19937 rng(9071);
    for (int round = 0; round < 600; ++round) {
        LayoutOptions o = round % 2 ? kinsokuOn() : LayoutOptions{};
        o.wordWrap = round % 3 == 0;
        if (round % 5 == 0) o.titleStr[0] = "#x";
        const LayoutEngine engine(o, 4 + int32_t(rng() % 60));
        std::string text = splitTestText(rng, 1 + rng() % 400);
        if (round % 11 == 0) text.push_back('\x81');  // a lead byte before the terminator
        text.push_back('\0');
        std::string split = text;
        SCOPED_TRACE(testing::PrintToString(text));
        std::vector<Row> one, two;
        {
            orvex::parallel::ScopedSplitThreshold never(SIZE_MAX);
            one = laidOutWhole(engine, text);
        }
        {
            orvex::parallel::ScopedSplitThreshold always(1);
            two = laidOutWhole(engine, split);
        }
        ASSERT_EQ(two, one);
        ASSERT_EQ(split, text);
    }
}

TEST(LayoutSplit, CommentTrackingKeepsTheSingleWalk) {
    // A block comment opened before the middle must colour the rows after
    // it: the comment state runs from line to line, so no split.
    LayoutOptions o;
    o.commentColour = 0x00FF00;
    o.cmntSel = 1;
    std::string text = "/* open\r\n";
    for (int i = 0; i < 200; ++i) text += "inside the comment\r\n";
    text += "*/ after\r\n";
    text.push_back('\0');
    const LayoutEngine engine(o, 80);
    orvex::parallel::ScopedSplitThreshold always(1);
    const std::vector<Row> rows = laidOutWhole(engine, text);
    ASSERT_EQ(rows.size(), 203u);
    EXPECT_NE(rows[150].flags & rowflag::kCommentMask, 0) << "a row in the middle of the comment";
}
