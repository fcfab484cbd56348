// The program's main window starts and closes cleanly offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>

#include "qt/mainframe/CMainFrame.h"
#include "qt/platform/QtMessagePump.h"
#include "winmsg/MessageLayer.h"

namespace {

int argc = 1;
char arg0[] = "orvex-tests";
char* argv[] = {arg0, nullptr};

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { app = new QApplication(argc, argv); }
    void TearDown() override { delete app; }
    QApplication* app = nullptr;
};

const auto* const env = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

TEST(MainFrame, StartsWithTitleMdiAreaAndExitClosesIt) {
    orvex::qt::CMainFrame frame;
    frame.show();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Orvex"));
    ASSERT_NE(frame.mdiArea(), nullptr);
    QAction* exit = nullptr;
    for (QAction* menu : frame.menuBar()->actions())
        for (QAction* a : menu->menu()->actions())
            if (a->data().toInt() == 57665) exit = a;
    ASSERT_NE(exit, nullptr);
    QTimer::singleShot(0, exit, &QAction::trigger);
    QTimer::singleShot(5000, qApp, &QApplication::quit);  // guard
    QApplication::exec();
    EXPECT_FALSE(frame.isVisible());
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
