#include "qt/print/PrintRunner.h"

#include <QPainter>
#include <QPrinter>
#include <ctime>

#include "common/strings/StringTable.h"
#include "print/DocumentPrint.h"
#include "qt/print/PdfTextMap.h"
#include "qt/print/QtPrintDevice.h"

namespace orvex::qt {

std::vector<int> printOnPrinter(QPrinter& printer, const shell::PrintJobRequest& request, int from, int to,
                                std::string& error) {
    std::vector<int> printed;
    if (!request.document.store) return printed;
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = std::string(strings::kNoPrinterContext);
        return printed;
    }
    QtPrintDevice device(printer, painter, request.format);
    const std::time_t now = std::time(nullptr);
    std::tm printedAt{};
    localtime_r(&now, &printedAt);
    print::DocumentPrint job(request.document, request.format, device, printedAt);
    const std::function<bool(int)> exists = [&job](int page) { return job.hasPage(page); };
    std::vector<int> pages;
    if (request.choosePages) {
        pages = request.choosePages(from, to, exists);
    } else {
        for (int p = 1; exists(p); ++p) pages.push_back(p);
    }
    for (int page : pages) {
        if (!printed.empty() && !printer.newPage()) {
            error = std::string(strings::kNoPrinterContext);
            break;
        }
        job.printPageOn(page);
        printed.push_back(page);
    }
    painter.end();
    // A PDF file gets the text of its shared glyphs put right.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && !printed.empty())
        repairPdfTextMap(printer.outputFileName(), device.drawn());
    if (request.finished) request.finished(printed, exists);
    return printed;
}

}  // namespace orvex::qt
