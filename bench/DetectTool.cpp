// orvex-detect: prints the character code the load's detection gives a
// file, as its first word (Shift_JIS, EUC-JP, ISO-2022-JP, UTF-16LE,
// UTF-16BE, UTF-8, or ASCII for text that decided nothing). Used by the
// detection accuracy scripts and to compare detection across builds.
//
//   orvex-detect FILE...    one line per file: VERDICT FILE
#include <cstdio>
#include <string>

#include "files/CharCode.h"
#include "files/FileReader.h"
#include "files/TextDecoder.h"

namespace {

const char* verdictName(int code, bool bigEndian) {
    switch (code) {
        case orvex::files::kCodeShiftJis: return "Shift_JIS";
        case orvex::files::kCodeJis: return "ISO-2022-JP";
        case orvex::files::kCodeEuc: return "EUC-JP";
        case orvex::files::kCodeUtf16: return bigEndian ? "UTF-16BE" : "UTF-16LE";
        case orvex::files::kCodeUtf8: return "UTF-8";
        case orvex::files::kCodeUndetermined: return "ASCII";
        default: return "unknown";
    }
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::string bytes;
        const orvex::files::ReadFileResult read = orvex::files::readWholeFile(argv[i], size_t{1} << 31, bytes);
        if (read.error) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            status = 1;
            continue;
        }
        const orvex::files::DecodedText d = orvex::files::decodeFileText(bytes, orvex::files::kReadDetect);
        const bool bigEndian = d.prepared.form.bigEndian;
        std::printf("%s %s\n", verdictName(d.convert.code, bigEndian), argv[i]);
    }
    return status;
}
