#include "display/LineBreaker.h"

#include "common/codepage/SjisWalk.h"

namespace orvex {

namespace {

using sjis::kTab;

inline bool isAsciiLetter(uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
inline bool isAsciiDigit(uint8_t b) { return b >= '0' && b <= '9'; }

// Bytes of the character at i inside content that ends at ce.
inline int charLen(const uint8_t* t, int32_t i, int32_t ce) { return sjis::stepWithin(t + i, ce - i); }

}  // namespace

LineBreak findLineBreak(const uint8_t* t, int32_t rowStart, int32_t ce, int32_t w, int32_t startColumn, bool tab,
                        const LineBreakRules& rules) {
    const int tabWidth = rules.tabWidth < 1 ? 1 : rules.tabWidth;
    int32_t col = startColumn;
    int32_t i = rowStart;
    int32_t last = -1;    // start of the last character taken
    int32_t lastCol = 0;  // column before it
    const int32_t room = w - startColumn;
    if (!tab && room >= 2 && rowStart + room <= ce) {
        // Without TABs every byte is one column, so the walk below would
        // stop at the character that holds byte rowStart + room - 1 (inside
        // the content): before it when it is a double-byte character
        // starting there, after it otherwise. Only whether that byte starts
        // a character needs a look back.
        const int32_t b = rowStart + room - 1;
        if (!sjis::isCharStart(t, rowStart, b)) {
            last = b - 1;  // the trail byte of a double-byte character
            i = b + 1;
            col = w;
        } else if (charLen(t, b, ce) == 2) {
            last = int32_t(sjis::previousCharStart(t, rowStart, b));
            i = b;
            col = w - 1;
        } else {
            last = b;
            i = b + 1;
            col = w;
        }
        lastCol = startColumn + (last - rowStart);
    } else {
        while (i < ce) {
            const uint8_t b = t[i];
            int32_t next;
            int len;
            if (b == kTab) {
                len = 1;
                next = sjis::nextTabStop(col, tabWidth);
            } else if (charLen(t, i, ce) == 2) {
                if (col >= w - 1) break;  // a double-byte character is never split
                len = 2;
                next = col + 2;
            } else {
                len = 1;
                next = col + 1;
            }
            last = i;
            lastCol = col;
            i += len;
            col = next;
            if (col >= w) break;
        }
    }
    LineBreak br{i, col, false};
    if (last < 0) {
        // Nothing fits (a row narrower than one character): take one anyway.
        if (rowStart >= ce) return br;
        const int len = charLen(t, rowStart, ce);
        br.offset = rowStart + len;
        br.columns = t[rowStart] == kTab ? sjis::nextTabStop(col, tabWidth) : col + len;
        return br;
    }

    // No-line-end rule: the last character taken opens the next row instead.
    if (rules.kinsoku && last > rowStart && rules.noLineEnd->contains(t + last, br.offset - last)) {
        br.offset = last;
        br.columns = lastCol;
        return br;
    }
    // Word wrap: an ASCII word cut by the break moves whole.
    if (rules.wordWrap && br.offset < ce && (isAsciiLetter(t[br.offset]) || isAsciiDigit(t[br.offset]))) {
        const bool digits = isAsciiDigit(t[br.offset]);
        int32_t runStart = -1, runCol = 0;
        int32_t c = startColumn;
        for (int32_t j = rowStart; j < br.offset;) {
            const uint8_t b = t[j];
            const int len = b == kTab ? 1 : charLen(t, j, ce);
            const bool same = len == 1 && (digits ? isAsciiDigit(b) : isAsciiLetter(b));
            if (same) {
                if (runStart < 0) {
                    runStart = j;
                    runCol = c;
                }
            } else {
                runStart = -1;
            }
            c = b == kTab ? sjis::nextTabStop(c, tabWidth) : c + len;
            j += len;
        }
        if (runStart > rowStart) {
            br.offset = runStart;
            br.columns = runCol;
        }
        return br;
    }
    // No-line-start rule: punctuation hangs into the row within the limit.
    if (rules.kinsoku) {
        int budget = rules.hangColumns;
        while (budget > 0) {
            if (br.offset >= ce) {
                br.lineEndTaken = true;
                break;
            }
            const int len = t[br.offset] == kTab ? 1 : charLen(t, br.offset, ce);
            if (!rules.noLineStart->contains(t + br.offset, len)) break;
            budget -= len == 2 ? 2 : 1;
            br.columns = t[br.offset] == kTab ? sjis::nextTabStop(br.columns, tabWidth) : br.columns + len;
            br.offset += len;
            if (br.offset >= ce) {
                br.lineEndTaken = true;
                break;
            }
        }
    }
    return br;
}

}  // namespace orvex
