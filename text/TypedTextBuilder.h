#pragma once
// Builds the bytes that typed text turns into: TABs expanded or kept, line
// ends written as CR LF with the indentation behind them, control
// characters dropped, and the automatic line break at the wrap column with
// its word-wrap and kinsoku adjustments.
//
// The builder starts from the bytes of the cursor's row up to the cursor
// (the prefix), so that an automatic break may move back before the first
// typed character: a word or a character that may not end a row then goes
// to the next row together with what is typed. output() holds prefix and
// new bytes; firstChanged() is the first byte that differs from the
// document, so the caller replaces from there.
//
// Invariants: every break leaves at least one character on the row it
// ends (no endless breaking when the indentation is as wide as the wrap
// column); a break point never lies inside a double-byte character or
// before the row's indentation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/CharSet.h"

namespace orvex {

struct TypingRules {
    int32_t tabWidth = 4;
    bool tabsAsBlanks = false;   // TabCode != 0
    bool autoBreak = false;      // WrapCr
    int32_t breakColumn = 70;    // WrapNum
    bool wordWrap = false;       // WordWrap: keep runs of letters and digits whole
    bool kinsoku = false;        // Kinsoku
    const CharSet* noLineStart = nullptr;  // may not begin a row (they hang)
    const CharSet* noLineEnd = nullptr;    // may not end a row
    bool takeControls = false;   // control characters are inserted instead of dropped
    std::string autoIndent;      // what every line break adds (AutoIndent), may be empty
};

class TypedTextBuilder {
public:
    // prefix: the row's bytes up to the cursor; the first documentBytes of
    // them are in the document (the rest is a free-cursor fill).
    // firstRowOfLine: the row begins a logical line, so its leading blanks
    // are indentation that a break never moves before.
    TypedTextBuilder(const TypingRules& rules, std::string prefix, int32_t documentBytes, bool firstRowOfLine);

    // The indentation the next line break adds instead of the automatic
    // one, when more text follows it; consumed by that break.
    void setPendingIndent(std::optional<std::string> indent) { m_pendingIndent = std::move(indent); }
    bool pendingIndentUsed() const { return m_pendingUsed; }

    // Processes text from index from on. With stopAtLineEnd, stops before
    // the first CR or FF and returns its index; otherwise returns the size.
    size_t feed(std::string_view text, size_t from, bool stopAtLineEnd);
    // Processes the CR or FF at index at (with the LFs after it) and
    // returns the index after it.
    size_t feedLineEnd(std::string_view text, size_t at);

    const std::string& output() const { return m_out; }
    int32_t firstChanged() const { return int32_t(m_firstChanged); }
    int32_t documentBytes() const { return m_documentBytes; }
    int32_t column() const { return m_column; }

private:
    void lineBreak(bool moreFollows);
    void addCharacter(std::string_view ch);
    void addTab();
    // Breaks before the character ch that is about to be added; false when
    // ch hangs on the current row instead.
    bool autoBreak(std::string_view ch);
    size_t previousCharStart(size_t at) const;
    int32_t columnAt(size_t index) const;
    void takeBack(size_t from);

    const TypingRules& m_rules;
    std::string m_out;
    int32_t m_documentBytes;
    size_t m_firstChanged;
    size_t m_lineStart;  // first byte of the current row after its indentation
    int32_t m_column;
    bool m_hung = false;  // a character hangs beyond the break column on this row
    std::optional<std::string> m_pendingIndent;
    bool m_pendingUsed = false;
};

}  // namespace orvex
