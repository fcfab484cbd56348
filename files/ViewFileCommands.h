#pragma once
// The file commands of one editor view: insert a file at the cursor
// (32787), revert to the file on disk (32790), append the selection to a
// file (32868) and the conversion commands that set the document's code or
// line ends and save it (33485-33489, 33499). Attached to its view as a
// command extension for the life of the view.
#include <string>

#include "common/commands/CommandTable.h"

namespace orvex {
class CLuView;
}

namespace orvex::files {

class DocumentFile;

class ViewFileCommands final : public CommandTarget {
public:
    // `file` is the file side of the view's document.
    ViewFileCommands(CLuView& view, DocumentFile& file);
    ~ViewFileCommands() override;
    ViewFileCommands(const ViewFileCommands&) = delete;
    ViewFileCommands& operator=(const ViewFileCommands&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<ViewFileCommands>& commandTable();
    // The view's state for the command gate.
    CommandGate commandGate() const;

    // ---- Operations (the commands' work; macros call them too)
    // Reads a file (asking for it when path is empty), converts it from its
    // code and inserts it at the cursor as one undoable edit. The cursor
    // ends after the text.
    bool insertFile(const std::string& path = {});
    // Asks 30013 (when ask is set), then re-reads the file; the cursor goes
    // to the top.
    bool revert(bool ask = true);
    // Asks for a file and appends the selection to it.
    bool appendSelection();
    // One of the conversion commands.
    bool convert(CommandId id);

private:
    void cmdInsertFile(CommandId id);
    void cmdRevert(CommandId id);
    void cmdAppendSelection(CommandId id);
    void cmdConvert(CommandId id);
    void updateConvert(CommandId id, CommandState& state);

    CLuView& m_view;
    DocumentFile& m_file;
};

}  // namespace orvex::files
