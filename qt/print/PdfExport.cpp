#include "qt/print/PdfExport.h"

#include <QFileInfo>
#include <QPrinter>
#include <cstdio>

#include "common/platform/MessageBoxes.h"
#include "common/platform/Platform.h"
#include "qt/print/PrintRunner.h"
#include "qt/print/QtPrintDevice.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/PrintCommands.h"

namespace orvex::qt {

namespace {

// Nobody is there to answer: messages go to standard error and every
// question is cancelled.
class StderrMessages final : public MessageBoxes {
public:
    MsgResult show(const MessageRequest& r) override {
        std::fprintf(stderr, "orvex: %s\n", r.text.c_str());
        ++shown;
        switch (r.buttons) {
        case MsgButtons::Ok: return MsgResult::Ok;
        case MsgButtons::YesNo: return MsgResult::No;
        case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
        default: return MsgResult::Cancel;
        }
    }
    int choose(const ChoiceRequest& r) override {
        std::fprintf(stderr, "orvex: %s\n", r.text.c_str());
        return r.cancelButton;
    }
    int shown = 0;
};

int fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "orvex: %s: %s\n", what, detail.toLocal8Bit().constData());
    return 1;
}

}  // namespace

int printFileToPdf(const QString& pdfPath, int layout, const QString& file) {
    if (layout < 0 || layout > settings::kPageLayoutCount) return fail("no such page layout", QString::number(layout));
    if (!QFileInfo(file).isFile()) return fail("cannot open", file);
    StderrMessages messages;
    Platform platform;
    platform.messages = &messages;
    shell::EditorSession session(settings::SettingsEnvironment::fromProcess(), platform, true);
    shell::EditorWindow* window = session.openFile(QFile::encodeName(QFileInfo(file).absoluteFilePath()).toStdString());
    if (!window) return fail("cannot open", file);

    shell::PrintJobRequest request;
    request.document = shell::PrintCommands::documentOf(*window);
    request.format = layout > 0 ? session.settings().pageLayouts[size_t(layout - 1)]
                                : session.printCommands().formatFor(*window);
    request.showDialog = false;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setCreator(QStringLiteral("Orvex"));
    printer.setDocName(QFileInfo(file).fileName());
    if (request.format.paperSize < 0) printer.setPageSize(QPageSize(QPageSize::A4));
    applyFormatToPrinter(request.format, printer);

    std::string error;
    const std::vector<int> printed = printOnPrinter(printer, request, 1, 0, error);
    if (!error.empty()) return fail(error.c_str(), pdfPath);
    if (printed.empty() || !QFileInfo(pdfPath).isFile() || QFileInfo(pdfPath).size() == 0)
        return fail("cannot write", pdfPath);
    return 0;
}

}  // namespace orvex::qt
