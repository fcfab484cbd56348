// Compiling a search string into elements (see CompiledPattern.h).
#include <algorithm>

#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "search/CharScan.h"
#include "search/CompiledPattern.h"

namespace orvex::search {

namespace {

enum class AtomKind : uint8_t { Char, LineStart, LineEnd, WordStart, WordEnd, Any, Star, Plus, Class };

// One character or operator of a regular expression, after escapes.
struct Atom {
    AtomKind kind;
    uint16_t code = 0;  // Char: byte, lead << 8 | trail, or kLineEndCode
    int set = -1;       // Class
};

int hexValue(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
    return -1;
}

// Bytes of the character at i of s (1 or 2). The pattern as typed, not
// yet text: the walker's plain rule, so that a trail byte 0x5C never starts
// an escape.
size_t charBytes(std::string_view s, size_t i) {
    return size_t(sjis::plainStepWithin(s.data() + i, ptrdiff_t(s.size() - i)));
}

uint16_t codeOf(std::string_view s, size_t i, size_t len) {
    return len == 2 ? uint16_t(uint8_t(s[i]) << 8 | uint8_t(s[i + 1])) : uint8_t(s[i]);
}

// "\x" with one or two hexadecimal digits after position i (at the "x"):
// the byte and the characters taken, or -1 without a digit.
int hexEscape(std::string_view s, size_t i, size_t& taken) {
    int v = -1;
    taken = 1;
    for (size_t k = i + 1; k < s.size() && k <= i + 2; ++k) {
        const int h = hexValue(uint8_t(s[k]));
        if (h < 0) break;
        v = v < 0 ? h : v * 16 + h;
        ++taken;
    }
    return v;
}

// A character's code for a class or a repetition: single-byte letters are
// lower-cased when case is ignored, double-byte characters stay exact.
uint16_t classCode(uint16_t code, bool matchCase) {
    return !matchCase && code < 256 ? asciiLower(uint8_t(code)) : code;
}

// Appends the character with code to a literal (folded when case is
// ignored: ASCII and full-width Latin letters).
void appendLiteral(Element& e, uint16_t code, bool matchCase, int32_t& lineEnds) {
    if (code == kLineEndCode) {
        e.bytes += "\r\n";
        e.hasLineEnd = true;
        ++lineEnds;
        return;
    }
    if (code == kFf) ++lineEnds;
    if (code >= 256) {
        const uint16_t c = matchCase ? code : foldWide(code);
        e.bytes += char(c >> 8);
        e.bytes += char(c & 0xFF);
    } else {
        e.bytes += char(matchCase ? uint8_t(code) : asciiLower(uint8_t(code)));
    }
}

}  // namespace

void CharSet::add(uint16_t lo, uint16_t hi) {
    if (lo > hi) return;
    for (uint32_t c = lo; c <= hi && c < 256; ++c) singles[c >> 6] |= uint64_t(1) << (c & 63);
    if (hi >= 256) ranges.emplace_back(lo < 256 ? uint16_t(256) : lo, hi);
}

void CompiledPattern::clear() {
    m_valid = false;
    m_elements.clear();
    m_sets.clear();
    m_lineEnds = 0;
    m_needle = Needle{};
    m_pieces.clear();
}

CompiledPattern::Status CompiledPattern::compile(std::string_view source, const PatternOptions& options) {
    clear();
    m_options = options;
    if (source.empty()) return Status::Empty;
    if (options.regex) {
        if (!compileRegex(source)) {
            clear();
            return Status::Invalid;
        }
    } else {
        compileLiteral(source);
    }
    finish();
    m_valid = true;
    return Status::Ok;
}

bool CompiledPattern::compileOrReport(std::string_view source, const PatternOptions& options,
                                      MessageBoxes* messages) {
    const Status s = compile(source, options);
    if (s == Status::Invalid && messages) messages->showId(strings::kBadRegex, MsgIcon::Error);
    return s == Status::Ok;
}

void CompiledPattern::compileLiteral(std::string_view s) {
    // Line ends become CR LF whatever was typed (CR, LF or CR LF), so that
    // a pasted multi-line string finds the same lines in any file.
    Element e;
    e.kind = ElementKind::Literal;
    for (size_t i = 0; i < s.size();) {
        const uint8_t b = uint8_t(s[i]);
        if (b == kCr || b == kLf) {
            appendLiteral(e, kLineEndCode, m_options.matchCase, m_lineEnds);
            i += (b == kCr && i + 1 < s.size() && uint8_t(s[i + 1]) == kLf) ? 2 : 1;
            continue;
        }
        const size_t len = charBytes(s, i);
        appendLiteral(e, codeOf(s, i, len), m_options.matchCase, m_lineEnds);
        i += len;
    }
    m_elements.push_back(std::move(e));
}

bool CompiledPattern::compileRegex(std::string_view s) {
    const bool matchCase = m_options.matchCase;
    std::vector<Atom> atoms;
    const size_t n = s.size();
    size_t i = 0;
    auto ch = [&](uint16_t code) { atoms.push_back({AtomKind::Char, code, -1}); };
    while (i < n) {
        const size_t len = charBytes(s, i);
        if (len == 2) {
            ch(codeOf(s, i, 2));
            i += 2;
            continue;
        }
        const uint8_t b = uint8_t(s[i]);
        switch (b) {
            case '\\': {
                if (i + 1 >= n) {  // a backslash at the very end stands for itself
                    ch('\\');
                    ++i;
                    break;
                }
                const size_t clen = charBytes(s, i + 1);
                if (clen == 2) {
                    ch(codeOf(s, i + 1, 2));
                    i += 3;
                    break;
                }
                const uint8_t c = uint8_t(s[i + 1]);
                i += 2;
                switch (c) {
                    case 't': ch(0x09); break;
                    case 'f': ch(kFf); break;
                    case 'n':
                    case 'r': ch(kLineEndCode); break;
                    case '<': atoms.push_back({AtomKind::WordStart}); break;
                    case '>': atoms.push_back({AtomKind::WordEnd}); break;
                    case 'x':
                    case 'X': {
                        size_t taken = 0;
                        const int v = hexEscape(s, i - 1, taken);
                        if (v < 0) {
                            ch(c);
                        } else {
                            i += taken - 1;
                            ch(v == kLf || v == kCr ? kLineEndCode : uint16_t(v));
                        }
                        break;
                    }
                    // An escaped CR or LF is still a line end.
                    default: ch(c == kCr || c == kLf ? kLineEndCode : c); break;
                }
                break;
            }
            case '^':
                atoms.push_back({i == 0 ? AtomKind::LineStart : AtomKind::Char, b});
                ++i;
                break;
            case '$':
                atoms.push_back({i + 1 == n ? AtomKind::LineEnd : AtomKind::Char, b});
                ++i;
                break;
            case '.': atoms.push_back({AtomKind::Any}); ++i; break;
            case '*': atoms.push_back({AtomKind::Star, b}); ++i; break;
            case '+': atoms.push_back({AtomKind::Plus, b}); ++i; break;
            case kCr:
            case kLf:
                // A typed CR LF pair is one line end.
                ch(kLineEndCode);
                i += (b == kCr && i + 1 < n && uint8_t(s[i + 1]) == kLf) ? 2 : 1;
                break;
            case '[': {
                // Members up to the first "]" not written "\]".
                ++i;
                CharSet set;
                if (i < n && s[i] == '^') {
                    set.negated = true;
                    ++i;
                }
                struct Item {
                    uint16_t code;
                    bool hyphen;  // an unescaped "-"
                };
                std::vector<Item> items;
                bool closed = false;
                while (i < n) {
                    const size_t l = charBytes(s, i);
                    if (l == 2) {
                        items.push_back({codeOf(s, i, 2), false});
                        i += 2;
                        continue;
                    }
                    const uint8_t c = uint8_t(s[i]);
                    if (c == ']') {
                        closed = true;
                        ++i;
                        break;
                    }
                    if (c == '\\') {
                        if (i + 1 >= n) break;  // "[a\" never closes
                        const size_t el = charBytes(s, i + 1);
                        if (el == 2) {
                            items.push_back({codeOf(s, i + 1, 2), false});
                            i += 3;
                            continue;
                        }
                        const uint8_t e = uint8_t(s[i + 1]);
                        i += 2;
                        uint16_t code = e;
                        if (e == 't') code = 0x09;
                        else if (e == 'f') code = kFf;
                        else if (e == 'n' || e == 'r' || e == kCr || e == kLf) code = kLineEndCode;
                        else if (e == 'x' || e == 'X') {
                            size_t taken = 0;
                            const int v = hexEscape(s, i - 1, taken);
                            if (v >= 0) {
                                i += taken - 1;
                                code = (v == kLf || v == kCr) ? kLineEndCode : uint16_t(v);
                            }
                        }
                        items.push_back({code, false});
                        continue;
                    }
                    if (c == kCr || c == kLf) {
                        items.push_back({kLineEndCode, false});
                        i += (c == kCr && i + 1 < n && uint8_t(s[i + 1]) == kLf) ? 2 : 1;
                        continue;
                    }
                    items.push_back({c, c == '-'});
                    ++i;
                }
                if (!closed) return false;
                for (size_t k = 0; k < items.size(); ++k) {
                    const Item& it = items[k];
                    if (it.code == kLineEndCode || it.code == kFf) ++m_lineEnds;
                    if (!it.hyphen && k + 2 < items.size() && items[k + 1].hyphen && !items[k + 2].hyphen) {
                        set.add(classCode(it.code, matchCase), classCode(items[k + 2].code, matchCase));
                        if (items[k + 2].code == kLineEndCode || items[k + 2].code == kFf) ++m_lineEnds;
                        k += 2;
                        continue;
                    }
                    const uint16_t c = classCode(it.code, matchCase);
                    set.add(c, c);
                }
                m_sets.push_back(std::move(set));
                atoms.push_back({AtomKind::Class, 0, int(m_sets.size() - 1)});
                break;
            }
            default: ch(b); ++i; break;
        }
    }

    // Atoms to elements.
    bool literalOpen = false;  // the last element is a literal that may grow
    uint16_t lastChar = 0;     // the character last appended to it, as written
    auto newElement = [&](ElementKind k) -> Element& {
        literalOpen = false;
        m_elements.push_back(Element{});
        m_elements.back().kind = k;
        return m_elements.back();
    };
    auto appendChar = [&](uint16_t code) {
        if (!literalOpen) {
            newElement(ElementKind::Literal);
            literalOpen = true;
        }
        appendLiteral(m_elements.back(), code, matchCase, m_lineEnds);
        lastChar = code;
    };
    for (size_t a = 0; a < atoms.size(); ++a) {
        const Atom& at = atoms[a];
        const bool starNext = a + 1 < atoms.size() && atoms[a + 1].kind == AtomKind::Star;
        switch (at.kind) {
            case AtomKind::Char:
                if (starNext) {
                    Element& e = newElement(ElementKind::OptionalChar);
                    e.code = classCode(at.code, matchCase);
                    if (at.code == kLineEndCode || at.code == kFf) ++m_lineEnds;
                } else {
                    appendChar(at.code);
                }
                break;
            case AtomKind::Star:
            case AtomKind::Plus: {
                const bool plus = at.kind == AtomKind::Plus;
                Element* prev = m_elements.empty() ? nullptr : &m_elements.back();
                // Nothing to repeat (start of the pattern, after an anchor or
                // another repetition): the operator is an ordinary character.
                bool repeatable = false;
                Element rep;
                rep.kind = ElementKind::Repeat;
                rep.plus = plus;
                if (prev) {
                    if (!plus && prev->kind == ElementKind::OptionalChar) {
                        rep.repeatOf = RepeatOf::Char;
                        rep.code = prev->code;
                        repeatable = true;
                    } else if (plus && prev->kind == ElementKind::Literal && literalOpen) {
                        rep.repeatOf = RepeatOf::Char;
                        rep.code = classCode(lastChar, matchCase);
                        repeatable = true;
                    } else if (prev->kind == ElementKind::Class || prev->kind == ElementKind::Any) {
                        if (!plus) prev->optional = true;
                        rep.repeatOf = prev->kind == ElementKind::Class ? RepeatOf::Class : RepeatOf::Any;
                        rep.set = prev->set;
                        repeatable = true;
                    }
                }
                if (repeatable) {
                    literalOpen = false;
                    m_elements.push_back(std::move(rep));
                } else {
                    appendChar(at.code);
                }
                break;
            }
            case AtomKind::Class: newElement(ElementKind::Class).set = at.set; break;
            case AtomKind::Any: newElement(ElementKind::Any); break;
            case AtomKind::LineStart: newElement(ElementKind::LineStart); break;
            case AtomKind::LineEnd: newElement(ElementKind::LineEnd); break;
            case AtomKind::WordStart: newElement(ElementKind::WordStart); break;
            case AtomKind::WordEnd: newElement(ElementKind::WordEnd); break;
        }
        if (m_elements.size() > size_t(kMaxElements)) return false;
    }
    return true;
}

void CompiledPattern::finish() {
    for (Element& e : m_elements) {
        if (e.kind != ElementKind::Literal) continue;
        // Walk the literal as the text would be walked: a lead byte at its
        // very end stands alone, and a match must not end inside the
        // character it starts in the text.
        const std::string& b = e.bytes;
        e.endsWithLoneLead = sjis::endsInLoneLead(b.data(), ptrdiff_t(b.size()));
    }
    // The pieces: the stretches a literal compares byte for byte, between
    // the line ends it holds (each CR LF of a literal takes a whole stored
    // line end, so only the stretches between them are fixed bytes).
    for (const Element& e : m_elements) {
        if (e.kind != ElementKind::Literal) continue;
        const std::string& b = e.bytes;
        std::string best;
        if (!e.hasLineEnd) {
            best = b;
        } else {
            for (size_t i = 0; i < b.size();) {
                if (b[i] == '\r') {
                    i += 2;
                    continue;
                }
                size_t j = b.find('\r', i);
                if (j == std::string::npos) j = b.size();
                if (j - i > best.size()) best = b.substr(i, j - i);
                i = j;
            }
        }
        if (!best.empty()) m_pieces.push_back(makeNeedle(std::move(best)));
    }
    std::stable_sort(m_pieces.begin(), m_pieces.end(),
                     [](const Needle& a, const Needle& b) { return a.bytes.size() > b.bytes.size(); });

    if (m_elements.empty() || m_elements.front().kind != ElementKind::Literal) return;
    const std::string& lit = m_elements.front().bytes;
    m_needle = makeNeedle(lit.substr(0, lit.find('\r')));
    // One literal whose first stretch is its longest: the needle's own
    // filter finds every candidate, the pieces would add nothing.
    if (m_elements.size() == 1 && m_pieces.size() == 1 && m_pieces.front().bytes == m_needle.bytes) m_pieces.clear();
}

CompiledPattern::Needle CompiledPattern::makeNeedle(std::string bytes) const {
    Needle nd;
    nd.bytes = std::move(bytes);
    if (nd.bytes.empty()) return nd;
    // Which bytes every occurrence shows exactly (or up to ASCII case).
    const bool fold = !m_options.matchCase;
    std::vector<uint8_t> mask(nd.bytes.size(), 0);
    std::vector<bool> stable(nd.bytes.size(), true);
    for (size_t i = 0; i < nd.bytes.size();) {
        const uint8_t c = uint8_t(nd.bytes[i]);
        if (sjis::stepWithin(nd.bytes.data() + i, ptrdiff_t(nd.bytes.size() - i)) == 2) {
            const uint16_t code = uint16_t(c << 8 | uint8_t(nd.bytes[i + 1]));
            // The trail of a full-width letter differs between its two cases.
            if (fold && code >= 0x8281 && code <= 0x829A) stable[i + 1] = false;
            i += 2;
        } else {
            if (fold && isAsciiLetter(c)) mask[i] = 0x20;
            ++i;
        }
    }
    nd.firstByte = uint8_t(nd.bytes[0]);
    nd.firstMask = mask[0];
    nd.second = 0;
    for (size_t j = nd.bytes.size() - 1; j >= 1; --j) {
        if (stable[j]) {
            nd.second = int32_t(j);
            break;
        }
    }
    nd.secondByte = uint8_t(nd.bytes[size_t(nd.second)]);
    nd.secondMask = mask[size_t(nd.second)];
    return nd;
}

}  // namespace orvex::search
