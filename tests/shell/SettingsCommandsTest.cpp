// The options sheet and the settings file commands through the headless
// session: what the sheet hands back is clamped, put into the settings,
// followed by every open document and written to the settings file; the
// export and import commands round-trip the whole profile.
#include <gtest/gtest.h>

#include <functional>

#include "search/SearchState.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/SettingsCommands.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "text/TextStore.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

// The sheet, scripted: edit() changes the draft as the user would, may
// press "適用" through apply, and the answer is OK or cancel.
class ScriptedSheet final : public SettingsDialogs {
public:
    bool editOptions(OptionsDraft& draft, OptionsSheetKind kind,
                     const std::function<void(const OptionsDraft&)>& apply) override {
        kinds.push_back(kind);
        shown = draft;
        if (edit) edit(draft, apply);
        return ok;
    }
    std::function<void(OptionsDraft&, const std::function<void(const OptionsDraft&)>&)> edit;
    bool ok = true;
    std::vector<OptionsSheetKind> kinds;
    OptionsDraft shown;
};

FileDialogResult chosen(const std::string& path) {
    FileDialogResult r;
    r.paths = {path};
    return r;
}

class SettingsCommandsTest : public shell::test::SessionFixture {
protected:
    SettingsCommandsTest() { session->settingsCommands().setDialogs(&sheet); }

    EditorWindow& openWithText(const std::string& text) {
        EditorWindow* w = session->newDocument();
        w->document().doc().text().setText(text);
        w->document().doc().layoutAll();
        return *w;
    }
    std::string settingsFile() const { return TempFolder::read(folder.file("settings.ini")); }

    ScriptedSheet sheet;
};

TEST_F(SettingsCommandsTest, OkStoresClampedValuesFollowsOpenDocumentsAndWritesTheFile) {
    EditorWindow& w = openWithText(std::string(100, 'a'));
    EXPECT_EQ(w.document().doc().text().wrapWidth(), 80);
    sheet.edit = [](OptionsDraft& d, const auto&) {
        d.modes[0].lineMax = 30;
        d.modes[2].tabStops = 1000;      // beyond sixteen columns
        d.app.recentFileNum = 99;        // beyond the list's sixteen entries
        d.options.rulaPitch = -4;
        d.colours.textColorN[4] = 0x00112233;
    };
    ASSERT_TRUE(session->router().run(cmd::kOptionsSheet));
    const settings::Settings& s = session->settings();
    EXPECT_EQ(s.editor.mode(0).lineMax, 30);
    EXPECT_EQ(s.editor.mode(2).tabStops, 64);
    EXPECT_EQ(s.app.recentFileNum, 16);
    EXPECT_EQ(s.editor.options.rulaPitch, 1);
    EXPECT_EQ(s.colours.textColorN[4], 0x00112233);
    // The open document is laid out at the new width at once.
    EXPECT_EQ(w.document().doc().text().wrapWidth(), 30);
    // And the change is on disk, clamped.
    const std::string file = settingsFile();
    EXPECT_NE(file.find("LineMax=30"), std::string::npos);
    EXPECT_NE(file.find("TabStops3=64"), std::string::npos);
    EXPECT_NE(file.find("RecentFileNum=16"), std::string::npos);
    EXPECT_EQ(file.find("TabStops3=1000"), std::string::npos);
    EXPECT_EQ(sheet.kinds, std::vector<OptionsSheetKind>{OptionsSheetKind::All});
}

TEST_F(SettingsCommandsTest, CancelKeepsWhatApplyAppliedAndDropsTheRest) {
    sheet.edit = [](OptionsDraft& d, const std::function<void(const OptionsDraft&)>& apply) {
        d.modes[0].lineMax = 40;
        apply(d);
        d.modes[0].lineMax = 50;
    };
    sheet.ok = false;
    session->router().run(cmd::kOptionsSheet);
    EXPECT_EQ(session->settings().editor.mode(0).lineMax, 40);
}

TEST_F(SettingsCommandsTest, UrlCommandShowsTheUrlPageOverTheSameDraft) {
    sheet.edit = [](OptionsDraft& d, const auto&) {
        d.frame.httpPath = "/usr/bin/browser";
        d.frame.urlKanji = 0;
    };
    session->router().run(cmd::kUrlJumpSettings);
    EXPECT_EQ(sheet.kinds, std::vector<OptionsSheetKind>{OptionsSheetKind::UrlLaunch});
    EXPECT_EQ(session->settings().frame.httpPath, "/usr/bin/browser");
    // The render options of every mode follow UrlKanji.
    EXPECT_EQ(session->settings().frame.urlKanji, 0);
}

TEST_F(SettingsCommandsTest, SheetWithoutDialogsIsGreyed) {
    session->settingsCommands().setDialogs(nullptr);
    EXPECT_FALSE(session->router().state(cmd::kOptionsSheet).enabled);
    EXPECT_FALSE(session->router().state(cmd::kUrlJumpSettings).enabled);
    EXPECT_TRUE(session->router().state(cmd::kSettingsExport).enabled);
}

// The sheet's OK used to write the profile's search options over the
// state the search dialogs held, and the next save at exit wrote the
// dialogs' state back over the sheet's choice.
TEST_F(SettingsCommandsTest, SheetSearchOptionsReachTheSearchStateAndHistoriesSurvive) {
    session->search().addSearchString("needle");
    sheet.edit = [](OptionsDraft& d, const auto&) { d.search.findCase1 = 1; };
    session->router().run(cmd::kOptionsSheet);
    EXPECT_TRUE(session->search().optionSet(search::OptionSet::Replace).matchCase);
    session->saveSettings();
    EXPECT_EQ(session->settings().editor.search.findCase1, 1);
    EXPECT_EQ(session->settings().editor.history.findStr[0], "needle");
    EXPECT_EQ(session->search().searchHistory().front(), "needle");
}

TEST_F(SettingsCommandsTest, ExportThenImportIntoAFreshFolderGivesTheSameProfile) {
    sheet.edit = [](OptionsDraft& d, const auto&) {
        d.modes[1].extSel = "*.c;*.h";
        d.modes[1].kinsoku = 1;
        d.colours.windowColor = 0x00203040;
        d.keywords.setWord(45, "widget");
        d.frame.stsBar[20] = "%3";
        d.document.backupMode = 3;
        d.options.kinsokuStr1 = "!?";
        d.frame.mailPath = "/usr/bin/mailer \"%s\"";
    };
    session->router().run(cmd::kOptionsSheet);
    const std::string ini = folder.file("exported.ini");
    fakes.fileDialogs.answer(chosen(ini));
    ASSERT_TRUE(session->router().run(cmd::kSettingsExport));
    ASSERT_EQ(fakes.fileDialogs.requests.size(), 1u);
    EXPECT_TRUE(fakes.fileDialogs.requests[0].save);
    EXPECT_FALSE(TempFolder::read(ini).empty());

    TempFolder other;
    settings::SettingsEnvironment env;
    env.settingsFile = other.file("settings.ini");
    env.dataFolder = other.file("data");
    env.tempFolder = other.path();
    env.homeFolder = other.path();
    orvex::test::FakePlatform fakes2;
    EditorSession fresh(env, fakes2.platform(), false);
    fakes2.fileDialogs.answer(chosen(ini));
    ASSERT_TRUE(fresh.router().run(cmd::kSettingsImport));
    EXPECT_FALSE(fakes2.fileDialogs.requests.at(0).save);
    EXPECT_EQ(captureOptions(fresh.settings()), captureOptions(session->settings()));
    // The import went on to the per-user settings of the fresh folder.
    EXPECT_NE(TempFolder::read(env.settingsFile).find("widget"), std::string::npos);
    // A C source now takes the second mode.
    EXPECT_EQ(fresh.settings().editor.modeForPath("x.C"), 1);
}

TEST_F(SettingsCommandsTest, ImportOfAFileWithoutSettingsChangesNothing) {
    const std::string ini = folder.file("empty.ini");
    TempFolder::write(ini, "[Settings]\r\nLineMax=33\r\n");
    const OptionsDraft before = captureOptions(session->settings());
    EXPECT_FALSE(session->settingsCommands().importFrom(ini));
    EXPECT_FALSE(session->settingsCommands().importFrom(folder.file("missing.ini")));
    EXPECT_EQ(captureOptions(session->settings()), before);
}

TEST_F(SettingsCommandsTest, ImportRelaysOutOpenDocuments) {
    EditorWindow& w = openWithText(std::string(100, 'a'));
    const std::string ini = folder.file("wide.ini");
    TempFolder::write(ini, "[System]\r\nRegWinVer=512\r\n[Settings]\r\nLineMax=25\r\n");
    ASSERT_TRUE(session->settingsCommands().importFrom(ini));
    EXPECT_EQ(session->settings().editor.mode(0).lineMax, 25);
    EXPECT_EQ(w.document().doc().text().wrapWidth(), 25);
}

TEST_F(SettingsCommandsTest, ExportNameWithoutExtensionGetsIni) {
    fakes.fileDialogs.answer(chosen(folder.file("mine")));
    session->router().run(cmd::kSettingsExport);
    EXPECT_FALSE(TempFolder::read(folder.file("mine.ini")).empty());
    ASSERT_EQ(fakes.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(fakes.fileDialogs.requests[0].filters, std::vector<std::string>{"*.ini (*.ini)"});
}

TEST_F(SettingsCommandsTest, ExportThatCannotBeWrittenIsReportedAndCancelWritesNothing) {
    fakes.fileDialogs.answer(std::nullopt);
    session->router().run(cmd::kSettingsExport);
    EXPECT_TRUE(fakes.messages.shown.empty());
    // A folder that is a plain file: nothing can be written below it.
    TempFolder::write(folder.file("plain"), "x");
    fakes.fileDialogs.answer(chosen(folder.file("plain/out.ini")));
    session->router().run(cmd::kSettingsExport);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.shown[0].text.find("plain/out.ini"), std::string::npos);
}

}  // namespace
