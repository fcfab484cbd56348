#include "shell/KeyMacroCommands.h"

#include <vector>

#include "common/codepage/Cp932.h"
#include "common/platform/FileDialogs.h"
#include "common/strings/StringTable.h"
#include "keymacro/KeyMacroPlayer.h"
#include "keymacro/KeyMacroSlots.h"
#include "search/ViewSearch.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "shell/NumberedLabels.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

// A playback into the session: every step goes to the view that is active
// at that moment, commands through the router.
class SessionPlayback final : public keymacro::PlaybackTarget {
public:
    explicit SessionPlayback(EditorSession& session) : m_session(session) {}

    void keyDown(uint16_t key, int32_t repeat) override {
        if (CLuView* v = m_session.activeView()) v->keyDown(key, repeat, false);
    }
    void keyUp(uint16_t key, int32_t repeat) override {
        if (CLuView* v = m_session.activeView()) v->keyUp(key, repeat);
    }
    void typeText(std::string_view sjis) override {
        // The typing operation itself refuses a document that takes no edits.
        if (CLuView* v = m_session.activeView(); v && !sjis.empty()) v->typeText(sjis);
    }
    void setSearchString(std::string_view sjis) override { m_session.search().addSearchString(sjis); }
    void setReplaceString(std::string_view sjis) override { m_session.search().setReplaceString(sjis); }
    void setJumpLine(int32_t line) override {
        if (CLuView* v = m_session.activeView()) v->setJumpLine(line);
    }
    void runBatchReplace() override {
        EditorWindow* w = m_session.activeWindow();
        if (!w || !w->document().doc().editable()) return;
        if (auto* s = w->viewTarget<search::ViewSearch>(w->activePane())) s->runBatch();
    }
    void runCommand(CommandId id) override { m_session.router().run(id); }
    void clearModifierLatches() override {
        EditorState& st = m_session.state();
        st.selectionMode = false;
        st.controlHeld = false;
    }

private:
    EditorSession& m_session;
};

int slotOfCommand(CommandId id) {
    const int r = keymacro::recordSlotOf(id);
    return r >= 0 ? r : keymacro::playSlotOf(id);
}

}  // namespace

const CommandTable<KeyMacroCommands>& KeyMacroCommands::commandTable() {
    using K = KeyMacroCommands;
    static const CommandTable<KeyMacroCommands> table{
        {cmd::kKeyMacroPlay, cmd::kKeyMacroPlay, &K::cmdPlay, &K::updatePlay},
        {cmd::kKeyMacroRecord, cmd::kKeyMacroRecord, &K::cmdRecord, &K::updateRecord},
        {cmd::kKeyMacroLoad, cmd::kKeyMacroLoad, &K::cmdLoad, nullptr},
        {cmd::kKeyMacroSave, cmd::kKeyMacroSave, &K::cmdSave, &K::updateSave},
        {cmd::kKeyMacroRecord2, cmd::kKeyMacroRecord2 + 3, &K::cmdRecord, &K::updateRecord},
        {cmd::kKeyMacroPlay2, cmd::kKeyMacroPlay2 + 3, &K::cmdPlay, &K::updatePlay},
        {cmd::kKeyMacroRecord6, cmd::kKeyMacroRecord6 + 4, &K::cmdRecord, &K::updateRecord},
        {cmd::kKeyMacroPlay6, cmd::kKeyMacroPlay6 + 4, &K::cmdPlay, &K::updatePlay},
        {cmd::kKeyMacroRecord11, cmd::kKeyMacroRecord11 + 9, &K::cmdRecord, &K::updateRecord},
        {cmd::kKeyMacroPlay11, cmd::kKeyMacroPlay11 + 9, &K::cmdPlay, &K::updatePlay},
        {cmd::kKeyMacroTitles, cmd::kKeyMacroTitles, &K::cmdTitles, &K::updateTitles},
    };
    return table;
}

bool KeyMacroCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool KeyMacroCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}



void KeyMacroCommands::cmdRecord(CommandId id) {
    m_session.keyMacros().setMessages(m_session.platform().messages);
    m_session.keyMacros().toggleRecording(keymacro::recordSlotOf(id));
}

void KeyMacroCommands::cmdPlay(CommandId id) { play(keymacro::playSlotOf(id)); }

void KeyMacroCommands::play(int slot) {
    keymacro::KeyMacroSlots& slots = m_session.keyMacros();
    slots.setMessages(m_session.platform().messages);
    if (slot < 0 || slot >= keymacro::kSlotCount) return;
    if (slots.recordingSlot() == slot + 1 || slots.isPlaying(slot)) return;
    slots.reloadFromSlotFile(slot);
    const keymacro::Slot& s = slots.slot(slot);
    if (!s.valid || s.words.empty()) return;
    // The playback walks its own copy: a command it runs may start a
    // recording in this slot or load another list into it.
    const std::vector<uint32_t> words = s.words;
    slots.setPlaying(slot, true);
    SessionPlayback target(m_session);
    keymacro::playRecords(words, target, &slots);
    slots.setPlaying(slot, false);
}

std::string KeyMacroCommands::askPath(bool save) {
    FileDialogs* dialogs = m_session.platform().fileDialogs;
    if (!dialogs) return {};
    FileDialogRequest request;
    request.save = save;
    request.title = commands::menuText(save ? cmd::kKeyMacroSave : cmd::kKeyMacroLoad);
    request.directory = m_session.settings().environment().dataFolder;
    request.filters = {"ｷｰﾏｸﾛﾌｧｲﾙ (*.km)", "すべてのﾌｧｲﾙ (*)"};
    const std::optional<FileDialogResult> chosen = dialogs->ask(request);
    if (!chosen || chosen->paths.empty()) return {};
    return chosen->paths.front();
}

void KeyMacroCommands::cmdLoad(CommandId) {
    m_session.keyMacros().setMessages(m_session.platform().messages);
    const std::string path = askPath(false);
    if (!path.empty()) m_session.keyMacros().loadSlot(0, path, true);
}

void KeyMacroCommands::cmdSave(CommandId) {
    m_session.keyMacros().setMessages(m_session.platform().messages);
    if (!m_session.keyMacros().saveEnabled()) return;
    const std::string path = askPath(true);
    if (!path.empty()) m_session.keyMacros().saveSlot(0, path, true);
}

void KeyMacroCommands::cmdTitles(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    std::array<std::string, keymacro::kSlotCount>& stored = m_session.settings().editor.options.keyMacroTT;
    std::array<std::string, keymacro::kSlotCount> titles = stored;
    if (!host->askKeyMacroTitles(titles)) return;
    stored = titles;
    host->menuTextsChanged();
}

void KeyMacroCommands::updateRecord(CommandId id, CommandState& state) {
    state = m_session.keyMacros().recordState(keymacro::recordSlotOf(id));
}

void KeyMacroCommands::updatePlay(CommandId id, CommandState& state) {
    state = m_session.keyMacros().playState(keymacro::playSlotOf(id));
}

void KeyMacroCommands::updateSave(CommandId, CommandState& state) { state.enabled = m_session.keyMacros().saveEnabled(); }

void KeyMacroCommands::updateTitles(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

std::string KeyMacroCommands::menuLabel(CommandId id) const {
    const int slot = slotOfCommand(id);
    if (slot < 0) return {};
    const NumberedFamily family =
        keymacro::recordSlotOf(id) >= 0 ? NumberedFamily::KeyMacroRecord : NumberedFamily::KeyMacroPlay;
    const std::string& title = m_session.settings().editor.options.keyMacroTT[size_t(slot)];
    return numberedMenuLabel(cp932::toUtf8(title), family, slot + 1, true);
}

}  // namespace orvex::shell
