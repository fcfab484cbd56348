#include "transform/Formatter.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "display/LineBreaker.h"
#include "transform/TextEdits.h"

namespace orvex::transform {

namespace {

const uint8_t* bytesOf(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }
int charAt(std::string_view s, size_t i) { return sjis::stepWithin(bytesOf(s) + i, ptrdiff_t(s.size() - i)); }
uint16_t codeAt(std::string_view s, size_t i, int len) {
    const uint8_t* p = bytesOf(s) + i;
    return len == 2 ? uint16_t(p[0] << 8 | p[1]) : p[0];
}
uint16_t firstCode(std::string_view s) { return s.empty() ? 0 : codeAt(s, 0, charAt(s, 0)); }
uint16_t lastCode(std::string_view s) {
    if (s.empty()) return 0;
    const size_t at = size_t(sjis::previousCharStart(bytesOf(s), 0, ptrdiff_t(s.size())));
    return codeAt(s, at, int(s.size() - at));
}

bool isBlank(uint16_t c) { return c == ' ' || c == '\t' || c == 0x8140; }
bool isAsciiLetter(uint16_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(uint16_t c) { return c >= '0' && c <= '9'; }
bool isAsciiAlnum(uint16_t c) { return isAsciiLetter(c) || isAsciiDigit(c); }
bool isFullDigit(uint16_t c) { return c >= 0x824F && c <= 0x8258; }
bool isFullAlnum(uint16_t c) { return c >= 0x824F && c <= 0x829A; }
bool isAlnum(uint16_t c) { return isAsciiAlnum(c) || isFullAlnum(c); }
bool isKanaOrKanji(uint16_t c) { return (c >= 0x829F && c <= 0x8396) || c >= 0x8800; }
bool isFullStop(uint16_t c) { return c == '.' || c == 0x8142 || c == 0x8144; }
bool isPunctuationBeforeBlank(uint16_t c) {
    return c == '.' || c == ',' || c == 0x8142 || c == 0x8144 || c == 0x8141 || c == 0x8143;
}

bool blankOnly(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const int len = charAt(s, i);
        if (!isBlank(codeAt(s, i, len))) return false;
        i += size_t(len);
    }
    return true;
}

bool contains(const CharSet& set, uint16_t code) {
    if (code == 0) return false;
    const uint8_t b[2] = {uint8_t(code >> 8), uint8_t(code & 0xFF)};
    return code > 0xFF ? set.contains(b, 2) : set.contains(b + 1, 1);
}

// The characters of a settings string that pass `keep`, as a set.
template <class Keep>
CharSet filteredSet(std::string_view s, Keep keep) {
    std::string kept;
    for (size_t i = 0; i < s.size();) {
        const int len = sjis::pairStepWithin(s.data() + i, ptrdiff_t(s.size() - i));
        if (keep(len == 2 ? uint16_t(uint8_t(s[i]) << 8 | uint8_t(s[i + 1])) : uint8_t(s[i]), len))
            kept.append(s.substr(i, size_t(len)));
        i += size_t(len);
    }
    return CharSet(kept);
}

int32_t columnsFrom(std::string_view s, int32_t col, int tab) {
    for (size_t i = 0; i < s.size();) {
        const int len = charAt(s, i);
        col = s[i] == '\t' ? sjis::nextTabStop(col, tab) : col + len;
        i += size_t(len);
    }
    return col;
}

const std::string& quoteMarks() {
    static const std::string marks = cp932::fromUtf8(">|＞〉》≫｜∥");
    return marks;
}

bool isQuoteMark(std::string_view s, size_t i, int len) {
    const std::string& m = quoteMarks();
    for (size_t k = 0; k < m.size();) {
        const int l = sjis::pairStepWithin(m.data() + k, ptrdiff_t(m.size() - k));
        if (l == len && m.compare(k, size_t(l), s.substr(i, size_t(len))) == 0) return true;
        k += size_t(l);
    }
    return false;
}

// The marks alone, without the blanks after them.
std::string_view quoteMarksOf(std::string_view line) {
    size_t i = 0;
    while (i < line.size()) {
        const int len = charAt(line, i);
        if (!isQuoteMark(line, i, len)) break;
        i += size_t(len);
    }
    return line.substr(0, i);
}

}  // namespace

std::string_view quotePrefix(std::string_view line) {
    size_t i = quoteMarksOf(line).size();
    if (i == 0) return {};
    while (i < line.size() && line[i] == ' ') ++i;
    return line.substr(0, i);
}

std::string leadingIndent(std::string_view line, int tabWidth) {
    std::string out;
    int32_t col = 0;
    for (size_t i = 0; i < line.size();) {
        const int len = charAt(line, i);
        const uint16_t c = codeAt(line, i, len);
        if (c == '\t') {
            const int32_t next = sjis::nextTabStop(col, tabWidth);
            out.append(size_t(next - col), ' ');
            col = next;
        } else if (c == ' ' || c == 0x8140) {
            out.append(line.substr(i, size_t(len)));
            col += len;
        } else {
            break;
        }
        i += size_t(len);
    }
    return out;
}

std::string itemIndent(std::string_view line, int tabWidth, bool& isItem) {
    isItem = false;
    std::string indent = leadingIndent(line, tabWidth);
    // Skip the indentation in the source (its bytes, not its expansion).
    size_t i = 0;
    while (i < line.size()) {
        const int len = charAt(line, i);
        if (!isBlank(codeAt(line, i, len))) break;
        i += size_t(len);
    }
    const size_t markerStart = i;
    auto code = [&](size_t at) -> std::pair<uint16_t, int> {
        if (at >= line.size()) return {0, 0};
        const int len = charAt(line, at);
        return {codeAt(line, at, len), len};
    };
    auto digit = [](uint16_t c) { return isAsciiDigit(c) || isFullDigit(c); };
    auto [c, len] = code(i);
    size_t markerEnd = 0;
    if (c == 0x8145) {  // ・
        markerEnd = i + size_t(len);
    } else if ((c >= '1' && c <= '9') || (c >= 0x8250 && c <= 0x8258)) {
        size_t j = i + size_t(len);
        for (auto [d, l] = code(j); l && digit(d); std::tie(d, l) = code(j)) j += size_t(l);
        auto [e, l] = code(j);
        if (e == '.' || e == 0x8144) markerEnd = j + size_t(l);
    } else if (c == '(' || c == 0x8169 || c == '[' || c == 0x816D || c == 0x816B || c == 0x8179) {
        size_t j = i + size_t(len);
        size_t digits = 0;
        for (auto [d, l] = code(j); l && digit(d); std::tie(d, l) = code(j)) {
            j += size_t(l);
            ++digits;
        }
        auto [e, l] = code(j);
        if (digits > 0 && (e == ')' || e == 0x816A || e == ']' || e == 0x816E || e == 0x816C || e == 0x817A))
            markerEnd = j + size_t(l);
    }
    if (markerEnd == 0) return indent;
    isItem = true;
    for (size_t k = markerStart; k < markerEnd;) {
        const int l = charAt(line, k);
        if (l == 2) indent += cp932::fromUtf8("　");
        else indent += ' ';
        k += size_t(l);
    }
    return indent;
}

struct Formatter::Paragraph {
    std::string_view text;   // joined content (quote marks taken off with bit 3)
    std::string_view quote;  // its quote prefix (bit 3)
    std::string_view contIndent;  // prefix part of its continuation lines
    std::string_view lineEnd;     // "\r\n", "\f" or "" at the end of the text
};

// Scratch buffers of one run, reused from paragraph to paragraph so that a
// text of many short lines costs no allocation per line.
struct Formatter::Scratch {
    std::string joined, tidied, hanging, first, cont, expanded;
};

Formatter::Formatter(const settings::FormatPreset& preset, int tabWidth, std::string_view kinsokuStr1,
                     std::string_view kinsokuStr2)
    : m_p(preset),
      m_width(std::clamp(preset.seikei, 1, 250)),
      m_tab(std::clamp(tabWidth, 1, 16)),
      m_hang(std::max(1, std::clamp(preset.seikeiKinsokuWrap, 0, 20))),
      m_noLineStart(filteredSet(kinsokuStr1, [](uint16_t c, int len) { return len == 1 || (c >> 8) == 0x81; })),
      m_noLineEnd(filteredSet(kinsokuStr2, [](uint16_t, int len) { return len == 2; })),
      m_noJoinStart(filteredSet(preset.prohibitCnctChr, [](uint16_t, int) { return true; })),
      m_noJoinEnd(filteredSet(preset.prohibitCnctChrL, [](uint16_t, int) { return true; })) {}

std::string Formatter::format(std::string_view text) const {
    std::string out;
    if (text.empty()) return out;
    out.reserve(text.size() + text.size() / 16 + 16);
    const std::vector<LinePiece> lines = splitLines(text);
    const int cr = m_p.seikeiCR;
    const bool quotes = cr & 8;
    const bool items = (m_p.danraku & 3) == 3;
    const std::string captured = (m_p.danraku & 1) ? leadingIndent(lines.front().content, m_tab) : std::string();
    auto body = [&](std::string_view content) { return quotes ? content.substr(quotePrefix(content).size()) : content; };
    // Pass 1: whether the line end after line i stays.
    auto keepLineEnd = [&](size_t i) {
        if (!(cr & 1)) return true;
        const std::string_view cur = body(lines[i].content), next = body(lines[i + 1].content);
        if ((cr & 4) && isBlank(firstCode(lines[i + 1].content))) return true;
        if ((cr & 2) && (blankOnly(cur) || blankOnly(next))) return true;
        if ((cr & 64) && contains(m_noJoinStart, firstCode(next))) return true;
        if ((cr & 16) && contains(m_noJoinEnd, lastCode(cur))) return true;
        bool item = false;
        if (items) itemIndent(lines[i + 1].content, m_tab, item);
        if (item) return true;
        if (quotes && quoteMarksOf(lines[i].content) != quoteMarksOf(lines[i + 1].content)) return true;
        return false;
    };
    const bool tidy = (m_p.seikeiDelSpc & 1) || m_p.seikeiSpc;
    Scratch scratch;
    for (size_t i = 0; i < lines.size();) {
        // The lines of one paragraph: i .. last.
        size_t last = i;
        while (!lines[last].lineEnd.empty() && lines[last].lineEnd[0] != '\f' && last + 1 < lines.size() &&
               !keepLineEnd(last))
            ++last;
        Paragraph p;
        const std::string_view content = lines[i].content;
        if (quotes) p.quote = quotePrefix(content);
        p.text = body(content);
        if (last > i) {
            std::string& j = scratch.joined;
            j.assign(p.text);
            for (size_t k = i + 1; k <= last; ++k) {
                const std::string_view b = body(lines[k].content);
                if ((cr & 128) && (isAsciiAlnum(lastCode(j)) || isAsciiAlnum(firstCode(b)))) j += ' ';
                j.append(b);
            }
            p.text = j;
        }
        bool item = false;
        if (items) scratch.hanging = itemIndent(p.text, m_tab, item);
        p.contIndent = item ? std::string_view(scratch.hanging) : std::string_view(captured);
        const std::string_view le = lines[last].lineEnd;
        p.lineEnd = le.empty() ? "" : le[0] == '\f' ? "\f" : "\r\n";
        if (tidy) {
            tidyBlanks(p.text, scratch.tidied);
            p.text = scratch.tidied;
        }
        breakParagraph(p, out, scratch);
        i = last + 1;
    }
    return out;
}

void Formatter::tidyBlanks(std::string_view line, std::string& out) const {
    const int del = m_p.seikeiDelSpc;
    out.clear();
    uint16_t last = 0;  // last character written, 0 at the start
    bool leading = true;
    for (size_t i = 0; i < line.size();) {
        const int len = charAt(line, i);
        const uint16_t c = codeAt(line, i, len);
        if (isBlank(c) && (del & 1)) {
            bool keep = false;
            if (leading && (del & 2)) {
                keep = true;
            } else if ((del & 4) && isPunctuationBeforeBlank(last)) {
                keep = true;
            } else if (isAlnum(last)) {
                size_t j = i + size_t(len);
                while (j < line.size() && isBlank(codeAt(line, j, charAt(line, j)))) j += size_t(charAt(line, j));
                keep = j < line.size() && isAlnum(codeAt(line, j, charAt(line, j)));
            }
            if (keep) {
                out.append(line.substr(i, size_t(len)));
                last = c;
            }
            i += size_t(len);
            continue;
        }
        if (!isBlank(c)) leading = false;
        if (m_p.seikeiSpc && ((isAsciiAlnum(last) && isKanaOrKanji(c)) || (isKanaOrKanji(last) && isAsciiAlnum(c))))
            out += ' ';
        out.append(line.substr(i, size_t(len)));
        last = c;
        i += size_t(len);
    }
}

void Formatter::emitRow(std::string& out, std::string_view prefix, std::string_view text) const {
    out.append(prefix);
    if (!m_p.seikeiTab || text.find('\t') == std::string_view::npos) {
        out.append(text);
        return;
    }
    int32_t col = columnsFrom(prefix, 0, m_tab);
    for (size_t i = 0; i < text.size();) {
        const int len = charAt(text, i);
        if (text[i] == '\t') {
            const int32_t next = sjis::nextTabStop(col, m_tab);
            out.append(size_t(next - col), ' ');
            col = next;
        } else {
            out.append(text.substr(i, size_t(len)));
            col += len;
        }
        i += size_t(len);
    }
}

namespace {

// Whether s fits from column col within width; stops measuring as soon as
// it does not, so that a long paragraph is not measured again for every row.
bool fitsWithin(std::string_view s, int32_t col, int32_t width, int tab, bool mayHoldTab) {
    if (!mayHoldTab) {
        if (col + int32_t(s.size()) <= width) return true;
        // Bytes are columns; a lone lead byte is one column as well.
        return false;
    }
    for (size_t i = 0; i < s.size();) {
        const int len = charAt(s, i);
        col = s[i] == '\t' ? sjis::nextTabStop(col, tab) : col + len;
        if (col > width) return false;
        i += size_t(len);
    }
    return true;
}

}  // namespace

void Formatter::breakParagraph(const Paragraph& p, std::string& out, Scratch& scratch) const {
    // Line prefixes: the comment string and the quote marks on every line,
    // the continuation indentation after them on continuation lines.
    std::string_view first = p.quote, cont;
    if (m_p.commentIns) {
        scratch.first.assign(m_p.commentStr).append(p.quote);
        first = scratch.first;
    }
    if (p.contIndent.empty()) {
        cont = first;
    } else {
        scratch.cont.assign(first).append(p.contIndent);
        cont = scratch.cont;
    }
    const int32_t firstCols = columnsFrom(first, 0, m_tab);
    // An indentation that leaves less than one double-byte character of
    // room is not used: its lines would overflow.
    if (columnsFrom(cont, 0, m_tab) + 2 > m_width) cont = first;
    const int32_t contCols = columnsFrom(cont, 0, m_tab);

    LineBreakRules rules;
    rules.tabWidth = m_tab;
    rules.hangColumns = m_hang;
    rules.kinsoku = m_p.seikeiKinsoku != 0;
    rules.wordWrap = m_p.seikeiWordWrap != 0;
    rules.noLineStart = &m_noLineStart;
    rules.noLineEnd = &m_noLineEnd;

    bool firstRow = true;
    auto breakSegment = [&](std::string_view rest) {
        bool tab = rest.find('\t') != std::string_view::npos;
        if (m_p.seikeiTab && tab) {
            // TABs become blanks before breaking, so that no expanded TAB
            // passes the width.
            const std::string_view prefix = firstRow ? first : cont;
            scratch.expanded.clear();
            emitRow(scratch.expanded, prefix, rest);
            scratch.expanded.erase(0, prefix.size());
            rest = scratch.expanded;
            tab = false;
        }
        for (;;) {
            const std::string_view prefix = firstRow ? first : cont;
            const int32_t startCol = firstRow ? firstCols : contCols;
            firstRow = false;
            if (!m_p.seikeiCH || fitsWithin(rest, startCol, m_width, m_tab, tab)) {
                emitRow(out, prefix, rest);
                return;
            }
            const uint8_t* t = bytesOf(rest);
            const int32_t n = int32_t(rest.size());
            LineBreak br = findLineBreak(t, 0, n, m_width, startCol, tab, rules);
            // A word that fills the row runs on past the width to its end.
            if (rules.wordWrap && !br.lineEndTaken && br.offset > 0 && br.offset < n &&
                sjis::previousCharStart(t, 0, br.offset) == br.offset - 1) {
                const uint8_t a = t[br.offset - 1], b = t[br.offset];
                const bool letters = isAsciiLetter(a) && isAsciiLetter(b), digits = isAsciiDigit(a) && isAsciiDigit(b);
                if (letters || digits) {
                    int32_t j = br.offset;
                    while (j < n && (letters ? isAsciiLetter(t[j]) : isAsciiDigit(t[j]))) ++j;
                    br.offset = j;
                    if (j >= n) br.lineEndTaken = true;
                }
            }
            if (br.lineEndTaken || br.offset >= n) {
                emitRow(out, prefix, rest);
                return;
            }
            emitRow(out, prefix, rest.substr(0, size_t(br.offset)));
            out += "\r\n";
            rest.remove_prefix(size_t(br.offset));
        }
    };

    // With bit 5 each full stop ends a line (a run of full stops stays
    // together).
    const std::string_view text = p.text;
    if (m_p.seikeiCR & 32) {
        size_t start = 0;
        for (size_t i = 0; i < text.size();) {
            const int len = charAt(text, i);
            const bool stop = isFullStop(codeAt(text, i, len));
            i += size_t(len);
            if (stop && i < text.size() && !isFullStop(codeAt(text, i, charAt(text, i)))) {
                breakSegment(text.substr(start, i - start));
                out += "\r\n";
                start = i;
            }
        }
        breakSegment(text.substr(start));
    } else {
        breakSegment(text);
    }
    out += p.lineEnd;
}

}  // namespace orvex::transform
