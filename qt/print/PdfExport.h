#pragma once
// The headless PDF output of the command line: a file printed to a PDF
// through the same pagination and drawing as the print command.
#include <QString>

namespace orvex::qt {

// layout: the format number 1..10, or 0 for the one the print command would
// use (the current format, or the extension's with PrnExtSel on). Returns
// 0, or 1 after writing the reason to standard error.
int printFileToPdf(const QString& pdfPath, int layout, const QString& file);

}  // namespace orvex::qt
