#pragma once
// The options sheet as the settings commands ask for it.
#include "shell/SettingsDialogs.h"

namespace orvex::qt {

class QtSettingsDialogs final : public shell::SettingsDialogs {
public:
    bool editOptions(shell::OptionsDraft& draft, shell::OptionsSheetKind kind,
                     const std::function<void(const shell::OptionsDraft&)>& apply) override;
};

}  // namespace orvex::qt
