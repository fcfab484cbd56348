#include "text/WordMotion.h"

#include <algorithm>

#include "common/codepage/ShiftJis.h"
#include "text/CursorSteps.h"

namespace orvex::word {

namespace {

constexpr int kBlank = sjis::kCharBlank;

bool isSymbol(int k) { return k == sjis::kCharOther || k == sjis::kCharFullSymbol; }

// A free-cursor position goes back to the row's end first.
TextPosition pulledBack(const TextStore& t, TextPosition p) {
    if (nav::beyondEnd(t, p)) return nav::rowEnd(t, p.row);
    return p;
}

// Steps that always cross a character: the step between the end of a
// continuation row and the start of the next row stays at one text offset
// and is taken together with the next one.
bool stepRight(const TextStore& t, TextPosition& p, int32_t rows) {
    const int32_t before = nav::offsetOf(t, p);
    if (!nav::stepRight(t, p, rows)) return false;
    if (nav::offsetOf(t, p) == before) nav::stepRight(t, p, rows);
    return true;
}

bool stepLeft(const TextStore& t, TextPosition& p) {
    const int32_t before = nav::offsetOf(t, p);
    if (!nav::stepLeft(t, p)) return false;
    if (nav::offsetOf(t, p) == before) nav::stepLeft(t, p);
    return true;
}

}  // namespace

TextPosition right(const TextStore& t, TextPosition p, int options, int32_t rows) {
    p = pulledBack(t, p);
    if (nav::atTextEnd(t, p)) return p;
    if ((options & kNoLineEnd) && nav::atLineEnd(t, p)) return p;
    int c = nav::classAt(t, p, true);
    if (!stepRight(t, p, rows)) return nav::normalised(t, p, rows);
    for (;;) {
        const int k = nav::classAt(t, p, true);
        if (k != kBlank) {
            if (nav::atTextEnd(t, p)) break;
            if ((options & kStopAtSymbols) && isSymbol(k)) break;
            if (k != c) break;
        } else {
            if ((options & kStopAtWordEnd) && c != kBlank) break;
            c = kBlank;
        }
        if (!stepRight(t, p, rows)) break;
    }
    return nav::normalised(t, p, rows);
}

TextPosition left(const TextStore& t, TextPosition p, int options, int32_t rows) {
    p = pulledBack(t, p);
    int c;
    if (options & kNoLineEnd) {
        if (p.byteColumn == 0 && nav::beginsLine(t, p.row)) return p;
        c = sjis::kCharOther;
    } else {
        c = nav::classAt(t, p, true);
    }
    if (!stepLeft(t, p)) return p;
    for (bool first = true;; first = false) {
        // A line end keeps the class of its byte here, so that a step back
        // over it stops at the end of the previous line.
        const int k = nav::classAt(t, p, false);
        if (k != kBlank) {
            if (nav::atLineEnd(t, p)) return p;
            if ((options & kStopAtSymbols) && isSymbol(k)) {
                if (first) return p;
                break;
            }
            if (k != c) {
                if (!first && !(c == kBlank && !(options & kStopAtWordEnd))) break;
                c = k;
            }
        } else {
            if (!first && c != kBlank) break;
            c = kBlank;
        }
        if (p.byteColumn == 0 && nav::beginsLine(t, p.row)) return p;
        if (!stepLeft(t, p)) return p;
    }
    stepRight(t, p, rows);
    return nav::normalised(t, p, rows);
}

Range at(const TextStore& t, TextPosition p, int32_t rows) {
    p = pulledBack(t, p);
    if (p.byteColumn >= t.endColumn(p.row)) return {p, p};
    const TextPosition end = right(t, p, kWholeWord, rows);
    const TextPosition start = left(t, end, kWholeWord, rows);
    return {start, end};
}

}  // namespace orvex::word
