#include "search/Replacement.h"

#include "common/codepage/SjisWalk.h"

namespace orvex::search {

std::string expandReplacement(std::string_view typed, bool specialCharacters) {
    if (!specialCharacters) return std::string(typed);
    std::string out;
    out.reserve(typed.size());
    for (size_t i = 0; i < typed.size();) {
        const uint8_t b = uint8_t(typed[i]);
        // As typed, not yet text: the plain rule, so that a trail byte 0x5C
        // never starts an escape.
        if (sjis::plainStepWithin(typed.data() + i, ptrdiff_t(typed.size() - i)) == 2) {
            out.append(typed.substr(i, 2));
            i += 2;
            continue;
        }
        if (b != '\\' || i + 1 >= typed.size()) {
            out += char(b);
            ++i;
            continue;
        }
        switch (typed[i + 1]) {
            case 'r':
            case 'n': out += "\r\n"; break;
            case 'f': out += '\f'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default:
                // Kept as written; the next character (perhaps double-byte)
                // is copied by the next step.
                out += '\\';
                ++i;
                continue;
        }
        i += 2;
    }
    return out;
}

}  // namespace orvex::search
