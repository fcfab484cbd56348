#pragma once
// The lists kept for the next start: the open-file list of section
// "OpenPathName" (what was open at exit, reopened at start-up) and the
// recent-file list of section "Recent File List". Both belong to this
// machine: they are never exported or imported.
#include <array>
#include <optional>
#include <string>

#include "settings/SettingsTable.h"
#include "settings/WindowPlacement.h"

namespace orvex::settings {

constexpr int kOpenFileEntries = 10;
constexpr int kRecentFileEntries = 16;

// Entry i (0..9) is stored under the keys ending in i + 1.
struct OpenFileEntry {
    std::string file;                      // File%d: path
    int pos = 0;                           // Pos%d: caret position
    int scrollX = 0;                       // ScrollX%d
    int scrollY = 0;                       // ScrollY%d
    std::optional<WindowPlacement> place;  // Place%d
    int close = 1;                         // Close%d: entry closed

    friend bool operator==(const OpenFileEntry&, const OpenFileEntry&) = default;
};

struct OpenFileList {
    std::array<OpenFileEntry, kOpenFileEntries> entries;
    std::string dir;  // Dir: the last directory

    friend bool operator==(const OpenFileList&, const OpenFileList&) = default;
};

struct RecentFileList {
    std::array<std::string, kRecentFileEntries> files;  // File1..File16, most recent first

    friend bool operator==(const RecentFileList&, const RecentFileList&) = default;
};

const SettingsTable<OpenFileEntry>& openFileEntryTable();
const SettingsTable<OpenFileList>& openFileListTable();  // the Dir value
const SettingsTable<RecentFileList>& recentFileListTable();

}  // namespace orvex::settings
