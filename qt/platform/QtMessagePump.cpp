#include "qt/platform/QtMessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include "winmsg/MessageLayer.h"

namespace orvex::qt {

void installMessagePump() {
    win::attachUiThread();
    QPointer<QCoreApplication> app = QCoreApplication::instance();
    win::PlatformHooks hooks;
    hooks.wake = [app] {
        // Runs on any thread: queue a call into the user-interface thread.
        if (app) QMetaObject::invokeMethod(app, [] { win::dispatchBurst(); }, Qt::QueuedConnection);
    };
    hooks.pumpOnce = [app](int timeoutMs) {
        if (!app) return;
        // A timer bounds the wait; wake() bounds it when a message arrives.
        QTimer guard;
        if (timeoutMs >= 0) {
            guard.setSingleShot(true);
            guard.start(timeoutMs);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    };
    win::setPlatformHooks(std::move(hooks));
}

void removeMessagePump() {
    win::setPlatformHooks({});
    win::detachUiThread();
}

}  // namespace orvex::qt
