// Key lookup, key names, menu labels and the key page's edits.
#include <gtest/gtest.h>

#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"
#include "shell/KeyNames.h"

using namespace orvex;
using namespace orvex::shell;

namespace {

settings::KeyTable defaultTable() {
    settings::KeyTable t;  // nothing stored: count 0
    applyKeyDefaults(t);
    return t;
}

}  // namespace

TEST(KeyTableDefaults, NothingStoredGivesTheBuiltInTables) {
    settings::KeyTable keys;
    applyKeyDefaults(keys);
    EXPECT_EQ(keys.count, 42);
    settings::IdTable40 menu;
    applyMenuDefaults(menu);
    EXPECT_EQ(menu.count, 26);
    EXPECT_EQ(menu.records[12], 32893u);
    settings::IdTable80 tb1;
    applyToolbar1Defaults(tb1);
    EXPECT_EQ(tb1.count, 35);
    EXPECT_EQ(tb1.records[14], kSearchBoxId);
    // A stored table is kept; a count beyond the array is clamped.
    settings::IdTable40 stored;
    stored.count = 3;
    applyMenuDefaults(stored);
    EXPECT_EQ(stored.count, 3);
    stored.count = 1000;
    applyMenuDefaults(stored);
    EXPECT_EQ(stored.count, 40);
}

TEST(KeyLookupTest, ModifiersMustMatchExactly) {
    KeyLookup lookup(defaultTable());
    EXPECT_EQ(lookup.find('Z', false, true, false), 57643);
    EXPECT_EQ(lookup.find('A', false, true, false), 57644);  // redo, not select all
    EXPECT_EQ(lookup.find(0x08, false, true, true), 57643);   // Alt+Ctrl+BackSpace
    EXPECT_EQ(lookup.find(0x24, false, true, false), 32778);
    EXPECT_EQ(lookup.find(0x24, true, true, false), 32803);
    EXPECT_FALSE(lookup.find('Z', true, true, false));        // Ctrl+Shift+Z is not assigned
    EXPECT_FALSE(lookup.find('Z', false, false, false));      // plain letters go to the view
    EXPECT_FALSE(lookup.find(0x25, false, false, false));     // plain Left too
    EXPECT_EQ(lookup.find(0x2D, false, false, false), 32781);
}

TEST(KeyLookupTest, FirstRecordWinsForADuplicatedCombination) {
    settings::KeyTable t;
    t.records[0] = {kKeyVirtual | kKeyNoInvert | kKeyCtrl, 'Q', 100};
    t.records[1] = {kKeyVirtual | kKeyNoInvert | kKeyCtrl, 'Q', 200};
    t.count = 2;
    EXPECT_EQ(KeyLookup(t).find('Q', false, true, false), 100);
}

TEST(KeyNamesTest, NamesAndPrefixes) {
    EXPECT_EQ(keyName('7'), "7");
    EXPECT_EQ(keyName('Q'), "Q");
    EXPECT_EQ(keyName(0x25), "←");
    EXPECT_EQ(keyName(0x6C), "Enter");
    EXPECT_EQ(keyName(0xE2), "_");
    EXPECT_EQ(keyName(0x07), "");
    EXPECT_EQ(keyNameWithModifiers(kKeyShift | kKeyCtrl | kKeyAlt, 0x70), "Alt+Ctrl+Shift+F1");
    EXPECT_EQ(keyNameWithModifiers(kKeyCtrl, 0x07), "");
    KeyLookup lookup(defaultTable());
    EXPECT_EQ(lookup.keyNames(57643), "Alt+Ctrl+BackSpace Ctrl+Z");
    EXPECT_EQ(lookup.keyNames(57634), "Ctrl+Insert Ctrl+C");
    EXPECT_EQ(lookup.keyNames(32920), "Ctrl+E");
    EXPECT_EQ(lookup.keyNames(1), "");
    EXPECT_EQ(specialKeys().size(), 27u);
    EXPECT_EQ(keypadKeys().size(), 16u);
    EXPECT_EQ(punctuationKeys().size(), 12u);
}

TEST(KeyPageEdits, ReassigningCtrlZMovesItAndUndoKeepsItsOtherKey) {
    settings::KeyTable t = defaultTable();
    t.changed = false;
    ASSERT_EQ(assignKey(t, kKeyCtrl, 'Z', 32813), AssignResult::Assigned);
    EXPECT_TRUE(t.changed);
    EXPECT_EQ(t.count, 42);  // one removed, one appended
    EXPECT_EQ(t.records[41].command, 32813);
    EXPECT_EQ(t.records[41].key, 'Z');
    EXPECT_EQ(t.records[41].flags, kKeyVirtual | kKeyNoInvert | kKeyCtrl);
    KeyLookup lookup(t);
    EXPECT_EQ(lookup.keyNames(57643), "Alt+Ctrl+BackSpace");
    EXPECT_EQ(menuTextWithKeys("元に戻す(&U)\tAlt+Ctrl+BackSpace Ctrl+Z", lookup.keyNames(57643)),
              "元に戻す(&U)\tAlt+Ctrl+BackSpace");
    EXPECT_EQ(lookup.keyNames(32813), "Ctrl+Y Ctrl+Z");
}

TEST(KeyPageEdits, UnassignAndTheFullTable) {
    settings::KeyTable t = defaultTable();
    EXPECT_TRUE(unassignKey(t, kKeyCtrl, 'A'));
    EXPECT_EQ(t.count, 41);
    EXPECT_EQ(t.records[18].key, 'B');  // later records moved up
    EXPECT_FALSE(unassignKey(t, kKeyCtrl, 'A'));
    EXPECT_EQ(findKeyRecord(t, kKeyCtrl | kKeyShift, 0x24), 4);

    settings::KeyTable full;
    for (int i = 0; i < 256; ++i) full.records[i] = {kKeyVirtual | kKeyNoInvert | kKeyCtrl, uint16_t(0x100 + i), 1};
    full.count = 256;
    full.records[0] = {kKeyVirtual | kKeyNoInvert | kKeyCtrl, 'Z', 57643};
    // Full even though Ctrl+Z is already there: nothing changes.
    EXPECT_EQ(assignKey(full, kKeyCtrl, 'Z', 32813), AssignResult::TableFull);
    EXPECT_EQ(full.records[0].command, 57643);
    EXPECT_EQ(full.count, 256);
}

TEST(MenuLabels, CutAtTabAndAppendNames) {
    EXPECT_EQ(menuTextWithKeys("開く(&O)...", "Ctrl+O"), "開く(&O)...\tCtrl+O");
    EXPECT_EQ(menuTextWithKeys("開く(&O)...\tF9", ""), "開く(&O)...");
    EXPECT_EQ(menuTextWithKeys("x", ""), "x");
}
