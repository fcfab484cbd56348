#include "display/LinkScanner.h"

#include <string_view>

#include "common/codepage/ShiftJis.h"
#include "display/RowCharClass.h"

namespace orvex {

namespace {

bool isUrlByte(uint8_t b) { return (sjis::kByteClass[b] & sjis::kClassUrl) != 0; }
bool isMailByte(uint8_t b) { return (sjis::kByteClass[b] & sjis::kClassWordMark) != 0; }

bool equalsIgnoringCase(const uint8_t* p, std::string_view lower) {
    for (size_t i = 0; i < lower.size(); ++i) {
        uint8_t b = p[i];
        if (b >= 'A' && b <= 'Z') b = uint8_t(b + 32);
        if (b != uint8_t(lower[i])) return false;
    }
    return true;
}

}  // namespace

void findUrls(const uint8_t* p, int32_t n, bool allowDoubleByte, std::vector<ByteSpan>& out) {
    static constexpr std::string_view kSchemes[] = {"http", "file", "https", "ftp"};
    int32_t runStart = 0;  // first byte of the current run of single-byte characters
    int32_t floor = 0;     // a scheme may not begin before the end of the previous URL
    int32_t i = 0;
    while (i < n) {
        const int len = rowchar::length(p + i, n - i);
        if (len == 2) {
            i += 2;
            runStart = i;
            continue;
        }
        if (p[i] != ':' || n - i < 3 || p[i + 1] != '/' || p[i + 2] != '/') {
            ++i;
            continue;
        }
        const int32_t lowest = runStart > floor ? runStart : floor;
        int32_t start = -1;
        bool file = false;
        for (const std::string_view scheme : kSchemes) {
            const int32_t s = i - int32_t(scheme.size());
            if (s >= lowest && equalsIgnoringCase(p + s, scheme)) {
                start = s;
                file = scheme == "file";
                break;
            }
        }
        if (start < 0) {
            ++i;
            continue;
        }
        const bool wide = allowDoubleByte || file;
        int32_t j = i;
        while (j < n) {
            const int l = rowchar::length(p + j, n - j);
            if (l == 2 ? !wide : !isUrlByte(p[j])) break;
            j += l;
        }
        out.push_back({start, j});
        floor = j;
        i = j;
        runStart = j;
    }
}

void findMailAddresses(const uint8_t* p, int32_t n, std::vector<ByteSpan>& out) {
    int32_t runStart = 0;  // first byte of the current run of mail characters
    int32_t i = 0;
    while (i < n) {
        const int len = rowchar::length(p + i, n - i);
        if (len == 2 || !isMailByte(p[i])) {
            i += len;
            runStart = i;
            continue;
        }
        if (p[i] != '@') {
            ++i;
            continue;
        }
        // Valid when the first "." or "@" after this "@" is a ".".
        bool decided = false, valid = false;
        int32_t j = i + 1;
        for (; j < n && isMailByte(p[j]); ++j) {
            if (!decided && (p[j] == '.' || p[j] == '@')) {
                decided = true;
                valid = p[j] == '.';
            }
        }
        if (!valid || runStart == i) return;
        out.push_back({runStart, j});
        i = j;
        runStart = j;
    }
}

}  // namespace orvex
