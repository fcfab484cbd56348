#pragma once
// The macro settings sheet as the session asks for it: copies of the ten
// slots' titles and macro file paths (Shift JIS), the page to open on, and
// how the sheet closed with the page then active.
#include <array>
#include <string>

namespace orvex::shell {

constexpr int kMacroSlotCount = 10;

struct MacroSheetRequest {
    enum class Close { Cancel, Ok, Run, Debug, Edit };
    std::array<std::string, kMacroSlotCount> titles;
    std::array<std::string, kMacroSlotCount> paths;
    int backgroundRun = 1;  // MacroBK, shown on a hidden check box
    int page = 0;
    Close close = Close::Cancel;
};

}  // namespace orvex::shell
