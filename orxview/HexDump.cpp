#include "orxview/HexDump.h"

#include "common/codepage/SjisWalk.h"

namespace orvex::viewer {

HexDump::HexDump(std::string_view bytes) : m_bytes(bytes), m_startsWithTrail(lineCount(), false) {
    // One walk from the first byte finds the characters that straddle line
    // ends; a lead byte takes the next byte only when that is a trail byte.
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        const int len = sjis::pairStepWithin(p + i, static_cast<ptrdiff_t>(n - i));
        if (len == 2 && (i + 1) % kBytesPerLine == 0) m_startsWithTrail[(i + 1) / kBytesPerLine] = true;
        i += static_cast<size_t>(len);
    }
}

void HexDump::appendLine(size_t i, std::string& out) const {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const size_t from = i * kBytesPerLine;
    if (from >= m_bytes.size()) return;
    const size_t count = std::min(kBytesPerLine, m_bytes.size() - from);
    const auto* p = reinterpret_cast<const uint8_t*>(m_bytes.data()) + from;
    for (int shift = 28; shift >= 0; shift -= 4) out.push_back(kHex[(from >> shift) & 0xF]);
    out.push_back(':');
    for (size_t k = 0; k < kBytesPerLine; ++k) {
        if (k < count) {
            out.push_back(kHex[p[k] >> 4]);
            out.push_back(kHex[p[k] & 0xF]);
            out.push_back(' ');
        } else {
            out.append("   ");
        }
    }
    const auto shown = [](uint8_t b) { return b < 0x20 ? ' ' : static_cast<char>(b); };
    for (size_t k = 0; k < count; ++k) {
        if (k == 0 && m_startsWithTrail[i]) {
            out.push_back(' ');  // shown with its lead byte on the line before
            continue;
        }
        out.push_back(shown(p[k]));
    }
    // A character that begins in the last column ends with the trail byte
    // that opens the next line.
    if (i + 1 < m_startsWithTrail.size() && m_startsWithTrail[i + 1]) out.push_back(shown(p[count]));
    out.append(" \r\n");
}

std::string HexDump::line(size_t i) const {
    std::string out;
    appendLine(i, out);
    return out;
}

std::string HexDump::text() const {
    std::string out;
    out.reserve(lineCount() * 80);
    for (size_t i = 0; i < lineCount(); ++i) appendLine(i, out);
    return out;
}

}  // namespace orvex::viewer
