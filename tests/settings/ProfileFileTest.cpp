// The in-memory settings file: private-profile lookups and edits that keep
// every other byte of the file.
#include <gtest/gtest.h>

#include "common/codepage/Cp932.h"
#include "settings/ProfileFile.h"

namespace orvex::settings {
namespace {

TEST(ProfileFile, LooksUpSectionsAndKeysWithoutRegardToCase) {
    ProfileFile f = ProfileFile::parse("[Settings]\r\nTabStops=16\r\n  LineMax = 80 \r\n");
    EXPECT_EQ(f.get("settings", "TABSTOPS"), "16");
    EXPECT_EQ(f.get("SETTINGS", "linemax"), "80");
    EXPECT_FALSE(f.get("Settings", "AdjCol"));
    EXPECT_FALSE(f.get("System", "TabStops"));
    EXPECT_TRUE(f.hasSection("sEtTiNgS"));
}

TEST(ProfileFile, TrailBytesAreNotCaseFolded) {
    // ア is 0x83 0x41: its trail byte is "A" and must not match "a".
    const std::string key = cp932::fromUtf8("キーア");
    ProfileFile f = ProfileFile::parse("[S]\r\n" + key + "=1\r\n");
    EXPECT_EQ(f.get("S", key), "1");
    std::string folded = key;
    folded.back() = 'a';
    EXPECT_FALSE(f.get("S", folded));
}

TEST(ProfileFile, FirstOccurrenceOfRepeatedSectionsAndKeysWins) {
    const std::string text = "[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nz=5\n";
    ProfileFile f = ProfileFile::parse(text);
    EXPECT_EQ(f.get("A", "k"), "1");
    EXPECT_FALSE(f.get("A", "z"));  // only in the second [a]
    f.set("A", "k", "9");
    EXPECT_EQ(f.serialize(), "[A]\nk=9\nk=2\n[B]\nk=3\n[a]\nk=4\nz=5\n");
}

TEST(ProfileFile, ParseAndSerializeGiveTheSameBytes) {
    const std::string texts[] = {
        "",
        "no newline at end",
        "[S]\r\nk=v",
        "\xEF\xBB\xBF[S]\nk=v\n",
        "; comment\n\n[S]\r\n garbage line \r\nk = \"v\" \r\n\r\n[T]\rx=1\r",
        std::string("[S]\nk=\0\x81\n", 8),
    };
    for (const std::string& t : texts) EXPECT_EQ(ProfileFile::parse(t).serialize(), t);
}

TEST(ProfileFile, WritingOneKeyKeepsEveryOtherLine) {
    const std::string before =
        "; Orvex settings\n"
        "[System]\n"
        "RegWinVer=512\n"
        "\n"
        "[Settings]\r\n"
        "TabStops=16\r\n"
        "this line means nothing\r\n"
        "LineMax=80\r\n"
        "; trailing comment\r\n"
        "\r\n"
        "[FindStrings]\n"
        "FindStr0=\"x\"";
    ProfileFile f = ProfileFile::parse(before);
    f.set("Settings", "LineMax", "100");
    f.set("Settings", "AdjCol", "1");       // new key: after the last key line
    f.set("FindStrings", "FindStr1", "\"y\"");  // after a last line without line end
    f.set("Colors", "TextColor", "-1");      // new section at the end
    EXPECT_EQ(f.serialize(),
              "; Orvex settings\n"
              "[System]\n"
              "RegWinVer=512\n"
              "\n"
              "[Settings]\r\n"
              "TabStops=16\r\n"
              "this line means nothing\r\n"
              "LineMax=100\r\n"
              "AdjCol=1\r\n"
              "; trailing comment\r\n"
              "\r\n"
              "[FindStrings]\n"
              "FindStr0=\"x\"\r\n"
              "FindStr1=\"y\"\r\n"
              "[Colors]\r\n"
              "TextColor=-1\r\n");
}

TEST(ProfileFile, EraseRemovesOnlyThatLine) {
    ProfileFile f = ProfileFile::parse("[S]\r\na=1\r\nb=2\r\nc=3\r\n");
    EXPECT_TRUE(f.erase("s", "B"));
    EXPECT_FALSE(f.erase("S", "b"));
    EXPECT_EQ(f.serialize(), "[S]\r\na=1\r\nc=3\r\n");
    f.set("S", "d", "4");
    EXPECT_EQ(f.get("S", "c"), "3");
    EXPECT_EQ(f.serialize(), "[S]\r\na=1\r\nc=3\r\nd=4\r\n");
}

TEST(ProfileFile, HeaderNameEndsAtABracketThatIsNoTrailByte) {
    // ゾ is 0x83 0x5D: its trail byte is "]".
    const std::string name = cp932::fromUtf8("ゾーン");
    ProfileFile f = ProfileFile::parse("[" + name + "]\nk=1\n[Open\nm=2\n");
    EXPECT_EQ(f.get(name, "k"), "1");
    // A damaged header without "]" is no header: the keys after it stay in
    // their section.
    EXPECT_FALSE(f.hasSection("Open"));
    EXPECT_EQ(f.get(name, "m"), "2");
}

TEST(ProfileFile, KeysBeforeAnySectionAreUnreachableButKept) {
    ProfileFile f = ProfileFile::parse("k=1\n[S]\nk=2\n");
    EXPECT_EQ(f.get("S", "k"), "2");
    f.set("S", "k", "3");
    EXPECT_EQ(f.serialize(), "k=1\n[S]\nk=3\n");
}

}  // namespace
}  // namespace orvex::settings
