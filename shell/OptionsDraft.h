#pragma once
// The options the options sheet edits, as one copy taken from the settings
// when the sheet opens. The sheet's pages change the copy only; "適用" and
// OK hand it to commitOptions, which clamps it by the settings tables and
// puts it into the settings. The pages of other sheets (tables, presets,
// programs, fixed strings, page layouts) are not part of it.
#include <array>

#include "settings/Settings.h"

namespace orvex::shell {

struct OptionsDraft {
    settings::AppOptions app;
    settings::ColourOptions colours;
    settings::FrameOptions frame;
    settings::ChildOptions child;
    settings::DocumentOptions document;
    std::array<settings::ModeOptions, settings::kModeCount> modes;
    settings::EditorOptions options;
    settings::SearchOptions search;
    settings::KeywordStore keywords;

    friend bool operator==(const OptionsDraft&, const OptionsDraft&) = default;
};

OptionsDraft captureOptions(const settings::Settings& s);

// Clamps every integer of the draft that a settings table gives a range
// and applies the load rules to the per-mode and display options, so that
// what a page handed back is stored exactly as a load would keep it.
void clampOptions(OptionsDraft& d);

// Puts the (clamped) draft into the settings. The values the frame keeps
// for itself while the sheet is open (window placements, the file window,
// the external program chosen last, the fixed-string titles, the favourite
// files) are left as they are.
void commitOptions(const OptionsDraft& d, settings::Settings& s);

}  // namespace orvex::shell
