#pragma once
// All settings of the program and the sequences that load and save them.
// The application object owns one Settings for the life of the process; every
// subsystem reads its options from the public members:
//
//   settings.app         AppOptions      start-up, backups, folders, display font
//   settings.colours     ColourOptions   stored colours (-1: not set)
//   settings.print, settings.pageLayouts[10]   printing
//   settings.frame, settings.programs[10], settings.tables   main frame
//   settings.child, settings.document           child windows, documents
//   settings.editor      EditorProfile   modes, editor options, search, keywords, presets
//   settings.openFiles, settings.recentFiles, settings.fixedStrings
//
// Settings dialogs and commands change the members; nothing reaches the
// disk until the next saveAll (at exit, export or import).
#include <array>
#include <string>

#include "settings/AppOptions.h"
#include "settings/CommandTables.h"
#include "settings/DocumentOptions.h"
#include "settings/EditorProfile.h"
#include "settings/FixedStrings.h"
#include "settings/FrameOptions.h"
#include "settings/OpenFileList.h"
#include "settings/PrintOptions.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsStore.h"

namespace orvex::settings {

// Command ids of the two settings-file commands.
constexpr int kCmdImportSettings = 32976;  // "設定ﾌｧｲﾙから取り込み"
constexpr int kCmdExportSettings = 32977;  // "設定ﾌｧｲﾙへ書き出し"
// File-dialog filter of both commands.
constexpr const char* kSettingsFileFilter = "*.ini|*.ini|";

struct ImportResult {
    bool imported = false;        // false: the file held no settings (or could not be read); nothing changed
    bool keepRunChanged = false;  // the resident-mode setting (KeepRun) changed
};

class Settings {
public:
    // Every value starts at its default; nothing is read until loadAll().
    explicit Settings(SettingsEnvironment env);

    AppOptions app;
    ColourOptions colours;
    PrintOptions print;
    std::array<PageLayoutFormat, kPageLayoutCount> pageLayouts;
    FrameOptions frame;
    std::array<ExternalProgram, kExternalProgramCount> programs;
    CommandTables tables;
    ChildOptions child;
    DocumentOptions document;
    EditorProfile editor;
    OpenFileList openFiles;
    RecentFileList recentFiles;
    FixedStrings fixedStrings;

    SettingsStore& store() { return m_store; }
    const SettingsEnvironment& environment() const { return m_env; }
    void setScreen(ScreenSize s) { m_store.setScreen(s); }

    // RegWinVer as read by the last loadAll, before 0x200 was written over
    // it: 0 on a first run.
    int storedVersion() const { return m_storedVersion; }

    // Load all. With an empty file: the per-user settings (start-up; writes
    // RegWinVer 0x200 and reads the open-file and recent-file lists). With a
    // file: that file (import when importing is set). A file whose RegWinVer
    // is missing or 0 holds no settings: nothing changes and false is
    // returned; false too when the file cannot be read.
    bool loadAll(bool importing, const std::string& file = {});
    // The same over a file image already in memory (import without a file).
    bool loadAllFromImage(const ProfileFile& image, bool importing);

    // Save all. explicitSave is set for export and import (not at exit),
    // force writes every value. With a file, that file is written instead of
    // the per-user settings (export). False when the settings could not be
    // written.
    bool saveAll(bool explicitSave, bool force, const std::string& file = {});

    // Export (command 32977): save all to the per-user settings, then save
    // all, forced, to path.
    bool exportSettings(const std::string& path);
    // The exported form without a file (the second half of an export).
    ProfileFile exportImage();

    // Import (command 32976): load all from path with the import flag, then
    // save all, forced, to the per-user settings. The caller then re-applies
    // everything that depends on settings and refreshes the views.
    ImportResult importSettings(const std::string& path);
    ImportResult importImage(const ProfileFile& image);

private:
    void loadValues(const SettingsStore& store, const LoadContext& ctx, bool importing);
    void saveValues(const SaveContext& ctx, bool explicitSave);
    bool finishLoad(bool importing);
    ImportResult finishImport(bool loaded, int keepRunBefore);

    SettingsEnvironment m_env;
    SettingsStore m_store;
    int m_storedVersion = 0;

    AppOptions m_appStored;
    ColourOptions m_coloursStored;
    PrintOptions m_printStored;
    std::array<PageLayoutFormat, kPageLayoutCount> m_pageLayoutsStored;
    FrameOptions m_frameStored;
    std::array<ExternalProgram, kExternalProgramCount> m_programsStored;
    ChildOptions m_childStored;
    DocumentOptions m_documentStored;
    std::array<OpenFileEntry, kOpenFileEntries> m_openEntriesStored;
    OpenFileList m_openFilesStored;
    RecentFileList m_recentFilesStored;
};

}  // namespace orvex::settings
