#pragma once
// Which pages each print job of one print command prints, and what is asked
// between jobs.
//
// One-page printing ends every job after its first page; while the next
// page exists and lies in the range the user is asked whether to go on, and
// each OK runs a job that starts one page further. Two-sided printing
// prints the first page of the range and every second one after it; then,
// when the page after the first exists and lies in the range, the user is
// asked to turn the paper over and a second job prints the other pages.
// A document that fits on the first printed page gets no second pass. A
// range entered backwards is put in ascending order first. With both
// switches on, one-page printing wins, as the page-layout dialog allows
// only one of them.
#include <climits>
#include <functional>
#include <vector>

namespace orvex::print {

class PrintSequence {
public:
    enum class Next { Done, AskContinue, AskSecondPass };

    PrintSequence(int from, int to, bool onePage, bool twoSided);

    // Pages of the current job; exists(n) tells whether page n exists.
    std::vector<int> jobPages(const std::function<bool(int)>& exists) const;
    // After a job that printed `printed`: what to ask, if anything. Done
    // resets the sequence.
    Next afterJob(const std::vector<int>& printed, const std::function<bool(int)>& exists);
    // The user answered OK to the question afterJob returned: the next job
    // is set up (it runs without the print dialog).
    void proceed();
    // The user cancelled: the pass flag and the counter are reset.
    void cancel();

    int from() const { return m_from; }
    int to() const { return m_to; }
    bool secondPass() const { return m_secondPass; }
    int jobsRun() const { return m_jobs; }

private:
    int m_rangeFrom;
    int m_from;
    int m_to;
    bool m_onePage;
    bool m_twoSided;
    bool m_secondPass = false;
    int m_jobs = 0;
    int m_lastPrinted = 0;
    Next m_pending = Next::Done;
};

}  // namespace orvex::print
