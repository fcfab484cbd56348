#pragma once
// Choosing a document's file-type mode (0..4) from its file name.
#include <array>
#include <string>
#include <string_view>

namespace orvex::settings {

// The extension is the file name (the part after the last "/") from its
// last "." on, dot included, lower-cased, with ";" appended. It is looked
// for as text inside each list of modes 1, 2, 3, 4 in that order, each
// lower-cased with ";" appended; the first list that holds it gives the
// mode. No extension, an empty list or no match gives mode 0. Lists are
// written as patterns separated by ";", such as "*.c;*.cpp;*.h".
// lists[m] is the list of mode m; lists[0] is never matched.
int selectFileTypeMode(std::string_view path, const std::array<std::string, 5>& lists);

}  // namespace orvex::settings
