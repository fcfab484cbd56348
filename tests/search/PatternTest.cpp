// The pattern engine: compiling, matching forward and backward, the
// repetition rules, case folding, whole words, line ends and windows, and
// double-byte characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "search/PatternMatcher.h"
#include "tests/support/FakePlatform.h"

using namespace orvex;
using namespace orvex::search;

namespace {

// Test texts are written in UTF-8; the engine sees Shift JIS.
std::string sj(const std::string& utf8) { return cp932::fromUtf8(utf8); }

Subject subjectOf(const std::string& s) { return Subject{reinterpret_cast<const uint8_t*>(s.data()), int32_t(s.size())}; }

struct Row {
    const char* name;
    const char* pattern;
    const char* text;
    bool regex;
    bool matchCase;
    bool wholeWord;
    bool forward;
    int32_t offset;  // -1: no match
    int32_t length;
};

class PatternRows : public ::testing::TestWithParam<Row> {};

TEST_P(PatternRows, Matches) {
    const Row& r = GetParam();
    CompiledPattern p;
    ASSERT_EQ(p.compile(sj(r.pattern), {r.matchCase, r.wholeWord, r.regex}), CompiledPattern::Status::Ok);
    const std::string text = sj(r.text);
    const Match m = findInSubject(p, subjectOf(text), 0, int32_t(text.size()), r.forward);
    EXPECT_EQ(m.offset, r.offset);
    if (r.offset >= 0) {
        EXPECT_EQ(m.length, r.length);
    }
}

// Japanese characters are two bytes each: あ い う え お か are 82A0 82A2
// 82A4 82A6 82A8 82A9; ア is 8341 (its second byte is "A"); 表 is 955C (its
// second byte is a backslash).
const Row kRows[] = {
    // Whole word (literal search).
    {"WholeWordBetweenBlanks", "abc", "x abc y", false, true, true, true, 2, 3},
    {"WholeWordNotInsideWord", "abc", "xabc", false, true, true, true, -1, 0},
    {"WholeWordNotBeforeUnderscore", "abc", "abc_ abc", false, true, true, true, 5, 3},
    {"WholeWordAfterKanji", "abc", "漢abc", false, true, true, true, 2, 3},
    {"WholeWordTrailByteIsNoLetter", "A", "アA", false, true, true, true, 2, 1},
    // The repetition rules.
    {"AnyStarIsLazy", "a.*z", "a1z2z", true, true, false, true, 0, 3},
    {"AnyStarLastTakesTheLine", "a.*", "xa12\r\nzz", true, true, false, true, 1, 3},
    {"AnyPlusNeedsOne", "o.+o", "foo boo", true, true, false, true, 1, 5},
    {"CharStarGreedy", "ab*c", "abbbc", true, true, false, true, 0, 5},
    {"CharStarZeroCopies", "ab*c", "xac", true, true, false, true, 1, 2},
    {"CharPlusNeedsOne", "ab+c", "ac abc", true, true, false, true, 3, 3},
    {"ClassPlus", "[0-9]+", "ab123c", true, true, false, true, 2, 3},
    {"ClassStarNeverGivesBack", "a[a-z]*z", "abcz", true, true, false, true, -1, 0},
    {"StarAloneMatchesEmpty", "x*", "abc", true, true, false, true, 0, 0},
    {"LeadingStarIsLiteral", "*a", "b*a", true, true, false, true, 1, 2},
    // Anchors.
    {"LineStartOnly", "^abc", "xabc\r\nabc", true, true, false, true, 6, 3},
    {"LineStartNotMidLine", "^abc", "xabc", true, true, false, true, -1, 0},
    {"LineEndBeforeCr", "abc$", "abcd\r\nabc\r\n", true, true, false, true, 6, 3},
    {"LineEndAtTextEnd", "abc$", "abcx abc", true, true, false, true, 5, 3},
    {"LineEndBeforeFormFeed", "c$", "c\x0c", true, true, false, true, 0, 1},
    {"CaretInsideIsLiteral", "a^b", "xa^b", true, true, false, true, 1, 3},
    {"DollarInsideIsLiteral", "a$b", "xa$b", true, true, false, true, 1, 3},
    {"WordStart", "\\<ab", "cab ab", true, true, false, true, 4, 2},
    {"WordEnd", "ab\\>", "abc ab", true, true, false, true, 4, 2},
    // Classes with double-byte characters.
    {"NegatedKanaRange", "[^あ-お]", "あいうかx", true, true, false, true, 6, 2},
    {"KanaRange", "[あ-お]", "xかい", true, true, false, true, 3, 2},
    {"NegatedClassSkipsLineEnd", "[^あ]", "あ\r\nか", true, true, false, true, 4, 2},
    {"ClassWithEscapedBracket", "[\\]x]", "ab]", true, true, false, true, 2, 1},
    {"ClassLineEnd", "a[\\n]b", "a\rb", true, true, false, true, 0, 3},
    // Escapes.
    {"HexByte", "\\x41", "zzA", true, true, false, true, 2, 1},
    {"HexByteNotTrail", "\\x41", "アA", true, true, false, true, 2, 1},
    {"HexWithoutDigitIsX", "\\xg", "axg", true, true, false, true, 1, 2},
    {"Tab", "a\\tb", "a\tb", true, true, false, true, 0, 3},
    {"EscapedPeriod", "a\\.b", "axb a.b", true, true, false, true, 4, 3},
    {"EscapedStar", "a\\*", "aa*", true, true, false, true, 1, 2},
    {"BackslashInKanji", "表", "x表", true, true, false, true, 1, 2},
    {"LiteralBackslashNotInTrail", "\\", "表\\", false, true, false, true, 2, 1},
    // Line ends.
    {"NewlineAcrossLines", "a\\nb", "xa\r\nb", true, true, false, true, 1, 4},
    {"NewlineMatchesCr", "a\\nb", "a\rb", true, true, false, true, 0, 3},
    {"NewlineTakesAllLfs", "a\\nb", "a\r\n\nb", true, true, false, true, 0, 5},
    {"LiteralLineEndNormalised", "a\nb", "a\r\nb", false, true, false, true, 0, 4},
    {"HexLfIsLineEnd", "a\\x0ab", "a\r\nb", true, true, false, true, 0, 4},
    {"WindowSpansNextLine", "a\\n.*", "a\r\nxyz\r\nq", true, true, false, true, 0, 6},
    {"AnyNeverTakesLineEnd", "a.b", "a\rb", true, true, false, true, -1, 0},
    // Case.
    {"CaseFoldedLiteral", "ABC", "xxabc", false, false, false, true, 2, 3},
    {"CaseExactLiteral", "ABC", "xxabc", false, true, false, true, -1, 0},
    {"CaseFoldedClass", "[A-C]", "xxb", true, false, false, true, 2, 1},
    {"CaseExactClass", "[A-C]", "xxb", true, true, false, true, -1, 0},
    {"CaseFoldedRepeat", "xA*y", "xaAay", true, false, false, true, 0, 5},
    {"FullWidthFoldsInLiteral", "Ａ", "xａ", false, false, false, true, 1, 2},
    {"FullWidthExactInClass", "[Ａ]", "xａ", true, false, false, true, -1, 0},
    {"CaseFoldNeverTouchesTrail", "a", "アa", false, false, false, true, 2, 1},
    // Double-byte characters are never split.
    {"LoneLeadByteAtEnd", "\\x82", "あ", true, true, false, true, -1, 0},
    {"AnyTakesWholeCharacter", "x.y", "xあy", true, true, false, true, 0, 4},
    // Backward.
    {"BackwardRightmost", "b", "abcb", false, true, false, false, 3, 1},
    {"BackwardLazy", "a.*z", "a1z a2z", true, true, false, false, 4, 3},
    {"BackwardNone", "q", "abc", false, true, false, false, -1, 0},
};

INSTANTIATE_TEST_SUITE_P(Engine, PatternRows, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(PatternSearch, LeadByteBeforeLineEndStandsAlone) {
    // Broken text: a lead byte with a line end after it is a character of
    // its own, and a pattern may match it.
    const std::string text = "x\x82\r\n\x82\xa0";
    CompiledPattern p;
    p.compile("\\x82", {true, false, true});
    const Match m = findInSubject(p, subjectOf(text), 0, int32_t(text.size()), true);
    EXPECT_EQ(m.offset, 1);
    EXPECT_EQ(m.length, 1);
    EXPECT_EQ(findInSubject(p, subjectOf(text), 2, int32_t(text.size()), true).offset, -1);
}

TEST(PatternCompile, ElementLimitAndUnclosedClass) {
    CompiledPattern p;
    EXPECT_EQ(p.compile("[a][b][c][d][e][f][g][h][i][j]", {true, false, true}), CompiledPattern::Status::Ok);
    EXPECT_EQ(p.elements().size(), 10u);
    EXPECT_EQ(p.compile("[a][b][c][d][e][f][g][h][i][j][k]", {true, false, true}), CompiledPattern::Status::Invalid);
    EXPECT_FALSE(p.valid());
    EXPECT_EQ(p.compile("[abc", {true, false, true}), CompiledPattern::Status::Invalid);
    EXPECT_EQ(p.compile("[ab\\]", {true, false, true}), CompiledPattern::Status::Invalid);
    // A star makes two elements: the optional character and the repeat.
    EXPECT_EQ(p.compile("a*a*a*a*a*", {true, false, true}), CompiledPattern::Status::Ok);
    EXPECT_EQ(p.compile("a*a*a*a*a*b", {true, false, true}), CompiledPattern::Status::Invalid);
    // Literal runs are one element however long.
    EXPECT_EQ(p.compile("abcdefghijklmnopqrstuvwxyz", {true, false, true}), CompiledPattern::Status::Ok);
    EXPECT_EQ(p.elements().size(), 1u);
    // With the option off nothing is special.
    EXPECT_EQ(p.compile("[abc", {true, false, false}), CompiledPattern::Status::Ok);
    EXPECT_EQ(p.compile("", {true, false, true}), CompiledPattern::Status::Empty);
}

TEST(PatternCompile, BadPatternReports30021AndForgetsThePreviousOne) {
    test::ScriptedMessageBoxes boxes;
    CompiledPattern p;
    ASSERT_TRUE(p.compileOrReport("abc", {true, false, true}, &boxes));
    EXPECT_FALSE(p.compileOrReport("[abc", {true, false, true}, &boxes));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].textId, strings::kBadRegex);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Error);
    EXPECT_FALSE(p.valid());
    const std::string text = "abc";
    EXPECT_FALSE(findInSubject(p, subjectOf(text), 0, 3, true).found());
    // An empty string is no error: nothing to search, no message.
    EXPECT_FALSE(p.compileOrReport("", {true, false, true}, &boxes));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(PatternCompile, LineEndsSetTheWindow) {
    CompiledPattern p;
    p.compile("a\\nb\\fc", {true, false, true});
    EXPECT_EQ(p.lineEnds(), 2);
    p.compile("a\r\nb\rc\nd", {true, false, false});
    EXPECT_EQ(p.lineEnds(), 3);
    EXPECT_EQ(p.elements()[0].bytes, "a\r\nb\r\nc\r\nd");
    // A line-end pattern never reaches beyond its window.
    p.compile("a\\nb", {true, false, true});
    const std::string text = "a\r\nx\r\nb";
    EXPECT_FALSE(findInSubject(p, subjectOf(text), 0, int32_t(text.size()), true).found());
}

TEST(PatternSearch, RangeLimitsAndContext) {
    CompiledPattern p;
    p.compile("abc", {true, true, false});
    const std::string text = "xabc abc";
    const Subject s = subjectOf(text);
    // A range that begins inside a word still sees the letter before it.
    EXPECT_EQ(findInSubject(p, s, 1, int32_t(text.size()), true).offset, 5);
    // A match must end inside the range.
    p.compile("abc", {true, false, false});
    EXPECT_FALSE(findInSubject(p, s, 5, 7, true).found());
    EXPECT_EQ(findInSubject(p, s, 0, 7, false).offset, 1);
    // "$" at a range end in the middle of a line is no line end.
    p.compile("b$", {true, false, true});
    EXPECT_FALSE(findInSubject(p, s, 0, 3, true).found());
    // The range's own account of its edges wins over the text.
    PatternMatcher m(p, s);
    SearchRange r;
    r.begin = 0;
    r.end = 3;
    r.after = {true, true, false};
    EXPECT_EQ(m.findForward(r).offset, 2);
    p.compile("^x", {true, false, true});
    PatternMatcher m2(p, s);
    r = SearchRange{};
    r.begin = 1;
    r.end = int32_t(text.size());
    EXPECT_FALSE(m2.findForward(r).found());
    r.before = {true, true, false};
    p.compile("^a", {true, false, true});
    PatternMatcher m3(p, s);
    EXPECT_EQ(m3.findForward(r).offset, 1);
}

// Found by fuzzing: a range that ends between a CR and its LF.
TEST(PatternSearch, RangeEndingInsideALineEndIsNeverPassed) {
    const std::string text = "ab\r\ncd";
    const Subject s = subjectOf(text);
    CompiledPattern p;
    p.compile("b\\n", {true, false, true});
    EXPECT_FALSE(findInSubject(p, s, 0, 3, true).found());
    EXPECT_EQ(findInSubject(p, s, 0, 4, true).offset, 1);
    p.compile("\\>", {true, false, true});
    const Match m = findInSubject(p, s, 3, 3, true);
    EXPECT_TRUE(!m.found() || m.end() <= 3);
    EXPECT_FALSE(findInSubject(p, s, 2, 3, true).offset > 3);
    // A backslash before a typed line end still makes a line end.
    p.compile("b\\\nc", {true, false, true});
    EXPECT_EQ(p.lineEnds(), 1);
    EXPECT_EQ(findInSubject(p, s, 0, int32_t(text.size()), true).offset, 1);
}

TEST(PatternSearch, BackwardAcrossSlicesOfALongText) {
    // Long enough that the backward search works through several slices.
    std::string text;
    for (int i = 0; i < 30000; ++i) text += i == 123 ? "needle\r\n" : "あいうえお abc\r\n";
    CompiledPattern p;
    p.compile("needle", {true, false, false});
    const Subject s = subjectOf(text);
    const Match back = findInSubject(p, s, 0, int32_t(text.size()), false);
    const Match fwd = findInSubject(p, s, 0, int32_t(text.size()), true);
    ASSERT_TRUE(back.found());
    EXPECT_EQ(back.offset, fwd.offset);
    // The last of many occurrences, and a regular expression.
    p.compile("ab.$", {true, false, true});
    const Match last = findInSubject(p, s, 0, int32_t(text.size()), false);
    EXPECT_EQ(last.offset, int32_t(text.size()) - 5);
    EXPECT_EQ(last.length, 3);
}

// The search over a text made of one character repeated stays fast for the
// patterns that would otherwise try every length at every position.
TEST(PatternSearch, RepetitionsStayLinear) {
    const std::string text(200000, 'a');
    const Subject s = subjectOf(text);
    CompiledPattern p;
    for (const char* pat : {"a.*z", "a*z", "[a-c]*z", "a+z", ".*.*.*z", "a.*a.*z"}) {
        ASSERT_EQ(p.compile(pat, {true, false, true}), CompiledPattern::Status::Ok) << pat;
        EXPECT_FALSE(findInSubject(p, s, 0, int32_t(text.size()), true).found()) << pat;
        EXPECT_FALSE(findInSubject(p, s, 0, int32_t(text.size()), false).found()) << pat;
    }
}

// Every match found by the fast paths starts on a character boundary and
// agrees with a plain position-by-position check.
TEST(PatternSearch, CandidatesOnlyAtCharacterBoundaries) {
    std::string text;
    // Kanji whose second bytes are lead-byte values, around ASCII.
    const char* pieces[] = {"\x88\x9f", "\x88\xe0", "\x95\x5c", "\x83\x41", "A", "\\", "ab", "\x82\xa0"};
    uint32_t seed = 12345;
    for (int i = 0; i < 4000; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += pieces[(seed >> 16) % 8];
    }
    const Subject s = subjectOf(text);
    for (const char* pat : {"A", "\\", "\x9f\x88", "\x5c\x83", "ab"}) {
        CompiledPattern p;
        p.compile(pat, {true, false, false});
        int32_t from = 0;
        while (true) {
            const Match m = findInSubject(p, s, from, int32_t(text.size()), true);
            // The next boundary at or after from, walking from the start.
            int32_t b = 0, expect = -1;
            for (; b < s.length; b += s.charLength(b)) {
                if (b >= from && text.compare(size_t(b), std::strlen(pat), pat) == 0 &&
                    s.isBoundary(0, b + int32_t(std::strlen(pat)))) {
                    expect = b;
                    break;
                }
            }
            ASSERT_EQ(m.offset, expect) << pat;
            if (!m.found()) break;
            from = m.offset + s.charLength(m.offset);
        }
    }
}

}  // namespace
