// Ranges read from the key tables and the clamping of values handed in by
// a dialog: the same rows decide both, so a page never stores what a load
// would have clamped.
#include <gtest/gtest.h>

#include "settings/AppOptions.h"
#include "settings/EditorOptions.h"
#include "settings/TableRanges.h"

using namespace orvex::settings;

namespace {

struct ModeRow {
    const char* what;
    int ModeOptions::* field;
    int in;
    int out;
};

class ModeClampTest : public ::testing::TestWithParam<ModeRow> {};

TEST_P(ModeClampTest, ClampsAsLoadingDoes) {
    const ModeRow& r = GetParam();
    ModeOptions m;
    m.*r.field = r.in;
    clampToTable(modeOptionsTable(), m);
    EXPECT_EQ(m.*r.field, r.out) << r.what;
}

INSTANTIATE_TEST_SUITE_P(Rows, ModeClampTest,
                         ::testing::Values(ModeRow{"tab below one column", &ModeOptions::tabStops, 0, 4},
                                           ModeRow{"tab beyond sixteen columns", &ModeOptions::tabStops, 1000, 64},
                                           ModeRow{"tab inside", &ModeOptions::tabStops, 32, 32},
                                           ModeRow{"wrap too narrow", &ModeOptions::lineMax, 5, 10},
                                           ModeRow{"wrap too wide", &ModeOptions::lineMax, 99999, 2000},
                                           ModeRow{"negative break column", &ModeOptions::wrapNum, -3, 0},
                                           ModeRow{"unknown comment syntax", &ModeOptions::cmntSel, 12, 8},
                                           ModeRow{"flag without range kept", &ModeOptions::adjCol, 7, 7}));

TEST(TableRanges, RangeOfKnownKeyUnknownKeyAndKeyWithoutRange) {
    const auto tab = intRange(modeOptionsTable(), "TabStops");
    ASSERT_TRUE(tab.has_value());
    EXPECT_EQ(tab->minimum, 4);
    EXPECT_EQ(tab->maximum, 64);
    EXPECT_FALSE(intRange(modeOptionsTable(), "AdjCol").has_value());
    EXPECT_FALSE(intRange(modeOptionsTable(), "NoSuchKey").has_value());
    // A string row of that name is no integer range.
    EXPECT_FALSE(intRange(modeOptionsTable(), "ExtSel").has_value());
}

TEST(TableRanges, NumberedRowsWithoutRangeKeptAndNumberFieldsHaveOne) {
    // The colour table has no ranges: nothing changes, whatever the values.
    ColourOptions c;
    c.textColorN.fill(-7);
    clampToTable(colourOptionsTable(), c);
    EXPECT_EQ(c.textColorN[15], -7);
    // The display rows that the option pages show as numbers all have one.
    for (const char* key : {"RulaPitch", "LeftSpace", "RightSpace", "UpperSpace", "CaretWidth", "CaretWidth2",
                            "AdjChWidth", "KinsokuWrap", "ScrlMrgn", "DispGyoukan"})
        EXPECT_TRUE(intRange(editorOptionsTable(), key).has_value()) << key;
    EditorOptions o;
    o.rulaPitch = 0;
    o.kinsokuWrap = 500;
    clampToTable(editorOptionsTable(), o);
    EXPECT_EQ(o.rulaPitch, 1);
    EXPECT_EQ(o.kinsokuWrap, 20);
}

}  // namespace
