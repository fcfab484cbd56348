// The main frame's stores and lists: the scrap book and clipboard history
// under their limits, the scrap book's file byte for byte (and damaged),
// the recent and favourite lists with their menu labels.
#include <gtest/gtest.h>

#include <fstream>

#include "settings/AtomicFile.h"
#include "shell/FrameStores.h"
#include "shell/RecentFiles.h"
#include "tests/settings/TempFolder.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

TEST(ScrapLimits, FiftyFirstEntryDropsTheFirst) {
    ScrapBook book;
    for (int i = 1; i <= 51; ++i) book.add("e" + std::to_string(i));
    ASSERT_EQ(book.entries().size(), 50u);
    EXPECT_EQ(book.entries().front(), "e2");
    EXPECT_EQ(book.newest(), "e51");
}

TEST(ScrapLimits, LargeEntryDropsOlderUntilTheTotalIsBelow4097) {
    BoundedTextList list(50);
    for (int i = 0; i < 10; ++i) list.add(std::string(99, char('a' + i)));  // 100 bytes each
    ASSERT_EQ(list.total(), 1000u);
    list.add(std::string(4000, 'x'));  // needs 4001: 96 bytes may stay, none of 100 fits
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.total(), 4001u);
    // 94 bytes (95 with their count) still keep the total below 4097.
    list.add(std::string(94, 'y'));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.total(), 4096u);
    list.add(std::string(1, 'z'));
    EXPECT_EQ(list.size(), 2u);  // the 4000-byte entry went
    EXPECT_EQ(list.entries().front(), std::string(94, 'y'));
}

TEST(ScrapLimits, EntryBeyondTheBudgetEmptiesTheListAndStaysWhole) {
    BoundedTextList list(20);
    list.add("old");
    list.add(std::string(5000, 'q'));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.entries()[0].size(), 5000u);  // the copied text is not cut
    list.add("next");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"next"}));
    EXPECT_FALSE(list.add(""));  // nothing to add
}

TEST(ClipboardHistoryLimits, TwentyEntries) {
    ClipboardHistory h;
    for (int i = 0; i < 25; ++i) h.add("c" + std::to_string(i));
    ASSERT_EQ(h.size(), 20u);
    EXPECT_EQ(h.entries().front(), "c5");
    // An edit that makes an entry too large drops older ones, not newer.
    h.replace(19, std::string(4080, 'w'));
    EXPECT_LT(h.total(), BoundedTextList::kBudget);
    EXPECT_EQ(h.entries().back().size(), 4080u);
}

TEST(ScrapFile, ByteExactRoundTripAndWrittenOnlyWhenChanged) {
    TempFolder folder;
    const std::string path = folder.file("OrvexS1.dat");
    const std::string bytes = std::string("first\r\nline\x0C") + "\x93\xfa\x96\x7b\x8c\xea\x0C" + "x\x0C";
    std::ofstream(path, std::ios::binary) << bytes;
    ScrapBook book(path);
    EXPECT_FALSE(book.loaded());
    ASSERT_EQ(book.entries().size(), 3u);  // read on first use
    EXPECT_EQ(book.entries()[1], "\x93\xfa\x96\x7b\x8c\xea");
    std::remove(path.c_str());
    EXPECT_TRUE(book.save());  // unchanged: nothing written
    std::string out;
    EXPECT_EQ(settings::readWholeFile(path, out), settings::ReadResult::Missing);
    book.add("y");
    book.remove(0);
    EXPECT_TRUE(book.save());
    ASSERT_EQ(settings::readWholeFile(path, out), settings::ReadResult::Ok);
    EXPECT_EQ(out, std::string("\x93\xfa\x96\x7b\x8c\xea\x0C") + "x\x0C" + "y\x0C");
}

struct DamagedScrap {
    const char* name;
    std::string bytes;
    std::vector<std::string> entries;
};

class ScrapFileDamaged : public ::testing::TestWithParam<DamagedScrap> {};

TEST_P(ScrapFileDamaged, ReadsWhatItCan) {
    TempFolder folder;
    const std::string path = folder.file("OrvexS1.dat");
    std::ofstream(path, std::ios::binary) << GetParam().bytes;
    ScrapBook book(path);
    EXPECT_EQ(book.entries(), GetParam().entries);
    EXPECT_FALSE(book.changed());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ScrapFileDamaged,
    ::testing::Values(DamagedScrap{"CutOffLastEntry", "a\x0C" "bc", {"a", "bc"}},
                      DamagedScrap{"EmptyEntriesSkipped", "\x0C\x0C" "a\x0C\x0C", {"a"}},
                      DamagedScrap{"ZeroBytesAndHalfCharacter", std::string("a\0b\x0C\x82", 5),
                                   {std::string("a\0b", 3), "\x82"}},
                      DamagedScrap{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrapFile, OverlongFileKeepsTheNewestWithinTheLimits) {
    std::string bytes;
    for (int i = 0; i < 80; ++i) bytes += "entry" + std::to_string(i) + "\x0C";
    const std::vector<std::string> e = ScrapBook::parse(bytes);
    BoundedTextList list(ScrapBook::kMaxEntries);
    list.assign(e);
    EXPECT_EQ(list.size(), 50u);
    EXPECT_EQ(list.entries().front(), "entry30");
    EXPECT_EQ(ScrapBook::serialize({"a", "b"}), "a\x0C" "b\x0C");
}

TEST(RecentFiles, MostRecentFirstWithoutDuplicatesWithinTheCount) {
    settings::RecentFileList list;
    addRecentFile(list, "/a", 3);
    addRecentFile(list, "/b", 3);
    addRecentFile(list, "/c", 3);
    addRecentFile(list, "/a", 3);  // moves up
    EXPECT_EQ(shownRecentFiles(list, 3), (std::vector<std::string>{"/a", "/c", "/b"}));
    addRecentFile(list, "/d", 3);
    EXPECT_EQ(shownRecentFiles(list, 16), (std::vector<std::string>{"/d", "/a", "/c"}));
    removeRecentFile(list, 1);
    EXPECT_EQ(shownRecentFiles(list, 16), (std::vector<std::string>{"/d", "/c"}));
    addRecentFile(list, "/e", 0);  // RecentFileNum 0 keeps nothing
    EXPECT_TRUE(shownRecentFiles(list, 16).empty());
    addRecentFile(list, "", 5);
    EXPECT_TRUE(shownRecentFiles(list, 16).empty());
}

TEST(FavouriteFiles, AddOnceRemoveMovesUpFullListRefuses) {
    FavouriteList fav;
    EXPECT_TRUE(addFavourite(fav, "/x"));
    EXPECT_FALSE(addFavourite(fav, "/x"));
    for (int i = 1; i < 20; ++i) EXPECT_TRUE(addFavourite(fav, "/f" + std::to_string(i)));
    EXPECT_FALSE(addFavourite(fav, "/full"));
    EXPECT_TRUE(removeFavourite(fav, 0));
    EXPECT_EQ(fav[0], "/f1");
    EXPECT_TRUE(fav[19].empty());
    EXPECT_FALSE(removeFavourite(fav, 19));
}

TEST(FileMenuLabels, AccessKeysShorteningAndAmpersands) {
    EXPECT_EQ(fileMenuLabel(1, "/tmp/a&b.txt", 30), "&1 /tmp/a&&b.txt");
    EXPECT_EQ(fileMenuLabel(10, "/a", 30), "1&0 /a");
    EXPECT_EQ(fileMenuLabel(12, "/a", 30), "12 /a");
    const std::string longPath = "/home/user/projects/some/very/deep/folder/日本語のファイル.txt";
    const std::string s = shortenedPath(longPath, 30);
    EXPECT_NE(s.find("..."), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 4), ".txt");
    // No character is cut: every byte sequence is whole UTF-8.
    size_t chars = 0;
    for (char c : s) chars += (uint8_t(c) & 0xC0) != 0x80;
    EXPECT_EQ(chars, 30u);
}

}  // namespace
