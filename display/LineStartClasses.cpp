#include "display/LineStartClasses.h"

#include <cstring>

namespace orvex {

LineStartClasses::LineStartClasses(const LayoutOptions& options) {
    for (int k = 1; k <= 4; ++k) {
        if (!options.classEnabled(k)) continue;
        for (int j = 0; j < 4; ++j) {
            m_prefixes[k - 1][j] = options.titleStr[(k - 1) * 4 + j];
            if (!m_prefixes[k - 1][j].empty()) m_active = true;
        }
    }
}

int LineStartClasses::classOf(const uint8_t* p, int32_t n) const {
    if (!m_active || n <= 0) return 0;
    for (int k = 0; k < 4; ++k) {
        for (const std::string& prefix : m_prefixes[k]) {
            if (prefix.empty() || int32_t(prefix.size()) > n) continue;
            if (std::memcmp(p, prefix.data(), prefix.size()) == 0) return k + 1;
        }
    }
    return 0;
}

}  // namespace orvex
