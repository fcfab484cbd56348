// The frame's print commands over a scripted print host that prints on the
// fake printer of known metrics (64 lines a page): one-page printing with
// its question between jobs, two-sided printing with its second pass, the
// confirmation of the format, the format chosen by extension and clipboard
// print.
#include <gtest/gtest.h>

#include <fstream>

#include "common/commands/CommandIds.h"
#include "print/FakePrintDevice.h"
#include "shell/EditorDocument.h"
#include "shell/EditorWindow.h"
#include "shell/PrintCommands.h"
#include "tests/shell/SessionFixture.h"
#include "text/CLuDoc.h"

namespace orvex::shell::test {
namespace {

class ScriptedPrintHost final : public PrintHost {
public:
    struct Job {
        bool showDialog;
        bool allowPageRange;
        std::string header;
        std::vector<int> printed;
    };
    LayoutAnswer layoutAnswer = LayoutAnswer::Ok;
    int layoutCalls = 0;
    bool cancelDialog = false;
    int from = 1;
    int to = 0;
    std::vector<Job> jobs;

    LayoutAnswer editPageLayouts(bool) override {
        ++layoutCalls;
        return layoutAnswer;
    }
    void printerSetup() override {}
    bool runJob(const PrintJobRequest& r) override {
        if (r.showDialog && cancelDialog) return false;
        orvex::print::test::FakePrintDevice device;
        print::DocumentPrint job(r.document, r.format, device, std::tm{});
        const std::function<bool(int)> exists = [&](int p) { return job.hasPage(p); };
        const std::vector<int> pages = r.choosePages(r.showDialog ? from : 1, r.showDialog ? to : 0, exists);
        for (int p : pages) job.printPageOn(p);
        if (r.finished) r.finished(pages, exists);
        jobs.push_back({r.showDialog, r.allowPageRange, r.format.header, pages});
        return true;
    }
    bool preview(const PrintJobRequest&) override { return true; }
};

class PrintCommandsTest : public SessionFixture {
protected:
    void SetUp() override { session->printCommands().setHost(&host); }
    void TearDown() override { session->printCommands().setHost(nullptr); }
    EditorWindow* documentWithLines(int lines) {
        EditorWindow* w = session->newDocument();
        std::string text;
        for (int i = 1; i <= lines; ++i) text += "line " + std::to_string(i) + "\r\n";
        w->document().doc().text().setText(text);
        w->document().doc().text().layoutAll();
        return w;
    }
    settings::PageLayoutFormat& current() { return session->settings().pageLayouts[0]; }
    std::vector<std::vector<int>> printedJobs() const {
        std::vector<std::vector<int>> out;
        for (const auto& j : host.jobs) out.push_back(j.printed);
        return out;
    }
    ScriptedPrintHost host;
};

TEST_F(PrintCommandsTest, OnePagePrintingOfPagesTwoToFourAsksBetweenJobs) {
    documentWithLines(300);  // five pages
    current().prnConf = 1;
    host.from = 2;
    host.to = 4;
    fakes.messages.answer(MsgResult::Ok);
    fakes.messages.answer(MsgResult::Ok);
    ASSERT_TRUE(session->router().run(cmd::kFilePrint));
    EXPECT_EQ(printedJobs(), (std::vector<std::vector<int>>{{2}, {3}, {4}}));
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, strings::kPrintContinueQuestion);
    EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::OkCancel);
    // Only the first job shows the print dialog.
    EXPECT_TRUE(host.jobs[0].showDialog);
    EXPECT_FALSE(host.jobs[1].showDialog);
    EXPECT_FALSE(host.jobs[2].showDialog);
    EXPECT_FALSE(session->printCommands().sequence().has_value());
}

TEST_F(PrintCommandsTest, TwoSidedPrintsTheOtherPagesAfterTheTurnedPaper) {
    documentWithLines(300);
    current().prnSkip = 1;
    fakes.messages.answer(MsgResult::Ok);
    ASSERT_TRUE(session->router().run(cmd::kFilePrint));
    EXPECT_EQ(printedJobs(), (std::vector<std::vector<int>>{{1, 3, 5}, {2, 4}}));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, strings::kPrintTurnPaperQuestion);
}

TEST_F(PrintCommandsTest, CancelAtTheQuestionEndsThePrint) {
    documentWithLines(300);
    current().prnSkip = 1;
    fakes.messages.answer(MsgResult::Cancel);
    ASSERT_TRUE(session->router().run(cmd::kFilePrint));
    EXPECT_EQ(printedJobs(), (std::vector<std::vector<int>>{{1, 3, 5}}));
    EXPECT_FALSE(session->printCommands().sequence().has_value());
    // The next print starts afresh.
    fakes.messages.answer(MsgResult::Cancel);
    ASSERT_TRUE(session->router().run(cmd::kFilePrint));
    EXPECT_EQ(host.jobs.back().printed, (std::vector<int>{1, 3, 5}));
}

TEST_F(PrintCommandsTest, TwoSidedDocumentOnOnePageAsksNothing) {
    documentWithLines(10);
    current().prnSkip = 1;
    ASSERT_TRUE(session->router().run(cmd::kFilePrint));
    EXPECT_EQ(printedJobs(), (std::vector<std::vector<int>>{{1}}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PrintCommandsTest, ConfirmingTheFormatFirstCancelsOnAnythingButOk) {
    documentWithLines(10);
    session->settings().print.prnInfo = 1;
    host.layoutAnswer = PrintHost::LayoutAnswer::Cancel;
    session->router().run(cmd::kFilePrint);
    EXPECT_EQ(host.layoutCalls, 1);
    EXPECT_TRUE(host.jobs.empty());
    host.layoutAnswer = PrintHost::LayoutAnswer::Ok;
    session->router().run(cmd::kFilePrint);
    EXPECT_EQ(host.jobs.size(), 1u);
}

TEST_F(PrintCommandsTest, PrintDirectSkipsThePrintDialog) {
    documentWithLines(10);
    ASSERT_TRUE(session->router().run(cmd::kFilePrintDirect));
    ASSERT_EQ(host.jobs.size(), 1u);
    EXPECT_FALSE(host.jobs[0].showDialog);
}

TEST_F(PrintCommandsTest, ExtensionChoosesTheFormatWhenSwitchedOn) {
    const std::string path = folder.file("notes.LOG");
    std::ofstream(path) << "one\r\ntwo\r\n";
    ASSERT_NE(session->openFile(path), nullptr);
    session->settings().pageLayouts[4].prnExt = "txt;log";
    session->settings().pageLayouts[4].header = "fifth";
    session->router().run(cmd::kFilePrint);
    EXPECT_EQ(session->settings().print.printForm, 0);  // switch off: the current format
    session->settings().print.prnExtSel = 1;
    session->router().run(cmd::kFilePrint);
    EXPECT_EQ(session->settings().print.printForm, 4);
    ASSERT_EQ(host.jobs.size(), 2u);
    EXPECT_EQ(host.jobs[1].header, "fifth");
}

TEST_F(PrintCommandsTest, ClipboardPrintPrintsWithoutRangeAndClosesItsDocumentQuietly) {
    fakes.clipboard.setText("from the clipboard\r\nsecond line", false);
    const size_t before = session->windows().size();
    ASSERT_TRUE(session->router().run(cmd::kClipboardPrint));
    ASSERT_EQ(host.jobs.size(), 1u);
    EXPECT_FALSE(host.jobs[0].allowPageRange);
    EXPECT_EQ(host.jobs[0].printed, (std::vector<int>{1}));
    EXPECT_EQ(session->windows().size(), before);
    EXPECT_TRUE(fakes.messages.shown.empty());  // no save question
}

TEST_F(PrintCommandsTest, WithoutAHostThePrintCommandsAreOff) {
    documentWithLines(3);
    session->printCommands().setHost(nullptr);
    CommandState state;
    EXPECT_TRUE(session->printCommands().onUpdateCommand(cmd::kFilePrint, state));
    EXPECT_FALSE(state.enabled);
}

}  // namespace
}  // namespace orvex::shell::test
