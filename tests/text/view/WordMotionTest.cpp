// Word moves and word selection over single-byte and double-byte text.
#include <gtest/gtest.h>

#include <random>

#include "tests/text/view/ViewHarness.h"
#include "common/codepage/SjisWalk.h"
#include "text/WordMotion.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct WordCase {
    const char* name;
    const char* before;
    CommandId id;
    const char* after;
};

class WordMoves : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordMoves, LandsWhereExpected) {
    const WordCase& c = GetParam();
    ViewHarness h(c.before);
    h.run({command(c.id)});
    EXPECT_EQ(h.marked(), c.after);
}

const WordCase kWordCases[] = {
    {"RightOverBlankToNextWord", "|abc def", cmd::kWordRight, "abc |def"},
    {"RightKanjiThenHiragana", "|漢字ひらがな", cmd::kWordRight, "漢字|ひらがな"},
    {"RightKatakanaWithLongVowel", "|カーソル位置", cmd::kWordRight, "カーソル|位置"},
    {"RightStopsBeforeSymbol", "|abc(d)", cmd::kWordRight, "abc|(d)"},
    {"RightFullWidthBlankIsBlank", "|漢　字", cmd::kWordRight, "漢　|字"},
    {"RightCrossesLineEnd", "abc|\r\ndef", cmd::kWordRight, "abc\r\n|def"},
    {"RightFromLastWordCrossesLineEnd", "a|bc\r\ndef", cmd::kWordRight, "abc\r\n|def"},
    {"RightAtTextEndStays", "abc|", cmd::kWordRight, "abc|"},
    {"LeftFromMiddleToWordStart", "abc d|ef", cmd::kWordLeft, "abc |def"},
    {"LeftFromWordStartToPreviousWord", "abc |def", cmd::kWordLeft, "|abc def"},
    {"LeftFromLineStartToPreviousLineEnd", "abc\r\n|def", cmd::kWordLeft, "abc|\r\ndef"},
    {"LeftStopsAtLineStartOverBlanks", "  |abc", cmd::kWordLeft, "|  abc"},
    {"LeftOverHiraganaToKanji", "漢字ひら|がな", cmd::kWordLeft, "漢字|ひらがな"},
    {"LeftAtTextStartStays", "|abc", cmd::kWordLeft, "|abc"},
    {"SelectWordAtCursor", "ab|c def", cmd::kSelectWord, "[|abc] def"},
    {"SelectWordOfKanji", "かな漢|字かな", cmd::kSelectWord, "かな[|漢字]かな"},
    {"SelectWordStopsAtSymbol", "x(a|bc)y", cmd::kSelectWord, "x([|abc])y"},
    {"SelectWordAtRowEndSelectsNothing", "abc|", cmd::kSelectWord, "abc|"},
    {"SelectToWordStart", "abc de|f", cmd::kSelectToWordStart, "abc [|de]f"},
    {"SelectToWordEndCrossesBlanks", "a|bc def", cmd::kSelectToWordEnd, "a[bc |]def"},
    {"SelectWordRight", "|ab cd", cmd::kSelectWordRight, "[ab |]cd"},
    {"DeleteWord", "x ab|c y", cmd::kDeleteWord, "x | y"},
    {"DeleteToWordStart", "abc de|f", cmd::kDeleteToWordStart, "abc |f"},
    {"DeleteToWordEnd", "a|bc def", cmd::kDeleteToWordEnd, "a|def"},
};

INSTANTIATE_TEST_SUITE_P(Words, WordMoves, ::testing::ValuesIn(kWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Random Shift JIS text: word moves only ever stop on character boundaries,
// always make progress and reach the ends.
TEST(WordMotionProperty, StopsOnCharacterBoundariesAndReachesTheEnds) {
    std::mt19937 rng(12345);
    const std::vector<std::string> pieces = {"a", "Z", "9", "_", " ", "\t", "(", ".", "\r\n", sj("漢"), sj("字"),
                                             sj("ひ"), sj("カ"), sj("ー"), sj("　"), sj("、"), sj("Ａ"), "\xB1"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
        ViewHarness h;
        h.doc.text().setLayout(LayoutOptions{}, 10);
        h.doc.text().setText(text);
        h.doc.layoutAll();
        const TextStore& t = h.doc.text();
        auto boundary = [&](const TextPosition& p) {
            const int32_t start = t.row(p.row).offset;
            int32_t i = start;
            const int32_t target = start + p.byteColumn;
            while (i < target) i += orvex::sjis::step(t.bytes() + i);
            return i == target;
        };
        TextPosition p{0, 0, 0};
        int32_t last = -1;
        for (int steps = 0; steps < 200; ++steps) {
            const TextPosition next = word::right(t, p, 0, t.rowCount());
            ASSERT_TRUE(boundary(next)) << "round " << round;
            const int32_t off = nav::offsetOf(t, next);
            if (off == last) break;
            ASSERT_GT(off, last);
            last = off;
            p = next;
        }
        EXPECT_EQ(last, t.size() - 1) << "round " << round;
        int32_t prev = t.size();
        for (int steps = 0; steps < 200; ++steps) {
            const TextPosition next = word::left(t, p, 0, t.rowCount());
            ASSERT_TRUE(boundary(next)) << "round " << round;
            const int32_t off = nav::offsetOf(t, next);
            if (off == prev) break;
            ASSERT_LT(off, prev);
            prev = off;
            p = next;
        }
        EXPECT_EQ(prev, 0) << "round " << round << " text " << ::testing::PrintToString(text);
    }
}

}  // namespace
