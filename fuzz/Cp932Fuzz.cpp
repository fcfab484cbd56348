// Any byte string converts to UTF-16 and UTF-8 without reading outside it,
// and the result converts back to Shift JIS without growing past its bound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/codepage/Cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::u16string wide = orvex::cp932::toUtf16(in, u'?');
    if (wide.size() > size) std::abort();
    std::string back = orvex::cp932::fromUtf16(wide);
    if (back.size() > 2 * wide.size()) std::abort();
    std::string utf8 = orvex::cp932::toUtf8(in);
    std::string again = orvex::cp932::fromUtf8(utf8);
    // Text that decoded cleanly comes back byte for byte, up to the
    // canonical choice among duplicated codes.
    if (orvex::cp932::toUtf16(again, u'?') != orvex::cp932::toUtf16(back, u'?')) std::abort();
    orvex::cp932::fromUtf8(in);  // the raw bytes as (mostly invalid) UTF-8
    return 0;
}
