#include "display/CharSet.h"

#include "common/codepage/ShiftJis.h"

namespace orvex {

CharSet::CharSet(std::string_view sjis) {
    const auto* p = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t n = sjis.size();
    for (size_t i = 0; i < n;) {
        if (sjis::isLeadByte(p[i]) && i + 1 < n) {
            const unsigned code = (unsigned(p[i]) << 8) | p[i + 1];
            m_double[code >> 6] |= uint64_t{1} << (code & 63);
            i += 2;
        } else {
            m_single[p[i] >> 6] |= uint64_t{1} << (p[i] & 63);
            i += 1;
        }
        m_empty = false;
    }
}

}  // namespace orvex
