// The macro library's windows: the debugger follows the run (current
// line, variables, result), the running dialog's "中断" stops an endless
// macro, and MessageBox and Input reach real dialogs on the user-interface
// thread from the macro thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "orxmac/FakeEditor.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/CMacExe.h"
#include "qt/macro/MacroDebuggerWindow.h"
#include "qt/macro/MacroDialogTexts.h"
#include "qt/macro/MacroInputDialog.h"
#include "qt/macro/MacroRunningDialog.h"
#include "qt/macro/QtMacroHostUi.h"
#include "qt/platform/QtMessagePump.h"
#include "winmsg/MessageLayer.h"

using namespace orvex;
using namespace orvex::orxmac;
using orvex::orxmac::test::FakeEditor;

namespace {

constexpr int kBoundMs = 60000;

// Acts on the first modal window of a kind as soon as it is shown.
class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<bool(QWidget&)> act) : m_act(std::move(act)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* w = QApplication::activeModalWidget(); w && !m_done) m_done = m_act(*w);
        });
        m_timer.start(0);
    }
    bool done() const { return m_done; }

private:
    std::function<bool(QWidget&)> m_act;
    QTimer m_timer;
    bool m_done = false;
};

class MacroWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        qt::installMessagePump();
        editor = std::make_unique<FakeEditor>();
        ui.attach();
    }
    void TearDown() override {
        exe.reset();
        ui.detach();
        editor.reset();
        qt::removeMessagePump();
    }
    std::shared_ptr<CMacExe> make(const std::string& program, bool debugRun) {
        MacroStart start;
        start.mainWindow = editor->mainHandle;
        start.view = editor->viewHandle;
        start.path = "t.mac";
        start.source = MacroSource(program);
        start.debugRun = debugRun;
        exe = std::make_shared<CMacExe>(std::move(start), running, ui);
        return exe;
    }
    bool waitFor(const std::function<bool()>& done) { return win::waitPumping(done, kBoundMs); }

    std::unique_ptr<FakeEditor> editor;
    qt::QtMacroHostUi ui;
    std::atomic<int> running{0};
    std::shared_ptr<CMacExe> exe;
};

const char* const kProgram =
    "int g = 5;\n"
    "main()\n"
    "{\n"
    "    int local = 1;\n"
    "    g = 7;\n"
    "    g = 8;\n"
    "}\n";

TEST_F(MacroWindowsTest, DebuggerShowsTheCurrentLineTheVariablesAndComplete) {
    make(kProgram, true);
    qt::MacroDebuggerWindow window(exe);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(qt::macrotexts::kDebuggerCaption));
    for (int id : {qt::MacroDebuggerWindow::kClose, qt::MacroDebuggerWindow::kStart, qt::MacroDebuggerWindow::kStep,
                   qt::MacroDebuggerWindow::kStop, qt::MacroDebuggerWindow::kReset, qt::MacroDebuggerWindow::kHelp})
        ASSERT_NE(window.button(id), nullptr) << id;
    EXPECT_EQ(window.button(qt::MacroDebuggerWindow::kStep)->text(), QString::fromUtf8("ｽﾃｯﾌﾟ"));
    EXPECT_EQ(window.program()->toPlainText().count(QLatin1Char('\n')), 7);
    window.show();
    ASSERT_TRUE(window.begin());

    window.button(qt::MacroDebuggerWindow::kStep)->click();
    ASSERT_TRUE(waitFor([&] { return window.atStep(); }));
    EXPECT_EQ(window.selectedLine(), 2);  // main's brace
    EXPECT_EQ(window.program()->textCursor().selectedText(), QStringLiteral("{"));

    window.button(qt::MacroDebuggerWindow::kStep)->click();
    ASSERT_TRUE(waitFor([&] { return window.atStep(); }));
    EXPECT_EQ(window.selectedLine(), 3);
    window.button(qt::MacroDebuggerWindow::kStep)->click();
    ASSERT_TRUE(waitFor([&] { return window.atStep(); }));
    EXPECT_EQ(window.selectedLine(), 4);
    ASSERT_EQ(window.locals()->count(), 1);
    EXPECT_EQ(window.locals()->item(0)->text(), QStringLiteral("local = 1"));
    ASSERT_EQ(window.globals()->count(), 1);
    EXPECT_EQ(window.globals()->item(0)->text(), QStringLiteral("g = 5"));

    window.button(qt::MacroDebuggerWindow::kStep)->click();
    ASSERT_TRUE(waitFor([&] { return window.atStep(); }));
    EXPECT_EQ(window.globals()->item(0)->text(), QStringLiteral("g = 7"));

    window.button(qt::MacroDebuggerWindow::kStart)->click();
    ASSERT_TRUE(waitFor([&] { return !window.errorField()->toPlainText().isEmpty(); }));
    EXPECT_EQ(window.errorField()->toPlainText(), QStringLiteral("Complete."));

    window.button(qt::MacroDebuggerWindow::kReset)->click();
    EXPECT_EQ(window.globals()->count(), 0);
    EXPECT_TRUE(window.errorField()->toPlainText().isEmpty());
    window.button(qt::MacroDebuggerWindow::kClose)->click();
    EXPECT_TRUE(exe->ended());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MacroWindowsTest, DebuggerShowsTheErrorNumberAndMessageAndSelectsTheLine) {
    make("main()\n{\n    int x;\n    x = 1 / 0;\n}\n", true);
    qt::MacroDebuggerWindow window(exe);
    window.show();
    ASSERT_TRUE(window.begin());
    // The error box of the failed run is answered when it shows.
    ModalAnswer answer([](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        if (!box) return false;
        box->accept();
        return true;
    });
    window.start();
    ASSERT_TRUE(waitFor([&] { return !window.errorField()->toPlainText().isEmpty(); }));
    EXPECT_EQ(window.errorField()->toPlainText(),
              QStringLiteral("Error 4\n") + QString::fromUtf8(std::string(errorMessage(kErrDivideByZero)).c_str()));
    EXPECT_EQ(window.selectedLine(), 3);
    EXPECT_TRUE(answer.done());
    window.reject();
    EXPECT_TRUE(exe->ended());
}

TEST_F(MacroWindowsTest, DebuggerTabChoiceSetsTheTabStop) {
    make(kProgram, true);
    qt::MacroDebuggerWindow window(exe);
    const int cell = window.program()->fontMetrics().averageCharWidth();
    window.tabChoice()->setCurrentIndex(2);
    EXPECT_DOUBLE_EQ(window.program()->tabStopDistance(), 8.0 * cell);
    window.tabChoice()->setCurrentIndex(0);
    EXPECT_DOUBLE_EQ(window.program()->tabStopDistance(), 2.0 * cell);
}

TEST_F(MacroWindowsTest, ClosingTheDebuggerBeforeAnyStepEndsTheThread) {
    make(kProgram, true);
    {
        qt::MacroDebuggerWindow window(exe);
        ASSERT_TRUE(window.begin());
    }
    EXPECT_TRUE(exe->ended());
    EXPECT_TRUE(editor->requests.empty());
}

TEST_F(MacroWindowsTest, RunningDialogAbortStopsAnEndlessMacro) {
    make("main() { while (1) { Ins(\"x\"); } }", false);
    qt::MacroRunningDialog dialog(exe);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(qt::macrotexts::kRunningCaption));
    EXPECT_EQ(dialog.abortButton()->text(), QString::fromUtf8(qt::macrotexts::kAbort));
    ModalAnswer press([&](QWidget& w) {
        if (&w != &dialog || editor->text.size() < 3) return false;
        dialog.abortButton()->click();
        return true;
    });
    dialog.run();
    EXPECT_TRUE(press.done());
    EXPECT_TRUE(exe->ended());
    EXPECT_EQ(exe->lastResult(), kStopped);
}

TEST_F(MacroWindowsTest, RunningDialogClosesWhenTheMacroEnds) {
    make("main() { Ins(\"done\"); }", false);
    qt::MacroRunningDialog dialog(exe);
    EXPECT_EQ(dialog.run(), QDialog::Accepted);
    EXPECT_TRUE(exe->ended());
    EXPECT_EQ(editor->text, "done");
}

TEST_F(MacroWindowsTest, MessageBoxFromTheMacroThreadIsARealDialogOnTheUserInterfaceThread) {
    make("main() { Ins(itoa(MessageBox(\"question\", 2), 10)); }", false);
    QString caption, text;
    ModalAnswer answer([&](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        if (!box) return false;
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::No)->click();
        return true;
    });
    qt::MacroRunningDialog dialog(exe);
    dialog.run();
    EXPECT_TRUE(answer.done());
    EXPECT_EQ(caption, QStringLiteral("orxmac.dll"));
    EXPECT_EQ(text, QStringLiteral("question"));
    EXPECT_EQ(editor->text, "3");
}

TEST_F(MacroWindowsTest, InputFromTheMacroThreadGivesTheTypedText) {
    make("main() { Ins(Input(\"name\") + \"!\"); Ins(Input(\"again\")); }", false);
    int shown = 0;
    ModalAnswer first([&](QWidget& w) {
        auto* dialog = dynamic_cast<qt::MacroInputDialog*>(&w);
        if (!dialog) return false;
        ++shown;
        EXPECT_TRUE(dialog->windowTitle().isEmpty());
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("abc"));
        dialog->accept();
        return true;
    });
    ModalAnswer second([&](QWidget& w) {
        auto* dialog = dynamic_cast<qt::MacroInputDialog*>(&w);
        if (!dialog || !first.done()) return false;
        ++shown;
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("ignored"));
        dialog->reject();
        return true;
    });
    qt::MacroRunningDialog dialog(exe);
    dialog.run();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(editor->text, "abc!");
}

}  // namespace
