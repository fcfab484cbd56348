#pragma once
// The layout options of a file-type mode: the mode's own options, the
// global line-breaking and margin options, the colours that switch comment
// and line-start tracking on, and the document's line-start prefixes.
#include "display/LayoutOptions.h"
#include "settings/AppOptions.h"
#include "settings/DocumentOptions.h"
#include "settings/EditorProfile.h"

namespace orvex::files {

// Options for a document of mode `mode` (0-4; anything else reads as 0);
// tagFile makes every line start outside a comment.
LayoutOptions layoutOptionsFor(const settings::EditorProfile& editor, const settings::ColourOptions& colours,
                               const settings::DocumentOptions& document, int mode, bool tagFile);

}  // namespace orvex::files
