#include "search/TagLine.h"

#include <charconv>

#include "common/codepage/Cp932.h"
#include "files/FileInfo.h"
#include "common/codepage/SjisWalk.h"

namespace orvex::search {

namespace {

constexpr bool isControl(uint8_t b) { return b < 0x20 || b == 0x7F; }
constexpr bool isDigit(uint8_t b) { return b >= '0' && b <= '9'; }
constexpr bool isBlank(uint8_t b) { return b == ' ' || b == '\t'; }

// Characters that never stand in a name (besides control characters).
constexpr bool isNameStop(uint8_t b) {
    return b == ':' || b == '*' || b == '?' || b == '<' || b == '>' || b == '|';
}

// Blank, tab, line end or form feed: what may stand before and after a
// bare line number.
constexpr bool isSpacing(uint8_t b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == '\f'; }

// One character of a name: a lead byte never takes a control character
// (a tab, an escape) as its trail byte.
size_t nameStep(const uint8_t* p, size_t remaining) {
    const int n = sjis::stepWithin(p, ptrdiff_t(remaining));
    return n == 2 && isControl(p[1]) ? 1 : size_t(n);
}

struct Cursor {
    const uint8_t* p;
    size_t n;
    uint8_t at(size_t i) const { return i < n ? p[i] : 0; }
};

// "(" digits ")" or "(" digits "," at i.
bool parenthesisedNumberAt(const Cursor& c, size_t i) {
    if (c.at(i) != '(' || !isDigit(c.at(i + 1))) return false;
    size_t k = i + 1;
    while (isDigit(c.at(k))) ++k;
    return c.at(k) == ')' || c.at(k) == ',';
}

// A blank followed by digits that end at a stop character, spacing or the
// end of the line.
bool spacedNumberAt(const Cursor& c, size_t i) {
    if (!isSpacing(c.at(i)) || !isDigit(c.at(i + 1))) return false;
    size_t k = i + 1;
    while (isDigit(c.at(k))) ++k;
    return k >= c.n || isNameStop(c.at(k)) || isSpacing(c.at(k));
}

}  // namespace

std::optional<TagLocation> parseTagLine(std::string_view line) {
    // The line ends at its first line end.
    if (const size_t e = line.find_first_of("\r\n"); e != std::string_view::npos) line = line.substr(0, e);
    const Cursor c{reinterpret_cast<const uint8_t*>(line.data()), line.size()};
    size_t i = 0;
    while (i < c.n && isBlank(c.p[i])) ++i;

    size_t nameBegin = i, nameEnd = i, after = i;
    if (c.at(i) == '"') {
        nameBegin = ++i;
        while (i < c.n && c.p[i] != '"' && !isControl(c.p[i])) i += nameStep(c.p + i, c.n - i);
        nameEnd = i;
        after = i < c.n && c.p[i] == '"' ? i + 1 : i;
    } else {
        while (i < c.n) {
            const uint8_t b = c.p[i];
            if (isControl(b)) break;
            if (isNameStop(b)) break;
            if (parenthesisedNumberAt(c, i) || spacedNumberAt(c, i)) break;
            i += nameStep(c.p + i, c.n - i);
        }
        nameEnd = after = i;
    }
    while (nameEnd > nameBegin && isBlank(c.p[nameEnd - 1])) --nameEnd;
    if (nameEnd == nameBegin) return std::nullopt;

    TagLocation loc;
    loc.file.assign(line.substr(nameBegin, nameEnd - nameBegin));
    size_t k = after;
    while (k < c.n && !isDigit(c.p[k]) && (!isControl(c.p[k]) || c.p[k] == '\t')) ++k;
    if (k < c.n && isDigit(c.p[k])) {
        int64_t v = 0;
        while (k < c.n && isDigit(c.p[k])) {
            v = v * 10 + (c.p[k] - '0');
            if (v > INT32_MAX) v = INT32_MAX;  // an absurd number goes to the last line
            ++k;
        }
        loc.line = int32_t(v);
    }
    return loc;
}

std::string resolveTagPath(std::string_view name, std::string_view baseFolder) {
    if (name.empty() || name.front() == '/' || baseFolder.empty()) return std::string(name);
    std::string out(baseFolder);
    if (out.back() != '/') out += '/';
    // "./a.c" names the same file as "a.c".
    while (name.size() > 2 && name.substr(0, 2) == "./") name.remove_prefix(2);
    out.append(name);
    return out;
}

namespace {

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::string pathAsText(std::string_view fileSystemName) {
    if (isAscii(fileSystemName)) return std::string(fileSystemName);
    std::string text = cp932::fromUtf8(fileSystemName);
    if (cp932::toUtf8(text) != fileSystemName) return std::string(fileSystemName);
    return text;
}

std::string existingTagPath(std::string_view name, std::string_view baseFolder) {
    std::string path = resolveTagPath(name, baseFolder);
    if (isAscii(name) || files::fileExists(path)) return path;
    std::string converted = resolveTagPath(cp932::toUtf8(name), baseFolder);
    return files::fileExists(converted) ? converted : path;
}

void appendTagLine(std::string& out, std::string_view path, int64_t line, std::string_view text) {
    char number[24];
    const auto r = std::to_chars(number, number + sizeof number, line);
    out.append(path);
    out += '(';
    out.append(number, r.ptr);
    out.append("): ");
    out.append(text);
    out.append("\r\n");
}

}  // namespace orvex::search
