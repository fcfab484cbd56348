// Key macros in the headless session: recording through the router, the
// view's keys and typing; playback into another document; playback inside
// another recording; slot files; macros that play each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "keymacro/KeyMacroFile.h"
#include "keymacro/KeyMacroSlots.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakePlatform.h"
#include "text/ViewHost.h"
#include "text/VirtualKeys.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

class KeyMacroSession : public shell::test::SessionFixture {
protected:
    EditorWindow* open(const std::string& name, const std::string& bytes) {
        const std::string p = folder.file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return session->openFile(p);
    }
    std::string text(EditorWindow* w) const { return std::string(w->document().doc().text().view()); }
    CommandRouter& router() { return session->router(); }
    keymacro::KeyMacroSlots& slots() { return session->keyMacros(); }
    void typeChars(const std::string& s) {
        for (char c : s) session->activeView()->character(uint8_t(c));
    }
};

TEST_F(KeyMacroSession, TypingAbcRecordsThreeTextRecords) {
    session->newDocument();
    router().run(cmd::kKeyMacroRecord);
    typeChars("abc");
    router().run(cmd::kKeyMacroRecord);
    EXPECT_EQ(slots().slot(0).words,
              (std::vector<uint32_t>{0x10102, 'a', 0x10102, 'b', 0x10102, 'c'}));
}

TEST_F(KeyMacroSession, KeysRecordDownAndUpWithClampedRepeat) {
    session->newDocument();
    router().run(cmd::kKeyMacroRecord);
    session->activeView()->keyDown(vk::kLeft, 300);
    session->activeView()->keyUp(vk::kLeft, 1);
    router().run(cmd::kKeyMacroRecord);
    EXPECT_EQ(slots().slot(0).words, (std::vector<uint32_t>{keymacro::makeRecord(256, 37 * 256 + 255),
                                                            keymacro::makeRecord(257, 37 * 256 + 1)}));
}

TEST_F(KeyMacroSession, PlayingByTheKeyTableReplaysIntoAnotherDocument) {
    EditorWindow* a = open("a.txt", "one\r\ntwo\r\n");
    // Ctrl+L starts and ends recording slot 1, Ctrl+B plays it (defaults).
    router().pressKey('L', false, true, false);
    router().pressKey(vk::kEnd, false, false, false);
    typeChars("!");
    router().run(cmd::kDuplicateLine);
    router().pressKey('L', false, true, false);
    EXPECT_EQ(text(a), "one!\r\none!\r\ntwo\r\n");
    EditorWindow* b = open("b.txt", "one\r\ntwo\r\n");
    ASSERT_EQ(session->activeWindow(), b);
    router().pressKey('B', false, true, false);
    EXPECT_EQ(text(b), text(a));
    EXPECT_EQ(b->activeView().cursor(), a->activeView().cursor());
}

TEST_F(KeyMacroSession, PlayingInsideAnotherRecordingRecordsItAgain) {
    session->newDocument();
    router().run(cmd::kKeyMacroRecord);
    typeChars("xy");
    router().run(cmd::kFileTop);
    session->activeView()->keyDown(vk::kRight, 1);
    router().run(cmd::kKeyMacroRecord);
    const std::vector<uint32_t> first = slots().slot(0).words;

    router().run(cmd::kKeyMacroRecord2);  // slot 2
    router().run(cmd::kKeyMacroPlay);     // slot 1, into slot 2's recording
    router().run(cmd::kKeyMacroRecord2);
    EXPECT_EQ(slots().slot(1).words, first);
}

TEST_F(KeyMacroSession, PlayingTheRecordingSlotDoesNothing) {
    EditorWindow* w = session->newDocument();
    slots().setSlot(0, {keymacro::makeRecord(258, 1), 'q'});
    router().run(cmd::kKeyMacroRecord);
    EXPECT_FALSE(router().state(cmd::kKeyMacroPlay).enabled);
    router().run(cmd::kKeyMacroPlay);
    EXPECT_EQ(text(w), "");
    EXPECT_FALSE(router().state(cmd::kKeyMacroRecord2).enabled);
    EXPECT_TRUE(router().state(cmd::kKeyMacroRecord).checked);
}

TEST_F(KeyMacroSession, TheSlotFileReplacesALoadedSlotBeforePlaying) {
    EditorWindow* w = session->newDocument();
    // Slot file 1 says "f"; a file loaded into slot 1 says "L".
    std::filesystem::create_directories(folder.file("data"));
    ASSERT_TRUE(keymacro::writeKeyMacroFile(folder.file("data/OrvexK1.km"), std::vector<uint32_t>{0x10102, 'f'}));
    ASSERT_TRUE(keymacro::writeKeyMacroFile(folder.file("mine.km"), std::vector<uint32_t>{0x10102, 'L'}));
    fakes.fileDialogs.answer(FileDialogResult{{folder.file("mine.km")}});
    router().run(cmd::kKeyMacroLoad);
    EXPECT_EQ(slots().slot(0).words, (std::vector<uint32_t>{0x10102, 'L'}));
    EXPECT_TRUE(router().state(cmd::kKeyMacroSave).enabled);
    router().run(cmd::kKeyMacroPlay);
    EXPECT_EQ(text(w), "f");
}

TEST_F(KeyMacroSession, SaveWritesSlotOneWhereTheUserChose) {
    session->newDocument();
    EXPECT_FALSE(router().state(cmd::kKeyMacroSave).enabled);
    slots().setSlot(0, {32778, 32779});
    fakes.fileDialogs.answer(FileDialogResult{{folder.file("out.km")}});
    router().run(cmd::kKeyMacroSave);
    ASSERT_EQ(fakes.fileDialogs.requests.size(), 1u);
    EXPECT_TRUE(fakes.fileDialogs.requests[0].save);
    EXPECT_EQ(keymacro::readKeyMacroFile(folder.file("out.km")).words, (std::vector<uint32_t>{32778, 32779}));
    // A folder that does not exist: the open failure is reported.
    fakes.fileDialogs.answer(FileDialogResult{{folder.file("none/out.km")}});
    router().run(cmd::kKeyMacroSave);
    EXPECT_EQ(fakes.messages.ids(), std::vector<int>{strings::kCannotOpenFile});
}

TEST_F(KeyMacroSession, MacrosThatPlayEachOtherEnd) {
    EditorWindow* w = session->newDocument();
    // Slot 1 types "a" and plays slot 2; slot 2 types "b" and plays slot 1.
    slots().setSlot(0, {0x10102, 'a', cmd::kKeyMacroPlay2});
    slots().setSlot(1, {0x10102, 'b', cmd::kKeyMacroPlay});
    router().run(cmd::kKeyMacroPlay);
    EXPECT_EQ(text(w), "ab");
}

TEST_F(KeyMacroSession, AMacroThatRecordsIntoItselfPlaysWhatItHeld) {
    EditorWindow* w = session->newDocument();
    // Playing slot 1 starts a recording in slot 1, which empties its list.
    slots().setSlot(0, {0x10102, 'a', cmd::kKeyMacroRecord, 0x10102, 'b'});
    router().run(cmd::kKeyMacroPlay);
    EXPECT_EQ(text(w), "ab");
    EXPECT_EQ(slots().recordingSlot(), 1);
    EXPECT_EQ(slots().slot(0).words, (std::vector<uint32_t>{0x10102, 'b'}));
}

TEST_F(KeyMacroSession, GoToLinePlaysBackWithoutTheDialog) {
    EditorWindow* a = open("a.txt", "1\r\n2\r\n3\r\n4\r\n");
    EditorWindow* b = open("b.txt", "1\r\n2\r\n3\r\n4\r\n");
    session->setActiveWindow(a);
    struct LineAsker final : ViewHost {
        std::optional<int32_t> askLineNumber(int32_t) override {
            ++asked;
            return 3;
        }
        int asked = 0;
    } asker;
    a->viewHost(0).setTarget(&asker);
    const int& asked = asker.asked;
    router().run(cmd::kKeyMacroRecord);
    router().run(cmd::kGoToLine);
    router().run(cmd::kKeyMacroRecord);
    ASSERT_EQ(asked, 1);
    session->setActiveWindow(b);
    router().run(cmd::kKeyMacroPlay);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(b->activeView().cursor().row, 2);
    EXPECT_EQ(b->activeView().jumpLine(), 3);
}

// ---- Playback equivalence

// A random script of keys, typing and commands recorded into slot 1 on one
// copy of a text, then played on another copy: the texts and carets agree.
TEST_F(KeyMacroSession, RandomScriptsPlayBackToTheLiveResult) {
    const std::string start = "int main()\r\n{\r\n\treturn 0; \x82\xa0\x82\xa2\r\n}\r\n\r\nlast line";
    const CommandId commands[] = {cmd::kWordLeft,   cmd::kWordRight,   cmd::kDuplicateLine, cmd::kDeleteLine,
                                  cmd::kSelectWord, cmd::kCopy,        cmd::kPaste,         cmd::kCut,
                                  cmd::kUndo,       cmd::kRedo,        cmd::kFileTop,       cmd::kFileBottom,
                                  cmd::kNextLine,   cmd::kDeleteToLineEnd, cmd::kBlankLine, cmd::kSelectLine,
                                  cmd::kTab,        cmd::kEnter,       cmd::kHome,          cmd::kEnd};
    const uint16_t keys[] = {vk::kLeft, vk::kRight, vk::kUp, vk::kDown, vk::kHome, vk::kEnd, vk::kBack, vk::kDelete};
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto pick = [&](size_t n) { return size_t(rng() % n); };
        fakes.clipboard.externalChange("clip");
        const EditorState startState = session->state();
        EditorWindow* live = open("live" + std::to_string(seed) + ".txt", start);
        router().run(cmd::kKeyMacroRecord);
        for (int step = 0; step < 60; ++step) {
            CLuView& v = *session->activeView();
            switch (pick(6)) {
            case 0: typeChars(std::string(1, char('a' + pick(26)))); break;
            case 1: typeChars("\x82\xa4"); break;
            case 2: v.inputMethodText("\x93\xfa\x96\x7b"); break;
            case 3: {
                const bool shift = pick(3) == 0;
                if (shift) v.keyDown(vk::kShift);
                router().pressKey(keys[pick(std::size(keys))], false, pick(4) == 0, false);
                if (shift) v.keyUp(vk::kShift);
                break;
            }
            case 4:
            case 5: router().run(commands[pick(std::size(commands))]); break;
            }
        }
        router().run(cmd::kKeyMacroRecord);
        const std::string liveText = text(live);
        const TextPosition liveCaret = live->activeView().cursor();

        fakes.clipboard.externalChange("clip");
        session->state() = startState;
        EditorWindow* copy = open("copy" + std::to_string(seed) + ".txt", start);
        router().run(cmd::kKeyMacroPlay);
        EXPECT_EQ(text(copy), liveText);
        EXPECT_EQ(copy->activeView().cursor(), liveCaret);
        session->state() = startState;
        live->document().doc().setModified(false);
        copy->document().doc().setModified(false);
        session->closeAllDocuments();
    }
}

}  // namespace
