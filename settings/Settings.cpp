#include "settings/Settings.h"

namespace orvex::settings {

namespace {

constexpr const char* kSystem = "System";
constexpr const char* kRegWinVer = "RegWinVer";

template <class S, size_t N>
void loadEach(const SettingsTable<S>& table, const SettingsStore& store, std::array<S, N>& cur,
              std::array<S, N>& stored, const LoadContext& ctx) {
    for (size_t i = 0; i < N; ++i) table.load(store, cur[i], stored[i], static_cast<int>(i), ctx, &cur[0]);
}

template <class S, size_t N>
void saveEach(const SettingsTable<S>& table, SettingsStore& store, const std::array<S, N>& cur,
              std::array<S, N>& stored, const SaveContext& ctx) {
    for (size_t i = 0; i < N; ++i) table.save(store, cur[i], stored[i], static_cast<int>(i), ctx);
}

}  // namespace

Settings::Settings(SettingsEnvironment env)
    : fixedStrings(env.dataFolder.empty() ? std::string() : env.dataFolder + "/" + FixedStrings::kFileName),
      m_env(std::move(env)),
      m_store(m_env.settingsFile) {
    m_store.setScreen(m_env.screen);
    // The defaults are what an empty store yields.
    const SettingsStore empty;
    loadValues(empty, LoadContext{&m_env, false}, false);
}

void Settings::loadValues(const SettingsStore& s, const LoadContext& ctx, bool importing) {
    if (!importing) {
        loadEach(openFileEntryTable(), s, openFiles.entries, m_openEntriesStored, ctx);
        openFileListTable().load(s, openFiles, m_openFilesStored, 0, ctx);
    }
    appOptionsTable().load(s, app, m_appStored, 0, ctx);
    // A stored interval with the switch off turns automatic backups on for
    // the run; the stored copy keeps 0, so 1 is written at the next save.
    if (app.autoBackupTime != 0 && app.autoBackup == 0) app.autoBackup = 1;
    printOptionsTable().load(s, print, m_printStored, 0, ctx);
    loadEach(pageLayoutTable(), s, pageLayouts, m_pageLayoutsStored, ctx);
    colourOptionsTable().load(s, colours, m_coloursStored, 0, ctx);

    frameOptionsTable().load(s, frame, m_frameStored, 0, ctx);
    loadEach(externalProgramTable(), s, programs, m_programsStored, ctx);
    tables.load(s, m_storedVersion, importing);
    if (importing) fixedStrings.takeOver(s);

    childOptionsTable().load(s, child, m_childStored, 0, ctx);
    documentOptionsTable().load(s, document, m_documentStored, 0, ctx);
    editor.load(s, colours, ctx);
    if (!importing) recentFileListTable().load(s, recentFiles, m_recentFilesStored, 0, ctx);
}

void Settings::saveValues(const SaveContext& ctx, bool explicitSave) {
    SettingsStore& s = m_store;
    s.writeInt(kSystem, kRegWinVer, kCurrentSettingsVersion);
    if (!ctx.force) {
        saveEach(openFileEntryTable(), s, openFiles.entries, m_openEntriesStored, ctx);
        openFileListTable().save(s, openFiles, m_openFilesStored, 0, ctx);
    }
    appOptionsTable().save(s, app, m_appStored, 0, ctx);
    printOptionsTable().save(s, print, m_printStored, 0, ctx);
    saveEach(pageLayoutTable(), s, pageLayouts, m_pageLayoutsStored, ctx);
    colourOptionsTable().save(s, colours, m_coloursStored, 0, ctx);

    frameOptionsTable().save(s, frame, m_frameStored, 0, ctx);
    saveEach(externalProgramTable(), s, programs, m_programsStored, ctx);
    tables.save(s, ctx.force);
    if (ctx.toFile) fixedStrings.writeTo(s);

    childOptionsTable().save(s, child, m_childStored, 0, ctx);
    editor.save(s, ctx);
    documentOptionsTable().save(s, document, m_documentStored, 0, ctx);
    if (!explicitSave && !ctx.force) recentFileListTable().save(s, recentFiles, m_recentFilesStored, 0, ctx);
}

bool Settings::finishLoad(bool importing) {
    const bool fromFile = m_store.usingFile();
    const int version = m_store.readInt(kSystem, kRegWinVer, 0);
    if (fromFile && version == 0) {
        m_store.endFile();
        return false;
    }
    m_storedVersion = version;
    if (!importing) m_store.writeInt(kSystem, kRegWinVer, kCurrentSettingsVersion);
    loadValues(m_store, LoadContext{&m_env, fromFile}, importing);
    // Write failures are not reported: the values are loaded all the same.
    if (fromFile)
        m_store.endFile();
    else
        m_store.flush();
    return true;
}

bool Settings::loadAll(bool importing, const std::string& file) {
    if (!file.empty()) {
        if (!m_store.beginFile(file)) return false;
    } else {
        m_store.reloadUserFile();
    }
    return finishLoad(importing);
}

bool Settings::loadAllFromImage(const ProfileFile& image, bool importing) {
    m_store.beginFileImage(image);
    return finishLoad(importing);
}

bool Settings::saveAll(bool explicitSave, bool force, const std::string& file) {
    if (!file.empty()) {
        fixedStrings.ensureLoaded(m_store);  // on the per-user store, before switching
        if (!m_store.beginFile(file)) return false;
    }
    saveValues(SaveContext{force, m_store.usingFile()}, explicitSave);
    return m_store.usingFile() ? m_store.endFile() : m_store.flush();
}

bool Settings::exportSettings(const std::string& path) {
    saveAll(true, false);
    return saveAll(true, true, path);
}

ProfileFile Settings::exportImage() {
    saveAll(true, false);
    fixedStrings.ensureLoaded(m_store);
    m_store.beginFileImage(ProfileFile());
    saveValues(SaveContext{true, true}, true);
    ProfileFile out = m_store.image();
    m_store.endFile();
    return out;
}

ImportResult Settings::finishImport(bool loaded, int keepRunBefore) {
    if (!loaded) return {};
    saveAll(true, true);
    return {true, app.keepRun != keepRunBefore};
}

ImportResult Settings::importSettings(const std::string& path) {
    const int keepRun = app.keepRun;
    return finishImport(loadAll(true, path), keepRun);
}

ImportResult Settings::importImage(const ProfileFile& image) {
    const int keepRun = app.keepRun;
    return finishImport(loadAllFromImage(image, true), keepRun);
}

}  // namespace orvex::settings
