// Keys that reach the view: held-key acceleration, Shift and Ctrl states,
// Escape, the context-menu key, and the key records of a key macro.
#include <gtest/gtest.h>

#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

std::string longLine() { return std::string(400, 'x'); }

TEST(HeldKeys, RightMovesFasterAfterTenAndFortyRepeatsWithKeySpdUp) {
    ViewHarness h("|" + longLine(), 1000);
    h.options.globals.keySpdUp = 1;
    h.run({key(vk::kRight)});  // the press itself
    std::vector<int32_t> steps;
    for (int i = 1; i <= 45; ++i) {
        const int32_t before = h.cursor().byteColumn;
        h.run({key(vk::kRight, 1, true)});
        steps.push_back(h.cursor().byteColumn - before);
    }
    for (int i = 0; i < 10; ++i) EXPECT_EQ(steps[size_t(i)], 1) << "repeat " << i + 1;
    for (int i = 10; i < 40; ++i) EXPECT_EQ(steps[size_t(i)], 2) << "repeat " << i + 1;
    for (int i = 40; i < 45; ++i) EXPECT_EQ(steps[size_t(i)], 4) << "repeat " << i + 1;
}

TEST(HeldKeys, WithoutKeySpdUpEveryRepeatIsOneStep) {
    ViewHarness h("|" + longLine(), 1000);
    h.run({key(vk::kRight)});
    for (int i = 0; i < 45; ++i) h.run({key(vk::kRight, 1, true)});
    EXPECT_EQ(h.cursor().byteColumn, 46);
}

TEST(HeldKeys, ReleasingOrAnotherKeyStartsCountingAgain) {
    ViewHarness h("|" + longLine());
    h.options.globals.keySpdUp = 1;
    h.run({key(vk::kRight)});
    for (int i = 0; i < 20; ++i) h.run({key(vk::kRight, 1, true)});
    EXPECT_EQ(h.view->heldKeyCount(), 20);
    h.run({keyUp(vk::kRight)});
    EXPECT_EQ(h.view->heldKeyCount(), 0);
    h.run({key(vk::kRight), key(vk::kLeft, 1, true)});
    EXPECT_EQ(h.view->heldKeyCount(), 0);
}

TEST(ModifierKeys, ShiftSetsSelectionModeWhileHeld) {
    ViewHarness h("|abc");
    h.run({key(vk::kShift)});
    EXPECT_TRUE(h.state.selectionMode);
    h.run({key(vk::kRight), key(vk::kShift, 1, true), key(vk::kRight)});
    EXPECT_EQ(h.marked(), "[ab|]c");
    h.run({keyUp(vk::kShift)});
    EXPECT_FALSE(h.state.selectionMode);
    h.run({key(vk::kLeft)});
    EXPECT_EQ(h.marked(), "|abc");
}

TEST(ModifierKeys, CtrlIsShownInTheStatusBar) {
    ViewHarness h("abc");
    const int before = h.fake.ui.statusUpdates;
    h.run({key(vk::kControl)});
    EXPECT_TRUE(h.state.controlHeld);
    h.run({keyUp(vk::kControl)});
    EXPECT_FALSE(h.state.controlHeld);
    EXPECT_GE(h.fake.ui.statusUpdates, before + 2);
}

TEST(ModifierKeys, EscapeClearsTheSelectionAndResynchronisesTheFlags) {
    ViewHarness h("a[bc]d");
    h.state.selectionMode = true;
    h.state.controlHeld = true;
    h.host.keysDown = {vk::kControl};
    h.run({key(vk::kEscape), keyUp(vk::kEscape)});
    EXPECT_FALSE(h.view->hasSelection());
    EXPECT_EQ(h.hooks.pendingResets, 1);
    EXPECT_FALSE(h.state.selectionMode);
    EXPECT_TRUE(h.state.controlHeld);
}

TEST(OtherKeys, InsertTogglesOverwrite) {
    ViewHarness h("abc");
    h.run({key(vk::kInsert)});
    EXPECT_EQ(h.state.insOver, 1);
    h.run({key(vk::kInsert)});
    EXPECT_EQ(h.state.insOver, 0);
}

TEST(OtherKeys, ApplicationsKeyOpensTheMenuAtTheCursor) {
    ViewHarness h("ab\r\ncd|");
    h.run({key(vk::kApps)});
    ASSERT_EQ(h.host.menus.size(), 1u);
    EXPECT_EQ(h.host.menus[0].row, 1);
    EXPECT_EQ(h.host.menus[0].column, 2);
}

TEST(OtherKeys, PageKeysTakeTheRepeatCount) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line\r\n";
    ViewHarness h(text);
    h.view->setViewport(10, 10, 80);
    h.run({key(vk::kNext, 2)});
    EXPECT_EQ(h.cursor().row, 20);
}

TEST(OtherKeys, UnknownKeysDoNothing) {
    ViewHarness h("a|b");
    h.run({key(0x70), key('A')});
    EXPECT_EQ(h.marked(), "a|b");
}

TEST(KeyRecords, LeftIsRecordedAsKeyDownAndKeyUp) {
    ViewHarness h("ab|");
    h.macro.slot = 1;
    h.run({key(vk::kLeft), keyUp(vk::kLeft)});
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{RecordingKeyMacro::word(256, 37 * 256 + 1),
                                                    RecordingKeyMacro::word(257, 37 * 256 + 1)}));
}

TEST(KeyRecords, RepeatCountIsCappedAt255) {
    ViewHarness h("ab|");
    h.macro.slot = 1;
    h.run({key(vk::kLeft, 300)});
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{RecordingKeyMacro::word(256, 37 * 256 + 255)}));
}

TEST(KeyRecords, NothingIsRecordedWhileNoSlotRecords) {
    ViewHarness h("ab|");
    h.run({key(vk::kLeft), chars("x"), command(cmd::kCharLeft)});
    EXPECT_TRUE(h.macro.words.empty());
}

TEST(KeyRecords, TypedTextIsATextRecord) {
    ViewHarness h("|");
    h.macro.slot = 2;
    h.run({chars("abcd")});
    // One record per character message: "a" and its NUL fit one word.
    ASSERT_EQ(h.macro.words.size(), 8u);
    EXPECT_EQ(h.macro.words[0], RecordingKeyMacro::word(258, 1));
    EXPECT_EQ(h.macro.words[1], uint32_t('a'));
}

}  // namespace
