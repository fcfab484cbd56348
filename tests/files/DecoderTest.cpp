// From file bytes to text: UTF-16 input, trailing NULs and the end-of-file
// mark, NULs inside the text, and the whole decode.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/codepage/Cp932.h"
#include "files/TextDecoder.h"

using namespace orvex::files;

namespace {

std::string B(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

// FF FE and the units, little-endian.
std::string utf16(std::u16string_view units) {
    std::string s = B({0xFF, 0xFE});
    for (char16_t u : units) {
        s.push_back(static_cast<char>(u & 0xFF));
        s.push_back(static_cast<char>(u >> 8));
    }
    return s;
}

}  // namespace

TEST(Utf16Input, ConvertsWithQuestionMarksForWhatShiftJisLacks) {
    // あ, é (no Shift JIS form), a surrogate pair (one "?"), a lone
    // surrogate, CR LF, then an odd last byte.
    std::string bytes = utf16(u"\u3042\u00E9\U0001F600\xD800x\r\n") + "\x41";
    DecodedText d = decodeFileText(bytes, kReadDetect);
    EXPECT_EQ(d.prepared.form.code, kCodeUtf16);
    EXPECT_EQ(d.convert.code, kCodeUtf16);
    EXPECT_EQ(d.convert.lineEnd, kLineEndCrLf);
    EXPECT_EQ(d.convert.lineCount, 2u);
    EXPECT_EQ(bytes, B({0x82, 0xA0}) + "???x\r\n");
}

TEST(Utf16Input, OnlyDetectAndUtf16SettingsReadIt) {
    const std::string file = utf16(u"a\n");
    for (int setting : {kReadDetect, kReadUtf16}) {
        std::string bytes = file;
        EXPECT_EQ(decodeFileText(bytes, setting).convert.code, kCodeUtf16);
        EXPECT_EQ(bytes, "a\r");
    }
    // Shift JIS reading takes the bytes as they are (the mark included).
    std::string bytes = file;
    DecodedText d = decodeFileText(bytes, kReadShiftJis);
    EXPECT_FALSE(d.prepared.unicode());
    EXPECT_EQ(d.convert.code, kCodeShiftJis);
    EXPECT_EQ(bytes, B({0xFF, 0xFE, 'a', ' ', 0x0D}));  // the last NUL dropped, the other a blank
    EXPECT_TRUE(d.prepared.hasNul);
    // Without the mark the UTF-16 setting reads the bytes as they are.
    bytes = "plain\n";
    d = decodeFileText(bytes, kReadUtf16);
    EXPECT_EQ(d.convert.code, kCodeUndetermined);
    // A file of just FF FE is an empty UTF-16 text; a single FF is not UTF-16.
    bytes = B({0xFF, 0xFE});
    EXPECT_EQ(decodeFileText(bytes, kReadDetect).convert.code, kCodeUtf16);
    EXPECT_EQ(bytes, "");
    bytes = B({0xFF});
    EXPECT_FALSE(decodeFileText(bytes, kReadDetect).prepared.unicode());
}

TEST(Utf16Input, AgreesWithTheCodePageModule) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        std::u16string units;
        for (int i = 0; i < 500; ++i) {
            switch (rng() % 4) {
                case 0: units.push_back(static_cast<char16_t>(rng() % 0x80)); break;
                case 1: units.push_back(static_cast<char16_t>(0x3000 + rng() % 0x1000)); break;
                case 2: units.push_back(static_cast<char16_t>(0x4E00 + rng() % 0x5000)); break;
                default: units.push_back(static_cast<char16_t>(rng() % 0x10000)); break;
            }
        }
        std::string bytes = utf16(units);
        const size_t n = convertUtf16Input(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
        ASSERT_EQ(bytes.substr(0, n), orvex::cp932::fromUtf16(units));
        ASSERT_EQ(bytes[n], '\0');
    }
}

TEST(PreparedText, TrailingNulsThenTheEndOfFileMarkAreDropped) {
    struct Row {
        std::string in, out;
        bool eof, nul;
    } rows[] = {
        {"", "", false, false},
        {"a\x1A", "a", true, false},
        {"a\x1A\x1A", "a\x1A", true, false},
        {B({'a', 0x1A, 0, 0}), "a", true, false},
        {B({'a', 0, 0x1A}), B({'a', 0}), true, true},
        {B({0, 0, 0}), "", false, false},
        {"a\x1A" "b", "a\x1A" "b", false, false},
        {utf16(u"a\x1A\0"), "a", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.in));
        std::string bytes = r.in;
        PreparedText p = prepareFileText(bytes, kReadDetect);
        EXPECT_EQ(bytes, r.out);
        EXPECT_EQ(p.eofMark, r.eof);
        EXPECT_EQ(p.hasNul, r.nul);
    }
}

TEST(PreparedText, NulsInsideBecomeBlanks) {
    std::string text = B({0, 'a', 0, 0, 'b'});
    replaceNuls(text);
    EXPECT_EQ(text, " a  b");
    std::string bytes = B({'x', 0, 'y', '\n'});
    DecodedText d = decodeFileText(bytes, kReadDetect);
    EXPECT_TRUE(d.prepared.hasNul);
    EXPECT_EQ(bytes, "x y\r");
}

TEST(DecodeFile, EmptyFileIsOneEmptyLine) {
    std::string bytes;
    DecodedText d = decodeFileText(bytes, kReadDetect);
    EXPECT_EQ(d.convert.lineCount, 1u);
    EXPECT_EQ(d.convert.code, kCodeUndetermined);
    EXPECT_TRUE(bytes.empty());
}
