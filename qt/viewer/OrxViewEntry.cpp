// The exported entry point of liborxview.so: shows a file in the viewer
// window, modally, and returns when the window is closed.
#include <QApplication>

#include "qt/viewer/ViewerDialog.h"

extern "C" __attribute__((visibility("default"))) void OrxView(void* parent, const char* path, int hexDump) {
    static_cast<void>(parent);  // the window is parented to the active one
    if (!path || !QApplication::instance()) return;
    orvex::qt::ViewerDialog dialog(path, hexDump != 0, QApplication::activeWindow());
    dialog.exec();
}
