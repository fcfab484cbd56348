#pragma once
// Where the settings live on this system, and the folders that stand in
// for the defaults written as "the temporary directory" and "c:\".
#include <string>

#include "settings/WindowPlacement.h"

namespace orvex::settings {

// Looks up an environment variable; nullptr when unset.
using EnvLookup = const char* (*)(const char*);

// $XDG_CONFIG_HOME/Pelmar/Orvex/settings.ini, with ~/.config when the
// variable is unset or not absolute.
std::string userSettingsFilePath(EnvLookup env);
// $XDG_DATA_HOME/Orvex, with ~/.local/share when unset or not absolute:
// the folder of the files the program writes (fixed strings, scrap book,
// key-macro slots).
std::string userDataFolderPath(EnvLookup env);
// $TMPDIR, or /tmp.
std::string tempFolderPath(EnvLookup env);
// $HOME, or "/" when unset.
std::string homeFolderPath(EnvLookup env);

// Everything the settings need from the surroundings, injectable so that
// tests run in a temporary folder and never touch the real home.
struct SettingsEnvironment {
    std::string settingsFile;  // the per-user settings file; empty: memory only
    std::string dataFolder;    // where "OrvexT1.dat" lives; empty: not persisted
    std::string tempFolder;    // default of AutoBackupPath and BackupPath
    std::string homeFolder;    // default of DefDir and FindPath0
    ScreenSize screen;         // stored window placements are checked against it

    // The real locations, from the process environment.
    static SettingsEnvironment fromProcess();
};

}  // namespace orvex::settings
