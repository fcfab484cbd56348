#pragma once
// Choosing a page-layout format from the document's extension: the text
// after the last "." of the path, with ";" appended, is looked for without
// regard to case in each non-empty extension list (with ";" appended) of
// formats 1 to 10 in order. Because it is a substring match, "xt" finds the
// entry "txt".
#include <array>
#include <optional>
#include <string_view>

#include "settings/PrintOptions.h"

namespace orvex::print {

// The index of the first format whose list holds the extension; none for a
// path without "." or without a match.
std::optional<int> formatForPath(std::string_view path,
                                 const std::array<settings::PageLayoutFormat, settings::kPageLayoutCount>& formats);

}  // namespace orvex::print
