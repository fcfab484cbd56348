#pragma once
// The layout options of a document, taken from the settings: the per-mode
// values of its file-type mode, the global line-breaking values, the stored
// colours that switch comment tracking and line-start classes on, and the
// title prefixes.
#include "display/LayoutOptions.h"
#include "settings/AppOptions.h"
#include "settings/DocumentOptions.h"
#include "settings/EditorOptions.h"

namespace orvex {

LayoutOptions layoutOptionsFor(const settings::ModeOptions& mode, const settings::EditorOptions& editor,
                               const settings::ColourOptions& colours, const settings::DocumentOptions& document,
                               bool tagFile);

}  // namespace orvex
