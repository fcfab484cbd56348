// The table of characters code page 932 lacks, and the UTF-8 byte rules it
// converts with.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/codepage/Cp932.h"
#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/Utf8.h"

using orvex::cp932::PrivateCharTable;
namespace utf8 = orvex::utf8;

namespace {

std::string B(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

std::string code(uint16_t c) { return B({c >> 8, c & 0xFF}); }

// Characters as numbers, which the test output can print.
uint32_t u(char32_t c) { return static_cast<uint32_t>(c); }

}  // namespace

TEST(Utf8Rules, EveryScalarEncodesAndDecodesAsItself) {
    uint8_t buf[4];
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const int n = utf8::encode(c, buf);
        char32_t back = 0;
        ASSERT_EQ(utf8::decode(buf, static_cast<size_t>(n), back), n) << std::hex << u(c);
        ASSERT_EQ(u(back), u(c));
        // Cut short, it is ill-formed.
        if (n > 1) ASSERT_EQ(utf8::decode(buf, static_cast<size_t>(n - 1), back), 0);
    }
}

TEST(Utf8Rules, IllFormedSequences) {
    const std::string rows[] = {
        B({0x80}),                    // a continuation byte alone
        B({0xC0, 0x80}),              // overlong NUL
        B({0xC1, 0xBF}),              // overlong
        B({0xE0, 0x9F, 0xBF}),        // overlong three bytes
        B({0xED, 0xA0, 0x80}),        // surrogate
        B({0xED, 0xBF, 0xBF}),        // surrogate
        B({0xF0, 0x8F, 0xBF, 0xBF}),  // overlong four bytes
        B({0xF4, 0x90, 0x80, 0x80}),  // past U+10FFFF
        B({0xF5, 0x80, 0x80, 0x80}),
        B({0xFF}),
        B({0xE3, 0x41, 0x82}),        // a low byte inside
    };
    for (const std::string& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r));
        char32_t c;
        EXPECT_EQ(utf8::decode(reinterpret_cast<const uint8_t*>(r.data()), r.size(), c), 0);
        const std::string text = "well formed " + r + " after";
        EXPECT_EQ(utf8::firstInvalid(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 12u);
        EXPECT_FALSE(utf8::isNonAsciiUtf8(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }
    const std::string ascii = "only ascii, long enough for the eight-byte steps";
    EXPECT_FALSE(utf8::isNonAsciiUtf8(reinterpret_cast<const uint8_t*>(ascii.data()), ascii.size()));
}

TEST(PrivateCharTable, AreaCodesAndIndexesMatchOneToOne) {
    std::set<uint16_t> codes;
    for (int i = 0; i < static_cast<int>(PrivateCharTable::kCapacity); ++i) {
        const uint16_t c = PrivateCharTable::codeAt(i);
        ASSERT_EQ(PrivateCharTable::indexOf(c), i);
        ASSERT_NE(orvex::cp932::decodePair(static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)),
                  orvex::cp932::kNoUnicode);
        codes.insert(c);
    }
    EXPECT_EQ(codes.size(), PrivateCharTable::kCapacity);
    EXPECT_EQ(*codes.begin(), 0xF040);
    EXPECT_EQ(*codes.rbegin(), 0xF9FC);
    for (uint16_t outside : {0xEFFC, 0xF07F, 0xF03F, 0xF0FD, 0xFA40, 0x82A0}) EXPECT_FALSE(PrivateCharTable::isAreaCode(outside));
}

TEST(PrivateCharTable, CodesAndPrecedence) {
    PrivateCharTable t;
    EXPECT_EQ(t.toSjis(U'あ'), 0x82A0);               // a character of the code page
    EXPECT_EQ(t.toSjis(U'\uE000'), 0xF040);            // private use keeps its code...
    EXPECT_TRUE(t.isTaken(0xF040));                    // ...which is now taken
    EXPECT_EQ(t.toSjis(U'\U0001F600'), 0xF041);        // first free code
    EXPECT_EQ(t.toSjis(U'\U0001F600'), 0xF041);        // the same entry again
    EXPECT_EQ(t.toSjis(U'\uE001'), 0xF042);            // its own code is held: an entry of its own
    EXPECT_EQ(u(t.toUnicode(0xF041)), u(U'\U0001F600'));     // a held code is its character
    EXPECT_EQ(u(t.toUnicode(0xF042)), u(U'\uE001'));
    EXPECT_EQ(u(t.toUnicode(0xF043)), u(U'\uE003'));         // a code not held keeps its private-use meaning
    EXPECT_EQ(u(t.toUnicode(0xF040)), u(U'\uE000'));
    EXPECT_EQ(t.lookupSjis(U'\U0001F601'), 0);         // lookup never makes entries
    EXPECT_EQ(t.size(), 2u);
    EXPECT_EQ(t.toUtf8(code(0xF041) + code(0xF043) + "a"), "\xF0\x9F\x98\x80\xEE\x80\x83" "a");
    EXPECT_EQ(t.toUtf16(code(0xF042)), u"\uE001");
}

TEST(PrivateCharTable, FullAreaFailsAndBulkConversionsCountTheLoss) {
    PrivateCharTable t;
    t.markUsed(0xF9FC);
    for (char32_t c = 0; c < PrivateCharTable::kCapacity - 1; ++c) ASSERT_NE(t.toSjis(0x20000 + c), 0);
    EXPECT_EQ(t.freeCodes(), 0u);
    EXPECT_EQ(t.toSjis(U'\U0003FFFD'), 0);
    // Characters it holds and characters of the code page still convert.
    const PrivateCharTable::FromUnicode in = t.fromUtf16(u"\U00020000あ\U0003FFFD\U0003FFFC");
    EXPECT_EQ(in.text, code(0xF040) + code(0x82A0) + "??");
    EXPECT_EQ(in.lost, 2u);
}

TEST(PrivateCharTable, CodesTheTextHoldsAreNotGivenOut) {
    PrivateCharTable t;
    std::string text = "a" + code(0xF040) + B({0x82, 0xF0}) + code(0xF042);  // F0 as a trail byte is no code
    t.setTextSource([&] { return std::string_view(text); });
    const PrivateCharTable::FromUnicode in = t.fromUtf8("\xF0\x9F\x98\x80 \xC3\xA9");
    EXPECT_EQ(in.text, code(0xF041) + " " + code(0xF043));
    EXPECT_EQ(in.lost, 0u);
    // Lone surrogates are kept; search strings make no entries.
    const PrivateCharTable::FromUnicode lone = t.fromUtf16(std::u16string(1, u'\xDC00'));
    EXPECT_EQ(lone.text, code(0xF044));
    EXPECT_EQ(t.toUtf16(lone.text), std::u16string(1, u'\xDC00'));
    EXPECT_EQ(t.toUtf8(lone.text), "\xEF\xBF\xBD");
    const PrivateCharTable::FromUnicode search = t.fromUtf16(u"\U0001F600\U0001F601", false);
    EXPECT_EQ(search.text, code(0xF041) + "?");
    EXPECT_EQ(search.invalid, 1u);
    EXPECT_EQ(t.fromUtf8("\xC2\xA2", false).text, code(0x8191));  // ¢ finds ￠
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(t.fromUtf8("\xC2\xA2").text, code(0xF045));  // but is kept as itself
    // Ill-formed UTF-8 is "?".
    EXPECT_EQ(t.fromUtf8("a\xFF" "b").invalid, 1u);
}

TEST(PrivateCharTable, ShiftJisFromOutsideKeepsItsPrivateUseCharacters) {
    PrivateCharTable t;
    ASSERT_EQ(t.toSjis(U'\U0001F600'), 0xF040);
    // An inserted Shift JIS text's F040 is U+E000, not the emoji.
    std::string inserted = "x" + code(0xF040) + code(0xF045) + code(0x82A0);
    EXPECT_TRUE(t.adoptShiftJis(inserted));
    EXPECT_EQ(t.toUtf16(inserted), u"x\uE000\uE005あ");
    EXPECT_TRUE(t.isTaken(0xF045));
}
