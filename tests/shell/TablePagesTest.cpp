// The numbered menu labels, the pages' key lists and categories, the Linux
// key set, and key edits on stored tables that hold a combination twice.
#include <gtest/gtest.h>

#include "common/commands/CommandRegistry.h"
#include "shell/CommandCategories.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"
#include "shell/NumberedLabels.h"

using namespace orvex;
using namespace orvex::shell;

namespace {

struct LabelRow {
    const char* title;
    NumberedFamily family;
    int n;
    bool accessKeys;
    const char* label;
};

class NumberedLabel : public ::testing::TestWithParam<LabelRow> {};

TEST_P(NumberedLabel, FollowsTheOneRule) {
    const LabelRow& r = GetParam();
    EXPECT_EQ(numberedMenuLabel(r.title, r.family, r.n, r.accessKeys), r.label);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberedLabel,
    ::testing::Values(LabelRow{"", NumberedFamily::FixedString, 3, true, "定型文字列3(&3)"},
                      LabelRow{"", NumberedFamily::Format, 4, false, "整形4"},
                      LabelRow{"", NumberedFamily::KeyMacroPlay, 10, true, "ｷｰﾏｸﾛ再生10(&0)"},
                      LabelRow{"", NumberedFamily::KeyMacroRecord, 11, true, "ｷｰﾏｸﾛ記録開始/終了11(&A)"},
                      LabelRow{"", NumberedFamily::KeyMacroPlay, 20, true, "ｷｰﾏｸﾛ再生20(&J)"},
                      LabelRow{"Mail", NumberedFamily::MacroRun, 2, true, "Mail(&2)"},
                      LabelRow{"M&ail", NumberedFamily::MacroRun, 2, true, "M&ail"},
                      LabelRow{"Mail", NumberedFamily::MacroRun, 2, false, "Mail"},
                      LabelRow{"", NumberedFamily::Keyword, 1, true, "0&1 "},
                      LabelRow{"", NumberedFamily::Keyword, 10, true, "1&0 "},
                      LabelRow{"Types", NumberedFamily::Keyword, 20, true, "2&0 Types"},
                      LabelRow{"", NumberedFamily::Keyword, 7, false, "ｷｰﾜｰﾄﾞ7"}));

TEST(KeyPage, LettersNeedAltOrCtrl) {
    EXPECT_TRUE(keysOfKind(KeyKind::AlphaNumeric, false, false, true).empty());
    const auto ctrl = keysOfKind(KeyKind::AlphaNumeric, false, true, false);
    ASSERT_EQ(ctrl.size(), 48u);
    EXPECT_EQ(ctrl.front().name, "Ctrl+0");
    EXPECT_EQ(ctrl[10].name, "Ctrl+A");
    EXPECT_EQ(ctrl.back().name, "Ctrl+_");
    const auto special = keysOfKind(KeyKind::Special, true, true, true);
    ASSERT_EQ(special.size(), 27u);
    EXPECT_EQ(special.front().name, "Alt+Ctrl+Shift+Esc");
    EXPECT_EQ(keysOfKind(KeyKind::Keypad, false, false, false).size(), 16u);
}

TEST(KeyPage, EveryDefaultKeyCommandHasACategoryAndADescription) {
    for (const settings::KeyAssignment& k : defaultKeyTable()) {
        EXPECT_GE(categoryOf(keyPageCategories(), k.command), 0) << k.command;
        EXPECT_FALSE(commandDescription(k.command).empty()) << k.command;
    }
    EXPECT_EQ(categoryOf(keyPageCategories(), cmd::kUndo), 1);
    EXPECT_EQ(categoryOf(menuPageCategories(), cmd::kSelectMenu), 3);
    EXPECT_EQ(commandShortName(cmd::kFileNew), "新規作成");
    EXPECT_EQ(commandDescription(cmd::kFileNew), "新規にﾌｧｲﾙを作成");
}

TEST(KeyPage, LinuxKeySetOverridesOnlyItsKeys) {
    const settings::KeyTable t = linuxKeyTable();
    const KeyLookup keys(t);
    EXPECT_EQ(keys.find('A', false, true, false), std::optional<uint16_t>(cmd::kSelectAll));
    EXPECT_EQ(keys.find('Z', false, true, false), std::optional<uint16_t>(cmd::kUndo));
    EXPECT_EQ(keys.find('Z', true, true, false), std::optional<uint16_t>(cmd::kRedo));
    EXPECT_EQ(keys.find(0x72, false, false, false), std::optional<uint16_t>(cmd::kFindNext));
    EXPECT_EQ(keys.find('G', false, true, false), std::optional<uint16_t>(cmd::kGoToLine));
    EXPECT_EQ(keys.find('B', false, true, false), std::optional<uint16_t>(cmd::kKeyMacroPlay));
    EXPECT_EQ(keys.find('L', false, true, false), std::optional<uint16_t>(cmd::kKeyMacroRecord));
    EXPECT_TRUE(t.changed);
    // A key combination maps to one command only.
    for (int i = 0; i < t.count; ++i)
        for (int j = i + 1; j < t.count; ++j)
            EXPECT_FALSE(t.records[size_t(i)].key == t.records[size_t(j)].key &&
                         t.records[size_t(i)].flags == t.records[size_t(j)].flags);
}

TEST(KeyPage, AssignOverAStoredDuplicateTookNoEffect) {
    // A stored table holding Ctrl+K twice: the new assignment must win.
    settings::KeyTable t;
    const uint8_t ctrl = kKeyVirtual | kKeyNoInvert | kKeyCtrl;
    t.records[0] = {ctrl, 'K', cmd::kDeleteToLineEnd};
    t.records[1] = {ctrl, 'K', cmd::kDeleteLine};
    t.count = 2;
    ASSERT_EQ(assignKey(t, kKeyCtrl, 'K', cmd::kDuplicateLine), AssignResult::Assigned);
    EXPECT_EQ(t.count, 1);
    EXPECT_EQ(KeyLookup(t).find('K', false, true, false), std::optional<uint16_t>(cmd::kDuplicateLine));
    t.records[1] = {ctrl, 'K', cmd::kDeleteLine};
    t.count = 2;
    EXPECT_TRUE(unassignKey(t, kKeyCtrl, 'K'));
    EXPECT_EQ(t.count, 0);
}

}  // namespace
