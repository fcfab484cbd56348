#include "print/DocumentPrint.h"

namespace orvex::print {

PageGeometry geometryOn(const settings::PageLayoutFormat& format, const PrintDevice& device) {
    return computePageGeometry(format, device.pageMetrics(), device.fontMetrics(FontRole::Body),
                               device.fontMetrics(FontRole::Header), device.fontMetrics(FontRole::Footer),
                               device.textWidth(FontRole::Body, "888888"));
}

DocumentPrint::DocumentPrint(const PrintDocument& document, const settings::PageLayoutFormat& format,
                             PrintDevice& device, const std::tm& printedAt)
    : m_format(format), m_device(device), m_rules(format, document.layout) {
    m_values.pathOrTitle = document.pathOrTitle;
    m_values.printed = printedAt;
    m_values.fileTime = document.fileTime;
    m_pages = std::make_unique<Paginator>(*document.store, geometryOn(format, device), m_rules.rules());
}

void DocumentPrint::printPageOn(int page) { printPage(*m_pages, page, m_format, m_values, m_device); }

}  // namespace orvex::print
