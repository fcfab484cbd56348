#include "text/TypedTextBuilder.h"

#include <algorithm>

#include "display/ColumnWalk.h"
#include "common/codepage/SjisWalk.h"

namespace orvex {

namespace {

bool isAsciiAlnum(uint8_t b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

bool inSet(const CharSet* set, std::string_view ch) {
    return set && !set->empty() && set->contains(reinterpret_cast<const uint8_t*>(ch.data()), int(ch.size()));
}

// Length of the character at p within [p, end).
size_t charLengthIn(const char* p, const char* end) { return size_t(sjis::stepWithin(p, end - p)); }

}  // namespace

TypedTextBuilder::TypedTextBuilder(const TypingRules& rules, std::string prefix, int32_t documentBytes,
                                   bool firstRowOfLine)
    : m_rules(rules), m_out(std::move(prefix)), m_documentBytes(documentBytes) {
    m_documentBytes = std::clamp(m_documentBytes, 0, int32_t(m_out.size()));
    m_firstChanged = size_t(m_documentBytes);
    m_lineStart = 0;
    if (firstRowOfLine) {
        while (m_lineStart < m_out.size() && (m_out[m_lineStart] == ' ' || m_out[m_lineStart] == '\t')) ++m_lineStart;
    }
    m_column = columnAt(m_out.size());
}

int32_t TypedTextBuilder::columnAt(size_t index) const {
    // Columns count from the start of the current row of the output.
    size_t rowStart = 0;
    for (size_t i = 0; i < index; ++i)
        if (m_out[i] == '\n' || m_out[i] == '\f') rowStart = i + 1;
    return displayColumnAt(reinterpret_cast<const uint8_t*>(m_out.data() + rowStart), int32_t(index - rowStart),
                           m_rules.tabWidth);
}

size_t TypedTextBuilder::previousCharStart(size_t at) const {
    // Walk forward from the row's content start: never look at one byte alone.
    size_t i = m_lineStart;
    size_t last = m_lineStart;
    const char* end = m_out.data() + m_out.size();
    while (i < at) {
        last = i;
        i += charLengthIn(m_out.data() + i, end);
    }
    return last;
}

void TypedTextBuilder::takeBack(size_t from) {
    m_out.resize(from);
    m_firstChanged = std::min(m_firstChanged, from);
}

size_t TypedTextBuilder::feed(std::string_view text, size_t i, bool stopAtLineEnd) {
    while (i < text.size()) {
        const uint8_t b = uint8_t(text[i]);
        if (b == sjis::kCr || b == sjis::kFf) {
            if (stopAtLineEnd) return i;
            i = feedLineEnd(text, i);
            continue;
        }
        if (b == sjis::kTab) {
            if (m_rules.autoBreak && m_column >= m_rules.breakColumn && m_out.size() > m_lineStart) autoBreak("\t");
            addTab();
            ++i;
            continue;
        }
        if (b < 0x20 && !m_rules.takeControls) {
            ++i;  // control characters, a lone LF among them, are dropped
            continue;
        }
        const size_t len = charLengthIn(text.data() + i, text.data() + text.size());
        addCharacter(text.substr(i, len));
        i += len;
    }
    return text.size();
}

size_t TypedTextBuilder::feedLineEnd(std::string_view text, size_t i) {
    // LFs after a CR or FF belong to it and are dropped.
    size_t j = i + 1;
    while (j < text.size() && uint8_t(text[j]) == sjis::kLf) ++j;
    if (uint8_t(text[i]) == sjis::kFf) m_out += '\f';
    else m_out += "\r\n";
    m_column = 0;
    lineBreak(j < text.size());
    return j;
}

void TypedTextBuilder::lineBreak(bool moreFollows) {
    // The line end is already in the output; the indentation follows.
    std::string indent = m_rules.autoIndent;
    if (m_pendingIndent && moreFollows) {
        indent = *m_pendingIndent;
        m_pendingIndent.reset();
        m_pendingUsed = true;
    }
    m_out += indent;
    m_lineStart = m_out.size();
    m_column = columnAt(m_out.size());
    m_hung = false;
}

void TypedTextBuilder::addTab() {
    const int32_t stop = sjis::nextTabStop(m_column, m_rules.tabWidth);
    if (m_rules.tabsAsBlanks) m_out.append(size_t(stop - m_column), ' ');
    else m_out += '\t';
    m_column = stop;
}

void TypedTextBuilder::addCharacter(std::string_view ch) {
    const int32_t width = int32_t(ch.size());
    if (m_rules.autoBreak && m_out.size() > m_lineStart) {
        const int32_t limit = width == 2 ? m_rules.breakColumn - 1 : m_rules.breakColumn;
        if (m_column >= limit) {
            // After a break the row is checked again: what was moved down
            // with the break may fill it already.
            if (autoBreak(ch)) return addCharacter(ch);
            m_out += ch;  // hangs beyond the break column
            m_column += width;
            return;
        }
    }
    m_out += ch;
    m_column += width;
}

bool TypedTextBuilder::autoBreak(std::string_view ch) {
    size_t at = m_out.size();  // break point: before ch
    // Word wrap: a letter or digit here moves the break to the start of its
    // run, unless the run fills the whole row.
    if (m_rules.wordWrap && ch.size() == 1 && isAsciiAlnum(uint8_t(ch[0]))) {
        size_t k = at;
        while (k > m_lineStart) {
            const size_t p = previousCharStart(k);
            if (k - p != 1 || !isAsciiAlnum(uint8_t(m_out[p]))) break;
            k = p;
        }
        if (k > m_lineStart) at = k;
    }
    if (m_rules.kinsoku) {
        // A character that may not end a row goes to the next one.
        if (at > m_lineStart) {
            const size_t p = previousCharStart(at);
            if (p > m_lineStart && inSet(m_rules.noLineEnd, std::string_view(m_out).substr(p, at - p))) at = p;
        }
        // A character that may not begin a row hangs on this one (one per row).
        if (!m_hung) {
            if (at == m_out.size()) {
                if (inSet(m_rules.noLineStart, ch)) {
                    m_hung = true;
                    return false;
                }
            } else {
                const size_t len = charLengthIn(m_out.data() + at, m_out.data() + m_out.size());
                if (inSet(m_rules.noLineStart, std::string_view(m_out).substr(at, len))) at += len;
            }
        }
    }
    // What was built beyond the break point is typed again on the new row.
    const std::string tail = m_out.substr(at);
    takeBack(at);
    m_out += "\r\n";
    lineBreak(true);
    for (size_t i = 0; i < tail.size();) {
        if (tail[i] == '\t') {
            addTab();
            ++i;
            continue;
        }
        const size_t len = charLengthIn(tail.data() + i, tail.data() + tail.size());
        addCharacter(std::string_view(tail).substr(i, len));
        i += len;
    }
    return true;
}

}  // namespace orvex
