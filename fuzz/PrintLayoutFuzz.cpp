// Page layout over arbitrary bytes: the first bytes set the format's
// numbers (margins, columns, spacing, switches, placements), the rest is
// split into a header text, an extension list and the document. Pagination
// ends, its rows cover the text in order without overlap, never split a
// double-byte character and stay inside the text; header expansion and the
// extension match never read outside their strings.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/codepage/SjisWalk.h"
#include "display/LayoutOptions.h"
#include "print/FormatByExtension.h"
#include "print/HeaderFooterText.h"
#include "print/PageGeometry.h"
#include "print/Paginator.h"
#include "print/PrintBreakRules.h"
#include "text/TextStore.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

int signedByte(const uint8_t* d, size_t size, size_t i, int scale) {
    return i < size ? (int(int8_t(d[i])) * scale) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvex;
    settings::PageLayoutFormat f;
    f.tMrgn = signedByte(data, size, 0, 2);
    f.bMrgn = signedByte(data, size, 1, 2);
    f.lMrgn = signedByte(data, size, 2, 2);
    f.rMrgn = signedByte(data, size, 3, 2);
    f.dangumi1 = signedByte(data, size, 4, 1);
    f.dangumi2 = signedByte(data, size, 5, 2);
    f.gyoukan = signedByte(data, size, 6, 8);
    f.mojikan = signedByte(data, size, 7, 8);
    const uint8_t switches = size > 8 ? data[8] : 0;
    f.printLineNo = switches & 1;
    f.prnKinsoku = (switches >> 1) & 1;
    f.prnWordWrap = (switches >> 2) & 1;
    if (switches & 8) f.printFont.faceName = "@v";
    const size_t head = size < 9 ? size : 9;
    std::string_view rest(reinterpret_cast<const char*>(data) + head, size - head);
    const size_t cut1 = rest.size() / 8, cut2 = rest.size() / 4;
    const std::string header(rest.substr(0, cut1));
    f.prnExt = std::string(rest.substr(cut1, cut2 - cut1));
    const std::string text(rest.substr(cut2));

    print::HeaderFooterValues v;
    v.pathOrTitle = f.prnExt;
    (void)print::expandHeaderFooter(header, v);
    std::array<settings::PageLayoutFormat, settings::kPageLayoutCount> formats{};
    formats[3] = f;
    if (const auto i = print::formatForPath(header, formats)) check(*i == 3);

    TextStore store;
    if (!store.setText(text)) return 0;
    store.layoutAll();
    print::PageMetrics page{254, 254, 2100, 2970, 2100, 2970, 0, 0};
    print::FontMetrics font{40, 2, 32, 20};
    const print::PageGeometry g = print::computePageGeometry(f, page, font, font, font, 120);
    print::PrintBreakRules rules(f, LayoutOptions{});
    print::Paginator pages(store, g, rules.rules());
    const int count = pages.pageCount();
    check(count >= 1);
    check(count <= int(text.size()) + 1);
    int32_t expect = 0;
    const auto* t = store.bytes();
    for (int p = 1; p <= count; ++p)
        for (const print::PrintedRow& r : pages.rowsOf(p)) {
            check(r.begin <= r.end && r.end <= store.length());
            check(r.begin >= expect);
            if (size < 4096) check(sjis::isCharStart(t, 0, r.end) || r.end == store.length());
            expect = r.end;
        }
    return 0;
}
