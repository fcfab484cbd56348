#pragma once
// A reader of the common rich-text control words, for showing rich-text
// files as formatted text: paragraphs and line breaks, tabs, bold, italic,
// underline, font size, the colour table and text colours, Unicode
// characters (\u with its fallback count \uc) and \'xx bytes in code page
// 932, the usual named punctuation; destinations it does not show (font
// table, style sheet, document information, pictures, headers, "\*"
// groups) are skipped. Bytes arrive in pieces of any size (feed), so that
// a stream can be shown while it is still being read.
//
// Hostile input is bounded: nesting beyond kMaxDepth groups is counted but
// keeps the formatting of the deepest group kept, numbers are clamped,
// the colour table holds at most kMaxColours entries, and text beyond
// kMaxTextBytes is dropped (the document says so).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::viewer {

struct RichRun {
    std::string text;  // UTF-8
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;      // font size in half points
    uint32_t colour = 0;      // 0xRRGGBB
    bool hasColour = false;   // false: the default text colour
    friend bool operator==(const RichRun&, const RichRun&) = default;
};

struct RichParagraph {
    std::vector<RichRun> runs;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;
    bool truncated = false;  // text beyond the limit was dropped
    // The whole text, paragraphs joined by "\n" (for tests and copying).
    std::string plainText() const;
};

class RichTextReader {
public:
    static constexpr size_t kMaxDepth = 1000;
    static constexpr size_t kMaxColours = 4096;
    static constexpr size_t kMaxTextBytes = size_t{256} << 20;

    RichTextReader();
    void feed(std::string_view bytes);
    // Ends the stream (an unfinished control word or group is closed) and
    // gives the document.
    RichDocument finish();

    // The whole of a rich text at once.
    static RichDocument read(std::string_view bytes);

private:
    struct Format {
        bool bold = false, italic = false, underline = false;
        int halfPoints = 24;
        int colourIndex = 0;
        int unicodeSkip = 1;  // \uc: fallback characters after \u
        bool skip = false;    // inside a destination that is not shown
        bool colourTable = false;
    };
    enum class State { Text, Escape, Word, Number, Hex1, Hex2 };

    void byte(uint8_t b);
    void endWord();
    void controlWord(std::string_view word, bool hasNumber, int32_t number);
    void controlSymbol(uint8_t c);
    void openGroup();
    void closeGroup();
    void textByte(uint8_t b);
    void appendUnicode(uint32_t cp);
    // Converts the waiting code page 932 bytes into the current run.
    void flushBytes(bool keepLead = false);
    void newParagraph();
    RichRun& currentRun();
    Format& fmt() { return m_stack.back(); }

    std::vector<Format> m_stack;
    size_t m_depth = 0;  // open groups, also those beyond kMaxDepth
    State m_state = State::Text;
    std::string m_word;
    bool m_negative = false;
    int64_t m_number = 0;
    int m_digits = 0;
    int m_hex = 0;
    int m_pendingSkip = 0;   // fallback characters still to drop after \u
    bool m_sawDestinationStar = false;
    bool m_groupStart = false;  // the last token opened a group
    std::string m_bytes;        // code page 932 bytes not yet converted
    std::vector<uint32_t> m_colours;  // the colour table (index 0: automatic)
    uint32_t m_red = 0, m_green = 0, m_blue = 0;
    size_t m_textBytes = 0;
    RichDocument m_doc;
};

}  // namespace orvex::viewer
