#pragma once
// The printer behind the pagination: a QPainter on a QPrinter (a real
// printer, the PDF writer or the preview's printer) with the three fonts of
// a format made at the printer's resolution. Text is drawn as text, so a
// PDF holds it as extractable characters in an embedded font.
#include <QFont>
#include <QFontMetrics>
#include <array>

#include "print/PrintDevice.h"
#include "qt/print/PdfTextMap.h"
#include "settings/PrintOptions.h"

class QPainter;
class QPrinter;

namespace orvex::qt {

class QtPrintDevice final : public print::PrintDevice {
public:
    // The painter must be active on the printer for the device's life.
    QtPrintDevice(QPrinter& printer, QPainter& painter, const settings::PageLayoutFormat& format);

    print::PageMetrics pageMetrics() const override { return m_page; }
    print::FontMetrics fontMetrics(print::FontRole font) const override;
    int textWidth(print::FontRole font, std::string_view sjis) const override;
    void drawText(const print::TextRun& run) override;

    // What was drawn, in which fonts (for the PDF's text map).
    const DrawnCharacters& drawn() const { return m_drawn; }

    // Page metrics of a printer as the pagination measures them.
    static print::PageMetrics metricsOf(const QPrinter& printer);

private:
    struct Face {
        QFont font;
        QFontMetrics metrics;
        print::FontMetrics values;
        bool fixedPitch;
    };
    const Face& face(print::FontRole role) const { return m_faces[size_t(role)]; }

    QPainter& m_painter;
    print::PageMetrics m_page;
    std::array<Face, 3> m_faces;
    DrawnCharacters m_drawn;
};

// Paper and orientation of a format applied to a printer (a negative paper
// code leaves the printer's paper); margins go to zero, since the format's
// margins place everything.
void applyFormatToPrinter(const settings::PageLayoutFormat& format, QPrinter& printer);

}  // namespace orvex::qt
