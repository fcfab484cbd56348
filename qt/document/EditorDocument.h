#pragma once
// A document as the editor windows hold it: the text (CLuDoc), its file side
// (files::DocumentFile: load, save with backups and prompts, lock, automatic
// backup, close) and the document's command target (save, save as, save a
// copy, close), which is the document's link in the command chain.
#include <functional>
#include <memory>
#include <string>

#include "common/commands/CommandTable.h"
#include "files/DocumentFile.h"
#include "files/DocumentFileCommands.h"
#include "text/CLuDoc.h"

namespace orvex::files {
class AutoBackupService;
}

namespace orvex::qt {

class EditorContext;

namespace cmdid {
constexpr CommandId kFileNew = 57600;
constexpr CommandId kFileOpen = 57601;
constexpr CommandId kFileClose = 57602;
constexpr CommandId kFileSave = 57603;
constexpr CommandId kFileSaveAs = 57604;
constexpr CommandId kSaveAll = 32800;
constexpr CommandId kCloseAll = 33007;
constexpr CommandId kAppExit = 57665;
}  // namespace cmdid

class EditorDocument final : public CommandTarget {
public:
    // A new untitled document.
    explicit EditorDocument(EditorContext& ctx);
    ~EditorDocument() override;
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    CLuDoc& doc() { return *m_doc; }
    const CLuDoc& doc() const { return *m_doc; }
    files::DocumentFile& file() { return *m_file; }
    const files::DocumentFile& file() const { return *m_file; }
    EditorContext& context() { return m_ctx; }

    const std::string& path() const { return m_doc->pathName(); }
    bool untitled() const { return m_doc->pathName().empty(); }
    int mode() const { return m_doc->fileTypeMode(); }
    int code() const { return m_file->code(); }
    int lineEnd() const { return m_file->lineEnd(); }

    // Reads a file with the read setting AutoKanji (which the open dialog
    // sets); false after the message when it cannot be opened.
    bool open(const std::string& path, const files::OpenOptions& options = {}) { return m_file->open(path, options); }
    bool save() { return m_file->save(); }
    // Before the window closes: the save question for a modified document.
    // True when it may close; the file is then released.
    bool queryClose();
    // What closing the document from its own command (57602) does to the
    // window, once the file side agreed and released the file.
    void setCloseHandler(std::function<void()> handler) { m_closeHandler = std::move(handler); }

    // Settings changed: editing switches and layout options again.
    void applySettings() { m_file->applySettings(); }

    bool onCommand(CommandId id) override { return m_commands->onCommand(id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return m_commands->onUpdateCommand(id, state); }
    static bool knows(CommandId id) { return files::DocumentFileCommands::commandTable().find(id) != nullptr; }

private:
    // The file is closed: it leaves the automatic backups at once.
    void released();

    EditorContext& m_ctx;
    std::unique_ptr<CLuDoc> m_doc;
    std::unique_ptr<files::DocumentFile> m_file;
    std::unique_ptr<files::DocumentFileCommands> m_commands;
    std::function<void()> m_closeHandler;
    files::AutoBackupService* m_backups = nullptr;  // the service the file is registered with
    bool m_released = false;
};

}  // namespace orvex::qt
