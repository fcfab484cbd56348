#include "files/DocumentFileCommands.h"

#include "files/DocumentFile.h"
#include "files/FileCommandIds.h"

namespace orvex::files {

DocumentFileCommands::DocumentFileCommands(DocumentFile& file, std::function<void()> closeDocument)
    : m_file(file), m_closeDocument(std::move(closeDocument)) {}

const CommandTable<DocumentFileCommands>& DocumentFileCommands::commandTable() {
    using D = DocumentFileCommands;
    static const CommandTable<D> table{
        {cmd::kFileClose, cmd::kFileClose, &D::cmdClose, nullptr},
        {cmd::kFileSave, cmd::kFileSave, &D::cmdSave, nullptr},
        {cmd::kFileSaveAs, cmd::kFileSaveAs, &D::cmdSaveAs, nullptr},
        {cmd::kFileSaveCopyAs, cmd::kFileSaveCopyAs, &D::cmdSaveCopyAs, nullptr},
    };
    return table;
}

bool DocumentFileCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool DocumentFileCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void DocumentFileCommands::cmdSave(CommandId) { m_file.save(); }

void DocumentFileCommands::cmdSaveAs(CommandId) { m_file.saveWithPrompt({}, true); }

void DocumentFileCommands::cmdSaveCopyAs(CommandId) { m_file.saveWithPrompt({}, false); }

void DocumentFileCommands::cmdClose(CommandId) {
    if (!m_file.saveModified()) return;
    m_file.close();
    if (m_closeDocument) m_closeDocument();
}

}  // namespace orvex::files
