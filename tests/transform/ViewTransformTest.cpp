// The conversion and formatting commands on a view: ranges, caret
// placement, one undo step per command, key-macro records by id, the
// refusal on a read-only document, box selections, the dialogs' data and
// formatted paste.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "settings/EditorProfile.h"
#include "tests/text/view/ViewHarness.h"
#include "transform/TransformDialogs.h"
#include "transform/ViewConversions.h"
#include "transform/ViewFormatting.h"

using namespace orvex;
using namespace orvex::transform;
using orvex::test::RecordingKeyMacro;
using orvex::test::sj;

namespace {

class ScriptedTransformDialogs final : public TransformDialogs {
public:
    std::deque<SortDialogData> sorts;
    std::deque<int> brackets;
    std::deque<FormatWidthData> widths;
    std::deque<std::pair<SheetAction, FormatSheetData>> sheets;
    std::deque<int> menuChoices;
    std::vector<std::vector<std::string>> menus;
    std::vector<FormatWidthData> widthAsked;

    bool askSort(SortDialogData& d) override {
        if (sorts.empty()) return false;
        d = sorts.front();
        sorts.pop_front();
        return true;
    }
    bool askBracket(BracketDialogData& d) override {
        if (brackets.empty()) return false;
        d.chosen = brackets.front();
        brackets.pop_front();
        return true;
    }
    bool askFormatWidth(FormatWidthData& d) override {
        widthAsked.push_back(d);
        if (widths.empty()) return false;
        d = widths.front();
        widths.pop_front();
        return true;
    }
    SheetAction runFormatSheet(FormatSheetData& d) override {
        if (sheets.empty()) return SheetAction::Cancel;
        auto s = sheets.front();
        sheets.pop_front();
        d = s.second;
        return s.first;
    }
    int choosePreset(const std::vector<std::string>& titles) override {
        menus.push_back(titles);
        if (menuChoices.empty()) return -1;
        const int c = menuChoices.front();
        menuChoices.pop_front();
        return c;
    }
};

class ViewTransformTest : public ::testing::Test {
protected:
    void load(std::string_view marked, int32_t wrap = 80) {
        formatting.reset();
        conversions.reset();
        h = std::make_unique<test::ViewHarness>(marked, wrap);
        TransformServices s;
        s.profile = &profile;
        s.state = &state;
        s.dialogs = &dialogs;
        s.clipboard = &h->fake.clipboard;
        s.messages = &h->fake.messages;
        s.now = [] {
            std::tm t{};
            t.tm_year = 2001 - 1900;
            t.tm_mon = 10;
            t.tm_mday = 4;
            return t;
        };
        s.setLineMax = [this](int, int w) { lineMax = w; };
        conversions = std::make_unique<ViewConversions>(*h->view, s);
        formatting = std::make_unique<ViewFormatting>(*h->view, s);
    }
    void command(CommandId id) { EXPECT_TRUE(h->view->onCommand(id)) << id; }
    void undo() { command(cmd::kUndo); }

    settings::EditorProfile profile;
    TransformState state;
    ScriptedTransformDialogs dialogs;
    int lineMax = 0;
    std::unique_ptr<test::ViewHarness> h;
    std::unique_ptr<ViewConversions> conversions;
    std::unique_ptr<ViewFormatting> formatting;
};

TEST_F(ViewTransformTest, WithoutASelectionRepeatingWalksOneCharacterAtATime) {
    load("|ab ｶﾞc");
    command(cmd::kToUpperCase);
    command(cmd::kToUpperCase);
    EXPECT_EQ(h->marked(), "AB| ｶﾞc");
    command(cmd::kToFullWidth);
    command(cmd::kToFullWidth);
    EXPECT_EQ(h->marked(), "AB　ガ|c");
    h->load("ab|");
    command(cmd::kToUpperCase);  // at the end of the text nothing happens
    EXPECT_EQ(h->marked(), "ab|");
    EXPECT_FALSE(h->doc.isModified());
}

TEST_F(ViewTransformTest, ASelectionIsConvertedInOneUndoStepWithTheCaretAtItsStart) {
    load("x[ＡＢＣ　１２３]y");
    command(cmd::kToHalfWidthAlnum);
    EXPECT_EQ(h->marked(), "x|ABC 123y");
    undo();
    EXPECT_EQ(h->text(), "xＡＢＣ　１２３y");
}

TEST_F(ViewTransformTest, CommandsAreRecordedByTheirIdsAndRefusedOnAReadOnlyDocument) {
    load("[abc]");
    h->macro.slot = 1;
    command(cmd::kToUpperCase);
    command(cmd::kRemoveLineEnds);
    command(cmd::kFormat);
    EXPECT_EQ(h->macro.words, (std::vector<uint32_t>{RecordingKeyMacro::word(cmd::kToUpperCase),
                                                     RecordingKeyMacro::word(cmd::kRemoveLineEnds),
                                                     RecordingKeyMacro::word(cmd::kFormat)}));
    EditSettings locked;
    locked.editEnable = false;
    h->doc.setEditSettings(locked);
    h->doc.setReadOnly(true);
    h->view->selectRange(0, 3);
    command(cmd::kToLowerCase);
    EXPECT_EQ(h->text(), "ABC");
    CommandState st;
    EXPECT_TRUE(h->view->onUpdateCommand(cmd::kFormat, st));
    EXPECT_FALSE(st.enabled);
}

TEST_F(ViewTransformTest, LineEndCommandsWorkOnTheWholeTextWithoutASelection) {
    load("A\r\n\r\n\r\nB|\r\n\r\nC");
    command(cmd::kRemoveBlankLines);
    EXPECT_EQ(h->marked(), "|A\r\nB\r\nC");
    undo();
    EXPECT_EQ(h->text(), "A\r\n\r\n\r\nB\r\n\r\nC");
}

TEST_F(ViewTransformTest, TabsNeedASelectionAndKeepWhatPrecedesIt) {
    load("\ta|\tb");
    command(cmd::kTabsToBlanks);
    EXPECT_EQ(h->text(), "\ta\tb");
    h->load("\ta[\tb]");
    command(cmd::kTabsToBlanks);
    EXPECT_EQ(h->text(), "\ta   b");
}

TEST_F(ViewTransformTest, IndentAlignAndSortWorkOnWholeLines) {
    load("[ab\r\ncd\r\n]ef");
    command(cmd::kIndent);
    EXPECT_EQ(h->text(), "\tab\r\n\tcd\r\nef");
    h->load("  x|y  ");
    h->options.modes.wrapNum = 10;
    command(cmd::kAlignRight);
    EXPECT_EQ(h->text(), "        xy");
    h->load("[b\r\nc\r\na]");
    dialogs.sorts.push_back(SortDialogData{});
    command(cmd::kSort);
    EXPECT_EQ(h->text(), "a\r\nb\r\nc\r\n");
    undo();
    EXPECT_EQ(h->text(), "b\r\nc\r\na");
}

TEST_F(ViewTransformTest, ABoxSelectionConvertsOnlyTheBoxInOneUndoStep) {
    load("abcd\r\nefgh\r\nijkl");
    h->state.boxMode = true;
    h->view->placeCursor(0, 1);
    h->view->updateCursor(true, ScrollMode::None, SelectionUpdate::Clear);
    h->run({test::key(vk::kShift), test::key(vk::kDown, 2), test::key(vk::kRight, 2), test::keyUp(vk::kShift)});
    command(cmd::kToUpperCase);
    EXPECT_EQ(h->text(), "aBCd\r\neFGh\r\niJKl");
    undo();
    EXPECT_EQ(h->text(), "abcd\r\nefgh\r\nijkl");
}

TEST_F(ViewTransformTest, BracketsEncloseTheSelectionAsOneStep) {
    profile.options.brakets = "[],()";
    load("a[bc]d");
    dialogs.brackets.push_back(1);
    command(cmd::kInsertBrackets);
    EXPECT_EQ(h->text(), "a(bc)d");
    undo();
    EXPECT_EQ(h->text(), "abcd");
    EXPECT_EQ(state.lastBracket, 1);
}

TEST_F(ViewTransformTest, DateTimeAndWrapBreaks) {
    load("|");
    profile.options.insDateYoubi = 10;
    command(cmd::kInsertDate);
    EXPECT_EQ(h->text(), "平成13年11月4日");
    h->load("abcdefghijklmnop", 10);
    command(cmd::kBreakAtWrap);
    EXPECT_EQ(h->text(), "abcdefghij\r\nklmnop");
}

TEST_F(ViewTransformTest, APresetFormatsTheTextAndUndoesInOneStep) {
    profile.presets[0].seikei = 4;
    load("abcdef|gh");
    command(cmd::kFormat);
    EXPECT_EQ(h->marked(), "|abcd\r\nefgh");
    undo();
    EXPECT_EQ(h->text(), "abcdefgh");
    profile.presets[0].seikeiParagraph = 1;  // the caret's line only
    h->load("abcdefgh\r\nxyzwv|u");
    command(cmd::kFormat);
    EXPECT_EQ(h->text(), "abcdefgh\r\nxyzw\r\nvu");
}

TEST_F(ViewTransformTest, TheWidthIsAskedAndTheWrapWidthFollowsWhenThePresetSaysSo) {
    profile.presets[0].wrapInf = 1;
    profile.presets[0].modifyAutoCR = 1;
    load("abcdef");
    dialogs.widths.push_back(FormatWidthData{3, false, 0});
    command(cmd::kFormat);
    EXPECT_EQ(h->text(), "abc\r\ndef");
    EXPECT_EQ(profile.presets[0].seikei, 3);
    EXPECT_EQ(lineMax, 3);
    command(cmd::kFormat);  // cancelled: nothing
    EXPECT_EQ(h->text(), "abc\r\ndef");
}

TEST_F(ViewTransformTest, FormattedPasteInsertsTheFormattedClipboardText) {
    profile.presets[1].seikei = 2;
    load("x|y");
    h->fake.clipboard.setText(sj("abcd"), false);
    command(cmd::kFormattedPaste);
    EXPECT_EQ(h->text(), "xab\r\ncdy");
    undo();
    EXPECT_EQ(h->text(), "xy");
}

TEST_F(ViewTransformTest, TheSheetStoresClampedPresetsAndRunsTheShownOne) {
    load("abcdef");
    FormatSheetData d;
    d.presets = profile.presets;
    d.presets[2].seikei = 3;
    d.presets[5].seikeiKinsokuWrap = 500;
    d.page = 2;
    dialogs.sheets.push_back({SheetAction::Run, d});
    command(cmd::kFormatSheet);
    EXPECT_EQ(profile.presets[5].seikeiKinsokuWrap, 20);
    EXPECT_EQ(state.sheetPage, 2);
    EXPECT_EQ(h->text(), "abc\r\ndef");
    dialogs.menuChoices.push_back(1);  // "整形2" is the second entry of the menu
    undo();
    command(cmd::kFormatMenu);
    ASSERT_EQ(dialogs.menus.size(), 1u);
    EXPECT_EQ(test::utf8(dialogs.menus[0][1]), "整形2");
    EXPECT_EQ(h->text(), "abc\r\ndef");
}

}  // namespace
