// Qt keys as the virtual-key codes stored in key tables and key macros,
// the menu layout's commands, and the status bar's pane strings.
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <algorithm>
#include <set>

#include "qt/mainframe/MenuLayout.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/view/VirtualKeys.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

struct KeyRow {
    int key;
    Qt::KeyboardModifiers modifiers;
    uint16_t expected;
};

class VirtualKeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(VirtualKeyTest, TranslatesToTheStoredCode) {
    const KeyRow& r = GetParam();
    EXPECT_EQ(toVirtualKey(r.key, r.modifiers), r.expected) << std::hex << r.key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VirtualKeyTest,
    ::testing::Values(
        // Letters and digits are their upper-case ASCII codes.
        KeyRow{Qt::Key_A, Qt::NoModifier, 0x41}, KeyRow{Qt::Key_Z, Qt::ControlModifier, 0x5A},
        KeyRow{Qt::Key_0, Qt::NoModifier, 0x30}, KeyRow{Qt::Key_9, Qt::ShiftModifier, 0x39},
        // Special and function keys.
        KeyRow{Qt::Key_Backspace, Qt::NoModifier, 0x08}, KeyRow{Qt::Key_Tab, Qt::NoModifier, 0x09},
        KeyRow{Qt::Key_Backtab, Qt::ShiftModifier, 0x09}, KeyRow{Qt::Key_Return, Qt::NoModifier, 0x0D},
        KeyRow{Qt::Key_Escape, Qt::NoModifier, 0x1B}, KeyRow{Qt::Key_PageUp, Qt::NoModifier, 0x21},
        KeyRow{Qt::Key_PageDown, Qt::NoModifier, 0x22}, KeyRow{Qt::Key_End, Qt::NoModifier, 0x23},
        KeyRow{Qt::Key_Home, Qt::NoModifier, 0x24}, KeyRow{Qt::Key_Left, Qt::NoModifier, 0x25},
        KeyRow{Qt::Key_Down, Qt::NoModifier, 0x28}, KeyRow{Qt::Key_Insert, Qt::NoModifier, 0x2D},
        KeyRow{Qt::Key_Delete, Qt::NoModifier, 0x2E}, KeyRow{Qt::Key_F1, Qt::NoModifier, 0x70},
        KeyRow{Qt::Key_F12, Qt::NoModifier, 0x7B}, KeyRow{Qt::Key_Menu, Qt::NoModifier, 0x5D},
        KeyRow{Qt::Key_Shift, Qt::ShiftModifier, 0x10}, KeyRow{Qt::Key_Control, Qt::ControlModifier, 0x11},
        // The keypad has codes of its own.
        KeyRow{Qt::Key_5, Qt::KeypadModifier, 0x65}, KeyRow{Qt::Key_Enter, Qt::KeypadModifier, 0x6C},
        KeyRow{Qt::Key_Plus, Qt::KeypadModifier, 0x6B}, KeyRow{Qt::Key_Slash, Qt::KeypadModifier, 0x6F},
        // Punctuation by the key that types it on a Japanese keyboard.
        KeyRow{Qt::Key_Colon, Qt::NoModifier, 0xBA}, KeyRow{Qt::Key_Asterisk, Qt::ShiftModifier, 0xBA},
        KeyRow{Qt::Key_Semicolon, Qt::NoModifier, 0xBB}, KeyRow{Qt::Key_At, Qt::NoModifier, 0xC0},
        KeyRow{Qt::Key_BracketLeft, Qt::NoModifier, 0xDB}, KeyRow{Qt::Key_AsciiCircum, Qt::NoModifier, 0xDE},
        KeyRow{Qt::Key_Underscore, Qt::ShiftModifier, 0xE2}, KeyRow{Qt::Key_Exclam, Qt::ShiftModifier, '1'},
        // Keys without a code.
        KeyRow{Qt::Key_unknown, Qt::NoModifier, 0}, KeyRow{Qt::Key_Dead_Grave, Qt::NoModifier, 0}));

TEST(MenuLayout, EveryCommandAppearsOnceAndHasAText) {
    std::multiset<CommandId> ids;
    std::function<void(const std::vector<MenuNode>&)> walk = [&](const std::vector<MenuNode>& nodes) {
        for (const MenuNode& n : nodes) {
            if (n.title) walk(n.children);
            else if (n.id) ids.insert(n.id);
        }
    };
    walk(mainMenuLayout());
    for (CommandId id : ids) {
        EXPECT_EQ(ids.count(id), 1u) << id;
        EXPECT_FALSE(menuTextOf(id).empty()) << id;
    }
    // Frame commands carry their short button name after the line feed.
    EXPECT_EQ(menuTextOf(57601), "既存のﾌｧｲﾙを開く");
    EXPECT_EQ(promptOf(57601), "既存のﾌｧｲﾙを開く\n開く");
    // View commands take the command text table's string.
    EXPECT_EQ(menuTextOf(57643), "直前に行った動作を元に戻す(ｱﾝﾄﾞｩ)");
    EXPECT_EQ(menuTextOf(33030), "ｷｰﾏｸﾛ記録開始/終了(6)");
    EXPECT_EQ(menuTextOf(33031), "ｷｰﾏｸﾛ記録開始/終了(7)");
    // Save a copy follows save as in the file menu.
    const std::vector<MenuNode>& file = mainMenuLayout().at(0).children;
    const auto saveAs = std::find_if(file.begin(), file.end(), [](const MenuNode& n) { return n.id == 57604; });
    ASSERT_NE(saveAs, file.end());
    ASSERT_NE(saveAs + 1, file.end());
    EXPECT_EQ((saveAs + 1)->id, 57611);
    EXPECT_EQ(menuTextOf(57611), "作業中のﾌｧｲﾙのｺﾋﾟｰを保存");
    EXPECT_EQ(menuTextOf(1), "");
}

class StatusLayoutTest : public EditorWindowTest {};

TEST_F(StatusLayoutTest, PaneStringsGiveCodePanesTextPanesAndNoPane) {
    newChild();
    QStatusBar bar;
    StatusPanes panes(&bar);
    std::array<std::string, 16> layout{};
    layout[0] = "%0";                 // the message area: no pane of its own
    layout[1] = "%1";
    layout[3] = sj("編集中");         // a text pane
    layout[4] = "%12";
    layout[5] = "%99";                // an unknown code: an empty pane
    panes.build(layout);
    panes.update(&pane(), ctx->state());
    QStringList texts;
    for (QLabel* l : bar.findChildren<QLabel*>()) texts << l->text().simplified();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("1:1"), QStringLiteral("編集中"), QStringLiteral("CR/LF"), QString()}));
    EXPECT_EQ(StatusPanes::paneText(11, &pane(), ctx->state()), QStringLiteral("0K"));
    EXPECT_EQ(StatusPanes::paneText(3, nullptr, ctx->state()), QStringLiteral("挿入"));
    EXPECT_TRUE(StatusPanes::paneText(1, nullptr, ctx->state()).isEmpty());
}

class ContextMenuTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override {
        s.frame.cMenuExe = 1;
        s.tables.menu.count = 1;
        s.tables.menu.records[0] = 32805;  // select the caret row
    }
};

TEST_F(ContextMenuTest, ASingleCommandRunsWithoutAMenuWithCMenuExe) {
    newChild();
    load("one\r\ntwo");
    // The menu key opens the context menu at the caret; it holds one command.
    QTest::keyClick(&pane(), Qt::Key_Menu);
    EXPECT_EQ(view().selectedText(), "one\r\n");
}

TEST_F(ContextMenuTest, ReadOnlyDocumentRefusesDrops) {
    newChild();
    load("text");
    doc().setReadOnly(true);
    doc().setEditSettings({false, true, true});
    QMimeData mime;
    mime.setText(QStringLiteral("x"));
    QDragEnterEvent enter(QPoint(60, 30), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane().viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(text(), "text");
}

}  // namespace
}  // namespace orvex::qt::test
