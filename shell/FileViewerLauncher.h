#pragma once
// The editor's side of the file viewer: liborxview.so is loaded on the
// first use and kept until the editor ends; its entry point OrxView is
// bound by name and called with the main window, the path of the file the
// load refused, and 0 (no forced dump). A library that cannot be loaded is
// reported with "ORXVIEW.DLLがありません"; a library without the entry point
// does nothing.
#include <memory>
#include <string>

#include "common/platform/SharedLibrary.h"

namespace orvex {
struct Platform;
}

namespace orvex::shell {

// The exported entry point: parent window (not used), path, forced dump.
using OrxViewEntry = void (*)(void* parent, const char* path, int hexDump);

class FileViewerLauncher {
public:
    static constexpr const char* kLibraryName = "liborxview.so";
    static constexpr const char* kMissingText = "ORXVIEW.DLLがありません";

    explicit FileViewerLauncher(const Platform& platform, std::string libraryName = kLibraryName)
        : m_platform(platform), m_libraryName(std::move(libraryName)) {}

    // Shows the file; false when the viewer could not be reached.
    bool show(const std::string& path, void* parentWindow = nullptr);
    // Unloads the library (at exit); the next show loads it again.
    void unload() {
        m_entry = nullptr;
        m_library.reset();
    }
    bool loaded() const { return m_library != nullptr; }

private:
    const Platform& m_platform;
    std::string m_libraryName;
    std::unique_ptr<SharedLibrary> m_library;
    OrxViewEntry m_entry = nullptr;
};

}  // namespace orvex::shell
