#include "files/DocumentWriter.h"

#include "common/codepage/ShiftJis.h"
#include "files/ByteScan.h"
#include "files/CodeChoices.h"
#include "files/CodeWriter.h"

namespace orvex::files {

namespace {

constexpr uint8_t kTab = 0x09;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kFf = 0x0C;
constexpr uint8_t kCr = 0x0D;

inline const uint8_t* bytesOf(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Applies the line options; returns the text to write (the line itself
// when nothing changes it).
class LineRewriter {
public:
    explicit LineRewriter(const WriteOptions& o) : m_options(o) {}

    std::string_view apply(std::string_view line) {
        if (m_options.deleteTrailingBlanks) line = line.substr(0, lengthWithoutTrailingBlanks(line));
        if (m_options.tabConversion == 1 || m_options.tabConversion == 2) {
            m_buffer.clear();
            if (m_options.tabConversion == 1) appendTabsAsBlanks(line, m_options.tabWidth, m_buffer);
            else appendBlanksAsTabs(line, m_options.tabWidth, m_buffer);
            return m_buffer;
        }
        return line;
    }

private:
    const WriteOptions& m_options;
    std::string m_buffer;
};

}  // namespace

size_t lengthWithoutTrailingBlanks(std::string_view line) {
    const uint8_t* p = bytesOf(line);
    size_t keep = 0;
    for (size_t i = 0; i < line.size();) {
        const uint8_t b = p[i];
        const size_t n = sjis::isLeadByte(b) && i + 1 < line.size() ? 2 : 1;
        i += n;
        if (n == 2 || (b != ' ' && b != kTab)) keep = i;
    }
    return keep;
}

void appendTabsAsBlanks(std::string_view line, int tabWidth, std::string& out) {
    if (tabWidth < 1) tabWidth = 1;
    const uint8_t* p = bytesOf(line);
    int col = 0;
    size_t i = 0;
    while (i < line.size()) {
        const uint8_t b = p[i];
        if (b == kTab) {
            const int stop = sjis::nextTabStop(col, tabWidth);
            out.append(static_cast<size_t>(stop - col), ' ');
            col = stop;
            ++i;
            continue;
        }
        const size_t n = sjis::isLeadByte(b) && i + 1 < line.size() ? 2 : 1;
        out.append(line.data() + i, n);
        col += static_cast<int>(n);
        i += n;
    }
}

void appendBlanksAsTabs(std::string_view line, int tabWidth, std::string& out) {
    if (tabWidth < 1) tabWidth = 1;
    const uint8_t* p = bytesOf(line);
    int col = 0;
    size_t i = 0;
    while (i < line.size()) {
        const uint8_t b = p[i];
        if (b == ' ') {
            // Each piece of the run up to a tab stop becomes one TAB when it
            // holds two or more blanks.
            int pending = 0;
            while (i < line.size() && p[i] == ' ') {
                ++pending;
                ++col;
                ++i;
                if (col % tabWidth == 0) {
                    if (pending >= 2) out.push_back('\t');
                    else out.append(static_cast<size_t>(pending), ' ');
                    pending = 0;
                }
            }
            out.append(static_cast<size_t>(pending), ' ');
            continue;
        }
        if (b == kTab) {
            out.push_back('\t');
            col = sjis::nextTabStop(col, tabWidth);
            ++i;
            continue;
        }
        const size_t n = sjis::isLeadByte(b) && i + 1 < line.size() ? 2 : 1;
        out.append(line.data() + i, n);
        col += static_cast<int>(n);
        i += n;
    }
}

WriteResult writeDocumentText(const TextStore& text, const WriteOptions& options, ByteSink& sink) {
    WriteResult result;
    CodeWriter out(sink, FileForm{options.code, options.bom, options.bigEndian}, options.table);
    LineRewriter rewrite(options);
    const std::string_view ordinary = lineEndText(options.lineEndChoice, options.documentLineEnd);
    out.begin();
    const char* data = text.data();
    if (!options.displayRows) {
        const uint8_t* p = text.bytes();
        const size_t len = static_cast<size_t>(text.length());
        size_t i = 0;
        while (i < len) {
            const size_t e = scan::findLineEnd(p, i, len);
            out.writeText(rewrite.apply(std::string_view(data + i, e - i)));
            ++result.lines;
            if (e >= len) {
                out.endLine({});  // the last line has no line end
                break;
            }
            i = e + 1;
            if (p[e] == kFf) {
                out.endLine("\f");
                continue;
            }
            out.endLine(ordinary);
            if (p[e] == kCr)
                while (i < len && p[i] == kLf) ++i;  // CR LF LF ... is one line end
        }
    } else {
        const int32_t rows = text.rowCount();
        for (int32_t r = 0; r < rows; ++r) {
            const Row row = text.row(r);
            const int32_t end = endColumn(row);
            if (r == rows - 1 && end <= 0) break;  // the empty row after the last line end
            out.writeText(rewrite.apply(std::string_view(data + row.offset, static_cast<size_t>(end))));
            ++result.lines;
            if (!endsLine(row)) {
                out.endLine(ordinary);  // a wrap point becomes a line end
                continue;
            }
            const uint8_t b = static_cast<uint8_t>(data[row.offset + end]);
            out.endLine(b == kFf ? std::string_view("\f") : b == 0 ? std::string_view() : ordinary);
        }
    }
    if (options.eofMark) out.writeEofMark();
    result.ok = out.finish();
    result.unrepresentable = out.unrepresentable();
    result.bytes = out.bytesWritten();
    return result;
}

}  // namespace orvex::files
