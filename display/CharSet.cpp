#include "display/CharSet.h"

#include "common/codepage/SjisWalk.h"

namespace orvex {

CharSet::CharSet(std::string_view sjis) {
    const auto* p = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t n = sjis.size();
    // The set is written by the user, not document text: the plain rule (a
    // lead byte takes whatever follows it).
    for (size_t i = 0; i < n;) {
        if (sjis::plainStepWithin(p + i, ptrdiff_t(n - i)) == 2) {
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
