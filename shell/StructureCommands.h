#pragma once
// The view's commands of find in files, tag jump and structure search:
// the search into this result document (32848), tag jump (32849) and the
// way back (33160), loading a list (32866), bracket matching (32846), and
// the function, marked-row, title-row and modified-row lists (32865,
// 32972, 33000, 33046). One per view.
#include "common/commands/CommandTable.h"

namespace orvex {
class CLuView;
}

namespace orvex::shell {

class EditorDocument;
class EditorSession;

class StructureCommands final : public CommandTarget {
public:
    StructureCommands(CLuView& view, EditorDocument& document, EditorSession& session);
    ~StructureCommands() override;
    StructureCommands(const StructureCommands&) = delete;
    StructureCommands& operator=(const StructureCommands&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<StructureCommands>& commandTable();
    CommandGate commandGate() const;

    // Bracket matching's work: true when the pair was selected.
    bool matchBracket();

private:
    void cmdFindInFiles(CommandId id);
    void cmdTagJump(CommandId id);
    void cmdTagJumpBack(CommandId id);
    void cmdLoadList(CommandId id);
    void cmdMatchBracket(CommandId id);
    void cmdFunctionList(CommandId id);
    void cmdRowList(CommandId id);
    void updateAlways(CommandId id, CommandState& state);
    void updateTagJumpBack(CommandId id, CommandState& state);
    void updateRowList(CommandId id, CommandState& state);

    CLuView& m_view;
    EditorDocument& m_document;
    EditorSession& m_session;
};

}  // namespace orvex::shell
