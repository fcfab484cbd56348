// Detection and conversion of loaded text: the decisive bytes, JIS escapes
// and shifts, EUC pairs and the second pass, line ends, and the optimised
// pass against the byte-by-byte reference on generated inputs, EUC
// three-byte characters.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "common/codepage/Cp932.h"
#include "common/parallel/SplitWork.h"
#include "files/CodeWriter.h"
#include "files/DetectConvert.h"
#include "files/TextDecoder.h"
#include "files/ReferenceConvert.h"

using namespace orvex::files;

namespace {

std::string B(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

struct Outcome {
    std::string text;
    ConvertResult result;
};

// One call of the pass on a copy of the bytes.
Outcome pass(const std::string& in, int setting = kReadDetect, int code = kCodeUndetermined) {
    Outcome o;
    o.text = in;
    o.result = detectAndConvert(reinterpret_cast<uint8_t*>(o.text.data()), o.text.size(), setting, code);
    o.text.resize(o.result.length);
    return o;
}

// The whole conversion, the EUC second pass included.
Outcome convert(const std::string& in, int setting = kReadDetect, int code = kCodeUndetermined) {
    Outcome o;
    o.text = in;
    o.result = convertText(o.text, false, setting, code);
    return o;
}

const std::string kEscDouble = "\x1B$B";
const std::string kEscAscii = "\x1B(B";

}  // namespace

// --- decisions ------------------------------------------------------------

TEST(Detection, PlainAsciiStaysUndeterminedWithItsLastLineEnd) {
    Outcome o = convert("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(o.result.code, kCodeUndetermined);
    EXPECT_EQ(o.result.lineEnd, kLineEndCr);
    EXPECT_EQ(o.result.lineCount, 4u);
    EXPECT_EQ(o.text, "one\r\ntwo\rthree\rfour");
}

TEST(Detection, HiraganaInShiftJisDecidesAtItsLeadByte) {
    // 0x82 0xA0 is Shift JIS "あ"; the EUC-looking pair after it must not
    // be converted once the code is decided.
    const std::string in = "ab" + B({0x82, 0xA0}) + B({0xA4, 0xA2}) + "\n";
    Outcome o = convert(in);
    EXPECT_EQ(o.result.code, kCodeShiftJis);
    EXPECT_EQ(o.text, "ab" + B({0x82, 0xA0, 0xA4, 0xA2}) + "\r");
}

TEST(Detection, AsciiAfterAnOddNumberOfHighBytesDecidesShiftJis) {
    // Half-width katakana 0xB1 then ASCII: no EUC pair can hold the 0xB1.
    Outcome o = convert(B({0xB1}) + "a" + B({0xA4, 0xA2}));
    EXPECT_EQ(o.result.code, kCodeShiftJis);
    EXPECT_EQ(o.text, B({0xB1}) + "a" + B({0xA4, 0xA2}));
}

TEST(Detection, EucPairsAreReadAgainAsEuc) {
    const std::string in = B({0xA4, 0xA2, 0x8E, 0xB1}) + "x\n" + B({0xB4, 0xC1});
    // The first pass leaves the bytes for the second one.
    Outcome first = pass(in);
    EXPECT_EQ(first.result.code, kCodeReadAgainAsEuc);
    EXPECT_EQ(first.text, in);
    Outcome o = convert(in);
    EXPECT_EQ(o.result.code, kCodeEuc);
    EXPECT_EQ(o.text, B({0x82, 0xA0, 0xB1}) + "x\r" + B({0x8A, 0xBF}));  // あ ｱ x 漢
    EXPECT_EQ(o.result.lineEnd, kLineEndLf);
    EXPECT_EQ(o.result.lineCount, 2u);
}

TEST(Detection, EucPairWithLeadByteValuesKeepsItsParity) {
    // 0xB0 0xE0 and 0xE0 0xA1: lead-byte values inside pairs must not make
    // the parity odd before the ASCII that follows.
    Outcome o = convert(B({0xB0, 0xE0, 0xE0, 0xA1}) + "a" + B({0xF0, 0xA4}) + "b");
    EXPECT_EQ(o.result.code, kCodeEuc);
}

TEST(Detection, JisDoubleByteEscapeDecidesJis) {
    Outcome o = convert("a" + kEscDouble + B({0x30, 0x21}) + kEscAscii + "b");
    EXPECT_EQ(o.result.code, kCodeJis);
    EXPECT_EQ(o.text, "a" + B({0x88, 0x9F}) + "b");  // 亜
}

TEST(Detection, EscapeAfterShiftJisDecisionIsPlainText) {
    const std::string in = B({0x82, 0xA0}) + kEscDouble + "0!";
    Outcome o = convert(in);
    EXPECT_EQ(o.result.code, kCodeShiftJis);
    EXPECT_EQ(o.text, in);
}

TEST(Detection, EscapeBeforeEucPairsIsKeptWhenReadAgainAsEuc) {
    // The first pass removes the escape sequence while nothing is decided;
    // the EUC pass over the original bytes keeps it.
    const std::string in = kEscAscii + B({0xA4, 0xA2, 0xA4, 0xA4});
    Outcome o = convert(in);
    EXPECT_EQ(o.result.code, kCodeEuc);
    EXPECT_EQ(o.text, kEscAscii + B({0x82, 0xA0, 0x82, 0xA2}));
}

TEST(Detection, SingleHighByteWithoutPairStaysUndetermined) {
    Outcome o = convert(B({0xB1}));
    EXPECT_EQ(o.result.code, kCodeUndetermined);
    EXPECT_EQ(o.text, B({0xB1}));
}

// --- read settings --------------------------------------------------------

struct SettingRow {
    int setting;
    int code;
    std::string text;
    friend void PrintTo(const SettingRow& r, std::ostream* os) { *os << "AutoKanji " << r.setting; }
};

class ReadSettingRows : public ::testing::TestWithParam<SettingRow> {};

// The same bytes (an EUC pair, then a JIS-encoded 亜) under each setting.
TEST_P(ReadSettingRows, ChooseTheConversion) {
    const std::string in = B({0xA4, 0xA2}) + kEscDouble + "0!" + kEscAscii;
    Outcome o = convert(in, GetParam().setting);
    EXPECT_EQ(o.result.code, GetParam().code);
    EXPECT_EQ(o.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Detect, ReadSettingRows,
    ::testing::Values(SettingRow{kReadShiftJis, kCodeShiftJis, B({0xA4, 0xA2}) + "\x1B$B0!\x1B(B"},
                      // The EUC pair pairs up, then the escape decides JIS.
                      SettingRow{kReadDetect, kCodeJis, B({0xA4, 0xA2, 0x88, 0x9F})},
                      SettingRow{kReadJis, kCodeJis, B({0xA4, 0xA2, 0x88, 0x9F})},
                      SettingRow{kReadEuc, kCodeEuc, B({0x82, 0xA0}) + "\x1B$B0!\x1B(B"},
                      SettingRow{kReadUtf16, kCodeUndetermined, B({0xA4, 0xA2}) + "\x1B$B0!\x1B(B"}),
    [](const ::testing::TestParamInfo<SettingRow>& info) { return "AutoKanji" + std::to_string(info.param.setting); });

TEST(ReadSetting, KnownCodeIsKeptAndSkipsDetection) {
    const std::string in = B({0xA4, 0xA2});
    EXPECT_EQ(convert(in, kReadDetect, kCodeShiftJis).result.code, kCodeShiftJis);
    EXPECT_EQ(convert(in, kReadDetect, kCodeShiftJis).text, in);
    EXPECT_EQ(convert(in, kReadDetect, kCodeEuc).text, B({0x82, 0xA0}));
    EXPECT_EQ(convert(in, kReadShiftJis, kCodeReadAgainAsEuc).result.code, kCodeEuc);
    // A code that is none of the known ones is treated as undetermined.
    EXPECT_EQ(convert(in, kReadDetect, 99).result.code, kCodeEuc);
}

// --- JIS ------------------------------------------------------------------

TEST(Jis, EscapeSequencesOfTheTable) {
    struct Row {
        std::string in, out;
    } rows[] = {
        {"\x1B$B0!\x1B(B", B({0x88, 0x9F})},
        {"\x1B$@0!\x1B(J", B({0x88, 0x9F})},
        {"\x1B$(B0!\x1B(B", B({0x88, 0x9F})},
        {"\x1B(I12\x1B(B3", B({0xB1, 0xB2}) + "3"},  // ｱｲ
        {"\x1B$Z0!", "\x1B$Z0!"},                     // not a sequence: text
        {"\x1B(", "\x1B("},                           // cut short at the end
        {"\x1B$B", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.in);
        Outcome o = convert(r.in, kReadJis);
        EXPECT_EQ(o.text, r.out);
        EXPECT_EQ(o.result.code, kCodeJis);
    }
}

TEST(Jis, UnclosedShiftEndsAtTheLineEnd) {
    Outcome o = convert(kEscDouble + "0!\r\n0!", kReadDetect);
    EXPECT_EQ(o.result.code, kCodeJis);
    EXPECT_EQ(o.text, B({0x88, 0x9F}) + "\r\n0!");
    EXPECT_EQ(o.result.lineEnd, kLineEndCrLf);
}

TEST(Jis, BlankOrControlEndsTheShift) {
    EXPECT_EQ(convert(kEscDouble + "0! 0!").text, B({0x88, 0x9F}) + " 0!");
    EXPECT_EQ(convert(kEscDouble + "0!\t0!").text, B({0x88, 0x9F}) + "\t0!");
    // A lone byte in the shift before a blank is read again in ASCII.
    EXPECT_EQ(convert(kEscDouble + "0! 0").text, B({0x88, 0x9F}) + " 0");
    EXPECT_EQ(convert(kEscDouble + "0").text, "0");
}

TEST(Jis, KatakanaShiftTakesSevenAndEightBitBytes) {
    // 7-bit bytes get bit 7; an 8-bit byte ends the shift and stays.
    EXPECT_EQ(convert("\x1B(I1" + B({0xB2}) + "3", kReadJis).text, B({0xB1, 0xB2}) + "3");
}

TEST(Jis, MappingOfRowEdges) {
    struct Row {
        int j1, j2, lead, trail;
    } rows[] = {{0x21, 0x21, 0x81, 0x40}, {0x21, 0x5F, 0x81, 0x7E}, {0x21, 0x60, 0x81, 0x80},
                {0x21, 0x7E, 0x81, 0x9E}, {0x22, 0x21, 0x81, 0x9F}, {0x22, 0x7E, 0x81, 0xFC},
                {0x5E, 0x7E, 0x9F, 0xFC}, {0x5F, 0x21, 0xE0, 0x40}, {0x7E, 0x7E, 0xEF, 0xFC}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.j1 * 256 + r.j2);
        Outcome o = convert(kEscDouble + B({r.j1, r.j2}), kReadJis);
        EXPECT_EQ(o.text, B({r.lead, r.trail}));
        Outcome e = convert(B({r.j1 | 0x80, r.j2 | 0x80}), kReadEuc);
        EXPECT_EQ(e.text, B({r.lead, r.trail}));
    }
}

// --- EUC ------------------------------------------------------------------

TEST(Euc, SpecialBytes) {
    struct Row {
        std::string in, out;
    } rows[] = {
        {B({0x8E, 0xB1}), B({0xB1})},
        {B({0x8E, 0x41}), B({0x8E, 0x41})},               // not before katakana: a pair as it stands
        {B({0x8F, 0xB0, 0xA1, 0xA4, 0xA2}), B({'?', 0x82, 0xA0})},  // JIS X 0212, not in code page 932
        {B({0xA4, 0xFF}), B({0xA4, 0xFF})},               // 0xFF is no EUC byte
        {B({0xA4}) + "a", B({0xA4}) + "a"},
        {B({0xE0}), ""},                                  // trailing lead byte
        {B({0xA4, 0xA2, 0xE0}), B({0x82, 0xA0})},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.in));
        EXPECT_EQ(convert(r.in, kReadEuc).text, r.out);
    }
}

// --- line ends ------------------------------------------------------------

TEST(LoadLineEnds, MixedCrLfAndLfReportTheLastAndLfBecomesCr) {
    Outcome o = convert("a\r\nb\nc\r\nd");
    EXPECT_EQ(o.result.lineEnd, kLineEndCrLf);
    EXPECT_EQ(o.text, "a\r\nb\rc\r\nd");
    o = convert("a\r\nb\nc");
    EXPECT_EQ(o.result.lineEnd, kLineEndLf);
    EXPECT_EQ(o.text.find('\n', 3), std::string::npos);
}

TEST(LoadLineEnds, CrWithManyLfsIsOneLineEndAndFormFeedCounts) {
    Outcome o = convert("a\r\n\n\nb\fc");
    EXPECT_EQ(o.result.lineCount, 3u);
    EXPECT_EQ(o.result.lineEnd, kLineEndCrLf);
    EXPECT_EQ(o.text, "a\r\n\n\nb\fc");
    EXPECT_EQ(convert("\f").result.lineEnd, kLineEndUndetermined);
}

TEST(LoadLineEnds, TrailByteIsNoLineEnd) {
    // 0x81 takes the CR as its trail byte.
    Outcome o = convert(B({0x81, 0x0D, 'a', 0x0A}));
    EXPECT_EQ(o.result.code, kCodeShiftJis);
    EXPECT_EQ(o.result.lineCount, 2u);
    EXPECT_EQ(o.text, B({0x81, 0x0D, 'a', 0x0D}));
}

TEST(LoadLineEnds, TrailingLeadByteIsDropped) {
    EXPECT_EQ(convert(B({'a', 0x82})).text, "a");
    EXPECT_EQ(convert(B({0x82, 0xA0, 0x82})).text, B({0x82, 0xA0}));
    // A lead-byte value that is a trail byte stays.
    EXPECT_EQ(convert(B({0x82, 0x82})).text, B({0x82, 0x82}));
    EXPECT_EQ(convert(B({0x82, 0x82, 0x82})).text, B({0x82, 0x82}));
    EXPECT_EQ(convert(B({0x82}), kReadShiftJis).text, "");
}

TEST(LoadLineEnds, EmptyText) {
    Outcome o = convert("");
    EXPECT_EQ(o.result.length, 0u);
    EXPECT_EQ(o.result.lineCount, 1u);
    EXPECT_EQ(o.result.code, kCodeUndetermined);
}

TEST(LoadLineEnds, ScanForUtf16TextSetsCodeFour) {
    std::string text = "a\nb\r\n" + B({0x82, 0x0A});
    ConvertResult r = scanLineEnds(reinterpret_cast<uint8_t*>(text.data()), text.size());
    text.resize(r.length);
    EXPECT_EQ(r.code, kCodeUtf16);
    EXPECT_EQ(r.lineCount, 3u);
    EXPECT_EQ(r.lineEnd, kLineEndCrLf);
    EXPECT_EQ(text, "a\rb\r\n" + B({0x82, 0x0A}));
}

// --- the optimised pass against the reference ------------------------------

namespace {

// Text made of the pieces that matter to the pass, in random order.
std::string randomText(std::mt19937& rng, size_t pieces) {
    static const char* const kFixed[] = {"\x1B$B", "\x1B$@", "\x1B$(B", "\x1B(B", "\x1B(J", "\x1B(I",
                                         "\x1B$",  "\x1B(",  "\r\n",    "\r\n\n", "\n",    "\r",
                                         "\f",     " ",      "\t",      "0!",     "ab",    "\x1A"};
    std::string s;
    std::uniform_int_distribution<int> kind(0, 11), byte(0, 255);
    for (size_t i = 0; i < pieces; ++i) {
        switch (kind(rng)) {
            case 0: s += kFixed[rng() % (sizeof kFixed / sizeof *kFixed)]; break;
            case 1: s.push_back(static_cast<char>(0xA1 + rng() % 94)), s.push_back(static_cast<char>(0xA1 + rng() % 94)); break;
            case 2: s += B({0x8E, static_cast<int>(0xA1 + rng() % 63)}); break;
            case 3: s += B({0x8F, static_cast<int>(0xA1 + rng() % 94), static_cast<int>(0xA1 + rng() % 94)}); break;
            case 4: s += B({0x82, static_cast<int>(0x9F + rng() % 80)}); break;
            case 5: s += B({static_cast<int>(0xE0 + rng() % 29), static_cast<int>(0x40 + rng() % 189)}); break;
            case 6: s.push_back(static_cast<char>(0x21 + rng() % 94)); break;
            case 7: s.push_back(static_cast<char>(0x80 + rng() % 33)); break;
            case 8: s.push_back(static_cast<char>(0xA1 + rng() % 63)); break;
            case 9: s.push_back(static_cast<char>(0xE0 + rng() % 32)); break;
            case 10: s.push_back('\0'); break;
            default: s.push_back(static_cast<char>(byte(rng))); break;
        }
    }
    return s;
}

}  // namespace

TEST(AgainstReference, GeneratedTextsUnderEverySettingAndCode) {
    std::mt19937 rng(20240611);
    const int settings[] = {0, 1, 2, 3, 4, 7};
    const int codes[] = {0, 1, 2, 3, 4, 13};
    for (int round = 0; round < 30000; ++round) {
        const std::string in = randomText(rng, rng() % 40);
        const int setting = settings[round % 6];
        const int code = round % 5 == 0 ? codes[rng() % 6] : 0;
        SCOPED_TRACE(testing::PrintToString(in) + " setting " + std::to_string(setting) + " code " +
                     std::to_string(code));

        const reference::Result one = reference::onePass(in, setting, code);
        const Outcome o = pass(in, setting, code);
        ASSERT_EQ(o.result.code, one.code);
        if (one.code == kCodeReadAgainAsEuc) {
            ASSERT_EQ(o.text, in);
        } else {
            ASSERT_EQ(o.text, one.text);
            ASSERT_EQ(o.result.lineEnd, one.lineEnd);
            ASSERT_EQ(o.result.lineCount, one.lineCount);
        }

        const reference::Result full = reference::convert(in, setting, code);
        const Outcome c = convert(in, setting, code);
        ASSERT_EQ(c.text, full.text);
        ASSERT_EQ(c.result.code, full.code);
        ASSERT_EQ(c.result.lineEnd, full.lineEnd);
        ASSERT_EQ(c.result.lineCount, full.lineCount);
    }
}

TEST(AgainstReference, LongRunsCrossTheVectorWidth) {
    // Runs longer than the sixteen-byte searches, with the deciding byte or
    // line end at every offset.
    std::mt19937 rng(7);
    for (int len = 1; len < 80; ++len) {
        for (int at = 0; at < len; ++at) {
            for (int variant = 0; variant < 4; ++variant) {
                std::string in;
                for (int i = 0; i < len; ++i) {
                    switch (variant) {
                        case 0: in.push_back('a'); break;
                        case 1: in.push_back(static_cast<char>(0xA1 + (i * 7) % 94)); break;
                        case 2: in.push_back(static_cast<char>(i % 3 ? 0xE5 : 0xB0)); break;
                        default: in.push_back(static_cast<char>(rng() % 2 ? 0x82 : 0xA0)); break;
                    }
                }
                std::string mark = at % 3 == 0 ? "\n" : at % 3 == 1 ? B({0x90}) : "\x1B$B";
                in.insert(static_cast<size_t>(at), mark);
                SCOPED_TRACE(testing::PrintToString(in));
                const reference::Result full = reference::convert(in, kReadDetect, 0);
                const Outcome c = convert(in);
                ASSERT_EQ(c.text, full.text);
                ASSERT_EQ(c.result.code, full.code);
                ASSERT_EQ(c.result.lineCount, full.lineCount);
            }
        }
    }
}

namespace {
// The whole conversion of `in` gives the reference's text, code, last line
// end and line count.
void expectLikeTheReference(const std::string& in, int setting) {
    SCOPED_TRACE(testing::PrintToString(in) + " setting " + std::to_string(setting));
    const reference::Result full = reference::convert(in, setting, 0);
    const Outcome c = convert(in, setting);
    ASSERT_EQ(c.text, full.text);
    ASSERT_EQ(c.result.code, full.code);
    ASSERT_EQ(c.result.lineEnd, full.lineEnd);
    ASSERT_EQ(c.result.lineCount, full.lineCount);
}
}  // namespace

TEST(AgainstReference, ShiftJisLineEndsAcrossTheSplitBlocks) {
    // Shift JIS text of a few hundred bytes, dense with line ends, so that
    // the line split meets blocks of every kind: plain ones, and ones with
    // a line end after a lead-byte value (inside the block or right at its
    // edge), CR LF LF runs, LF LF, FF, a CR LF cut by the block's edge, and
    // a lead byte as the last byte of the text.
    static const char* const kPieces[] = {"\r\n", "\r\n\n", "\n", "\r", "\f",   "\n\n", "ab",
                                          " ",    "\x81\r", "\x9F\n", "\xE0\r\n", "\x82\xA0", "\x83\x81",
                                          "\x81\x81\r\n", "\xFC\x40", "\x88\x9F\x81"};
    std::mt19937 rng(1401);
    for (int round = 0; round < 4000; ++round) {
        std::string in = B({0x82, 0xA0});  // decides Shift JIS
        const size_t pieces = 20 + rng() % 300;
        for (size_t i = 0; i < pieces; ++i) in += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
        if (round % 7 == 0) in.push_back(static_cast<char>(0x81));
        const int setting = round % 2 ? kReadDetect : kReadShiftJis;
        expectLikeTheReference(in, setting);
        if (HasFatalFailure()) return;
    }
}

TEST(AgainstReference, LineSplitOnTwoThreadsMatchesTheSingleWalk) {
    // Shift JIS texts (decided by the setting or at their first pair, or
    // plain ASCII that stays undecided) whose line split is cut in two near
    // the middle: the same text, line count and last line end as the
    // reference, wherever the cut falls among CR LF LF runs, trail-byte line
    // ends and runs of lead-byte values.
    static const char* const kPieces[] = {"\r\n", "\r\n\n", "\n", "\r", "\f", "\n\n", "ab", " ",
                                          "\x81\r", "\x9F\n", "\xE0\r\n", "\x82\xA0", "\x83\x81",
                                          "\x81\x81\r\n", "\xFC\x40", "\x88\x9F\x81", "\x81\x81\x81\x81"};
    orvex::parallel::ScopedSplitThreshold always(1);
    std::mt19937 rng(5077);
    for (int round = 0; round < 3000; ++round) {
        std::string in = round % 4 == 3 ? std::string("x") : B({0x82, 0xA0});
        const size_t pieces = 40 + rng() % 400;
        for (size_t i = 0; i < pieces; ++i) {
            const char* piece = kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
            if (round % 4 == 3 && static_cast<uint8_t>(piece[0]) >= 0x80) piece = "ab";
            in += piece;
        }
        if (round % 7 == 0) in.push_back(static_cast<char>(0x81));
        const int setting = round % 2 ? kReadDetect : kReadShiftJis;
        expectLikeTheReference(in, setting);
        if (HasFatalFailure()) return;
    }
}

// --- EUC three-byte characters ----------------------------------------------

TEST(EucTriples, ReadAsCodePage932OrQuestionMark) {
    struct Row {
        const char* name;
        std::string in, out;
        size_t unreadable;
    } rows[] = {
        {"IBM extension kanji", B({0x8F, 0xF4, 0xFB}), B({0xFB, 0xFC}), 0},
        {"IBM extension kanji 2", B({'a', 0x8F, 0xF4, 0xBD, 'b'}), B({'a', 0xFA, 0xB1, 'b'}), 0},
        {"user-defined area", B({0x8F, 0xF5, 0xA1}), B({0xF5, 0x40}), 0},
        {"no code page 932 form", B({0x8F, 0xB0, 0xA1, 0xA4, 0xA2}), B({'?', 0x82, 0xA0}), 1},
        {"high cell, then a pair", B({0x8F, 0xF4, 0xFB, 0xA4, 0xA2}), B({0xFB, 0xFC, 0x82, 0xA0}), 0},
        {"unreadable high cell, then a pair", B({0x8F, 0xB0, 0xE0, 0xA4, 0xA2, 0xA4, 0xA4}),
         B({'?', 0x82, 0xA0, 0x82, 0xA2}), 1},
        {"one per character, across lines", B({0x8F, 0xB0, 0xA1, '\n', 0x8F, 0xB0, 0xA2, 0x8F, 0xF4, 0xFB}),
         B({'?', '\r', '?', 0xFB, 0xFC}), 2},
        {"cut short: a pair as it stands", B({0xA4, 0xA2, 0x8F, 0xF4}), B({0x82, 0xA0, 0x8F, 0xF4}), 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Outcome o = convert(r.in, kReadEuc);
        EXPECT_EQ(o.text, r.out);
        EXPECT_EQ(o.result.code, kCodeEuc);
        EXPECT_EQ(o.result.unreadable, r.unreadable);
        const reference::Result ref = reference::convert(r.in, kReadEuc, 0);
        EXPECT_EQ(ref.text, r.out);
        EXPECT_EQ(ref.unreadable, r.unreadable);
    }
    // Detecting, a 0x8F that starts no triple decides Shift JIS and nothing
    // is read as "?".
    const Outcome o = convert(B({0x8F, 0x40, 0xA4, 0xA2}));
    EXPECT_EQ(o.result.code, kCodeShiftJis);
    EXPECT_EQ(o.text, B({0x8F, 0x40, 0xA4, 0xA2}));
    EXPECT_EQ(o.result.unreadable, 0u);
}

// Regression: EUC-JP text whose first high bytes are an 0x8F triple
// (IBM extension kanji as many tools write them) was detected as Shift JIS.
struct TripleDetectionRow {
    const char* name;
    std::string in;
    int code;
    std::string out;
};

class EucTripleTakenForShiftJis : public testing::TestWithParam<TripleDetectionRow> {};

TEST_P(EucTripleTakenForShiftJis, DecidesAsExpected) {
    const TripleDetectionRow& r = GetParam();
    const Outcome o = convert(r.in);
    EXPECT_EQ(o.result.code, r.code);
    EXPECT_EQ(o.text, r.out);
    const reference::Result ref = reference::convert(r.in, kReadDetect, 0);
    EXPECT_EQ(ref.code, r.code);
    EXPECT_EQ(ref.text, r.out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EucTripleTakenForShiftJis,
    testing::Values(
        // 髙 alone, and 髙橋 (a triple, then a pair)
        TripleDetectionRow{"triple", B({0x8F, 0xF4, 0xFB}), kCodeEuc, B({0xFB, 0xFC})},
        TripleDetectionRow{"triple then pair", B({0x8F, 0xF4, 0xFB, 0xB6, 0xB6, '\n'}), kCodeEuc,
                           B({0xFB, 0xFC, 0x8B, 0xB4, '\r'})},
        TripleDetectionRow{"ascii, pair, triple", B({'a', 0xA4, 0xA2, 0x8F, 0xF3, 0xF3, 'b'}), kCodeEuc,
                           B({'a', 0x82, 0xA0, 0xFA, 0x40, 'b'})},
        TripleDetectionRow{"triples back to back", B({0x8F, 0xF3, 0xF3, 0x8F, 0xF3, 0xF4}), kCodeEuc,
                           B({0xFA, 0x40, 0xFA, 0x41})},
        // After an odd number of high bytes 0x8F cannot start an EUC character.
        TripleDetectionRow{"after an odd byte", B({0xB0, 0x8F, 0xA1, 0xA1}), kCodeShiftJis,
                           B({0xB0, 0x8F, 0xA1, 0xA1})},
        TripleDetectionRow{"cut short", B({'x', 0x8F, 0xF4}), kCodeShiftJis, B({'x', 0x8F, 0xF4})},
        TripleDetectionRow{"not EUC bytes", B({0x8F, 0xF4, 0x41}), kCodeShiftJis, B({0x8F, 0xF4, 0x41})},
        // A later Shift JIS byte still decides.
        TripleDetectionRow{"then a Shift JIS byte", B({0x8F, 0xF4, 0xFB, 0x82, 0xA0}), kCodeShiftJis,
                           B({0x8F, 0xF4, 0xFB, 0x82, 0xA0})},
        // While a katakana shift is open, the byte-by-byte walk counts it too.
        TripleDetectionRow{"after a katakana shift", B({0x1B, '(', 'I', '1', 0x8F, 0xF4, 0xFB}), kCodeEuc,
                           B({0x1B, '(', 'I', '1', 0xFB, 0xFC})}),
    [](const testing::TestParamInfo<TripleDetectionRow>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name.push_back(*c);
        return name;
    });

TEST(EucTriples, EveryReadableTripleIsACharacterAndTheIbmAndUserRowsWriteBackWhole) {
    size_t readable = 0, exact = 0;
    for (int row = 0xA1; row <= 0xFE; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            const std::string triple = B({0x8F, row, cell});
            const Outcome o = convert(triple, kReadEuc);
            if (o.result.unreadable == 1) {
                EXPECT_EQ(o.text, "?");
                continue;
            }
            SCOPED_TRACE(testing::PrintToString(triple));
            ++readable;
            ASSERT_EQ(o.text.size(), 2u);
            const auto lead = static_cast<uint8_t>(o.text[0]), trail = static_cast<uint8_t>(o.text[1]);
            EXPECT_NE(orvex::cp932::decodePair(lead, trail), orvex::cp932::kNoUnicode);
            // Written as EUC and read again, the code stays; codes without a
            // pair of their own give the very bytes back.
            std::string written;
            EXPECT_EQ(appendEuc(o.text, written), 0u);
            if (lead >= 0xF0) {
                EXPECT_EQ(written, triple);
                ++exact;
            }
            EXPECT_EQ(convert(written, kReadEuc).text, o.text);
        }
    }
    // The IBM extensions and the user-defined area: 373 + 940 characters.
    EXPECT_GE(exact, 1300u);
    EXPECT_GT(readable, exact);
}
