// Value encodings of the settings files: strings, binaries, integers and
// window placements.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/codepage/Cp932.h"
#include "settings/ValueCodec.h"

namespace orvex::settings::codec {
namespace {

std::string sjis(const char* utf8) { return cp932::fromUtf8(utf8); }

struct EscapeRow {
    const char* name;
    std::string text;
    std::string escaped;
};

class EscapeTable : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(EscapeTable, EscapesAndReadsBack) {
    const EscapeRow& row = GetParam();
    EXPECT_EQ(escapeString(row.text), row.escaped);
    EXPECT_EQ(unescapeString(row.escaped), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, EscapeTable,
    ::testing::Values(
        EscapeRow{"Plain", "abc def", "abc def"},
        EscapeRow{"Controls", "a\tb\nc\rd\fe", "a\\tb\\nc\\rd\\fe"},
        EscapeRow{"QuoteAndBackslash", "say \"hi\" C:\\x", "say \\\"hi\\\" C:\\\\x"},
        EscapeRow{"TabLineFeedQuoteBackslash", "\t\n\"\\", "\\t\\n\\\"\\\\"},
        // 表 is 0x95 0x5C and ソ 0x83 0x5C: the trail byte is a backslash and
        // stays a single byte.
        EscapeRow{"TrailByte5C", sjis("表示ソフト"), sjis("表示ソフト")},
        EscapeRow{"TrailByte5CBeforeEscape", sjis("表") + "\n", sjis("表") + "\\n"},
        EscapeRow{"HalfWidthKana", sjis("ｶﾅ\\"), sjis("ｶﾅ") + "\\\\"},
        EscapeRow{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EscapeString, DropsOtherControlBytes) {
    EXPECT_EQ(escapeString(std::string("a\x01" "b\x1A" "c\0d", 7)), "abcd");
    EXPECT_EQ(escapeString("\x7F"), "\x7F");  // DEL is not below 0x20
}

TEST(EscapeString, QuotedFormIsWhatTheFileHolds) {
    EXPECT_EQ(quoteString("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(quoteString(""), "\"\"");
}

TEST(EscapeString, LeadByteWithoutTrailNeverSwallowsALineEnd) {
    // 0x81 followed by a line feed is not a double-byte character: the line
    // feed is escaped and the settings file keeps its line structure.
    const std::string escaped = escapeString(std::string("\x81\n", 2));
    EXPECT_EQ(escaped.find('\n'), std::string::npos);
    EXPECT_EQ(escaped.find('\r'), std::string::npos);
    // The lone lead byte would take the escape's backslash as its trail
    // byte when read back, so it is left out.
    EXPECT_EQ(unescapeString(escaped), "\n");
}

TEST(EscapeString, LoneLeadBeforeSingleByteIsKept) {
    const std::string text("\x81" "1", 2);  // "1" (0x31) is not a trail byte
    EXPECT_EQ(unescapeString(escapeString(text)), text);
}

TEST(EscapeString, CutAt4092BytesNeverInsideACharacterOrEscape) {
    std::string text(4091, 'a');
    EXPECT_EQ(escapeString(text + "\t").size(), 4091u);  // "\t" needs two bytes
    EXPECT_EQ(escapeString(text + "x").size(), 4092u);
    EXPECT_EQ(escapeString(text + sjis("漢")).size(), 4091u);
    EXPECT_EQ(escapeString(std::string(10000, 'z')).size(), kMaxEscapedBytes);
}

TEST(UnescapeString, Rules) {
    EXPECT_EQ(unescapeString("a\\qb"), "aqb");     // unknown escape: backslash dropped
    EXPECT_EQ(unescapeString("end\\"), "end\\");   // backslash at the very end stays
    EXPECT_EQ(unescapeString("no escapes"), "no escapes");
    EXPECT_EQ(unescapeString(sjis("表") + "n"), sjis("表") + "n");  // the trail 0x5C starts no escape
    EXPECT_EQ(unescapeString("\\" + sjis("表")), sjis("表"));       // escaped double-byte character kept whole
}

TEST(Unquote, RemovesEnclosingQuotesOnly) {
    EXPECT_EQ(unquote("\"abc\""), "abc");
    EXPECT_EQ(unquote("abc"), "abc");
    EXPECT_EQ(unquote("\"abc"), "abc");  // an unterminated quote (a cut file)
    EXPECT_EQ(unquote("\""), "");
    EXPECT_EQ(unquote("\"\""), "");
}

// Random byte strings: whatever goes in, the escaped text is a safe single
// line value and reading it back and writing it again changes nothing.
TEST(EscapeString, RandomizedRoundTrip) {
    std::mt19937 rng(1234);
    static const uint8_t interesting[] = {0x00, 0x09, 0x0A, 0x0C, 0x0D, 0x22, 0x5C, 0x40, 0x7E, 0x7F,
                                          0x80, 0x81, 0x9F, 0xA1, 0xDF, 0xE0, 0xFC, 0xFD, 0xFF, 0x41};
    for (int iter = 0; iter < 20000; ++iter) {
        std::string s(rng() % 40, '\0');
        for (char& c : s) c = static_cast<char>(rng() % 3 ? interesting[rng() % sizeof interesting] : rng());
        const std::string e = escapeString(s);
        ASSERT_LE(e.size(), kMaxEscapedBytes);
        ASSERT_EQ(e.find('\r'), std::string::npos);
        ASSERT_EQ(e.find('\n'), std::string::npos);
        ASSERT_EQ(unquote(quoteString(s)), e);
        const std::string back = unescapeString(e);
        ASSERT_EQ(escapeString(back), e) << "iteration " << iter;
        // Valid Shift JIS without dropped controls survives exactly.
        bool clean = true;
        for (size_t i = 0; i < s.size(); i += charBytes(s, i)) {
            const auto b = static_cast<uint8_t>(s[i]);
            if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') ||
                (charBytes(s, i) == 1 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))))
                clean = false;
        }
        if (clean) {
            ASSERT_EQ(back, s) << "iteration " << iter;
        }
    }
}

TEST(Binary, LetterPairsLowNibbleFirst) {
    const uint8_t bytes[] = {0x3F, 0x00, 0xFF, 0x12};
    EXPECT_EQ(encodeBinary(bytes, 4), "PDAAPPCB");
    auto back = decodeBinary("PDAAPPCB", 16);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, std::vector<uint8_t>(bytes, bytes + 4));
}

TEST(Binary, FailedAndShortReads) {
    EXPECT_FALSE(decodeBinary("", 4));        // an empty string is a failed read
    EXPECT_FALSE(decodeBinary("PDAZ", 4));    // Z is no nibble letter
    EXPECT_EQ(decodeBinary("PDAAPP", 2)->size(), 2u);  // at most the buffer size
    EXPECT_EQ(decodeBinary("PDA", 4)->size(), 1u);     // a final odd letter is ignored
}

TEST(ParseInt, AcceptsWhatIntegerValuesHold) {
    EXPECT_EQ(parseInt("42"), 42);
    EXPECT_EQ(parseInt("  -1"), -1);
    EXPECT_EQ(parseInt("+7"), 7);
    EXPECT_EQ(parseInt("12abc"), 12);
    EXPECT_EQ(parseInt("4294967295"), -1);  // a 32-bit value written unsigned
    EXPECT_EQ(parseInt("-2147483648"), INT32_MIN);
    EXPECT_FALSE(parseInt("4294967296"));
    EXPECT_FALSE(parseInt("99999999999999999999999"));
    EXPECT_FALSE(parseInt("abc"));
    EXPECT_FALSE(parseInt(""));
    EXPECT_FALSE(parseInt("-"));
}

TEST(Placement, FormatsTenNumbers) {
    WindowPlacement p{2, 1, -1, -1, -8, -8, 10, 20, 610, 420};
    EXPECT_EQ(formatPlacement(p), "2,1,-1,-1,-8,-8,10,20,610,420");
}

struct PlacementRow {
    const char* name;
    const char* text;
    bool ok;
};

class PlacementTable : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(PlacementTable, ReadChecks) {
    const PlacementRow& row = GetParam();
    std::optional<WindowPlacement> p = parsePlacement(row.text, ScreenSize{1920, 1080});
    EXPECT_EQ(p.has_value(), row.ok);
    if (p) {
        EXPECT_EQ(p->minX, -1);
        EXPECT_EQ(p->minY, -1);
        EXPECT_EQ(p->maxX, -1);
        EXPECT_EQ(p->maxY, -1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PlacementTable,
    ::testing::Values(PlacementRow{"Normal", "0,1,5,5,-4,-4,100,100,800,600", true},
                      PlacementRow{"NegativeLeft", "0,1,0,0,0,0,-50,0,400,300", true},
                      PlacementRow{"BeyondScreenWidth", "0,1,0,0,0,0,1920,0,2400,300", false},
                      PlacementRow{"BeyondScreenHeight", "0,1,0,0,0,0,0,1080,400,1300", false},
                      PlacementRow{"EmptyWidth", "0,1,0,0,0,0,100,0,100,300", false},
                      PlacementRow{"EmptyHeight", "0,1,0,0,0,0,0,300,400,300", false},
                      PlacementRow{"NineNumbers", "0,1,0,0,0,0,100,100,800", false},
                      PlacementRow{"Garbage", "0,1,0,0,x,0,100,100,800,600", false},
                      PlacementRow{"Blanks", " 0, 1, 0, 0, 0, 0, 1, 2, 30, 40", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Placement, UnknownScreenChecksOnlyTheRectangle) {
    EXPECT_TRUE(parsePlacement("0,1,0,0,0,0,5000,5000,5100,5100", ScreenSize{}));
}

}  // namespace
}  // namespace orvex::settings::codec
