// The file viewer over any bytes: the rich-text reader fed the input whole
// and in pieces gives the same document and never grows without bound; the
// kind decision and the dump of the first bytes never fail, and every dump
// line has the fixed columns.
//
// The first input byte chooses the piece size of the second feeding.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "orxview/HexDump.h"
#include "orxview/RichTextReader.h"
#include "orxview/ViewerFileKind.h"

using namespace orvex::viewer;

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 64;
    const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);

    const RichDocument whole = RichTextReader::read(in);
    RichTextReader r;
    for (size_t at = 0; at < in.size(); at += piece) r.feed(in.substr(at, piece));
    const RichDocument pieces = r.finish();
    check(whole.plainText() == pieces.plainText());
    check(!whole.paragraphs.empty());
    check(whole.plainText().size() <= in.size() * 4 + 16);

    (void)fileKindOf(in, "/tmp/x.doc");
    (void)fileKindOf(in, "/tmp/x.wri");
    const std::string_view head = in.substr(0, 4096);
    const HexDump dump(head);
    for (size_t i = 0; i < dump.lineCount(); ++i) {
        const std::string line = dump.line(i);
        check(line.size() >= 9 + 48 + 3 && line[8] == ':' && line.compare(line.size() - 3, 3, " \r\n") == 0);
    }
    return 0;
}
