// Load all, save all, export and import over a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <typeinfo>

#include "TempFolder.h"
#include "common/codepage/Cp932.h"
#include "settings/Settings.h"

namespace orvex::settings {
namespace {

using orvex::test::TempFolder;

class SettingsTest : public ::testing::Test {
protected:
    TempFolder dir;

    SettingsEnvironment env() const {
        SettingsEnvironment e;
        e.settingsFile = dir.file("config/Pelmar/Orvex/settings.ini");
        e.dataFolder = dir.file("data/Orvex");
        e.tempFolder = dir.file("tmp");
        e.homeFolder = dir.file("home");
        e.screen = {1920, 1080};
        return e;
    }
    std::string userFile() const { return env().settingsFile; }

    // Records what the next saves write, as "Section/Key".
    void watch(Settings& s) {
        m_written.clear();
        s.store().setWriteObserver([this](std::string_view sec, std::string_view key) {
            m_written.push_back(std::string(sec) + "/" + std::string(key));
        });
    }
    const std::vector<std::string>& written() const { return m_written; }

    // A settings tree that differs from the defaults nearly everywhere.
    static void fillEverything(Settings& s) {
        const std::string text = "tab\there, line\nend \"q\" \\ " + cp932::fromUtf8("表示ソ漢字");
        s.app.exts = ".txt;.c";
        s.app.usrFileFilter[3] = "*.md";
        s.app.autoBackupTime = 5;
        s.app.autoBackup = 1;
        s.app.keepRun = 1;
        s.app.font.height = -14;
        s.app.font.faceName = cp932::fromUtf8("ＭＳ ゴシック");
        s.colours.textColor = 0x00112233;
        s.colours.textColorN[4] = 0x00008000;
        s.print.printForm = 3;
        s.pageLayouts[9].header = text;
        s.pageLayouts[9].printFont.height = 100;
        s.pageLayouts[2].hMrgn = 7;
        s.frame.teikeiTT[19] = text;
        s.frame.stsBar[63] = "%12";
        s.frame.windowPos = WindowPlacement{0, 1, -1, -1, -1, -1, 10, 10, 800, 600};
        s.frame.fileWinPath = "/home/u/src";
        s.frame.favouriteFiles[0] = "/home/u/a.txt";
        s.frame.httpPath = "/usr/bin/browser %s";
        s.programs[9].command = "/usr/bin/make";
        s.programs[9].env = "A=1\r\nB=2";
        s.tables.keys.count = 2;
        s.tables.keys.records[0] = KeyAssignment{0x0B, 0x41, 57644};
        s.tables.keys.records[1] = KeyAssignment{0x03, 0x70, 57666};
        s.tables.keys.changed = true;
        s.tables.toolbar2.count = 1;
        s.tables.toolbar2.changed = true;
        s.child.sizeDefCharX = 100;
        s.document.titleStr[15] = cp932::fromUtf8("■");
        s.document.autoKanji = 4;
        s.editor.mode(3).extSel = "*.md";
        s.editor.mode(4).usrCmnt = "--";
        s.editor.mode(2).adjCol = 1;
        s.editor.options.kinsokuStr1 = EditorOptions().kinsokuStr1 + "x";
        s.editor.options.macroTT[9] = text;
        s.editor.search.findCase2 = 1;
        s.editor.history.findStr[29] = text;
        s.editor.batch.replace[39] = text;
        s.editor.keywords.setWord(319, "last");
        s.editor.keywords.setWord(5, cp932::fromUtf8("関数"));
        s.editor.presets[13].seikeiTT = text;
        s.fixedStrings.ensureLoaded(s.store());
        s.fixedStrings.setText(0, "first fixed string");
        s.fixedStrings.setText(19, text);
        s.openFiles.entries[0].file = "/home/u/open.txt";
        s.openFiles.dir = "/home/u";
        s.recentFiles.files[0] = "/home/u/recent.txt";
    }

private:
    std::vector<std::string> m_written;
};

TEST_F(SettingsTest, FirstRunStartsWithDefaultsAndWritesTheVersion) {
    Settings s(env());
    ASSERT_TRUE(s.loadAll(false));
    EXPECT_EQ(s.storedVersion(), 0);
    EXPECT_EQ(s.app.newExt, ".txt");
    EXPECT_EQ(s.app.autoBackupPath, env().tempFolder);
    EXPECT_EQ(s.app.defDir[0], env().homeFolder);
    EXPECT_EQ(s.editor.history.findPath[0], env().homeFolder);
    EXPECT_EQ(s.editor.history.findFilter[0], "*.c;*.cpp");
    EXPECT_EQ(s.colours.eofColor, 0x00FF0000);
    EXPECT_EQ(s.editor.mode(0).tabWidth(), 4);
    EXPECT_EQ(s.app.font, defaultDisplayFont());
    EXPECT_EQ(s.pageLayouts[5].printFont.faceName, cp932::fromUtf8("ＭＳ 明朝"));
    EXPECT_EQ(s.tables.keys.count, 0);
    EXPECT_EQ(TempFolder::read(userFile()), "[System]\r\nRegWinVer=512\r\n");

    Settings again(env());
    ASSERT_TRUE(again.loadAll(false));
    EXPECT_EQ(again.storedVersion(), 0x200);
}

TEST_F(SettingsTest, ValuesSurviveSaveAndLoad) {
    {
        Settings s(env());
        s.loadAll(false);
        fillEverything(s);
        ASSERT_TRUE(s.saveAll(false, false));
    }
    Settings back(env());
    ASSERT_TRUE(back.loadAll(false));
    Settings expected(env());
    expected.loadAll(false);
    fillEverything(expected);
    EXPECT_EQ(back.app.exts, ".txt;.c");
    EXPECT_EQ(back.app.font, expected.app.font);
    EXPECT_EQ(back.colours, expected.colours);
    EXPECT_EQ(back.pageLayouts, expected.pageLayouts);
    EXPECT_EQ(back.frame.teikeiTT, expected.frame.teikeiTT);
    EXPECT_EQ(back.frame.windowPos, expected.frame.windowPos);
    EXPECT_EQ(back.programs, expected.programs);
    EXPECT_EQ(back.tables.keys.records[0], (KeyAssignment{0x0B, 0x41, 57644}));
    EXPECT_EQ(back.tables.keys.count, 2);
    EXPECT_EQ(back.document.titleStr, expected.document.titleStr);
    EXPECT_EQ(back.editor.modes, expected.editor.modes);
    EXPECT_EQ(back.editor.options, expected.editor.options);
    EXPECT_EQ(back.editor.history, expected.editor.history);
    EXPECT_EQ(back.editor.batch, expected.editor.batch);
    EXPECT_EQ(back.editor.keywords, expected.editor.keywords);
    EXPECT_EQ(back.editor.presets, expected.editor.presets);
    EXPECT_EQ(back.openFiles, expected.openFiles);
    EXPECT_EQ(back.recentFiles, expected.recentFiles);
}

TEST_F(SettingsTest, StoredBackupIntervalTurnsAutomaticBackupOn) {
    TempFolder::write(userFile(), "[System]\r\nRegWinVer=512\r\n[Settings]\r\nAutoBackupTime=10\r\nAutoBackup=0\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.app.autoBackup, 1);
    watch(s);
    s.saveAll(false, false);
    const std::set<std::string> w(written().begin(), written().end());
    EXPECT_TRUE(w.count("Settings/AutoBackup"));  // 1 is written at the next save
    EXPECT_EQ(SettingsStore(userFile()).readInt("Settings", "AutoBackup", 0), 1);
}

TEST_F(SettingsTest, SavingTwiceWritesOnlyTheVersionTheSecondTime) {
    Settings s(env());
    s.loadAll(false);
    fillEverything(s);
    s.saveAll(false, false);
    watch(s);
    s.saveAll(false, false);
    EXPECT_EQ(written(), std::vector<std::string>{"System/RegWinVer"});

    Settings reloaded(env());
    reloaded.loadAll(false);
    watch(reloaded);
    reloaded.saveAll(false, false);
    EXPECT_EQ(written(), std::vector<std::string>{"System/RegWinVer"});
}

TEST_F(SettingsTest, TogglingAdjColInModeTwoWritesOnlyAdjCol3) {
    Settings s(env());
    s.loadAll(false);
    s.saveAll(false, false);
    s.editor.mode(2).adjCol = 1;
    watch(s);
    s.saveAll(false, false);
    EXPECT_EQ(written(), (std::vector<std::string>{"System/RegWinVer", "Settings/AdjCol3"}));
}

TEST_F(SettingsTest, ExportImportExportGivesIdenticalFiles) {
    Settings s(env());
    s.loadAll(false);
    fillEverything(s);
    const std::string first = dir.file("first.ini");
    ASSERT_TRUE(s.exportSettings(first));

    TempFolder other;  // another machine
    SettingsEnvironment e2 = env();
    e2.settingsFile = other.file("settings.ini");
    e2.dataFolder = other.file("data");
    Settings t(e2);
    t.loadAll(false);
    ImportResult r = t.importSettings(first);
    EXPECT_TRUE(r.imported);
    EXPECT_TRUE(r.keepRunChanged);
    const std::string second = other.file("second.ini");
    ASSERT_TRUE(t.exportSettings(second));
    EXPECT_EQ(TempFolder::read(first), TempFolder::read(second));
    EXPECT_FALSE(TempFolder::read(first).empty());

    // Exporting again over the same file changes nothing in it.
    ASSERT_TRUE(t.exportSettings(second));
    EXPECT_EQ(TempFolder::read(first), TempFolder::read(second));
}

TEST_F(SettingsTest, ExportCarriesTablesColoursFontsAndFixedStringsButNoWindowPositions) {
    Settings s(env());
    s.loadAll(false);
    fillEverything(s);
    const std::string file = dir.file("export.ini");
    ASSERT_TRUE(s.exportSettings(file));
    ProfileFile exported = ProfileFile::parse(TempFolder::read(file));
    EXPECT_TRUE(exported.get("Settings", "UserText20"));
    EXPECT_TRUE(exported.get("KeyTable", "KeyTable"));
    EXPECT_FALSE(exported.get("Settings", "WindowPos"));
    EXPECT_FALSE(exported.get("Settings", "FileWinPath"));
    EXPECT_FALSE(exported.get("Settings", "FileWinFilter"));
    EXPECT_FALSE(exported.get("OpenPathName", "File1"));
    EXPECT_FALSE(exported.get("OpenPathName", "Dir"));
    EXPECT_FALSE(exported.hasSection("Recent File List"));

    TempFolder other;
    SettingsEnvironment e2 = env();
    e2.settingsFile = other.file("settings.ini");
    e2.dataFolder = other.file("data");
    Settings t(e2);
    t.loadAll(false);
    t.frame.windowPos = WindowPlacement{0, 1, -1, -1, -1, -1, 5, 5, 300, 200};
    t.openFiles.entries[1].file = "/mine.txt";
    ASSERT_TRUE(t.importSettings(file).imported);
    EXPECT_EQ(t.tables.keys.records[1], s.tables.keys.records[1]);
    EXPECT_EQ(t.colours, s.colours);
    EXPECT_EQ(t.app.font, s.app.font);
    EXPECT_EQ(t.fixedStrings.texts(), s.fixedStrings.texts());
    EXPECT_EQ(t.frame.windowPos, (WindowPlacement{0, 1, -1, -1, -1, -1, 5, 5, 300, 200}));
    EXPECT_EQ(t.openFiles.entries[1].file, "/mine.txt");
    EXPECT_EQ(t.openFiles.entries[0].file, "");
    // The fixed strings went to their file, not into the settings.
    EXPECT_EQ(FixedStrings::parse(TempFolder::read(e2.dataFolder + "/OrvexT1.dat")), s.fixedStrings.texts());
    EXPECT_FALSE(ProfileFile::parse(TempFolder::read(e2.settingsFile)).get("Settings", "UserText1"));
    // Every table was written to the per-user settings.
    EXPECT_TRUE(ProfileFile::parse(TempFolder::read(e2.settingsFile)).get("ToolTable2", "ToolTable"));
}

TEST_F(SettingsTest, ImportOfAFileWithoutVersionChangesNothing) {
    Settings s(env());
    s.loadAll(false);
    fillEverything(s);
    s.saveAll(false, false);
    const std::string before = TempFolder::read(userFile());

    const std::string files[] = {"[Settings]\r\nTabStops=32\r\nKeepRun=0\r\n",
                                 "[System]\r\nRegWinVer=0\r\n[Settings]\r\nTabStops=32\r\n", "garbage"};
    for (const std::string& content : files) {
        const std::string path = dir.file("noversion.ini");
        TempFolder::write(path, content);
        watch(s);
        ImportResult r = s.importSettings(path);
        EXPECT_FALSE(r.imported);
        EXPECT_TRUE(written().empty());
        EXPECT_EQ(s.editor.mode(0).tabStops, 16);
        EXPECT_EQ(s.app.keepRun, 1);
        EXPECT_EQ(TempFolder::read(userFile()), before);
    }
    EXPECT_FALSE(s.importSettings(dir.file("missing.ini")).imported);
    EXPECT_FALSE(s.importSettings(dir.path()).imported);  // a folder
}

TEST_F(SettingsTest, OldVersionTablesAreMigratedOnceAndRewritten) {
    auto bytes = [](std::initializer_list<uint32_t> ids) {
        std::vector<uint8_t> b(320);
        size_t i = 0;
        for (uint32_t id : ids)
            for (int k = 0; k < 4; ++k) b[i++] = static_cast<uint8_t>(id >> (8 * k));
        return b;
    };
    {
        SettingsStore old(userFile());
        old.writeInt("System", "RegWinVer", 0x100);
        const std::vector<uint8_t> tool = bytes({57608, 57670, 57611, 57666, 57610});
        old.writeInt("ToolTable", "ToolTableNum", 4);
        old.writeBinary("ToolTable", "ToolTable", tool.data(), tool.size());
        const std::vector<uint8_t> menu = bytes({57669});
        old.writeInt("MenuTable", "MenuTableNum", 1);
        old.writeBinary("MenuTable", "MenuTable", menu.data(), 160);
        ASSERT_TRUE(old.flush());
    }
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.storedVersion(), 0x100);
    EXPECT_EQ(s.tables.toolbar1.count, 4);
    EXPECT_EQ(s.tables.toolbar1.records[0], 57609u);
    EXPECT_EQ(s.tables.toolbar1.records[1], 57671u);
    EXPECT_EQ(s.tables.toolbar1.records[2], 57611u);
    EXPECT_EQ(s.tables.toolbar1.records[3], 57666u);
    EXPECT_EQ(s.tables.toolbar1.records[4], 57610u);  // not live: untouched
    EXPECT_EQ(s.tables.menu.records[0], 57670u);
    EXPECT_TRUE(s.tables.toolbar1.changed);
    EXPECT_FALSE(s.tables.keys.changed);

    watch(s);
    s.saveAll(false, false);
    const std::set<std::string> w(written().begin(), written().end());
    EXPECT_TRUE(w.count("ToolTable/ToolTable"));
    EXPECT_TRUE(w.count("MenuTable/MenuTable"));
    EXPECT_FALSE(w.count("KeyTable/KeyTable"));  // saving without an edit writes no other table

    Settings next(env());
    next.loadAll(false);
    EXPECT_EQ(next.storedVersion(), 0x200);
    EXPECT_EQ(next.tables.toolbar1.records[0], 57609u);  // migrated only once
    EXPECT_FALSE(next.tables.toolbar1.changed);
}

TEST_F(SettingsTest, DamagedTablesLoadWhatTheyCan) {
    TempFolder::write(userFile(),
                      "[System]\r\nRegWinVer=512\r\n"
                      "[KeyTable]\r\nKeyTableNum=5000\r\nKeyTable=\"LAAABEAAMCBOLAAA\"\r\n"  // 1 whole record + a part
                      "[MenuTable]\r\nMenuTableNum=3\r\nMenuTable=\"not letters\"\r\n"
                      "[ToolTable]\r\nToolTableNum=-4\r\nToolTable=\"AAAA\"\r\n"
                      "[ToolTable2]\r\nToolTableNum=200\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.tables.keys.count, 1);
    EXPECT_EQ(s.tables.keys.records[0], (KeyAssignment{0x0B, 0x41, 57644}));
    EXPECT_EQ(s.tables.menu.count, 0);
    EXPECT_EQ(s.tables.toolbar1.count, 0);
    EXPECT_EQ(s.tables.toolbar2.count, 0);
}

TEST_F(SettingsTest, BadSettingsFilesLoadWhatTheyCanAndTakeDefaultsForTheRest) {
    const std::string bad =
        "garbage before any section\r\n"
        "[System]\r\nRegWinVer=512\r\n"
        "[Settings]\r\n"
        "TabStops=24\r\n"
        "TabStops=40\r\n"                        // repeated key: the first wins
        "=no key\r\n"
        "LineMax=\"" + std::string(9000, '9') + "\"\r\n"  // over-long number: default
        "ExtSel2=\"*.c;*.h\r\n"                 // unterminated quote
        "KinsokuStr1=\"\x81\"\r\n"             // invalid Shift JIS
        "\x81\x40\x82=5\r\n"
        "[Settings]\r\nAdjCol=1\r\n"             // repeated section: ignored
        "[FindStrings]\r\nFindStr0=\"cut in the mid";  // truncated file
    TempFolder::write(userFile(), bad);
    Settings s(env());
    ASSERT_TRUE(s.loadAll(false));
    EXPECT_EQ(s.editor.mode(0).tabStops, 24);
    EXPECT_EQ(s.editor.mode(0).lineMax, 80);
    EXPECT_EQ(s.editor.mode(1).extSel, "*.c;*.h");
    EXPECT_EQ(s.editor.options.kinsokuStr1, "\x81");
    EXPECT_EQ(s.editor.mode(0).adjCol, 0);
    EXPECT_EQ(s.editor.history.findStr[0], "cut in the mid");
    EXPECT_EQ(s.child.sizeDefCharX, 80);
    // Saving keeps the lines it did not understand.
    s.editor.mode(0).adjCol = 1;
    s.saveAll(false, false);
    const std::string after = TempFolder::read(userFile());
    EXPECT_NE(after.find("garbage before any section\r\n"), std::string::npos);
    EXPECT_NE(after.find("TabStops=40\r\n"), std::string::npos);
    EXPECT_NE(after.find("[Settings]\r\nAdjCol=1\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ColourDefaultsFollowTheColoursJustRead) {
    TempFolder::write(userFile(), "[System]\r\nRegWinVer=512\r\n[Settings]\r\nCRColor=255\r\nURLColor=65280\r\nMailColor=7\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.colours.eofColor, 255);
    EXPECT_EQ(s.colours.mailColor, 7);
    TempFolder::write(userFile(), "[System]\r\nRegWinVer=512\r\n[Settings]\r\nURLColor=65280\r\nToolBarDisp=0\r\nScrollBarDisp=0\r\n");
    s.loadAll(false);
    EXPECT_EQ(s.colours.eofColor, 0x00FF0000);
    EXPECT_EQ(s.colours.mailColor, 65280);
    EXPECT_EQ(s.frame.toolBarDisp2, 0);
    EXPECT_EQ(s.child.scrollBarDisp2, 0);
}

TEST_F(SettingsTest, PageLayoutsLiveInNumberedSections) {
    TempFolder::write(userFile(),
                      "[System]\r\nRegWinVer=512\r\n[PageLayout]\r\nPrintForm=2\r\nTMrgn=30\r\n"
                      "[PageLayout3]\r\nTMrgn=15\r\nBMrgn=12\r\nFMrgn=4\r\nDangumi1=9\r\n"
                      "[PrintFont10]\r\nFontSize=105\r\nHeight=-20\r\nFaceName=\"@Vertical\"\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.print.printForm, 2);
    EXPECT_EQ(s.pageLayouts[0].hMrgn, 30);
    EXPECT_EQ(s.pageLayouts[2].hMrgn, 15);
    EXPECT_EQ(s.pageLayouts[2].fMrgn, 4);
    EXPECT_EQ(s.pageLayouts[2].dangumi1, 2);
    EXPECT_EQ(s.pageLayouts[1].tMrgn, 20);
    EXPECT_EQ(s.pageLayouts[9].printFontSize, 105);
    EXPECT_EQ(s.pageLayouts[9].printFont.height, -20);
    EXPECT_EQ(s.pageLayouts[9].printFont.pitchAndFamily, 17);
    EXPECT_EQ(s.pageLayouts[9].printFont.faceName, "@Vertical");
}

TEST_F(SettingsTest, ClipboardOptionStartsOffAndIsWrittenOnlyWhenTurnedOn) {
    TempFolder::write(userFile(), "[System]\r\nRegWinVer=512\r\n[ExProgExe]\r\nOleClipBoad=1\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.frame.oleClipBoad, 0);
    s.saveAll(false, false);  // the first save writes the derived values
    watch(s);
    s.saveAll(false, false);
    EXPECT_EQ(written(), std::vector<std::string>{"System/RegWinVer"});
    s.frame.oleClipBoad = 1;
    watch(s);
    s.saveAll(false, false);
    EXPECT_EQ(written(), (std::vector<std::string>{"System/RegWinVer", "ExProgExe/OleClipBoad"}));
}

TEST_F(SettingsTest, OldFixedStringsInTheSettingsMoveToTheirFile) {
    TempFolder::write(userFile(), "[System]\r\nRegWinVer=256\r\n[Settings]\r\nUserText2=\"two\\r\\nlines\"\r\nTabStops=8\r\n");
    Settings s(env());
    s.loadAll(false);
    EXPECT_EQ(s.fixedStrings.state(), FixedStrings::State::NotLoaded);
    s.fixedStrings.ensureLoaded(s.store());
    EXPECT_EQ(s.fixedStrings.text(1), "two\r\nlines");
    EXPECT_EQ(s.fixedStrings.text(0), "");
    const std::string settingsNow = TempFolder::read(userFile());
    EXPECT_EQ(settingsNow.find("UserText"), std::string::npos);
    EXPECT_NE(settingsNow.find("TabStops=8"), std::string::npos);
    Settings next(env());
    next.fixedStrings.ensureLoaded(next.store());
    EXPECT_EQ(next.fixedStrings.text(1), "two\r\nlines");
}

TEST(FixedStringsFile, ZeroTerminatedSlots) {
    std::array<std::string, kFixedStringCount> texts;
    texts[0] = "a";
    texts[2] = "c\r\nd";
    const std::string bytes = FixedStrings::serialize(texts);
    EXPECT_EQ(bytes.size(), 1 + 4 + 20u);
    EXPECT_EQ(FixedStrings::parse(bytes), texts);
    auto partial = FixedStrings::parse(std::string("x\0y", 3));  // ends without a terminator
    EXPECT_EQ(partial[0], "x");
    EXPECT_EQ(partial[1], "y");
    EXPECT_EQ(partial[2], "");
}

// Every stored name is owned by exactly one row of one table.
TEST(KeyTables, EveryStoredNameIsUnique) {
    std::map<std::string, int> seen;
    auto add = [&](const std::string& section, const std::string& key) {
        ++seen[ProfileFile::foldCase(section) + "/" + ProfileFile::foldCase(key)];
    };
    auto addTable = [&](const auto& table) {
        for (int i = 0; i < table.instances(); ++i)
            for (const StoredName& n : table.names(i))
                if (!n.key.empty()) add(n.section, n.key);
    };
    addTable(appOptionsTable());
    addTable(colourOptionsTable());
    addTable(printOptionsTable());
    addTable(pageLayoutTable());
    addTable(frameOptionsTable());
    addTable(externalProgramTable());
    addTable(childOptionsTable());
    addTable(documentOptionsTable());
    addTable(modeOptionsTable());
    addTable(editorOptionsTable());
    addTable(searchOptionsTable());
    addTable(searchHistoryTable());
    addTable(batchPairsTable());
    addTable(formatPresetTable());
    addTable(openFileEntryTable());
    addTable(openFileListTable());
    addTable(recentFileListTable());
    for (int slot = 0; slot < kKeywordSlots; ++slot) add("Settings", "Keyword" + std::to_string(KeywordStore::keyNumber(slot)));
    for (const auto& [name, count] : seen) EXPECT_EQ(count, 1) << name;
    EXPECT_GT(seen.size(), 1500u);
    EXPECT_TRUE(seen.count("exprogexe/progtt0"));
    EXPECT_TRUE(seen.count("exprogexe/progdirfile9"));
    EXPECT_TRUE(seen.count("statusbar/stsbar64"));
    EXPECT_TRUE(seen.count("use file list/file20"));
    EXPECT_TRUE(seen.count("openpathname/place10"));
    EXPECT_TRUE(seen.count("openpathname/defdir"));
    EXPECT_TRUE(seen.count("openpathname/defdir10"));
    EXPECT_TRUE(seen.count("footerfont10/fontsize"));
    EXPECT_TRUE(seen.count("pagelayout10/prnext"));
    EXPECT_TRUE(seen.count("settings/textcolor15"));
}

// The member initializers of the option structs are the table defaults.
TEST(KeyTables, StructDefaultsMatchTheTables) {
    const SettingsStore empty;
    SettingsEnvironment env;  // folder defaults empty, as in the structs
    const LoadContext ctx{&env, false};
    auto check = [&](const auto& table, const auto& proto) {
        using S = std::decay_t<decltype(proto)>;
        for (int i = 0; i < table.instances(); ++i) {
            S cur, stored;
            table.load(empty, cur, stored, i, ctx, &proto);
            EXPECT_TRUE(stored == proto) << typeid(S).name() << " instance " << i;
        }
    };
    check(appOptionsTable(), AppOptions{});
    check(colourOptionsTable(), ColourOptions{});
    check(printOptionsTable(), PrintOptions{});
    check(pageLayoutTable(), PageLayoutFormat{});
    check(frameOptionsTable(), FrameOptions{});
    check(externalProgramTable(), ExternalProgram{});
    check(childOptionsTable(), ChildOptions{});
    check(documentOptionsTable(), DocumentOptions{});
    check(modeOptionsTable(), ModeOptions{});
    check(editorOptionsTable(), EditorOptions{});
    check(searchOptionsTable(), SearchOptions{});
    check(searchHistoryTable(), SearchHistory{});
    check(batchPairsTable(), BatchPairs{});
    check(formatPresetTable(), FormatPreset{});
    check(openFileEntryTable(), OpenFileEntry{});
    check(recentFileListTable(), RecentFileList{});
}

TEST(KeyTables, JapaneseDefaultsConvertWithoutLoss) {
    const EditorOptions o;
    const FormatPreset p;
    // Every character of the built-in texts has a Shift JIS form: the only
    // "?" is the one KinsokuStr1 holds itself.
    EXPECT_EQ(std::count(o.kinsokuStr1.begin(), o.kinsokuStr1.end(), '?'), 1);
    for (const std::string* s : {&o.kinsokuStr2, &o.brakets, &o.dblSpc, &p.prohibitCnctChr, &p.prohibitCnctChrL})
        EXPECT_EQ(s->find('?'), std::string::npos) << cp932::toUtf8(*s);
    EXPECT_EQ(o.dblSpc, "\x81\xA0");  // □
    EXPECT_NE(o.kinsokuStr2.find('\\'), std::string::npos);
    EXPECT_EQ(o.brakets.substr(o.brakets.size() - 3), "' '");
}

}  // namespace
}  // namespace orvex::settings
