#pragma once
// A document of the editor session: the text (CLuDoc), its file side
// (files::DocumentFile: load, save with backups and prompts, lock, automatic
// backup, close) and the document's command target (save, save as, save a
// copy, close), which is the document's link in the command chain. A
// document registers with the session's automatic backups while its file
// is open and leaves them as soon as it is closed.
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

namespace orvex::shell {

class EditorSession;


class EditorDocument final : public CommandTarget {
public:
    // A new untitled document.
    explicit EditorDocument(EditorSession& session);
    ~EditorDocument() override;
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    CLuDoc& doc() { return *m_doc; }
    const CLuDoc& doc() const { return *m_doc; }
    files::DocumentFile& file() { return *m_file; }
    const files::DocumentFile& file() const { return *m_file; }
    EditorSession& session() { return m_session; }

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

    // ---- Result documents (find in files, the lists, program output)
    // A tool-output document: filled from an external program's output. Its
    // relative tag-jump names resolve against the program's working folder
    // (empty: the editor's current folder).
    bool toolOutput() const { return m_toolOutput; }
    const std::string& toolFolder() const { return m_toolFolder; }
    void setToolOutput(std::string folder) {
        m_toolOutput = true;
        m_toolFolder = std::move(folder);
    }
    // A result document that a search or a list filled once: later runs
    // into it append after an empty line.
    bool resultInitialised() const { return m_resultInitialised; }
    void setResultInitialised(bool on) { m_resultInitialised = on; }
    // A find in files writes into this document now.
    bool searchRunning() const { return m_searchRunning; }
    void setSearchRunning(bool on) { m_searchRunning = on; }

    bool onCommand(CommandId id) override { return m_commands->onCommand(id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return m_commands->onUpdateCommand(id, state); }

private:
    // The file is closed: it leaves the automatic backups at once.
    void released();

    EditorSession& m_session;
    std::unique_ptr<CLuDoc> m_doc;
    std::unique_ptr<files::DocumentFile> m_file;
    std::unique_ptr<files::DocumentFileCommands> m_commands;
    std::function<void()> m_closeHandler;
    files::AutoBackupService* m_backups = nullptr;  // the service the file is registered with
    bool m_released = false;
    bool m_toolOutput = false;
    std::string m_toolFolder;
    bool m_resultInitialised = false;
    bool m_searchRunning = false;
};

}  // namespace orvex::shell
