#pragma once
// The hexadecimal dump of a file, one line per 16 bytes:
//   the offset of the line's first byte as 8 upper-case hex digits and ":",
//   16 columns of two upper-case hex digits and a blank (three blanks for
//   each column a short last line lacks),
//   the line's bytes as characters (a byte below 0x20 as a blank),
//   one blank and CR LF.
// The character column is Shift JIS to the reader. A double-byte character
// is never split between two lines: when a line's last byte is a lead byte
// whose trail byte starts the next line, the line shows the whole character
// (its character column one byte longer) and the next line shows a blank in
// the trail byte's place. Lines are made one at a time, so that a viewer can
// show a dump of any size without building all of it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::viewer {

class HexDump {
public:
    static constexpr size_t kBytesPerLine = 16;

    // The bytes are kept by reference: they must outlive the dump.
    explicit HexDump(std::string_view bytes);

    size_t lineCount() const { return (m_bytes.size() + kBytesPerLine - 1) / kBytesPerLine; }
    // Line i with its CR LF (Shift JIS bytes).
    std::string line(size_t i) const;
    // Appends line i to out.
    void appendLine(size_t i, std::string& out) const;
    // The whole dump (empty for an empty file).
    std::string text() const;

private:
    std::string_view m_bytes;
    // Line i begins with the trail byte of a character that line i - 1 shows.
    std::vector<bool> m_startsWithTrail;
};

}  // namespace orvex::viewer
