#pragma once
// The editor's side of the macro library: liborxmac.so is loaded on the
// first run or debug and kept until the program ends; its entry points are
// bound by name. A stop before anything was run loads nothing. A library
// that cannot be loaded is reported with "ORXMAC.DLLがありません"; a
// missing entry point does nothing.
//
// The entry points take the main window's and the view's handles of the
// message layer and the macro file's path; their results mean nothing.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/platform/SharedLibrary.h"
#include "winmsg/MessageLayer.h"

namespace orvex {
struct Platform;
}

namespace orvex::shell {

using OrxMacStartEntry = int (*)(void* mainWindow, void* view, const char* path);
using OrxMacStopEntry = int (*)();

// The library's entry points as bound; a null one is missing.
struct MacroEntries {
    OrxMacStartEntry run = nullptr;
    OrxMacStartEntry debug = nullptr;
    OrxMacStartEntry dialogRun = nullptr;
    OrxMacStopEntry stop = nullptr;
    // Runs a macro to its end without a display (batch mode).
    OrxMacStartEntry batch = nullptr;
};

class MacroLibraryBinding {
public:
    static constexpr const char* kLibraryName = "liborxmac.so";
    static constexpr const char* kMissingText = "ORXMAC.DLLがありません";

    enum class Mode { Run = 0, Debug = 1, Stop = 2 };

    // Binds the entry points once; nothing when the library is missing.
    using Loader = std::function<std::optional<MacroEntries>()>;

    // The library of that file name, looked for as SharedLibrary does. The
    // platform is read at every use (its message boxes may be replaced), so
    // it must outlive the binding.
    explicit MacroLibraryBinding(const Platform& platform, std::string libraryName = kLibraryName);
    // Entry points from elsewhere (a table of functions in a test).
    MacroLibraryBinding(const Platform& platform, Loader loader);
    MacroLibraryBinding(Platform&&, std::string = {}) = delete;
    MacroLibraryBinding(Platform&&, Loader) = delete;
    ~MacroLibraryBinding();
    MacroLibraryBinding(const MacroLibraryBinding&) = delete;
    MacroLibraryBinding& operator=(const MacroLibraryBinding&) = delete;

    // Runs, debugs (an empty path does nothing) or stops (nothing before
    // the library was loaded). False when nothing was called.
    bool invoke(Mode mode, const std::string& path, win::Handle mainWindow, win::Handle view);
    bool run(const std::string& path, win::Handle mainWindow, win::Handle view) {
        return invoke(Mode::Run, path, mainWindow, view);
    }
    bool debug(const std::string& path, win::Handle mainWindow, win::Handle view) {
        return invoke(Mode::Debug, path, mainWindow, view);
    }
    bool stop() { return invoke(Mode::Stop, {}, nullptr, nullptr); }
    // Batch mode: runs the macro to its end and answers the library's
    // status (0, or 1 after an error); 1 also when the library or its
    // batch entry is missing (the missing library is reported).
    int runBatch(const std::string& path, win::Handle mainWindow, win::Handle view);

    bool loaded() const { return m_entries.has_value(); }

private:
    bool ensureLoaded();

    const Platform& m_platform;
    Loader m_loader;
    std::unique_ptr<SharedLibrary> m_library;
    std::optional<MacroEntries> m_entries;
};

}  // namespace orvex::shell
