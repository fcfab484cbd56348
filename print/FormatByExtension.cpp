#include "print/FormatByExtension.h"

#include <string>

#include "common/codepage/SjisWalk.h"

namespace orvex::print {

namespace {
// ASCII case folding only: the lists and extensions are Shift JIS, whose
// trail bytes must not change.
std::string folded(std::string_view s) {
    std::string out(s);
    auto* p = reinterpret_cast<uint8_t*>(out.data());
    const ptrdiff_t n = ptrdiff_t(out.size());
    for (ptrdiff_t i = 0; i < n; i += sjis::plainStepWithin(p + i, n - i))
        if (p[i] >= 'A' && p[i] <= 'Z') p[i] = uint8_t(p[i] - 'A' + 'a');
    return out;
}
}  // namespace

std::optional<int> formatForPath(std::string_view path,
                                 const std::array<settings::PageLayoutFormat, settings::kPageLayoutCount>& formats) {
    // Only the file name counts: a "." in a folder name is no extension.
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string key = folded(name.substr(dot + 1)) + ";";
    for (int i = 0; i < settings::kPageLayoutCount; ++i) {
        const std::string& list = formats[size_t(i)].prnExt;
        if (list.empty()) continue;
        if ((folded(list) + ";").find(key) != std::string::npos) return i;
    }
    return std::nullopt;
}

}  // namespace orvex::print
