#include "search/StructureSearch.h"

#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "display/Row.h"
#include "search/TagLine.h"
#include "text/TextStore.h"

namespace orvex::search {

namespace {

constexpr bool isLineEnd(uint8_t b) { return b == '\r' || b == '\n' || b == '\f'; }

char partnerOf(uint8_t b) {
    switch (b) {
    case '(': return ')';
    case ')': return '(';
    case '{': return '}';
    case '}': return '{';
    case '[': return ']';
    case ']': return '[';
    default: return 0;
    }
}
bool isOpening(uint8_t b) { return b == '(' || b == '{' || b == '['; }

struct Text {
    const uint8_t* p;
    int32_t n;
    uint8_t at(int32_t i) const { return i >= 0 && i < n ? p[i] : 0; }
    int32_t step(int32_t i) const { return sjis::stepWithin(p + i, n - i); }
    int32_t lineStart(int32_t i) const {
        while (i > 0 && !isLineEnd(p[i - 1])) --i;  // line-end bytes are never trail bytes
        return i;
    }
    int32_t lineEnd(int32_t i) const {
        while (i < n && !isLineEnd(p[i])) ++i;
        return i;
    }
};

// Steps over comment text at i: inside a block comment (to its end), the
// start of one, or a line comment (to the line end). True when i moved.
bool skipComment(const Text& t, int32_t& i, bool& comment) {
    const uint8_t b = t.p[i];
    if (comment) {
        if (b == '*' && t.at(i + 1) == '/') {
            comment = false;
            i += 2;
        } else {
            i += t.step(i);
        }
        return true;
    }
    if (b == '/' && t.at(i + 1) == '*') {
        comment = true;
        i += 2;
        return true;
    }
    if (b == '/' && t.at(i + 1) == '/') {
        i = t.lineEnd(i);
        return true;
    }
    return false;
}

// Forward from `from` (a character boundary after the bracket) for the
// partner of `open`; -1 when there is none.
int32_t scanForward(const Text& t, int32_t from, uint8_t open) {
    const uint8_t close = uint8_t(partnerOf(open));
    int depth = 1;
    bool comment = false;
    for (int32_t i = from; i < t.n;) {
        const uint8_t b = t.p[i];
        if (skipComment(t, i, comment)) continue;
        if (b == '*' && t.at(i + 1) == '/') return -1;
        if (b == open) ++depth;
        else if (b == close && --depth == 0) return i;
        i += t.step(i);
    }
    return -1;
}

// The character starts of [begin, end) on one line.
void charStarts(const Text& t, int32_t begin, int32_t end, std::vector<int32_t>& out) {
    out.clear();
    for (int32_t i = begin; i < end; i += t.step(i)) out.push_back(i);
}

// First "//" of the line [begin, end), or end.
int32_t lineCommentCut(const Text& t, int32_t begin, int32_t end) {
    for (int32_t i = begin; i < end; i += t.step(i))
        if (t.p[i] == '/' && t.at(i + 1) == '/' && i + 1 < end) return i;
    return end;
}

// Backward from the bracket at `at` for the partner of `close`.
int32_t scanBackward(const Text& t, int32_t at, uint8_t close) {
    const uint8_t open = uint8_t(partnerOf(close));
    int depth = 1;
    bool comment = false;
    std::vector<int32_t> starts;
    int32_t lineBegin = t.lineStart(at);
    if (lineCommentCut(t, lineBegin, at) < at) return -1;  // the bracket is commented out
    int32_t limit = at;  // characters before it on this line
    for (;;) {
        charStarts(t, lineBegin, limit, starts);
        for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
            const int32_t i = *it;
            const uint8_t b = t.p[i];
            // Two-character delimiters are seen at their first character.
            if (b == '*' && t.at(i + 1) == '/' && i + 1 < limit) {
                comment = true;
                continue;
            }
            if (b == '/' && t.at(i + 1) == '*' && i + 1 < limit) {
                if (!comment) return -1;
                comment = false;
                continue;
            }
            if (comment) continue;
            if (b == close) ++depth;
            else if (b == open && --depth == 0) return i;
        }
        if (lineBegin == 0) return -1;
        // The line before: step over its line end (CR with its LFs).
        int32_t e = lineBegin - 1;
        while (e > 0 && t.p[e] == '\n' && t.p[e - 1] == '\n') --e;
        if (e > 0 && t.p[e] == '\n' && t.p[e - 1] == '\r') --e;
        lineBegin = t.lineStart(e);
        limit = lineCommentCut(t, lineBegin, e);
    }
}

bool isNameStart(uint8_t b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z' ? true : b == '_' || b == ':'; }
bool isNameByte(uint8_t b) {
    return isNameStart(b) || (b >= '0' && b <= '9') || b == '~' || b == ' ' || b == '\t' || isLineEnd(b);
}

// After the line that holds i.
int32_t nextLineStart(const Text& t, int32_t i) {
    i = t.lineEnd(i);
    if (i >= t.n) return t.n;
    if (t.p[i] == '\r') {
        ++i;
        while (i < t.n && t.p[i] == '\n') ++i;
        return i;
    }
    return i + 1;
}

// The next "{" at or after i outside comments, and whether a "(" or ";"
// stood before it; -1 when there is none.
int32_t nextBrace(const Text& t, int32_t i, bool& blocked) {
    blocked = false;
    bool comment = false;
    while (i < t.n) {
        const uint8_t b = t.p[i];
        if (skipComment(t, i, comment)) continue;
        if (b == '{') return i;
        if (b == '(' || b == ';') blocked = true;
        i += t.step(i);
    }
    return -1;
}

}  // namespace

std::optional<BracketPair> matchBracket(std::string_view text, int32_t caret) {
    const Text t{reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())};
    if (caret < 0 || caret > t.n) return std::nullopt;
    int32_t at = caret;
    if (!partnerOf(t.at(at))) {
        const int32_t begin = t.lineStart(caret);
        if (caret == begin) return std::nullopt;
        at = int32_t(sjis::previousCharStart(t.p, begin, caret));
        if (!partnerOf(t.at(at))) return std::nullopt;
    }
    const uint8_t b = t.p[at];
    const int32_t partner = isOpening(b) ? scanForward(t, at + 1, b) : scanBackward(t, at, b);
    if (partner < 0) return std::nullopt;
    return BracketPair{at, partner};
}

std::vector<int32_t> functionDefinitions(std::string_view text) {
    const Text t{reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())};
    std::vector<int32_t> out;
    int32_t line = 0;
    while (line < t.n) {
        int32_t i = line;
        while (i < t.n && (t.p[i] == ' ' || t.p[i] == '\t')) ++i;
        if (t.at(i) == '/' && t.at(i + 1) == '*') {
            int32_t e = i + 2;
            while (e < t.n && !(t.p[e] == '*' && t.at(e + 1) == '/')) e += t.step(e);
            if (e >= t.n) break;
            i = e + 2;
            while (i < t.n && (t.p[i] == ' ' || t.p[i] == '\t')) ++i;
        }
        if (!isNameStart(t.at(i))) {
            line = nextLineStart(t, i);
            continue;
        }
        const int32_t name = i;
        while (i < t.n && isNameByte(t.p[i])) ++i;
        if (t.at(i) != '(') {
            line = nextLineStart(t, name);
            continue;
        }
        const int32_t closeParen = scanForward(t, i + 1, '(');
        if (closeParen < 0) break;
        bool blocked = false;
        const int32_t brace = nextBrace(t, closeParen + 1, blocked);
        if (brace < 0) break;
        if (blocked) {
            line = nextLineStart(t, name);
            continue;
        }
        const int32_t closeBrace = scanForward(t, brace + 1, '{');
        if (closeBrace < 0) break;
        out.push_back(name);
        line = nextLineStart(t, closeBrace);
    }
    return out;
}

void appendRowEntry(std::string& out, const TextStore& text, int32_t row, std::string_view path) {
    const Row r = text.row(row);
    const auto* data = text.bytes();
    const int32_t begin = r.offset;
    int32_t end = begin;
    const int32_t size = text.length();
    while (end < size && !isLineEnd(data[end])) ++end;
    size_t shown = size_t(end - begin);
    if (shown > kListTextLimit) shown = sjis::charStartFrom(data + begin, 0, kListTextLimit);
    appendTagLine(out, path, int64_t(r.line) + 1, std::string_view(text.data() + begin, shown));
}

size_t appendFlaggedRows(std::string& out, const TextStore& text, int32_t first, int32_t last, int32_t mask,
                         std::string_view path) {
    size_t n = 0;
    last = std::min(last, text.rowCount() - 1);
    for (int32_t r = std::max(first, 0); r <= last; ++r)
        if (text.rowFlags(r) & mask) {
            appendRowEntry(out, text, r, path);
            ++n;
        }
    return n;
}

}  // namespace orvex::search
