#include "display/CommentScanner.h"

#include <cstring>

#include "common/codepage/ShiftJis.h"
#include "display/Row.h"

namespace orvex {

CommentScanner::CommentScanner(int type, std::string_view userLineStart)
    : m_type(type >= 1 && type <= 8 ? type : 0), m_user(userLineStart) {
    if (m_type == 8 && m_user.empty()) m_type = 0;
}

CommentState CommentScanner::stateAfterLine(int32_t lastRowFlags, bool tagFile) {
    if (tagFile) return CommentState::None;
    return (lastRowFlags & rowflag::kCommentOpenAtEnd) ? CommentState::Block : CommentState::None;
}

CommentScanner::Result CommentScanner::scanRow(const uint8_t* p, int32_t n, CommentState in, bool endsLine,
                                               std::vector<CommentSpan>* spans) const {
    if (m_type == 0) return {0, CommentState::None};
    CommentState s = in;
    bool delimiter = false;
    bool closedHere = false;
    int32_t spanStart = in == CommentState::None ? -1 : 0;

    if (s != CommentState::Line) {
        bool prevStar = false;  // the previous character is a single-byte '*'
        int32_t i = 0;
        while (i < n) {
            const uint8_t b = p[i];
            const int len = sjis::isLeadByte(b) && i + 1 < n ? 2 : 1;
            const bool next = i + 1 < n;
            if (s == CommentState::None) {
                bool line = false;
                int open = 0;  // bytes of a block opener at i
                switch (m_type) {
                case 1:
                    if (b == '/' && next) {
                        if (p[i + 1] == '/') line = true;
                        else if (p[i + 1] == '*') open = 2;
                    }
                    break;
                case 2: line = b == '\''; break;
                case 3: line = b == ';'; break;
                case 4: open = b == '<' ? 1 : 0; break;
                case 5: line = b == '#'; break;
                case 6:
                    if (b == '/' && next && p[i + 1] == '/') line = true;
                    else if (b == '{') open = 1;
                    break;
                case 7:
                    if (b == '-' && next && p[i + 1] == '-') line = true;
                    else if (b == '/' && next && p[i + 1] == '*') open = 2;
                    break;
                case 8:
                    line = int32_t(m_user.size()) <= n - i && std::memcmp(p + i, m_user.data(), m_user.size()) == 0;
                    break;
                }
                if (line) {
                    delimiter = true;
                    s = CommentState::Line;
                    spanStart = i;
                    break;  // the rest of the row is comment
                }
                if (open) {
                    delimiter = true;
                    s = CommentState::Block;
                    spanStart = i;
                    i += open;
                    prevStar = false;  // the opener's own '*' cannot close it
                    continue;
                }
            } else {
                bool close = false;
                switch (m_type) {
                case 1:
                case 7: close = b == '/' && prevStar; break;
                case 4: close = b == '>'; break;
                case 6: close = b == '}' && len == 1; break;
                default: break;
                }
                if (close) {
                    delimiter = true;
                    closedHere = true;
                    s = CommentState::None;
                    if (spans) spans->push_back({spanStart, i + 1});
                    spanStart = -1;
                    i += 1;
                    prevStar = false;
                    continue;
                }
            }
            prevStar = len == 1 && b == '*';
            i += len;
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
