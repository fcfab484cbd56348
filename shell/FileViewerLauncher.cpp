#include "shell/FileViewerLauncher.h"

#include "common/platform/Platform.h"

namespace orvex::shell {

bool FileViewerLauncher::show(const std::string& path, void* parentWindow) {
    if (!m_library) {
        m_library = SharedLibrary::load(m_libraryName);
        if (!m_library) {
            if (m_platform.messages) m_platform.messages->showText(kMissingText, MsgIcon::Exclamation);
            return false;
        }
        m_entry = reinterpret_cast<OrxViewEntry>(m_library->symbol("OrxView"));
    }
    if (!m_entry) return false;
    m_entry(parentWindow, path.c_str(), 0);
    return true;
}

}  // namespace orvex::shell
