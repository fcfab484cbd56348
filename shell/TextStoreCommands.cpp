#include "shell/TextStoreCommands.h"

#include <algorithm>

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "settings/FixedStrings.h"
#include "shell/EditorSession.h"
#include "shell/FrameHost.h"
#include "shell/FrameStores.h"
#include "shell/NumberedLabels.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

constexpr int kFirstBlock = 10;  // 33008-33017 are slots 1-10, 33058-33067 slots 11-20
constexpr size_t kEntryLabelLength = 40;

// A popup label for a stored text: its first line, cut at a character
// boundary, in UTF-8.
std::string entryLabel(std::string_view sjis) {
    size_t end = 0;
    while (end < sjis.size() && sjis[end] != '\r' && sjis[end] != '\n' && sjis[end] != '\f' && end < kEntryLabelLength)
        end += size_t(sjis::plainStepWithin(sjis.data() + end, ptrdiff_t(sjis.size() - end)));
    std::string label = cp932::toUtf8(sjis.substr(0, std::min(end, sjis.size())));
    if (end < sjis.size()) label += "...";
    return label;
}

}  // namespace

const CommandTable<TextStoreCommands>& TextStoreCommands::commandTable() {
    using T = TextStoreCommands;
    static const CommandTable<T> table{
        {cmd::kFixedStringsEdit, cmd::kFixedStringsEdit, &T::cmdEditFixedStrings, &T::updateHasFrame},
        {cmd::kFixedString, CommandId(cmd::kFixedString + kFirstBlock - 1), &T::cmdInsertFixedString,
         &T::updateInsertFixedString},
        {cmd::kFixedString11, CommandId(cmd::kFixedString11 + kFirstBlock - 1), &T::cmdInsertFixedString,
         &T::updateInsertFixedString},
        {cmd::kFixedStringMenu, cmd::kFixedStringMenu, &T::cmdFixedStringMenu, &T::updateInsertFixedString},
        {cmd::kClipboardHistory, cmd::kClipboardHistory, &T::cmdStoresWindow, &T::updateHasFrame},
        {cmd::kScrapList, cmd::kScrapList, &T::cmdStoresWindow, &T::updateHasFrame},
        {cmd::kScrapMenu, cmd::kScrapMenu, &T::cmdScrapMenu, &T::updateScrapMenu},
    };
    return table;
}

CommandId TextStoreCommands::fixedStringCommand(int slot) {
    if (slot < 0 || slot >= settings::kFixedStringCount) return 0;
    return slot < kFirstBlock ? CommandId(cmd::kFixedString + slot) : CommandId(cmd::kFixedString11 + slot - kFirstBlock);
}

int TextStoreCommands::fixedStringSlot(CommandId id) {
    if (id >= cmd::kFixedString && id < cmd::kFixedString + kFirstBlock) return int(id - cmd::kFixedString);
    if (id >= cmd::kFixedString11 && id < cmd::kFixedString11 + kFirstBlock)
        return kFirstBlock + int(id - cmd::kFixedString11);
    return -1;
}

std::string TextStoreCommands::fixedStringLabel(int slot, bool accessKeys) const {
    const int i = std::clamp(slot, 0, settings::kFixedStringCount - 1);
    return numberedMenuLabel(cp932::toUtf8(m_session.settings().frame.teikeiTT[size_t(i)]), NumberedFamily::FixedString,
                             i + 1, accessKeys);
}

void TextStoreCommands::clipboardChanged(const std::string* sjis) {
    if (!m_session.settings().frame.clipHistory || !sjis) return;
    // The newest entry put back on the clipboard (from the history window)
    // is not a new entry.
    const std::vector<std::string>& history = m_session.clipboardHistory().entries();
    if (!history.empty() && history.back() == *sjis) return;
    if (m_session.clipboardHistory().add(*sjis) && m_session.frameHost()) m_session.frameHost()->textStoresChanged();
}

CommandGate TextStoreCommands::commandGate() const {
    if (const CLuView* view = m_session.activeView()) return view->commandGate();
    return CommandGate{false, false, nullptr};
}

bool TextStoreCommands::insertIntoActiveView(std::string_view sjis) {
    CLuView* view = m_session.activeView();
    if (!view || sjis.empty() || !view->commandGate().editable) return false;
    if (view->insertText(sjis) < 0) return false;
    view->updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    return true;
}

void TextStoreCommands::updateHasFrame(CommandId, CommandState& state) { state.enabled = m_session.frameHost() != nullptr; }

void TextStoreCommands::updateInsertFixedString(CommandId, CommandState& state) {
    state.enabled = m_session.activeView() != nullptr;
}

void TextStoreCommands::updateScrapMenu(CommandId, CommandState& state) {
    state.enabled = m_session.activeView() != nullptr && m_session.frameHost() != nullptr;
}

void TextStoreCommands::cmdEditFixedStrings(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    settings::FixedStrings& texts = m_session.fixedStrings();
    settings::FrameOptions& frame = m_session.settings().frame;
    FixedStringsRequest request;
    request.titles = frame.teikeiTT;
    request.texts = texts.texts();
    if (!host->editFixedStrings(request)) return;
    frame.teikeiTT = request.titles;
    for (int i = 0; i < settings::kFixedStringCount; ++i)
        if (texts.text(i) != request.texts[size_t(i)]) texts.setText(i, request.texts[size_t(i)]);
    host->menuTextsChanged();
}

void TextStoreCommands::cmdInsertFixedString(CommandId id) {
    const int slot = fixedStringSlot(id);
    if (slot < 0) return;
    insertIntoActiveView(m_session.fixedStrings().text(slot));
}

void TextStoreCommands::cmdFixedStringMenu(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    std::vector<std::string> labels;
    for (int i = 0; i < settings::kFixedStringCount; ++i) labels.push_back(fixedStringLabel(i, true));
    const int chosen = host->chooseFromMenu(labels);
    if (chosen >= 0 && chosen < settings::kFixedStringCount) insertIntoActiveView(m_session.fixedStrings().text(chosen));
}

void TextStoreCommands::cmdStoresWindow(CommandId id) {
    if (FrameHost* host = m_session.frameHost()) host->showTextStores(id == cmd::kScrapList);
}

void TextStoreCommands::cmdScrapMenu(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (!host) return;
    // Newest first, as the entry a paste takes heads the list.
    const std::vector<std::string> entries = m_session.scrapBook().entries();
    if (entries.empty()) return;
    std::vector<std::string> labels;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) labels.push_back(entryLabel(*it));
    const int chosen = host->chooseFromMenu(labels);
    if (chosen >= 0 && size_t(chosen) < entries.size()) insertIntoActiveView(entries[entries.size() - 1 - size_t(chosen)]);
}

}  // namespace orvex::shell
