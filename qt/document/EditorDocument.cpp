#include "qt/document/EditorDocument.h"

#include "files/AutoBackupService.h"
#include "qt/mainframe/EditorContext.h"

namespace orvex::qt {

EditorDocument::EditorDocument(EditorContext& ctx)
    : m_ctx(ctx),
      m_doc(std::make_unique<CLuDoc>(ctx.platform())),
      m_file(std::make_unique<files::DocumentFile>(*m_doc, ctx.fileServices())) {
    m_commands = std::make_unique<files::DocumentFileCommands>(*m_file, [this] {
        m_released = true;
        if (m_closeHandler) m_closeHandler();
    });
    m_file->newDocument();
    m_ctx.autoBackups().add(*m_file);
}

EditorDocument::~EditorDocument() {
    m_ctx.autoBackups().remove(*m_file);
    if (!m_released) m_file->close();
}

bool EditorDocument::queryClose() {
    if (m_released) return true;
    if (!m_file->saveModified()) return false;
    m_file->close();
    m_released = true;
    return true;
}

}  // namespace orvex::qt
