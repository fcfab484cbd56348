// The recorder: the slot commands' numbering, what recording writes for
// typed text, keys and long texts, and the enabled and checked rules.
#include <gtest/gtest.h>

#include "keymacro/KeyMacroPlayer.h"
#include "keymacro/KeyMacroRecords.h"
#include "keymacro/KeyMacroSlots.h"

using namespace orvex;
using namespace orvex::keymacro;

namespace {

struct SlotRange {
    CommandId first;
    CommandId last;
    int firstSlot;
    bool record;
};

class SlotNumbering : public ::testing::TestWithParam<SlotRange> {};

TEST_P(SlotNumbering, EveryIdOfTheRangeGivesItsSlotAndBack) {
    const SlotRange r = GetParam();
    for (CommandId id = r.first; id <= r.last; ++id) {
        const int slot = r.firstSlot + (id - r.first);
        EXPECT_EQ(r.record ? recordSlotOf(id) : playSlotOf(id), slot) << id;
        EXPECT_EQ(r.record ? playSlotOf(id) : recordSlotOf(id), -1) << id;
        EXPECT_EQ(r.record ? recordCommandOf(slot) : playCommandOf(slot), id);
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, SlotNumbering,
                         ::testing::Values(SlotRange{32854, 32854, 0, true}, SlotRange{32934, 32937, 1, true},
                                           SlotRange{33030, 33034, 5, true}, SlotRange{33083, 33092, 10, true},
                                           SlotRange{32853, 32853, 0, false}, SlotRange{32938, 32941, 1, false},
                                           SlotRange{33035, 33039, 5, false}, SlotRange{33093, 33102, 10, false}));

TEST(SlotNumbering, NeighboursOfTheRangesAreNoSlotCommands) {
    for (CommandId id : {32852, 32855, 32933, 32942, 33029, 33040, 33082, 33103}) {
        EXPECT_EQ(recordSlotOf(id), -1) << id;
        EXPECT_EQ(playSlotOf(id), -1) << id;
    }
    EXPECT_EQ(slotFileName(0), "OrvexK1.km");
    EXPECT_EQ(slotFileName(19), "OrvexK20.km");
}

// ---- Text words

struct TextWords {
    const char* text;
    std::vector<uint32_t> words;
};

class TextPacking : public ::testing::TestWithParam<TextWords> {};

TEST_P(TextPacking, PacksLittleEndianWithNulAndZeroPadding) {
    EXPECT_EQ(packText(GetParam().text), GetParam().words);
    EXPECT_EQ(unpackText(GetParam().words), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextPacking,
                         ::testing::Values(TextWords{"", {0}}, TextWords{"a", {0x61}}, TextWords{"abc", {0x00636261}},
                                           TextWords{"abcd", {0x64636261, 0}}, TextWords{"aaaaa", {0x61616161, 0x61}},
                                           TextWords{"\x82\xa0", {0xA082}}, TextWords{"12345678", {0x34333231, 0x38373635, 0}}));

TEST(TextPacking, UnpackStopsAtTheFirstNulAndTakesAllWithoutOne) {
    EXPECT_EQ(unpackText(std::vector<uint32_t>{0x00006261, 0x63636363}), "ab");
    EXPECT_EQ(unpackText(std::vector<uint32_t>{0x64636261}), "abcd");
}

// ---- Recording

class Recorder : public ::testing::Test {
protected:
    KeyMacroSlots slots;  // no folder: no slot files
};

TEST_F(Recorder, RecordsOnlyWhileASlotRecords) {
    slots.record(32778, 0);
    slots.recordText(kText, "x");
    EXPECT_TRUE(slots.slot(0).words.empty());
    ASSERT_TRUE(slots.toggleRecording(0));
    slots.record(32778, 0);
    slots.record(kKeyDown, keyParameter(0x25, 300));
    ASSERT_TRUE(slots.toggleRecording(0));
    EXPECT_EQ(slots.slot(0).words, (std::vector<uint32_t>{32778, makeRecord(kKeyDown, 0x25FF)}));
}

TEST_F(Recorder, TypedTextOfRepeatedKeysUsesTheWordRule) {
    slots.toggleRecording(0);
    slots.recordText(kText, "aaa");    // r < 4: one word
    slots.recordText(kText, "aaaa");   // (4 + 4) / 4 = 2
    slots.recordText(kText, std::string(9, 'a'));  // (9 + 4) / 4 = 3
    const std::vector<uint32_t>& w = slots.slot(0).words;
    ASSERT_EQ(w.size(), 2u + 3u + 4u);
    EXPECT_EQ(w[0], makeRecord(kText, 1));
    EXPECT_EQ(w[2], makeRecord(kText, 2));
    EXPECT_EQ(w[5], makeRecord(kText, 3));
}

TEST_F(Recorder, TextBeyondOneRecordIsSplitNeverTruncated) {
    // 300,001 bytes of double-byte characters and line ends: two records,
    // no character and no CR LF cut in two, the whole text kept.
    std::string text;
    while (text.size() < 300000) text += "\x82\xa0\x82\xa2\r\n";
    text += "z";
    slots.toggleRecording(0);
    slots.recordText(kText, text);
    const std::vector<uint32_t>& w = slots.slot(0).words;
    std::string back;
    int records = 0;
    for (size_t k = 0; k < w.size(); ++k) {
        ASSERT_EQ(codeOf(w[k]), kText);
        const size_t n = parameterOf(w[k]);
        ASSERT_LE(k + n, w.size() - 1);
        const std::string piece = unpackText(std::span<const uint32_t>(w).subspan(k + 1, n));
        EXPECT_EQ(n, textWordCount(piece.size()));
        EXPECT_NE(piece.back(), '\r');
        back += piece;
        k += n;
        ++records;
    }
    EXPECT_EQ(records, 2);
    EXPECT_EQ(back, text);
}

TEST_F(Recorder, SplitPiecesEndOnCharacterBoundaries) {
    // A limit that would fall inside a double-byte character or a CR LF.
    const std::string text = "a\x82\xa0\r\nb";
    EXPECT_EQ(splitForRecords(text, 2), (std::vector<std::string_view>{"a", "\x82\xa0", "\r\n", "b"}));
    EXPECT_EQ(splitForRecords(text, 4), (std::vector<std::string_view>{"a\x82\xa0", "\r\nb"}));
    EXPECT_EQ(splitForRecords("abc", 3), (std::vector<std::string_view>{"abc"}));
}

TEST_F(Recorder, SearchStringTooLongForARecordIsNotRecorded) {
    slots.toggleRecording(0);
    slots.recordText(cmd::kCopyToFindBox, std::string(kMaxTextBytes + 1, 'q'));
    EXPECT_TRUE(slots.slot(0).words.empty());
    slots.recordText(cmd::kCopyToFindBox, std::string(kMaxTextBytes, 'q'));
    ASSERT_FALSE(slots.slot(0).words.empty());
    EXPECT_EQ(slots.slot(0).words[0], makeRecord(cmd::kCopyToFindBox, 0xFFFF));
}

TEST_F(Recorder, OnlyTheRecordingSlotToggles) {
    int changes = 0;
    slots.setRecordingChanged([&] { ++changes; });
    slots.setSlot(4, {1, 2});
    ASSERT_TRUE(slots.toggleRecording(2));
    EXPECT_FALSE(slots.toggleRecording(4));  // another slot records: nothing
    EXPECT_EQ(slots.recordingSlot(), 3);
    EXPECT_EQ(slots.slot(4).words.size(), 2u);
    EXPECT_FALSE(slots.slot(2).valid);
    ASSERT_TRUE(slots.toggleRecording(2));
    EXPECT_EQ(slots.recordingSlot(), 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(Recorder, EnabledAndCheckedStatesFollowTheRecordingSlot) {
    EXPECT_TRUE(slots.recordState(0).enabled);
    EXPECT_FALSE(slots.recordState(0).checked);
    EXPECT_TRUE(slots.playState(0).enabled);  // an empty slot may be played
    EXPECT_FALSE(slots.saveEnabled());
    slots.toggleRecording(3);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(slots.recordState(i).enabled, i == 3) << i;
        EXPECT_EQ(slots.recordState(i).checked, i == 3) << i;
        EXPECT_EQ(slots.playState(i).enabled, i != 3) << i;
    }
    slots.toggleRecording(3);
    slots.toggleRecording(0);
    EXPECT_FALSE(slots.saveEnabled());
    slots.toggleRecording(0);
    EXPECT_TRUE(slots.saveEnabled());
}

// ---- The walk of a list

class ScriptTarget final : public PlaybackTarget {
public:
    void keyDown(uint16_t k, int32_t r) override { log += "down " + std::to_string(k) + "x" + std::to_string(r) + ";"; }
    void keyUp(uint16_t k, int32_t r) override { log += "up " + std::to_string(k) + ";"; }
    void typeText(std::string_view s) override { log += "type " + std::string(s) + ";"; }
    void setSearchString(std::string_view s) override { log += "search " + std::string(s) + ";"; }
    void setReplaceString(std::string_view s) override { log += "replace " + std::string(s) + ";"; }
    void setJumpLine(int32_t l) override { log += "jump " + std::to_string(l) + ";"; }
    void runBatchReplace() override { log += "batch;"; }
    void runCommand(CommandId id) override { log += "run " + std::to_string(id) + ";"; }
    void clearModifierLatches() override { log += "clear;"; }
    std::string log;
};

TEST(Playback, WalksTheListAsRecorded) {
    std::vector<uint32_t> w = {makeRecord(kKeyDown, 0x2503), makeRecord(kKeyUp, 0x2501), 32778};
    auto addText = [&](uint16_t code, std::string_view t) {
        const auto words = packText(t);
        w.push_back(makeRecord(code, uint16_t(words.size())));
        w.insert(w.end(), words.begin(), words.end());
    };
    addText(kText, "hello");
    addText(cmd::kCopyToFindBox, "needle");
    addText(cmd::kReplacementRecord, "thread");
    addText(kJumpLine, "42");
    w.push_back(cmd::kBatchReplace);
    w.push_back(cmd::kFindNext);
    ScriptTarget t;
    KeyMacroSlots recorder;
    recorder.toggleRecording(1);
    playRecords(w, t, &recorder);
    EXPECT_EQ(t.log,
              "clear;down 37x3;up 37;run 32778;type hello;search needle;replace thread;jump 42;batch;run 32773;clear;");
    // The text-carrying records and the batch come back into the recording;
    // keys and commands are recorded by the view and the command path.
    std::vector<uint32_t> expected;
    for (size_t k = 3; k < w.size() - 1; ++k) expected.push_back(w[k]);
    EXPECT_EQ(recorder.slot(1).words, expected);
}

TEST(Playback, CutOffTextRecordEndsThePlayback) {
    const std::vector<uint32_t> w = {32778, makeRecord(kText, 5), 0x61, 32779};
    ScriptTarget t;
    playRecords(w, t, nullptr);
    EXPECT_EQ(t.log, "clear;run 32778;clear;");
}

TEST(Playback, JumpLineTextParsesAsDecimal) {
    EXPECT_EQ(parseJumpLine("17"), 17);
    EXPECT_EQ(parseJumpLine("17x"), 17);
    EXPECT_EQ(parseJumpLine("x"), 0);
    EXPECT_EQ(parseJumpLine("99999999999999"), 2147483647);
}

}  // namespace
