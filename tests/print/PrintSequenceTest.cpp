// Pages of the jobs of one print command: one-page printing with its
// question between pages, two-sided printing with its second pass.
#include <gtest/gtest.h>

#include "print/PrintSequence.h"

namespace orvex::print {
namespace {

using Next = PrintSequence::Next;

auto pagesUpTo(int last) {
    return [last](int page) { return page >= 1 && page <= last; };
}

TEST(PrintSequence, OnePagePrintingOfPagesTwoToFourAsksBetweenPages) {
    PrintSequence s(2, 4, true, false);
    const auto exists = pagesUpTo(10);
    std::vector<int> printed;
    std::vector<Next> asked;
    for (int guard = 0; guard < 10; ++guard) {
        const auto job = s.jobPages(exists);
        printed.insert(printed.end(), job.begin(), job.end());
        const Next n = s.afterJob(job, exists);
        asked.push_back(n);
        if (n == Next::Done) break;
        s.proceed();
    }
    EXPECT_EQ(printed, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(asked, (std::vector<Next>{Next::AskContinue, Next::AskContinue, Next::Done}));
}

TEST(PrintSequence, OnePageStopsWithoutAskingWhereTheTextEnds) {
    PrintSequence s(2, 9, true, false);
    const auto exists = pagesUpTo(2);
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{2}));
    EXPECT_EQ(s.afterJob({2}, exists), Next::Done);
}

TEST(PrintSequence, BackwardsRangeIsPutInOrder) {
    PrintSequence s(4, 2, false, false);
    EXPECT_EQ(s.jobPages(pagesUpTo(10)), (std::vector<int>{2, 3, 4}));
}

TEST(PrintSequence, TwoSidedPrintsOddThenEvenPagesOfTheRange) {
    PrintSequence s(1, 0, false, true);  // to < 1: all pages
    const auto exists = pagesUpTo(5);
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(s.afterJob({1, 3, 5}, exists), Next::AskSecondPass);
    s.proceed();
    EXPECT_TRUE(s.secondPass());
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{2, 4}));
    EXPECT_EQ(s.afterJob({2, 4}, exists), Next::Done);
    EXPECT_FALSE(s.secondPass());
}

TEST(PrintSequence, TwoSidedOfADocumentOnOnePageOffersNoSecondPass) {
    PrintSequence s(1, 0, false, true);
    const auto exists = pagesUpTo(1);
    EXPECT_EQ(s.afterJob(s.jobPages(exists), exists), Next::Done);
}

TEST(PrintSequence, CancelResetsThePassAndTheCounter) {
    PrintSequence s(3, 8, false, true);
    const auto exists = pagesUpTo(8);
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(s.afterJob({3, 5, 7}, exists), Next::AskSecondPass);
    s.cancel();
    EXPECT_FALSE(s.secondPass());
    EXPECT_EQ(s.jobsRun(), 0);
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{3, 5, 7}));
}

TEST(PrintSequence, OnePageWinsOverTwoSided) {
    PrintSequence s(1, 3, true, true);
    const auto exists = pagesUpTo(3);
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{1}));
    EXPECT_EQ(s.afterJob({1}, exists), Next::AskContinue);
    s.proceed();
    EXPECT_EQ(s.jobPages(exists), (std::vector<int>{2}));
}

TEST(PrintSequence, RangeUpToTheLargestPageDoesNotOverflow) {
    PrintSequence s(INT_MAX - 1, INT_MAX, false, true);
    EXPECT_EQ(s.jobPages([](int) { return true; }), (std::vector<int>{INT_MAX - 1}));
}

}  // namespace
}  // namespace orvex::print
