#pragma once
// Line ends of text that crosses the clipboard. Text leaving the editor
// for another program carries LF line ends, as Linux programs expect (CR LF
// and a lone CR both become LF); text coming in may carry CR LF, CR or LF,
// and a lone LF becomes the editor's CR LF (CR LF and a lone CR are line
// ends of the editor already). Shift JIS trail bytes are never CR or LF,
// so the bytes can be rewritten without walking characters.
#include <string>
#include <string_view>

namespace orvex::clipboardtext {

inline std::string outgoing(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size(); ++i) {
        const char c = sjis[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < sjis.size() && sjis[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

inline std::string incoming(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 16);
    for (size_t i = 0; i < sjis.size(); ++i) {
        const char c = sjis[i];
        if (c == '\n' && (i == 0 || sjis[i - 1] != '\r')) out += '\r';
        out += c;
    }
    return out;
}

}  // namespace orvex::clipboardtext
