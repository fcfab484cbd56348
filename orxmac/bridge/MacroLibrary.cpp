#include "orxmac/bridge/MacroLibrary.h"

#include <sys/stat.h>

#include <cstdio>

#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/MacroHostUi.h"

namespace orvex::orxmac {

namespace {

// Only a plain file is read: a folder would read as an empty program, and
// a pipe or device could block the user-interface thread for ever.
bool readMacroFile(const std::string& path, MacroSource& out) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return MacroSource::readFile(path, out);
}

}  // namespace

MacroLibrary& MacroLibrary::instance() {
    static MacroLibrary library;
    return library;
}

std::shared_ptr<CMacExe> MacroLibrary::prepare(win::Handle mainWindow, win::Handle view, const char* path,
                                               bool debugRun, MacroHostUi& ui) {
    if (m_current.lock() && running()) {
        libraryMessage(ui, kStillRunning, kErrorBoxCaption, MsgIcon::None);
        return nullptr;
    }
    MacroStart start;
    start.mainWindow = mainWindow;
    start.view = view;
    start.path = path ? path : "";
    start.debugRun = debugRun;
    if (!readMacroFile(start.path, start.source)) {
        std::string text(kCannotOpenFormat);
        text.replace(text.find("%s"), 2, start.path);
        libraryMessage(ui, text, kErrorBoxCaption, MsgIcon::Question);
        return nullptr;
    }
    stopWait();
    auto exe = std::make_shared<CMacExe>(std::move(start), m_running, ui);
    m_current = exe;
    return exe;
}

void MacroLibrary::stopWait() {
    std::shared_ptr<CMacExe> exe = m_current.lock();
    if (!exe || !running()) return;
    exe->requestStop();
    exe->waitPumping(kStopSliceMs);
}

}  // namespace orvex::orxmac
