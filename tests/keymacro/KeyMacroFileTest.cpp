// The ".km" file: bytes written for known records, and every way a file can
// be refused, with the message shown and what the slot holds afterwards.
#include <gtest/gtest.h>

#include <fstream>

#include "common/strings/StringTable.h"
#include "keymacro/KeyMacroFile.h"
#include "keymacro/KeyMacroSlots.h"
#include "tests/settings/TempFolder.h"
#include "tests/support/FakePlatform.h"

using namespace orvex;
using namespace orvex::keymacro;
using orvex::test::TempFolder;

namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += char(v);
    return s;
}

std::string magicField() {
    std::string m = "Orvex KeyMacroFile V1.00";
    m.resize(32, '\0');
    return m;
}

void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

TEST(KeyMacroFile, WrittenFileIsByteExact) {
    TempFolder folder;
    // Ctrl+Left's command, a key-down of Left with repeat 1, typed "ab".
    const std::vector<uint32_t> words = {32823, 0x25010100, 0x00010102, 0x00006261};
    const std::string path = folder.file("known.km");
    ASSERT_TRUE(writeKeyMacroFile(path, words));
    const std::string expected = magicField() + bytesOf({4, 0, 0, 0}) + bytesOf({0x37, 0x80, 0, 0}) +
                                 bytesOf({0x00, 0x01, 0x01, 0x25}) + bytesOf({0x02, 0x01, 0x01, 0x00}) +
                                 bytesOf({0x61, 0x62, 0, 0});
    EXPECT_EQ(TempFolder::read(path), expected);
    const KmContent back = readKeyMacroFile(path);
    EXPECT_EQ(back.status, KmStatus::Ok);
    EXPECT_EQ(back.words, words);
}

TEST(KeyMacroFile, StoppingARecordingAtOnceWritesAThirtySixByteFile) {
    TempFolder folder;
    KeyMacroSlots slots(folder.path());
    EXPECT_TRUE(slots.toggleRecording(2));
    EXPECT_TRUE(slots.toggleRecording(2));
    EXPECT_TRUE(slots.slot(2).valid);
    EXPECT_TRUE(slots.slot(2).words.empty());
    const std::string file = TempFolder::read(folder.file("OrvexK3.km"));
    EXPECT_EQ(file, magicField() + bytesOf({0, 0, 0, 0}));
}

TEST(KeyMacroFile, SlotFolderIsMadeOnDemand) {
    TempFolder folder;
    KeyMacroSlots slots(folder.file("data"));
    slots.toggleRecording(0);
    slots.record(32778, 0);
    slots.toggleRecording(0);
    EXPECT_EQ(readKeyMacroFile(folder.file("data/OrvexK1.km")).words, std::vector<uint32_t>{32778});
}

// ---- Refused files

struct BadFile {
    const char* name;
    std::string bytes;
    int message;         // string id shown (0: none)
    bool pathShown;      // the message starts with the path and CR LF
    bool slotUnchanged;  // else the slot ends empty and not valid
};

class KeyMacroBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(KeyMacroBadFile, GivesItsMessageAndLeavesTheSlotAsTheFileDecides) {
    const BadFile& row = GetParam();
    TempFolder folder;
    test::ScriptedMessageBoxes messages;
    KeyMacroSlots slots(folder.path(), &messages);
    slots.setSlot(0, {32778, 32779});
    const std::string path = folder.file("bad.km");
    writeFile(path, row.bytes);
    EXPECT_FALSE(slots.loadSlot(0, path, false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, row.message);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].text.rfind(path + "\r\n", 0) == 0, row.pathShown);
    if (row.slotUnchanged) {
        EXPECT_TRUE(slots.slot(0).valid);
        EXPECT_EQ(slots.slot(0).words, (std::vector<uint32_t>{32778, 32779}));
    } else {
        EXPECT_FALSE(slots.slot(0).valid);
        EXPECT_TRUE(slots.slot(0).words.empty());
    }
}

std::string withMagic(std::string magic, const std::string& rest) {
    magic.resize(32, '\0');
    return magic + rest;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyMacroBadFile,
    ::testing::Values(
        BadFile{"Empty", "", strings::kNotKeyMacroFile, true, true},
        BadFile{"ShortHeader", std::string("Orvex KeyMacroFile V1.00").substr(0, 20), strings::kNotKeyMacroFile, true, true},
        BadFile{"ThirtyOneBytes", magicField().substr(0, 31), strings::kNotKeyMacroFile, true, true},
        BadFile{"OtherVersion", withMagic("Orvex KeyMacroFile V1.01", bytesOf({0, 0, 0, 0})), strings::kNotKeyMacroFile, true, true},
        BadFile{"OtherCase", withMagic("orvex KeyMacroFile V1.00", bytesOf({0, 0, 0, 0})), strings::kNotKeyMacroFile, true, true},
        BadFile{"MagicWithTail", withMagic("Orvex KeyMacroFile V1.00x", bytesOf({0, 0, 0, 0})), strings::kNotKeyMacroFile, true, true},
        BadFile{"NoCount", magicField(), strings::kKeyMacroIoFailed, false, true},
        BadFile{"HalfCount", magicField() + bytesOf({1, 0}), strings::kKeyMacroIoFailed, false, true},
        BadFile{"CountBeyondFile", magicField() + bytesOf({3, 0, 0, 0}) + bytesOf({1, 2, 3, 4, 5, 6, 7, 8}), strings::kKeyMacroIoFailed, false, false},
        BadFile{"HugeCount", magicField() + bytesOf({0xFF, 0xFF, 0xFF, 0xFF}) + bytesOf({1, 2, 3, 4}), strings::kKeyMacroIoFailed, false, false},
        BadFile{"PartWord", magicField() + bytesOf({1, 0, 0, 0, 9, 9}), strings::kKeyMacroIoFailed, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyMacroFile, MissingFileIsSilentUnlessReported) {
    TempFolder folder;
    test::ScriptedMessageBoxes messages;
    KeyMacroSlots slots(folder.path(), &messages);
    slots.setSlot(0, {32778});
    EXPECT_FALSE(slots.loadSlot(0, folder.file("none.km"), false));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(slots.loadSlot(0, folder.file("none.km"), true));
    ASSERT_EQ(messages.ids(), std::vector<int>{strings::kCannotOpenFile});
    EXPECT_EQ(slots.slot(0).words, std::vector<uint32_t>{32778});
}

TEST(KeyMacroFile, ExtraBytesAfterTheCountedWordsAreIgnored) {
    const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b = keyMacroBytes(std::vector<uint32_t>{7, 8});
        b.insert(b.end(), {1, 2, 3, 4, 5});
        return b;
    }();
    const KmContent c = parseKeyMacro(bytes);
    EXPECT_EQ(c.status, KmStatus::Ok);
    EXPECT_EQ(c.words, (std::vector<uint32_t>{7, 8}));
}
