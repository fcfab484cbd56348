#pragma once
// The print host of the Qt layer: the page-layout dialog over the
// session's formats, the printer set-up dialog, print jobs through the
// print dialog (a printer, or a PDF file on any machine) and the preview.
// It keeps the printer whose settings the jobs use.
#include <QPrinter>
#include <memory>

#include "shell/PrintHost.h"

class QWidget;

namespace orvex::shell {
class EditorSession;
}

namespace orvex::qt {

class QtPrintHost final : public shell::PrintHost {
public:
    QtPrintHost(shell::EditorSession& session, QWidget* parent);
    ~QtPrintHost() override;

    LayoutAnswer editPageLayouts(bool openedByPrint) override;
    void printerSetup() override;
    bool runJob(const shell::PrintJobRequest& request) override;
    bool preview(const shell::PrintJobRequest& request) override;

    QPrinter& printer() { return *m_printer; }

private:
    shell::EditorSession& m_session;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace orvex::qt
