#include "transform/TextEdits.h"

#include "files/ByteScan.h"

#include <algorithm>
#include <cstring>

#include "common/codepage/Cp932Mapping.h"
#include "common/codepage/SjisWalk.h"

namespace orvex::transform {

namespace {

using sjis::kCr;
using sjis::kLf;

const uint8_t* bytesOf(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Bytes of the character at i of s.
int charAt(std::string_view s, size_t i) { return sjis::stepWithin(bytesOf(s) + i, ptrdiff_t(s.size() - i)); }

uint16_t codeAt(std::string_view s, size_t i, int len) {
    const uint8_t* p = bytesOf(s) + i;
    return len == 2 ? uint16_t(p[0] << 8 | p[1]) : p[0];
}

void putCode(std::string& out, uint16_t code) {
    if (code > 0xFF) out += char(code >> 8);
    out += char(code & 0xFF);
}

bool isBlank(uint16_t code) { return code == ' ' || code == '\t' || code == 0x8140; }
bool isFullStop(uint16_t code) { return code == '.' || code == 0x8142 || code == 0x8144; }
bool isWordChar(uint16_t code) {
    if (code < 0x80) return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    return (code >= 0x824F && code <= 0x8258) || cp932::isUpperLetter(code) || cp932::isLowerLetter(code);
}

// Bytes of the line end at i (CR and its LFs, a run of LFs, or FF); 0 when
// none starts there.
size_t lineEndAt(std::string_view s, size_t i) {
    const uint8_t b = uint8_t(s[i]);
    if (b == sjis::kFf) return 1;
    if (b != kCr && b != kLf) return 0;
    size_t j = i + 1;
    while (j < s.size() && s[j] == char(kLf)) ++j;
    return j - i;
}

bool equalsNoCase(std::string_view s, size_t at, std::string_view word) {
    if (s.size() - at < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k) {
        char c = s[at + k];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != word[k]) return false;
    }
    return true;
}

}  // namespace

// ---- Capitalisation

std::string capitaliseWords(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inWord = false;
    for (size_t i = 0; i < text.size();) {
        const int len = charAt(text, i);
        const uint16_t code = codeAt(text, i, len);
        const bool word = isWordChar(code);
        putCode(out, word && !inWord ? cp932::toUpper(code) : code);
        inWord = word;
        i += size_t(len);
    }
    return out;
}

std::string capitaliseSentences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool start = true;
    for (size_t i = 0; i < text.size();) {
        const int len = charAt(text, i);
        const uint16_t code = codeAt(text, i, len);
        if (len == 1 && sjis::isLineEndByte(uint8_t(code))) {
            start = true;
        } else if (isFullStop(code)) {
            start = true;
        } else if (!isBlank(code)) {
            if (start) {
                putCode(out, cp932::toUpper(code));
                start = false;
                i += size_t(len);
                continue;
            }
        }
        out.append(text.substr(i, size_t(len)));
        i += size_t(len);
    }
    return out;
}

size_t sentenceStartBefore(std::string_view line, size_t caret) {
    size_t start = 0;
    for (size_t i = 0; i < line.size() && i < caret;) {
        const int len = charAt(line, i);
        i += size_t(len);
        if (isFullStop(codeAt(line, i - size_t(len), len))) start = i;
    }
    while (start < line.size()) {
        const int len = charAt(line, start);
        if (!isBlank(codeAt(line, start, len))) break;
        start += size_t(len);
    }
    return start;
}

// ---- Line ends

std::string removeLineEnds(std::string_view text, int keep) {
    std::string out;
    out.reserve(text.size());
    bool atStart = true;
    for (size_t i = 0; i < text.size();) {
        if (lineEndAt(text, i) == 0) {
            const int len = charAt(text, i);
            out.append(text.substr(i, size_t(len)));
            i += size_t(len);
            atStart = false;
            continue;
        }
        // A run of line ends: the first `allowed` of them stay.
        const int allowed = atStart ? std::max(0, keep - 1) : keep;
        int count = 0;
        while (i < text.size()) {
            const size_t n = lineEndAt(text, i);
            if (n == 0) break;
            if (count < allowed) out.append(text.substr(i, n));
            ++count;
            i += n;
        }
    }
    return out;
}

// ---- HTML

std::string htmlToText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '<') {
            const int len = charAt(text, i);
            out.append(text.substr(i, size_t(len)));
            i += size_t(len);
            continue;
        }
        size_t close = i + 1;
        while (close < text.size() && text[close] != '>') close += size_t(charAt(text, close));
        if (close >= text.size()) {
            // Unterminated: nothing after it is lost.
            out.append(text.substr(i));
            break;
        }
        if (equalsNoCase(text, i, "<p>") || equalsNoCase(text, i, "<p ")) out += "\r\n\r\n";
        else if (equalsNoCase(text, i, "<br>") || equalsNoCase(text, i, "<br ") || equalsNoCase(text, i, "<br/"))
            out += "\r\n";
        i = close + 1;
        while (i < text.size() && (text[i] == char(kCr) || text[i] == char(kLf))) ++i;
    }
    return out;
}

std::vector<LinePiece> splitLines(std::string_view text) {
    std::vector<LinePiece> lines;
    lines.reserve(text.size() / 48 + 1);
    // A lead byte never takes a line-end byte as its trail, so every CR, LF
    // and FF byte ends a line: a plain byte search finds them.
    const auto* p = reinterpret_cast<const uint8_t*>(text.data());
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        i = files::scan::findLineEnd(p, i, text.size());
        if (i >= text.size()) break;
        const size_t n = lineEndAt(text, i);
        lines.push_back({text.substr(start, i - start), text.substr(i, n)});
        i += n;
        start = i;
    }
    if (start < text.size() || lines.empty()) lines.push_back({text.substr(start), {}});
    return lines;
}

namespace {

bool endsWithTagClose(std::string_view content) { return !content.empty() && content.back() == '>'; }

bool blankLine(std::string_view content) {
    for (size_t i = 0; i < content.size();) {
        const int len = charAt(content, i);
        if (!isBlank(codeAt(content, i, len))) return false;
        i += size_t(len);
    }
    return true;
}

}  // namespace

std::string insertHtmlBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 8);
    for (const LinePiece& l : splitLines(text)) {
        out.append(l.content);
        if (!endsWithTagClose(l.content)) out += "<BR>";
        out.append(l.lineEnd);
    }
    return out;
}

std::string insertHtmlParagraphs(std::string_view text) {
    const std::vector<LinePiece> lines = splitLines(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 16);
    for (size_t k = 0; k < lines.size();) {
        if (blankLine(lines[k].content)) {
            out.append(lines[k].content);
            out.append(lines[k].lineEnd);
            ++k;
            continue;
        }
        size_t last = k;
        while (last + 1 < lines.size() && !blankLine(lines[last + 1].content)) ++last;
        out += "<P>\r\n";
        for (size_t j = k; j < last; ++j) {
            out.append(lines[j].content);
            if (!endsWithTagClose(lines[j].content)) out += "<BR>";
            out.append(lines[j].lineEnd);
        }
        out.append(lines[last].content);
        out += "\r\n</P>";
        out.append(lines[last].lineEnd);
        k = last + 1;
    }
    return out;
}

// ---- Tabs and blanks

int32_t columnsOf(std::string_view text, int tabWidth) {
    int32_t col = 0;
    for (size_t i = 0; i < text.size();) {
        const int len = charAt(text, i);
        col = text[i] == '\t' ? sjis::nextTabStop(col, tabWidth) : col + len;
        i += size_t(len);
    }
    return col;
}

std::string tabsToBlanks(std::string_view text, size_t from, int tabWidth) {
    std::string out;
    int32_t col = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t le = lineEndAt(text, i);
        if (le) {
            if (i >= from) out.append(text.substr(i, le));
            col = 0;
            i += le;
            continue;
        }
        const int len = charAt(text, i);
        if (text[i] == '\t') {
            const int32_t next = sjis::nextTabStop(col, tabWidth);
            if (i >= from) out.append(size_t(next - col), ' ');
            col = next;
        } else {
            if (i >= from) out.append(text.substr(i, size_t(len)));
            col += len;
        }
        i += size_t(len);
    }
    return out;
}

std::string blanksToTabs(std::string_view text, size_t from, int tabWidth) {
    std::string out;
    int32_t col = 0;
    int32_t pending = 0;  // blanks seen since the last stop or other character
    auto flush = [&] {
        out.append(size_t(pending), ' ');
        pending = 0;
    };
    for (size_t i = 0; i < text.size();) {
        const size_t le = lineEndAt(text, i);
        if (le) {
            if (i >= from) {
                flush();
                out.append(text.substr(i, le));
            }
            col = 0;
            pending = 0;
            i += le;
            continue;
        }
        const int len = charAt(text, i);
        if (i < from) {
            col = text[i] == '\t' ? sjis::nextTabStop(col, tabWidth) : col + len;
            i += size_t(len);
            continue;
        }
        if (text[i] == ' ') {
            ++pending;
            ++col;
            if (col % tabWidth == 0) {
                if (pending >= 2) {
                    out += '\t';
                    pending = 0;
                } else {
                    flush();
                }
            }
        } else {
            flush();
            out.append(text.substr(i, size_t(len)));
            col = text[i] == '\t' ? sjis::nextTabStop(col, tabWidth) : col + len;
        }
        i += size_t(len);
    }
    flush();
    return out;
}

// ---- Whole lines

std::string indentLines(std::string_view text, int tabWidth, bool useTab) {
    const std::string indent = useTab ? std::string("\t") : std::string(size_t(tabWidth), ' ');
    std::string out;
    out.reserve(text.size() + 64);
    for (const LinePiece& l : splitLines(text)) {
        out += indent;
        out.append(l.content);
        out.append(l.lineEnd);
    }
    return out;
}

std::string unindentLines(std::string_view text, int tabWidth) {
    std::string out;
    out.reserve(text.size());
    for (const LinePiece& l : splitLines(text)) {
        std::string_view c = l.content;
        if (!c.empty() && c[0] == '\t') {
            c.remove_prefix(1);
        } else {
            size_t n = 0;
            while (n < c.size() && n < size_t(tabWidth) && c[n] == ' ') ++n;
            // Fewer blanks than a level: they go, and a TAB after them too.
            if (n < size_t(tabWidth) && n < c.size() && c[n] == '\t') ++n;
            c.remove_prefix(n);
        }
        out.append(c);
        out.append(l.lineEnd);
    }
    return out;
}

std::string alignLines(std::string_view text, int width, int tabWidth, Align how) {
    std::string out;
    out.reserve(text.size() + 64);
    for (const LinePiece& l : splitLines(text)) {
        std::string_view c = l.content;
        // Leading blanks.
        size_t b = 0;
        while (b < c.size()) {
            const int len = charAt(c, b);
            if (!isBlank(codeAt(c, b, len))) break;
            b += size_t(len);
        }
        // Trailing blanks: the end after the last character that is not one.
        size_t e = b;
        for (size_t i = b; i < c.size();) {
            const int len = charAt(c, i);
            i += size_t(len);
            if (!isBlank(codeAt(c, i - size_t(len), len))) e = i;
        }
        const std::string_view content = c.substr(b, e - b);
        if (!content.empty()) {
            const int32_t room = width - columnsOf(content, tabWidth);
            int32_t pad = 0;
            if (room > 0) pad = how == Align::Right ? room : how == Align::Centre ? room / 2 : 0;
            out.append(size_t(pad), ' ');
            out.append(content);
        }
        out.append(l.lineEnd);
    }
    return out;
}

}  // namespace orvex::transform
