#pragma once
// Expansion of the placeholders of a header or footer text. Each
// placeholder is replaced at its first occurrence in the text as the user
// wrote it, in the order &p &P &f &F &d &t &D &T; text that a replacement
// put in (a path holding "&P", say) is never expanded again.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace orvex::print {

struct HeaderFooterValues {
    int page = 1;
    int totalPages = 1;
    std::string pathOrTitle;          // full path, or the title of an untitled document
    std::tm printed{};                // date and time of printing
    std::optional<std::tm> fileTime;  // the file's time; none: "&D" and "&T" become empty
};

std::string expandHeaderFooter(std::string_view text, const HeaderFooterValues& values);

// The path from the character after its last separator ("/" or "\",
// found on character boundaries); all of it when it holds none.
std::string_view lastPathComponent(std::string_view path);

// The text asks for the total page count (holds "&P").
bool needsTotalPages(std::string_view text);

}  // namespace orvex::print
