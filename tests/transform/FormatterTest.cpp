// Formatting by a preset: joining and its rules, blanks, breaking at the
// width with prefixes, kinsoku and word wrap through the layout's
// line-breaking function, clamping of absurd presets, and a randomized
// check that formatting formatted text again changes nothing.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/codepage/Cp932.h"
#include "display/LayoutOptions.h"
#include "transform/Formatter.h"

using namespace orvex;
using namespace orvex::transform;

namespace {

std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }
std::string u8(std::string_view sjis) { return cp932::toUtf8(sjis); }

settings::FormatPreset preset(int width) {
    settings::FormatPreset p;
    p.seikei = width;
    return p;
}

std::string fmt(const settings::FormatPreset& p, std::string_view utf8, int tab = 4) {
    const Formatter f(p, tab, LayoutOptions::defaultNoLineStart(), LayoutOptions::defaultNoLineEnd());
    return u8(f.format(sj(utf8)));
}

TEST(Format, DefaultPresetOnlyBreaksLongLines) {
    const settings::FormatPreset p;  // width 70, joining off
    const std::string longLine(75, 'x');
    EXPECT_EQ(fmt(p, "short\r\nlines\r\n" + longLine), "short\r\nlines\r\n" + std::string(70, 'x') + "\r\nxxxxx");
    EXPECT_EQ(fmt(p, std::string(70, 'y')), std::string(70, 'y'));  // exactly the width fits
    EXPECT_EQ(fmt(p, ""), "");
}

TEST(Format, ADoubleByteCharacterIsNeverSplit) {
    EXPECT_EQ(fmt(preset(5), "abあい"), "abあ\r\nい");
    EXPECT_EQ(fmt(preset(1), "あい"), "あ\r\nい");  // narrower than one character: one per line
}

TEST(Format, JoiningKeepsParagraphsApartAtBlankLines) {
    settings::FormatPreset p = preset(6);
    p.seikeiCR = 1 | 2;
    EXPECT_EQ(fmt(p, "aaa\r\nbbb\r\nccc\r\n\r\nddd\r\neee"), "aaabbb\r\nccc\r\n\r\ndddeee");
}

TEST(Format, JoiningStopsAtTheProhibitedCharacters) {
    settings::FormatPreset p = preset(70);
    p.seikeiCR = 1 | 64;
    EXPECT_EQ(fmt(p, "あ\r\n「い」\r\nう"), "あ\r\n「い」う");
    p.seikeiCR = 1 | 16;
    EXPECT_EQ(fmt(p, "あ。\r\nい\r\nう"), "あ。\r\nいう");
    p.seikeiCR = 1 | 4;
    EXPECT_EQ(fmt(p, "a\r\n b\r\nc"), "a\r\n bc");
    p.seikeiCR = 1 | 128;
    EXPECT_EQ(fmt(p, "word\r\nnext\r\nあ\r\nい"), "word next あい");
}

TEST(Format, QuotedMailKeepsOneQuotePerOutputLine) {
    settings::FormatPreset p = preset(10);
    p.seikeiCR = 1 | 8;
    EXPECT_EQ(fmt(p, "> aaaa bbbb\r\n> cccc dddd\r\n>> x\r\ny"),
              "> aaaa bbb\r\n> bcccc dd\r\n> dd\r\n>> x\r\ny");
}

TEST(Format, ItemisedParagraphsHangUnderTheirText) {
    settings::FormatPreset p = preset(10);
    p.danraku = 3;
    EXPECT_EQ(fmt(p, "1. abcdefghijklm\r\n（１）あいうえおか"),
              "1. abcdefg\r\n  hijklm\r\n（１）あい\r\n　　　うえ\r\n　　　おか");
    p.danraku = 1;  // the first line's indentation for every continuation line
    EXPECT_EQ(fmt(p, "  abcdefghijkl"), "  abcdefgh\r\n  ijkl");
}

TEST(Format, KinsokuHangsPunctuationAndMovesOpeningBrackets) {
    settings::FormatPreset p = preset(10);
    p.seikeiKinsoku = 1;
    EXPECT_EQ(fmt(p, "あいうえお。かき"), "あいうえお。\r\nかき");
    EXPECT_EQ(fmt(p, "あいうえ「お」"), "あいうえ\r\n「お」");
    p.seikeiKinsoku = 0;
    EXPECT_EQ(fmt(p, "あいうえお。かき"), "あいうえお\r\n。かき");
}

TEST(Format, WordWrapMovesWordsAndLetsALongWordRunOn) {
    settings::FormatPreset p = preset(8);
    p.seikeiWordWrap = 1;
    EXPECT_EQ(fmt(p, "hello world"), "hello \r\nworld");
    EXPECT_EQ(fmt(p, "abcdefghijkl mn"), "abcdefghijkl\r\n mn");
}

TEST(Format, CommentPrefixBlanksAndTabs) {
    settings::FormatPreset p = preset(8);
    p.commentIns = 1;
    EXPECT_EQ(fmt(p, "abcdefgh\r\n\r\nx"), "> abcdef\r\n> gh\r\n> \r\n> x");
    p = preset(70);
    p.seikeiDelSpc = 1;
    EXPECT_EQ(fmt(p, "a  b 　あ い"), "a bあい");
    p.seikeiDelSpc = 1 | 2 | 4;
    EXPECT_EQ(fmt(p, "  a. b ,c"), "  a. b,c");
    p = preset(70);
    p.seikeiSpc = 1;
    EXPECT_EQ(fmt(p, "abcかなdef漢"), "abc かな def 漢");
    p = preset(70);
    p.seikeiTab = 1;
    EXPECT_EQ(fmt(p, "a\tb"), "a   b");
    p.seikeiCR = 32;
    EXPECT_EQ(fmt(p, "One. Two。Three... end"), "One.\r\n Two。\r\nThree...\r\n end");
}

TEST(Format, AbsurdPresetValuesAreClamped) {
    settings::FormatPreset p = preset(-40);
    p.seikeiKinsokuWrap = 9999;
    p.seikeiKinsoku = 1;
    EXPECT_EQ(fmt(p, "abc"), "a\r\nb\r\nc");
    p.seikei = 1 << 30;
    EXPECT_EQ(fmt(p, std::string(260, 'z')), std::string(250, 'z') + "\r\n" + std::string(10, 'z'));
}

// Formatting the output of a formatting run again gives the same text, for
// presets that do not join lines and add no comment prefix.
TEST(FormatRandom, FormattingFormattedTextAgainChangesNothing) {
    std::mt19937 rng(77);
    const std::vector<std::string> pieces = {"a", "b", "word", " ", " ", "1", "あ", "い", "。", "、", "「", "」",
                                             "ｶﾞ", "\t", "漢字", "．", "（", "）", "\r\n", "\r\n"};
    std::vector<std::string> sjPieces;
    for (const auto& s : pieces) sjPieces.push_back(sj(s));
    for (int round = 0; round < 400; ++round) {
        settings::FormatPreset p;
        p.seikei = 4 + int(rng() % 40);
        p.seikeiKinsoku = int(rng() % 2);
        p.seikeiKinsokuWrap = int(rng() % 4);
        p.seikeiWordWrap = int(rng() % 2);
        p.seikeiTab = int(rng() % 2);
        p.danraku = rng() % 2 ? 3 : 0;
        std::string text;
        const int n = int(rng() % 80);
        for (int i = 0; i < n; ++i) text += sjPieces[rng() % sjPieces.size()];
        const Formatter f(p, 4, LayoutOptions::defaultNoLineStart(), LayoutOptions::defaultNoLineEnd());
        const std::string once = f.format(text);
        ASSERT_EQ(f.format(once), once) << "width " << p.seikei << " kinsoku " << p.seikeiKinsoku << " hang "
                                        << p.seikeiKinsokuWrap << " word " << p.seikeiWordWrap << "\n"
                                        << u8(text);
    }
}

}  // namespace
