#include "display/KeywordMatcher.h"

#include <cstring>

#include "common/codepage/ShiftJis.h"
#include "display/RowCharClass.h"
#include "settings/KeywordStore.h"

namespace orvex {

std::array<bool, 8> keywordGroupsOn(const std::array<int, 8>& keywdSel, const ColourTable& colours) {
    std::array<bool, 8> on{};
    for (int g = 1; g <= 8; ++g) {
        const int sel = keywdSel[size_t(g - 1)];
        const bool selected = sel == -1 ? colours.isSet(ColourTable::keywordSlot(g)) : sel != 0;
        on[size_t(g - 1)] = selected && colours.keywordGroupColoured(g);
    }
    return on;
}

KeywordMatcher::KeywordMatcher(const settings::KeywordStore& store, const std::array<bool, 8>& groupsOn) {
    for (int slot = 0; slot < settings::kKeywordSlots; ++slot) {
        const int group = slot / settings::kKeywordsPerGroup + 1;
        if (!groupsOn[size_t(group - 1)]) continue;
        const std::string& w = store.word(slot);
        if (w.empty()) continue;
        const int cls = store.lastClass(slot);
        m_entries.push_back({w, attr::keywordCode(group),
                             uint8_t(cls == sjis::kCharWord || cls == sjis::kCharHalfKana ? cls : 0)});
        m_first[uint8_t(w[0])].push_back(uint16_t(m_entries.size() - 1));
    }
}

void KeywordMatcher::scan(const uint8_t* p, int32_t n, std::vector<KeywordHit>& out) const {
    if (m_entries.empty()) return;
    int32_t i = 0;
    while (i < n) {
        bool matched = false;
        for (const uint16_t k : m_first[p[i]]) {
            const Entry& e = m_entries[k];
            const auto len = int32_t(e.word.size());
            if (len > n - i) continue;
            // The first byte is equal (the index); the second byte rules out
            // most candidates before the full comparison.
            if (len > 1 && (p[i + 1] != uint8_t(e.word[1]) ||
                            std::memcmp(p + i + 2, e.word.data() + 2, size_t(len - 2)) != 0))
                continue;
            const int32_t after = i + len;
            if (e.lastClass && after < n && rowchar::runClass(p[after]) == e.lastClass) continue;
            out.push_back({i, after, e.code});
            i = after;
            matched = true;
            break;
        }
        if (matched) continue;
        const int cls = rowchar::runClass(p[i]);
        if (cls) {
            // Skip the whole run of this class: a keyword never starts inside it.
            do ++i;
            while (i < n && rowchar::runClass(p[i]) == cls);
        } else {
            i += rowchar::length(p + i, n - i);
        }
    }
}

}  // namespace orvex
