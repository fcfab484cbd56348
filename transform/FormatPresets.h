#pragma once
// The fourteen formatting presets as commands: which preset a command runs,
// whether it is a formatted paste, and the titles the menus and the sheet
// show.
#include <optional>
#include <string>

#include "common/commands/CommandIds.h"
#include "settings/FormatPreset.h"

namespace orvex::transform {

struct PresetCommand {
    int preset = 0;
    bool paste = false;
};

// The preset of a command "整形(n)" or "整形貼り付け(n)".
std::optional<PresetCommand> presetOfCommand(CommandId id);
// The command that runs a preset.
CommandId commandOfPreset(int preset);
// Presets run by "整形(1)".."整形(10)" and by "整形貼り付け(1)".."(4)", in
// menu order.
const int* formatPresets();  // 10 entries
const int* pastePresets();   // 4 entries
// The preset's title (SeikeiTT, else the built-in name "整形1",
// "整形貼付1", ...), as Shift JIS.
std::string presetTitle(const settings::FormatPreset& preset, int number);

}  // namespace orvex::transform
