#include "shell/MacroCommands.h"

#include <algorithm>

#include "common/commands/CommandIds.h"
#include "common/platform/Platform.h"
#include "common/platform/SharedLibrary.h"
#include "common/codepage/Cp932.h"
#include "files/FileInfo.h"
#include "shell/NumberedLabels.h"
#include "shell/EditorSession.h"
#include "shell/FrameHost.h"
#include "shell/MacroLibraryBinding.h"
#include "shell/ViewRequests.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

// Slots 1-5 and 6-10 have ids of their own.
constexpr int kFirstBlock = 5;

}  // namespace

MacroCommands::MacroCommands(EditorSession& session, MacroLibraryBinding& binding)
    : m_session(session), m_binding(binding) {}

const CommandTable<MacroCommands>& MacroCommands::commandTable() {
    using T = MacroCommands;
    static const CommandTable<T> table{
        {cmd::kMacroSheet, cmd::kMacroSheet, &T::cmdSheet, &T::updateSheet},
        {cmd::kMacroRun, CommandId(cmd::kMacroRun + kFirstBlock - 1), &T::cmdRun, &T::updateRun},
        {cmd::kMacroRun6, CommandId(cmd::kMacroRun6 + kFirstBlock - 1), &T::cmdRun, &T::updateRun},
        {cmd::kMacroHelp, cmd::kMacroHelp, &T::cmdHelp, nullptr},
        {cmd::kMacroStop, cmd::kMacroStop, &T::cmdStop, nullptr},
    };
    return table;
}

CommandGate MacroCommands::commandGate() const { return CommandGate{true, false, m_session.keyMacroHook()}; }

int MacroCommands::slotOf(CommandId id) {
    if (id >= cmd::kMacroRun && id < cmd::kMacroRun + kFirstBlock) return int(id - cmd::kMacroRun);
    if (id >= cmd::kMacroRun6 && id < cmd::kMacroRun6 + kFirstBlock) return kFirstBlock + int(id - cmd::kMacroRun6);
    return -1;
}

CommandId MacroCommands::runCommandOf(int slot) {
    if (slot < 0 || slot >= kMacroSlotCount) return 0;
    return slot < kFirstBlock ? CommandId(cmd::kMacroRun + slot) : CommandId(cmd::kMacroRun6 + slot - kFirstBlock);
}

std::string MacroCommands::guidePath() const {
    if (!m_guide.empty()) return m_guide;
    // The guide is installed with the documentation beside the program's
    // folder; a build tree keeps it in the sources' docs folder.
    const std::string program = SharedLibrary::programFolder();
    for (const char* relative : {"/../share/doc/orvex/macro-language.md", "/../../docs/macro-language.md"})
        if (files::isRegularFile(program + relative)) return program + relative;
    return {};
}

std::string MacroCommands::menuLabel(int slot, bool accessKeys) const {
    const int i = std::clamp(slot, 0, kMacroSlotCount - 1);
    // Titles are stored in Shift JIS; labels are made in UTF-8.
    return numberedMenuLabel(cp932::toUtf8(m_session.settings().editor.options.macroTT[size_t(i)]),
                             NumberedFamily::MacroRun, i + 1, accessKeys);
}

void MacroCommands::updateSheet(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

void MacroCommands::updateRun(CommandId id, CommandState& state) {
    const int slot = slotOf(id);
    state.enabled = slot >= 0 && !m_session.settings().editor.options.macroName[size_t(slot)].empty();
}

void MacroCommands::cmdRun(CommandId id) {
    const int slot = slotOf(id);
    if (slot < 0) return;
    const std::string& path = m_session.settings().editor.options.macroName[size_t(slot)];
    m_binding.run(path, m_session.mainWindowHandle(), m_session.activeViewHandle());
}

void MacroCommands::cmdStop(CommandId) { m_binding.stop(); }

void MacroCommands::cmdHelp(CommandId) {
    const std::string guide = guidePath();
    if (guide.empty()) {
        if (MessageBoxes* m = m_session.platform().messages)
            m->showText("ﾏｸﾛﾍﾙﾌﾟ (macro-language.md) がありません", MsgIcon::Exclamation);
        return;
    }
    m_session.openFile(guide);
}

void MacroCommands::cmdSheet(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    settings::Settings& s = m_session.settings();
    settings::EditorOptions& o = s.editor.options;
    MacroSheetRequest request;
    for (size_t i = 0; i < size_t(kMacroSlotCount); ++i) {
        request.titles[i] = o.macroTT[i];
        request.paths[i] = o.macroName[i];
    }
    request.backgroundRun = o.macroBK;
    request.page = m_lastPage;
    host->editMacros(request);
    m_lastPage = std::clamp(request.page, 0, kMacroSlotCount - 1);
    if (request.close == MacroSheetRequest::Close::Cancel) return;

    for (size_t i = 0; i < size_t(kMacroSlotCount); ++i) {
        o.macroTT[i] = request.titles[i];
        o.macroName[i] = request.paths[i];
    }
    o.macroBK = request.backgroundRun;
    s.saveAll(true, false);
    host->menuTextsChanged();

    const std::string path = o.macroName[size_t(m_lastPage)];
    switch (request.close) {
    case MacroSheetRequest::Close::Run:
        // As the slot's run command, so that a recording key macro
        // records it.
        if (!path.empty()) m_session.router().run(runCommandOf(m_lastPage));
        break;
    case MacroSheetRequest::Close::Debug:
        m_binding.debug(path, m_session.mainWindowHandle(), m_session.activeViewHandle());
        break;
    case MacroSheetRequest::Close::Edit:
        if (!path.empty()) m_session.openFile(path);
        break;
    default:
        break;
    }
}

}  // namespace orvex::shell
