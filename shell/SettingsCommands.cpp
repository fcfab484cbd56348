#include "shell/SettingsCommands.h"

#include "common/commands/CommandIds.h"
#include "common/platform/Platform.h"
#include "shell/EditorSession.h"

namespace orvex::shell {

namespace {

// The file dialogs' one filter: "*.ini|*.ini|" as the dialog shows it.
constexpr const char* kIniFilter = "*.ini (*.ini)";
// An export that could not be written (the path follows).
constexpr const char* kExportFailed = "設定ﾌｧｲﾙに書き込めませんでした";

}  // namespace

const CommandTable<SettingsCommands>& SettingsCommands::commandTable() {
    using S = SettingsCommands;
    static const CommandTable<S> table{
        {cmd::kOptionsSheet, cmd::kOptionsSheet, &S::cmdOptions, &S::updateSheet},
        {cmd::kUrlJumpSettings, cmd::kUrlJumpSettings, &S::cmdOptions, &S::updateSheet},
        {cmd::kSettingsExport, cmd::kSettingsExport, &S::cmdExport, &S::updateAlways},
        {cmd::kSettingsImport, cmd::kSettingsImport, &S::cmdImport, &S::updateAlways},
    };
    return table;
}

void SettingsCommands::updateSheet(CommandId, CommandState& state) { state.enabled = m_dialogs != nullptr; }

void SettingsCommands::updateAlways(CommandId, CommandState& state) {
    state.enabled = m_session.platform().fileDialogs != nullptr;
}

void SettingsCommands::cmdOptions(CommandId id) {
    if (!m_dialogs) return;
    // The live search options go into the profile first, so that the
    // sheet shows (and keeps) what the search dialogs hold now.
    m_session.search().save(m_session.settings().editor);
    OptionsDraft draft = captureOptions(m_session.settings());
    const OptionsSheetKind kind = id == cmd::kUrlJumpSettings ? OptionsSheetKind::UrlLaunch : OptionsSheetKind::All;
    if (m_dialogs->editOptions(draft, kind, [this](const OptionsDraft& d) { applyOptions(d); })) applyOptions(draft);
}

void SettingsCommands::applyOptions(const OptionsDraft& draft) {
    settings::Settings& s = m_session.settings();
    const int keepRun = s.app.keepRun;
    // The live search state goes into the profile first (its histories
    // and current options are saved below), then takes the sheet's sets.
    m_session.search().save(s.editor);
    commitOptions(draft, s);
    m_session.search().loadOptions(s.editor);
    m_session.reapplySettings(s.app.keepRun != keepRun);
    s.saveAll(true, false);
}

std::string SettingsCommands::askFile(bool save) {
    FileDialogs* dialogs = m_session.platform().fileDialogs;
    if (!dialogs) return {};
    FileDialogRequest r;
    r.save = save;
    r.title = save ? "設定ﾌｧｲﾙへ書き出し" : "設定ﾌｧｲﾙから取り込み";
    r.filters = {kIniFilter};
    const auto answer = dialogs->ask(r);
    if (!answer || answer->paths.empty()) return {};
    std::string path = answer->paths.front();
    // A name typed without an extension gets the filter's ".ini".
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (save && !name.empty() && name.find('.') == std::string::npos) path += ".ini";
    return path;
}

void SettingsCommands::cmdExport(CommandId) {
    const std::string path = askFile(true);
    if (path.empty()) return;
    if (!exportTo(path) && m_session.platform().messages) {
        MessageRequest r;
        r.text = std::string(kExportFailed) + "\n" + path;
        r.icon = MsgIcon::Exclamation;
        m_session.platform().messages->show(r);
    }
}

void SettingsCommands::cmdImport(CommandId) {
    const std::string path = askFile(false);
    if (!path.empty()) importFrom(path);
}

bool SettingsCommands::exportTo(const std::string& path) {
    // The search dialogs' options and histories as they are now.
    m_session.search().save(m_session.settings().editor);
    return m_session.settings().exportSettings(path);
}

bool SettingsCommands::importFrom(const std::string& path) {
    m_session.search().save(m_session.settings().editor);
    const settings::ImportResult r = m_session.settings().importSettings(path);
    if (!r.imported) return false;
    // The search state takes the imported options and histories.
    m_session.search().load(m_session.settings().editor);
    m_session.reapplySettings(r.keepRunChanged);
    return true;
}

}  // namespace orvex::shell
