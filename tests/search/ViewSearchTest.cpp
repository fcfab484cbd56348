// The search commands of a view: find next and previous with the
// wrap-around question and the message flags, finding the selection or the
// word at the caret, search and mark, replace with confirmation, batch
// replace, the dialogs' data, the highlight and the key-macro records.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/strings/StringTable.h"
#include "search/SearchCommandIds.h"
#include "search/SearchFrameCommands.h"
#include "search/SearchTexts.h"
#include "search/ViewSearch.h"
#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::search;
using orvex::test::RecordingKeyMacro;
using orvex::test::sj;

namespace {

class ScriptedDialogs final : public SearchDialogs {
public:
    struct Find {
        FindAction action;
        std::string text;  // UTF-8
        SearchFlags flags;
    };
    std::deque<Find> finds;
    std::deque<std::pair<ReplaceAction, ReplaceDialogData>> replaces;
    std::deque<std::pair<BatchAction, BatchDialogData>> batches;
    std::vector<FindDialogData> findAsked;

    FindAction askFind(FindDialogData& d) override {
        findAsked.push_back(d);
        if (finds.empty()) return FindAction::Cancel;
        const Find f = finds.front();
        finds.pop_front();
        d.text = sj(f.text);
        d.flags = f.flags;
        return f.action;
    }
    ReplaceAction askReplace(ReplaceDialogData& d) override {
        if (replaces.empty()) return ReplaceAction::Cancel;
        auto r = replaces.front();
        replaces.pop_front();
        d = r.second;
        return r.first;
    }
    BatchAction askBatch(BatchDialogData& d) override {
        if (batches.empty()) return BatchAction::Cancel;
        auto r = batches.front();
        batches.pop_front();
        d = r.second;
        return r.first;
    }
};

class Repaints final : public SearchStateListener {
public:
    void searchHistoryChanged() override { ++history; }
    void highlightChanged() override { ++highlight; }
    int history = 0, highlight = 0;
};

class ViewSearchTest : public ::testing::Test {
protected:
    void SetUp() override { setUpWith("", false); }
    void setUpWith(std::string_view text, bool highlight) {
        search.reset();
        h = std::make_unique<test::ViewHarness>(text);
        SearchServices s;
        s.state = &state;
        s.dialogs = &dialogs;
        s.highlightFound = highlight;
        search = std::make_unique<ViewSearch>(*h->view, s);
    }
    void load(std::string_view text) { h->load(text); }
    void searchFor(std::string_view utf8, SearchFlags flags = {}) {
        state.addSearchString(sj(utf8));
        state.setFlags(flags);
        state.saveOptionSet(OptionSet::Find);
        state.saveOptionSet(OptionSet::Replace);
    }
    void command(CommandId id) { EXPECT_TRUE(h->view->onCommand(id)) << id; }
    std::vector<int> messages() const { return h->fake.messages.ids(); }
    test::ScriptedMessageBoxes& boxes() { return h->fake.messages; }

    SearchState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<test::ViewHarness> h;
    std::unique_ptr<ViewSearch> search;
};

// ---- Find next and previous

TEST_F(ViewSearchTest, FindNextSelectsTheMatchWithTheCursorAtItsStart) {
    load("|one two one two");
    searchFor("two");
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "one [|two] one two");
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "one two one [|two]");
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "one [|two] one two");
    EXPECT_TRUE(messages().empty());
}

TEST_F(ViewSearchTest, AtTheEndTheWrapQuestionAndYesFindsFromTheTop) {
    load("abc abc|");
    searchFor("abc");
    boxes().answer(MsgResult::Yes);
    command(cmd::kFindNext);
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].textId, strings::kSearchedToEnd);
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(h->marked(), "[|abc] abc");
}

TEST_F(ViewSearchTest, WrapQuestionTowardTheStart) {
    load("|abc abc");
    searchFor("abc");
    boxes().answer(MsgResult::Yes);
    command(cmd::kFindPrevious);
    EXPECT_EQ(messages(), std::vector<int>{strings::kSearchedToTop});
    EXPECT_EQ(h->marked(), "abc [|abc]");
}

TEST_F(ViewSearchTest, WrapYesWithoutAMatchRestoresTheCaretAndReports30000) {
    load("ab|c");
    searchFor("zz");
    boxes().answer(MsgResult::Yes);
    command(cmd::kFindNext);
    EXPECT_EQ(messages(), (std::vector<int>{strings::kSearchedToEnd, strings::kNoMatch}));
    EXPECT_EQ(boxes().shown[1].icon, MsgIcon::Information);
    EXPECT_EQ(h->marked(), "ab|c");
}

TEST_F(ViewSearchTest, NoAndCancelEndSilently) {
    load("ab|c");
    searchFor("zz");
    boxes().answer(MsgResult::No);
    command(cmd::kFindNext);
    boxes().answer(MsgResult::Cancel);
    command(cmd::kFindNext);
    EXPECT_EQ(messages(), (std::vector<int>{strings::kSearchedToEnd, strings::kSearchedToEnd}));
    EXPECT_EQ(h->marked(), "ab|c");
}

TEST_F(ViewSearchTest, MessageFlags) {
    load("ab|c");
    SearchFlags f;
    f.messages = kNoWrapQuestion;
    searchFor("zz", f);
    command(cmd::kFindNext);
    EXPECT_EQ(messages(), std::vector<int>{strings::kNoMatch});
    boxes().clear();
    f.messages = kNoWrapQuestion | kNoFailureMessage;
    searchFor("zz", f);
    command(cmd::kFindNext);
    command(cmd::kFindPrevious);
    EXPECT_TRUE(messages().empty());
    // Only the failure message off: the question is still asked.
    f.messages = kNoFailureMessage;
    searchFor("zz", f);
    boxes().answer(MsgResult::Yes);
    command(cmd::kFindNext);
    EXPECT_EQ(messages(), std::vector<int>{strings::kSearchedToEnd});
}

TEST_F(ViewSearchTest, EmptySearchStringDoesNothingAndBadPatternSays30021) {
    load("a|bc");
    command(cmd::kFindNext);
    EXPECT_TRUE(messages().empty());
    CommandState s;
    h->view->onUpdateCommand(cmd::kFindNext, s);
    EXPECT_FALSE(s.enabled);
    SearchFlags f;
    f.regex = true;
    searchFor("[abc", f);
    command(cmd::kFindNext);
    EXPECT_EQ(messages(), std::vector<int>{strings::kBadRegex});
    EXPECT_EQ(h->marked(), "a|bc");
}

TEST_F(ViewSearchTest, InSelectionSearchesOnlyTheSelectionAndKeepsItsRange) {
    load("ab [ab ab] ab");
    SearchFlags f;
    f.inSelection = true;
    f.messages = kNoWrapQuestion | kNoFailureMessage;
    searchFor("ab", f);
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab ab [|ab] ab");
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab [|ab] ab ab");
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab [|ab] ab ab");
}

// In the selection with a box selection: the range is the stream text from
// the box's ordered start to its end, never the text before or after it.
TEST_F(ViewSearchTest, InSelectionWithABoxFindsOnlyFromItsStartToItsEnd) {
    load("ab ab\r\nab [ab\r\nab] ab");
    h->state.boxMode = true;
    ASSERT_TRUE(h->view->boxSelection());
    SearchFlags f;
    f.inSelection = true;
    f.messages = kNoWrapQuestion | kNoFailureMessage;
    searchFor("ab", f);
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab ab\r\nab ab\r\n[|ab] ab");
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab ab\r\nab [|ab]\r\nab ab");
    // Nothing before the box start.
    command(cmd::kFindPrevious);
    EXPECT_EQ(h->marked(), "ab ab\r\nab [|ab]\r\nab ab");
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "ab ab\r\nab ab\r\n[|ab] ab");
    // Nor after its end.
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "ab ab\r\nab ab\r\n[|ab] ab");
}

TEST_F(ViewSearchTest, ReplaceAllInTheSelectionTouchesNothingOutsideIt) {
    SearchFlags f;
    f.inSelection = true;
    f.messages = kNoWrapQuestion | kNoFailureMessage;
    struct Row {
        bool box;
        const char* text;  // the caret at the selection's end
        const char* expected;
    };
    const Row rows[] = {
        {false, "ab ab\r\nab [ab\r\nab] ab", "ab ab\r\nab xy\r\nxy ab"},
        {true, "ab ab\r\nab [ab\r\nab] ab", "ab ab\r\nab xy\r\nxy ab"},
        // A box drawn from its bottom right to its top left: the same range.
        {true, "ab ab\r\nab |[ab\r\nab] ab", "ab ab\r\nab xy\r\nxy ab"},
        // Double-byte characters stay whole on both sides.
        {true, "漢ab ab\r\n漢[ab ab\r\n漢]ab", "漢ab ab\r\n漢xy xy\r\n漢ab"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        load(r.text);
        if (std::string_view(r.text).find('|') != std::string_view::npos) {
            // Selected backwards: the anchor at the end, the cursor at the start.
            const int32_t s = h->view->selectionStartOffset(), e = h->view->selectionEndOffset();
            h->view->selectRange(e, s);
        }
        h->state.boxMode = r.box;
        ASSERT_EQ(h->view->boxSelection(), r.box);
        searchFor("ab", f);
        state.setReplaceString("xy");
        boxes().clear();
        boxes().answerChoice(int(ConfirmChoice::ReplaceAll));
        command(cmd::kReplaceAll);
        EXPECT_EQ(h->text(), r.expected);
        EXPECT_EQ(boxes().shown.back().text, strings::format(strings::kReplacedCount, {"2"}));
        h->state.boxMode = false;
    }
}

TEST_F(ViewSearchTest, EmptyMatchesMoveOn) {
    load("|a\r\nb\r\nc");
    SearchFlags f;
    f.regex = true;
    searchFor("^", f);
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "|a\r\nb\r\nc");
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "a\r\n|b\r\nc");
    command(cmd::kFindNext);
    EXPECT_EQ(h->marked(), "a\r\nb\r\n|c");
}

// ---- The selection or the word at the caret

TEST_F(ViewSearchTest, SelectedWordBecomesTheSearchStringAtTheTopOfTheHistory) {
    load("[foo] bar foo");
    state.addSearchString("foo");
    state.addSearchString("bar");
    command(cmd::kFindSelectedForward);
    EXPECT_EQ(h->marked(), "foo bar [|foo]");
    EXPECT_EQ(state.searchHistory(), (std::vector<std::string>{"foo", "bar"}));
    EXPECT_EQ(state.searchString(), "foo");
}

TEST_F(ViewSearchTest, WordAtTheCaretByCharacterClass) {
    load("漢字|かなabc 漢字かな");
    command(cmd::kFindSelectedForward);
    EXPECT_EQ(state.searchString(), sj("かな"));
    EXPECT_EQ(h->marked(), "漢字かなabc 漢字[|かな]");
    load("abc |  abc");
    state.setSearchString("x");
    command(cmd::kFindSelectedForward);  // a blank: no word
    EXPECT_EQ(state.searchString(), "x");
    load("ab_1|2+x ab_12");
    command(cmd::kFindSelectedBackward);
    EXPECT_EQ(state.searchString(), "ab_12");
}

TEST_F(ViewSearchTest, CopyToFindBoxDoesNotSearchAndRecordsTheText) {
    load("hello |world");
    Repaints boxesShown;
    state.addListener(&boxesShown);
    h->macro.slot = 1;
    command(cmd::kCopyToFindBox);
    EXPECT_EQ(state.searchString(), "world");
    EXPECT_EQ(boxesShown.history, 1);
    EXPECT_EQ(h->marked(), "hello |world");
    ASSERT_FALSE(h->macro.words.empty());
    EXPECT_EQ(h->macro.words[0], RecordingKeyMacro::word(cmd::kCopyToFindBox, 2));
    state.removeListener(&boxesShown);
}

// ---- Search and mark

TEST_F(ViewSearchTest, SearchAndMarkMarksEachLineOnce) {
    load("x a a\r\nb\r\na|\r\nc a");
    searchFor("a");
    command(cmd::kSearchAndMark);
    const TextStore& t = h->doc.text();
    EXPECT_EQ(t.markedRowCount(), 3);
    EXPECT_TRUE(t.rowFlags(0) & rowflag::kMarked);
    EXPECT_FALSE(t.rowFlags(1) & rowflag::kMarked);
    EXPECT_TRUE(t.rowFlags(2) & rowflag::kMarked);
    EXPECT_TRUE(t.rowFlags(3) & rowflag::kMarked);
    EXPECT_EQ(h->marked(), "|x a a\r\nb\r\na\r\nc a");
    EXPECT_TRUE(messages().empty());
}

// ---- Replace with confirmation

TEST_F(ViewSearchTest, ConfirmReplaceAndNextThenWrapNo) {
    load("|a-a-a");
    searchFor("a");
    state.setReplaceString("bb");
    boxes().answerChoice(int(ConfirmChoice::ReplaceAndNext));
    boxes().answerChoice(int(ConfirmChoice::FindNext));
    boxes().answerChoice(int(ConfirmChoice::ReplaceAndNext));
    boxes().answer(MsgResult::No);  // the wrap question
    command(cmd::kReplaceForward);
    EXPECT_EQ(h->text(), "bb-a-bb");
    ASSERT_EQ(boxes().choices.size(), 3u);
    EXPECT_EQ(boxes().choices[0].title, std::string(texts::kConfirmTitle));
    ASSERT_EQ(boxes().choices[0].buttons.size(), 5u);
    EXPECT_EQ(boxes().choices[0].buttons[3], "全て置換(&A)");
    EXPECT_EQ(messages(), (std::vector<int>{strings::kSearchedToEnd, strings::kReplacedCount}));
    EXPECT_EQ(boxes().shown.back().text, strings::format(strings::kReplacedCount, {"2"}));
    // One undo step per replacement.
    h->doc.undo();
    EXPECT_EQ(h->text(), "bb-a-a");
}

TEST_F(ViewSearchTest, ConfirmReplaceAllReplacesTheRestWithoutAsking) {
    load("a a |a a a");
    searchFor("a");
    state.setReplaceString("xy");
    boxes().answerChoice(int(ConfirmChoice::ReplaceAll));
    command(cmd::kReplaceForward);
    EXPECT_EQ(h->text(), "a a xy xy xy");
    EXPECT_EQ(boxes().shown.back().text, strings::format(strings::kReplacedCount, {"3"}));
    EXPECT_EQ(h->marked(), "a a xy xy xy|");
    for (int i = 0; i < 3; ++i) h->doc.undo();
    EXPECT_EQ(h->text(), "a a a a a");
}

TEST_F(ViewSearchTest, ReplaceAllStartsAtTheTopAndBackwardGoesDown) {
    load("a a a|");
    searchFor("a");
    state.setReplaceString("b");
    boxes().answerChoice(int(ConfirmChoice::ReplaceAndClose));
    command(cmd::kReplaceAll);
    EXPECT_EQ(h->text(), "b a a");
    EXPECT_EQ(h->marked(), "b| a a");
    load("a a a|");
    boxes().clear();
    boxes().answerChoice(int(ConfirmChoice::ReplaceAndNext));
    boxes().answerChoice(int(ConfirmChoice::Close));
    command(cmd::kReplaceBackward);
    EXPECT_EQ(h->text(), "a a b");
    EXPECT_EQ(h->marked(), "a [|a] b");
}

TEST_F(ViewSearchTest, EmptyMatchAndEmptyReplacementSays30054) {
    load("|abc");
    SearchFlags f;
    f.regex = true;
    searchFor("x*", f);
    state.setReplaceString("");
    command(cmd::kReplaceForward);
    EXPECT_EQ(messages(), std::vector<int>{strings::kCannotReplaceCombination});
    EXPECT_TRUE(boxes().choices.empty());
    EXPECT_EQ(h->text(), "abc");
}

TEST_F(ViewSearchTest, ReplacingLineEndsWithDollarEnds) {
    load("|ab\r\ncd");
    SearchFlags f;
    f.regex = true;
    searchFor("$", f);
    state.setReplaceString(";");
    boxes().defaultChoice = int(ConfirmChoice::ReplaceAndNext);
    boxes().answer(MsgResult::No);
    command(cmd::kReplaceForward);
    EXPECT_EQ(h->text(), "ab;\r\ncd;");
}

TEST_F(ViewSearchTest, SpecialCharactersInTheReplacement) {
    load("|a,b");
    searchFor(",");
    state.setReplaceString("\\n");
    state.setSpecialCharacters(true);
    boxes().answerChoice(int(ConfirmChoice::ReplaceAll));
    command(cmd::kReplaceForward);
    EXPECT_EQ(h->text(), "a\r\nb");
    load("|a,b");
    state.setSpecialCharacters(false);
    boxes().answerChoice(int(ConfirmChoice::ReplaceAll));
    command(cmd::kReplaceForward);
    EXPECT_EQ(h->text(), "a\\nb");
}

TEST_F(ViewSearchTest, ReplaceCommandsAreOffOnReadOnlyDocuments) {
    load("|aaa");
    h->doc.setReadOnly(true);
    h->doc.setEditSettings({false, true, true});
    searchFor("a");
    CommandState s;
    h->view->onUpdateCommand(cmd::kReplaceForward, s);
    EXPECT_FALSE(s.enabled);
    command(cmd::kReplaceForward);
    EXPECT_TRUE(boxes().choices.empty());
    EXPECT_EQ(h->text(), "aaa");
}

// ---- Dialogs and key macros

TEST_F(ViewSearchTest, FindDialogSetsStringOptionsAndRecordsStringThenFind) {
    load("|x Abc abc");
    h->macro.slot = 3;
    SearchFlags f;
    f.matchCase = true;
    f.wholeWord = true;
    dialogs.finds.push_back({FindAction::Forward, "abc", f});
    command(cmd::kFind);
    EXPECT_EQ(h->marked(), "x Abc [|abc]");
    EXPECT_EQ(state.optionSet(OptionSet::Find), f);
    EXPECT_EQ(state.searchHistory().front(), "abc");
    const std::vector<uint32_t> expect = {RecordingKeyMacro::word(cmd::kCopyToFindBox, 1), 0x00636261,
                                          RecordingKeyMacro::word(cmd::kFindNext)};
    EXPECT_EQ(h->macro.words, expect);
    // Regular expressions turn whole word off in the saved set.
    f.regex = true;
    dialogs.finds.push_back({FindAction::Mark, "a.c", f});
    command(cmd::kFind);
    EXPECT_FALSE(state.optionSet(OptionSet::Find).wholeWord);
    EXPECT_EQ(h->doc.text().markedRowCount(), 1);
}

TEST_F(ViewSearchTest, ReplaceRecordsTheReplacementFirst) {
    load("|aa");
    searchFor("a");
    state.setReplaceString("b");
    h->macro.slot = 1;
    boxes().answerChoice(int(ConfirmChoice::Close));
    command(cmd::kReplaceForward);
    const std::vector<uint32_t> expect = {RecordingKeyMacro::word(cmd::kReplacementRecord, 1), 0x62,
                                          RecordingKeyMacro::word(cmd::kReplaceForward)};
    EXPECT_EQ(h->macro.words, expect);
}

TEST_F(ViewSearchTest, ReplaceDialogKeepsStringsHistoriesAndOptions) {
    load("|one two one");
    ReplaceDialogData d;
    d.text = "one";
    d.replacement = "1";
    d.flags.matchCase = true;
    d.specialCharacters = true;
    dialogs.replaces.push_back({ReplaceAction::All, d});
    boxes().answerChoice(int(ConfirmChoice::ReplaceAll));
    command(cmd::kReplace);
    EXPECT_EQ(h->text(), "1 two 1");
    EXPECT_EQ(state.replaceHistory(), std::vector<std::string>{"1"});
    EXPECT_TRUE(state.specialCharacters());
    EXPECT_TRUE(state.optionSet(OptionSet::Replace).matchCase);
    EXPECT_FALSE(state.optionSet(OptionSet::Find).matchCase);
}

// ---- Batch replace

TEST_F(ViewSearchTest, BatchPairsInOrderOneUndoStep) {
    load("|abac");
    BatchDialogData d;
    d.pairs.find[0] = "ab";
    d.pairs.replace[0] = "x";
    d.pairs.find[1] = "a";
    d.pairs.replace[1] = "y";
    dialogs.batches.push_back({BatchAction::Run, d});
    command(cmd::kBatchReplace);
    EXPECT_EQ(h->text(), "xyc");
    EXPECT_EQ(state.batchPairs().find[0], "ab");
    EXPECT_EQ(boxes().shown.back().text, strings::format(strings::kReplacedCount, {"2"}));
    h->doc.undo();
    EXPECT_EQ(h->text(), "abac");
    // Closing keeps the edits without running; cancelling drops them.
    d.pairs.find[2] = "c";
    dialogs.batches.push_back({BatchAction::Cancel, d});
    command(cmd::kBatchReplace);
    EXPECT_TRUE(state.batchPairs().find[2].empty());
    dialogs.batches.push_back({BatchAction::Close, d});
    command(cmd::kBatchReplace);
    EXPECT_EQ(state.batchPairs().find[2], "c");
    EXPECT_EQ(h->text(), "abac");
}

TEST_F(ViewSearchTest, BatchInTheSelectionOnly) {
    load("aa [aa] aa");
    state.batchPairs().find[0] = "a";
    state.batchPairs().replace[0] = "b";
    state.setBatchSelectionOnly(true);
    EXPECT_EQ(search->runBatch(), 2);
    EXPECT_EQ(h->text(), "aa bb aa");
    // A box selection: its stream range from the ordered start to the end.
    load("aa\r\na[a aa\r\naa] aa\r\naa");
    h->state.boxMode = true;
    ASSERT_TRUE(h->view->boxSelection());
    EXPECT_EQ(search->runBatch(), 5);
    EXPECT_EQ(h->text(), "aa\r\nab bb\r\nbb aa\r\naa");
    // Without the option the whole document.
    load("aa\r\n[a]a");
    h->state.boxMode = true;
    state.setBatchSelectionOnly(false);
    EXPECT_EQ(search->runBatch(), 4);
    EXPECT_EQ(h->text(), "bb\r\nbb");
}

// ---- Highlight

TEST_F(ViewSearchTest, FindSetsTheHighlightAnd33081ClearsIt) {
    setUpWith("|abc abc", true);
    Repaints views;
    state.addListener(&views);
    SearchFrameCommands frame(state);
    CommandState s;
    frame.onUpdateCommand(cmd::kResetHighlight, s);
    EXPECT_FALSE(s.enabled);
    searchFor("abc");
    command(cmd::kFindNext);
    EXPECT_EQ(state.highlight(), "abc");
    command(cmd::kFindNext);
    EXPECT_EQ(views.highlight, 1);  // unchanged string: no second repaint
    frame.onUpdateCommand(cmd::kResetHighlight, s);
    EXPECT_TRUE(s.enabled);
    EXPECT_TRUE(frame.onCommand(cmd::kResetHighlight));
    EXPECT_TRUE(state.highlight().empty());
    EXPECT_EQ(views.highlight, 2);
    frame.findBoxEntered("zz");
    EXPECT_EQ(frame.findBoxList().front(), "zz");
    state.removeListener(&views);
}

TEST_F(ViewSearchTest, WithoutTheFoundTextColourTheHighlightStaysEmpty) {
    load("|abc");
    searchFor("abc");
    command(cmd::kFindNext);
    EXPECT_TRUE(state.highlight().empty());
}

}  // namespace
