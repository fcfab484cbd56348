#pragma once
// The macro debugger ("ﾃﾞﾊﾞｯｸﾞ ｳｨﾝﾄﾞｳ"): the program with the statement
// about to run selected, the global and local variables, the result of the
// last run, and the buttons that run, step, pause, reset and close. It is
// the macro thread's notification window; the thread is created suspended
// and nothing runs until Start or Step. At every step notification the
// window holds the thread until the next button.
#include <QDialog>
#include <memory>

#include "orxmac/bridge/CMacExe.h"
#include "winmsg/MessageLayer.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace orvex::qt {

class MacroDebuggerWindow final : public QDialog, private win::Receiver {
public:
    // Closing stops the macro and waits for its thread.
    void reject() override;
    explicit MacroDebuggerWindow(std::shared_ptr<orxmac::CMacExe> exe, QWidget* parent = nullptr);
    ~MacroDebuggerWindow() override;

    // Creates the thread (suspended) and shows the window until it closes.
    int run();
    // Only creates the thread (for a window shown without its own loop).
    bool begin();

    // The buttons' actions.
    void start();
    void step();
    void pause();
    void reset();

    // For tests and the buttons' wiring.
    QPlainTextEdit* program() const { return m_program; }
    QListWidget* globals() const { return m_globals; }
    QListWidget* locals() const { return m_locals; }
    QPlainTextEdit* errorField() const { return m_error; }
    QComboBox* tabChoice() const { return m_tabs; }
    QPushButton* button(int id) const;
    // The program line (from 0) that is selected.
    int selectedLine() const;
    // Whether the thread waits at a step.
    bool atStep() const { return m_atStep; }

    // Button ids.
    enum : int { kClose = 1, kStart = 1000, kReset = 1001, kStep = 1002, kStop = 1003, kHelp = 9 };

private:
    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override;
    void selectLineAt(uint32_t offset);
    void applyTabStop();
    void closeAndWait();

    std::shared_ptr<orxmac::CMacExe> m_exe;
    win::Handle m_handle = nullptr;
    QPlainTextEdit* m_program = nullptr;
    QListWidget* m_globals = nullptr;
    QListWidget* m_locals = nullptr;
    QPlainTextEdit* m_error = nullptr;
    QComboBox* m_tabs = nullptr;
    QPushButton* m_buttons[6] = {};
    bool m_atStep = false;
};

}  // namespace orvex::qt
