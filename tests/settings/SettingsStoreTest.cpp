// The settings store over real files in a temporary folder: typed values,
// atomic replacement, merging with changes made by another process.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "TempFolder.h"
#include "common/codepage/Cp932.h"
#include "settings/AtomicFile.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsStore.h"

namespace orvex::settings {
namespace {

using orvex::test::TempFolder;

class SettingsStoreTest : public ::testing::Test {
protected:
    TempFolder dir;
    std::string path = dir.file("Pelmar/Orvex/settings.ini");
};

TEST_F(SettingsStoreTest, MissingFileYieldsDefaults) {
    SettingsStore store(path);
    EXPECT_EQ(store.readInt("Settings", "TabStops", 16), 16);
    EXPECT_EQ(store.readString("Settings", "ExtSel", "*.c"), "*.c");
    EXPECT_FALSE(store.readBinary("KeyTable", "KeyTable", 10));
    EXPECT_FALSE(store.readPlacement("Settings", "WindowPos"));
    EXPECT_FALSE(std::filesystem::exists(path));  // reading creates nothing
}

TEST_F(SettingsStoreTest, StringsSurviveTheFileUnchanged) {
    const std::string value = "tab\there\nline \"quoted\" back\\slash " + cp932::fromUtf8("表示");
    {
        SettingsStore store(path);
        store.writeString("Settings", "UserText1", value);
        store.writeInt("Settings", "TextColor", -1);
        ASSERT_TRUE(store.flush());
    }
    const std::string bytes = TempFolder::read(path);
    // One line per value; the trail byte 0x5C of 表 gets no extra backslash.
    EXPECT_NE(bytes.find("UserText1=\"tab\\there\\nline \\\"quoted\\\" back\\\\slash " + cp932::fromUtf8("表示") +
                         "\"\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("TextColor=-1\r\n"), std::string::npos);
    SettingsStore again(path);
    EXPECT_EQ(again.readString("settings", "usertext1", ""), value);
    EXPECT_EQ(again.readInt("Settings", "TextColor", 0), -1);
}

TEST_F(SettingsStoreTest, BadValuesFallBackToTheDefault) {
    TempFolder::write(path, "[S]\nnum=abc\nbin=\"PDXX\"\nlong=\"" + std::string(10000, 'x') + "\"\nopen=\"unterminated\n");
    SettingsStore store(path);
    EXPECT_EQ(store.readInt("S", "num", 7), 7);
    EXPECT_FALSE(store.readBinary("S", "bin", 4));
    EXPECT_EQ(store.readString("S", "long", "").size(), 4092u);
    EXPECT_EQ(store.readString("S", "open", ""), "unterminated");
}

TEST_F(SettingsStoreTest, BinaryValuesAreQuotedLetterPairs) {
    SettingsStore store(path);
    const uint8_t data[] = {0x3F, 0x01};
    store.writeBinary("KeyTable", "KeyTable", data, 2);
    ASSERT_TRUE(store.flush());
    EXPECT_NE(TempFolder::read(path).find("KeyTable=\"PDBA\""), std::string::npos);
    EXPECT_EQ(*SettingsStore(path).readBinary("KeyTable", "KeyTable", 16), std::vector<uint8_t>(data, data + 2));
}

TEST_F(SettingsStoreTest, PlacementBeyondTheScreenIsIgnored) {
    SettingsStore store(path);
    store.setScreen({1280, 1024});
    store.writePlacement("Settings", "WindowPos", WindowPlacement{0, 1, 3, 3, 4, 4, 100, 50, 900, 700});
    store.writePlacement("Settings", "FloatTool1", WindowPlacement{0, 1, 0, 0, 0, 0, 2000, 50, 2300, 700});
    std::optional<WindowPlacement> p = store.readPlacement("Settings", "WindowPos");
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (WindowPlacement{0, 1, -1, -1, -1, -1, 100, 50, 900, 700}));
    EXPECT_FALSE(store.readPlacement("Settings", "FloatTool1"));
}

TEST_F(SettingsStoreTest, FontGroupDefaultsAndChangeTracking) {
    SettingsStore store(path);
    const LogFont def = defaultPrintFont();
    EXPECT_EQ(store.readFont("PrintFont", def), def);  // Height 0: the default whole

    std::vector<std::string> written;
    store.setWriteObserver([&](std::string_view s, std::string_view k) { written.push_back(std::string(s) + "/" + std::string(k)); });
    LogFont f = def;
    f.height = -16;
    f.faceName = "Mono";
    LogFont stored = def;
    store.writeFont("PrintFont", f, stored, false);
    EXPECT_EQ(written.size(), 8u);
    EXPECT_EQ(stored, f);
    written.clear();
    store.writeFont("PrintFont", f, stored, false);
    EXPECT_TRUE(written.empty());
    store.writeFont("PrintFont", f, stored, true);
    EXPECT_EQ(written.size(), 8u);
    EXPECT_EQ(store.readFont("printfont", def), f);

    store.writeInt("HeaderFont", "Height", 12);  // only the height stored
    const LogFont partial = store.readFont("HeaderFont", def);
    EXPECT_EQ(partial.height, 12);
    EXPECT_EQ(partial.pitchAndFamily, 17);
    EXPECT_EQ(partial.faceName, def.faceName);
}

TEST_F(SettingsStoreTest, FlushMergesWithWhatAnotherProcessWrote) {
    SettingsStore mine(path);
    SettingsStore theirs(path);
    theirs.writeInt("Settings", "KeepRun", 1);
    ASSERT_TRUE(theirs.flush());
    mine.writeInt("Settings", "TabStops", 32);
    ASSERT_TRUE(mine.flush());
    SettingsStore check(path);
    EXPECT_EQ(check.readInt("Settings", "KeepRun", 0), 1);
    EXPECT_EQ(check.readInt("Settings", "TabStops", 0), 32);
    EXPECT_EQ(mine.readInt("Settings", "KeepRun", 0), 1);  // the merged file is now the image
}

TEST_F(SettingsStoreTest, AtomicWriteLeavesNoTemporaryFileAndKeepsPermissions) {
    TempFolder::write(path, "[S]\nk=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    SettingsStore store(path);
    store.writeInt("S", "k", 2);
    ASSERT_TRUE(store.flush());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsStoreTest, WriteThroughASymbolicLinkReplacesItsTarget) {
    const std::string real = dir.file("real.ini");
    TempFolder::write(real, "[S]\nk=1\n");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::create_symlink(real, path);
    SettingsStore store(path);
    store.writeInt("S", "k", 5);
    ASSERT_TRUE(store.flush());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(TempFolder::read(real), "[S]\nk=5\n");
}

TEST_F(SettingsStoreTest, FailedWriteLeavesThePathAloneAndKeepsTheChanges) {
    SettingsStore store(path);
    store.writeInt("S", "k", 2);
    // A non-empty folder where the file should be: the rename over it fails.
    std::filesystem::create_directories(path + "/blocker");
    EXPECT_FALSE(store.flush());
    EXPECT_TRUE(std::filesystem::is_directory(path + "/blocker"));
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);  // no temporary file left behind
    std::filesystem::remove_all(path);
    EXPECT_TRUE(store.flush());  // the change was kept for the next try
    EXPECT_EQ(TempFolder::read(path), "[S]\r\nk=2\r\n");
}

TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsNeverOverwritten) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    {
        std::ofstream big(path, std::ios::binary);
        big << "[S]\nk=1\n";
    }
    std::filesystem::resize_file(path, kMaxSettingsFileBytes + 1);  // sparse: quick to make
    SettingsStore store(path);
    EXPECT_EQ(store.readInt("S", "k", 0), 0);  // unreadable: defaults
    store.writeInt("S", "k", 2);
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(std::filesystem::file_size(path), kMaxSettingsFileBytes + 1);
}

TEST_F(SettingsStoreTest, FileBackEndIsActiveOnlyBetweenBeginAndEnd) {
    SettingsStore store(path);
    store.writeInt("S", "where", 1);
    const std::string exportPath = dir.file("export.ini");
    ASSERT_TRUE(store.beginFile(exportPath));
    EXPECT_TRUE(store.usingFile());
    EXPECT_EQ(store.readInt("S", "where", 0), 0);
    store.writeInt("S", "where", 2);
    ASSERT_TRUE(store.endFile());
    EXPECT_EQ(store.readInt("S", "where", 0), 1);
    EXPECT_EQ(TempFolder::read(exportPath), "[S]\r\nwhere=2\r\n");
    EXPECT_FALSE(store.beginFile(dir.path()));  // a folder cannot be read as a file
    EXPECT_FALSE(store.usingFile());
}

TEST(ReadWholeFile, RefusesFilesBeyondTheLimit) {
    TempFolder dir;
    TempFolder::write(dir.file("big"), std::string(100, 'x'));
    std::string out;
    EXPECT_EQ(readWholeFile(dir.file("big"), out, 99), ReadResult::Failed);
    EXPECT_EQ(readWholeFile(dir.file("big"), out, 100), ReadResult::Ok);
    EXPECT_EQ(readWholeFile(dir.file("none"), out), ReadResult::Missing);
}

TEST(SettingsPaths, FollowTheXdgFolders) {
    static std::map<std::string, std::string> vars;
    EnvLookup env = [](const char* name) -> const char* {
        auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
    vars = {{"HOME", "/home/u"}};
    EXPECT_EQ(userSettingsFilePath(env), "/home/u/.config/Pelmar/Orvex/settings.ini");
    EXPECT_EQ(userDataFolderPath(env), "/home/u/.local/share/Orvex");
    EXPECT_EQ(tempFolderPath(env), "/tmp");
    vars = {{"HOME", "/home/u/"}, {"XDG_CONFIG_HOME", "/cfg/"}, {"XDG_DATA_HOME", "relative"}, {"TMPDIR", "/var/t"}};
    EXPECT_EQ(userSettingsFilePath(env), "/cfg/Pelmar/Orvex/settings.ini");
    EXPECT_EQ(userDataFolderPath(env), "/home/u/.local/share/Orvex");  // a relative value is ignored
    EXPECT_EQ(tempFolderPath(env), "/var/t");
    vars = {};
    EXPECT_EQ(homeFolderPath(env), "/");
    EXPECT_EQ(userSettingsFilePath(env), "/.config/Pelmar/Orvex/settings.ini");
}

}  // namespace
}  // namespace orvex::settings
