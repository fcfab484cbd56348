// Detect-and-convert over any bytes: it never reads or writes outside its
// buffer, never grows the text, and gives exactly what the byte-by-byte
// reference gives for every read setting and incoming code. The converted
// text then writes out in every code without trouble, and text made of
// characters every code holds reads back unchanged from JIS and EUC.
//
// The first input byte picks the read setting and code; the rest is the
// file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/codepage/SjisWalk.h"
#include "files/CodeWriter.h"
#include "files/DetectConvert.h"
#include "files/JisMapping.h"
#include "files/TextDecoder.h"
#include "tests/files/ReferenceConvert.h"

using namespace orvex::files;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// ASCII without ESC, CR line ends, row/cell pairs and half-width katakana:
// what JIS and EUC both write and read back as it was.
bool portable(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (b >= 0x20 && b < 0x7F) continue;
        if (b == '\r' || b == '\t') continue;
        if (b >= 0xA1 && b <= 0xDF) continue;
        if (i + 1 < text.size() && jis::fromShiftJis(b, static_cast<uint8_t>(text[i + 1])) != 0) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

std::string writeAll(const std::string& text, int code) {
    StringSink sink;
    CodeWriter out(sink, code);
    out.begin();
    // Pieces split at character starts, as the load splits lines: with the
    // plain rule (a lead byte takes a CR after it).
    size_t i = 0;
    while (i < text.size()) {
        size_t j = i;
        while (j < text.size() && text[j] != '\r') {
            const auto b = static_cast<uint8_t>(text[j]);
            j += size_t(orvex::sjis::plainCharLength(b));
        }
        if (j > text.size()) j = text.size();
        out.writeText(std::string_view(text).substr(i, j - i));
        out.endLine(j < text.size() ? "\r" : "");
        i = j + 1;
    }
    out.writeEofMark();
    check(out.finish());
    return sink.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const int kSettings[] = {0, 1, 1, 1, 2, 3, 4, 9};
    static const int kCodes[] = {0, 0, 0, 0, 1, 2, 3, 13};
    const int setting = kSettings[data[0] & 7];
    const int code = kCodes[(data[0] >> 3) & 7];
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);

    // The pass on a buffer of exactly the input and its terminator.
    std::string text = input;
    const ConvertResult one = detectAndConvert(reinterpret_cast<uint8_t*>(text.data()), text.size(), setting, code);
    check(one.length <= input.size());
    const reference::Result ref = reference::onePass(input, setting, code);
    check(one.code == ref.code);
    if (one.code == kCodeReadAgainAsEuc) {
        check(text == input);
    } else {
        check(text.compare(0, one.length, ref.text) == 0 && one.length == ref.text.size());
        check(one.lineEnd == ref.lineEnd && one.lineCount == ref.lineCount);
        check(one.unreadable == ref.unreadable);
    }

    // The whole decode as a load does it.
    std::string loaded = input;
    const DecodedText decoded = decodeFileText(loaded, setting, code);
    check(decoded.convert.code >= 0 && decoded.convert.code <= kCodeUtf8);
    check(loaded.find('\0') == std::string::npos);

    for (int out : {kCodeShiftJis, kCodeJis, kCodeEuc, kCodeUtf16, kCodeUtf8}) {
        const std::string bytes = writeAll(loaded, out);
        if (out == kCodeShiftJis) check(bytes.compare(0, loaded.size(), loaded) == 0);
        if ((out == kCodeJis || out == kCodeEuc) && portable(loaded)) {
            std::string back = bytes;
            back.pop_back();  // the end-of-file mark
            convertText(back, false, out == kCodeJis ? kReadJis : kReadEuc);
            check(back == loaded);
        }
    }
    return 0;
}
