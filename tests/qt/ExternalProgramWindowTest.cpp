// External programs in the running window: the registration sheet from the
// tools menu edits the ten registrations and runs one into a new window;
// a captured program that does not end is stopped from the wait window.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>

#include "qt/dialogs/CShExProg.h"
#include "shell/EditorSession.h"
#include "shell/ExternalProgramCommands.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class ExternalProgramWindowTest : public EditorWindowTest {
protected:
    settings::ExternalProgram& program(int i) { return ctx->settings().programs[size_t(i)]; }
};

TEST_F(ExternalProgramWindowTest, SheetEditsThePagesAndRunsTheShownOne) {
    program(1).title = sj("古い");
    program(1).paramFile = 1;
    ctx->settings().frame.progNo = 1;
    ModalScript script;
    script.then([&](QWidget& w) {
        auto& sheet = dynamic_cast<CShExProg&>(w);
        EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
        ExProgPage* p = sheet.page(1);
        EXPECT_EQ(p->titleField()->text(), QString::fromUtf8("古い"));
        // The two places of the file name exclude each other.
        EXPECT_TRUE(p->nameLastBox()->isChecked());
        p->nameFirstBox()->setChecked(true);
        EXPECT_FALSE(p->nameLastBox()->isChecked());
        p->titleField()->setText(QString::fromUtf8("一覧"));
        p->commandField()->setText(QStringLiteral("printf"));
        p->captureBox()->setChecked(true);
        sheet.findChild<QPushButton*>(QStringLiteral("run"))->click();
    });
    QAction* a = findAction(frame->menuBar()->actions(), cmd::kExternalProgramSheet);
    ASSERT_NE(a, nullptr);
    a->trigger();
    settle();
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(program(1).title, sj("一覧"));
    EXPECT_EQ(program(1).paramFile, 2);
    EXPECT_EQ(program(1).command, "printf");
    // printf without its format prints nothing and fails: an empty,
    // read-only result window titled with the command line.
    ASSERT_EQ(frame->childFrames().size(), 1u);
    EXPECT_TRUE(doc().readOnly());
    EXPECT_EQ(doc().titleBase(), "実行結果 printf");
    // The menu item shows the new title.
    QAction* run = findAction(frame->menuBar()->actions(), CommandId(cmd::kExternalProgramRun + 1));
    ASSERT_NE(run, nullptr);
    EXPECT_TRUE(run->text().startsWith(QString::fromUtf8("一覧")));
}

TEST_F(ExternalProgramWindowTest, FollowingTheFileFillsTheWorkingFolder) {
    shell::ProgramSheetRequest request;
    request.currentFile = "/home/user/src/a.c";
    CShExProg sheet(request);
    ExProgPage* p = sheet.page(0);
    p->followFileBox()->setChecked(true);
    EXPECT_EQ(p->folderField()->text(), QStringLiteral("/home/user/src"));
    // Cancelled: nothing comes back but the page.
    sheet.tabs()->setCurrentIndex(4);
    sheet.reject();
    sheet.finishInto(request);
    EXPECT_EQ(request.close, shell::ProgramSheetRequest::Close::Cancel);
    EXPECT_EQ(request.page, 4);
    EXPECT_TRUE(request.programs[0].dir.empty());
}

TEST_F(ExternalProgramWindowTest, WaitWindowStopsAProgramThatNeverEnds) {
    program(0).command = "/bin/sh";
    program(0).param = "-c 'echo started; exec sleep 60'";
    program(0).redirect = 1;
    ModalScript script;
    bool sawWait = false;
    script.then([&](QWidget& w) {
        auto* wait = qobject_cast<QProgressDialog*>(&w);
        ASSERT_NE(wait, nullptr);
        sawWait = wait == frame->programWaitDialog();
        QPushButton* stop = wait->findChild<QPushButton*>();
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop->text(), QString::fromUtf8("中止"));
        stop->click();
    });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(frame->runCommand(cmd::kExternalProgramRun));
    settle();
    EXPECT_TRUE(sawWait);
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(frame->programWaitDialog(), nullptr);
    EXPECT_FALSE(ctx->session().externalPrograms().running());
    EXPECT_EQ(text(), "started\r\n");
}

}  // namespace
}  // namespace orvex::qt::test
