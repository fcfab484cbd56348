#pragma once
// A search string compiled for the pattern engine.
//
// With the regular-expression option off the whole string is one literal
// element (its line ends normalised to CR LF). With it on the string becomes
// at most kMaxElements elements, matched one after the other:
//
//   literal        ordinary and escaped characters in a row
//   optional char  a character written before "*": matches empty, the
//                  repeat after it does the repeating
//   line start     "^" first in the pattern
//   line end       "$" last in the pattern
//   word start     "\<"        word end  "\>"
//   any            "."; with "*" after it, it matches empty itself
//   class          "[...]", "[^...]"; likewise optional before "*"
//   repeat         "*" or "+": greedy over a character or a class, lazy
//                  over "any"
//
// A line end in a literal is kept as CR LF and matches any stored line end
// (CR with its LFs, or a lone LF), so that searches work the same in files
// with CR LF, CR or LF line ends.
//
// Text is Shift JIS; a double-byte character is one character everywhere.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex {
class MessageBoxes;
}

namespace orvex::search {

struct PatternOptions {
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
};

enum class ElementKind : uint8_t { Literal, OptionalChar, LineStart, LineEnd, WordStart, WordEnd, Any, Class, Repeat };
enum class RepeatOf : uint8_t { Char, Class, Any };

// The characters of a class: single-byte codes as a bitmap, double-byte
// codes and ranges as pairs (inclusive).
struct CharSet {
    std::array<uint64_t, 4> singles{};
    std::vector<std::pair<uint16_t, uint16_t>> ranges;
    bool negated = false;

    void add(uint16_t lo, uint16_t hi);
    bool listed(uint16_t code) const {
        if (code < 256) return (singles[code >> 6] >> (code & 63)) & 1;
        for (const auto& r : ranges)
            if (code >= r.first && code <= r.second) return true;
        return false;
    }
};

struct Element {
    ElementKind kind = ElementKind::Literal;
    // Any or Class followed by "*": matches empty, the repeat does the work.
    bool optional = false;
    // Literal: its bytes (line ends as CR LF), folded when case is ignored.
    std::string bytes;
    bool hasLineEnd = false;     // bytes hold CR LF
    bool endsWithLoneLead = false;  // last byte is a lead byte standing alone
    // OptionalChar and Repeat of Char: the character (kLineEndCode for a
    // line end), ASCII-folded when case is ignored.
    uint16_t code = 0;
    RepeatOf repeatOf = RepeatOf::Char;
    bool plus = false;           // Repeat written "+"
    int set = -1;                // Class and Repeat of Class: index into sets
};

class CompiledPattern {
public:
    static constexpr int kMaxElements = 10;
    enum class Status { Ok, Empty, Invalid };

    // Compiles source; on Invalid or Empty the previous pattern is gone.
    Status compile(std::string_view source, const PatternOptions& options);
    // The same, showing message 30021 (error icon) when the pattern is
    // invalid. False unless the pattern is usable.
    bool compileOrReport(std::string_view source, const PatternOptions& options, MessageBoxes* messages);

    bool valid() const { return m_valid; }
    const PatternOptions& options() const { return m_options; }
    const std::vector<Element>& elements() const { return m_elements; }
    const std::vector<CharSet>& sets() const { return m_sets; }
    // Line ends the pattern holds: a match may span that many further lines.
    int32_t lineEnds() const { return m_lineEnds; }
    // A regular expression that ends with "$" (the replace loop then steps
    // on by one character after each replacement).
    bool endsWithLineEnd() const { return !m_elements.empty() && m_elements.back().kind == ElementKind::LineEnd; }

    // Candidate filter for the first element when it is a literal: the
    // bytes before its first line end, and two positions in them whose
    // bytes every match must show (after OR-ing the mask, which folds
    // ASCII letters when case is ignored).
    struct Needle {
        std::string bytes;
        int32_t second = 0;
        uint8_t firstByte = 0, firstMask = 0, secondByte = 0, secondMask = 0;
    };
    const Needle& needle() const { return m_needle; }
    // Pieces of bytes every match holds, each inside the match: of every
    // literal element its longest stretch without a line end, compared as
    // the literal compares it (longest piece first). Empty when the pattern
    // is one literal whose needle already says everything.
    const std::vector<Needle>& pieces() const { return m_pieces; }

private:
    void clear();
    bool compileRegex(std::string_view source);
    void compileLiteral(std::string_view source);
    void finish();
    Needle makeNeedle(std::string bytes) const;

    bool m_valid = false;
    PatternOptions m_options;
    std::vector<Element> m_elements;
    std::vector<CharSet> m_sets;
    int32_t m_lineEnds = 0;
    Needle m_needle;
    std::vector<Needle> m_pieces;
};

}  // namespace orvex::search
