#include "settings/FileTypeModes.h"

#include "settings/ProfileFile.h"

namespace orvex::settings {

int selectFileTypeMode(std::string_view path, const std::array<std::string, 5>& lists) {
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return 0;
    const std::string ext = ProfileFile::foldCase(name.substr(dot)) + ";";
    for (int m = 1; m < 5; ++m) {
        if (lists[static_cast<size_t>(m)].empty()) continue;
        const std::string list = ProfileFile::foldCase(lists[static_cast<size_t>(m)]) + ";";
        if (list.find(ext) != std::string::npos) return m;
    }
    return 0;
}

}  // namespace orvex::settings
