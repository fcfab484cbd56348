#include "search/ReplaceAll.h"

#include <algorithm>

#include "search/DocumentSearch.h"
#include "search/ReplacePlan.h"
#include "text/CLuDoc.h"

namespace orvex::search {

namespace {

using undokind::kDelete;
using undokind::kInsert;
using undokind::kReplaceDelete;
using undokind::kReplaceInsert;

// What the replacement shows to a search that resumes right after it (its
// last character) or ends right before it (its first character).
EdgeContext lastCharContext(const std::string& r) {
    const Subject s{reinterpret_cast<const uint8_t*>(r.data()), int32_t(r.size())};
    EdgeContext c;
    c.given = true;
    c.lineEnd = s.lineStartAt(s.length);
    c.word = s.wordBefore(0, s.length);
    return c;
}

EdgeContext firstCharContext(const std::string& r) {
    const Subject s{reinterpret_cast<const uint8_t*>(r.data()), int32_t(r.size())};
    EdgeContext c;
    c.given = true;
    c.lineEnd = s.lineEndAt(0);
    c.word = s.wordAt(0);
    return c;
}

// The unit (character, or whole line end) that ends at p.
int32_t previousUnit(const Subject& s, int32_t p) {
    if (p <= 0) return 0;
    if (s.data[p - 1] == kLf) {
        int32_t q = p - 1;
        while (q > 0 && s.data[q - 1] == kLf) --q;
        return q > 0 && s.data[q - 1] == kCr ? q - 1 : p - 1;
    }
    return s.previousCharStart(s.lineStartBefore(p - 1, 0), p);
}

bool hasLoneLf(const std::string& r) {
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i] == '\n' && (i == 0 || (r[i - 1] != '\r' && r[i - 1] != '\n'))) return true;
    return false;
}

ReplaceAllResult resultOf(const ReplaceAllRequest& request, const ReplacePlan& plan, int32_t repLen) {
    ReplaceAllResult res;
    res.count = plan.count;
    res.stalled = plan.stalled;
    res.refused = plan.lastRefused;
    res.rangeEnd = request.rangeEnd + plan.delta;
    res.caret = request.from;
    if (!plan.edits.empty()) {
        const PlannedEdit& last = plan.edits.back();
        res.caret = request.forward && !plan.lastRefused ? last.timeOffset + repLen : last.timeOffset;
    }
    return res;
}

// The loop itself, on the document as it changes: the reference the faster
// ways must agree with, and the way for replacements the layout would
// still change (a lone LF becomes CR) or an open insertion gap.
ReplaceAllResult replaceOneByOne(CLuDoc& doc, const ReplaceAllRequest& req) {
    const CompiledPattern& pattern = *req.pattern;
    const std::string& rep = req.replacement;
    const int32_t repLen = int32_t(rep.size());
    ReplaceAllResult res;
    res.caret = req.from;
    res.rangeEnd = req.rangeEnd;
    int32_t pos = req.from;
    bool first = true;
    while (true) {
        const TextStore& text = doc.text();
        Match m;
        if (first && req.current.found()) {
            m = req.current;
        } else if (req.forward) {
            if (pos > res.rangeEnd) break;
            m = findInText(text, pattern, pos, res.rangeEnd, true);
        } else {
            if (pos < req.rangeBegin) break;
            m = findInText(text, pattern, req.rangeBegin, pos, false);
        }
        if (!m.found()) break;
        if (m.length == 0 && repLen == 0) {
            if (first) {
                res.stalled = true;
                break;
            }
            if (req.forward) {
                if (m.offset >= res.rangeEnd) break;
                pos = nextCharOffset(text, m.offset);
            } else {
                if (m.offset <= req.rangeBegin) break;
                pos = previousCharOffset(text, m.offset);
            }
            continue;
        }
        first = false;
        const int32_t before = doc.text().length();
        const bool ok = replaceMatch(doc, m, rep);
        res.rangeEnd += doc.text().length() - before;
        if (!ok) {
            res.refused = true;
            res.caret = m.offset;
            break;
        }
        ++res.count;
        const TextStore& now = doc.text();
        if (req.forward) {
            pos = m.offset + repLen;
            res.caret = pos;
            if (m.length == 0 || pattern.endsWithLineEnd()) {
                if (pos >= res.rangeEnd) break;
                pos = nextCharOffset(now, pos);
            }
        } else {
            pos = m.offset;
            res.caret = pos;
            if (m.length == 0 || pattern.endsWithLineEnd()) {
                if (pos <= req.rangeBegin) break;
                pos = previousCharOffset(now, pos);
            }
        }
    }
    return res;
}

ReplaceAllResult applyPlanned(CLuDoc& doc, const ReplaceAllRequest& req, const ReplacePlan& plan) {
    for (const PlannedEdit& e : plan.edits) replaceMatch(doc, {e.timeOffset, e.length}, req.replacement);
    return resultOf(req, plan, int32_t(req.replacement.size()));
}

}  // namespace

std::string storedReplacement(const std::string& replacement) {
    std::string s = replacement;
    std::replace(s.begin(), s.end(), '\0', ' ');
    return s;
}

bool replaceMatch(CLuDoc& doc, Match match, const std::string& replacement) {
    const int32_t n = int32_t(replacement.size());
    TextPosition at = editPosition(doc.text(), match.offset);
    if (match.length > 0) {
        if (doc.deleteRecorded(at.row, at.byteColumn, match.length, n > 0 ? kReplaceDelete : kDelete) < 0) return false;
        if (n == 0) return true;
        at = editPosition(doc.text(), match.offset);
    }
    if (n == 0) return true;
    return doc.insertRecorded(at.row, at.byteColumn, replacement.data(), n,
                              match.length > 0 ? kReplaceInsert : kInsert) >= 0;
}

ReplacePlan planReplacements(const TextStore& text, const ReplaceAllRequest& req, const std::string& stored) {
    ReplacePlan plan;
    const CompiledPattern& pattern = *req.pattern;
    const Subject s = subjectOf(text);
    PatternMatcher matcher(pattern, s);
    const int32_t repLen = int32_t(stored.size());
    const EdgeContext afterRep = repLen > 0 ? lastCharContext(stored) : EdgeContext{};
    const EdgeContext beforeRep = repLen > 0 ? firstCharContext(stored) : EdgeContext{};
    const bool stepAfterEach = pattern.endsWithLineEnd();
    int64_t size = text.size();

    // Forward: the text before pos is replaced text, whose last character
    // `edge` describes; after it everything is unchanged. Backward: the text
    // from pos on is replaced, `edge` describes its first character.
    int32_t pos = req.from;
    EdgeContext edge;
    bool first = true;
    while (true) {
        Match m;
        if (first && req.current.found()) {
            m = req.current;
        } else if (req.forward) {
            if (pos > req.rangeEnd) break;
            SearchRange r;
            r.begin = pos;
            r.end = req.rangeEnd;
            r.before = edge;
            m = matcher.findFirst(r, pos, req.rangeEnd);
        } else {
            if (pos < req.rangeBegin) break;
            SearchRange r;
            r.begin = req.rangeBegin;
            r.end = pos;
            r.after = edge;
            m = matcher.findBackward(r);
        }
        if (!m.found()) break;
        if (m.length == 0 && repLen == 0) {
            if (first) {
                plan.stalled = true;
                break;
            }
            // Nothing replaced; the unit stepped over is unchanged text.
            if (req.forward) {
                if (m.offset >= req.rangeEnd) break;
                pos = m.offset + s.unitLength(m.offset);
            } else {
                if (m.offset <= req.rangeBegin) break;
                pos = previousUnit(s, m.offset);
            }
            edge = EdgeContext{};
            continue;
        }
        first = false;

        const int64_t afterDelete = size - m.length;
        const bool refused = repLen > 0 && afterDelete + repLen > TextStore::kMaxTextSize;
        const int32_t timeOffset = req.forward ? m.offset + plan.delta : m.offset;
        plan.edits.push_back({m.offset, m.length, timeOffset});
        if (refused) {
            plan.lastRefused = true;
            plan.delta -= m.length;
            break;
        }
        size = afterDelete + repLen;
        plan.delta += repLen - m.length;
        ++plan.count;

        if (req.forward) {
            // What precedes the resume point: the replacement's last
            // character, or with nothing inserted what preceded the match.
            if (repLen > 0) {
                edge = afterRep;
            } else if (!(m.offset == pos && edge.given)) {
                edge.given = true;
                edge.lineEnd = s.lineStartAt(m.offset);
                edge.word = s.wordBefore(0, m.offset);
            }
            pos = m.end();
            if (m.length == 0 || stepAfterEach) {
                if (pos >= req.rangeEnd) break;
                pos += s.unitLength(pos);
                edge = EdgeContext{};
            }
        } else {
            if (repLen > 0) {
                edge = beforeRep;
            } else if (!(m.end() == pos && edge.given)) {
                edge.given = true;
                edge.lineEnd = s.lineEndAt(m.end());
                edge.word = s.wordAt(m.end());
            }
            pos = m.offset;
            if (m.length == 0 || stepAfterEach) {
                if (pos <= req.rangeBegin) break;
                pos = previousUnit(s, pos);
                edge = EdgeContext{};
            }
        }
    }
    return plan;
}

ReplaceAllResult replaceAll(CLuDoc& doc, const ReplaceAllRequest& request, ReplaceStrategy strategy,
                            DocumentObserver* source) {
    ReplaceAllResult res;
    res.caret = request.from;
    res.rangeEnd = request.rangeEnd;
    if (!request.pattern || !request.pattern->valid() || !doc.editable()) return res;

    const std::string stored = storedReplacement(request.replacement);
    if (strategy == ReplaceStrategy::OneByOne || hasLoneLf(stored) || doc.text().insertionGap().open) {
        res = replaceOneByOne(doc, request);
        res.used = ReplaceStrategy::OneByOne;
        if (res.count > 0 || res.refused) doc.notifyEdited(source);
        return res;
    }
    const ReplacePlan plan = planReplacements(doc.text(), request, stored);
    if (plan.edits.empty()) return resultOf(request, plan, int32_t(stored.size()));

    if (strategy == ReplaceStrategy::Automatic) {
        // Edit by edit every replacement moves the text after it (twice);
        // at once each slice does, and the touched lines are laid out
        // again, which costs about as much per byte as a few dozen moves.
        const int64_t size = doc.text().size();
        int64_t oneByOne = 0;
        int32_t lowest = plan.edits.front().offset, highest = lowest;
        for (const PlannedEdit& e : plan.edits) {
            oneByOne += 2 * (size - e.offset);
            lowest = std::min(lowest, e.offset);
            highest = std::max(highest, e.offset + e.length);
        }
        const int64_t slices = 1 + (highest - lowest) / kDefaultSliceBytes;
        const int64_t atOnce = slices * 2 * (size - lowest) + 32 * int64_t(highest - lowest) + 4096;
        strategy = atOnce < oneByOne ? ReplaceStrategy::Bulk : ReplaceStrategy::Planned;
    }
    ReplaceAllRequest req = request;
    req.replacement = stored;
    if (strategy == ReplaceStrategy::Bulk && applyBulk(doc, req, plan, stored)) {
        res = resultOf(req, plan, int32_t(stored.size()));
        res.used = ReplaceStrategy::Bulk;
    } else {
        res = applyPlanned(doc, req, plan);
        res.used = ReplaceStrategy::Planned;
    }
    doc.notifyEdited(source);
    return res;
}

}  // namespace orvex::search
