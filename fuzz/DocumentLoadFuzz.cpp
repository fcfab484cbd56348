// The whole load path over any file: the bytes go to a file, a document
// opens it (reading, the not-a-text question, code detection and
// conversion, the lock, layout) and must come out sound (no message but
// the warning of EUC characters read as "?"): one NUL at the
// end and none before it, rows that cover the text, a code and line-end
// type in range, an unmodified document. Saving the text in every code
// works, and a Shift JIS save read back and saved again gives the same
// bytes.
//
// The first input byte picks the read setting, the answer to the
// not-a-text question and the lock setting; the rest is the file.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "common/codepage/SjisWalk.h"
#include "files/CharCode.h"
#include "files/DocumentFile.h"
#include "files/DocumentWriter.h"
#include "settings/Settings.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuDoc.h"

using namespace orvex;
using namespace orvex::files;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// The folder of the inputs, removed at exit (a plain array, which outlives
// every exit handler).
char g_folder[64];

std::string folder() {
    if (g_folder[0] == '\0') {
        std::strcpy(g_folder, "/tmp/orvex-docfuzz-XXXXXX");
        if (!::mkdtemp(g_folder)) std::abort();
        std::atexit([] {
            ::unlink((std::string(g_folder) + "/in.txt").c_str());
            ::unlink((std::string(g_folder) + "/again.txt").c_str());
            ::rmdir(g_folder);
        });
    }
    return g_folder;
}

// A new file each time: rewriting a truncated file makes some file systems
// flush it at close, which would slow every input down.
void writeBytes(const std::string& path, const std::string& bytes) {
    ::unlink(path.c_str());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void checkSound(const CLuDoc& doc, const DocumentFile& file, size_t inputSize) {
    const TextStore& t = doc.text();
    check(t.size() >= 1 && t.data()[t.size() - 1] == '\0');
    check(std::memchr(t.data(), 0, static_cast<size_t>(t.length())) == nullptr);
    check(static_cast<size_t>(t.length()) <= inputSize);
    check(file.code() >= kCodeUndetermined && file.code() <= kCodeUtf8);
    check(file.lineEnd() >= kLineEndUndetermined && file.lineEnd() <= kLineEndLf);
    check(!doc.isModified() && !doc.canUndo());
    check(t.rowCount() >= 1 && t.row(0).offset == 0);
    for (int32_t r = 1; r < t.rowCount(); ++r) check(t.row(r).offset > t.row(r - 1).offset);
    const Row last = t.row(t.rowCount() - 1);
    check(last.offset + last.length == t.size());
}

std::string write(const CLuDoc& doc, WriteOptions options) {
    StringSink sink;
    check(writeDocumentText(doc.text(), options, sink).ok);
    return sink.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static settings::Settings settings{settings::SettingsEnvironment{}};
    static orvex::test::FakePlatform fake;
    settings.document = settings::DocumentOptions{};
    settings.document.autoKanji = (data[0] & 7) == 7 ? 9 : (data[0] & 7) % 5;
    settings.document.openFileLock = (data[0] >> 3) % 3;
    const int answer = (data[0] >> 5) % 3;  // 強制的に開く, ｲﾒｰｼﾞ表示, 閉じる
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string path = folder() + "/in.txt";
    writeBytes(path, input);
    fake.messages.clear();
    fake.messages.defaultChoice = answer;
    DocumentFileServices services = documentFileServices(settings, nullptr);
    CLuDoc doc(fake.platform());
    DocumentFile file(doc, services);
    if (!file.open(path)) {
        // Only the question refuses a readable file.
        check(!fake.messages.choices.empty() && answer != 0);
        check(doc.text().length() == 0);
        return 0;
    }
    // The messages a load may show, each naming the file: EUC three-byte
    // characters or ill-formed UTF-8 read as "?", once; a Unicode file with
    // more characters than the user-defined area holds, which then opens
    // read-only.
    check(fake.messages.shown.size() <= (file.charactersLost() > 0 ? 2u : 1u));
    for (const auto& shown : fake.messages.shown) check(shown.text.find(path) != std::string::npos);
    if (!fake.messages.shown.empty())
        check(file.code() == kCodeEuc || file.code() == kCodeUtf8 || file.charactersLost() > 0);
    if (file.charactersLost() > 0) check(doc.readOnly());
    checkSound(doc, file, input.size());

    WriteOptions options = file.writeOptions();
    for (int code : {kCodeShiftJis, kCodeJis, kCodeEuc, kCodeUtf16, kCodeUtf8}) {
        options.code = code;
        options.displayRows = false;
        write(doc, options);
        options.displayRows = true;
        write(doc, options);
    }

    // A Shift JIS save is a fixed point: read back without detection and
    // saved again, it gives the same bytes. Not for broken text the load
    // and the rows walk differently: a lead byte right before a line end
    // (the load takes the line end into the character, the rows and the
    // save end the line there), or a broken pair at the very end whose
    // second byte is 0x1A (read back, it is taken for the end-of-file mark).
    const TextStore& t = doc.text();
    const size_t n = static_cast<size_t>(t.length());
    for (size_t i = 0; i < n; i += static_cast<size_t>(sjis::step(t.bytes() + i)))
        if (sjis::isLoneLead(t.bytes() + i) && sjis::isLineEndByte(t.bytes()[i + 1])) return 0;
    if (n >= 2 && t.bytes()[n - 1] == 0x1A && sjis::charStartFrom(t.bytes(), 0, n - 1) == n - 2) return 0;
    options = file.writeOptions();
    options.code = kCodeShiftJis;
    const std::string first = write(doc, options);
    const std::string again = folder() + "/again.txt";
    writeBytes(again, first);
    settings.document.autoKanji = kReadShiftJis;
    CLuDoc doc2(fake.platform());
    DocumentFile file2(doc2, services);
    check(file2.open(again));
    checkSound(doc2, file2, first.size());
    WriteOptions options2 = file2.writeOptions();
    options2.code = kCodeShiftJis;
    check(write(doc2, options2) == first);
    return 0;
}
