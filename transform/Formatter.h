#pragma once
// Formatting: reflows plain text to a fixed width by one preset.
//
// Pass 1 joins the lines of each paragraph (when the preset asks for it and
// no rule keeps the line end) and tidies blanks; pass 2 breaks the joined
// lines again at the width, with the line prefix (comment string, quote
// marks, hanging indentation) on every output line, kinsoku and word wrap.
// Breaking uses the layout's line-breaking function (display/LineBreaker.h)
// with the formatting's character sets, so kinsoku has one implementation.
//
// Kept line ends are written as CR LF (a form feed stays a form feed).
// Without joining, a text whose lines all fit the width comes back
// unchanged, and formatting a formatted text again changes nothing (unless
// the preset adds a comment prefix, which each run adds again).
#include <string>
#include <string_view>
#include <vector>

#include "display/CharSet.h"
#include "settings/FormatPreset.h"

namespace orvex::transform {

class Formatter {
public:
    // kinsokuStr1/kinsokuStr2: the line-breaking sets (KinsokuStr1,
    // KinsokuStr2). Of the no-line-start set formatting uses the
    // single-byte characters and the double-byte ones with first byte 0x81;
    // of the no-line-end set the double-byte ones. Preset values out of
    // range are clamped (width 1-250, hanging limit 0-20, tab width 1-16).
    Formatter(const settings::FormatPreset& preset, int tabWidth, std::string_view kinsokuStr1,
              std::string_view kinsokuStr2);

    std::string format(std::string_view text) const;

    int width() const { return m_width; }

private:
    struct Paragraph;  // a line of pass 1's output
    struct Scratch;
    void tidyBlanks(std::string_view line, std::string& out) const;
    void breakParagraph(const Paragraph& p, std::string& out, Scratch& scratch) const;
    void emitRow(std::string& out, std::string_view prefix, std::string_view text) const;

    settings::FormatPreset m_p;
    int m_width;
    int m_tab;
    int m_hang;
    CharSet m_noLineStart;
    CharSet m_noLineEnd;
    CharSet m_noJoinStart;  // ProhibitCnctChr
    CharSet m_noJoinEnd;    // ProhibitCnctChrL
};

// Quote marks at the very start of a line (">", "|", "＞", "〉", "》",
// "≫", "｜", "∥") with the blanks after them; empty when there are none.
std::string_view quotePrefix(std::string_view line);
// Hanging indentation of an itemised line (one starting, after its
// indentation, with "・", a number ending in "." or "．", or a bracketed
// number): its indentation and a blank for each single-byte and a
// full-width blank for each double-byte character of the marker. For a
// line that is no item, isItem is false and the result its indentation.
std::string itemIndent(std::string_view line, int tabWidth, bool& isItem);
// Leading indentation of a line as blanks (TABs expanded, full-width
// blanks kept).
std::string leadingIndent(std::string_view line, int tabWidth);

}  // namespace orvex::transform
