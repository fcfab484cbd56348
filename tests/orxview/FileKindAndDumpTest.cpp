// The file viewer's decisions and its dump: the kind of a file from its
// first bytes and extension, the title, and the hexadecimal dump byte for
// byte (short last lines, control bytes, Shift JIS that crosses a line end).
#include <gtest/gtest.h>

#include <string>

#include "orxview/HexDump.h"
#include "orxview/ViewerFileKind.h"

using namespace orvex::viewer;

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

struct KindRow {
    const char* name;
    std::string head;
    const char* path;
    bool force;
    FileKind expected;
};
class Kinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(Kinds, FromTheFirstBytesAndTheExtension) {
    const KindRow& k = GetParam();
    EXPECT_EQ(fileKindOf(k.head, k.path, k.force), k.expected);
}

const std::string kCompound = bytes({0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1, 0x00});

INSTANTIATE_TEST_SUITE_P(
    Files, Kinds,
    ::testing::Values(
        KindRow{"RichTextWhateverItsName", "{\\rtf1\\ansi", "/x/notes.bin", false, FileKind::RichText},
        KindRow{"RichTextNeedsTheWholeMark", "{\\rt", "/x/a.rtf", false, FileKind::HexDump},
        KindRow{"WordWithItsSignatureAndExtension", kCompound, "/x/Report.DOC", false, FileKind::Word},
        KindRow{"DocWithoutTheSignatureIsDumped", "PK\x03\x04", "/x/a.doc", false, FileKind::HexDump},
        KindRow{"SignatureWithAnotherExtensionIsDumped", kCompound, "/x/a.xls", false, FileKind::HexDump},
        KindRow{"ExtensionOnlyInTheFolderName", kCompound, "/x.doc/a", false, FileKind::HexDump},
        KindRow{"WriteFirstForm", bytes({0x31, 0xBE, 0, 0}), "/x/old.wri", false, FileKind::Write},
        KindRow{"WriteSecondForm", bytes({0x32, 0xBE}), "/x/OLD.Wri", false, FileKind::Write},
        KindRow{"WriteOtherWord", bytes({0x33, 0xBE}), "/x/old.wri", false, FileKind::HexDump},
        KindRow{"ForcedDumpSkipsTheTest", "{\\rtf1", "/x/a.rtf", true, FileKind::HexDump},
        KindRow{"EmptyFile", "", "/x/empty", false, FileKind::HexDump}),
    [](const ::testing::TestParamInfo<KindRow>& i) { return std::string(i.param.name); });

TEST(ViewerTexts, TitleAndMissingConverterMessages) {
    EXPECT_EQ(viewerTitle("/home/u/docs/a b.doc"), "a b.doc");
    EXPECT_EQ(viewerTitle("plain"), "plain");
    EXPECT_EQ(missingConverterMessage(FileKind::Word),
              "このﾌｧｲﾙはWord文書です\nﾜｰﾄﾞﾊﾟｯﾄﾞ(Windows付属)がｲﾝｽﾄｰﾙされていれば文書を表示できます");
    EXPECT_EQ(missingConverterMessage(FileKind::Write).rfind("このﾌｧｲﾙはWrite文書です\n", 0), 0u);
}

TEST(HexDumpLines, ThreeBytesMakeOneShortLine) {
    const std::string file = "ABC";
    const HexDump d(file);
    ASSERT_EQ(d.lineCount(), 1u);
    EXPECT_EQ(d.text(), "00000000:41 42 43 " + std::string(13 * 3, ' ') + "ABC \r\n");
}

TEST(HexDumpLines, EmptyFileGivesAnEmptyDump) {
    const std::string file;
    EXPECT_EQ(HexDump(file).text(), "");
}

TEST(HexDumpLines, SeventeenBytesGiveTwoLinesAndControlBytesShowAsBlanks) {
    std::string file;
    for (int i = 0; i < 17; ++i) file.push_back(static_cast<char>(i == 16 ? 0x7E : 0x0A + i * 7));
    const HexDump d(file);
    ASSERT_EQ(d.lineCount(), 2u);
    EXPECT_EQ(d.line(0),
              "00000000:0A 11 18 1F 26 2D 34 3B 42 49 50 57 5E 65 6C 73     &-4;BIPW^els \r\n");
    EXPECT_EQ(d.line(1), "00000010:7E " + std::string(15 * 3, ' ') + "~ \r\n");
}

TEST(HexDumpLines, OffsetsCountInUpperCaseHex) {
    const std::string file(0x1A0 + 1, 'x');
    const HexDump d(file);
    EXPECT_EQ(d.line(0x1A).substr(0, 9), "000001A0:");
    EXPECT_EQ(d.line(0x19).substr(0, 9), "00000190:");
}

TEST(HexDumpLines, ShiftJisCrossingALineEndIsShownWholeOnItsFirstLine) {
    // 15 blanks, then あ (82 A0) whose trail byte opens the second line,
    // then い (82 A2) inside the second line.
    std::string file(15, ' ');
    file += bytes({0x82, 0xA0, 0x82, 0xA2, 0x41});
    const HexDump d(file);
    ASSERT_EQ(d.lineCount(), 2u);
    EXPECT_EQ(d.line(0), "00000000:" + std::string("20 ").append(std::string(14 * 3, ' ')).substr(0, 0) +
                             "20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 82 " + std::string(15, ' ') +
                             bytes({0x82, 0xA0}) + " \r\n");
    EXPECT_EQ(d.line(1), "00000010:A0 82 A2 41 " + std::string(12 * 3, ' ') + " " + bytes({0x82, 0xA2}) + "A \r\n");
}

TEST(HexDumpLines, LeadByteWithoutATrailStaysAlone) {
    // 0x82 at the end of the line followed by 0x0A (no trail byte): the
    // second line shows its first byte as usual (a blank for 0x0A).
    std::string file(15, 'a');
    file += bytes({0x82, 0x0A, 0x42});
    const HexDump d(file);
    EXPECT_EQ(d.line(0).substr(9 + 48), std::string(15, 'a') + bytes({0x82}) + " \r\n");
    EXPECT_EQ(d.line(1).substr(9 + 48), " B \r\n");
    // A pair that ends inside the file's last line is no crossing.
    EXPECT_EQ(HexDump(bytes({0x82})).line(0).substr(9 + 48), bytes({0x82}) + " \r\n");
}

TEST(HexDumpLines, WholeDumpIsTheLinesInOrder) {
    std::string file;
    for (int i = 0; i < 1000; ++i) file.push_back(static_cast<char>(i * 37));
    const HexDump d(file);
    std::string joined;
    for (size_t i = 0; i < d.lineCount(); ++i) joined += d.line(i);
    EXPECT_EQ(d.text(), joined);
    EXPECT_EQ(d.lineCount(), 63u);
}

}  // namespace
