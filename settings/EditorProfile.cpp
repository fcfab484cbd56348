#include "settings/EditorProfile.h"

#include "settings/FileTypeModes.h"

namespace orvex::settings {

namespace {

// -1 means "on when the colour of the feature is set".
void resolveByColour(int& value, int colour) {
    if (value == -1) value = colour != -1 ? 1 : 0;
}

}  // namespace

int EditorProfile::modeForPath(std::string_view path) const {
    std::array<std::string, kModeCount> lists;
    for (size_t m = 0; m < lists.size(); ++m) lists[m] = modes[m].extSel;
    return selectFileTypeMode(path, lists);
}

void EditorProfile::applyDerivedRules(ModeOptions& m, const ColourOptions& c) {
    if (m.wrapNum == 0) m.wrapNum = m.wrapCr ? m.lineMax - 1 : 70;
    resolveByColour(m.cmntSel, c.textColorNo(4));
    resolveByColour(m.keywdSel[0], c.textColorNo(3));
    resolveByColour(m.keywdSel[1], c.textColorNo(7));
    resolveByColour(m.ttwdSel[0], c.textColorNo(5));
    resolveByColour(m.ttwdSel[1], c.textColorNo(6));
}

void EditorProfile::applyDerivedRules(EditorOptions& o) {
    if (o.rcDispMode == 1) o.rcDispMode = 6;
}

void EditorProfile::load(const SettingsStore& store, const ColourOptions& colours, const LoadContext& ctx) {
    const auto& modeTable = modeOptionsTable();
    for (int m = 0; m < kModeCount; ++m) {
        modeTable.load(store, modes[static_cast<size_t>(m)], m_modesStored[static_cast<size_t>(m)], m, ctx);
        applyDerivedRules(modes[static_cast<size_t>(m)], colours);
    }
    editorOptionsTable().load(store, options, m_optionsStored, 0, ctx);
    applyDerivedRules(options);
    searchOptionsTable().load(store, search, m_searchStored, 0, ctx);
    searchHistoryTable().load(store, history, m_historyStored, 0, ctx);
    batchPairsTable().load(store, batch, m_batchStored, 0, ctx);
    keywords.load(store, m_keywordsStored);
    const auto& presetTable = formatPresetTable();
    for (int p = 0; p < kFormatPresetCount; ++p)
        presetTable.load(store, presets[static_cast<size_t>(p)], m_presetsStored[static_cast<size_t>(p)], p, ctx,
                         &presets[0]);
}

void EditorProfile::save(SettingsStore& store, const SaveContext& ctx) {
    const auto& modeTable = modeOptionsTable();
    for (int m = 0; m < kModeCount; ++m)
        modeTable.save(store, modes[static_cast<size_t>(m)], m_modesStored[static_cast<size_t>(m)], m, ctx);
    editorOptionsTable().save(store, options, m_optionsStored, 0, ctx);
    searchOptionsTable().save(store, search, m_searchStored, 0, ctx);
    searchHistoryTable().save(store, history, m_historyStored, 0, ctx);
    batchPairsTable().save(store, batch, m_batchStored, 0, ctx);
    keywords.save(store, m_keywordsStored, ctx.force);
    const auto& presetTable = formatPresetTable();
    for (int p = 0; p < kFormatPresetCount; ++p)
        presetTable.save(store, presets[static_cast<size_t>(p)], m_presetsStored[static_cast<size_t>(p)], p, ctx);
}

}  // namespace orvex::settings
