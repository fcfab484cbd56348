#include "display/ColumnWalk.h"

#include "display/TextWalk.h"

namespace orvex {

ColumnHit byteColumnAt(const uint8_t* p, int32_t endByte, int32_t target, int32_t tabWidth, bool takeDouble) {
    int32_t i = 0, col = 0;
    while (i < endByte) {
        int len = text::charLength(p + i);
        if (i + len > endByte) len = 1;
        const int32_t next = p[i] == text::kTab ? sjis::nextTabStop(col, tabWidth) : col + len;
        if (next > target && !(takeDouble && len == 2)) break;
        i += len;
        col = next;
        if (col >= target) break;
    }
    return {i, col};
}

int32_t displayColumnAt(const uint8_t* p, int32_t byteCol, int32_t tabWidth) {
    int32_t i = 0, col = 0;
    while (i < byteCol) {
        const int len = text::charLength(p + i);
        col = p[i] == text::kTab ? sjis::nextTabStop(col, tabWidth) : col + len;
        i += len;
    }
    return col;
}

}  // namespace orvex
