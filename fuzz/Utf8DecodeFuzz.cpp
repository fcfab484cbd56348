// The Unicode side of loading over any bytes: the UTF-8 rules agree with a
// plain decode loop, detection calls text UTF-8 only when it is, and the
// in-place conversion to Shift JIS with the document's table never grows
// the text and, whenever nothing was lost or unreadable, writes back in the
// same form byte for byte (UTF-16 unit for unit, lone surrogates too).
//
// The first input byte picks the form: UTF-8 without or with its mark,
// UTF-16 little- or big-endian, or detection over the bytes as they are.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/Utf8.h"
#include "files/ByteSink.h"
#include "files/CodeWriter.h"
#include "files/TextDecoder.h"
#include "files/UnicodeInput.h"

using namespace orvex;
using namespace orvex::files;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

class StringSink final : public ByteSink {
public:
    bool write(const void* p, size_t n) override {
        out.append(static_cast<const char*>(p), n);
        return true;
    }
    std::string out;
};

size_t referenceFirstInvalid(const std::string& s) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    for (size_t i = 0; i < s.size();) {
        char32_t c;
        const int n = utf8::decode(p + i, s.size() - i, c);
        if (n == 0) return i;
        check((n == 1) == (p[i] < 0x80));
        check(c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF));
        i += static_cast<size_t>(n);
    }
    return s.size();
}

std::string written(const std::string& sjis, const FileForm& form, const cp932::PrivateCharTable& table,
                    uint64_t& bad) {
    StringSink sink;
    CodeWriter out(sink, form, &table);
    out.begin();
    out.writeText(sjis);
    check(out.finish());
    bad = out.unrepresentable();
    return sink.out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int mode = data[0] % 5;
    std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto* bp = reinterpret_cast<const uint8_t*>(body.data());

    const size_t bad = referenceFirstInvalid(body);
    check(utf8::firstInvalid(bp, body.size()) == bad);
    bool high = false;
    for (char c : body) high = high || static_cast<uint8_t>(c) >= 0x80;
    check(utf8::isNonAsciiUtf8(bp, body.size()) == (high && bad == body.size()));

    if (mode == 4) {
        // Detection over the bytes as they are.
        std::string bytes = body;
        cp932::PrivateCharTable table;
        const DecodedText d = decodeFileText(bytes, kReadDetect, kCodeUndetermined, &table);
        check(bytes.size() <= body.size());
        check(d.convert.code >= kCodeUndetermined && d.convert.code <= kCodeUtf8);
        const bool marked = body.size() >= 2 && ((bp[0] == 0xFF && bp[1] == 0xFE) || (bp[0] == 0xFE && bp[1] == 0xFF) ||
                                                 (body.size() >= 3 && bp[0] == 0xEF && bp[1] == 0xBB && bp[2] == 0xBF));
        if (!marked) check((d.convert.code == kCodeUtf8) == (high && bad == body.size()));
        // With the table the UTF-8 check and conversion are one pass that
        // writes back what it converted when the text turns out ill-formed:
        // whatever is not UTF-8 decodes exactly as without a table.
        std::string plain = body;
        const DecodedText p = decodeFileText(plain, kReadDetect);
        check(p.convert.code == d.convert.code);
        if (d.convert.code != kCodeUtf8 && d.convert.code != kCodeUtf16) {
            check(plain == bytes);
            check(table.empty());
        }
        return 0;
    }

    FileForm form;
    std::string file;
    if (mode <= 1) {
        form = {kCodeUtf8, mode == 1, false};
        file = (mode == 1 ? "\xEF\xBB\xBF" : "") + body;
    } else {
        form = {kCodeUtf16, false, mode == 3};
        file = (mode == 3 ? "\xFE\xFF" : "\xFF\xFE") + body;
    }
    std::string buf = file;
    buf.push_back('\0');
    cp932::PrivateCharTable table;
    auto* b = reinterpret_cast<uint8_t*>(buf.data());
    const UnicodeInput in = form.code == kCodeUtf8 ? convertUtf8Input(b, file.size(), form.bom ? 3 : 0, &table)
                                                   : convertUtf16Input(b, file.size(), form.bigEndian, &table);
    check(in.length <= file.size());
    check(b[in.length] == 0);
    const std::string sjis(buf.data(), in.length);
    if (in.lost != 0 || in.unreadable != 0) return 0;
    uint64_t unrepresentable = 0;
    std::string back = written(sjis, form, table, unrepresentable);
    check(unrepresentable == 0);
    std::string expect = file;
    if (form.code == kCodeUtf16 && (expect.size() & 1)) expect.pop_back();  // an odd last byte is no unit
    check(back == expect);
    // The table's own conversions agree with the writer.
    if (form.code == kCodeUtf8) check(table.toUtf8(sjis) == body);
    return 0;
}
