#pragma once
// Writes a document's text to a file in its output code, line by line: the
// body of a save.
//
// Lines are the logical lines of the text (with `insCr`, every display row).
// Each line is written without its line end, optionally without trailing
// blanks and TABs and with its TABs or blanks converted, through a
// CodeWriter, and ended with: 0x0C for a line that ended in a form feed;
// nothing for the text's last line; otherwise the line end of the choice
// (1 CR LF, 2 CR, 3 LF, 0 the document's type). The empty line after a
// final line end is not written. The end-of-file mark follows when asked.
//
// A line ends at every CR, LF and FF, as it does in the rows: a line end is
// never taken into a broken double-byte character (common/codepage/SjisWalk.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "files/ByteSink.h"
#include "files/CharCode.h"
#include "text/TextStore.h"

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex::files {

struct WriteOptions {
    int code = 1;             // output code: 2 JIS, 3 EUC, 4 UTF-16, 5 UTF-8, anything else Shift JIS
    bool bom = false;         // UTF-8: begin with EF BB BF
    bool bigEndian = false;   // UTF-16: FE FF and big-endian units
    // The document's characters that code page 932 lacks (may be null).
    const cp932::PrivateCharTable* table = nullptr;
    int lineEndChoice = 0;    // 1 CR LF, 2 CR, 3 LF, 0 the document's type
    int documentLineEnd = 0;  // the document's line-end type
    bool deleteTrailingBlanks = false;  // SaveDelSpc
    int tabConversion = 0;    // SaveTab: 1 TABs to blanks, 2 blanks to TABs
    int tabWidth = 4;         // columns between tab stops
    bool eofMark = false;     // write 0x1A (one unit in UTF-16) at the end
    bool displayRows = false; // SaveInsCR: every display row is a line
};

struct WriteResult {
    bool ok = false;               // every byte reached the sink
    uint64_t unrepresentable = 0;  // characters written as "?"
    uint64_t bytes = 0;            // bytes written
    uint64_t lines = 0;            // lines written
};

WriteResult writeDocumentText(const TextStore& text, const WriteOptions& options, ByteSink& sink);

// The pieces of a line's rewriting, for one line without its line end
// (whole Shift JIS characters; columns count from the line's start).
// The length of the line without the blanks and TABs at its end.
size_t lengthWithoutTrailingBlanks(std::string_view line);
// Appends the line with every TAB replaced by blanks up to its tab stop.
void appendTabsAsBlanks(std::string_view line, int tabWidth, std::string& out);
// Appends the line with each run of two or more blanks that reaches a tab
// stop replaced by one TAB; single blanks, blanks that reach no stop and
// TABs stay.
void appendBlanksAsTabs(std::string_view line, int tabWidth, std::string& out);

}  // namespace orvex::files
