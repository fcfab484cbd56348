#pragma once
// What the file side of every document shares: the settings it reads, the
// trash, and the hooks into the windows above the core.
#include <ctime>
#include <functional>
#include <string>

#include "files/Trash.h"
#include "settings/AppOptions.h"
#include "settings/DocumentOptions.h"
#include "settings/EditorProfile.h"

namespace orvex::settings {
class Settings;
}

namespace orvex::files {

// Append the selection to a file: the target and the temporary file that
// holds the selection (Shift JIS, with the header line when asked for).
struct AppendRequest {
    std::string target;
    std::string tempFile;
    bool targetExisted = false;
    // The temporary file holds UTF-8 rather than Shift JIS: the source
    // document had characters code page 932 lacks, which the target's own
    // table takes on.
    bool utf8 = false;
};

struct DocumentFileServices {
    // Load and save settings. The save dialog writes its code and line-end
    // choices (SaveKanji, SaveCR) back here. Null: the defaults.
    settings::DocumentOptions* document = nullptr;
    // Automatic backups; null: off.
    const settings::AppOptions* app = nullptr;
    // File-type modes and the layout options of each mode; null: every
    // file is mode 0 and keeps the layout options it has.
    const settings::EditorProfile* editor = nullptr;
    const settings::ColourOptions* colours = nullptr;
    // BackupMode 4; null: that backup fails.
    Trash* trash = nullptr;
    // Shows a file that is not text in the file viewer ("ｲﾒｰｼﾞ表示").
    std::function<void(const std::string& path)> showInViewer;
    // Opens the target of an append in a window of its own, which completes
    // the request (appendTempFileToDocument). Null: the append runs in a
    // document without a window.
    std::function<bool(const AppendRequest&)> openForAppend;
    // The current time; null: the system clock.
    std::function<std::time_t()> clock;

    std::time_t now() const { return clock ? clock() : std::time(nullptr); }
};

// Services reading the application's settings.
DocumentFileServices documentFileServices(settings::Settings& settings, Trash* trash);

}  // namespace orvex::files
