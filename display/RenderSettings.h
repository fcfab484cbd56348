#pragma once
// Fills the display's plain option structs from the settings: the stored
// colours of the colour table and the render options of one file-type mode.
#include "display/ColourTable.h"
#include "display/RenderOptions.h"
#include "settings/AppOptions.h"
#include "settings/EditorOptions.h"

namespace orvex {

StoredColours storedColours(const settings::ColourOptions& colours);

// urlKanji is UrlKanji (section "ExProgExe").
RenderOptions renderOptions(const settings::EditorOptions& options, const settings::ModeOptions& mode, int urlKanji);

}  // namespace orvex
