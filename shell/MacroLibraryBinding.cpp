#include "shell/MacroLibraryBinding.h"

#include <vector>

#include "common/platform/Platform.h"

namespace orvex::shell {

MacroLibraryBinding::MacroLibraryBinding(const Platform& platform, std::string libraryName) : m_platform(platform) {
    m_loader = [this, name = std::move(libraryName)]() -> std::optional<MacroEntries> {
        m_library = SharedLibrary::load(name);
        if (!m_library) return std::nullopt;
        MacroEntries e;
        e.run = reinterpret_cast<OrxMacStartEntry>(m_library->symbol("OrxMacRun"));
        e.debug = reinterpret_cast<OrxMacStartEntry>(m_library->symbol("OrxMacDebug"));
        e.dialogRun = reinterpret_cast<OrxMacStartEntry>(m_library->symbol("OrxMacDlgRun"));
        e.stop = reinterpret_cast<OrxMacStopEntry>(m_library->symbol("OrxMacStop"));
        e.batch = reinterpret_cast<OrxMacStartEntry>(m_library->symbol("OrxMacBatch"));
        return e;
    };
}

MacroLibraryBinding::MacroLibraryBinding(const Platform& platform, Loader loader)
    : m_platform(platform), m_loader(std::move(loader)) {}

// The library stays loaded for the life of the program: a macro thread may
// still be ending inside it when the binding goes.
MacroLibraryBinding::~MacroLibraryBinding() {
    static std::vector<std::unique_ptr<SharedLibrary>> kept;
    if (m_library) kept.push_back(std::move(m_library));
}

bool MacroLibraryBinding::ensureLoaded() {
    if (m_entries) return true;
    if (m_loader) m_entries = m_loader();
    if (!m_entries) {
        if (m_platform.messages) m_platform.messages->showText(kMissingText, MsgIcon::None, MsgButtons::Ok);
        return false;
    }
    return true;
}

bool MacroLibraryBinding::invoke(Mode mode, const std::string& path, win::Handle mainWindow, win::Handle view) {
    if (mode == Mode::Stop) {
        if (!m_entries || !m_entries->stop) return false;
        m_entries->stop();
        return true;
    }
    if (path.empty() || !ensureLoaded()) return false;
    const OrxMacStartEntry entry = mode == Mode::Debug ? m_entries->debug : m_entries->run;
    if (!entry) return false;
    entry(mainWindow, view, path.c_str());
    return true;
}

int MacroLibraryBinding::runBatch(const std::string& path, win::Handle mainWindow, win::Handle view) {
    if (!ensureLoaded() || !m_entries->batch) return 1;
    return m_entries->batch(mainWindow, view, path.c_str()) == 0 ? 0 : 1;
}

}  // namespace orvex::shell
