#pragma once
// Pages of a document under one page geometry. Pages are laid out on
// demand: asking for page n lays out the pages before it without output
// (measuring only) and remembers where each begins. Measuring and drawing
// walk the rows through the same code, so a drawn page holds exactly the
// text its measurement counted.
//
// The logical lines of the text store are wrapped for print with the
// row width of each column and the line-breaking rules (kinsoku and word
// wrap as the format's print switches give them). A text that ends with a
// line end gets no page for the empty line after it. A geometry that holds
// no text (zero lines, or only columns of width 0 or less) gives exactly
// one page, with an empty body.
#include <cstdint>
#include <string>
#include <vector>

#include "display/LineBreaker.h"
#include "print/PageGeometry.h"
#include "print/PrintDevice.h"

namespace orvex {
class TextStore;
}

namespace orvex::print {

// Where a page begins: the first row of the logical line and the byte
// offset inside it at which the page continues.
struct PagePosition {
    int32_t row = 0;
    int32_t offset = 0;
    bool atEnd = false;
    friend bool operator==(const PagePosition&, const PagePosition&) = default;
};

// One printed row, for the drawing and for tests.
struct PrintedRow {
    size_t column = 0;
    int slot = 0;          // line slot in the column, from 0
    int32_t lineNumber = 0;  // 1-based on a line's first row, 0 on continuation rows
    int32_t begin = 0;     // byte range of the row in the text
    int32_t end = 0;
};

class Paginator {
public:
    Paginator(const TextStore& store, PageGeometry geometry, LineBreakRules rules);

    // Page n (1-based) exists: the text does not end before it.
    bool hasPage(int page);
    // Lays out every page.
    int pageCount();
    // Pages laid out so far.
    int pagesLaidOut() const { return int(m_starts.size()) - (m_complete ? 1 : 0); }
    // The text ends on page n (no page follows it).
    bool endsText(int page);

    // Rows of page n (empty when the page does not exist).
    std::vector<PrintedRow> rowsOf(int page);
    // Draws the body of page n: line numbers and text of every column.
    void drawBody(int page, PrintDevice& device);

    const PageGeometry& geometry() const { return m_geometry; }

    // Row text as drawn: TABs expanded to blanks from the row's start.
    std::string expandedRow(int32_t begin, int32_t end) const;

private:
    template <class Sink>
    PagePosition layoutPage(PagePosition from, Sink&& sink) const;
    PagePosition nextLine(int32_t lastRow) const;
    void extendTo(int page);

    const TextStore& m_store;
    PageGeometry m_geometry;
    LineBreakRules m_rules;
    std::vector<PagePosition> m_starts;  // start of page i + 1; a last atEnd entry when complete
    bool m_complete = false;
};

}  // namespace orvex::print
