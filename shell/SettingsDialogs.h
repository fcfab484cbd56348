#pragma once
// How the settings commands ask the window system for the options sheet.
// The Qt layer shows it (qt/settings/CSheet); tests script it. The sheet
// edits the draft in place; `apply` is what its "適用" button does with
// the draft as it stands (the same as OK, without closing).
#include <functional>

#include "shell/OptionsDraft.h"

namespace orvex::shell {

// Which pages the sheet shows.
enum class OptionsSheetKind {
    All,        // every options page (command 33501)
    UrlLaunch,  // the URL launch page alone (command 33056)
};

class SettingsDialogs {
public:
    virtual ~SettingsDialogs() = default;
    // False when cancelled (what "適用" applied before stays applied).
    virtual bool editOptions(OptionsDraft& draft, OptionsSheetKind kind,
                             const std::function<void(const OptionsDraft&)>& apply) = 0;
};

}  // namespace orvex::shell
