#include "qt/print/QtPrintDevice.h"

#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "qt/platform/QtText.h"
#include "qt/print/PrintFonts.h"

namespace orvex::qt {

using print::FontRole;

print::PageMetrics QtPrintDevice::metricsOf(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    print::PageMetrics m;
    m.dpiX = printer.logicalDpiX() > 0 ? printer.logicalDpiX() : dpi;
    m.dpiY = printer.logicalDpiY() > 0 ? printer.logicalDpiY() : dpi;
    m.physicalWidth = full.width();
    m.physicalHeight = full.height();
    m.printableWidth = paint.width();
    m.printableHeight = paint.height();
    m.offsetX = paint.left() - full.left();
    m.offsetY = paint.top() - full.top();
    return m;
}

namespace {

struct FaceSource {
    const settings::LogFont& font;
    int size;
};

FaceSource sourceOf(const settings::PageLayoutFormat& f, FontRole role) {
    switch (role) {
    case FontRole::Header: return {f.headerFont, f.headerFontSize};
    case FontRole::Footer: return {f.footerFont, f.footerFontSize};
    default: return {f.printFont, f.printFontSize};
    }
}

}  // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer, QPainter& painter, const settings::PageLayoutFormat& format)
    : m_painter(painter),
      m_page(metricsOf(printer)),
      m_faces([&] {
          auto make = [&](FontRole role) {
              const FaceSource s = sourceOf(format, role);
              const QFont font = resolvePrintFont(s.font, s.size, m_page.dpiY);
              const QFontMetrics fm(font, &printer);
              const bool fixed = QFontInfo(font).fixedPitch();
              print::FontMetrics v;
              v.height = std::max(1, fm.height());
              v.externalLeading = std::max(0, fm.leading());
              v.ascent = fm.ascent();
              const int zero = fm.horizontalAdvance(QLatin1Char('0'));
              const int wide = fm.horizontalAdvance(QChar(0x3042));  // あ
              v.cellWidth = std::max({1, zero, fixed ? 0 : (wide + 1) / 2});
              return Face{font, fm, v, fixed};
          };
          return std::array<Face, 3>{make(FontRole::Body), make(FontRole::Header), make(FontRole::Footer)};
      }()) {
    for (const Face& f : m_faces) m_drawn.addFont(f.font);
}

print::FontMetrics QtPrintDevice::fontMetrics(FontRole role) const { return face(role).values; }

int QtPrintDevice::textWidth(FontRole role, std::string_view sjis) const {
    return face(role).metrics.horizontalAdvance(toQString(sjis));
}

void QtPrintDevice::drawText(const print::TextRun& run) {
    if (run.text.empty() || run.clip.empty()) return;
    const Face& f = face(run.font);
    const QRect clip(run.clip.left, run.clip.top, run.clip.right - run.clip.left, run.clip.bottom - run.clip.top);
    m_painter.setFont(f.font);

    if (!run.vertical && run.charGap == 0 && (f.fixedPitch || run.font != FontRole::Body)) {
        // The common case: one call for the row.
        const QString text = toQString(run.text);
        m_drawn.add(text);
        const int width = f.metrics.horizontalAdvance(text);
        const bool inside = run.x >= clip.left() && run.x + width <= run.clip.right && run.y >= clip.top() &&
                            run.y + f.values.height <= run.clip.bottom;
        if (!inside) {
            m_painter.save();
            m_painter.setClipRect(clip);
        }
        m_painter.drawText(run.x, run.y + f.values.ascent, text);
        if (!inside) m_painter.restore();
        return;
    }

    // Character by character on the cells the pagination counted: a byte is
    // one cell, each character is followed by the gap.
    m_painter.save();
    m_painter.setClipRect(clip);
    const auto* p = reinterpret_cast<const uint8_t*>(run.text.data());
    const ptrdiff_t n = ptrdiff_t(run.text.size());
    int pos = run.vertical ? run.y : run.x;
    for (ptrdiff_t i = 0; i < n;) {
        const int len = sjis::stepWithin(p + i, n - i);
        const QString ch = toQString(run.text.substr(size_t(i), size_t(len)));
        m_drawn.add(ch);
        const int cells = len * f.values.cellWidth;
        if (run.vertical) {
            const int advance = f.metrics.horizontalAdvance(ch);
            const int x = run.x + std::max(0, (2 * f.values.cellWidth - advance) / 2);
            m_painter.drawText(x, pos + f.values.ascent, ch);
        } else {
            m_painter.drawText(pos, run.y + f.values.ascent, ch);
        }
        pos += cells + run.charGap;
        i += len;
    }
    m_painter.restore();
}

void applyFormatToPrinter(const settings::PageLayoutFormat& format, QPrinter& printer) {
    QPageSize::PageSizeId id = QPageSize::Custom;
    switch (format.paperSize) {
    case 9: id = QPageSize::A4; break;
    case 8: id = QPageSize::A3; break;
    case 13: id = QPageSize::JisB5; break;
    case 12: id = QPageSize::JisB4; break;
    default: break;
    }
    if (id != QPageSize::Custom) printer.setPageSize(QPageSize(id));
    printer.setPageOrientation(format.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

}  // namespace orvex::qt
