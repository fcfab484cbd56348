// Shift JIS byte rules, character classes and the code page 932 tables.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "common/codepage/Cp932.h"
#include "common/codepage/Cp932Mapping.h"
#include "common/codepage/ShiftJis.h"

using namespace orvex;

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

uint16_t decode2(int lead, int trail) {
    return cp932::decodePair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
}

}  // namespace

TEST(ShiftJisBytes, LeadByteRangesAndTheirEdges) {
    struct Row {
        int byte;
        bool lead;
        bool halfKana;
    } rows[] = {{0x00, false, false}, {0x7F, false, false}, {0x80, false, false}, {0x81, true, false},
                {0x9F, true, false},  {0xA0, false, false}, {0xA1, false, true}, {0xDF, false, true},
                {0xE0, true, false},  {0xEF, true, false},  {0xFC, true, false}, {0xFD, false, false},
                {0xFF, false, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.byte);
        EXPECT_EQ(sjis::isLeadByte(static_cast<uint8_t>(r.byte)), r.lead);
        EXPECT_EQ(sjis::isHalfWidthKana(static_cast<uint8_t>(r.byte)), r.halfKana);
    }
}

TEST(ShiftJisBytes, ByteClassGroups) {
    EXPECT_EQ(sjis::kByteClass[0x00], 0x01);
    EXPECT_EQ(sjis::kByteClass[0x0C], 0x02);
    EXPECT_EQ(sjis::kByteClass[0x0D], 0x02);
    EXPECT_EQ(sjis::kByteClass[0x0A], 0x04);
    for (char c : std::string("!#$%&'+=[]^`{}~")) EXPECT_EQ(sjis::kByteClass[static_cast<uint8_t>(c)], 0x08) << c;
    for (char c : std::string("-.09AZaz_@")) EXPECT_EQ(sjis::kByteClass[static_cast<uint8_t>(c)], 0x18) << c;
    for (char c : std::string("\"*,;<>|")) EXPECT_EQ(sjis::kByteClass[static_cast<uint8_t>(c)], 0x20) << c;
    for (char c : std::string("/:?\\")) EXPECT_EQ(sjis::kByteClass[static_cast<uint8_t>(c)], 0x28) << c;
    for (int b : {0x01, 0x09, 0x0B, 0x0E, 0x1F, 0x20, int('('), int(')'), 0x7F, 0x80, 0x81, 0xA1, 0xFF})
        EXPECT_EQ(sjis::kByteClass[b], 0) << b;
    EXPECT_TRUE(sjis::isLineEnd(0x0D));
    EXPECT_TRUE(sjis::isLineEnd(0x0A));
    EXPECT_TRUE(sjis::isLineEnd(0x0C));
    EXPECT_FALSE(sjis::isLineEnd(0x00));
    EXPECT_FALSE(sjis::isLineEnd(0x09));
}

TEST(ShiftJisBytes, CharacterClasses) {
    struct Row {
        std::string text;
        int cls;
    } rows[] = {
        {" ", 2},                {"\t", 2},             {bytes({0x81, 0x40}), 2},  // blanks
        {"a", 1},                {"Z", 1},              {"5", 1},
        {"_", 1},                {"-", 0},              {"@", 0},
        {"\x7F", 0},             {bytes({0xB1}), 3},    {bytes({0xA1}), 3},
        {bytes({0xDF}), 3},      {bytes({0x82, 0x60}), 4}, {bytes({0x82, 0x9A}), 4},
        {bytes({0x82, 0x9B}), 5}, {bytes({0x82, 0xA0}), 5}, {bytes({0x83, 0x40}), 6},
        {bytes({0x83, 0x96}), 6}, {bytes({0x83, 0x97}), 8}, {bytes({0x81, 0x5B}), 6},
        {bytes({0x81, 0x4A}), 6}, {bytes({0x81, 0x4B}), 6}, {bytes({0x81, 0x52}), 7},
        {bytes({0x81, 0x59}), 7}, {bytes({0x81, 0x5A}), 8}, {bytes({0x81, 0x51}), 8},
        {bytes({0x84, 0x9F}), 8}, {bytes({0x87, 0x40}), 8}, {bytes({0x88, 0x9F}), 7},
        {bytes({0x9F, 0xFC}), 7}, {bytes({0xE0, 0x40}), 7}, {bytes({0xFC, 0x4B}), 7},
    };
    for (const Row& r : rows) EXPECT_EQ(sjis::charClass(r.text.c_str()), r.cls) << r.text;
}

TEST(ShiftJisBytes, TabStopsAndWidths) {
    EXPECT_EQ(sjis::nextTabStop(5, 4), 8);
    EXPECT_EQ(sjis::nextTabStop(8, 4), 12);
    EXPECT_EQ(sjis::nextTabStop(0, 8), 8);
}

// Every lead-byte range with the trail bytes that trip up byte-wise code.
TEST(Cp932Decode, LeadRangesWithAwkwardTrailBytes) {
    struct Row {
        int lead, trail;
        uint16_t unicode;
    } rows[] = {
        {0x81, 0x40, 0x3000}, {0x81, 0x5C, 0x2015}, {0x81, 0x7E, 0x00D7}, {0x81, 0x80, 0x00F7},
        {0x81, 0xFC, 0x25EF}, {0x88, 0x9F, 0x4E9C}, {0x9F, 0x40, 0x6A97}, {0x9F, 0x5C, 0x6B43},
        {0x9F, 0x7E, 0x6BEF}, {0x9F, 0xFC, 0x6ECC}, {0xE0, 0x40, 0x6F3E}, {0xE0, 0x5C, 0x6FEC},
        {0xEA, 0xA4, 0x7199}, {0x83, 0x5C, 0x30BD}, {0x95, 0x5C, 0x8868},
        // NEC row 13, NEC-selected IBM extensions and IBM extensions.
        {0x87, 0x40, 0x2460}, {0x87, 0x5C, 0x2168}, {0x87, 0x82, 0x2116}, {0x87, 0x90, 0x2252},
        {0xED, 0x40, 0x7E8A}, {0xEE, 0x5C, 0x7821}, {0xEE, 0xFC, 0xFF02}, {0xFA, 0x40, 0x2170},
        {0xFA, 0x5C, 0x7E8A}, {0xFA, 0x55, 0xFFE4}, {0xFC, 0x4B, 0x9ED1},
        // wave dash and the other codes that differ between Japanese converters
        {0x81, 0x60, 0xFF5E}, {0x81, 0x61, 0x2225}, {0x81, 0x7C, 0xFF0D},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << r.lead << " " << r.trail);
        EXPECT_EQ(decode2(r.lead, r.trail), r.unicode);
    }
    // Trail bytes outside the code page: 0x7F, below 0x40, 0xFD..0xFF.
    EXPECT_EQ(decode2(0x81, 0x7F), cp932::kNoUnicode);
    EXPECT_EQ(decode2(0x88, 0x3F), cp932::kNoUnicode);
    EXPECT_EQ(decode2(0x9F, 0xFD), cp932::kNoUnicode);
    EXPECT_EQ(decode2(0x85, 0x40), cp932::kNoUnicode);  // unassigned row
}

TEST(Cp932Decode, SingleBytes) {
    EXPECT_EQ(cp932::decodeSingle('A'), u'A');
    EXPECT_EQ(cp932::decodeSingle(0x5C), 0x5C);
    EXPECT_EQ(cp932::decodeSingle(0x7E), 0x7E);
    EXPECT_EQ(cp932::decodeSingle(0xA1), 0xFF61);  // ｡
    EXPECT_EQ(cp932::decodeSingle(0xB1), 0xFF71);  // ｱ
    EXPECT_EQ(cp932::decodeSingle(0xDF), 0xFF9F);  // ﾟ
    EXPECT_EQ(cp932::decodeSingle(0x80), cp932::kNoUnicode);
    EXPECT_EQ(cp932::decodeSingle(0xA0), cp932::kNoUnicode);
    EXPECT_EQ(cp932::decodeSingle(0xFD), cp932::kNoUnicode);
}

TEST(Cp932Decode, TruncatedAndInvalidInputStaysInBounds) {
    // A lead byte as the last byte: one replacement, nothing read beyond.
    std::string s = bytes({'a', 0x82});
    char16_t out[4] = {0, 0, 0, 0x1234};
    size_t n = cp932::toUtf16(reinterpret_cast<const uint8_t*>(s.data()), s.size(), out, u'?');
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(out[0], u'a');
    EXPECT_EQ(out[1], u'?');
    EXPECT_EQ(out[3], 0x1234);
    // An invalid pair swallows its trail byte (a lead always takes it).
    EXPECT_EQ(cp932::toUtf16(bytes({0x85, 0x40, 'b'}), u'?'), u"?b");
    EXPECT_EQ(cp932::toUtf16(bytes({0x81, 0x7F, 'b'}), u'?'), u"?b");
    EXPECT_EQ(cp932::toUtf16(bytes({0x80, 0xA0, 0xFF})), std::u16string(3, cp932::kDecodeReplacement));
}

TEST(Cp932Encode, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(cp932::fromUtf16(u"a\u00E9b"), "a?b");            // é has no code
    EXPECT_EQ(cp932::fromUtf16(u"\U0001F600x"), "?x");            // one ? per surrogate pair
    EXPECT_EQ(cp932::fromUtf16(std::u16string(1, 0xD800)), "?");  // lone surrogate
    EXPECT_EQ(cp932::fromUtf16(u"\u00A5"), "?");                 // no best fit: yen is not 0x5C
    EXPECT_EQ(cp932::fromUtf16(u"\u203E"), "?");
    EXPECT_EQ(cp932::fromUtf8("\xE2\x82\xAC"), "?");              // euro sign
}

TEST(Cp932Encode, WaveDashAndFullWidthTilde) {
    // The code page's own reading of 0x8160 is the full-width tilde; the wave
    // dash that other Japanese converters produce for the same code maps back.
    EXPECT_EQ(cp932::fromUtf16(u"\uFF5E"), bytes({0x81, 0x60}));
    EXPECT_EQ(cp932::fromUtf16(u"\u301C"), bytes({0x81, 0x60}));
    EXPECT_EQ(cp932::fromUtf16(u"\u2016"), bytes({0x81, 0x61}));
    EXPECT_EQ(cp932::fromUtf16(u"\u2212"), bytes({0x81, 0x7C}));
    EXPECT_EQ(cp932::fromUtf16(u"\u00A2\u00A3\u00AC"), bytes({0x81, 0x91, 0x81, 0x92, 0x81, 0xCA}));
    EXPECT_EQ(cp932::toUtf16(bytes({0x81, 0x60})), u"\uFF5E");
}

TEST(Cp932Encode, DuplicatedCodesChooseTheCanonicalOne) {
    // 纊 is both 0xED40 (NEC-selected IBM) and 0xFA5C (IBM): the IBM code wins.
    EXPECT_EQ(cp932::encodeUnit(0x7E8A), 0xFA5C);
    // ≒ is 0x81E0 and NEC row 13's 0x8790: the JIS X 0208 code wins.
    EXPECT_EQ(cp932::encodeUnit(0x2252), 0x81E0);
    // ⅰ exists only as the IBM/NEC-selected pair; ¬ as 0x81CA.
    EXPECT_EQ(cp932::encodeUnit(0x2170), 0xFA40);
    EXPECT_EQ(cp932::encodeUnit(0xFFE2), 0x81CA);
    EXPECT_EQ(cp932::encodeUnit(0x2460), 0x8740);  // NEC row 13 ①
}

// Every Unicode character the code page can hold survives Unicode -> Shift
// JIS -> Unicode, and every Shift JIS code survives the other way round or
// lands on the canonical code of the same character.
TEST(Cp932RoundTrip, EveryCodeOfTheCodePage) {
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<uint8_t>(lead))) continue;
        for (int trail = 0; trail < 256; ++trail) {
            uint16_t u = decode2(lead, trail);
            if (u == cp932::kNoUnicode) continue;
            ++pairs;
            uint16_t back = cp932::encodeUnit(u);
            ASSERT_NE(back, cp932::kNoSjis) << std::hex << lead << trail;
            ASSERT_EQ(decode2(back >> 8, back & 0xFF), u) << std::hex << lead << trail;
            if (back != (lead << 8 | trail)) {
                // Only the duplicated blocks may move.
                EXPECT_TRUE((lead >= 0x87 && lead <= 0x87) || lead == 0xED || lead == 0xEE || lead == 0xFA ||
                            lead == 0xFB || lead == 0xFC)
                    << std::hex << lead << " " << trail << " -> " << back;
            }
        }
    }
    EXPECT_GT(pairs, 7800);  // JIS X 0208 plus the NEC and IBM extensions
}

// The generated tables and the bulk converters agree with glibc itself.
TEST(Cp932RoundTrip, BulkConversionMatchesIconv) {
    std::string all;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<uint8_t>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (decode2(lead, trail) == cp932::kNoUnicode) continue;
            all.push_back(static_cast<char>(lead));
            all.push_back(static_cast<char>(trail));
        }
    }
    for (int b = 0x20; b < 0x7F; ++b) all.push_back(static_cast<char>(b));
    for (int b = 0xA1; b <= 0xDF; ++b) all.push_back(static_cast<char>(b));
    all += "\r\n";

    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(all.size() * 2, '\0');
    char* ip = all.data();
    char* op = out.data();
    size_t il = all.size(), ol = out.size();
    ASSERT_NE(iconv(cd, &ip, &il, &op, &ol), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - ol);
    std::u16string expected(out.size() / 2, u'\0');
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<char16_t>(static_cast<uint8_t>(out[2 * i]) | static_cast<uint8_t>(out[2 * i + 1]) << 8);

    const std::u16string wide = cp932::toUtf16(all);
    EXPECT_EQ(wide, expected);
    // Back to Shift JIS: equal except where a duplicate moved to its canonical code.
    EXPECT_EQ(cp932::toUtf16(cp932::fromUtf16(wide)), wide);
    // And through UTF-8.
    EXPECT_EQ(cp932::fromUtf8(cp932::toUtf8(all)), cp932::fromUtf16(wide));
}

TEST(Cp932Utf8, JapaneseTextAndMalformedSequences) {
    const std::string utf8 = "表示ｶﾅ、\\~";
    const std::string sj = bytes({0x95, 0x5C, 0x8E, 0xA6, 0xB6, 0xC5, 0x81, 0x41, 0x5C, 0x7E});
    EXPECT_EQ(cp932::fromUtf8(utf8), sj);
    EXPECT_EQ(cp932::toUtf8(sj), utf8);
    EXPECT_EQ(cp932::fromUtf8("a\xC3"), "a?");            // truncated sequence
    EXPECT_EQ(cp932::fromUtf8("\xE3\x81x"), "??x");      // broken sequence, then ASCII
    EXPECT_EQ(cp932::fromUtf8("\xC0\xAF"), "??");         // overlong
    EXPECT_EQ(cp932::fromUtf8("\xED\xA0\x80"), "???");    // encoded surrogate
}

TEST(Cp932Mapping, CaseOfAsciiAndFullWidthLatinOnly) {
    EXPECT_EQ(cp932::toUpper('a'), 'A');
    EXPECT_EQ(cp932::toUpper(0x8281), 0x8260);  // ａ -> Ａ
    EXPECT_EQ(cp932::toUpper(0x829A), 0x8279);  // ｚ -> Ｚ
    EXPECT_EQ(cp932::toLower(0x8260), 0x8281);
    EXPECT_EQ(cp932::toLower('Z'), 'z');
    EXPECT_EQ(cp932::toUpper(0xB1), 0xB1);      // half-width katakana never change
    EXPECT_EQ(cp932::toUpper(0x839F), 0x839F);  // Greek is not mapped by the code page rule
    EXPECT_EQ(cp932::toLower(0x8250), 0x8250);  // digits
    EXPECT_TRUE(cp932::isLowerLetter(0x8281));
    EXPECT_FALSE(cp932::isLowerLetter(0x8260));
}

TEST(Cp932Mapping, FullWidthToSingleByte) {
    EXPECT_EQ(cp932::toSingleByte(0x8140), 0x20);  // full-width blank
    EXPECT_EQ(cp932::toSingleByte(0x8260), 'A');
    EXPECT_EQ(cp932::toSingleByte(0x824F), '0');  // ０
    EXPECT_EQ(cp932::toSingleByte(0x8258), '9');  // ９
    EXPECT_EQ(cp932::toSingleByte(0x815F), '\\');
    EXPECT_EQ(cp932::toSingleByte(0x8160), '~');
    EXPECT_EQ(cp932::toSingleByte(0x834A), 0xB6);  // カ -> ｶ
    EXPECT_EQ(cp932::toSingleByte(0x834B), 0xB6);  // ガ -> ｶ (the mark is added by the caller)
    EXPECT_EQ(cp932::toSingleByte(0x836F), 0xCA);  // バ -> ﾊ
    EXPECT_EQ(cp932::toSingleByte(0x8370), 0xCA);  // パ -> ﾊ
    EXPECT_EQ(cp932::toSingleByte(0x8394), 0xB3);  // ヴ -> ｳ
    EXPECT_EQ(cp932::toSingleByte(0x82AA), 0xB6);  // が -> ｶ
    EXPECT_EQ(cp932::toSingleByte(0x815B), 0xB0);  // ー
    EXPECT_EQ(cp932::toSingleByte(0x8142), 0xA1);  // 。
    EXPECT_EQ(cp932::toSingleByte(0x814A), 0xDE);  // ゛
    EXPECT_EQ(cp932::toSingleByte(0x8395), -1);    // ヵ has no half-width form
    EXPECT_EQ(cp932::toSingleByte(0x889F), -1);    // kanji
    EXPECT_EQ(cp932::toSingleByte('A'), -1);
}

TEST(Cp932Mapping, SingleByteToFullWidth) {
    EXPECT_EQ(cp932::toFullWidth(' '), 0x8140);
    EXPECT_EQ(cp932::toFullWidth('A'), 0x8260);
    EXPECT_EQ(cp932::toFullWidth('~'), 0x8160);
    EXPECT_EQ(cp932::toFullWidth('\\'), 0x815F);
    EXPECT_EQ(cp932::toFullWidth(0xB6), 0x834A);  // ｶ -> カ
    EXPECT_EQ(cp932::toFullWidth(0xA6), 0x8392);  // ｦ -> ヲ
    EXPECT_EQ(cp932::toFullWidth(0xB0), 0x815B);
    EXPECT_EQ(cp932::toFullWidth(0xDF), 0x814B);
    EXPECT_EQ(cp932::toFullWidth(0x0D), 0);
}

// The hand-written half-width table agrees with Unicode's own pairing of
// U+FF61..U+FF9F with their full-width forms, read through the code page.
TEST(Cp932Mapping, HalfWidthKanaTableAgreesWithUnicode) {
    const char16_t fullForms[] = {
        0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
        0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
        0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
        0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
        0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};
    for (int b = 0xA1; b <= 0xDF; ++b) {
        uint16_t full = cp932::toFullWidth(static_cast<uint8_t>(b));
        EXPECT_EQ(cp932::decodePair(full >> 8, full & 0xFF), fullForms[b - 0xA1]) << std::hex << b;
        EXPECT_EQ(cp932::toSingleByte(full), b) << std::hex << b;
    }
}

TEST(Cp932Mapping, KanaPositionsAndVoicing) {
    EXPECT_EQ(cp932::katakanaPosition(0x8340), 0);
    EXPECT_EQ(cp932::katakanaPosition(0x8380), 63);  // ム follows ミ across the 0x7F gap
    EXPECT_EQ(cp932::katakanaPosition(0x837F), -1);
    EXPECT_EQ(cp932::hiraganaPosition(0x829F), 0);
    EXPECT_EQ(cp932::hiraganaAt(cp932::katakanaPosition(0x8393)), 0x82F1);  // ン -> ん
    EXPECT_EQ(cp932::katakanaAt(cp932::hiraganaPosition(0x82AA)), 0x834B);  // が -> ガ
    EXPECT_EQ(cp932::hiraganaAt(cp932::katakanaPosition(0x8394)), 0);       // ヴ has no hiragana
    EXPECT_EQ(cp932::kanaVoicing(cp932::katakanaPosition(0x834B)), cp932::Voicing::Voiced);      // ガ
    EXPECT_EQ(cp932::kanaVoicing(cp932::katakanaPosition(0x8370)), cp932::Voicing::SemiVoiced);  // パ
    EXPECT_EQ(cp932::kanaVoicing(cp932::katakanaPosition(0x8394)), cp932::Voicing::Voiced);      // ヴ
    EXPECT_EQ(cp932::kanaVoicing(cp932::katakanaPosition(0x8362)), cp932::Voicing::None);        // ッ
    EXPECT_EQ(cp932::kanaVoicing(cp932::katakanaPosition(0x8364)), cp932::Voicing::Voiced);      // ヅ
    int voiced = 0, semi = 0;
    for (int p = 0; p < 86; ++p) {
        voiced += cp932::kanaVoicing(p) == cp932::Voicing::Voiced;
        semi += cp932::kanaVoicing(p) == cp932::Voicing::SemiVoiced;
    }
    EXPECT_EQ(voiced, 21);  // が..ど (15), ば..ぼ (5), ヴ
    EXPECT_EQ(semi, 5);
}
