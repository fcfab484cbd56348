// Writing Shift JIS lines in the file codes, and the code and line-end
// choices of a save.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage/Cp932.h"
#include "files/CodeChoices.h"
#include "files/CodeWriter.h"
#include "files/JisMapping.h"
#include "files/TextDecoder.h"

using namespace orvex::files;

namespace {

std::string B(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

const std::string kAa = B({0x88, 0x9F});   // 亜
const std::string kKanaA = B({0xB1});      // ｱ

// Each line with its line end, written in `code`.
std::string write(int code, std::initializer_list<std::pair<std::string, std::string>> lines, bool eof = false,
                  uint64_t* bad = nullptr) {
    StringSink sink;
    CodeWriter out(sink, code);
    out.begin();
    for (const auto& [text, end] : lines) {
        out.writeText(text);
        out.endLine(end);
    }
    if (eof) out.writeEofMark();
    EXPECT_TRUE(out.finish());
    if (bad) *bad = out.unrepresentable();
    return sink.bytes;
}

class FailingSink final : public ByteSink {
public:
    bool write(const void*, size_t) override {
        ++calls;
        return false;
    }
    int calls = 0;
};

}  // namespace

TEST(WriteJis, HalfWidthKatakanaGetsItsShiftAndIsClosedBeforeTheLineEnd) {
    EXPECT_EQ(write(kCodeJis, {{"a" + kKanaA, "\r\n"}}), "a\x1B(I" + kKanaA + "\x1B(B\r\n");
}

TEST(WriteJis, ShiftsBetweenKindsOfCharacters) {
    EXPECT_EQ(write(kCodeJis, {{kAa + kAa + "b" + kKanaA + kAa, "\n"}}),
              "\x1B$B0!0!\x1B(Bb\x1B(I" + kKanaA + "\x1B$B0!\x1B(B\n");
}

TEST(WriteJis, ShiftCarriesOverPiecesAndClosesAtTheEndOfEveryLine) {
    StringSink sink;
    CodeWriter out(sink, kCodeJis);
    out.writeText(kAa);
    out.writeText(kAa);
    out.endLine("\r");
    out.writeText(kAa);
    out.endLine("");  // the last line has no line end
    ASSERT_TRUE(out.finish());
    EXPECT_EQ(sink.bytes, "\x1B$B0!0!\x1B(B\r\x1B$B0!\x1B(B");
}

TEST(WriteJis, AppendKeepsTheShiftForTheCaller) {
    std::string out;
    int shift = 0;
    EXPECT_EQ(appendJis(kAa, out, shift), 0u);
    EXPECT_EQ(shift, 1);
    appendJis("x", out, shift);
    EXPECT_EQ(out, "\x1B$B0!\x1B(Bx");
    EXPECT_EQ(shift, 0);
}

TEST(WriteEuc, PairsKatakanaAndSingleBytes) {
    EXPECT_EQ(write(kCodeEuc, {{kAa + kKanaA + "z" + B({0x80, 0xFD}), "\r\n"}}),
              B({0xB0, 0xA1, 0x8E, 0xB1}) + "z" + B({0x80, 0xFD}) + "\r\n");
    std::string out;
    EXPECT_EQ(appendEuc(kKanaA, out), 0u);
    EXPECT_EQ(out, B({0x8E, 0xB1}));
}

TEST(WriteUtf16, ByteOrderMarkUnitsLineEndsAndEndOfFileMark) {
    EXPECT_EQ(write(kCodeUtf16, {{"a" + kAa + kKanaA, "\r\n"}, {"b", ""}}, true),
              B({0xFF, 0xFE, 'a', 0, 0x9C, 0x4E, 0x71, 0xFF, 0x0D, 0, 0x0A, 0, 'b', 0, 0x1A, 0}));
}

TEST(WriteShiftJis, BytesAsTheyAreForCodesZeroAndOne) {
    const std::string line = kAa + kKanaA + B({0x80, 0xF0, 0x40}) + "x";
    EXPECT_EQ(write(kCodeShiftJis, {{line, "\r"}}, true), line + "\r\x1A");
    EXPECT_EQ(write(kCodeUndetermined, {{line, "\r"}}), line + "\r");
    EXPECT_EQ(CodeWriter(*std::make_unique<StringSink>(), 42).code(), kCodeShiftJis);
}

TEST(WriteCodes, UnrepresentableCharactersBecomeQuestionMarks) {
    struct Row {
        int code;
        std::string in, out;
        uint64_t bad;
    } rows[] = {
        // User-defined area: no row/cell code.
        {kCodeEuc, B({0xF0, 0x40}), "?", 1},
        {kCodeJis, kAa + B({0xF0, 0x40}), "\x1B$B0!\x1B(B?", 1},
        // A lead byte with a trail byte no pair has: "?", then the byte.
        {kCodeEuc, B({0x82, 0x20}), "? ", 1},
        {kCodeUtf16, B({0x82, 0x20}), B({0xFF, 0xFE, '?', 0, ' ', 0}), 1},
        // A lone lead byte at the end of the text.
        {kCodeEuc, B({'a', 0x82}), "a?", 1},
        {kCodeJis, B({0x82}), "?", 1},
        // IBM extensions that a three-byte EUC character reads as go back
        // to it (small roman one, 髙); in JIS, and the others in EUC, they go
        // out as their twins (the not sign).
        {kCodeEuc, B({0xFA, 0x40}), B({0x8F, 0xF3, 0xF3}), 0},
        {kCodeEuc, B({0xFB, 0xFC}) + kAa, B({0x8F, 0xF4, 0xFB, 0xB0, 0xA1}), 0},
        {kCodeJis, B({0xFA, 0x40}), "\x1B$B\x7C\x71\x1B(B", 0},
        {kCodeEuc, B({0xFA, 0x54}), B({0xA2, 0xCC}), 0},
        {kCodeJis, B({0xFA, 0x54}), "\x1B$B\x22\x4C\x1B(B", 0},
        // The NEC-selected copies keep their pairs; user-defined codes that
        // a triple reads as get it back, the others cannot be written.
        {kCodeEuc, B({0xEE, 0xEF}), B({0xFC, 0xF1}), 0},
        {kCodeEuc, B({0xF5, 0x40, 0xF4, 0xFC}), B({0x8F, 0xF5, 0xA1, '?'}), 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.in));
        uint64_t bad = 0;
        EXPECT_EQ(write(r.code, {{r.in, ""}}, false, &bad), r.out);
        EXPECT_EQ(bad, r.bad);
    }
    // A twin reads back as the same character.
    std::string back = B({0xFC, 0xF1});
    convertText(back, false, kReadEuc);
    EXPECT_EQ(orvex::cp932::decodePair(static_cast<uint8_t>(back[0]), static_cast<uint8_t>(back[1])),
              orvex::cp932::decodePair(0xFA, 0x40));
}

TEST(WriteCodes, EveryRowCellCodeRoundTripsThroughJisAndEuc) {
    std::string all;
    for (int lead = 0x81; lead <= 0xEF; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            ASSERT_NE(jis::fromShiftJis(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)), 0);
            all += B({lead, trail});
            if (trail % 16 == 0) all += B({0xB1});
            if (trail % 37 == 0) all += "a";
        }
    }
    for (int code : {kCodeJis, kCodeEuc}) {
        SCOPED_TRACE(code);
        uint64_t bad = 1;
        std::string bytes = write(code, {{all, "\r\n"}, {all, ""}}, false, &bad);
        EXPECT_EQ(bad, 0u);
        ConvertResult r = convertText(bytes, false, kReadDetect);
        EXPECT_EQ(r.code, code);
        EXPECT_EQ(bytes, all + "\r\n" + all);
    }
}

TEST(WriteCodes, LongLinesCrossTheBufferAtEveryAlignment) {
    // Pairs straddle the internal pieces at odd and even offsets.
    for (size_t prefix : {size_t{0}, size_t{1}}) {
        std::string line(prefix, 'x');
        while (line.size() < 300000) line += kAa + kKanaA + kAa + "yz";
        for (int code : {kCodeJis, kCodeEuc, kCodeUtf16, kCodeShiftJis}) {
            SCOPED_TRACE(code);
            std::string bytes = write(code, {{line, "\n"}});
            DecodedText d = decodeFileText(bytes, code == kCodeShiftJis ? kReadShiftJis : kReadDetect);
            EXPECT_EQ(d.convert.code, code);
            EXPECT_EQ(bytes, line + "\r");
        }
    }
}

TEST(WriteCodes, FailedSinkIsReported) {
    FailingSink sink;
    CodeWriter out(sink, kCodeEuc);
    out.writeText(std::string(200000, 'a'));
    out.endLine("\r\n");
    EXPECT_FALSE(out.finish());
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(sink.calls, 1);  // nothing more is handed to a failed sink
}

// --- choices --------------------------------------------------------------

TEST(SaveChoices, CodeAndLineEndOfASave) {
    EXPECT_EQ(outputCode(0, false, kCodeEuc), kCodeEuc);
    EXPECT_EQ(outputCode(kCodeJis, false, kCodeEuc), kCodeJis);
    EXPECT_EQ(outputCode(kCodeJis, true, kCodeEuc), kCodeEuc);
    EXPECT_EQ(outputCode(0, false, kCodeUndetermined), kCodeShiftJis);
    EXPECT_EQ(outputCode(9, false, kCodeEuc), kCodeShiftJis);
    EXPECT_EQ(lineEndChoice(kLineEndLf, false), kLineEndLf);
    EXPECT_EQ(lineEndChoice(kLineEndLf, true), 0);
    EXPECT_EQ(lineEndText(kLineEndCr, kLineEndLf), "\r");
    EXPECT_EQ(lineEndText(0, kLineEndLf), "\n");
    EXPECT_EQ(lineEndText(0, kLineEndCr), "\r");
    EXPECT_EQ(lineEndText(0, kLineEndUndetermined), "\r\n");
}

TEST(SaveChoices, DialogListsMapToTheSettings) {
    EXPECT_EQ(kReadCodeChoices[0], "自動認識");
    const int expected[] = {kReadDetect, kReadShiftJis, kReadJis, kReadEuc, kReadUtf16};
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(autoKanjiOfReadChoice(item), expected[item]);
        EXPECT_EQ(readChoiceOfAutoKanji(expected[item]), item);
    }
    EXPECT_EQ(kSaveLineEndChoices[1], "CR/LF");
    EXPECT_EQ(kConversionCommands[3].id, 33499);
    EXPECT_EQ(kConversionCommands[3].code, kCodeUtf16);
    EXPECT_EQ(kConversionCommands[4].id, orvex::cmd::kConvertToUtf8);
    EXPECT_EQ(kConversionCommands[4].code, kCodeUtf8);
    EXPECT_TRUE(kConversionCommands[5].bom);
    EXPECT_EQ(kConversionCommands[7].lineEnd, kLineEndLf);
}
