#include "shell/EditorDocument.h"

#include "files/AutoBackupService.h"
#include "shell/EditorSession.h"

namespace orvex::shell {

EditorDocument::EditorDocument(EditorSession& session)
    : m_session(session),
      m_doc(std::make_unique<CLuDoc>(session.platform())),
      m_file(std::make_unique<files::DocumentFile>(*m_doc, session.fileServices())) {
    m_commands = std::make_unique<files::DocumentFileCommands>(*m_file, [this] {
        released();
        if (m_closeHandler) m_closeHandler();
    });
    m_file->newDocument();
    m_backups = m_session.autoBackups();
    if (m_backups) m_backups->add(*m_file);
}

EditorDocument::~EditorDocument() {
    if (!m_released) m_file->close();
    released();
}

bool EditorDocument::queryClose() {
    if (m_released) return true;
    if (!m_file->saveModified()) return false;
    m_file->close();
    released();
    return true;
}

void EditorDocument::released() {
    m_released = true;
    // The window may outlive the closed file until the event loop deletes
    // it; a backup tick in between must not write edits the user chose to
    // discard (nor a copy nobody removes).
    if (m_backups) m_backups->remove(*m_file);
    m_backups = nullptr;
}

}  // namespace orvex::shell
