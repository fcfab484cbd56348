// Placeholder expansion of header and footer texts.
#include <gtest/gtest.h>

#include "print/HeaderFooterText.h"

namespace orvex::print {
namespace {

HeaderFooterValues values() {
    HeaderFooterValues v;
    v.page = 3;
    v.totalPages = 7;
    v.pathOrTitle = "/home/user/memo.txt";
    v.printed.tm_year = 126;  // 2026
    v.printed.tm_mon = 11;
    v.printed.tm_mday = 8;
    v.printed.tm_hour = 9;
    v.printed.tm_min = 5;
    v.printed.tm_sec = 7;
    std::tm file{};
    file.tm_year = 99;
    file.tm_mon = 0;
    file.tm_mday = 2;
    file.tm_hour = 23;
    file.tm_min = 59;
    file.tm_sec = 58;
    v.fileTime = file;
    return v;
}

struct ExpandRow {
    const char* name;
    const char* text;
    const char* expected;
};

class HeaderFooterExpand : public ::testing::TestWithParam<ExpandRow> {};

TEST_P(HeaderFooterExpand, ReplacesEachPlaceholderAtItsFirstOccurrence) {
    EXPECT_EQ(expandHeaderFooter(GetParam().text, values()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeaderFooterExpand,
    ::testing::Values(ExpandRow{"NoPlaceholdersUnchanged", "Orvex report", "Orvex report"},
                      ExpandRow{"PageOfPages", "- &p / &P -", "- 3 / 7 -"},
                      ExpandRow{"FullPathAndName", "&f [&F]", "/home/user/memo.txt [memo.txt]"},
                      ExpandRow{"PrintDateAndTime", "&d &t", "26/12/08 09:05:07"},
                      ExpandRow{"FileDateAndTime", "&D &T", "99/01/02 23:59:58"},
                      ExpandRow{"OnlyTheFirstOccurrence", "&p&p", "3&p"},
                      ExpandRow{"LoneAmpersandStays", "A & B &", "A & B &"},
                      ExpandRow{"JapaneseAroundPlaceholders", "\x95\xc5 &p", "\x95\xc5 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderFooter, UntitledDocumentPrintsItsTitleForTheName) {
    HeaderFooterValues v = values();
    v.pathOrTitle = "\x96\xb3\x91\xe8";  // 無題
    EXPECT_EQ(expandHeaderFooter("&F", v), "\x96\xb3\x91\xe8");
    EXPECT_EQ(expandHeaderFooter("&f", v), "\x96\xb3\x91\xe8");
}

TEST(HeaderFooter, ReplacementTextIsNotExpandedAgain) {
    HeaderFooterValues v = values();
    v.pathOrTitle = "/tmp/a&Pb&d.txt";
    EXPECT_EQ(expandHeaderFooter("&f", v), "/tmp/a&Pb&d.txt");
    EXPECT_EQ(expandHeaderFooter("&f &P", v), "/tmp/a&Pb&d.txt 7");
}

TEST(HeaderFooter, FileTimeOfAnUnsavedDocumentIsEmpty) {
    HeaderFooterValues v = values();
    v.fileTime.reset();
    EXPECT_EQ(expandHeaderFooter("[&D &T]", v), "[ ]");
}

TEST(HeaderFooter, NameFollowsTheLastSeparatorOnCharacterBoundaries) {
    EXPECT_EQ(lastPathComponent("C:\\dir\\file.txt"), "file.txt");
    EXPECT_EQ(lastPathComponent("noseparator"), "noseparator");
    // 表 is 0x95 0x5C: its trail byte is no separator.
    EXPECT_EQ(lastPathComponent("/d/\x95\x5c.txt"), "\x95\x5c.txt");
}

}  // namespace
}  // namespace orvex::print
