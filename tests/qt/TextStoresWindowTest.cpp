// Fixed strings, clipboard history and scrap book in the running window:
// the fixed-string sheet from the edit menu relabels the insertion items
// and its text goes in at the caret; a clipboard change reaches the
// history while it is on, and the history and scrap book window inserts,
// copies, edits and deletes entries.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QCheckBox>

#include "qt/dialogs/CShTeikei.h"
#include "qt/dialogs/TextStoresWindow.h"
#include "shell/EditorSession.h"
#include "shell/FrameStores.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class TextStoresWindowTest : public EditorWindowTest {};

TEST_F(TextStoresWindowTest, FixedStringSheetRelabelsTheMenuAndItsTextIsInserted) {
    newChild();
    ModalScript script;
    script.then([&](QWidget& w) {
        auto& sheet = dynamic_cast<CShTeikei&>(w);
        sheet.slotList()->setCurrentRow(2);
        sheet.titleField()->setText(QString::fromUtf8("署名"));
        emit sheet.titleField()->textEdited(sheet.titleField()->text());
        EXPECT_EQ(sheet.slotList()->item(2)->text(), QString::fromUtf8("署名"));
        sheet.textField()->setPlainText(QString::fromUtf8("山田\n太郎"));
        sheet.slotList()->setCurrentRow(0);  // moving on keeps slot 3's edits
        sheet.accept();
    });
    QAction* edit = findAction(frame->menuBar()->actions(), cmd::kFixedStringsEdit);
    ASSERT_NE(edit, nullptr);
    edit->trigger();
    settle();
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(ctx->settings().frame.teikeiTT[2], sj("署名"));

    QAction* insert = findAction(frame->menuBar()->actions(), CommandId(33010));
    ASSERT_NE(insert, nullptr);
    frame->refreshMenuKeyLabels();
    EXPECT_TRUE(insert->text().startsWith(QString::fromUtf8("署名(&3)")));
    insert->trigger();
    settle();
    EXPECT_EQ(text(), "山田\r\n太郎");
}

TEST_F(TextStoresWindowTest, ClipboardChangesFillTheHistoryWhileItIsOn) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    settle();
    EXPECT_TRUE(ctx->session().clipboardHistory().empty());
    ctx->settings().frame.clipHistory = 1;
    QGuiApplication::clipboard()->setText(QString::fromUtf8("日本語"));
    settle();
    EXPECT_EQ(ctx->session().clipboardHistory().entries(), std::vector<std::string>{sj("日本語")});
}

TEST_F(TextStoresWindowTest, WindowInsertsCopiesEditsAndDeletes) {
    newChild();
    ctx->session().clipboardHistory().add("first");
    ctx->session().clipboardHistory().add("second");
    ASSERT_TRUE(frame->runCommand(cmd::kClipboardHistory));
    settle();
    TextStoresWindow* w = frame->textStoresWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible());
    ASSERT_EQ(w->list()->count(), 2);
    EXPECT_EQ(w->list()->item(0)->text(), QStringLiteral("second"));  // newest first

    // History entry 2 ("first") to the scrap book, then inserted and
    // deleted after use; the window stays open without "閉じる" after use.
    w->closeAfterBox()->setChecked(false);
    w->list()->setCurrentRow(1);
    w->button("scrap")->click();
    EXPECT_EQ(ctx->session().scrapBook().entries(), std::vector<std::string>{"first"});
    w->deleteAfterBox()->setChecked(true);
    w->list()->setCurrentRow(1);
    w->button("insert")->click();
    EXPECT_EQ(text(), "first");
    EXPECT_EQ(ctx->session().clipboardHistory().entries(), std::vector<std::string>{"second"});
    EXPECT_TRUE(w->isVisible());

    // The scrap book tab: edit the entry, then clear the book.
    w->tabs()->setCurrentIndex(1);
    ASSERT_EQ(w->list()->count(), 1);
    w->askEdit = [](QString& t) {
        t = QStringLiteral("edited\nline");
        return true;
    };
    w->button("edit")->click();
    EXPECT_EQ(ctx->session().scrapBook().entries(), std::vector<std::string>{"edited\r\nline"});
    EXPECT_FALSE(w->button("scrap")->isEnabled());
    w->button("deleteAll")->click();
    EXPECT_TRUE(ctx->session().scrapBook().entries().empty());
    EXPECT_EQ(w->list()->count(), 0);

    // "実行後閉じる" closes the window after an insertion.
    w->tabs()->setCurrentIndex(0);
    w->closeAfterBox()->setChecked(true);
    w->list()->setCurrentRow(0);
    w->button("insert")->click();
    settle();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(text(), "firstsecond");
}

}  // namespace
}  // namespace orvex::qt::test
