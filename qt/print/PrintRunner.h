#pragma once
// One print job on a QPrinter: the painter on the printer, the format's
// fonts at its resolution, the pages the request chooses, each with its
// header and footer. The print command, the preview and the PDF output all
// print through it.
#include <string>
#include <vector>

#include "shell/PrintHost.h"

class QPrinter;

namespace orvex::qt {

// from..to: the range of the print dialog (to < 1: all pages). Returns the
// pages printed; error is set (UTF-8) when the printer could not be drawn on.
std::vector<int> printOnPrinter(QPrinter& printer, const shell::PrintJobRequest& request, int from, int to,
                                std::string& error);

}  // namespace orvex::qt
