#include "files/JisMapping.h"

#include <array>
#include <unordered_map>

#include "common/codepage/Cp932.h"

namespace orvex::files::jis {

namespace {

constexpr unsigned kIbmFirstLead = 0xFA;
constexpr unsigned kIbmLeads = 3;  // 0xFA-0xFC

// Row/cell twin of every IBM extension code, 0 where there is none. The twin
// is the lowest Shift JIS code below lead 0xF0 that decodes to the same
// character, so a character of JIS X 0208 proper (0x81CA for the not sign)
// is preferred to its NEC-row copies.
const std::array<uint16_t, kIbmLeads * 256>& ibmTwins() {
    static const std::array<uint16_t, kIbmLeads * 256> table = [] {
        std::array<uint16_t, kIbmLeads * 256> t{};
        std::unordered_map<uint16_t, uint16_t> wanted;
        for (unsigned lead = kIbmFirstLead; lead < kIbmFirstLead + kIbmLeads; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const uint16_t u = cp932::decodePair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
                if (u != cp932::kNoUnicode) wanted.emplace(u, 0);
            }
        }
        for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const uint16_t u = cp932::decodePair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
                if (u == cp932::kNoUnicode) continue;
                auto it = wanted.find(u);
                if (it != wanted.end() && it->second == 0)
                    it->second = fromShiftJis(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
            }
        }
        for (unsigned lead = kIbmFirstLead; lead < kIbmFirstLead + kIbmLeads; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const uint16_t u = cp932::decodePair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail));
                if (u == cp932::kNoUnicode) continue;
                t[(lead - kIbmFirstLead) * 256 + trail] = wanted[u];
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

uint16_t outputPair(uint8_t lead, uint8_t trail) {
    if (const uint16_t pair = fromShiftJis(lead, trail)) return pair;
    if (lead >= kIbmFirstLead && lead < kIbmFirstLead + kIbmLeads)
        return ibmTwins()[(lead - kIbmFirstLead) * 256u + trail];
    return 0;
}

}  // namespace orvex::files::jis
