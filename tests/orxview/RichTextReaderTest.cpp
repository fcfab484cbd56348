// The rich-text reader: text and paragraphs, character formats, the colour
// table, Unicode and code page 932 escapes, skipped destinations, pieces
// fed one byte at a time, and hostile input.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "orxview/RichTextReader.h"

using namespace orvex::viewer;

namespace {

struct TextRow {
    const char* name;
    const char* rtf;
    const char* expected;  // plain text, paragraphs joined by "\n"
};
class PlainText : public ::testing::TestWithParam<TextRow> {};

TEST_P(PlainText, AsShown) {
    const TextRow& r = GetParam();
    EXPECT_EQ(RichTextReader::read(r.rtf).plainText(), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, PlainText,
    ::testing::Values(
        TextRow{"Paragraphs", "{\\rtf1 one\\par two\\par}", "one\ntwo"},
        TextRow{"LineEndsInTheSourceAreNotText", "{\\rtf1 a\r\nb\\line c}", "ab\nc"},
        TextRow{"DelimiterBlankIsEaten", "{\\rtf1\\b bold\\b0  plain}", "bold plain"},
        TextRow{"EscapedSpecials", "{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
        TextRow{"Tab", "{\\rtf1 a\\tab b}", "a\tb"},
        TextRow{"CodePage932Escapes", "{\\rtf1\\ansicpg932 \\'82\\'a0\\'82\\'a2}", "あい"},
        TextRow{"RawShiftJisBytes", "{\\rtf1 \x82\xA0}", "あ"},
        TextRow{"UnicodeWithFallbackSkipped", "{\\rtf1\\uc1 \\u12354?x}", "あx"},
        TextRow{"UnicodeNegativeForm", "{\\rtf1 \\u-248?}", "（"},
        TextRow{"UnicodeTwoByteFallback", "{\\rtf1\\uc2 \\u12354\\'82\\'a0z}", "あz"},
        TextRow{"FontTableAndInfoAreSkipped",
                "{\\rtf1{\\fonttbl{\\f0 MS Gothic;}}{\\info{\\title T}}{\\*\\generator G;}body}", "body"},
        TextRow{"UnknownStarredDestinationIsSkipped", "{\\rtf1 a{\\*\\unknownthing hidden}b}", "ab"},
        TextRow{"KnownGroupsShow", "{\\rtf1 a{\\b b}c}", "abc"},
        TextRow{"NamedPunctuation", "{\\rtf1\\ldblquote x\\rdblquote\\emdash}", "\u201Cx\u201D\u2014"},
        TextRow{"HugeNumberAfterAWord", "{\\rtf1\\fs99999999999999999999 a\\u99999999999999 ?b}", "a\xEF\xBF\xBD""b"},
        TextRow{"UnbalancedClosingBraces", "}}{\\rtf1 a}}}b", "ab"},
        TextRow{"TruncatedInsideAWord", "{\\rtf1 text\\b", "text"},
        TextRow{"TruncatedInsideAnEscape", "{\\rtf1 text\\'8", "text"}),
    [](const ::testing::TestParamInfo<TextRow>& i) { return std::string(i.param.name); });

TEST(RichTextFormats, BoldItalicUnderlineSizeAndColour) {
    const RichDocument d = RichTextReader::read(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "plain {\\b bold} {\\i\\ul both}\\fs40 big \\cf1 red\\cf2 navy\\cf9 none\\plain  reset}");
    ASSERT_EQ(d.paragraphs.size(), 1u);
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_GE(runs.size(), 8u);
    EXPECT_EQ(runs[0].text, "plain ");
    EXPECT_FALSE(runs[0].bold);
    EXPECT_EQ(runs[1].text, "bold");
    EXPECT_TRUE(runs[1].bold);
    EXPECT_EQ(runs[3].text, "both");
    EXPECT_TRUE(runs[3].italic && runs[3].underline && !runs[3].bold);
    EXPECT_EQ(runs[4].text, "big ");
    EXPECT_EQ(runs[4].halfPoints, 40);
    EXPECT_EQ(runs[5].text, "red");
    EXPECT_TRUE(runs[5].hasColour);
    EXPECT_EQ(runs[5].colour, 0xFF0000u);
    EXPECT_EQ(runs[6].colour, 0x000080u);
    EXPECT_FALSE(runs[7].hasColour) << "index beyond the table";
    EXPECT_EQ(runs.back().text, " reset");
    EXPECT_EQ(runs.back().halfPoints, 24);
}

TEST(RichTextStream, PiecesOfAnySizeGiveTheSameDocument) {
    const std::string rtf =
        "{\\rtf1\\ansicpg932{\\fonttbl{\\f0 x;}}{\\colortbl;\\red1\\green2\\blue3;}\\uc1 "
        "\\'93\\'fa\\'96\\'7b\\u8364?{\\b\\cf1 bold \\'82\\'a0}\\par next\\emdash end}";
    const RichDocument whole = RichTextReader::read(rtf);
    for (size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}}) {
        RichTextReader r;
        for (size_t at = 0; at < rtf.size(); at += piece) r.feed(std::string_view(rtf).substr(at, piece));
        const RichDocument d = r.finish();
        ASSERT_EQ(d.plainText(), whole.plainText()) << piece;
        ASSERT_EQ(d.paragraphs.size(), whole.paragraphs.size());
        for (size_t p = 0; p < d.paragraphs.size(); ++p) EXPECT_EQ(d.paragraphs[p].runs, whole.paragraphs[p].runs);
    }
    EXPECT_EQ(whole.plainText(), "日本\u20ACbold あ\nnext\u2014end");
}

TEST(RichTextHostile, DeepNestingAndRandomBytesEndCleanly) {
    std::string deep = "{\\rtf1 a";
    for (int i = 0; i < 100000; ++i) deep += "{\\b ";
    deep += "deep";
    for (int i = 0; i < 100000; ++i) deep += "}";
    deep += "\\b0 after}";
    const RichDocument d = RichTextReader::read(deep);
    EXPECT_EQ(d.plainText(), "adeepafter");
    EXPECT_FALSE(d.paragraphs[0].runs.back().bold) << "the groups closed again";

    std::mt19937 rng(77);
    static const char* const kPieces[] = {"{", "}", "\\", "\\'", "\\u", "-", "9", "\\par", "\\*", "\\fonttbl",
                                          "\\colortbl", ";", "\\red", "a", "\x82", "\xA0", " ", "\\uc", "\\b"};
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        for (int i = int(rng() % 200); i > 0; --i) s += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
        const RichDocument r = RichTextReader::read(s);
        EXPECT_FALSE(r.paragraphs.empty());
    }
}

}  // namespace
