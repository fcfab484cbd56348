// Unicode files: detection of UTF-8 and the byte-order marks, reading and
// writing UTF-8 (with and without its mark) and UTF-16 in both byte
// orders, and the document's table of characters code page 932 lacks:
// byte-for-byte round trips, the user-defined codes the text already uses,
// the full area, the question before a lossy save.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/Utf8.h"
#include "files/CodeChoices.h"
#include "files/DocumentTestSupport.h"
#include "files/TextDecoder.h"

using namespace orvex::files;
using namespace orvex::files::test;
using orvex::cp932::PrivateCharTable;

namespace {

std::string B(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

std::string utf8Of(std::u32string_view s) {
    std::string out;
    uint8_t buf[4];
    for (char32_t c : s) out.append(reinterpret_cast<char*>(buf), static_cast<size_t>(orvex::utf8::encode(c, buf)));
    return out;
}

std::string utf16Of(std::u32string_view s, bool bigEndian, bool mark = true) {
    std::string out;
    auto unit = [&](uint16_t u) {
        out.push_back(static_cast<char>(bigEndian ? u >> 8 : u & 0xFF));
        out.push_back(static_cast<char>(bigEndian ? u & 0xFF : u >> 8));
    };
    if (mark) unit(0xFEFF);
    for (char32_t c : s) {
        if (c >= 0x10000) {
            unit(static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            unit(static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            unit(static_cast<uint16_t>(c));
        }
    }
    return out;
}

const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

// --- detection ----------------------------------------------------------------

struct DetectRow {
    const char* name;
    std::string bytes;
    int code;
    bool bom;
    bool bigEndian;
};

class UnicodeDetection : public testing::TestWithParam<DetectRow> {};

TEST_P(UnicodeDetection, DecidesTheCodeAndForm) {
    const DetectRow& r = GetParam();
    std::string bytes = r.bytes;
    const DecodedText d = decodeFileText(bytes, kReadDetect);
    EXPECT_EQ(d.convert.code, r.code);
    EXPECT_EQ(d.prepared.form.bom, r.bom);
    EXPECT_EQ(d.prepared.form.bigEndian, r.bigEndian);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnicodeDetection,
    testing::Values(
        // The mark decides, whatever follows.
        DetectRow{"Utf8Mark", kBom + "abc", kCodeUtf8, true, false},
        DetectRow{"Utf8MarkAlone", kBom, kCodeUtf8, true, false},
        DetectRow{"Utf8MarkThenShiftJis", kBom + B({0x82, 0xA0}), kCodeUtf8, true, false},
        DetectRow{"Utf16LittleEndianMark", B({0xFF, 0xFE, 'a', 0}), kCodeUtf16, false, false},
        DetectRow{"Utf16BigEndianMark", B({0xFE, 0xFF, 0, 'a'}), kCodeUtf16, false, true},
        // Without a mark: well-formed with a high byte is UTF-8.
        DetectRow{"OneHiragana", B({0xE3, 0x81, 0x82}), kCodeUtf8, false, false},
        DetectRow{"AccentedLatin", "caf" + B({0xC3, 0xA9}) + "\n", kCodeUtf8, false, false},
        DetectRow{"Emoji", B({0xF0, 0x9F, 0x98, 0x80}), kCodeUtf8, false, false},
        DetectRow{"LastScalar", B({0xF4, 0x8F, 0xBF, 0xBF}), kCodeUtf8, false, false},
        // Pure ASCII is decided as before.
        DetectRow{"Ascii", "plain text\r\n", kCodeUndetermined, false, false},
        // Ill-formed UTF-8 goes to the Shift JIS / EUC decision, which
        // decides it as it always did.
        DetectRow{"ShiftJisHiragana", B({0x82, 0xA0, 0x82, 0xA2}), kCodeShiftJis, false, false},
        DetectRow{"ShiftJisKanjiValidLeadInvalidTrail", B({0xE3, 0x81, 0x41}), kCodeShiftJis, false, false},
        DetectRow{"EucHiragana", B({0xA4, 0xA2, 0xA4, 0xA4}), kCodeEuc, false, false},
        DetectRow{"Overlong", B({0xC0, 0xAF}), kCodeEuc, false, false},
        DetectRow{"OverlongThree", B({0xE0, 0x80, 0xAF, 0x82, 0xA0}), kCodeShiftJis, false, false},
        DetectRow{"Surrogate", B({0xED, 0xA0, 0x80}), kCodeShiftJis, false, false},
        DetectRow{"PastLastScalar", B({0xF4, 0x90, 0x80, 0x80}), kCodeShiftJis, false, false},
        DetectRow{"CutShortAtTheEnd", B({'a', 0xE3, 0x81}), kCodeUndetermined, false, false},
        DetectRow{"ValidThenShiftJis", B({0xE3, 0x81, 0x82, 0x82, 0xA0}), kCodeShiftJis, false, false}),
    [](const testing::TestParamInfo<DetectRow>& info) { return std::string(info.param.name); });

TEST(UnicodeDetection, ReadSettings) {
    // UTF-8 forced: the mark is dropped, ill-formed sequences become "?".
    std::string bytes = kBom + "a" + B({0x82, 0xA0});
    DecodedText d = decodeFileText(bytes, kReadUtf8);
    EXPECT_EQ(d.convert.code, kCodeUtf8);
    EXPECT_EQ(bytes, "a??");
    EXPECT_EQ(d.convert.unreadable, 2u);
    // The UTF-16 setting reads both marks; Shift JIS ignores every mark.
    bytes = B({0xFE, 0xFF, 0x30, 0x42});
    EXPECT_EQ(decodeFileText(bytes, kReadUtf16).convert.code, kCodeUtf16);
    EXPECT_EQ(bytes, B({0x82, 0xA0}));
    bytes = kBom + "x";
    EXPECT_EQ(decodeFileText(bytes, kReadShiftJis).convert.code, kCodeShiftJis);
    EXPECT_EQ(bytes, kBom + "x");
    bytes = B({0xE3, 0x81, 0x82});
    EXPECT_EQ(decodeFileText(bytes, kReadUtf16).convert.code, kCodeUndetermined);
}

TEST(UnicodeDetection, IllFormedBytesLateInTheTextLeaveTextAndTableAsTheyWere) {
    // Well-formed UTF-8 far past the first look, then one Shift JIS
    // character: the pass that converted the first part writes it back.
    std::string utf8;
    for (int i = 0; i < 3000; ++i) utf8 += "\xE6\x97\xA5\xF0\x9F\x98\x80\xEE\x80\x80\xC2\xA2 ";
    const struct {
        const char* name;
        std::string bytes;
        int code;
    } rows[] = {
        {"then Shift JIS", utf8 + B({0x82, 0xA0}), kCodeShiftJis},
        {"then a cut sequence", utf8 + B({0xE3, 0x81}), kCodeShiftJis},
        {"then EUC", utf8 + B({0xA4, 0xA2}), kCodeShiftJis},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        PrivateCharTable table;
        ASSERT_EQ(table.toSjis(U'\U0001F680'), 0xF040);  // held before, as in a document
        std::string withTable = r.bytes, without = r.bytes;
        const DecodedText d = decodeFileText(withTable, kReadDetect, kCodeUndetermined, &table);
        EXPECT_EQ(d.convert.code, decodeFileText(without, kReadDetect).convert.code);
        EXPECT_TRUE(withTable == without);
        EXPECT_EQ(table.size(), 1u);
        EXPECT_FALSE(table.isTaken(0xF041));
    }
    // Well-formed to the end: UTF-8.
    PrivateCharTable table;
    std::string bytes = utf8;
    EXPECT_EQ(decodeFileText(bytes, kReadDetect, kCodeUndetermined, &table).convert.code, kCodeUtf8);
    EXPECT_EQ(table.size(), 2u);  // the emoji and ¢
}

TEST(UnicodeDetection, FullAreaWithIllFormedBytesAfterItIsNoUtf8) {
    std::u32string many;
    for (char32_t c = 0x20000; c < 0x20000 + 1900; ++c) many.push_back(c);
    PrivateCharTable table;
    std::string bytes = utf8Of(many) + B({0x82, 0xA0});
    std::string plain = bytes;
    const DecodedText d = decodeFileText(bytes, kReadDetect, kCodeUndetermined, &table);
    EXPECT_NE(d.convert.code, kCodeUtf8);
    EXPECT_TRUE(bytes == (decodeFileText(plain, kReadDetect), plain));
    EXPECT_TRUE(table.empty());
}

TEST(UnicodeChoices, SaveCodesFormsAndTheDocumentsOwnForm) {
    for (int saveCode = kSaveShiftJis; saveCode <= kSaveUtf16Be; ++saveCode) {
        SCOPED_TRACE(saveCode);
        EXPECT_EQ(saveCodeOfForm(formOfSaveCode(saveCode)), saveCode);
        // The save list's item for the code, with or without a document form.
        EXPECT_EQ(outputForm(saveCode, false, FileForm{kCodeUtf8, true, false}), formOfSaveCode(saveCode));
    }
    EXPECT_EQ(kSaveCodeChoices[kSaveUtf8], "UTF-8");
    EXPECT_EQ(kSaveCodeChoices[kSaveUtf8Bom], "UTF-8 (BOM)");
    EXPECT_EQ(kReadCodeChoices[static_cast<size_t>(readChoiceOfAutoKanji(kReadUtf8))], "UTF-8");
    EXPECT_EQ(autoKanjiOfReadChoice(5), kReadUtf8);
    // Item 0, or an explicit code, keeps the document's own form; a mark
    // only goes with UTF-8, the byte order only with UTF-16.
    EXPECT_EQ(outputForm(0, false, FileForm{kCodeUtf16, false, true}), (FileForm{kCodeUtf16, false, true}));
    EXPECT_EQ(outputForm(kSaveEuc, true, FileForm{kCodeUtf8, true, false}), (FileForm{kCodeUtf8, true, false}));
    EXPECT_EQ(outputForm(0, false, FileForm{kCodeShiftJis, true, true}), (FileForm{kCodeShiftJis, false, false}));
    EXPECT_EQ(outputForm(0, false, FileForm{kCodeUndetermined, false, false}).code, kCodeShiftJis);
    // Values out of range write Shift JIS, as before.
    EXPECT_EQ(outputForm(9, false, FileForm{kCodeUtf8, false, false}).code, kCodeShiftJis);
}

// --- documents ------------------------------------------------------------------

class UnicodeDocument : public DocumentTest {
protected:
    // Opens the bytes, checks the code, saves under the same name: the bytes.
    std::string roundTrip(const std::string& bytes, int code) {
        EXPECT_TRUE(openBytes("u.txt", bytes));
        EXPECT_EQ(file->code(), code);
        return saved();
    }
};

TEST_F(UnicodeDocument, EveryUnicodeFormComesBackByteForByte) {
    // Japanese, accented Latin, Hangul, ideographs, emoji, a combining
    // accent, private-use characters, a line end, and the six characters
    // whose code page 932 code reads back as their full-width forms.
    const std::u32string text = U"日本語 café 한국어 \u4E2D\u6587\u7E41\u9AD4 \U0001F600\U0001F680 e\u0301 "
                                U"\uE000\uE757\U000F0000 ａｂｃ\r\n¢£¬‖−〜 ￠￡￢∥－～end";
    const struct {
        const char* name;
        std::string bytes;
        int code;
    } rows[] = {
        {"UTF-8", utf8Of(text), kCodeUtf8},
        {"UTF-8 with mark", kBom + utf8Of(text), kCodeUtf8},
        {"UTF-16LE", utf16Of(text, false), kCodeUtf16},
        {"UTF-16BE", utf16Of(text, true), kCodeUtf16},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(roundTrip(r.bytes, r.code) == r.bytes);
        EXPECT_FALSE(doc->readOnly());
        EXPECT_TRUE(fake.messages.shown.empty());
        // Code page 932 lacks the three Hangul, é, the two emoji, the
        // combining accent and U+F0000 (the ideographs are all in it), and
        // cannot give back the six.
        EXPECT_EQ(file->privateChars().size(), 14u);
    }
}

TEST_F(UnicodeDocument, LoneSurrogatesOfUtf16ComeBackUnitForUnit) {
    const std::string bytes = utf16Of(U"a", false) + B({0x00, 0xD8, 'b', 0, 0x00, 0xDC});
    EXPECT_TRUE(roundTrip(bytes, kCodeUtf16) == bytes);
    // UTF-8 has no form for them: the save asks first.
    settings.document.saveKanji = kSaveUtf8;
    fake.messages.answer(orvex::MsgResult::Cancel);
    EXPECT_FALSE(file->saveDocument(file->path()));
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(UnicodeDocument, SaveCodesWriteEveryForm) {
    ASSERT_TRUE(openBytes("u.txt", utf8Of(U"あ\U0001F600\n")));
    const std::string sjisA = B({0x82, 0xA0});
    const struct {
        int saveCode;
        std::string bytes;
    } rows[] = {
        {kSaveUtf8, utf8Of(U"あ\U0001F600\n")},
        {kSaveUtf8Bom, kBom + utf8Of(U"あ\U0001F600\n")},
        {kSaveUtf16, utf16Of(U"あ\U0001F600\n", false)},
        {kSaveUtf16Be, utf16Of(U"あ\U0001F600\n", true)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.saveCode);
        settings.document.saveKanji = r.saveCode;
        EXPECT_TRUE(saved() == r.bytes);
    }
    // Shift JIS, JIS and EUC cannot hold the emoji: asked, and refused.
    for (int saveCode : {kSaveShiftJis, kSaveJis, kSaveEuc}) {
        SCOPED_TRACE(saveCode);
        settings.document.saveKanji = saveCode;
        fake.messages.clear();
        fake.messages.answer(orvex::MsgResult::Cancel);
        EXPECT_FALSE(file->saveDocument(file->path()));
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_NE(fake.messages.shown[0].text.find("1"), std::string::npos);
        EXPECT_TRUE(readFile(file->path()) == utf16Of(U"あ\U0001F600\n", true)) << "the file is untouched";
    }
    // Said yes: the emoji becomes "?" in Shift JIS.
    settings.document.saveKanji = kSaveShiftJis;
    fake.messages.answer(orvex::MsgResult::Ok);
    EXPECT_TRUE(saved() == sjisA + "?\n");
}

TEST_F(UnicodeDocument, CharactersGetCodesTheTextDoesNotUse) {
    // U+E000, U+E001 and U+E002 are the text's own user-defined codes
    // F040-F042, even U+E001 that comes last.
    ASSERT_TRUE(openBytes("u.txt", utf8Of(U"\uE000\uE002\U0001F600\u00E9\uE001")));
    const PrivateCharTable& t = file->privateChars();
    EXPECT_EQ(t.size(), 2u);
    // The emoji takes F043, the first free code, é the next.
    EXPECT_EQ(t.codeOf(U'\U0001F600'), 0xF043);
    EXPECT_EQ(t.codeOf(U'\u00E9'), 0xF044);
    EXPECT_EQ(text(), B({0xF0, 0x40, 0xF0, 0x42, 0xF0, 0x43, 0xF0, 0x44, 0xF0, 0x41}));
    EXPECT_EQ(t.toUtf16(text()), u"\uE000\uE002\U0001F600\u00E9\uE001");
    EXPECT_TRUE(saved() == utf8Of(U"\uE000\uE002\U0001F600\u00E9\uE001"));
}

TEST_F(UnicodeDocument, MoreCharactersThanTheAreaHoldsOpenReadOnly) {
    // 1890 distinct CJK Extension B characters: ten more than the area.
    std::u32string many;
    for (char32_t c = 0x20000; c < 0x20000 + 1890; ++c) many.push_back(c);
    const std::string bytes = utf8Of(many);
    ASSERT_TRUE(openBytes("u.txt", bytes));
    EXPECT_TRUE(doc->readOnly());
    EXPECT_EQ(file->charactersLost(), 10u);
    EXPECT_EQ(file->privateChars().size(), PrivateCharTable::kCapacity);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find("u.txt"), std::string::npos);
    EXPECT_NE(fake.messages.shown[0].text.find("10"), std::string::npos);
    EXPECT_TRUE(readFile(file->path()) == bytes);
    // Exactly as many as the area holds: nothing lost.
    many.resize(PrivateCharTable::kCapacity);
    fake.messages.clear();
    EXPECT_TRUE(roundTrip(utf8Of(many), kCodeUtf8) == utf8Of(many));
    EXPECT_FALSE(doc->readOnly());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(UnicodeDocument, IllFormedSequencesUnderTheMarkAreReadAsQuestionMarksWithOneWarning) {
    ASSERT_TRUE(openBytes("bad.txt", kBom + "a" + B({0xE3, 0x81}) + "b" + B({0xFF, 0xC3}) + "c\n"));
    EXPECT_EQ(file->code(), kCodeUtf8);
    EXPECT_EQ(text(), "a?b??c\r");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find("bad.txt"), std::string::npos);
    EXPECT_NE(fake.messages.shown[0].text.find("3"), std::string::npos);
}

TEST_F(UnicodeDocument, NewDocumentsTakeTheCodeSetting) {
    file->newDocument();
    EXPECT_EQ(file->code(), kCodeUndetermined);  // Shift JIS, as always
    settings.document.newKanji = kSaveUtf8Bom;
    file->newDocument();
    EXPECT_EQ(file->form(), (FileForm{kCodeUtf8, true, false}));
    typeAtEnd(sj("あ"));
    const std::string path = dir.file("new.txt");
    EXPECT_TRUE(file->saveDocument(path));
    EXPECT_TRUE(readFile(path) == kBom + utf8Of(U"あ"));
}

TEST_F(UnicodeDocument, RandomScalarsOfEveryPlaneSurviveLoadEditSave) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        std::u32string s;
        for (int i = 0; i < 300; ++i) {
            const int plane = static_cast<int>(rng() % 17);
            char32_t c = static_cast<char32_t>(plane << 16 | (rng() & 0xFFFF));
            // Scalars only; line ends, NUL, the end-of-file mark and the
            // byte-order mark would change the text's shape, not its characters.
            if ((c >= 0xD800 && c <= 0xDFFF) || c == 0 || c == 0x0A || c == 0x0C || c == 0x0D || c == 0x1A ||
                c == 0xFEFF)
                c = U'x';
            s.push_back(c);
        }
        const bool sixteen = round % 2 == 1;
        const std::string bytes = sixteen ? utf16Of(s, round % 4 == 1) : utf8Of(s);
        ASSERT_TRUE(openBytes("r.txt", bytes));
        ASSERT_EQ(file->code(), sixteen ? kCodeUtf16 : kCodeUtf8);
        // Edit: type at the end, through the table, characters the
        // document holds already and new ones.
        const std::u32string typed = U"\U0001F600" + s.substr(0, 5);
        const PrivateCharTable::FromUnicode in = file->privateChars().fromUtf8(utf8Of(typed));
        ASSERT_EQ(in.lost, 0u);
        typeAtEnd(in.text);
        const std::u32string expected = s + typed;
        const std::string want = sixteen ? utf16Of(expected, round % 4 == 1) : utf8Of(expected);
        ASSERT_TRUE(saved() == want);
    }
}
