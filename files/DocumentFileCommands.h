#pragma once
// The document's file commands: save (57603), save as (57604), save a copy
// (57611) and close (57602). One per document, in the command chain after
// the views' targets.
#include <functional>

#include "common/commands/CommandTable.h"

namespace orvex::files {

class DocumentFile;

class DocumentFileCommands final : public CommandTarget {
public:
    // closeDocument takes the document and its windows away once close has
    // released its file (the document manager's part); may be null.
    explicit DocumentFileCommands(DocumentFile& file, std::function<void()> closeDocument = {});

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<DocumentFileCommands>& commandTable();

private:
    void cmdSave(CommandId id);
    void cmdSaveAs(CommandId id);
    void cmdSaveCopyAs(CommandId id);
    void cmdClose(CommandId id);

    DocumentFile& m_file;
    std::function<void()> m_closeDocument;
};

}  // namespace orvex::files
