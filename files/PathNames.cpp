#include "files/PathNames.h"

namespace orvex::files {

std::string_view fileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string folderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string joinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    if (out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

std::string_view extensionOf(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return fileName.substr(dot);
}

}  // namespace orvex::files
