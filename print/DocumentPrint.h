#pragma once
// Printing one document with one format on one device: the geometry from
// the device's metrics and fonts, the pagination, and each page with its
// header and footer. Print, preview and PDF output all go through it.
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "display/LayoutOptions.h"
#include "print/PagePrinter.h"
#include "print/Paginator.h"
#include "print/PrintBreakRules.h"
#include "settings/PrintOptions.h"

namespace orvex {
class TextStore;
}

namespace orvex::print {

struct PrintDocument {
    const TextStore* store = nullptr;
    LayoutOptions layout;             // tab width and line-breaking sets
    std::string pathOrTitle;          // Shift JIS
    std::optional<std::tm> fileTime;  // none for an unsaved document
};

// The geometry a format gives on a device (its fonts as the device made
// them).
PageGeometry geometryOn(const settings::PageLayoutFormat& format, const PrintDevice& device);

class DocumentPrint {
public:
    DocumentPrint(const PrintDocument& document, const settings::PageLayoutFormat& format, PrintDevice& device,
                  const std::tm& printedAt);
    Paginator& pages() { return *m_pages; }
    bool hasPage(int page) { return m_pages->hasPage(page); }
    // Draws page n (header, body, footer) on the device's current page.
    void printPageOn(int page);

private:
    const settings::PageLayoutFormat& m_format;
    PrintDevice& m_device;
    HeaderFooterValues m_values;
    PrintBreakRules m_rules;
    std::unique_ptr<Paginator> m_pages;
};

}  // namespace orvex::print
