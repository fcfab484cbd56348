// Arranging the instances' main windows: the rectangles for one to nine
// windows stacked and side by side over a work area, the place operation's
// text both ways, and the operation reaching the frame through the
// instance control (a malformed rectangle does nothing).
#include <gtest/gtest.h>

#include <ostream>

#include "shell/EditorSession.h"
#include "shell/HandOver.h"
#include "shell/InstanceArrangement.h"
#include "shell/InstanceControl.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakeFrameHost.h"
#include "winmsg/MessageLayer.h"

using namespace orvex;
using namespace orvex::shell;

namespace {

void PrintTo(const ScreenRect& r, std::ostream* os) { *os << placementText(r); }

struct ArrangeRow {
    const char* name;
    int count;
    bool sideBySide;
    std::vector<ScreenRect> rects;
};
void PrintTo(const ArrangeRow& r, std::ostream* os) { *os << r.name; }

class Arrangement : public ::testing::TestWithParam<ArrangeRow> {};

TEST_P(Arrangement, Rectangles) {
    const ScreenRect area{10, 20, 1200, 900};
    EXPECT_EQ(arrangeInstances(GetParam().count, area, GetParam().sideBySide), GetParam().rects);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Arrangement,
    ::testing::Values(
        ArrangeRow{"OneFillsTheArea", 1, false, {{10, 20, 1200, 900}}},
        ArrangeRow{"ThreeStacked", 3, false, {{10, 20, 1200, 300}, {10, 320, 1200, 300}, {10, 620, 1200, 300}}},
        ArrangeRow{"TwoSideBySide", 2, true, {{10, 20, 600, 900}, {610, 20, 600, 900}}},
        // Five side by side: a top row of three and a bottom row of two,
        // each W / 3 wide and H / 2 high.
        ArrangeRow{"FiveSideBySide",
                   5,
                   true,
                   {{10, 20, 400, 450}, {410, 20, 400, 450}, {810, 20, 400, 450}, {10, 470, 400, 450},
                    {410, 470, 400, 450}}},
        // Four stacked: two columns of two, the first two on the left.
        ArrangeRow{"FourStacked",
                   4,
                   false,
                   {{10, 20, 600, 450}, {10, 470, 600, 450}, {610, 20, 600, 450}, {610, 470, 600, 450}}},
        ArrangeRow{"NoneGivesNothing", 0, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Arrangement, MoreThanNineAreNotArranged) {
    EXPECT_EQ(arrangeInstances(20, {0, 0, 900, 900}, true).size(), size_t(kMaxArrangedInstances));
}

TEST(Placement, TextBothWaysAndMalformedText) {
    const ScreenRect r{-5, 30, 640, 480};
    EXPECT_EQ(parsePlacement(placementText(r)), r);
    for (const char* bad : {"", "1 2 3", "1 2 3 4 5", "1 2 0 4", "1 2 3 -4", "a b c d", "1 2 3 4x"})
        EXPECT_FALSE(parsePlacement(bad).has_value()) << bad;
}

class PlaceOperation : public shell::test::SessionFixture {};

TEST_F(PlaceOperation, ReachesTheFrameThroughTheControlMessage) {
    orvex::test::FakeFrameHost host;
    session->setFrameHost(&host);
    InstanceControl control(*session);
    const win::Handle h = control.attach();
    const std::string good = "100 50 800 600", bad = "100 50";
    win::sendMessage(h, kControlMessage, kCtlPlaceWindow, reinterpret_cast<win::LParam>(good.c_str()));
    win::sendMessage(h, kControlMessage, kCtlPlaceWindow, reinterpret_cast<win::LParam>(bad.c_str()));
    win::sendMessage(h, kControlMessage, kCtlPlaceWindow, 0);
    EXPECT_EQ(host.placed, (std::vector<ScreenRect>{{100, 50, 800, 600}}));
    session->setFrameHost(nullptr);
}

}  // namespace
