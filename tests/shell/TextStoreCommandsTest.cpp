// Fixed strings, the clipboard history and the scrap book as commands of
// the headless session with a scripted frame: the sheet stores titles and
// texts only on OK (the file follows at the frame's save), each of the
// twenty insertions and the popups put their text at the caret, and the
// history takes clipboard texts only while it is switched on.
#include <gtest/gtest.h>

#include "settings/FixedStrings.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameStores.h"
#include "shell/TextStoreCommands.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakeFrameHost.h"
#include "text/CLuView.h"

using namespace orvex;
using namespace orvex::shell;

namespace {

class ScriptedFrame final : public orvex::test::FakeFrameHost {
public:
    bool editFixedStrings(FixedStringsRequest& r) override {
        ++sheets;
        seen = r;
        if (!answer) return false;
        r = *answer;
        return true;
    }
    int chooseFromMenu(const std::vector<std::string>& l) override {
        labels = l;
        return choice;
    }
    void showTextStores(bool scrap) override { shownScrap.push_back(scrap); }
    void textStoresChanged() override { ++storeChanges; }

    int sheets = 0, choice = -1, storeChanges = 0;
    std::optional<FixedStringsRequest> answer;
    FixedStringsRequest seen;
    std::vector<std::string> labels;
    std::vector<bool> shownScrap;
};

class TextStoreCommandsTest : public shell::test::SessionFixture {
protected:
    TextStoreCommandsTest() { session->setFrameHost(&frame); }
    ~TextStoreCommandsTest() override { session->setFrameHost(nullptr); }
    EditorWindow* newWindow() {
        session->setFrameHost(nullptr);  // the fake frame keeps no windows
        EditorWindow* w = session->newDocument();
        session->setFrameHost(&frame);
        return w;
    }
    static std::string text(EditorWindow* w) { return std::string(w->document().doc().text().view()); }

    ScriptedFrame frame;
};

TEST_F(TextStoreCommandsTest, SheetStoresTitlesAndTextsOnlyOnOk) {
    session->settings().frame.teikeiTT[2] = "old";
    ASSERT_TRUE(session->router().run(cmd::kFixedStringsEdit));
    EXPECT_EQ(frame.seen.titles[2], "old");
    EXPECT_EQ(session->settings().frame.teikeiTT[2], "old");  // cancelled
    EXPECT_NE(session->fixedStrings().state(), settings::FixedStrings::State::Changed);

    FixedStringsRequest edited = frame.seen;
    edited.titles[2] = "sig";
    edited.texts[2] = "-- \r\n\x8e\x52\x93\x63";  // two lines, the second in Shift JIS
    frame.answer = edited;
    ASSERT_TRUE(session->router().run(cmd::kFixedStringsEdit));
    EXPECT_EQ(session->settings().frame.teikeiTT[2], "sig");
    EXPECT_EQ(session->fixedStrings().text(2), edited.texts[2]);
    EXPECT_EQ(session->fixedStrings().state(), settings::FixedStrings::State::Changed);
    EXPECT_EQ(frame.menuTextRefreshes, 1);

    // The frame's save writes "OrvexT1.dat": twenty zero-terminated texts.
    session->saveStores();
    const std::string file = orvex::test::TempFolder::read(folder.file("data/OrvexT1.dat"));
    EXPECT_EQ(file, std::string(2, '\0') + edited.texts[2] + std::string(18, '\0'));
}

struct SlotRow {
    int slot;
    CommandId id;
};

class FixedStringInsertion : public TextStoreCommandsTest, public ::testing::WithParamInterface<SlotRow> {};

TEST_P(FixedStringInsertion, EachCommandInsertsItsSlotAtTheCaret) {
    const SlotRow r = GetParam();
    EXPECT_EQ(TextStoreCommands::fixedStringCommand(r.slot), r.id);
    EXPECT_EQ(TextStoreCommands::fixedStringSlot(r.id), r.slot);
    session->fixedStrings().setText(r.slot, "slot" + std::to_string(r.slot + 1));
    EditorWindow* w = newWindow();
    w->activeView().insertText("ab");
    w->activeView().placeCursor(0, 1);
    ASSERT_TRUE(session->router().run(r.id));
    EXPECT_EQ(text(w), "aslot" + std::to_string(r.slot + 1) + "b");
}

INSTANTIATE_TEST_SUITE_P(Slots, FixedStringInsertion,
                         ::testing::Values(SlotRow{0, 33008}, SlotRow{9, 33017}, SlotRow{10, 33058},
                                           SlotRow{19, 33067}));

TEST_F(TextStoreCommandsTest, ReadOnlyDocumentRefusesTheInsertion) {
    session->fixedStrings().setText(0, "x");
    session->settings().document.editEnable = 0;  // read only means no edits
    EditorWindow* w = newWindow();
    w->document().doc().setReadOnly(true);
    ASSERT_TRUE(session->router().run(cmd::kFixedString));
    EXPECT_EQ(text(w), "");
}

TEST_F(TextStoreCommandsTest, MenuLabelsFollowTheNumberedRule) {
    session->settings().frame.teikeiTT[2] = "abc";
    session->settings().frame.teikeiTT[3] = "a&bc";
    EXPECT_EQ(session->textStores().fixedStringLabel(2, true), "abc(&3)");
    EXPECT_EQ(session->textStores().fixedStringLabel(3, true), "a&bc");
    EXPECT_EQ(session->textStores().fixedStringLabel(4, true), "定型文字列5(&5)");
    EXPECT_EQ(session->textStores().fixedStringLabel(19, false), "定型文字列20");
}

TEST_F(TextStoreCommandsTest, PopupsInsertTheChosenEntry) {
    EditorWindow* w = newWindow();
    session->fixedStrings().setText(11, "twelve");
    frame.choice = 11;
    ASSERT_TRUE(session->router().run(cmd::kFixedStringMenu));
    ASSERT_EQ(frame.labels.size(), 20u);
    EXPECT_EQ(frame.labels[11], "定型文字列12(&B)");
    EXPECT_EQ(text(w), "twelve");

    // The scrap popup lists the newest first, each entry's first line.
    session->scrapBook().add("old");
    session->scrapBook().add("new\r\nsecond line");
    frame.choice = 1;
    ASSERT_TRUE(session->router().run(cmd::kScrapMenu));
    EXPECT_EQ(frame.labels, (std::vector<std::string>{"new...", "old"}));
    EXPECT_EQ(text(w), "twelveold");
}

TEST_F(TextStoreCommandsTest, HistoryTakesClipboardTextsOnlyWhileOn) {
    const std::string a = "a", b = "b";
    session->textStores().clipboardChanged(&a);
    EXPECT_TRUE(session->clipboardHistory().empty());
    session->settings().frame.clipHistory = 1;
    session->textStores().clipboardChanged(&a);
    session->textStores().clipboardChanged(&a);  // put back from the history: not new
    session->textStores().clipboardChanged(nullptr);  // not text
    session->textStores().clipboardChanged(&b);
    EXPECT_EQ(session->clipboardHistory().entries(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(frame.storeChanges, 2);
}

TEST_F(TextStoreCommandsTest, WindowCommandsOpenTheirTab) {
    ASSERT_TRUE(session->router().run(cmd::kClipboardHistory));
    ASSERT_TRUE(session->router().run(cmd::kScrapList));
    EXPECT_EQ(frame.shownScrap, (std::vector<bool>{false, true}));
}

}  // namespace
