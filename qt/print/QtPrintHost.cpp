#include "qt/print/QtPrintHost.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>

#include "common/platform/MessageBoxes.h"
#include "qt/print/PageLayoutDialog.h"
#include "qt/print/PrintRunner.h"
#include "qt/print/QtPrintDevice.h"
#include "shell/EditorSession.h"

namespace orvex::qt {

QtPrintHost::QtPrintHost(shell::EditorSession& session, QWidget* parent)
    : m_session(session), m_parent(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Without a printer the jobs go to a PDF file, which the print dialog
    // lets the user name.
    if (QPrinterInfo::defaultPrinter().isNull()) m_printer->setOutputFormat(QPrinter::PdfFormat);
}

QtPrintHost::~QtPrintHost() = default;

shell::PrintHost::LayoutAnswer QtPrintHost::editPageLayouts(bool openedByPrint) {
    settings::Settings& s = m_session.settings();
    PageLayoutDialog dialog(s.pageLayouts, s.print, *m_printer, openedByPrint, m_parent);
    const int result = dialog.exec();
    if (result == QDialog::Rejected) return LayoutAnswer::Cancel;
    s.pageLayouts = dialog.formats();
    s.print = dialog.options();
    const settings::PageLayoutFormat& current = s.pageLayouts[size_t(s.print.printForm)];
    applyFormatToPrinter(current, *m_printer);
    if (result == PageLayoutDialog::kPreviewResult) return LayoutAnswer::Preview;
    if (result == PageLayoutDialog::kPrintResult) return LayoutAnswer::Print;
    return LayoutAnswer::Ok;
}

void QtPrintHost::printerSetup() {
    QPageSetupDialog dialog(m_printer.get(), m_parent);
    dialog.exec();
}

bool QtPrintHost::runJob(const shell::PrintJobRequest& request) {
    applyFormatToPrinter(request.format, *m_printer);
    int from = 1;
    int to = 0;
    if (request.showDialog) {
        QPrintDialog dialog(m_printer.get(), m_parent);
        QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
        options &= ~QAbstractPrintDialog::PrintSelection;
        options &= ~QAbstractPrintDialog::PrintCurrentPage;
        if (request.allowPageRange)
            options |= QAbstractPrintDialog::PrintPageRange;
        else
            options &= ~QAbstractPrintDialog::PrintPageRange;
        dialog.setOptions(options);
        dialog.setMinMax(1, 99999);
        m_printer->setPrintRange(QPrinter::AllPages);
        if (dialog.exec() != QDialog::Accepted) return false;
        if (request.allowPageRange && m_printer->printRange() == QPrinter::PageRange) {
            from = m_printer->fromPage();
            to = m_printer->toPage();
        }
    }
    std::string error;
    printOnPrinter(*m_printer, request, from, to, error);
    if (!error.empty()) {
        if (MessageBoxes* m = m_session.platform().messages) m->showText(error, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool QtPrintHost::preview(const shell::PrintJobRequest& request) {
    applyFormatToPrinter(request.format, *m_printer);
    QPrintPreviewDialog dialog(m_printer.get(), m_parent);
    bool ok = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
        shell::PrintJobRequest all = request;
        all.finished = nullptr;
        std::string error;
        printOnPrinter(*printer, all, 1, 0, error);
        if (!error.empty()) ok = false;
    });
    dialog.exec();
    return ok;
}

}  // namespace orvex::qt
