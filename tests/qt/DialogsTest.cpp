// The dialogs on their own: option boxes and their flags, untouched texts
// keeping their bytes, the choice dialog's buttons, access letters and
// placement, and the column dialog's full-width count.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "qt/dialogs/BatchReplaceDialog.h"
#include "qt/dialogs/ChoiceDialog.h"
#include "qt/dialogs/ColumnCountDialog.h"
#include "qt/dialogs/FindDialog.h"
#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/ReplaceDialog.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

using search::FindAction;
using search::ReplaceAction;

TEST(FindDialogTest, RegexGreysOutWholeWordAndTheFlagsFollowTheBoxes) {
    search::FindDialogData data;
    data.text = "abc";
    data.history = {"abc", "old"};
    data.flags.wholeWord = true;
    data.flags.inSelection = true;  // no box in this dialog: kept
    data.flags.messages = search::kNoFailureMessage;
    FindDialog d(data);
    SearchOptionBoxes& o = d.options();
    EXPECT_TRUE(o.wholeWord()->isChecked());
    EXPECT_EQ(o.inSelection(), nullptr);
    EXPECT_TRUE(o.noFailureMessage()->isChecked());
    EXPECT_FALSE(o.noWrapQuestion()->isChecked());
    o.regex()->setChecked(true);
    EXPECT_FALSE(o.wholeWord()->isChecked());
    EXPECT_FALSE(o.wholeWord()->isEnabled());
    o.noWrapQuestion()->setChecked(true);
    o.matchCase()->setChecked(true);
    const search::FindDialogData out = d.data();
    EXPECT_TRUE(out.flags.regex);
    EXPECT_FALSE(out.flags.wholeWord);
    EXPECT_TRUE(out.flags.matchCase);
    EXPECT_TRUE(out.flags.inSelection);
    EXPECT_EQ(out.flags.messages, search::kNoWrapQuestion | search::kNoFailureMessage);
    o.regex()->setChecked(false);
    EXPECT_TRUE(o.wholeWord()->isEnabled());
    // Texts of the dialog.
    EXPECT_EQ(d.windowTitle(), QStringLiteral("文字列の検索"));
    EXPECT_EQ(o.wholeWord()->text(), QStringLiteral("単語単位で検索(&W)"));
    EXPECT_EQ(o.matchCase()->text(), QStringLiteral("大文字と小文字を区別する(&C)"));
    EXPECT_EQ(o.regex()->text(), QStringLiteral("正規表現(&E)"));
    EXPECT_EQ(d.button(FindAction::Forward)->text(), QStringLiteral("後方検索(&F)"));
    EXPECT_EQ(d.button(FindAction::Backward)->text(), QStringLiteral("前方検索(&B)"));
    EXPECT_EQ(d.button(FindAction::Mark)->text(), QStringLiteral("ﾏｰｸ設定(&M)"));
    // Emptied: the search buttons grey out and do nothing.
    d.searchBox()->setEditText(QString());
    EXPECT_FALSE(d.button(FindAction::Backward)->isEnabled());
}

TEST(FindDialogTest, UntouchedTextsKeepTheirBytes) {
    // A lone lead byte has no Unicode form; shown, then given back intact.
    search::FindDialogData data;
    data.text = "ab\x81";
    data.history = {"x\x82", "plain"};
    FindDialog d(data);
    EXPECT_EQ(d.data().text, "ab\x81");
    d.searchBox()->setCurrentIndex(0);
    EXPECT_EQ(d.data().text, "x\x82");
    d.searchBox()->setEditText(QStringLiteral("日本"));
    EXPECT_EQ(d.data().text, sj("日本"));
}

TEST(ReplaceDialogTest, FourOptionsSpecialCharactersAndTheButtons) {
    search::ReplaceDialogData data;
    data.text = "a";
    data.replacement = "b";
    data.replaceHistory = {"b", "c"};
    data.flags.inSelection = true;
    ReplaceDialog d(data);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("文字列の置換"));
    ASSERT_NE(d.options().inSelection(), nullptr);
    EXPECT_TRUE(d.options().inSelection()->isChecked());
    EXPECT_EQ(d.specialCharacters()->text(), QStringLiteral("置換文字列に特殊文字(\\r,\\n,\\t)を許可(&C)"));
    EXPECT_EQ(d.replacementBox()->count(), 2);
    EXPECT_EQ(d.button(ReplaceAction::Forward)->text(), QStringLiteral("後方置換(&F)"));
    EXPECT_EQ(d.button(ReplaceAction::Backward)->text(), QStringLiteral("前方置換(&B)"));
    EXPECT_EQ(d.button(ReplaceAction::All)->text(), QStringLiteral("全置換(&A)"));
    d.options().inSelection()->setChecked(false);
    d.specialCharacters()->setChecked(true);
    d.replacementBox()->setEditText(QString());  // an empty replacement is allowed
    EXPECT_TRUE(d.button(ReplaceAction::All)->isEnabled());
    d.button(ReplaceAction::Backward)->click();
    EXPECT_EQ(d.action(), ReplaceAction::Backward);
    const search::ReplaceDialogData out = d.data();
    EXPECT_FALSE(out.flags.inSelection);
    EXPECT_TRUE(out.specialCharacters);
    EXPECT_TRUE(out.replacement.empty());
}

TEST(BatchReplaceDialogTest, EnterMovesToTheNextFieldAndNeverRuns) {
    search::BatchDialogData data;
    data.pairs.find[5] = "k\x81";  // kept byte for byte when untouched
    BatchReplaceDialog d(data);
    d.show();
    d.field(0, 0)->setFocus();
    QTest::keyClick(d.field(0, 0), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.action(), search::BatchAction::Cancel);
    EXPECT_EQ(d.data().pairs.find[5], "k\x81");
    EXPECT_EQ(d.button(search::BatchAction::Close)->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(d.button(search::BatchAction::Run)->text(), QStringLiteral("実行"));
    EXPECT_EQ(d.button(search::BatchAction::Cancel)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(d.selectionOnly()->text(), QStringLiteral("選択範囲のみ(&S)"));
    d.hide();
}

ChoiceRequest confirmation() {
    ChoiceRequest r;
    r.title = "置換確認";
    r.buttons = {"置換して次へ(&Y)", "次を検索(&N)", "置換して終了(&L)", "全て置換(&A)", "終了(&Q)"};
    r.defaultButton = 0;
    r.cancelButton = 4;
    return r;
}

TEST(ChoiceDialogTest, AccessLettersEnterAndEscape) {
    struct Row {
        Qt::Key key;
        int choice;
    };
    for (const Row& row : {Row{Qt::Key_Y, 0}, Row{Qt::Key_N, 1}, Row{Qt::Key_L, 2}, Row{Qt::Key_A, 3},
                           Row{Qt::Key_Q, 4}, Row{Qt::Key_Escape, 4}, Row{Qt::Key_Return, 0}}) {
        ChoiceDialog d(confirmation());
        d.show();
        QTest::keyClick(&d, row.key);
        EXPECT_FALSE(d.isVisible()) << row.key;
        EXPECT_EQ(d.choice(), row.choice) << row.key;
    }
    // Without a cancel button Escape chooses nothing.
    ChoiceRequest r = confirmation();
    r.cancelButton = -1;
    ChoiceDialog d(r);
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(d.choice(), -1);
}

TEST(ChoiceDialogTest, StaysClearOfTheAskedAboutText) {
    ChoiceDialog d(confirmation());
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    for (const QRect area : {QRect(screen.left() + 50, screen.top() + 40, 300, 18),
                             QRect(screen.left() + 50, screen.bottom() - 30, 300, 18),
                             QRect(screen.center(), QSize(200, 18))}) {
        d.keepClearOf(area);
        const QRect placed(d.pos(), d.frameGeometry().size().expandedTo(d.sizeHint()));
        EXPECT_FALSE(placed.intersects(area)) << area.y();
        EXPECT_TRUE(screen.contains(placed.topLeft())) << area.y();
    }
}

TEST(ColumnCountDialogTest, FullWidthHalvesTheNumberShown) {
    ColumnCountDialog::Request r;
    r.title = QStringLiteral("一行の文字数の変更");
    r.label = QStringLiteral("一行の文字数(&N)");
    r.columns = 80;
    r.minimum = 10;
    r.maximum = 2000;
    ColumnCountDialog d(r);
    EXPECT_EQ(d.spinBox()->value(), 80);
    d.fullWidthBox()->setChecked(true);
    EXPECT_EQ(d.spinBox()->value(), 40);
    EXPECT_EQ(d.columns(), 80);
    d.spinBox()->setValue(36);
    EXPECT_EQ(d.columns(), 72);
    d.fullWidthBox()->setChecked(false);
    EXPECT_EQ(d.spinBox()->value(), 72);
    EXPECT_EQ(d.columns(), 72);
    EXPECT_FALSE(d.fullWidth());
    EXPECT_EQ(d.fullWidthBox()->text(), QStringLiteral("全角文字数(&W)"));
}

}  // namespace
}  // namespace orvex::qt::test
