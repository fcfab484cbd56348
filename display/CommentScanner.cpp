#include "display/CommentScanner.h"

#include <cstring>

#include "common/codepage/SjisWalk.h"
#include "display/Row.h"

namespace orvex {

namespace {

// Whether byte j of a row is the first byte of a character, given that
// `base` (<= j) is (the walker's lead-run parity, never a walk from base).
inline bool startsCharacter(const uint8_t* p, int32_t base, int32_t j) { return sjis::isCharStart(p, base, j); }

}  // namespace

CommentScanner::CommentScanner(int type, std::string_view userLineStart)
    : m_type(type >= 1 && type <= 8 ? type : 0), m_user(userLineStart) {
    if (m_type == 8 && m_user.empty()) m_type = 0;
    // Bytes that can begin a delimiter outside a comment, and closers.
    auto open = [&](uint8_t b) { m_open[b] = true, ++m_openCount, m_openByte = b; };
    auto close = [&](uint8_t b) { m_close[b] = true, ++m_closeCount, m_closeByte = b; };
    switch (m_type) {
    case 1: open('/'); close('/'); break;
    case 2: open('\''); break;
    case 3: open(';'); break;
    case 4: open('<'); close('>'); break;
    case 5: open('#'); break;
    case 6: open('/'); open('{'); close('}'); break;
    case 7: open('-'); open('/'); close('/'); break;
    case 8: open(uint8_t(m_user[0])); break;
    default: break;
    }
}

CommentState CommentScanner::stateAfterLine(int32_t lastRowFlags, bool tagFile) {
    if (tagFile) return CommentState::None;
    return (lastRowFlags & rowflag::kCommentOpenAtEnd) ? CommentState::Block : CommentState::None;
}

int32_t CommentScanner::next(const uint8_t* p, int32_t from, int32_t n, bool inBlock) const {
    const int count = inBlock ? m_closeCount : m_openCount;
    if (count == 0) return n;
    if (count == 1) {
        const void* hit = std::memchr(p + from, inBlock ? m_closeByte : m_openByte, size_t(n - from));
        return hit ? int32_t(static_cast<const uint8_t*>(hit) - p) : n;
    }
    const bool* set = inBlock ? m_close : m_open;
    for (int32_t j = from; j < n; ++j)
        if (set[p[j]]) return j;
    return n;
}

CommentScanner::Result CommentScanner::scanRow(const uint8_t* p, int32_t n, CommentState in, bool endsLine,
                                               std::vector<CommentSpan>* spans) const {
    if (m_type == 0) return {0, CommentState::None};
    CommentState s = in;
    bool delimiter = false;
    bool closedHere = false;
    int32_t spanStart = in == CommentState::None ? -1 : 0;

    if (s != CommentState::Line) {
        int32_t i = 0;         // always the start of a character
        int32_t openAt = -1;   // where a block opened in this row
        while (i < n) {
            const int32_t j = next(p, i, n, s == CommentState::Block);
            if (j >= n) break;
            if (!startsCharacter(p, i, j)) {  // a trail byte with a delimiter's value
                i = j + 1;
                continue;
            }
            const uint8_t b = p[j];
            const bool more = j + 1 < n;
            if (s == CommentState::None) {
                bool line = false;
                int open = 0;
                switch (m_type) {
                case 1:
                    if (b == '/' && more) {
                        if (p[j + 1] == '/') line = true;
                        else if (p[j + 1] == '*') open = 2;
                    }
                    break;
                case 2:
                case 3:
                case 5: line = true; break;
                case 4: open = 1; break;
                case 6:
                    if (b == '{') open = 1;
                    else if (more && p[j + 1] == '/') line = true;
                    break;
                case 7:
                    if (b == '-' && more && p[j + 1] == '-') line = true;
                    else if (b == '/' && more && p[j + 1] == '*') open = 2;
                    break;
                case 8:
                    line = int32_t(m_user.size()) <= n - j && std::memcmp(p + j, m_user.data(), m_user.size()) == 0;
                    break;
                }
                if (line) {
                    delimiter = true;
                    s = CommentState::Line;
                    spanStart = j;
                    break;  // the rest of the row is comment
                }
                if (open) {
                    delimiter = true;
                    s = CommentState::Block;
                    spanStart = j;
                    openAt = j;
                    i = j + open;
                    continue;
                }
            } else {
                bool close = true;
                if (m_type == 1 || m_type == 7) {
                    // "*/": the '*' must be a character of its own, and not
                    // the opener's.
                    close = j > i && p[j - 1] == '*' && (openAt < 0 || j >= openAt + 3) && startsCharacter(p, i, j - 1);
                }
                if (close) {
                    delimiter = true;
                    closedHere = true;
                    s = CommentState::None;
                    if (spans) spans->push_back({spanStart, j + 1});
                    spanStart = -1;
                    i = j + 1;
                    continue;
                }
            }
            i = j + sjis::stepWithin(p + j, n - j);
        }
    }
    if (spans && spanStart >= 0 && spanStart < n) spans->push_back({spanStart, n});

    CommentState out = s;
    if (endsLine && out == CommentState::Line) out = CommentState::None;
    int32_t flags = delimiter ? rowflag::kCommentDelimiter : 0;
    switch (in) {
    case CommentState::None:
        if (out != CommentState::None) flags |= rowflag::kCommentOpens;
        break;
    case CommentState::Block:
        if (closedHere) {
            flags |= rowflag::kCommentCloses;
            if (out != CommentState::None) flags |= rowflag::kCommentOpens;
        } else {
            flags |= rowflag::kCommentRunsOn;
        }
        break;
    case CommentState::Line:
        flags |= endsLine ? rowflag::kCommentEndsWithLine : rowflag::kCommentRunsOn;
        break;
    }
    return {flags, out};
}

}  // namespace orvex
