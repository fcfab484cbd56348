// The settings reach the layout: a mode's values, the global line-breaking
// sets and the colours that switch comment and class tracking on.
#include <gtest/gtest.h>

#include "display/ProfileLayout.h"

using namespace orvex;

TEST(ProfileLayout, ModeValuesColoursAndTitles) {
    settings::ModeOptions mode;
    mode.tabStops = 32;
    mode.lineMax = 72;
    mode.adjCol = 1;
    mode.kinsoku = 1;
    mode.cmntSel = 3;
    mode.ttwdSel = {1, 0, 1, 0};
    settings::EditorOptions editor;
    editor.kinsokuWrap = 2;
    settings::ColourOptions colours;
    colours.textColorN[4] = 0x008000;
    colours.textColorN[10] = 0x0000FF;
    settings::DocumentOptions document;
    document.titleStr[0] = "#";

    LayoutOptions o = layoutOptionsFor(mode, editor, colours, document, true);
    EXPECT_EQ(o.tabWidth(), 8);
    EXPECT_EQ(o.lineMax, 72);
    EXPECT_TRUE(o.adjCol);
    EXPECT_TRUE(o.kinsoku);
    EXPECT_FALSE(o.wordWrap);
    EXPECT_EQ(o.hangLimit(), 2);
    EXPECT_EQ(o.commentType(), 3);
    EXPECT_FALSE(o.classEnabled(1));  // on, but TextColor5 is not set
    EXPECT_TRUE(o.classEnabled(3));   // on and TextColor10 set
    EXPECT_EQ(o.titleStr[0], "#");
    EXPECT_TRUE(o.tagFile);
    // Without the comment colour there is no comment tracking.
    colours.textColorN[4] = -1;
    EXPECT_EQ(layoutOptionsFor(mode, editor, colours, document, false).commentType(), 0);
}

TEST(ProfileLayout, DefaultsAgreeWithTheProfile) {
    LayoutOptions plain;
    LayoutOptions fromProfile = layoutOptionsFor(settings::ModeOptions{}, settings::EditorOptions{},
                                                 settings::ColourOptions{}, settings::DocumentOptions{}, false);
    EXPECT_EQ(plain.kinsokuStr1, fromProfile.kinsokuStr1);
    EXPECT_EQ(plain.kinsokuStr2, fromProfile.kinsokuStr2);
    EXPECT_EQ(plain.tabWidth(), fromProfile.tabWidth());
    EXPECT_EQ(plain.lineMax, fromProfile.lineMax);
    EXPECT_FALSE(plain.kinsokuStr1.empty());
}
