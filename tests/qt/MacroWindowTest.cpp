// The macro slots in the running window: the settings sheet from the tools
// menu edits the ten slots and acts on the shown page; the run items show
// the slots' titles.
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include "qt/dialogs/CShMacro.h"
#include "shell/EditorSession.h"
#include "shell/MacroCommands.h"
#include "shell/MacroLibraryBinding.h"
#include "winmsg/EditorRequests.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

std::vector<std::string> g_debugged;

int fakeStart(void*, void*, const char*) { return 0; }
int fakeDebug(void*, void*, const char* path) {
    g_debugged.push_back(path);
    return 0;
}

class MacroWindowTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        g_debugged.clear();
        ctx->session().setMacroLibrary(std::make_unique<shell::MacroLibraryBinding>(ctx->platform(), [] {
            return std::optional<shell::MacroEntries>(shell::MacroEntries{fakeStart, fakeDebug, nullptr, nullptr});
        }));
    }
    std::array<std::string, 10>& titles() { return ctx->settings().editor.options.macroTT; }
    std::array<std::string, 10>& paths() { return ctx->settings().editor.options.macroName; }
};

TEST_F(MacroWindowTest, SheetStoresTheSlotsAndDebugsTheShownPage) {
    newChild();
    titles()[2] = sj("古い");
    paths()[2] = "/old/path.mac";
    const std::string file = writeFile("new.mac", "main() {}\n");
    ModalScript script;
    script.then([&](QWidget& w) {
        auto& sheet = dynamic_cast<CShMacro&>(w);
        EXPECT_EQ(sheet.windowTitle(), QString::fromUtf8("ﾏｸﾛの設定"));
        EXPECT_EQ(sheet.tabs()->count(), 10);
        MacroPage* p = sheet.page(2);
        EXPECT_EQ(p->titleField()->text(), QString::fromUtf8("古い"));
        EXPECT_EQ(p->pathField()->text(), QStringLiteral("/old/path.mac"));
        EXPECT_FALSE(p->backgroundBox()->isVisibleTo(p));
        sheet.tabs()->setCurrentIndex(2);
        p->titleField()->setText(QString::fromUtf8("整形する"));
        p->pathField()->setText(QString::fromStdString(file));
        p->findChild<QPushButton*>(QStringLiteral("debug"))->click();
    });
    QAction* a = findAction(frame->menuBar()->actions(), cmd::kMacroSheet);
    ASSERT_NE(a, nullptr);
    a->trigger();
    settle();
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(titles()[2], sj("整形する"));
    EXPECT_EQ(paths()[2], file);
    ASSERT_EQ(g_debugged.size(), 1u);
    EXPECT_EQ(g_debugged[0], file);
    // The run item shows the new title and is enabled by the path.
    QAction* run = frame->menuAction(shell::MacroCommands::runCommandOf(2));
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->text(), QString::fromUtf8("整形する(&3)"));

    // The sheet opens on the page used last; cancel keeps the slots.
    ModalScript again;
    again.then([&](QWidget& w) {
        auto& sheet = dynamic_cast<CShMacro&>(w);
        EXPECT_EQ(sheet.tabs()->currentIndex(), 2);
        sheet.page(2)->pathField()->setText(QStringLiteral("/discarded.mac"));
        sheet.reject();
    });
    a->trigger();
    settle();
    EXPECT_EQ(again.pending(), 0u);
    EXPECT_EQ(paths()[2], file);
}

TEST_F(MacroWindowTest, EditOpensTheMacroFileAndUntitledSlotsShowTheirNumber) {
    const std::string file = writeFile("edit.mac", "x = 1;\n");
    paths()[9] = file;
    ModalScript script;
    script.then([&](QWidget& w) {
        auto& sheet = dynamic_cast<CShMacro&>(w);
        sheet.tabs()->setCurrentIndex(9);
        sheet.page(9)->findChild<QPushButton*>(QStringLiteral("edit"))->click();
    });
    findAction(frame->menuBar()->actions(), cmd::kMacroSheet)->trigger();
    settle();
    EXPECT_EQ(script.pending(), 0u);
    ASSERT_EQ(frame->childFrames().size(), 1u);
    EXPECT_EQ(frame->childFrames()[0]->document().path(), file);
    EXPECT_EQ(frame->menuAction(shell::MacroCommands::runCommandOf(9))->text(), QString::fromUtf8("ﾏｸﾛの実行10(&0)"));
    EXPECT_NE(frame->menuAction(cmd::kMacroStop), nullptr);
    EXPECT_NE(frame->menuAction(cmd::kMacroHelp), nullptr);
}

TEST_F(MacroWindowTest, SizeRequestFitsTheTextAreaOrMaximises) {
    CChildFrame* child = newChild();
    auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->showNormal();
    settle();
    const win::Handle view = ctx->session().activeViewHandle();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(win::sendMessage(view, win::kMsgViewRequest, win::kViewSetSize, (40 << 16) | 10), 0);
    settle();
    EXPECT_FALSE(sub->isMaximized());
    const ViewGeometry& g = pane().viewGeometry();
    EXPECT_NEAR(pane().viewport()->width(), pane().viewportWidthFor(40), g.charWidth);
    EXPECT_NEAR(pane().viewport()->height(), g.textTop + 10 * g.rowHeight, g.rowHeight);
    // Both halves 0: the document window is maximised.
    win::sendMessage(view, win::kMsgViewRequest, win::kViewSetSize, 0);
    settle();
    EXPECT_TRUE(sub->isMaximized());
}

}  // namespace
}  // namespace orvex::qt::test
