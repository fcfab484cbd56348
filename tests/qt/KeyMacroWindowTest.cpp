// Key macros and the command tables in the running window: recording from
// the menu, playing by the key table, the recording pointer, the slot
// titles in the menu, and a key edited on the keys page taking effect at
// once and after a restart.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

#include "keymacro/KeyMacroSlots.h"
#include "qt/dialogs/CommandTablesSheet.h"
#include "qt/dialogs/KeyMacroTitlesDialog.h"
#include "shell/CommandTableDefaults.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class KeyMacroWindowTest : public EditorWindowTest {
protected:
    keymacro::KeyMacroSlots& macroSlots() { return frame->session().keyMacros(); }
    void trigger(CommandId id) {
        QAction* a = frame->menuAction(id);
        ASSERT_NE(a, nullptr) << id;
        a->trigger();
        settle();
    }
    // Runs the tables sheet with a script step on it.
    void editTables(const std::function<void(CommandTablesSheet&)>& edit) {
        ModalScript script;
        script.then([&](QWidget& w) {
            auto* sheet = qobject_cast<CommandTablesSheet*>(&w);
            ASSERT_NE(sheet, nullptr);
            edit(*sheet);
            sheet->accept();
        });
        frame->runCommand(cmd::kCommandTablesSheet);
        settle();
        EXPECT_EQ(script.pending(), 0u);
    }
    static void selectKey(CommandTablesSheet& s, const QString& name) {
        const auto found = s.keyList()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        s.keyList()->setCurrentItem(found.front());
    }
};

TEST_F(KeyMacroWindowTest, RecordByTheMenuPlayByTheKey) {
    newChild();
    trigger(cmd::kKeyMacroRecord);
    EXPECT_TRUE(frame->commandState(cmd::kKeyMacroRecord).checked);
    EXPECT_FALSE(frame->commandState(cmd::kKeyMacroRecord2).enabled);
    EXPECT_TRUE(pane().recordingPointer());
    QTest::keyClicks(&pane(), QStringLiteral("ab"));
    QTest::keyClick(&pane(), Qt::Key_Return);
    trigger(cmd::kKeyMacroRecord);
    EXPECT_FALSE(pane().recordingPointer());
    EXPECT_TRUE(macroSlots().slot(0).valid);
    EXPECT_EQ(text(), "ab\r\n");
    // The slot file was written; a second document plays it by Ctrl+B.
    EXPECT_FALSE(readFile(path("data/OrvexK1.km")).empty());
    newChild();
    QTest::keyClick(&pane(), Qt::Key_B, Qt::ControlModifier);
    settle();
    EXPECT_EQ(text(), "ab\r\n");
    EXPECT_TRUE(frame->commandState(cmd::kKeyMacroSave).enabled);
}

TEST_F(KeyMacroWindowTest, SlotTitlesLabelTheMenuItems) {
    QAction* play = frame->menuAction(cmd::kKeyMacroPlay);
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->text(), QStringLiteral("ｷｰﾏｸﾛ再生1(&1)\tCtrl+B"));
    ModalScript script;
    script.then([](QWidget& w) {
        auto* d = qobject_cast<KeyMacroTitlesDialog*>(&w);
        ASSERT_NE(d, nullptr);
        d->field(0)->setText(QStringLiteral("見出し"));
        d->field(11)->setText(QStringLiteral("整&形"));
        d->accept();
    });
    frame->runCommand(cmd::kKeyMacroTitles);
    settle();
    EXPECT_EQ(play->text(), QStringLiteral("見出し(&1)\tCtrl+B"));
    EXPECT_EQ(frame->menuAction(keymacro::playCommandOf(11))->text(), QStringLiteral("整&形"));
    EXPECT_EQ(frame->menuAction(keymacro::recordCommandOf(19))->text(), QStringLiteral("ｷｰﾏｸﾛ記録開始/終了20(&J)"));
    EXPECT_EQ(utf8(ctx->settings().editor.options.keyMacroTT[0]), "見出し");
}

TEST_F(KeyMacroWindowTest, AKeyEditedOnTheKeysPageWorksAtOnceAndAfterARestart) {
    newChild();
    load("line");
    editTables([](CommandTablesSheet& s) {
        s.ctrlBox()->setChecked(true);
        s.keyKinds()->setCurrentIndex(0);
        selectKey(s, QStringLiteral("Ctrl+K"));
        // Ctrl+K deletes to the line end by default; the page shows it.
        EXPECT_EQ(s.assignedKeys()->text(), QStringLiteral("Ctrl+K"));
        ASSERT_TRUE(s.selectCommand(cmd::kDuplicateLine));
        s.assignButton()->click();
        EXPECT_EQ(s.assignedKeys()->text(), QStringLiteral("Ctrl+D Ctrl+K"));
    });
    QTest::keyClick(&pane(), Qt::Key_K, Qt::ControlModifier);
    settle();
    EXPECT_EQ(text(), "line\r\nline");
    EXPECT_EQ(frame->menuAction(cmd::kDuplicateLine)->text(), QStringLiteral("行の二重化\tCtrl+D Ctrl+K"));
    EXPECT_FALSE(frame->menuAction(cmd::kDeleteToLineEnd)->text().contains(QLatin1Char('\t')));

    frame->session().saveSettings();
    settings::Settings again(ctx->settings().environment());
    again.loadAll(false);
    shell::KeyLookup lookup(again.tables.keys);
    EXPECT_EQ(lookup.find('K', false, true, false), std::optional<uint16_t>(cmd::kDuplicateLine));
}

TEST_F(KeyMacroWindowTest, LinuxKeySetAndResetOnTheKeysPage) {
    editTables([](CommandTablesSheet& s) { s.linuxKeysButton()->click(); });
    const shell::KeyLookup& keys = ctx->keyLookup();
    EXPECT_EQ(keys.find('A', false, true, false), std::optional<uint16_t>(cmd::kSelectAll));
    EXPECT_EQ(keys.find('Z', true, true, false), std::optional<uint16_t>(cmd::kRedo));
    EXPECT_EQ(keys.find(0x72, true, false, false), std::optional<uint16_t>(cmd::kFindPrevious));
    EXPECT_EQ(keys.find('W', false, true, false), std::optional<uint16_t>(cmd::kFileClose));
    // Keys the set leaves alone keep the defaults.
    EXPECT_EQ(keys.find('D', false, true, false), std::optional<uint16_t>(cmd::kDuplicateLine));
    editTables([](CommandTablesSheet& s) { s.resetKeysButton()->click(); });
    EXPECT_EQ(ctx->keyLookup().find('A', false, true, false), std::optional<uint16_t>(cmd::kRedo));
    EXPECT_EQ(ctx->settings().tables.keys.count, 42);
}

TEST_F(KeyMacroWindowTest, PlainLettersAreNotOffered) {
    editTables([](CommandTablesSheet& s) {
        s.keyKinds()->setCurrentIndex(0);
        EXPECT_EQ(s.keyList()->count(), 0);
        s.altBox()->setChecked(true);
        EXPECT_EQ(s.keyList()->count(), 10 + 26 + 12);
        s.keyKinds()->setCurrentIndex(1);
        EXPECT_EQ(s.keyList()->item(0)->text(), QStringLiteral("Alt+Esc"));
    });
}

TEST_F(KeyMacroWindowTest, ToolbarTwoFollowsItsTableAndTheMenuPageItsLimit) {
    EXPECT_FALSE(frame->toolbar2()->isVisible());  // the stored count is 0
    editTables([](CommandTablesSheet& s) {
        IdTablePage* tools = s.toolbarPage();
        tools->tableSelector()->setCurrentIndex(1);
        tools->categories()->setCurrentIndex(0);
        const auto found = tools->available()->findItems(QStringLiteral("新規作成"), Qt::MatchContains);
        if (!found.isEmpty()) tools->available()->setCurrentItem(found.front());
        else tools->available()->setCurrentRow(0);
        tools->addButton()->click();
        EXPECT_EQ(tools->current()->count(), 1);
        // The context menu holds at most 40 items: the 41st gives 30015.
        IdTablePage* menu = s.menuPage();
        while (menu->current()->count() < 40) menu->addButton()->click();
        menu->addButton()->click();
    });
    EXPECT_EQ(messages.ids(), std::vector<int>{strings::kTooManyToolbarItems});
    EXPECT_EQ(ctx->settings().tables.menu.count, 40);
    EXPECT_EQ(ctx->settings().tables.toolbar2.count, 1);
    EXPECT_TRUE(frame->toolbar2()->isVisible());
    EXPECT_EQ(frame->buildContextMenu()->actions().size() > 26, true);
}

}  // namespace
}  // namespace orvex::qt::test
