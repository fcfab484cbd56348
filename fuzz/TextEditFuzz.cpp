// Arbitrary bytes drive edits, undo and redo on a document: the first bytes
// choose the layout options, the rest is a stream of operations whose
// payloads are raw bytes (broken double-byte characters, NULs, lone LFs
// and all). After every operation the row table must equal a fresh full
// layout and satisfy its invariants, and undo must give back exactly the
// text that was there.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/text/TextInvariants.h"
#include "text/CLuDoc.h"

namespace {

struct Input {
    const uint8_t* p;
    size_t n;
    size_t i = 0;
    uint8_t byte() { return i < n ? p[i++] : 0; }
    bool done() const { return i >= n; }
};

void fail(const std::string& why) {
    std::fprintf(stderr, "TextEditFuzz: %s\n", why.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvex;
    Input in{data, size};
    LayoutOptions o;
    const uint8_t a = in.byte(), b = in.byte();
    o.kinsoku = a & 1;
    o.wordWrap = a & 2;
    o.tagFile = a & 4;
    o.tabStops = 4 * (1 + (a >> 4));
    o.cmntSel = b % 9;
    o.commentColour = (b & 0x80) ? -1 : 0x00FF00;
    o.usrCmnt = "%%";
    o.kinsokuWrap = 1 + (b >> 5) % 4;
    o.ttwdSel = {1, 1, 0, 0};
    o.classColours = {1, 1, -1, -1};
    o.titleStr[0] = "#";
    o.titleStr[4] = "\x81\xA1";  // ■

    CLuDoc doc{Platform{}};
    doc.text().setLayout(o, 10 + in.byte() % 40);
    doc.layoutAll();
    std::vector<std::string> history{""};

    auto check = [&](const char* what) {
        const std::string bad = test::checkInvariants(doc.text());
        if (!bad.empty()) fail(std::string(what) + ": " + bad);
        if (std::string(doc.text().view()) != history[size_t(doc.undoHistory().position())])
            fail(std::string(what) + ": text differs from the history");
    };
    auto recorded = [&] {
        history.resize(size_t(doc.undoHistory().position()));
        history.emplace_back(doc.text().view());
    };

    int ops = 0;
    while (!in.done() && ops++ < 64) {
        const uint8_t op = in.byte();
        const TextStore& s = doc.text();
        const int32_t r = s.rowCount() ? in.byte() % s.rowCount() : 0;
        const int32_t col = in.byte() % (s.endColumn(r) + 1);
        switch (op % 6) {
        case 0:
        case 1: {  // insert raw payload
            const size_t len = in.byte() % 24;
            std::string payload;
            for (size_t k = 0; k < len && !in.done(); ++k) payload.push_back(char(in.byte()));
            if (s.size() + int32_t(payload.size()) > 4096) break;
            if (doc.insertRecorded(r, col, payload.data(), int32_t(payload.size()), undokind::kInsert) < 0)
                fail("insert refused");
            if (!payload.empty()) recorded();
            check("insert");
            break;
        }
        case 2: {  // delete
            const int32_t want = in.byte() % 48;
            const int32_t n = s.deletionLength(s.offsetOf(r, col), want);
            doc.deleteRecorded(r, col, want, undokind::kDelete);
            if (n > 0) recorded();
            check("delete");
            break;
        }
        case 3:
            doc.undo();
            check("undo");
            break;
        case 4:
            doc.redo();
            check("redo");
            break;
        case 5:
            if (in.byte() & 1) doc.toggleMark(r);
            else doc.relayoutForWidth(10 + in.byte() % 40, false, TextPosition{});
            check("mark or width");
            break;
        }
    }
    while (doc.undo().applied) check("final undo");
    if (std::string(doc.text().view()) != history.front()) fail("undo did not lead back to the start");
    return 0;
}
