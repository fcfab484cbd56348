// The documents' file side in the editor windows: a save that fails keeps
// the old file and reports it, the conversion commands of the view (an
// extension of every view), the automatic backup driven by the main
// window's 10,000 ms timer, and appending the selection to a file, whose
// target opens in a window of its own.
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "files/AutoBackupService.h"
#include "files/CharCode.h"
#include "files/FileCommandIds.h"
#include "qt/mainframe/StatusPanes.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class FileSideTest : public EditorWindowTest {};

// Files may grow to a few bytes only while it lives (the failure holds for
// every user, root included); SIGXFSZ is ignored so that the write fails
// with an error instead of ending the process.
class SmallFileLimit {
public:
    explicit SmallFileLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallFileLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    sighandler_t m_handler;
};

TEST_F(FileSideTest, AFailedSaveKeepsTheOldFileAndShowsTheMessage) {
    const std::string p = writeFile("keep.txt", "old\r\n");
    ASSERT_NE(frame->openFile(p), nullptr);
    load(std::string(300, 'x'));
    doc().setModified(true);
    {
        SmallFileLimit limit(64);
        EXPECT_FALSE(frame->runCommand(cmd::kFileSave) && !doc().isModified());
    }
    EXPECT_EQ(readFile(p), "old\r\n");
    EXPECT_TRUE(doc().isModified());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_NE(messages.shown.back().icon, MsgIcon::None);
    // No temporary file is left beside it.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString()))
        files += e.is_regular_file() && e.path().filename() != "settings.ini";
    EXPECT_EQ(files, 1);
    // Saved again once the disk takes it.
    messages.clear();
    EXPECT_TRUE(frame->runCommand(cmd::kFileSave));
    EXPECT_EQ(readFile(p), std::string(300, 'x'));
    EXPECT_FALSE(doc().isModified());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileSideTest, ConversionCommandOfTheViewSavesInTheNewCode) {
    const std::string p = writeFile("conv.txt", sj("日本\r\n"));
    ASSERT_NE(frame->openFile(p), nullptr);
    EXPECT_EQ(StatusPanes::paneText(5, &pane(), ctx->state()), QStringLiteral("SJIS"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToEuc).enabled);
    EXPECT_TRUE(frame->runCommand(cmd::kConvertToEuc));
    EXPECT_EQ(readFile(p), "\xC6\xFC\xCB\xDC\r\n");
    EXPECT_EQ(StatusPanes::paneText(5, &pane(), ctx->state()), QStringLiteral("EUC"));
    EXPECT_TRUE(frame->runCommand(cmd::kConvertToLf));
    EXPECT_EQ(readFile(p), "\xC6\xFC\xCB\xDC\n");
    EXPECT_EQ(StatusPanes::paneText(12, &pane(), ctx->state()), QStringLiteral("LF"));
}

// The frame's automatic backups run on scripted timers.
class AutoBackupTest : public FileSideTest {
protected:
    void configure(settings::Settings& s) override {
        s.app.autoBackup = 1;
        s.app.autoBackupTime = 1;  // minutes: due at the tick that passes six ticks of 10 s
        s.app.autoBackupPath = path("backups");
        std::filesystem::create_directory(path("backups"));
    }
    void preparePlatform(Platform& p) override { p.timers = &timers; }
    orvex::test::ManualTimers timers;
};

TEST_F(AutoBackupTest, TheTimerWritesACopyOfAModifiedDocument) {
    EXPECT_TRUE(frame->autoBackups().running());
    const std::string p = writeFile("auto.txt", "start\r\n");
    ASSERT_NE(frame->openFile(p), nullptr);
    QTest::keyClicks(&pane(), QStringLiteral("new "));
    ASSERT_TRUE(doc().isModified());
    ASSERT_EQ(frame->autoBackups().documents().size(), 1u);
    timers.advance(60000);  // six ticks: the count has reached 6 but not passed it
    EXPECT_TRUE(pane().document().file().autoBackupFile().empty());
    timers.advance(10000);
    const std::string copy = pane().document().file().autoBackupFile();
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(std::filesystem::path(copy).parent_path(), std::filesystem::path(path("backups")));
    EXPECT_EQ(readFile(copy), "new start\r\n");
    EXPECT_EQ(readFile(p), "start\r\n");  // the file itself is left alone
    // Closing the document without saving removes the copy and its
    // registration at once, while the window still waits to be deleted: a
    // later tick never writes the discarded edits, not even where the
    // automatic backup saves the file itself (AutoBackup 2).
    ctx->settings().app.autoBackup = 2;
    messages.answer(MsgResult::No);
    EXPECT_TRUE(frame->closeAllDocuments());
    EXPECT_EQ(messages.ids(), std::vector<int>{strings::kSaveChangesTo});
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(frame->autoBackups().documents().empty());
    timers.advance(70000);
    EXPECT_EQ(readFile(p), "start\r\n");
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(FileSideTest, AppendingTheSelectionOpensTheTargetInAWindow) {
    const std::string target = writeFile("log.txt", "old\r\n");
    newChild();
    load("abc def");
    view().selectRange(0, 3);
    FileDialogResult r;
    r.paths = {target};
    dialogs.answer(r);
    messages.answer(MsgResult::Yes);  // save the target with the text added
    EXPECT_TRUE(frame->runCommand(cmd::kAppendSelectionToFile));
    EXPECT_EQ(readFile(target), "old\r\nabc");
    // The target is shown in a window, saved.
    CChildFrame* shown = nullptr;
    for (CChildFrame* c : frame->childFrames())
        if (c->document().path() == target) shown = c;
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->document().doc().isModified());
    EXPECT_EQ(utf8(shown->document().doc().text().view()), "old\r\nabc");
}

}  // namespace
}  // namespace orvex::qt::test
