// Finding and replacing in the running editor: the find and replace dialogs
// opened with their keys, find next and previous with Ctrl+N and Ctrl+P,
// the wrap-around question, replace all with its count, the confirmation
// dialog's five buttons, batch replace, and the toolbar's find box.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "qt/dialogs/BatchReplaceDialog.h"
#include "qt/dialogs/ChoiceDialog.h"
#include "qt/dialogs/FindDialog.h"
#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/ReplaceDialog.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "qt/mainframe/FindBox.h"
#include "qt/platform/QtMessageBoxes.h"
#include "search/SearchCommandIds.h"
#include "search/SearchTexts.h"
#include "qt/platform/QtText.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

using search::BatchAction;
using search::FindAction;
using search::ReplaceAction;

class SearchWindowTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        newChild();
    }
    std::string selected() { return utf8(view().selectedText()); }
    int32_t selectionStart() { return view().selectionStartOffset(); }
    void caretAtEnd() {
        view().placeCursorAtOffset(doc().text().length());
        view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    }
    search::SearchState& state() { return ctx->search(); }
};

TEST_F(SearchWindowTest, FindDialogThenCtrlNAndCtrlPStepThroughTheMatches) {
    load("abc needle x\r\nneedle y\r\nlast needle");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<FindDialog&>(w);
        EXPECT_FALSE(d.button(FindAction::Forward)->isEnabled());  // nothing to find yet
        d.searchBox()->setEditText(QStringLiteral("needle"));
        EXPECT_TRUE(d.button(FindAction::Forward)->isEnabled());
        EXPECT_TRUE(d.button(FindAction::Forward)->isDefault());
        d.button(FindAction::Forward)->click();
    });
    QTest::keyClick(&pane(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(script.seen, QStringList{QStringLiteral("文字列の検索")});
    EXPECT_EQ(selected(), "needle");
    EXPECT_EQ(selectionStart(), 4);
    ASSERT_FALSE(state().searchHistory().empty());
    EXPECT_EQ(state().searchHistory().front(), "needle");

    QTest::keyClick(&pane(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(selectionStart(), 14);
    QTest::keyClick(&pane(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(selectionStart(), 29);
    QTest::keyClick(&pane(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(selectionStart(), 14);
    EXPECT_TRUE(messages.shown.empty());

    // The dialog opens with the selected text; Cancel changes nothing.
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<FindDialog&>(w);
        EXPECT_EQ(d.searchBox()->currentText(), QStringLiteral("needle"));
        EXPECT_EQ(d.searchBox()->count(), 1);
        d.button(FindAction::Cancel)->click();
    });
    QTest::keyClick(&pane(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(selectionStart(), 14);
}

TEST_F(SearchWindowTest, FindDialogMarksEveryLineWithAMatch) {
    load("a x\r\nb\r\nx c\r\n");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<FindDialog&>(w);
        d.searchBox()->setEditText(QStringLiteral("x"));
        d.button(FindAction::Mark)->click();
    });
    frame->runCommand(cmd::kFind);
    const TextStore& t = doc().text();
    EXPECT_TRUE(t.row(0).flags & 0x0002);
    EXPECT_FALSE(t.row(1).flags & 0x0002);
    EXPECT_TRUE(t.row(2).flags & 0x0002);
}

TEST_F(SearchWindowTest, AtTheEndTheWrapQuestionAnsweredYesFindsFromTheTop) {
    load("needle a\r\nb needle c");
    state().addSearchString("needle");
    caretAtEnd();
    messages.answer(MsgResult::Yes);
    QTest::keyClick(&pane(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(messages.ids(), std::vector<int>{strings::kSearchedToEnd});
    EXPECT_EQ(selectionStart(), 0);
    EXPECT_EQ(selected(), "needle");

    // Toward the start past the first match: 30020; No ends silently.
    messages.clear();
    view().placeCursorAtOffset(0);
    view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    messages.answer(MsgResult::No);
    QTest::keyClick(&pane(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(messages.ids(), std::vector<int>{strings::kSearchedToTop});
    EXPECT_FALSE(view().hasSelection());
}

TEST_F(SearchWindowTest, ReplaceAllFromTheDialogReportsTheCount) {
    load("a b a c a");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<ReplaceDialog&>(w);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("文字列の置換"));
        d.searchBox()->setEditText(QStringLiteral("a"));
        d.replacementBox()->setEditText(QStringLiteral("aa"));
        d.button(ReplaceAction::All)->click();
    });
    // The confirmation's "全て置換(&A)" at the first match.
    messages.answerChoice(int(search::ConfirmChoice::ReplaceAll));
    QTest::keyClick(&pane(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(text(), "aa b aa c aa");
    ASSERT_EQ(messages.choices.size(), 1u);
    EXPECT_EQ(messages.choices[0].title, "置換確認");
    ASSERT_EQ(messages.ids(), std::vector<int>{strings::kReplacedCount});
    EXPECT_NE(messages.shown[0].text.find("3個"), std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(state().replaceHistory().front(), "aa");
    // Each replacement is one undo step.
    frame->runCommand(57643);
    EXPECT_EQ(text(), "aa b aa c a");
}

TEST_F(SearchWindowTest, ReplaceDialogWithSpecialCharactersExpandsTheLineEnd) {
    load("a;b");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<ReplaceDialog&>(w);
        d.searchBox()->setEditText(QStringLiteral(";"));
        d.replacementBox()->setEditText(QStringLiteral("\\n"));
        d.specialCharacters()->setChecked(true);
        d.button(ReplaceAction::Forward)->click();
    });
    messages.answerChoice(int(search::ConfirmChoice::ReplaceAndClose));
    frame->runCommand(cmd::kReplace);
    EXPECT_EQ(text(), "a\r\nb");
    EXPECT_TRUE(state().specialCharacters());
}

// The confirmation shown by the Qt message boxes: five buttons in order,
// the first the default, access letters alone, Escape closes.
class ConfirmationDialogTest : public SearchWindowTest {
protected:
    void preparePlatform(Platform& p) override { p.messages = &ctx->messageBoxes(); }
};

TEST_F(ConfirmationDialogTest, FiveButtonsReplaceSkipAndClose) {
    load("x x x x");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<ReplaceDialog&>(w);
        d.searchBox()->setEditText(QStringLiteral("x"));
        d.replacementBox()->setEditText(QStringLiteral("Y"));
        d.button(ReplaceAction::Forward)->click();
    });
    QRect caretArea;
    script.then([&](QWidget& w) {
        auto& d = dynamic_cast<ChoiceDialog&>(w);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("置換確認"));
        ASSERT_EQ(d.buttons().size(), 5u);
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(d.buttons()[i]->text(), fromUtf8(search::texts::kConfirmButtons[i]));
        EXPECT_TRUE(d.buttons()[0]->isDefault());
        EXPECT_EQ(selected(), "x");
        QTest::keyClick(&d, Qt::Key_Y);  // 置換して次へ
    });
    script.then([&](QWidget& w) {
        auto& d = dynamic_cast<ChoiceDialog&>(w);
        EXPECT_EQ(selectionStart(), 2);
        d.buttons()[1]->click();  // 次を検索
    });
    script.then([&](QWidget& w) {
        EXPECT_EQ(selectionStart(), 4);
        QTest::keyClick(&w, Qt::Key_Escape);  // 終了
    });
    script.then([](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        EXPECT_TRUE(box.text().contains(QStringLiteral("1個"))) << box.text().toStdString();
        box.accept();
    });
    frame->runCommand(cmd::kReplace);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(text(), "Y x x x");
}

TEST_F(SearchWindowTest, BatchReplaceDialogRunsKeepsOrDropsThePairs) {
    load("abac");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<BatchReplaceDialog&>(w);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("一括置換"));
        EXPECT_EQ(d.field(39, 1) != nullptr, true);
        EXPECT_EQ(d.field(40, 0), nullptr);
        d.field(0, 0)->setText(QStringLiteral("ab"));
        d.field(0, 1)->setText(QStringLiteral("x"));
        d.field(1, 0)->setText(QStringLiteral("a"));
        d.field(1, 1)->setText(QStringLiteral("y"));
        d.button(BatchAction::Run)->click();
    });
    frame->runCommand(cmd::kBatchReplace);
    EXPECT_EQ(text(), "xyc");
    EXPECT_EQ(state().batchPairs().find[0], "ab");
    EXPECT_EQ(state().batchPairs().replace[1], "y");

    // "ｷｬﾝｾﾙ" drops the edits, "閉じる" keeps them without running.
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<BatchReplaceDialog&>(w);
        EXPECT_EQ(d.field(0, 0)->text(), QStringLiteral("ab"));
        d.field(2, 0)->setText(QStringLiteral("c"));
        d.button(BatchAction::Cancel)->click();
    });
    frame->runCommand(cmd::kBatchReplace);
    EXPECT_TRUE(state().batchPairs().find[2].empty());
    script.then([](QWidget& w) {
        auto& d = dynamic_cast<BatchReplaceDialog&>(w);
        d.field(2, 0)->setText(QStringLiteral("c"));
        d.field(2, 1)->setText(QStringLiteral("z"));
        d.selectionOnly()->setChecked(true);
        d.button(BatchAction::Close)->click();
    });
    frame->runCommand(cmd::kBatchReplace);
    EXPECT_EQ(state().batchPairs().find[2], "c");
    EXPECT_TRUE(state().batchSelectionOnly());
    EXPECT_EQ(text(), "xyc");
}

TEST_F(SearchWindowTest, ToolbarFindBoxSearchesAndListsTheHistory) {
    load("one two one two");
    FindBox* box = frame->findBox();
    ASSERT_NE(box, nullptr);
    box->setEditText(QStringLiteral("two"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(selected(), "two");
    EXPECT_EQ(selectionStart(), 4);
    // Enter again, at the box this time (where keys go while it has the
    // focus): one step to the next match; the history holds the string once.
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(selectionStart(), 12);
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->itemText(0), QStringLiteral("two"));

    // A find of the word at the caret puts it at the top of the box.
    view().placeCursorAtOffset(1);
    view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    frame->runCommand(cmd::kFindSelectedForward);
    EXPECT_EQ(selectionStart(), 8);
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("one"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("two"));
    EXPECT_EQ(box->currentText(), QStringLiteral("one"));
    // Picking an older entry and entering it moves it up again.
    box->setCurrentIndex(1);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->itemText(0), QStringLiteral("two"));
    EXPECT_EQ(box->count(), 2);
    // Escape gives the keys back to the view.
    box->setFocus();
    QTest::keyClick(box->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(pane().hasFocus() || !QApplication::focusWidget());
}

TEST_F(SearchWindowTest, SearchMenuHoldsTheCommandsWithTheirKeys) {
    const std::pair<int, const char*> rows[] = {
        {57636, "指定した文字列の検索\tCtrl+F"},
        {32773, "次を検索\tCtrl+N"},
        {32774, "前を検索\tCtrl+P"},
        {57641, "指定した文字列を他の文字列で置換\tCtrl+R"},
        {32931, "一括置換"},
        {33003, "前置換"},
        {33081, "検索文字のｶﾗｰをﾘｾｯﾄ"},
        {33103, "一行の文字数の変更\tCtrl+Q"},
        {33104, "ﾀﾌﾞｽﾄｯﾌﾟの変更"},
    };
    std::map<int, QString> texts;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            if (a->menu()) walk(a->menu()->actions());
            else if (a->data().isValid()) texts[a->data().toInt()] = a->text();
        }
    };
    walk(frame->menuBar()->actions());
    for (const auto& [id, expected] : rows) EXPECT_EQ(texts[id], QString::fromUtf8(expected)) << id;
    // Without a search string finding again is greyed out; 33081 too while
    // nothing is highlighted.
    EXPECT_FALSE(frame->commandState(cmd::kFindNext).enabled);
    EXPECT_FALSE(frame->commandState(cmd::kResetHighlight).enabled);
    state().addSearchString("x");
    EXPECT_TRUE(frame->commandState(cmd::kFindNext).enabled);
}

TEST_F(SearchWindowTest, SearchStateIsSavedWithTheSettingsAtExit) {
    state().addSearchString("first");
    state().addSearchString(sj("二番目"));
    state().addReplaceString("rep");
    EXPECT_TRUE(frame->runCommand(cmd::kAppExit));
    const std::string saved = readFile(path("settings.ini"));
    EXPECT_NE(saved.find("FindStr0"), std::string::npos);
    settings::SettingsEnvironment env;
    env.settingsFile = path("settings.ini");
    env.dataFolder = path("data");
    env.tempFolder = dir.path().toStdString();
    env.homeFolder = dir.path().toStdString();
    EditorContext again(env, true);
    ASSERT_EQ(again.search().searchHistory().size(), 2u);
    EXPECT_EQ(again.search().searchHistory()[0], sj("二番目"));
    EXPECT_EQ(again.search().replaceHistory().front(), "rep");
}

}  // namespace
}  // namespace orvex::qt::test
