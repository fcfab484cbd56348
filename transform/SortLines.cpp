#include "transform/SortLines.h"

#include <algorithm>
#include <vector>

#include "common/codepage/SjisWalk.h"
#include "transform/TextEdits.h"

namespace orvex::transform {

namespace {

int charAt(std::string_view s, size_t i) {
    return sjis::stepWithin(reinterpret_cast<const uint8_t*>(s.data()) + i, ptrdiff_t(s.size() - i));
}

// The key of field n (1-based) of a line, or the whole line without one.
// A field that starts (after blanks) with the quote character runs to the
// closing quote, and on to the next separator.
std::string_view fieldKey(std::string_view line, const SortOptions& o) {
    size_t pos = 0;
    for (int f = 1;; ++f) {
        const size_t fieldStart = pos;
        size_t i = pos;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t') && line[i] != o.separator) ++i;
        if (o.quote && i < line.size() && line[i] == o.quote) {
            ++i;
            while (i < line.size() && line[i] != o.quote) i += size_t(charAt(line, i));
            if (i < line.size()) ++i;
        }
        while (i < line.size() && line[i] != o.separator) i += size_t(charAt(line, i));
        if (f == o.field) return line.substr(fieldStart, i - fieldStart);
        if (i >= line.size()) return line;  // no such field
        pos = i + 1;
    }
}

std::string_view columnKey(std::string_view line, const SortOptions& o, int tabWidth) {
    const int32_t target = std::max(1, o.column) - 1;
    int32_t col = 0;
    for (size_t i = 0; i < line.size();) {
        if (col >= target) return line.substr(i);
        const int len = charAt(line, i);
        col = line[i] == '\t' ? sjis::nextTabStop(col, tabWidth) : col + len;
        i += size_t(len);
    }
    return line;  // shorter than the column
}

// Key bytes compared without regard to the case of single-byte letters.
std::string folded(std::string_view key) {
    std::string out(key);
    for (size_t i = 0; i < out.size();) {
        const int len = charAt(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = char(out[i] - 'A' + 'a');
        i += size_t(len);
    }
    return out;
}

}  // namespace

std::string sortLines(std::string_view text, const SortOptions& o, int tabWidth) {
    struct Entry {
        std::string_view line;
        std::string key;
    };
    std::vector<Entry> entries;
    for (const LinePiece& l : splitLines(text)) {
        if (l.content.empty()) continue;
        std::string_view key = l.content;
        if (o.type == 1) key = fieldKey(l.content, o);
        else if (o.type == 2) key = columnKey(l.content, o, tabWidth);
        entries.push_back({l.content, o.caseSensitive ? std::string(key) : folded(key)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::string_view(a.key).compare(b.key) < 0;  // bytes as unsigned: std::char_traits<char>::compare
    });
    std::string out;
    out.reserve(text.size() + entries.size() * 2);
    for (const Entry& e : entries) {
        out.append(e.line);
        out += "\r\n";
    }
    return out;
}

}  // namespace orvex::transform
