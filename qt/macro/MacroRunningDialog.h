#pragma once
// The small modal dialog shown while a macro runs ("ﾏｸﾛ実行中..."): it is
// the macro thread's notification window, starts the thread when it opens,
// and closes when the thread's end notification arrives. "中断" or closing
// it stops the macro and waits (answering messages) for its thread.
#include <QDialog>
#include <memory>

#include "orxmac/bridge/CMacExe.h"
#include "winmsg/MessageLayer.h"

class QPushButton;

namespace orvex::qt {

class MacroRunningDialog final : public QDialog, private win::Receiver {
public:
    // Closing stops the macro and waits for its thread.
    void reject() override;
    MacroRunningDialog(std::shared_ptr<orxmac::CMacExe> exe, QWidget* parent = nullptr);
    ~MacroRunningDialog() override;

    // Starts the thread and shows the dialog until the macro has ended.
    int run();
    QPushButton* abortButton() const { return m_abort; }

private:
    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override;
    void stopAndWait();

    std::shared_ptr<orxmac::CMacExe> m_exe;
    win::Handle m_handle = nullptr;
    QPushButton* m_abort = nullptr;
};

}  // namespace orvex::qt
