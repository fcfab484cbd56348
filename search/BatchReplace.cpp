#include "search/BatchReplace.h"

#include <array>
#include <cstring>
#include <vector>

#include "common/strings/StringTable.h"
#include "search/DocumentSearch.h"
#include "search/ReplaceAll.h"
#include "search/ReplacePlan.h"
#include "text/CLuDoc.h"

namespace orvex::search {

namespace {

// A find string whose last byte is a lead byte standing alone must not take
// the first half of a double-byte character of the text.
bool endsWithLoneLead(const std::string& f) { return sjis::endsInLoneLead(f.data(), ptrdiff_t(f.size())); }

}  // namespace

BatchOutcome batchReplaceText(Subject s, int32_t begin, int32_t end, const settings::BatchPairs& pairs) {
    BatchOutcome out;
    // The pairs to try at a byte, in their order, by first byte.
    std::array<std::vector<uint8_t>, 256> byFirst;
    std::array<bool, settings::kBatchPairCount> lone{};
    for (size_t k = 0; k < pairs.find.size(); ++k) {
        const std::string& f = pairs.find[k];
        if (f.empty()) continue;
        byFirst[uint8_t(f[0])].push_back(uint8_t(k));
        lone[k] = endsWithLoneLead(f);
    }
    int32_t copiedTo = -1;  // input copied into out.text up to here
    for (int32_t p = begin; p < end;) {
        int matched = -1;
        for (uint8_t k : byFirst[s.data[p]]) {
            const std::string& f = pairs.find[k];
            const int32_t n = int32_t(f.size());
            if (n > end - p || std::memcmp(s.data + p, f.data(), size_t(n)) != 0) continue;
            if (lone[k] && p + n < s.length && !endsContent(s.data[p + n])) continue;
            matched = k;
            break;
        }
        if (matched < 0) {
            p += s.unitLength(p);
            continue;
        }
        if (copiedTo < 0) {
            out.changeBegin = p;
        } else {
            out.text.append(reinterpret_cast<const char*>(s.data) + copiedTo, size_t(p - copiedTo));
        }
        out.text += pairs.replace[size_t(matched)];
        p += int32_t(pairs.find[size_t(matched)].size());
        copiedTo = p;
        out.changeEnd = p;
        ++out.count;
    }
    return out;
}

BatchResult batchReplace(CLuDoc& doc, int32_t begin, int32_t end, const settings::BatchPairs& pairs) {
    BatchResult res;
    if (!doc.editable()) return res;
    const BatchOutcome o = batchReplaceText(subjectOf(doc.text()), begin, end, pairs);
    if (o.count == 0) return res;
    const int32_t removed = o.changeEnd - o.changeBegin;
    if (int64_t(doc.text().size()) - removed + int64_t(o.text.size()) > TextStore::kMaxTextSize) {
        // Refused before anything is deleted: a batch result is one edit,
        // and half of it would lose text.
        if (doc.platform().messages) doc.platform().messages->showId(strings::kTextTooLarge, MsgIcon::Exclamation);
        res.refused = true;
        return res;
    }
    if (!replaceMatch(doc, {o.changeBegin, removed}, storedReplacement(o.text))) {
        res.refused = true;
        return res;
    }
    res.count = o.count;
    res.caret = o.changeBegin + int32_t(o.text.size());
    return res;
}

}  // namespace orvex::search
