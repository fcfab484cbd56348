#pragma once
// The editor settings profile: five file-type modes with their per-mode
// options, and the global editor options, search options and histories,
// batch-replace pairs, keywords and formatting presets. Views and documents
// read the public members directly; commands that change an option change
// the member (per-mode options in the mode of the active view's document)
// and nothing is written until the next save.
//
//   const ModeOptions& m = settings.editor.mode(doc.fileTypeMode());
//   int tabColumns = m.tabWidth();
//
// After load() the derived rules hold: WrapNum is never 0, CmntSel,
// KeywdSel1/2 and TTwdSel1/2 are never -1, RCDispMode is never 1, RulaPitch
// is at least 1, TabStops at least 4, LineMax within 10..2000.
#include <array>
#include <string_view>

#include "settings/AppOptions.h"
#include "settings/EditorOptions.h"
#include "settings/FormatPreset.h"
#include "settings/KeywordStore.h"
#include "settings/SettingsTable.h"

namespace orvex::settings {

class EditorProfile {
public:
    std::array<ModeOptions, kModeCount> modes;
    EditorOptions options;
    SearchOptions search;
    SearchHistory history;
    BatchPairs batch;
    KeywordStore keywords;
    std::array<FormatPreset, kFormatPresetCount> presets;

    // Mode m (0..4; anything else is taken as mode 0).
    const ModeOptions& mode(int m) const { return modes[index(m)]; }
    ModeOptions& mode(int m) { return modes[index(m)]; }

    // File-type mode of a document named path (see FileTypeModes.h).
    int modeForPath(std::string_view path) const;

    // Reads every option with its default, keeps what was read as the
    // stored copy and applies the derived rules; the colours must already
    // be loaded (the -1 rules depend on them).
    void load(const SettingsStore& store, const ColourOptions& colours, const LoadContext& ctx);
    // Writes each option that differs from its stored copy, or every option
    // when ctx.force is set.
    void save(SettingsStore& store, const SaveContext& ctx);

    // The rules that turn stored placeholder values into working ones.
    static void applyDerivedRules(ModeOptions& m, const ColourOptions& colours);
    static void applyDerivedRules(EditorOptions& o);

private:
    static size_t index(int m) { return m >= 0 && m < kModeCount ? static_cast<size_t>(m) : 0; }

    std::array<ModeOptions, kModeCount> m_modesStored;
    EditorOptions m_optionsStored;
    SearchOptions m_searchStored;
    SearchHistory m_historyStored;
    BatchPairs m_batchStored;
    KeywordStore m_keywordsStored;
    std::array<FormatPreset, kFormatPresetCount> m_presetsStored;
};

}  // namespace orvex::settings
