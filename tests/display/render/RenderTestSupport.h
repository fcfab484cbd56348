#pragma once
// Helpers for the rendering tests: a colour table with every feature on,
// rows built from UTF-8 text, and the attributes of a row as a readable
// string (one character per cell).
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/Cp932.h"
#include "display/ColourTable.h"
#include "display/KeywordMatcher.h"
#include "display/RenderOptions.h"
#include "display/Row.h"
#include "display/RowAttributes.h"
#include "settings/KeywordStore.h"

namespace orvex::test {

inline std::string sjis(std::string_view utf8) { return cp932::fromUtf8(utf8); }

// Every slot set to its own colour: every feature colours.
inline StoredColours distinctColours() {
    StoredColours s;
    for (int i = 0; i < kColourSlotCount; ++i) s[size_t(i)] = 0x101010 + i * 0x030201;
    s[size_t(ColourSlot::Text)] = 0x000000;
    s[size_t(ColourSlot::Window)] = 0xFFFFFF;
    return s;
}

// One character per attribute code (see the table in the tests).
inline char codeChar(uint8_t a) {
    static const char kChars[] = ".Scmk12Kxy34u@LfpqrtM";
    const uint8_t code = a & attr::kCodeMask;
    return code <= attr::kLastCode ? kChars[code] : '?';
}

inline std::string codes(const RowAttributes& r) {
    std::string s;
    for (int32_t c = 0; c < r.columns(); ++c) s += codeChar(r.attribute(c));
    return s;
}

// '#' where the cell has the caret-line background bit.
inline std::string backgrounds(const RowAttributes& r) {
    std::string s;
    for (int32_t c = 0; c < r.columns(); ++c) s += (r.attribute(c) & attr::kCaretBackground) ? '#' : '.';
    return s;
}

// Builds one row from UTF-8 content; ending is appended as the row's last
// byte ("\r", "\f", the NUL for the end of the text, or nothing for a
// wrapped row).
struct RowFixture {
    ColourTable colours = ColourTable::resolve(distinctColours());
    RenderOptions options;
    settings::KeywordStore keywords;  // the built-in C keywords
    KeywordMatcher matcher;
    bool useKeywords = true;
    ViewPaintState view;
    std::vector<CommentSpan> comments;
    RowAttributes row;
    std::string bytes;

    enum class End { Cr, Ff, Eof, Wrapped };

    const RowAttributes& build(std::string_view utf8, End end = End::Cr, int32_t flags = 0, int32_t rowIndex = 0,
                               int32_t tabWidth = 4) {
        return buildSjis(sjis(utf8), end, flags, rowIndex, tabWidth);
    }

    const RowAttributes& buildSjis(std::string_view content, End end = End::Cr, int32_t flags = 0,
                                   int32_t rowIndex = 0, int32_t tabWidth = 4) {
        bytes.assign(content);
        switch (end) {
        case End::Cr: bytes.push_back('\r'); break;
        case End::Ff: bytes.push_back('\f'); break;
        case End::Eof: bytes.push_back('\0'); break;
        case End::Wrapped: flags |= rowflag::kSoftWrap; break;
        }
        matcher = KeywordMatcher(keywords, keywordGroupsOn(options.keywdSel, colours));
        RenderSetup setup;
        setup.colours = &colours;
        setup.options = &options;
        setup.keywords = useKeywords ? &matcher : nullptr;
        setup.tabWidth = tabWidth;
        setup.fillColumns = 80;
        RowSource src;
        src.bytes = bytes;
        src.row = rowIndex;
        src.flags = flags;
        src.comments = &comments;
        row.build(setup, view, src);
        return row;
    }

    // The displayed cells as UTF-8.
    std::string cellsUtf8() const { return cp932::toUtf8(row.cells()); }
};

}  // namespace orvex::test
