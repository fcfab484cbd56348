#include "settings/SettingsPaths.h"

#include <cstdlib>

namespace orvex::settings {

namespace {

std::string absoluteOrEmpty(const char* v) { return v && v[0] == '/' ? std::string(v) : std::string(); }

std::string underHome(EnvLookup env, const char* xdgVar, const char* fallback) {
    std::string base = absoluteOrEmpty(env(xdgVar));
    if (base.empty()) {
        const std::string home = homeFolderPath(env);
        base = (home == "/" ? home : home + "/") + fallback;
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base;
}

}  // namespace

std::string homeFolderPath(EnvLookup env) {
    std::string home = absoluteOrEmpty(env("HOME"));
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    return home.empty() ? "/" : home;
}

std::string tempFolderPath(EnvLookup env) {
    std::string tmp = absoluteOrEmpty(env("TMPDIR"));
    while (tmp.size() > 1 && tmp.back() == '/') tmp.pop_back();
    return tmp.empty() ? "/tmp" : tmp;
}

std::string userSettingsFilePath(EnvLookup env) {
    return underHome(env, "XDG_CONFIG_HOME", ".config") + "/Pelmar/Orvex/settings.ini";
}

std::string userDataFolderPath(EnvLookup env) { return underHome(env, "XDG_DATA_HOME", ".local/share") + "/Orvex"; }

SettingsEnvironment SettingsEnvironment::fromProcess() {
    EnvLookup env = [](const char* name) -> const char* { return std::getenv(name); };
    SettingsEnvironment e;
    e.settingsFile = userSettingsFilePath(env);
    e.dataFolder = userDataFolderPath(env);
    e.tempFolder = tempFolderPath(env);
    e.homeFolder = homeFolderPath(env);
    return e;
}

}  // namespace orvex::settings
