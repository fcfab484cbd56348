// The editor profile: per-mode names, derived rules, keywords, presets,
// file-type mode selection and change tracking.
#include <gtest/gtest.h>

#include <set>

#include "common/codepage/Cp932.h"
#include "common/codepage/ShiftJis.h"
#include "settings/EditorProfile.h"
#include "settings/FileTypeModes.h"

namespace orvex::settings {
namespace {

class EditorProfileTest : public ::testing::Test {
protected:
    SettingsStore store;  // in memory
    ColourOptions colours;
    EditorProfile profile;
    std::vector<std::string> written;

    void load() { profile.load(store, colours, LoadContext{}); }
    void save(bool force = false) {
        written.clear();
        store.setWriteObserver([this](std::string_view s, std::string_view k) {
            written.push_back(std::string(s) + "/" + std::string(k));
        });
        profile.save(store, SaveContext{force, false});
        store.setWriteObserver(nullptr);
    }
};

TEST_F(EditorProfileTest, PerModeNamesFollowThePlainAndDigitRules) {
    const auto& names = modeOptionsTable().names(2);
    std::set<std::string> keys;
    for (const StoredName& n : names) keys.insert(n.key);
    for (const char* k : {"TabStops3", "AdjCol3", "ExtSel3", "WrapNum3", "CmntSel3", "UsrCmnt3", "FreeCursHome3",
                          "KeywdSel13", "KeywdSel83", "TTwdSel13", "TTwdSel43"})
        EXPECT_TRUE(keys.count(k)) << k;
    std::set<std::string> mode0;
    for (const StoredName& n : modeOptionsTable().names(0)) mode0.insert(n.key);
    for (const char* k : {"TabStops", "AdjCol", "ExtSel", "CmntSel1", "KeywdSel11", "TTwdSel41", "FreeCursHome1"})
        EXPECT_TRUE(mode0.count(k)) << k;
    std::set<std::string> mode4;
    for (const StoredName& n : modeOptionsTable().names(4)) mode4.insert(n.key);
    EXPECT_TRUE(mode4.count("TabStops5"));
    EXPECT_TRUE(mode4.count("KeywdSel15"));
}

TEST_F(EditorProfileTest, MinusOneRulesFollowTheColours) {
    store.writeInt("Settings", "CmntSel1", -1);
    store.writeInt("Settings", "CmntSel2", -1);
    colours.textColorN[4] = -1;  // comment colour not set
    load();
    EXPECT_EQ(profile.mode(0).cmntSel, 0);
    EXPECT_EQ(profile.mode(1).cmntSel, 0);

    colours.textColorN[4] = 0x00008000;
    colours.textColorN[3] = 0x000000FF;
    colours.textColorN[6] = 0x00FF00FF;
    load();
    EXPECT_EQ(profile.mode(0).cmntSel, 1);
    EXPECT_EQ(profile.mode(0).keywdSel[0], 1);  // TextColor3
    EXPECT_EQ(profile.mode(0).keywdSel[1], 0);  // TextColor7 not set
    EXPECT_EQ(profile.mode(0).ttwdSel[0], 0);   // TextColor5 not set
    EXPECT_EQ(profile.mode(0).ttwdSel[1], 1);   // TextColor6
    EXPECT_EQ(profile.mode(0).keywdSel[2], 0);  // groups 3-8 default off
}

TEST_F(EditorProfileTest, StoredValuesWinOverTheMinusOneRule) {
    store.writeInt("Settings", "CmntSel3", 5);
    store.writeInt("Settings", "KeywdSel23", 1);
    load();
    EXPECT_EQ(profile.mode(2).cmntSel, 5);
    EXPECT_EQ(profile.mode(2).keywdSel[1], 1);
}

TEST_F(EditorProfileTest, WrapNumZeroBecomesAColumn) {
    store.writeInt("Settings", "WrapCr2", 1);
    store.writeInt("Settings", "LineMax2", 64);
    store.writeInt("Settings", "WrapNum4", 33);
    load();
    EXPECT_EQ(profile.mode(0).wrapNum, 70);  // WrapCr off
    EXPECT_EQ(profile.mode(1).wrapNum, 63);  // LineMax - 1 of the same mode
    EXPECT_EQ(profile.mode(3).wrapNum, 33);
}

TEST_F(EditorProfileTest, GlobalDerivedRules) {
    store.writeInt("Settings", "CRDisp", 0);
    store.writeInt("Settings", "RulaPitch", -3);
    store.writeInt("Settings", "RulaType", 2);
    store.writeInt("Settings", "RCDispMode", 1);
    store.writeInt("Settings", "CaretWidth", 3);
    store.writeInt("Settings", "FindCase", 1);
    store.writeInt("Settings", "FindWord", 1);
    store.writeInt("Settings", "FindWord1", 0);
    load();
    EXPECT_EQ(profile.options.eofDisp, 0);  // default: the CRDisp value
    EXPECT_EQ(profile.options.rulaPitch, 1);
    EXPECT_EQ(profile.options.rulerHeight(), 6);
    EXPECT_EQ(profile.options.rcDispMode, 6);
    EXPECT_EQ(profile.options.caretWidth2, 3);
    EXPECT_EQ(profile.search.findCase1, 1);
    EXPECT_EQ(profile.search.findWord1, 0);  // stored values win
    EXPECT_EQ(profile.search.findCase2, 0);  // find in files has no inheritance

    store.writeInt("Settings", "RulaType", 1);
    store.writeInt("Settings", "RCDispMode", 3);
    load();
    EXPECT_EQ(profile.options.rulerHeight(), 15);
    EXPECT_EQ(profile.options.rcDispMode, 3);
}

TEST_F(EditorProfileTest, AbsurdValuesAreRepairedAndWrittenBack) {
    store.writeInt("Settings", "TabStops", 0);     // a zero tab width
    store.writeInt("Settings", "TabStops3", 9999);
    store.writeInt("Settings", "LineMax", 5);
    store.writeInt("Settings", "DispGyoukan", 40);
    store.writeInt("Settings", "Seikei4", 9000);
    load();
    EXPECT_EQ(profile.mode(0).tabStops, 4);
    EXPECT_EQ(profile.mode(0).tabWidth(), 1);
    EXPECT_EQ(profile.mode(2).tabStops, 64);
    EXPECT_EQ(profile.mode(0).lineMax, 10);
    EXPECT_EQ(profile.options.dispGyoukan, 5);
    EXPECT_EQ(profile.presets[3].seikei, 250);
    save();
    EXPECT_EQ(store.readInt("Settings", "TabStops", 0), 4);
    EXPECT_EQ(store.readInt("Settings", "LineMax", 0), 10);
}

TEST_F(EditorProfileTest, SavingTwiceWritesNothingTheSecondTime) {
    load();
    save();  // the derived values (WrapNum, CmntSel1 ...) are written once
    EXPECT_FALSE(written.empty());
    save();
    EXPECT_TRUE(written.empty());
    load();
    save();
    EXPECT_TRUE(written.empty());
}

TEST_F(EditorProfileTest, TogglingAdjColInModeTwoWritesOnlyAdjCol3) {
    load();
    save();
    profile.mode(2).adjCol = !profile.mode(2).adjCol;
    save();
    EXPECT_EQ(written, std::vector<std::string>{"Settings/AdjCol3"});
    EXPECT_EQ(store.readInt("Settings", "AdjCol3", 0), 1);
}

TEST_F(EditorProfileTest, ForcedSaveWritesEverything) {
    load();
    save(true);
    std::set<std::string> keys(written.begin(), written.end());
    EXPECT_EQ(keys.size(), written.size());  // nothing written twice
    for (const char* k : {"Settings/TabStops", "Settings/TTwdSel45", "Settings/Keyword320", "Settings/Gaiji40",
                          "Settings/GaijiTo40", "FindStrings/FindStr29", "FindStrings/FindFilter9", "Settings/Seikei14",
                          "Settings/SeikeiCR14", "Settings/KinsokuStr2", "Settings/KeyMacroTT20", "Settings/FindOnlyOne"})
        EXPECT_TRUE(keys.count(k)) << k;
}

TEST_F(EditorProfileTest, PresetsInheritWidthAndJoiningFromPresetZero) {
    store.writeInt("Settings", "Seikei", 60);
    store.writeInt("Settings", "SeikeiCR", 3);
    store.writeInt("Settings", "SeikeiKinsoku", 1);
    store.writeInt("Settings", "Seikei5", 40);
    load();
    EXPECT_EQ(profile.presets[0].seikei, 60);
    EXPECT_EQ(profile.presets[4].seikei, 40);
    EXPECT_EQ(profile.presets[13].seikei, 60);
    EXPECT_EQ(profile.presets[13].seikeiCR, 3);
    EXPECT_EQ(profile.presets[13].seikeiKinsoku, 0);  // not an inheriting key
    EXPECT_EQ(profile.presets[2].commentStr, "> ");
}

TEST(KeywordStore, SlotNumbering) {
    const std::pair<int, int> rows[] = {{0, 1},   {19, 20},  {20, 41},  {39, 60},  {40, 21},
                                        {59, 40}, {60, 61},  {79, 80},  {80, 81},  {319, 320}};
    for (auto [slot, number] : rows) EXPECT_EQ(KeywordStore::keyNumber(slot), number) << slot;
    std::set<int> numbers;
    for (int s = 0; s < kKeywordSlots; ++s) numbers.insert(KeywordStore::keyNumber(s));
    EXPECT_EQ(numbers.size(), static_cast<size_t>(kKeywordSlots));
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 320);
}

TEST(KeywordStore, BuiltInDefaultsOnlyWhileSlotZeroIsIf) {
    SettingsStore store;
    KeywordStore words, stored;
    words.load(store, stored);
    EXPECT_EQ(words.word(0), "if");
    EXPECT_EQ(words.word(24), "#define");
    EXPECT_EQ(words.word(31), "#include");
    EXPECT_EQ(words.word(32), "");

    store.writeString("Settings", "Keyword1", "begin");
    store.writeString("Settings", "Keyword3", "end");
    words.load(store, stored);
    EXPECT_EQ(words.word(0), "begin");
    EXPECT_EQ(words.word(1), "");
    EXPECT_EQ(words.word(2), "end");
    EXPECT_EQ(words.word(31), "");

    store.writeString("Settings", "Keyword1", "");
    words.load(store, stored);
    EXPECT_EQ(words.word(0), "");
    EXPECT_EQ(words.word(3), "");

    store.writeString("Settings", "Keyword1", "if");
    store.writeString("Settings", "Keyword41", "goto");  // slot 20
    words.load(store, stored);
    EXPECT_EQ(words.word(20), "goto");
    EXPECT_EQ(words.word(21), "typedef");
}

TEST(KeywordStore, ClassOfTheLastCharacter) {
    KeywordStore words;
    EXPECT_EQ(words.lastClass(0), sjis::kCharWord);      // "if"
    EXPECT_EQ(words.lastClass(24), sjis::kCharWord);     // "#define"
    words.setWord(40, "x(");
    EXPECT_EQ(words.lastClass(40), sjis::kCharOther);
    words.setWord(41, cp932::fromUtf8("関数"));
    EXPECT_EQ(words.lastClass(41), sjis::kCharKanji);
    words.setWord(42, cp932::fromUtf8("アイ"));
    EXPECT_EQ(words.lastClass(42), sjis::kCharKatakana);
    words.setWord(43, cp932::fromUtf8("表") + "a");  // trail 0x5C: the last character is "a"
    EXPECT_EQ(words.lastClass(43), sjis::kCharWord);
    words.setWord(44, "");
    EXPECT_EQ(words.lastClass(44), 0);
}

struct ModeRow {
    const char* name;
    const char* path;
    int mode;
};

class FileTypeModeTable : public ::testing::TestWithParam<ModeRow> {};

TEST_P(FileTypeModeTable, ChoosesByExtension) {
    const std::array<std::string, 5> lists = {"*.txt", "*.c;*.cpp;*.h", "*.HTML;*.htm", "", "*.pl;*.c"};
    EXPECT_EQ(selectFileTypeMode(GetParam().path, lists), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, FileTypeModeTable,
    ::testing::Values(ModeRow{"UpperCaseName", "a.C", 1}, ModeRow{"Cpp", "/src/x.cpp", 1},
                      ModeRow{"FirstModeWins", "main.c", 1}, ModeRow{"ListUpperCase", "index.html", 2},
                      ModeRow{"SkipsEmptyList", "run.PL", 4}, ModeRow{"NoExtension", "Makefile", 0},
                      ModeRow{"ModeZeroListNeverMatched", "notes.txt", 0},
                      ModeRow{"PrefixIsNoMatch", "a.cp", 0},  // ".cp;" is not in "*.cpp;"
                      ModeRow{"LastDotCounts", "archive.c.bak", 0},
                      ModeRow{"DotInFolderOnly", "/home/u/.config/README", 0},
                      ModeRow{"DotFile", "/home/u/.h", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorProfileTest, ModeForPathUsesTheLoadedLists) {
    store.writeString("Settings", "ExtSel4", "*.md;*.markdown");
    load();
    EXPECT_EQ(profile.modeForPath("README.MD"), 3);
    EXPECT_EQ(profile.modeForPath("a.c"), 0);
    EXPECT_EQ(&profile.mode(7), &profile.mode(0));  // out-of-range modes read mode 0
}

}  // namespace
}  // namespace orvex::settings
