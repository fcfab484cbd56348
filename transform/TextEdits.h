#pragma once
// The rewriting conversions that work on whole stretches of text rather
// than character by character: capitalisation, line-end and blank-line
// removal, HTML to text and the HTML line tags, tabs and blanks,
// indentation and alignment. Each takes Shift JIS bytes and returns the
// new bytes; none splits a double-byte character.
//
// A line end is CR, LF or FF; a CR with the LFs right after it, or a run
// of LFs, counts as one line end.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::transform {

// ---- Capitalisation
// The first letter of every word (a run of letters and digits, single-byte
// or full-width) in upper case.
std::string capitaliseWords(std::string_view text);
// Sentence starts in upper case: the first letter at the start, and after
// a line end, ".", "。" or "．" with only blanks between.
std::string capitaliseSentences(std::string_view text);
// Offset in `line` (a logical line, without its line end) of the first
// character of the sentence that holds `caret`: after the nearest full
// stop before the caret, blanks skipped; `line.size()` when none follows.
size_t sentenceStartBefore(std::string_view line, size_t caret);

// ---- Line ends
// Keeps at most `keep` line ends after each run of text and keep - 1 at
// the very start (0: lines joined; 1: blank lines removed; 2: runs of
// blank lines squeezed to one).
std::string removeLineEnds(std::string_view text, int keep);

// ---- HTML
// Text outside tags is copied; "<p>" / "<p ...>" become two CR LF pairs,
// "<br>" one; other tags vanish; CR and LF right after a tag are dropped.
// An unterminated tag at the end is kept as text.
std::string htmlToText(std::string_view text);

// A logical line split into its content and its line-end bytes (empty for
// the last line of a stretch that does not end in a line end).
struct LinePiece {
    std::string_view content;
    std::string_view lineEnd;
};
std::vector<LinePiece> splitLines(std::string_view text);

// "<BR>" before every line end (and at the end) except after a line whose
// last character is ">".
std::string insertHtmlBreaks(std::string_view text);
// Paragraphs (runs of non-blank lines) wrapped in "<P>" and "</P>" lines,
// with "<BR>" at the ends of their lines but the last.
std::string insertHtmlParagraphs(std::string_view text);

// ---- Tabs and blanks
// `text` starts at a line start; only the part from `from` on is changed
// (the part before it still counts for the columns). Returns the new text
// of [from, end).
std::string tabsToBlanks(std::string_view text, size_t from, int tabWidth);
std::string blanksToTabs(std::string_view text, size_t from, int tabWidth);

// ---- Whole lines (text from a line start, usually whole lines)
// One TAB (useTab) or tabWidth blanks at the start of every line.
std::string indentLines(std::string_view text, int tabWidth, bool useTab);
// Removes one level of indentation from every line.
std::string unindentLines(std::string_view text, int tabWidth);
enum class Align { Left, Centre, Right };
// Each line's content without its leading and trailing blanks, preceded by
// the blanks that align it within `width` columns. Empty lines stay empty.
std::string alignLines(std::string_view text, int width, int tabWidth, Align how);

// Columns of a stretch of text without line ends (double-byte characters
// 2, TABs to the next stop from column 0).
int32_t columnsOf(std::string_view text, int tabWidth);

}  // namespace orvex::transform
