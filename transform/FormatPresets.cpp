#include "transform/FormatPresets.h"

#include "common/codepage/Cp932.h"

namespace orvex::transform {

namespace {

// Command of each preset, by preset number.
constexpr CommandId kPresetCommands[settings::kFormatPresetCount] = {
    32918, 32912, 32974, 32975, 32980, 32981, 33047, 33048, 33049, 33050, 33051, 33112, 33113, 33114,
};
constexpr int kFormat[10] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kPaste[4] = {1, 11, 12, 13};

}  // namespace

std::optional<PresetCommand> presetOfCommand(CommandId id) {
    for (int p = 0; p < settings::kFormatPresetCount; ++p)
        if (kPresetCommands[p] == id) return PresetCommand{p, p == 1 || p >= 11};
    return std::nullopt;
}

CommandId commandOfPreset(int preset) {
    return preset >= 0 && preset < settings::kFormatPresetCount ? kPresetCommands[preset] : 0;
}

const int* formatPresets() { return kFormat; }
const int* pastePresets() { return kPaste; }

std::string presetTitle(const settings::FormatPreset& preset, int number) {
    if (!preset.seikeiTT.empty()) return preset.seikeiTT;
    std::string name;
    if (number == 1) name = "整形貼付1";
    else if (number >= 11) name = "整形貼付" + std::to_string(number - 9);
    else name = "整形" + std::to_string(number == 0 ? 1 : number);
    return cp932::fromUtf8(name);
}

}  // namespace orvex::transform
