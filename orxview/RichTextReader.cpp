#include "orxview/RichTextReader.h"

#include <algorithm>

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"

namespace orvex::viewer {

namespace {

bool isLetter(uint8_t b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }
bool isDigit(uint8_t b) { return b >= '0' && b <= '9'; }
int hexValue(uint8_t b) {
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    return -1;
}

// Destinations whose contents are not shown.
bool isHiddenDestination(std::string_view w) {
    static constexpr std::string_view kHidden[] = {
        "fonttbl",  "stylesheet", "info",      "pict",     "object",       "header",      "headerl",
        "headerr",  "headerf",    "footer",    "footerl",  "footerr",      "footerf",     "footnote",
        "fldinst",  "listtable",  "listoverridetable", "rsidtbl", "generator", "themedata", "colorschememapping",
        "datastore", "latentstyles", "xmlnstbl", "filetbl", "revtbl", "shppict", "nonshppict", "bkmkstart",
        "bkmkend", "pntext", "pntxta", "pntxtb", "template", "userprops", "docvar", "mmathPr"};
    return std::find(std::begin(kHidden), std::end(kHidden), w) != std::end(kHidden);
}

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | cp >> 6));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | cp >> 12));
        out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | cp >> 18));
        out.push_back(char(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string RichDocument::plainText() const {
    std::string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out.push_back('\n');
        for (const RichRun& r : paragraphs[i].runs) out += r.text;
    }
    return out;
}

RichTextReader::RichTextReader() {
    m_stack.emplace_back();
    m_doc.paragraphs.emplace_back();
}

RichDocument RichTextReader::read(std::string_view bytes) {
    RichTextReader r;
    r.feed(bytes);
    return r.finish();
}

void RichTextReader::feed(std::string_view bytes) {
    for (const char c : bytes) byte(static_cast<uint8_t>(c));
}

RichDocument RichTextReader::finish() {
    if (m_state == State::Word || m_state == State::Number) endWord();
    m_state = State::Text;
    flushBytes();
    // A last paragraph left empty by a final \par is no paragraph.
    if (m_doc.paragraphs.size() > 1 && m_doc.paragraphs.back().runs.empty()) m_doc.paragraphs.pop_back();
    RichDocument out = std::move(m_doc);
    m_doc = RichDocument{};
    m_doc.paragraphs.emplace_back();
    return out;
}

void RichTextReader::byte(uint8_t b) {
    switch (m_state) {
        case State::Text:
            if (b == '\\') {
                m_state = State::Escape;
            } else if (b == '{') {
                openGroup();
            } else if (b == '}') {
                closeGroup();
            } else if (b != '\r' && b != '\n' && b != 0) {
                textByte(b);
            }
            return;
        case State::Escape:
            if (isLetter(b)) {
                m_word.assign(1, char(b));
                m_negative = false;
                m_number = 0;
                m_digits = 0;
                m_state = State::Word;
            } else if (b == '\'') {
                m_state = State::Hex1;
            } else {
                m_state = State::Text;
                controlSymbol(b);
            }
            return;
        case State::Word:
            if (isLetter(b)) {
                if (m_word.size() < 32) m_word.push_back(char(b));  // longer names match nothing
                return;
            }
            if (isDigit(b) || b == '-') {
                m_negative = b == '-';
                m_number = m_negative ? 0 : b - '0';
                m_digits = m_negative ? 0 : 1;
                m_state = State::Number;
                return;
            }
            endWord();
            if (b != ' ') byte(b);  // the delimiter belongs to what follows
            return;
        case State::Number:
            if (isDigit(b)) {
                // Huge numbers stop growing: ten digits are kept at most.
                if (m_digits < 10) m_number = m_number * 10 + (b - '0');
                ++m_digits;
                return;
            }
            endWord();
            if (b != ' ') byte(b);
            return;
        case State::Hex1:
            if (hexValue(b) < 0) {
                m_state = State::Text;
                byte(b);
                return;
            }
            m_hex = hexValue(b);
            m_state = State::Hex2;
            return;
        case State::Hex2: {
            m_state = State::Text;
            if (hexValue(b) < 0) {
                byte(b);
                return;
            }
            const uint8_t value = uint8_t(m_hex << 4 | hexValue(b));
            if (fmt().skip || fmt().colourTable) return;
            if (m_pendingSkip > 0) {
                --m_pendingSkip;
                return;
            }
            m_bytes.push_back(char(value));
            if (m_bytes.size() >= 4096) flushBytes(true);
            return;
        }
    }
}

void RichTextReader::endWord() {
    m_state = State::Text;
    const int64_t limited = std::min<int64_t>(m_number, INT32_MAX);
    const int32_t n = int32_t(m_negative ? -limited : limited);
    const bool hasNumber = m_negative || m_digits > 0;
    controlWord(m_word, hasNumber, n);
}

void RichTextReader::openGroup() {
    flushBytes();
    m_pendingSkip = 0;
    if (m_depth < kMaxDepth) m_stack.push_back(m_stack.back());
    ++m_depth;
    m_groupStart = true;
    m_sawDestinationStar = false;
}

void RichTextReader::closeGroup() {
    if (m_depth == 0) return;  // a stray "}" closes nothing
    flushBytes();
    m_pendingSkip = 0;
    if (m_depth <= kMaxDepth) m_stack.pop_back();
    --m_depth;
    m_groupStart = false;
}

void RichTextReader::controlSymbol(uint8_t c) {
    const bool atStart = m_groupStart;
    m_groupStart = false;
    switch (c) {
        case '*':
            // "{\*\word ...}": a destination to skip unless it is known.
            if (atStart) {
                m_sawDestinationStar = true;
                m_groupStart = true;  // the destination's word follows
            }
            return;
        case '\\':
        case '{':
        case '}':
            textByte(c);
            return;
        case '~':
            if (!fmt().skip && !fmt().colourTable) appendUnicode(0x00A0);
            return;
        case '_':
            if (!fmt().skip && !fmt().colourTable) appendUnicode(0x2011);
            return;
        case '\r':
        case '\n':
            if (!fmt().skip && !fmt().colourTable) newParagraph();
            return;
        case '\t':
            textByte('\t');
            return;
        default:
            return;  // "\-" (optional hyphen), "\:" and others show nothing
    }
}

void RichTextReader::controlWord(std::string_view w, bool hasNumber, int32_t n) {
    const bool atStart = m_groupStart;
    const bool starred = m_sawDestinationStar;
    m_groupStart = false;
    m_sawDestinationStar = false;
    if (fmt().skip) return;
    if (atStart && (starred || isHiddenDestination(w))) {
        flushBytes();
        fmt().skip = true;
        return;
    }
    if (w == "colortbl") {
        flushBytes();
        fmt().colourTable = true;
        m_red = m_green = m_blue = 0;
        return;
    }
    if (fmt().colourTable) {
        const uint32_t v = uint32_t(std::clamp(n, 0, 255));
        if (w == "red") m_red = v;
        else if (w == "green") m_green = v;
        else if (w == "blue") m_blue = v;
        return;
    }
    Format& f = fmt();
    const bool on = !hasNumber || n != 0;
    if (w == "par" || w == "line" || w == "sect" || w == "page") {
        newParagraph();
    } else if (w == "tab") {
        textByte('\t');
    } else if (w == "u") {
        flushBytes();
        uint32_t cp = uint32_t(n < 0 ? n + 65536 : n);
        if (n < -32768 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        appendUnicode(cp);
        m_pendingSkip = f.unicodeSkip;
        return;  // the fallback count starts now
    } else if (w == "uc") {
        f.unicodeSkip = std::clamp(n, 0, 10);
    } else if (w == "b") {
        flushBytes();
        f.bold = on;
    } else if (w == "i") {
        flushBytes();
        f.italic = on;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash") {
        flushBytes();
        f.underline = on;
    } else if (w == "ulnone") {
        flushBytes();
        f.underline = false;
    } else if (w == "fs") {
        flushBytes();
        if (hasNumber) f.halfPoints = std::clamp(n, 2, 3276);
    } else if (w == "cf") {
        flushBytes();
        f.colourIndex = std::max(0, n);
    } else if (w == "plain") {
        flushBytes();
        f.bold = f.italic = f.underline = false;
        f.halfPoints = 24;
        f.colourIndex = 0;
    } else if (w == "emdash") {
        appendUnicode(0x2014);
    } else if (w == "endash") {
        appendUnicode(0x2013);
    } else if (w == "bullet") {
        appendUnicode(0x2022);
    } else if (w == "lquote") {
        appendUnicode(0x2018);
    } else if (w == "rquote") {
        appendUnicode(0x2019);
    } else if (w == "ldblquote") {
        appendUnicode(0x201C);
    } else if (w == "rdblquote") {
        appendUnicode(0x201D);
    } else if (w == "emspace") {
        appendUnicode(0x2003);
    } else if (w == "enspace") {
        appendUnicode(0x2002);
    }
    m_pendingSkip = 0;
}

void RichTextReader::textByte(uint8_t b) {
    m_groupStart = false;
    Format& f = fmt();
    if (f.skip) return;
    if (f.colourTable) {
        if (b == ';') {
            if (m_colours.size() < kMaxColours) m_colours.push_back(m_red << 16 | m_green << 8 | m_blue);
            m_red = m_green = m_blue = 0;
        }
        return;
    }
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    m_bytes.push_back(char(b));
    if (m_bytes.size() >= 4096) flushBytes(true);
}

void RichTextReader::appendUnicode(uint32_t cp) {
    flushBytes();
    if (m_textBytes >= kMaxTextBytes) {
        m_doc.truncated = true;
        return;
    }
    std::string& t = currentRun().text;
    const size_t before = t.size();
    appendUtf8(t, cp);
    m_textBytes += t.size() - before;
}

void RichTextReader::flushBytes(bool keepLead) {
    if (m_bytes.empty()) return;
    size_t whole = m_bytes.size();
    if (keepLead) {
        // A lead byte at the end waits for its trail byte.
        const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.data());
        size_t i = 0;
        while (i < m_bytes.size()) {
            const size_t len = size_t(sjis::plainStepWithin(p + i, ptrdiff_t(m_bytes.size() - i)));
            if (len == 1 && sjis::awaitsTrail(p[i])) {
                whole = i;  // only at the very end can a lead byte stand alone
                break;
            }
            i += len;
        }
    }
    const std::string utf8 = cp932::toUtf8(std::string_view(m_bytes).substr(0, whole));
    m_bytes.erase(0, whole);
    if (utf8.empty()) return;
    if (m_textBytes + utf8.size() > kMaxTextBytes) {
        m_doc.truncated = true;
        return;
    }
    currentRun().text += utf8;
    m_textBytes += utf8.size();
}

void RichTextReader::newParagraph() {
    flushBytes();
    if (m_doc.paragraphs.size() * 16 > kMaxTextBytes) {
        m_doc.truncated = true;
        return;
    }
    m_doc.paragraphs.emplace_back();
}

RichRun& RichTextReader::currentRun() {
    const Format& f = fmt();
    RichRun want;
    want.bold = f.bold;
    want.italic = f.italic;
    want.underline = f.underline;
    want.halfPoints = f.halfPoints;
    if (f.colourIndex > 0 && size_t(f.colourIndex) < m_colours.size()) {
        want.hasColour = true;
        want.colour = m_colours[size_t(f.colourIndex)];
    }
    std::vector<RichRun>& runs = m_doc.paragraphs.back().runs;
    if (!runs.empty()) {
        RichRun& last = runs.back();
        if (last.bold == want.bold && last.italic == want.italic && last.underline == want.underline &&
            last.halfPoints == want.halfPoints && last.hasColour == want.hasColour && last.colour == want.colour)
            return last;
    }
    runs.push_back(std::move(want));
    return runs.back();
}

}  // namespace orvex::viewer
