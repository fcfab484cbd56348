// Comment state bits written by layout, per comment syntax.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "common/codepage/ShiftJis.h"
#include "display/CommentScanner.h"
#include "tests/display/LayoutTestSupport.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Case {
    const char* name;
    int type;
    const char* user;
    const char* text;  // Shift JIS bytes
    int wrap;
    std::vector<int32_t> flags;  // comment bits per row
};

class CommentCases : public ::testing::TestWithParam<Case> {};

std::vector<int32_t> commentBits(const Laid& l) {
    std::vector<int32_t> out;
    for (const Row& r : l.rows) out.push_back(r.flags & rowflag::kCommentMask);
    return out;
}

TEST_P(CommentCases, FlagsPerRow) {
    const Case& c = GetParam();
    LayoutOptions o;
    o.commentColour = 0x008000;
    o.cmntSel = c.type;
    o.usrCmnt = c.user;
    EXPECT_EQ(commentBits(layOutSjis(c.text, o, c.wrap)), c.flags);
}

constexpr int32_t D = rowflag::kCommentDelimiter, O = rowflag::kCommentOpens, C = rowflag::kCommentCloses,
                  R = rowflag::kCommentRunsOn, E = rowflag::kCommentEndsWithLine;

INSTANTIATE_TEST_SUITE_P(
    Syntaxes, CommentCases,
    ::testing::Values(
        Case{"CBlockInOneRow", 1, "", "a /* b */ c", 80, {D}},
        Case{"CBlockOverLines", 1, "", "a /* b\r\nc\r\nd */ e\r\nf", 80, {D | O, R, D | C, 0}},
        Case{"CLineComment", 1, "", "x // y /* z\r\nw", 80, {D, 0}},
        Case{"COpenerStarIsNotACloser", 1, "", "/*/ still\r\nopen */", 80, {D | O, D | C}},
        Case{"CEmptyBlock", 1, "", "/**/x", 80, {D}},
        Case{"CCloserOutsideIsText", 1, "", "*/ x", 80, {0}},
        Case{"CBlocksDoNotNest", 1, "", "/* /* */ x\r\ny", 80, {D, 0}},
        Case{"CCloseThenLineComment", 1, "", "/* a\r\nb */ // c\r\nd", 80, {D | O, D | C, 0}},
        // A line comment on a wrapped line runs on over its rows and ends
        // with the line.
        Case{"CLineCommentWraps", 1, "", "ab // cdefghijklmnop\r\nq", 10, {D | O, R, E, 0}},
        Case{"Quote", 2, "", "x ' c\r\ny", 80, {D, 0}},
        Case{"Semicolon", 3, "", "; c\r\nx", 80, {D, 0}},
        Case{"Tags", 4, "", "<a>b<c\r\nd>e\r\nf", 80, {D | O, D | C, 0}},
        Case{"Hash", 5, "", "# c\r\nx", 80, {D, 0}},
        Case{"BraceBlock", 6, "", "{ a\r\nb }\r\n// c {\r\nd", 80, {D | O, D | C, D, 0}},
        Case{"BraceFirstWins", 6, "", "a { // b\r\nc }", 80, {D | O, D | C}},
        Case{"SlashesFirstWin", 6, "", "a // { b\r\nc", 80, {D, 0}},
        // 0x83 0x7D is a katakana whose trail byte is '}': not a closer.
        Case{"BraceInTrailByteIgnored", 6, "", "{ \x83\x7D\r\nx }", 80, {D | O, D | C}},
        Case{"BraceOpenerInTrailByteIgnored", 6, "", "\x83\x7B x\r\ny", 80, {0, 0}},
        Case{"DashesOrSlashStar", 7, "", "-- c\r\n/* a\r\nb */", 80, {D, D | O, D | C}},
        Case{"UserLineComment", 8, "REM", "REM x\r\ny REM z\r\nw", 80, {D, D, 0}},
        Case{"UserEmptyMeansNone", 8, "", "REM x", 80, {0}},
        Case{"SyntaxZero", 0, "", "/* x", 80, {0}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The plain character-by-character reading of the syntaxes, kept as the
// reference for the scanner, which jumps between candidate bytes.
CommentScanner::Result referenceScan(int type, const std::string& user, const uint8_t* p, int32_t n,
                                     CommentState in, bool endsLine, std::vector<CommentSpan>* spans) {
    CommentState s = in;
    bool delimiter = false, closedHere = false;
    int32_t spanStart = in == CommentState::None ? -1 : 0;
    if (s != CommentState::Line) {
        bool prevStar = false;
        int32_t i = 0;
        while (i < n) {
            const uint8_t b = p[i];
            const int len = sjis::isLeadByte(b) && i + 1 < n ? 2 : 1;
            const bool next = i + 1 < n;
            if (s == CommentState::None) {
                bool line = false;
                int open = 0;
                switch (type) {
                case 1:
                    if (b == '/' && next) {
                        if (p[i + 1] == '/') line = true;
                        else if (p[i + 1] == '*') open = 2;
                    }
                    break;
                case 2: line = b == '\''; break;
                case 3: line = b == ';'; break;
                case 4: open = b == '<' ? 1 : 0; break;
                case 5: line = b == '#'; break;
                case 6:
                    if (b == '/' && next && p[i + 1] == '/') line = true;
                    else if (b == '{') open = 1;
                    break;
                case 7:
                    if (b == '-' && next && p[i + 1] == '-') line = true;
                    else if (b == '/' && next && p[i + 1] == '*') open = 2;
                    break;
                case 8: line = int32_t(user.size()) <= n - i && std::memcmp(p + i, user.data(), user.size()) == 0; break;
                }
                if (line) {
                    delimiter = true;
                    s = CommentState::Line;
                    spanStart = i;
                    break;
                }
                if (open) {
                    delimiter = true;
                    s = CommentState::Block;
                    spanStart = i;
                    i += open;
                    prevStar = false;
                    continue;
                }
            } else {
                bool close = false;
                switch (type) {
                case 1:
                case 7: close = b == '/' && prevStar; break;
                case 4: close = b == '>'; break;
                case 6: close = b == '}' && len == 1; break;
                }
                if (close) {
                    delimiter = closedHere = true;
                    s = CommentState::None;
                    if (spans) spans->push_back({spanStart, i + 1});
                    spanStart = -1;
                    i += 1;
                    prevStar = false;
                    continue;
                }
            }
            prevStar = len == 1 && b == '*';
            i += len;
        }
    }
    if (spans && spanStart >= 0 && spanStart < n) spans->push_back({spanStart, n});
    CommentState out = s;
    if (endsLine && out == CommentState::Line) out = CommentState::None;
    int32_t flags = delimiter ? D : 0;
    if (in == CommentState::None) flags |= out != CommentState::None ? O : 0;
    else if (in == CommentState::Block) flags |= closedHere ? (C | (out != CommentState::None ? O : 0)) : R;
    else flags |= endsLine ? E : R;
    return {flags, out};
}

TEST(CommentTracking, ScannerAgreesWithTheCharacterWalk) {
    std::mt19937 rng(99);
    const char* pieces[] = {"/", "*", "/*", "*/", "//", "{", "}", "<", ">", "-", "--", "'", ";", "#", "%%", "%",
                            "a", " ", "\x82", "\x83", "\x81\xA6", "\x83\x7D", "\x83\x7B", "\x95\x5C",
                            "\xE0", "\x9F"};
    for (int type = 1; type <= 8; ++type) {
        const std::string user = type == 8 ? (rng() % 2 ? "%%" : "\x81\xA6") : "";
        CommentScanner scanner(type, user);
        for (int k = 0; k < 3000; ++k) {
            std::string row;
            const int count = int(rng() % 14);
            for (int i = 0; i < count; ++i) row += pieces[rng() % (sizeof pieces / sizeof *pieces)];
            const auto* p = reinterpret_cast<const uint8_t*>(row.data());
            const CommentState in = CommentState(rng() % 3);
            const bool ends = rng() % 2;
            std::vector<CommentSpan> a, b;
            const auto got = scanner.scanRow(p, int32_t(row.size()), in, ends, &a);
            const auto want = referenceScan(type, user, p, int32_t(row.size()), in, ends, &b);
            ASSERT_EQ(got.flags, want.flags) << "type " << type << " row " << ::testing::PrintToString(row);
            ASSERT_EQ(got.out, want.out) << "type " << type << " row " << ::testing::PrintToString(row);
            ASSERT_EQ(a, b) << "type " << type << " row " << ::testing::PrintToString(row);
        }
    }
}

TEST(CommentTracking, OffWithoutTheCommentColour) {
    LayoutOptions o;
    o.cmntSel = 1;
    o.commentColour = -1;
    EXPECT_EQ(commentBits(layOut("/* a\r\nb */", o, 80)), (std::vector<int32_t>{0, 0}));
    o.cmntSel = -1;  // resolved to 1 once the colour is set
    o.commentColour = 0xFF;
    EXPECT_EQ(commentBits(layOut("/* a\r\nb */", o, 80)), (std::vector<int32_t>{D | O, D | C}));
}

TEST(CommentTracking, TagFileDropsTheStateAtEveryLineEnd) {
    LayoutOptions o;
    o.commentColour = 0xFF;
    o.cmntSel = 1;
    o.tagFile = true;
    EXPECT_EQ(commentBits(layOut("/* a\r\nb */ c\r\nd", o, 80)), (std::vector<int32_t>{D | O, 0, 0}));
}

TEST(CommentTracking, SpansOfARow) {
    CommentScanner s(1, "");
    const std::string row = "a /* b */ c // d";
    std::vector<CommentSpan> spans;
    s.scanRow(reinterpret_cast<const uint8_t*>(row.data()), int32_t(row.size()), CommentState::None, true, &spans);
    EXPECT_EQ(spans, (std::vector<CommentSpan>{{2, 9}, {12, 16}}));
    spans.clear();
    const std::string inside = "b */ c";
    const auto r = s.scanRow(reinterpret_cast<const uint8_t*>(inside.data()), int32_t(inside.size()),
                             CommentState::Block, false, &spans);
    EXPECT_EQ(spans, (std::vector<CommentSpan>{{0, 4}}));
    EXPECT_EQ(r.out, CommentState::None);
    spans.clear();
    s.scanRow(reinterpret_cast<const uint8_t*>(inside.data()), int32_t(inside.size()), CommentState::Line, false,
              &spans);
    EXPECT_EQ(spans, (std::vector<CommentSpan>{{0, 6}}));
}

TEST(CommentTracking, StateAfterALine) {
    EXPECT_EQ(CommentScanner::stateAfterLine(O, false), CommentState::Block);
    EXPECT_EQ(CommentScanner::stateAfterLine(R, false), CommentState::Block);
    EXPECT_EQ(CommentScanner::stateAfterLine(D | C, false), CommentState::None);
    EXPECT_EQ(CommentScanner::stateAfterLine(E, false), CommentState::None);
    EXPECT_EQ(CommentScanner::stateAfterLine(O, true), CommentState::None);
}

}  // namespace
