#include "display/ColumnWalk.h"

#include "common/codepage/SjisWalk.h"

namespace orvex {

ColumnHit byteColumnAt(const uint8_t* p, int32_t endByte, int32_t target, int32_t tabWidth, bool takeDouble) {
    int32_t i = 0, col = 0;
    while (i < endByte) {
        const int len = sjis::stepWithin(p + i, endByte - i);
        const int32_t next = p[i] == sjis::kTab ? sjis::nextTabStop(col, tabWidth) : col + len;
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
        col = sjis::advance(p + i, col, tabWidth);
        i += sjis::step(p + i);
    }
    return col;
}

}  // namespace orvex
