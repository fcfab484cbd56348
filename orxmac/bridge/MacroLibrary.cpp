#include "orxmac/bridge/MacroLibrary.h"

#include <cstdio>

#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/MacroHostUi.h"

namespace orvex::orxmac {

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
    if (start.path.empty() || !MacroSource::readFile(start.path, start.source)) {
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
