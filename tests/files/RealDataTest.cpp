// Text nobody here wrote: the EUC-JP dictionary sources of Debian's
// mecab-ipadic, and Japanese manual pages of Debian's manpages-ja turned
// into every file code and line end by iconv. Each file is detected as its
// code and written back byte for byte. The data is made from the installed
// packages while the test runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/DocumentFile.h"
#include "files/FileReader.h"
#include "files/FileTestSupport.h"
#include "files/TextDecoder.h"
#include "settings/Settings.h"
#include "support/FakePlatform.h"
#include "text/CLuDoc.h"

using namespace orvex::files;
using namespace orvex::files::test;

namespace {

constexpr size_t kLimit = 67108862;

// Opens the file as a document and saves it under another name, as the
// editor would write it back; the bytes written.
std::string savedByDocument(const std::string& path, const std::string& copy, int code, int lineEnd) {
    orvex::settings::Settings settings{orvex::settings::SettingsEnvironment{}};
    orvex::test::FakePlatform fake;
    orvex::CLuDoc doc(fake.platform());
    DocumentFile file(doc, documentFileServices(settings, nullptr));
    EXPECT_TRUE(file.open(path));
    EXPECT_EQ(file.code(), code);
    EXPECT_EQ(file.lineEnd(), lineEnd);
    EXPECT_TRUE(file.saveDocument(copy, SaveKind::Copy));
    EXPECT_TRUE(fake.messages.shown.empty());
    return readFile(copy);
}

struct Loaded {
    std::string text;
    DecodedText decoded;
};

Loaded load(const std::string& path) {
    Loaded l;
    ReadFileResult r = readWholeFile(path, kLimit, l.text);
    EXPECT_FALSE(r.error) << path;
    l.decoded = decodeFileText(l.text, kReadDetect);
    return l;
}

}  // namespace

TEST(RealData, MecabIpadicEucSourcesAreDetectedAndWrittenBackByteForByte) {
    const std::filesystem::path folder = "/usr/share/mecab/dic/ipadic";
    std::vector<std::string> files;
    if (std::filesystem::is_directory(folder)) {
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.path().extension() == ".csv") files.push_back(e.path().string());
    }
    if (files.empty()) GTEST_SKIP() << "mecab-ipadic is not installed (no " << folder << "/*.csv)";
    std::sort(files.begin(), files.end());
    TempDir dir;
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        const std::string original = readFile(path);
        Loaded l = load(path);
        EXPECT_EQ(l.decoded.convert.code, kCodeEuc);
        EXPECT_EQ(l.decoded.convert.lineEnd, kLineEndLf);
        EXPECT_TRUE(savedByDocument(path, dir.file("copy"), kCodeEuc, kLineEndLf) == original);
    }
}

TEST(RealData, ManualPagesInEveryCodeAndLineEndRoundTrip) {
    const std::string man = "/usr/share/man/ja/man1";
    bool pages = false;
    if (std::filesystem::is_directory(man)) {
        for (const auto& e : std::filesystem::directory_iterator(man)) pages = pages || e.path().extension() == ".gz";
    }
    if (!pages) GTEST_SKIP() << "manpages-ja is not installed (no " << man << "/*.gz)";

    // The text is kept to what survives Shift JIS -> ISO-2022-JP -> Shift JIS
    // in iconv, so that all four codes hold the same characters.
    TempDir dir;
    const std::string script = "set -e; export LC_ALL=C; cd '" + dir.path() +
                               "'; ls " + man + "/*.gz | sort | head -n 80 | xargs gzip -dc > src.utf8;"
                               " iconv -f UTF-8 -t CP932 -c < src.utf8 > a.sjis || true;"
                               " iconv -f CP932 -t ISO-2022-JP -c < a.sjis > a.jis || true;"
                               " iconv -f ISO-2022-JP -t CP932 < a.jis > lf.sjis;"
                               " sed 's/$/\\r/' lf.sjis > crlf.sjis; tr '\\n' '\\r' < lf.sjis > cr.sjis;"
                               " for v in lf crlf cr; do"
                               "  iconv -f CP932 -t EUC-JP < $v.sjis > $v.euc;"
                               "  iconv -f CP932 -t ISO-2022-JP < $v.sjis > $v.jis;"
                               "  { printf '\\377\\376'; iconv -f CP932 -t UTF-16LE < $v.sjis; } > $v.utf16;"
                               " done";
    writeFile(dir.file("make.sh"), script);
    ASSERT_EQ(std::system(("sh '" + dir.file("make.sh") + "' 2>/dev/null").c_str()), 0) << "iconv or gzip failed";
    ASSERT_GT(readFile(dir.file("lf.sjis")).size(), 100000u) << "too little text from the manual pages";

    const struct {
        const char* name;
        int lineEnd;
    } ends[] = {{"crlf", kLineEndCrLf}, {"lf", kLineEndLf}, {"cr", kLineEndCr}};
    const struct {
        const char* ext;
        int code;
    } codes[] = {{"sjis", kCodeShiftJis}, {"euc", kCodeEuc}, {"jis", kCodeJis}, {"utf16", kCodeUtf16}};
    for (const auto& end : ends) {
        const std::string sjisText = load(dir.file(std::string(end.name) + ".sjis")).text;
        for (const auto& code : codes) {
            const std::string path = dir.file(std::string(end.name) + "." + code.ext);
            SCOPED_TRACE(path);
            const std::string original = readFile(path);
            Loaded l = load(path);
            EXPECT_EQ(l.decoded.convert.code, code.code);
            EXPECT_EQ(l.decoded.convert.lineEnd, end.lineEnd);
            EXPECT_TRUE(l.text == sjisText) << "the same text in every code";
            EXPECT_TRUE(savedByDocument(path, dir.file("copy"), code.code, end.lineEnd) == original);
        }
    }
}

// Regression: EUC-JP as many tools write it, with IBM extension kanji
// and small Roman numerals as 0x8F triples, was detected as Shift JIS. The
// manual pages' lines with 高, 崎 or 神 become lines with 髙, 﨑 and 神's
// IBM twin 神 (U+FA19), plus ⅰ; every line on its own and all of them
// together are detected as EUC and written back byte for byte.
TEST(RealData, EucFilesWithThreeByteCharactersWereTakenForShiftJis) {
    const std::string man = "/usr/share/man/ja/man1";
    bool pages = false;
    if (std::filesystem::is_directory(man)) {
        for (const auto& e : std::filesystem::directory_iterator(man)) pages = pages || e.path().extension() == ".gz";
    }
    if (!pages) GTEST_SKIP() << "manpages-ja is not installed (no " << man << "/*.gz)";
    TempDir dir;
    const std::string script = "set -e; export LC_ALL=C.UTF-8; cd '" + dir.path() + "'; ls " + man +
                               "/*.gz | sort | xargs gzip -dc | grep -a '[高崎神]' | head -n 400 |"
                               " sed 's/高/髙/g; s/崎/﨑/g; s/神/\xef\xa8\x99/g; s/^/ⅰ /' > lines.utf8;"
                               " iconv -f UTF-8 -t EUC-JP-MS < lines.utf8 > all.euc;"
                               " iconv -f UTF-8 -t CP932 < lines.utf8 > all.sjis";
    writeFile(dir.file("make.sh"), script);
    ASSERT_EQ(std::system(("sh '" + dir.file("make.sh") + "' 2>/dev/null").c_str()), 0) << "iconv failed";
    const std::string all = readFile(dir.file("all.euc"));
    ASSERT_GT(all.size(), 10000u) << "too few lines with those kanji in the manual pages";
    ASSERT_NE(all.find('\x8F'), std::string::npos);

    const Loaded whole = load(dir.file("all.euc"));
    EXPECT_EQ(whole.decoded.convert.code, kCodeEuc);
    EXPECT_EQ(whole.decoded.convert.unreadable, 0u);
    EXPECT_TRUE(whole.text == load(dir.file("all.sjis")).text) << "the same text as iconv's code page 932";
    EXPECT_TRUE(savedByDocument(dir.file("all.euc"), dir.file("copy"), kCodeEuc, kLineEndLf) == all);

    size_t lines = 0, asEuc = 0;
    for (size_t from = 0; from < all.size();) {
        const size_t end = all.find('\n', from);
        const std::string line = all.substr(from, end == std::string::npos ? std::string::npos : end + 1 - from);
        from = end == std::string::npos ? all.size() : end + 1;
        writeFile(dir.file("one.euc"), line);
        ++lines;
        if (load(dir.file("one.euc")).decoded.convert.code == kCodeEuc) ++asEuc;
        else ADD_FAILURE() << "not detected as EUC: " << testing::PrintToString(line);
    }
    EXPECT_EQ(asEuc, lines);
}

// --- Unicode files -------------------------------------------------------------

namespace {

// Loads the file, checks its code and form, saves a copy: the copy's bytes.
std::string unicodeSaved(const std::string& path, const std::string& copy, int code, bool bom, bool bigEndian,
                         size_t* held = nullptr) {
    orvex::settings::Settings settings{orvex::settings::SettingsEnvironment{}};
    orvex::test::FakePlatform fake;
    orvex::CLuDoc doc(fake.platform());
    DocumentFile file(doc, documentFileServices(settings, nullptr));
    EXPECT_TRUE(file.open(path));
    EXPECT_EQ(file.code(), code);
    EXPECT_EQ(file.hasBom(), bom);
    EXPECT_EQ(file.bigEndian(), bigEndian);
    EXPECT_FALSE(doc.readOnly());
    EXPECT_TRUE(file.saveDocument(copy, SaveKind::Copy));
    EXPECT_TRUE(fake.messages.shown.empty());
    if (held) *held = file.privateChars().size();
    return readFile(copy);
}

// The file in each Unicode form iconv makes of it, loaded and saved byte
// for byte. Returns how many characters the table held for the UTF-8 form.
size_t checkEveryUnicodeForm(TempDir& dir, const std::string& utf8File) {
    const std::string script = "set -e; cd '" + dir.path() + "'; cp '" + utf8File + "' a.utf8;"
                               " { printf '\\357\\273\\277'; cat a.utf8; } > a.bom;"
                               " { printf '\\376\\377'; iconv -f UTF-8 -t UTF-16BE a.utf8; } > a.u16be;"
                               " { printf '\\377\\376'; iconv -f UTF-8 -t UTF-16LE a.utf8; } > a.u16le";
    writeFile(dir.file("forms.sh"), script);
    EXPECT_EQ(std::system(("sh '" + dir.file("forms.sh") + "' 2>/dev/null").c_str()), 0) << "iconv failed";
    const struct {
        const char* name;
        int code;
        bool bom, bigEndian;
    } forms[] = {{"a.utf8", kCodeUtf8, false, false},
                 {"a.bom", kCodeUtf8, true, false},
                 {"a.u16be", kCodeUtf16, false, true},
                 {"a.u16le", kCodeUtf16, false, false}};
    size_t held = 0;
    for (const auto& f : forms) {
        SCOPED_TRACE(f.name);
        const std::string path = dir.file(f.name);
        EXPECT_TRUE(unicodeSaved(path, dir.file("copy"), f.code, f.bom, f.bigEndian,
                                 f.code == kCodeUtf8 && !f.bom ? &held : nullptr) == readFile(path));
    }
    return held;
}

struct DebianFile {
    const char* package;
    const char* path;
    const char* holds;        // what the file is here for
    size_t minimumHeld;       // characters code page 932 lacks, at least
};

class DebianUnicodeFiles : public testing::TestWithParam<DebianFile> {};

}  // namespace

TEST_P(DebianUnicodeFiles, RoundTripInEveryUnicodeForm) {
    const DebianFile& f = GetParam();
    std::string source = f.path;
    if (!std::filesystem::exists(source))
        GTEST_SKIP() << source << " is absent (Debian package " << f.package << " is not installed)";
    TempDir dir;
    if (source.size() > 3 && source.compare(source.size() - 3, 3, ".gz") == 0) {
        ASSERT_EQ(std::system(("gzip -dc '" + source + "' > '" + dir.file("src") + "'").c_str()), 0);
        source = dir.file("src");
    }
    SCOPED_TRACE(std::string(f.path) + ": " + f.holds);
    EXPECT_GE(checkEveryUnicodeForm(dir, source), f.minimumHeld);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DebianUnicodeFiles,
    testing::Values(
        DebianFile{"man-db", "/usr/share/man/ko/man1/man.1.gz", "Korean", 300},
        DebianFile{"man-db", "/usr/share/man/zh_CN/man1/man.1.gz", "simplified Chinese", 50},
        DebianFile{"passwd", "/usr/share/man/zh_TW/man1/chfn.1.gz", "traditional Chinese", 5},
        DebianFile{"man-db", "/usr/share/man/de/man1/man.1.gz", "accented Latin", 3},
        DebianFile{"libx11-data", "/usr/share/X11/locale/en_US.UTF-8/Compose",
                   "accented Latin, combining characters, emoji, CJK", 1000}),
    [](const testing::TestParamInfo<DebianFile>& info) { return "File" + std::to_string(info.index); });

TEST(RealData, CorpusInEveryUnicodeFormRoundTrips) {
    const char* dirEnv = std::getenv("ORVEX_CORPUS");
    const std::string corpus = std::string(dirEnv && *dirEnv ? dirEnv : "/tmp/orvex-corpus") + "/sjis-16m.txt";
    if (!std::filesystem::exists(corpus))
        GTEST_SKIP() << corpus << " is absent (make it with ../shared/bench/make-corpus.sh)";
    TempDir dir;
    ASSERT_EQ(std::system(("iconv -f CP932 -t UTF-8 '" + corpus + "' > '" + dir.file("corpus.utf8") + "'").c_str()),
              0);
    EXPECT_EQ(checkEveryUnicodeForm(dir, dir.file("corpus.utf8")), 0u) << "the corpus is code page 932 text";
}
