// The main window: menus built from the command texts with key labels,
// toolbar 1 and the context menu from their tables, titles, command-line
// files, save prompts on close, and the message pump.
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <atomic>
#include <functional>
#include <thread>

#include "qt/mainframe/FindBox.h"
#include "qt/mainframe/MenuLayout.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/platform/QtMessagePump.h"
#include "qt/platform/QtTranslations.h"
#include <QScreen>
#include "shell/CommandLine.h"
#include "tests/qt/QtTestSupport.h"
#include "winmsg/MessageLayer.h"

namespace orvex::qt::test {
namespace {

void forEachCommand(const QList<QAction*>& actions, const std::function<void(QAction*)>& f) {
    for (QAction* a : actions) {
        if (a->menu()) forEachCommand(a->menu()->actions(), f);
        else if (a->data().isValid()) f(a);
    }
}

class MainFrameTest : public EditorWindowTest {};

TEST_F(MainFrameTest, MenuItemsCarryCommandTextsAndKeyNamesAfterATab) {
    QAction* undo = findAction(frame->menuBar()->actions(), 57643);
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text(), QStringLiteral("直前に行った動作を元に戻す(ｱﾝﾄﾞｩ)\tAlt+Ctrl+BackSpace Ctrl+Z"));
    QAction* open = findAction(frame->menuBar()->actions(), 57601);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("既存のﾌｧｲﾙを開く\tCtrl+O"));
    // A command without a key has no tab.
    QAction* top = findAction(frame->menuBar()->actions(), 32805);
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top->text().contains(QLatin1Char('\t')));
    // Every item is a command some target has, with a text.
    int items = 0;
    forEachCommand(frame->menuBar()->actions(), [&](QAction* a) {
        ++items;
        EXPECT_TRUE(frame->session().router().knows(CommandId(a->data().toInt()))) << a->data().toInt();
        EXPECT_FALSE(a->text().isEmpty()) << a->data().toInt();
    });
    EXPECT_GT(items, 100);
    // The print commands are in the File menu.
    for (int id : {32776, 57606, 57607, 57609, 32873}) EXPECT_NE(findAction(frame->menuBar()->actions(), id), nullptr) << id;
}

TEST_F(MainFrameTest, KeysWereLostAfterClosingAMenuWithEsc) {
    newChild();
    frame->activateWindow();
    pane().setFocus();
    settle();
    QMenu* file = frame->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    frame->menuBar()->setActiveAction(frame->menuBar()->actions().front());
    settle();
    ASSERT_TRUE(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(file->isVisible());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), &pane());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    EXPECT_EQ(text(), "ab");
}

TEST(MainFramePlacement, WindowOpenedLargerThanTheScreen) {
    const QRect screen(0, 0, 800, 600);
    // Too large: cut down and moved in; a second screen to the right keeps
    // its own origin.
    EXPECT_EQ(CMainFrame::clampedToScreen(QRect(0, 0, 2000, 1400), screen), screen);
    EXPECT_EQ(CMainFrame::clampedToScreen(QRect(500, 400, 600, 400), screen), QRect(200, 200, 600, 400));
    EXPECT_EQ(CMainFrame::clampedToScreen(QRect(-50, -20, 300, 200), screen), QRect(0, 0, 300, 200));
    const QRect right(1920, 0, 1280, 1024);
    EXPECT_EQ(CMainFrame::clampedToScreen(QRect(1900, 100, 3000, 900), right), QRect(1920, 100, 1280, 900));
    EXPECT_EQ(CMainFrame::clampedToScreen(QRect(10, 10, 300, 200), screen), QRect(10, 10, 300, 200));
}

TEST_F(MainFrameTest, TheShownWindowFitsItsScreen) {
    // The fixture asked for 900 x 600 before showing; the default is larger
    // still. Either way the window lies inside the screen's free area.
    ASSERT_NE(frame->screen(), nullptr);
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(frame->frameGeometry())) << frame->frameGeometry().width() << "x"
                                                            << frame->frameGeometry().height();
}

TEST_F(MainFrameTest, StandardButtonsSpeakJapaneseAndAboutNamesTheVersion) {
    ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance()));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").contains(QStringLiteral("はい")));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "Cancel").contains(QStringLiteral("キャンセル")));
    removeQtTranslations(*QCoreApplication::instance());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    EXPECT_TRUE(CMainFrame::aboutText().startsWith(QStringLiteral("Orvex ") + QString::fromLatin1(programVersion())));
    EXPECT_FALSE(QString::fromLatin1(programVersion()).isEmpty());
}

TEST_F(MainFrameTest, RefreshingKeyLabelsReplacesAnOldLabel) {
    QAction* undo = findAction(frame->menuBar()->actions(), 57643);
    ASSERT_NE(undo, nullptr);
    settings::KeyTable& keys = ctx->settings().tables.keys;
    keys.count = 0;  // nothing stored: the defaults again
    ctx->applySettings();
    undo->setText(QStringLiteral("直前に行った動作を元に戻す(ｱﾝﾄﾞｩ)\tF9"));
    frame->refreshMenuKeyLabels();
    EXPECT_EQ(undo->text(), QStringLiteral("直前に行った動作を元に戻す(ｱﾝﾄﾞｩ)\tAlt+Ctrl+BackSpace Ctrl+Z"));
}

TEST_F(MainFrameTest, UpdateHandlersEnableAndCheckMenuItems) {
    newChild();
    EXPECT_FALSE(frame->commandState(57643).enabled);  // nothing to undo
    QTest::keyClicks(&pane(), QStringLiteral("ab"));
    EXPECT_TRUE(frame->commandState(57643).enabled);
    EXPECT_FALSE(frame->commandState(57634).enabled);  // copy needs a selection
    EXPECT_TRUE(frame->commandState(32781).checked);   // insert mode
    QTest::keyClick(&pane(), Qt::Key_Insert);
    EXPECT_FALSE(frame->commandState(32781).checked);
    EXPECT_FALSE(frame->commandState(57653).checked);  // not split
}

TEST_F(MainFrameTest, ToolbarAndContextMenuFollowTheirDefaultTables) {
    newChild();
    std::vector<int> ids;
    for (QAction* a : frame->toolbar()->actions())
        if (a->data().isValid()) ids.push_back(a->data().toInt());
    // Toolbar 1's defaults in order, without the commands not built yet.
    const std::vector<int> expected = {57600, 57601, 57603, 32800, 32970, 57607, 57635, 57634, 57637, 57643, 57644, 32864, 57636,
                                       32773, 32774, 32778, 32779, 32777, 32782, 32783, 32785, 57650, 57651, 57652,
                                       57664};
    EXPECT_EQ(ids, expected);
    for (QAction* a : frame->toolbar()->actions()) {
        if (a->data().isValid()) {
            EXPECT_FALSE(a->icon().isNull());
        }
    }
    // The find box stands where 32780 is: between redo and 32864.
    ASSERT_NE(frame->findBox(), nullptr);
    EXPECT_EQ(frame->findBox()->width(), 160);
    int last = 0, after = 0;
    bool boxSeen = false;
    for (QAction* a : frame->toolbar()->actions()) {
        if (frame->toolbar()->widgetForAction(a) == frame->findBox()) boxSeen = true;
        else if (a->data().isValid() && !boxSeen) last = a->data().toInt();
        else if (a->data().isValid() && boxSeen && after == 0) after = a->data().toInt();
    }
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(last, 57644);
    EXPECT_EQ(after, 32864);

    std::unique_ptr<QMenu> menu = frame->buildContextMenu();
    std::vector<int> top;
    QStringList submenus;
    for (QAction* a : menu->actions()) {
        if (a->menu()) submenus << a->text();
        else if (a->data().isValid()) top.push_back(a->data().toInt());
    }
    EXPECT_EQ(top, (std::vector<int>{57643, 57644, 57635, 57634, 57637, 32843, 32799, 32798, 57642, 33111, 32933, 32872,
                                     33106, 32875}));
    EXPECT_TRUE(submenus.contains(QStringLiteral("選択ﾒﾆｭｰ")));
    EXPECT_TRUE(submenus.contains(QStringLiteral("入力ﾓｰﾄﾞﾒﾆｭｰ")));
    EXPECT_FALSE(findAction(menu->actions(), 57643)->isEnabled());
}

TEST_F(MainFrameTest, UntitledDocumentTitleAndModifiedMarker) {
    CChildFrame* child = newChild();
    EXPECT_EQ(child->windowTitle(), QStringLiteral("無題のﾌｧｲﾙ"));
    // The maximized document window's title follows the frame's.
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvex - [無題のﾌｧｲﾙ]"));
    QTest::keyClicks(&pane(), QStringLiteral("x"));
    settle();
    EXPECT_EQ(child->windowTitle(), QStringLiteral("無題のﾌｧｲﾙ*"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Orvex - [無題のﾌｧｲﾙ*]"));
    // A file's title carries the file name and " *変更" while modified.
    const std::string p = writeFile("named.txt", "text");
    CChildFrame* named = frame->openFile(p);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->windowTitle(), QStringLiteral("named.txt"));
    QTest::keyClicks(&pane(), QStringLiteral("y"));
    EXPECT_EQ(named->windowTitle(), QStringLiteral("named.txt *変更"));
}

TEST_F(MainFrameTest, CommandLineJumpLinePutsTheCaretOnThatLine) {
    std::string text;
    for (int i = 1; i <= 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string p = writeFile("jump.txt", text);
    ASSERT_TRUE(frame->processCommandLine(shell::parseCommandLine({p, "/j25"})));
    settle();
    const TextStore& t = doc().text();
    EXPECT_EQ(t.row(view().cursor().row).line, 24);
    EXPECT_EQ(view().cursor().byteColumn, 0);
    // Shown in the middle of the window.
    const int32_t rows = view().fullyVisibleRows();
    EXPECT_EQ(view().topRow(), view().cursor().row - rows / 2);
    EXPECT_EQ(frame->statusPanes().lineColumnText().simplified(), QStringLiteral("25:1"));
}

TEST_F(MainFrameTest, CommandLineStopsAtTheFirstFileThatCannotBeOpened) {
    const std::string a = writeFile("a.txt", "a\r\n");
    const std::string c = writeFile("c.txt", "c\r\n");
    EXPECT_FALSE(frame->processCommandLine(shell::parseCommandLine({a, path("missing.txt"), c})));
    ASSERT_EQ(frame->childFrames().size(), 1u);
    EXPECT_EQ(frame->childFrames()[0]->document().path(), a);
    EXPECT_EQ(messages.shown.size(), 1u);
    // No file: a new untitled document.
    EXPECT_TRUE(frame->processCommandLine(shell::parseCommandLine(std::vector<std::string>{})));
    EXPECT_EQ(frame->childFrames().size(), 2u);
    EXPECT_TRUE(frame->childFrames()[1]->document().untitled());
}

TEST_F(MainFrameTest, OpeningAFileTwiceActivatesItsWindow) {
    const std::string a = writeFile("a.txt", "a\r\n");
    CChildFrame* first = frame->openFile(a);
    newChild();
    EXPECT_EQ(frame->openFile(a), first);
    EXPECT_EQ(frame->childFrames().size(), 2u);
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
    newChild();
    QTest::keyClicks(&pane(), QStringLiteral("keep"));
    messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(frame->closeAllDocuments());
    ASSERT_EQ(messages.ids(), std::vector<int>{strings::kSaveChangesTo});
    EXPECT_EQ(frame->childFrames().size(), 1u);
    messages.answer(MsgResult::No);
    EXPECT_TRUE(frame->closeAllDocuments());
    settle();
    EXPECT_TRUE(frame->childFrames().empty());
}

TEST_F(MainFrameTest, YesAtThePromptSavesThroughTheDialogThenCloses) {
    newChild();
    QTest::keyClicks(&pane(), QStringLiteral("saved"));
    FileDialogResult r;
    r.paths = {path("out.txt")};
    dialogs.answer(r);
    messages.answer(MsgResult::Yes);
    EXPECT_TRUE(frame->closeAllDocuments());
    EXPECT_EQ(readFile(path("out.txt")), "saved");
    // The untitled document's default name was its first word.
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].fileName, "saved.txt");
}

TEST_F(MainFrameTest, ExitSavesTheSettingsAfterClosingTheDocuments) {
    newChild();
    ctx->settings().frame.toolBarDisp = 1;
    frame->runCommand(cmd::kToolbar1);  // hides toolbar 1
    EXPECT_TRUE(frame->toolbar()->isHidden());
    EXPECT_EQ(ctx->settings().frame.toolBarDisp, 0);
    EXPECT_TRUE(frame->runCommand(cmd::kAppExit));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(frame->childFrames().empty());
    const std::string saved = readFile(path("settings.ini"));
    EXPECT_NE(saved.find("ToolBarDisp=0"), std::string::npos) << saved.substr(0, 400);
}

TEST_F(MainFrameTest, SplitCommandOpensAndClosesTheSecondPane) {
    CChildFrame* child = newChild();
    EXPECT_FALSE(child->isSplit());
    frame->runCommand(cmd::kWindowSplit);
    EXPECT_TRUE(child->isSplit());
    EXPECT_TRUE(frame->commandState(cmd::kWindowSplit).checked);
    frame->runCommand(cmd::kWindowSplit);
    EXPECT_FALSE(child->isSplit());
}

// A worker thread's send is answered by the Qt event loop while the UI
// thread waits with the pumping wait.
TEST(MessagePump, WorkerSendAnsweredFromQtEventLoop) {
    orvex::qt::installMessagePump();
    struct Echo : orvex::win::Receiver {
        orvex::win::LResult onMessage(uint32_t, orvex::win::WParam w, orvex::win::LParam) override {
            return static_cast<orvex::win::LResult>(w * 2);
        }
    } echo;
    auto h = orvex::win::registerWindow(&echo);
    std::atomic<long> sum{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 1; i <= 500; ++i) sum += orvex::win::sendMessage(h, 0x401, static_cast<orvex::win::WParam>(i));
        done = true;
        orvex::win::wake();
    });
    EXPECT_TRUE(orvex::win::waitPumping([&] { return done.load(); }, 30000));
    worker.join();
    EXPECT_EQ(sum.load(), 500 * 501);
    // Plain event-loop delivery too: a post is handled once the loop runs.
    bool posted = false;
    struct Flag : orvex::win::Receiver {
        bool* flag;
        orvex::win::LResult onMessage(uint32_t, orvex::win::WParam, orvex::win::LParam) override {
            *flag = true;
            QApplication::quit();
            return 0;
        }
    } flag;
    flag.flag = &posted;
    auto h2 = orvex::win::registerWindow(&flag);
    std::thread([&] { orvex::win::postMessage(h2, 1); }).join();
    QTimer::singleShot(5000, qApp, &QApplication::quit);
    QApplication::exec();
    EXPECT_TRUE(posted);
    orvex::win::unregisterWindow(h);
    orvex::win::unregisterWindow(h2);
    orvex::qt::removeMessagePump();
}

}  // namespace
}  // namespace orvex::qt::test
