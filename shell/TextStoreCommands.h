#pragma once
// The frame's stores of text for the views: the twenty fixed strings
// ("定型文字列": their sheet 32875, insertion 33008-33017 and 33058-33067,
// the popup 33018), the clipboard history (filled from the platform's
// clipboard-change notification while ClipHistory is on) and the scrap
// book (its window 32933 / 32991 and popup 32990). Insertions go into the
// active view at the caret as one edit.
#include <array>
#include <string>
#include <string_view>

#include "common/commands/CommandTable.h"
#include "settings/FrameOptions.h"

namespace orvex::shell {

class EditorSession;

class TextStoreCommands final : public CommandTarget {
public:
    explicit TextStoreCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<TextStoreCommands>& commandTable();
    // The insertions edit the active view: its gate (no view: nothing to edit).
    CommandGate commandGate() const;

    // The command that inserts fixed string `slot` (0-19), and back (-1
    // for other ids).
    static CommandId fixedStringCommand(int slot);
    static int fixedStringSlot(CommandId id);
    // The menu label of fixed string `slot` from its title (UTF-8).
    std::string fixedStringLabel(int slot, bool accessKeys) const;

    // The clipboard changed (its text in Shift JIS; nothing when it holds
    // no text): with ClipHistory on the text joins the history.
    void clipboardChanged(const std::string* sjis);

    // Inserts text at the caret of the active view as one edit; false when
    // there is no view or the document refused it (read only).
    bool insertIntoActiveView(std::string_view sjis);

private:
    void cmdEditFixedStrings(CommandId id);
    void cmdInsertFixedString(CommandId id);
    void cmdFixedStringMenu(CommandId id);
    void cmdStoresWindow(CommandId id);
    void cmdScrapMenu(CommandId id);
    void updateHasFrame(CommandId id, CommandState& state);
    void updateInsertFixedString(CommandId id, CommandState& state);
    void updateScrapMenu(CommandId id, CommandState& state);

    EditorSession& m_session;
};

}  // namespace orvex::shell
