// The colour table: default chains, system colours, the "coloured like text
// means off" rule, attribute colours and the settings converter.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "display/ColourTable.h"
#include "display/KeywordMatcher.h"
#include "display/RenderSettings.h"
#include "settings/AppOptions.h"

namespace orvex {
namespace {

using test::distinctColours;

constexpr Colour kRed = rgb(255, 0, 0), kGreen = rgb(0, 200, 0), kBlue = rgb(0, 0, 255);

TEST(ColourTable, UnsetSlotsFollowTheirDefaultChains) {
    SystemColours sys;
    sys.windowText = rgb(10, 20, 30);
    sys.window = rgb(250, 240, 230);
    sys.buttonText = rgb(1, 2, 3);
    StoredColours s = unsetColours();
    s[size_t(ColourSlot::Text3)] = kGreen;
    s[size_t(ColourSlot::Url)] = kBlue;
    const ColourTable t = ColourTable::resolve(s, sys);

    const Colour text = sys.windowText, window = sys.window;
    struct Case {
        ColourSlot slot;
        Colour expected;
    } cases[] = {
        {ColourSlot::Text, text},        {ColourSlot::Window, window},    {ColourSlot::Cr, 0xFF0000},
        {ColourSlot::Eof, 0xFF0000},     {ColourSlot::Line, 0xFF0000},    {ColourSlot::Rula, sys.buttonText},
        {ColourSlot::LineNo, text},      {ColourSlot::LineNo2, text},     {ColourSlot::Text2, text},
        {ColourSlot::Text3, kGreen},     {ColourSlot::Text4, text},       {ColourSlot::Text7, kGreen},
        {ColourSlot::Text8, text},       {ColourSlot::Text15, text},      {ColourSlot::Url, kBlue},
        {ColourSlot::Mail, kBlue},       {ColourSlot::CurLine, text},     {ColourSlot::CurLineBk, window},
        {ColourSlot::FindText, text},    {ColourSlot::SelText, window},   {ColourSlot::Window2, text},
    };
    for (const Case& c : cases) EXPECT_EQ(t.colour(c.slot), c.expected) << int(c.slot);
    EXPECT_TRUE(t.isSet(ColourSlot::Text3));
    EXPECT_FALSE(t.isSet(ColourSlot::Text7));
    EXPECT_EQ(t.rulerInk(), sys.buttonText);
}

TEST(ColourTable, ChainsFollowTheResolvedValueOfTheirSource) {
    StoredColours s = unsetColours();
    s[size_t(ColourSlot::Cr)] = kRed;
    s[size_t(ColourSlot::LineNo)] = kGreen;
    s[size_t(ColourSlot::Text)] = kBlue;
    const ColourTable t = ColourTable::resolve(s);
    EXPECT_EQ(t.colour(ColourSlot::Eof), kRed);
    EXPECT_EQ(t.colour(ColourSlot::LineNo2), kGreen);
    EXPECT_EQ(t.colour(ColourSlot::Window2), kBlue);  // selection background: the text colour
    EXPECT_EQ(t.colour(ColourSlot::Mail), kBlue);     // through URLColor, itself TextColor
}

TEST(ColourTable, AbsurdStoredValuesAreCutOrUnset) {
    StoredColours s = unsetColours();
    s[size_t(ColourSlot::Text)] = 0x7F123456;
    s[size_t(ColourSlot::Window)] = -5;
    const ColourTable t = ColourTable::resolve(s);
    EXPECT_EQ(t.colour(ColourSlot::Text), 0x123456u);
    EXPECT_FALSE(t.isSet(ColourSlot::Window));
    EXPECT_EQ(t.colour(ColourSlot::Window), SystemColours{}.window);
}

TEST(ColourTable, AFeatureColouredLikeTextIsOff) {
    StoredColours s = distinctColours();
    ColourTable on = ColourTable::resolve(s);
    EXPECT_TRUE(on.urlsColoured());
    EXPECT_TRUE(on.mailColoured());

    // URLColor set to the very value of TextColor turns URLs off; MailColor
    // keeps its own colour.
    s[size_t(ColourSlot::Url)] = s[size_t(ColourSlot::Text)];
    ColourTable t = ColourTable::resolve(s);
    EXPECT_FALSE(t.urlsColoured());
    EXPECT_TRUE(t.mailColoured());

    // Unset slots that default to TextColor are off.
    const ColourTable plain = ColourTable::resolve(unsetColours());
    EXPECT_FALSE(plain.urlsColoured());
    EXPECT_FALSE(plain.mailColoured());
    EXPECT_FALSE(plain.foundColoured());
    EXPECT_FALSE(plain.commentsColoured());
    for (int g = 1; g <= 8; ++g) EXPECT_FALSE(plain.keywordGroupColoured(g)) << g;
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(plain.classColoured(k)) << k;
    EXPECT_FALSE(plain.caretLineText());
    EXPECT_FALSE(plain.caretLineBackground());
}

TEST(ColourTable, AttributeColours) {
    const StoredColours s = distinctColours();
    const ColourTable t = ColourTable::resolve(s);
    struct Case {
        uint8_t code;
        ColourSlot text;
    } cases[] = {
        {attr::kText, ColourSlot::Text},      {attr::kSelection, ColourSlot::SelText},
        {attr::kComment, ColourSlot::Text4},  {attr::kMark, ColourSlot::Text2},
        {attr::kKeyword1, ColourSlot::Text3}, {attr::kClass1, ColourSlot::Text5},
        {attr::kClass2, ColourSlot::Text6},   {attr::kKeyword2, ColourSlot::Text7},
        {attr::kKeyword3, ColourSlot::Text8}, {attr::kKeyword4, ColourSlot::Text9},
        {attr::kClass3, ColourSlot::Text10},  {attr::kClass4, ColourSlot::Text11},
        {attr::kUrl, ColourSlot::Url},        {attr::kMail, ColourSlot::Mail},
        {attr::kCaretLine, ColourSlot::CurLine}, {attr::kFound, ColourSlot::FindText},
        {16, ColourSlot::Text12},             {17, ColourSlot::Text13},
        {18, ColourSlot::Text14},             {19, ColourSlot::Text15},
        {attr::kMark2, ColourSlot::Text2},    {77, ColourSlot::Text},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.foreground(c.code), t.colour(c.text)) << int(c.code);
        EXPECT_EQ(t.foreground(uint8_t(c.code | attr::kCaretBackground)), t.colour(c.text)) << int(c.code);
    }
    const Colour window = t.colour(ColourSlot::Window), caretBk = t.colour(ColourSlot::CurLineBk);
    EXPECT_EQ(t.background(attr::kText), window);
    EXPECT_EQ(t.background(attr::kUrl), window);
    EXPECT_EQ(t.background(attr::kUrl | attr::kCaretBackground), caretBk);
    EXPECT_EQ(t.background(attr::kCaretLine), caretBk);
    EXPECT_EQ(t.background(attr::kSelection), t.colour(ColourSlot::Window2));
    EXPECT_EQ(t.background(attr::kSelection | attr::kCaretBackground), t.colour(ColourSlot::Window2));
    for (int g = 1; g <= 8; ++g) EXPECT_EQ(t.foreground(attr::keywordCode(g)), t.colour(ColourTable::keywordSlot(g)));
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(t.foreground(attr::classCode(k)), t.colour(ColourTable::classSlot(k)));
}

TEST(ColourTable, KeywordGroupsNeedTheirSwitchAndAColourOtherThanText) {
    StoredColours s = unsetColours();
    s[size_t(ColourSlot::Text3)] = kGreen;  // group 1 set; group 2 follows it without being set
    s[size_t(ColourSlot::Text8)] = kRed;    // group 3
    s[size_t(ColourSlot::Text9)] = kRed;    // group 4, switched off below
    const ColourTable t = ColourTable::resolve(s);
    const auto on = keywordGroupsOn({-1, -1, 1, 0, 1, 0, 0, 0}, t);
    EXPECT_TRUE(on[0]);   // -1 and TextColor3 set
    EXPECT_FALSE(on[1]);  // -1 and TextColor7 not set, although it resolves to a colour
    EXPECT_TRUE(on[2]);
    EXPECT_FALSE(on[3]);  // switched off
    EXPECT_FALSE(on[4]);  // switched on, but coloured like text
    // Explicitly on, group 2 colours in group 1's colour.
    EXPECT_TRUE(keywordGroupsOn({1, 1, 0, 0, 0, 0, 0, 0}, t)[1]);
}

TEST(ColourTable, ConvertsTheStoredSettings) {
    settings::ColourOptions c;
    c.textColor = 0x111111;
    c.textColorN[7] = 0x070707;
    c.textColorN[15] = 0x151515;
    c.urlColor = 0x0000FF;
    c.mailColor = -1;
    c.windowColor2 = 0x222222;
    const StoredColours s = storedColours(c);
    EXPECT_EQ(s[size_t(ColourSlot::Text)], 0x111111);
    EXPECT_EQ(s[size_t(ColourSlot::Text7)], 0x070707);
    EXPECT_EQ(s[size_t(ColourSlot::Text15)], 0x151515);
    EXPECT_EQ(s[size_t(ColourSlot::Cr)], 0xFF0000);
    EXPECT_EQ(s[size_t(ColourSlot::Window2)], 0x222222);
    EXPECT_EQ(s[size_t(ColourSlot::Mail)], -1);
    const ColourTable t = ColourTable::resolve(s);
    EXPECT_EQ(t.colour(ColourSlot::Mail), 0x0000FFu);
}

}  // namespace
}  // namespace orvex
