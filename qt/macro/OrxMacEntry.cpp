// The exports of liborxmac.so. Everything else in the library is hidden.
//
// OrxMacRun, OrxMacDlgRun and OrxMacDebug start a macro file on the macro
// thread (free-running, under the running dialog, or under the debugger);
// OrxMacStop stops the running macro and waits for its thread. OrxMacBatch
// runs a macro to its end in a program without a display: every dialog
// takes its default answer and a failure is written to standard error.
// All of them are called on the editor's user-interface thread; the results
// of the first four carry no meaning.
#include <cstdio>
#include <memory>

#include "orxmac/MacroError.h"
#include "orxmac/bridge/CMacExe.h"
#include "orxmac/bridge/DefaultAnswerHost.h"
#include "orxmac/bridge/MacroLibrary.h"
#include "qt/macro/MacroDebuggerWindow.h"
#include "qt/macro/MacroRunningDialog.h"
#include "qt/macro/QtMacroHostUi.h"
#include "winmsg/MessageLayer.h"

#define ORXMAC_EXPORT extern "C" __attribute__((visibility("default")))

using namespace orvex;
using orvex::orxmac::MacroLibrary;

namespace {

// The dialogs of the library, registered with the message layer at the
// first entry-point call (on the user-interface thread).
// Never destroyed: at the program's exit the message layer it is
// registered with may already be gone.
qt::QtMacroHostUi& hostUi() {
    static auto* ui = new qt::QtMacroHostUi;
    ui->attach();
    return *ui;
}

win::Handle handleOf(void* window) { return static_cast<win::Handle>(window); }

}  // namespace

ORXMAC_EXPORT int OrxMacRun(void* mainWindow, void* view, const char* path) {
    qt::QtMacroHostUi& ui = hostUi();
    auto exe = MacroLibrary::instance().prepare(handleOf(mainWindow), handleOf(view), path, false, ui);
    // The thread holds its object until it ends.
    if (exe) exe->start(false, true);
    return 0;
}

ORXMAC_EXPORT int OrxMacDlgRun(void* mainWindow, void* view, const char* path) {
    qt::QtMacroHostUi& ui = hostUi();
    auto exe = MacroLibrary::instance().prepare(handleOf(mainWindow), handleOf(view), path, false, ui);
    if (!exe) return 0;
    {
        qt::MacroRunningDialog dialog(exe);
        dialog.run();
    }
    return 0;
}

ORXMAC_EXPORT int OrxMacDebug(void* mainWindow, void* view, const char* path) {
    qt::QtMacroHostUi& ui = hostUi();
    auto exe = MacroLibrary::instance().prepare(handleOf(mainWindow), handleOf(view), path, true, ui);
    if (!exe) return 0;
    {
        qt::MacroDebuggerWindow window(exe);
        window.run();
    }
    return 0;
}

ORXMAC_EXPORT int OrxMacStop() {
    MacroLibrary::instance().stopWait();
    return 0;
}

ORXMAC_EXPORT int OrxMacBatch(void* mainWindow, void* view, const char* path) {
    // No Qt object is made on this path: the program may have no display.
    const bool attach = !win::onUiThread();
    if (attach) win::attachUiThread();
    // Message boxes of the macro are its output; everything else is a
    // message on standard error.
    static orxmac::DefaultAnswerHost host(stderr, stdout);
    const int failuresBefore = host.failures();
    int status = 1;
    if (auto exe = MacroLibrary::instance().prepare(handleOf(mainWindow), handleOf(view), path, false, host)) {
        if (exe->start(false)) {
            exe->waitPumping(-1);
            const int result = exe->lastResult();
            status = (result < 0 && result != orxmac::kStopped) || host.failures() != failuresBefore ? 1 : 0;
        }
    }
    if (attach) win::detachUiThread();
    return status;
}
