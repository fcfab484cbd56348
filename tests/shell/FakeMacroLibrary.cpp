// A stand-in for the macro library, loaded by name in the binding's tests:
// its entry points note what they were called with, and the test reads the
// notes through the same library.
#include <string>

namespace {
std::string g_last;
int g_stops = 0;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) int OrxMacRun(void* mainWindow, void* view, const char* path) {
    g_last = "run " + std::to_string(reinterpret_cast<unsigned long>(mainWindow)) + " " +
             std::to_string(reinterpret_cast<unsigned long>(view)) + " " + (path ? path : "");
    return 0;
}

__attribute__((visibility("default"))) int OrxMacDebug(void* mainWindow, void* view, const char* path) {
    g_last = std::string("debug ") + (path ? path : "");
    return 0;
}

__attribute__((visibility("default"))) int OrxMacStop() { return ++g_stops; }

// For the test: the last start and the number of stops.
__attribute__((visibility("default"))) const char* FakeOrxMacLast() { return g_last.c_str(); }
__attribute__((visibility("default"))) int FakeOrxMacStops() { return g_stops; }

}  // extern "C"
