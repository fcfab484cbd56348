// The range converter, mode by mode, over tables of input and output
// (written in UTF-8, converted to Shift JIS), the character unit of the
// single-character form, the Western repair table and a randomized round
// trip through full width and back.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/codepage/Cp932.h"
#include "common/codepage/Cp932Mapping.h"
#include "transform/CharConvert.h"

using namespace orvex;
using namespace orvex::transform;

namespace {

std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }

struct Row {
    ConvertMode mode;
    const char* in;
    const char* out;
};

void PrintTo(const Row& r, std::ostream* os) { *os << int(r.mode) << ": " << r.in; }

class ConvertTable : public ::testing::TestWithParam<Row> {};

TEST_P(ConvertTable, GivesTheExpectedText) {
    const Row& r = GetParam();
    EXPECT_EQ(cp932::toUtf8(convertText(sj(r.in), r.mode)), r.out);
}

INSTANTIATE_TEST_SUITE_P(Case, ConvertTable, ::testing::Values(
    Row{ConvertMode::Upper, "abc xyz", "ABC XYZ"},
    Row{ConvertMode::Upper, "ａｂｃ", "ＡＢＣ"},
    Row{ConvertMode::Lower, "ＡＢＣ Abc", "ａｂｃ abc"},
    Row{ConvertMode::Upper, "ｱｲｳ ｶﾞ かな", "ｱｲｳ ｶﾞ かな"},  // half-width kana never change
    Row{ConvertMode::Upper, "表ソ", "表ソ"},                // trail bytes 0x5C/0x7C and letters stay
    Row{ConvertMode::Lower, "\r\n", "\r\n"},
    Row{ConvertMode::Upper, "", ""}));

INSTANTIATE_TEST_SUITE_P(ToHalf, ConvertTable, ::testing::Values(
    Row{ConvertMode::HalfAll, "ガ", "ｶﾞ"},
    Row{ConvertMode::HalfAll, "が", "ｶﾞ"},
    Row{ConvertMode::HalfAll, "パピヴ", "ﾊﾟﾋﾟｳﾞ"},
    Row{ConvertMode::HalfAll, "ＡＢＣ　１２３！", "ABC 123!"},
    Row{ConvertMode::HalfAll, "。「ー」", "｡｢ｰ｣"},
    Row{ConvertMode::HalfAll, "漢字ヵヶゎ", "漢字ヵヶゎ"},  // no single-byte form
    Row{ConvertMode::HalfLatin, "ＡＢＣ　１２３", "ABC 123"},
    Row{ConvertMode::HalfLatin, "カナ。", "カナ。"},
    Row{ConvertMode::HalfBlank, "ＡＢＣ　１２３", "ＡＢＣ １２３"},
    Row{ConvertMode::HalfKana, "ＡＢＣ　１２３", "ＡＢＣ １２３"},
    Row{ConvertMode::HalfKana, "が", "が"},
    Row{ConvertMode::HalfKana, "ーガ゛。", "ｰｶﾞﾞ。"},
    Row{ConvertMode::HalfAll, "ソ表\r\nａ", "ｿ表\r\na"}));

INSTANTIATE_TEST_SUITE_P(ToFull, ConvertTable, ::testing::Values(
    Row{ConvertMode::FullAll, "ｶﾞｷﾞ", "ガギ"},
    Row{ConvertMode::FullAll, "ﾊﾟ", "パ"},
    Row{ConvertMode::FullAll, "ｳﾞ", "ヴ"},
    Row{ConvertMode::FullAll, "Ab 1!", "Ａｂ　１！"},
    Row{ConvertMode::FullAll, "a\tb\r\n", "ａ\tｂ\r\n"},
    Row{ConvertMode::FullHiragana, "ｶﾞ", "が"},
    Row{ConvertMode::FullHiragana, "ｳﾞ", "ヴ"},
    Row{ConvertMode::FullHiragana, "ｱﾝ ab", "あん ab"},
    Row{ConvertMode::FullKatakana, "ｶﾞｰ ab", "ガー ab"},
    Row{ConvertMode::FullBlank, "a b ｶ", "a　b　ｶ"},
    // A mark after a kana with no voiced form stands on its own: never a
    // neighbouring kana (ｱﾞ is not ィ, ﾐﾞ not the unassigned code after ミ).
    Row{ConvertMode::FullAll, "ｱﾞﾐﾞｶﾟ", "ア゛ミ゛カ゜"},
    Row{ConvertMode::FullKatakana, "ﾞ", "゛"},
    Row{ConvertMode::FullAll, "ｶﾞ", "ガ"}));

INSTANTIATE_TEST_SUITE_P(WesternRepair, ConvertTable, ::testing::Values(
    Row{ConvertMode::WesternRepair, "plain", "plain"}));

TEST(WesternRepair, EveryHighByteHasItsTextAndNoneIsLost) {
    std::string in;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (b != 0xBF) in += char(b);  // 0xBF is "?" itself
    const std::string out = cp932::toUtf8(convertText(in, ConvertMode::WesternRepair));
    EXPECT_EQ(out.find('?'), std::string::npos) << out;
    EXPECT_EQ(cp932::toUtf8(convertText("\xC6\xE9\xE7\xBD\xA9\x99", ConvertMode::WesternRepair)), "AEec1/2(C)TM");
    EXPECT_EQ(cp932::toUtf8(convertText("\xA5\xD8\x86", ConvertMode::WesternRepair)), "￥φ†");
}

TEST(ConvertTables, OnlyTheListedLeadBytesHaveSingleByteForms) {
    for (uint32_t code = 0x8100; code <= 0xFCFF; ++code)
        if (cp932::toSingleByte(uint16_t(code)) >= 0) EXPECT_TRUE(cp932::leadHasSingleByteForms(uint8_t(code >> 8))) << code;
}

TEST(ConvertUnit, AHalfWidthKanaTakesItsMarkExceptInTheWesternRepair) {
    const std::string s = sj("ｶﾞa表");
    EXPECT_EQ(unitLength(s, 0, ConvertMode::FullAll), 2u);
    EXPECT_EQ(unitLength(s, 0, ConvertMode::WesternRepair), 1u);
    EXPECT_EQ(unitLength(s, 2, ConvertMode::Upper), 1u);
    EXPECT_EQ(unitLength(s, 3, ConvertMode::Upper), 2u);
}

TEST(ConvertBroken, ALoneLeadByteBeforeALineEndNeverTakesTheLineEnd) {
    // The lead byte stays alone and the CR LF stays whole in every mode.
    const std::string s = "\x83\r\nx";
    for (int m = 0; m <= int(ConvertMode::FullBlank); ++m) {
        const std::string out = convertText(s, ConvertMode(m));
        EXPECT_NE(out.find("\r\n"), std::string::npos) << m;
        EXPECT_EQ(out.substr(0, 1), "\x83") << m;
    }
}

// ASCII text sent to full width and back is unchanged; so is any text of
// half-width kana with marks that form real voiced kana.
TEST(ConvertRoundTrip, FullWidthAndBackKeepsTheText) {
    std::mt19937 rng(1234);
    const std::string kana = sj("ｱｶﾞｻﾞﾀﾞﾊﾟﾋﾞｳﾞﾝｰ｡｢｣");
    for (int round = 0; round < 300; ++round) {
        std::string ascii;
        const int n = int(rng() % 60);
        for (int i = 0; i < n; ++i) ascii += char(0x20 + rng() % 95);
        EXPECT_EQ(convertText(convertText(ascii, ConvertMode::FullAll), ConvertMode::HalfAll), ascii);
        EXPECT_EQ(convertText(convertText(ascii, ConvertMode::FullBlank), ConvertMode::HalfBlank), ascii);
        EXPECT_EQ(convertText(convertText(ascii, ConvertMode::Upper), ConvertMode::Lower),
                  convertText(ascii, ConvertMode::Lower));
    }
    EXPECT_EQ(convertText(convertText(kana, ConvertMode::FullAll), ConvertMode::HalfAll), kana);
}

}  // namespace
