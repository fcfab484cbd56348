#include "print/PrintSequence.h"

#include <algorithm>

namespace orvex::print {

PrintSequence::PrintSequence(int from, int to, bool onePage, bool twoSided)
    : m_onePage(onePage), m_twoSided(twoSided && !onePage) {
    if (from < 1) from = 1;
    if (to < 1) to = INT_MAX;
    if (to < from) std::swap(from, to);
    m_rangeFrom = m_from = from;
    m_to = to;
}

std::vector<int> PrintSequence::jobPages(const std::function<bool(int)>& exists) const {
    std::vector<int> pages;
    const int step = m_twoSided ? 2 : 1;
    for (long long p = m_from; p <= m_to && exists(int(p)); p += step) {
        pages.push_back(int(p));
        if (m_onePage) break;
    }
    return pages;
}

PrintSequence::Next PrintSequence::afterJob(const std::vector<int>& printed, const std::function<bool(int)>& exists) {
    ++m_jobs;
    m_pending = Next::Done;
    if (!printed.empty()) m_lastPrinted = printed.back();
    if (m_onePage && !printed.empty()) {
        const long long next = static_cast<long long>(printed.back()) + 1;
        if (next <= m_to && exists(int(next))) m_pending = Next::AskContinue;
    } else if (m_twoSided && !m_secondPass) {
        const long long other = static_cast<long long>(m_rangeFrom) + 1;
        if (!printed.empty() && other <= m_to && exists(int(other))) m_pending = Next::AskSecondPass;
    }
    if (m_pending == Next::Done) cancel();
    return m_pending;
}

void PrintSequence::proceed() {
    if (m_pending == Next::AskContinue) {
        m_from = m_lastPrinted + 1;
    } else if (m_pending == Next::AskSecondPass) {
        m_secondPass = true;
        m_from = m_rangeFrom + 1;
    }
    m_pending = Next::Done;
}

void PrintSequence::cancel() {
    m_secondPass = false;
    m_jobs = 0;
    m_from = m_rangeFrom;
    m_pending = Next::Done;
}

}  // namespace orvex::print
