#pragma once
// Helpers for layout tests: lay out UTF-8 source text converted to Shift
// JIS and describe the rows readably.
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/Cp932.h"
#include "display/LayoutEngine.h"

namespace orvex::test {

struct Laid {
    std::string text;  // Shift JIS with the terminator, after layout
    std::vector<Row> rows;
};

// Lays out Shift JIS bytes as they are.
inline Laid layOutSjis(std::string_view sjis, const LayoutOptions& options, int32_t wrap) {
    Laid out;
    out.text = std::string(sjis);
    out.text.push_back('\0');
    LayoutEngine engine(options, wrap);
    RowBuffer rows;
    engine.layout(reinterpret_cast<uint8_t*>(out.text.data()), int32_t(out.text.size()), 0,
                  int32_t(out.text.size()), 0, CommentState::None, rows);
    out.rows.assign(rows.begin(), rows.end());
    return out;
}

inline Laid layOut(std::string_view utf8, const LayoutOptions& options, int32_t wrap) {
    return layOutSjis(cp932::fromUtf8(utf8), options, wrap);
}

// "content/width" per row, content in UTF-8 without the line end; a row
// that ends its line shows "$" for the line end.
inline std::vector<std::string> describe(const Laid& laid) {
    std::vector<std::string> out;
    for (const Row& r : laid.rows) {
        const bool ends = endsLine(r);
        std::string content = laid.text.substr(size_t(r.offset), size_t(ends ? r.length - 1 : r.length));
        out.push_back(cp932::toUtf8(content) + (ends ? "$" : "") + "/" + std::to_string(r.width));
    }
    return out;
}

inline LayoutOptions kinsokuOn() {
    LayoutOptions o;
    o.kinsoku = true;
    return o;
}

}  // namespace orvex::test
