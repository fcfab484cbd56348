// Opening files into documents: codes and line ends, the end-of-file mark,
// the not-a-text question, the size limit, file-type modes and tag files,
// read-only files, locks, revert and failed opens.
#include <sys/file.h>
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/DocumentTestSupport.h"
#include "files/SharedReader.h"

using namespace orvex;
using namespace orvex::files;
using namespace orvex::files::test;

namespace {

struct LoadRow {
    const char* name;
    std::string bytes;
    std::string text;  // Shift JIS after the load
    int code;
    int lineEnd;
    bool eofMark;
    int32_t lines;
};

}  // namespace

class DocumentLoad : public DocumentTest {};

TEST_F(DocumentLoad, CodesLineEndsAndMarks) {
    const LoadRow rows[] = {
        {"empty", "", "", kCodeUndetermined, kLineEndUndetermined, false, 1},
        {"ascii keeps code 0", "abc\r\ndef", "abc\r\ndef", kCodeUndetermined, kLineEndCrLf, false, 2},
        {"mixed CR LF and LF", "a\r\nb\nc\n", "a\r\nb\rc\r", kCodeUndetermined, kLineEndLf, false, 4},
        {"lone CR", "a\rb", "a\rb", kCodeUndetermined, kLineEndCr, false, 2},
        {"eof mark", "abc\r\n\x1A", "abc\r\n", kCodeUndetermined, kLineEndCrLf, true, 2},
        {"0x82 0xA0 decides Shift JIS", "\x82\xA0\x82\xA2", "\x82\xA0\x82\xA2", kCodeShiftJis, 0, false, 1},
        {"EUC read twice", "\xA4\xA2\x8E\xB1", "\x82\xA0\xB1", kCodeEuc, 0, false, 1},
        {"JIS", "\x1B$B0!\x1B(B\r\n", "\x88\x9F\r\n", kCodeJis, kLineEndCrLf, false, 2},
        {"unclosed JIS shift ends at the line end", "\x1B$B0!\r\nAB", "\x88\x9F\r\nAB", kCodeJis, kLineEndCrLf,
         false, 2},
        {"UTF-16", std::string("\xFF\xFE" "a\0\r\0\n\0B0", 10), "a\r\n\x82\xA0", kCodeUtf16, kLineEndCrLf, false, 2},
        {"trailing lead byte dropped", "ab\x82", "ab", kCodeShiftJis, 0, false, 1},
    };
    for (const LoadRow& r : rows) {
        SCOPED_TRACE(r.name);
        create();
        ASSERT_TRUE(openBytes("f.txt", r.bytes));
        EXPECT_EQ(text(), r.text);
        EXPECT_EQ(file->code(), r.code);
        EXPECT_EQ(file->lineEnd(), r.lineEnd);
        EXPECT_EQ(file->eofMark(), r.eofMark);
        EXPECT_EQ(doc->text().lineCount(), r.lines);
        EXPECT_FALSE(doc->isModified());
        EXPECT_FALSE(doc->canUndo());
        EXPECT_EQ(doc->title(), "f.txt");
        EXPECT_EQ(doc->pathName(), dir.file("f.txt"));
    }
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(DocumentLoad, ZeroByteFileIsOneEmptyRow) {
    ASSERT_TRUE(openBytes("zero.txt", ""));
    EXPECT_EQ(doc->text().size(), 1);
    EXPECT_EQ(doc->text().rowCount(), 1);
}

TEST_F(DocumentLoad, Utf16WithoutDetectionIsTakenAsShiftJis) {
    const std::string bytes("\xFF\xFE" "a\0b\0", 6);
    settings.document.autoKanji = 0;
    fake.messages.answerChoice(0);  // the NUL question: "強制的に開く"
    ASSERT_TRUE(openBytes("u.txt", bytes));
    EXPECT_EQ(text(), "\xFF\xFE" "a b");  // the trailing NUL dropped, the inner one a blank
    EXPECT_FALSE(file->utf16File());
    EXPECT_EQ(file->notTextAnswer(), kNotTextOpen);

    settings.document.autoKanji = 1;
    create();
    ASSERT_TRUE(openBytes("u.txt", bytes));
    EXPECT_EQ(text(), "ab");
    EXPECT_TRUE(file->utf16File());
    EXPECT_EQ(saved(), bytes);  // SaveKanji 0: back as UTF-16 with its mark
}

TEST_F(DocumentLoad, NotTextQuestionAnswers) {
    const std::string bytes("ab\0cd", 5);
    fake.messages.answerChoice(0);
    ASSERT_TRUE(openBytes("bin.dat", bytes));
    EXPECT_EQ(text(), "ab cd");
    ASSERT_EQ(fake.messages.choices.size(), 1u);
    EXPECT_EQ(fake.messages.choices[0].title, "開く");
    EXPECT_EQ(fake.messages.choices[0].text, "このﾌｧｲﾙの一部または全部がﾃｷｽﾄ形式ではありません");
    EXPECT_EQ(fake.messages.choices[0].buttons,
              (std::vector<std::string>{"強制的に開く", "ｲﾒｰｼﾞ表示", "閉じる", "ﾍﾙﾌﾟ"}));

    // "ｲﾒｰｼﾞ表示" hands the file to the viewer, "閉じる" gives up; the
    // document keeps what it had.
    fake.messages.answerChoice(1);
    EXPECT_FALSE(file->open(dir.file("bin.dat")));
    EXPECT_EQ(file->notTextAnswer(), kNotTextView);
    EXPECT_EQ(viewed, std::vector<std::string>{dir.file("bin.dat")});
    fake.messages.answerChoice(2);
    EXPECT_FALSE(file->open(dir.file("bin.dat")));
    EXPECT_EQ(viewed.size(), 1u);
    EXPECT_EQ(text(), "ab cd");
}

TEST_F(DocumentLoad, FileBeyondTheSizeLimitIsRefused) {
    const std::string path = dir.file("big.txt");
    writeFile(path, "x");
    ASSERT_EQ(::truncate(path.c_str(), TextStore::kMaxTextSize + 1), 0);  // sparse
    EXPECT_FALSE(file->open(path));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kFileTooLargeText);
    EXPECT_TRUE(doc->pathName().empty());
}

TEST_F(DocumentLoad, MissingFileLeavesTheDocumentAlone) {
    ASSERT_TRUE(openBytes("a.txt", "keep"));
    EXPECT_FALSE(file->open(dir.file("missing.txt")));
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(text(), "keep");
    EXPECT_EQ(doc->pathName(), dir.file("a.txt"));
}

TEST_F(DocumentLoad, FileTypeModeAndTagFilesByExtension) {
    settings.editor.mode(2).extSel = "*.c;*.h";
    settings.editor.mode(2).tabStops = 32;
    ASSERT_TRUE(openBytes("x.h", "\tx"));
    EXPECT_EQ(doc->fileTypeMode(), 2);
    EXPECT_EQ(doc->text().tabWidth(), 8);
    EXPECT_FALSE(file->tagFile());

    ASSERT_TRUE(openBytes("found.TAG", "a.c(1): x"));
    EXPECT_EQ(doc->fileTypeMode(), 0);
    EXPECT_TRUE(file->tagFile());
    EXPECT_TRUE(doc->layoutOptions().tagFile);
    EXPECT_FALSE(doc->readOnly());

    settings.document.tagFileWrtProt = 1;
    ASSERT_TRUE(openBytes("found.tag", "a.c(1): x"));
    EXPECT_TRUE(doc->readOnly());

    settings.document.tagFileSet = 0;
    ASSERT_TRUE(openBytes("found.tag", "a.c(1): x"));
    EXPECT_FALSE(file->tagFile());
    EXPECT_FALSE(doc->readOnly());
}

TEST_F(DocumentLoad, ReadOnlyOnRequestAndByAttribute) {
    ASSERT_TRUE(openBytes("a.txt", "x", OpenOptions{true, false}));
    EXPECT_TRUE(doc->readOnly());
    ASSERT_TRUE(openBytes("a.txt", "x"));
    EXPECT_FALSE(doc->readOnly());

    const std::string path = dir.file("ro.txt");
    writeFile(path, "old", 0444);
    const std::string result = asOrdinaryUser([&]() -> std::string {
        orvex::test::FakePlatform f;
        CLuDoc d(f.platform());
        DocumentFile df(d, services());
        if (!df.open(path)) return "open failed";
        if (!d.readOnly()) return "not read-only";
        d.insertRecordedAt(0, "new", 3, 1);
        if (df.saveDocument(path)) return "saved over a read-only file";
        if (f.messages.ids() != std::vector<int>{strings::kReadOnlyFile}) return "no 30056";
        return readFile(path) == "old" ? "" : "file changed";
    });
    if (result == "skip") GTEST_SKIP() << "cannot switch to an ordinary user";
    EXPECT_EQ(result, "");
}

TEST_F(DocumentLoad, LockKeptWhileOpenAndAnotherLockMakesItReadOnly) {
    const std::string path = dir.file("a.txt");
    settings.document.openFileLock = 2;
    ASSERT_TRUE(openBytes("a.txt", "x"));
    EXPECT_TRUE(file->lockHeld());
    const int fd = ::open(path.c_str(), O_RDONLY);
    EXPECT_NE(::flock(fd, LOCK_SH | LOCK_NB), 0);  // the exclusive lock keeps others out
    file->close();
    EXPECT_FALSE(file->lockHeld());
    EXPECT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);  // another program's lock now

    create();
    EXPECT_TRUE(file->open(path));  // a lock never fails the open
    EXPECT_TRUE(doc->readOnly());
    EXPECT_EQ(fake.messages.ids(), std::vector<int>{strings::kWriteDeniedReadOnly});
    fake.messages.clear();
    create();
    EXPECT_TRUE(file->open(path, OpenOptions{false, true}));
    EXPECT_TRUE(doc->readOnly());
    EXPECT_TRUE(fake.messages.shown.empty());  // quiet: no message
    ::close(fd);
}

TEST_F(DocumentLoad, RevertReadsTheFileAgainAndKeepsTheTextWhenItCannot) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("def");
    ASSERT_TRUE(doc->isModified());
    EXPECT_TRUE(file->revert());
    EXPECT_EQ(text(), "abc");
    EXPECT_FALSE(doc->isModified());
    EXPECT_FALSE(doc->canUndo());

    typeAtEnd("def");
    ::unlink(dir.file("a.txt").c_str());
    EXPECT_FALSE(file->revert());
    EXPECT_EQ(text(), "abcdef");
    EXPECT_TRUE(doc->isModified());

    file->newDocument();
    typeAtEnd("x");
    EXPECT_TRUE(file->revert());  // untitled: empty again
    EXPECT_EQ(text(), "");
    EXPECT_EQ(doc->title(), "無題のﾌｧｲﾙ");
}

// EUC three-byte characters read as EUC: those with a code page 932 form
// take it and save back to the same bytes, the others become "?" with one
// warning for the whole load.
TEST_F(DocumentLoad, EucThreeByteCharacters) {
    const std::string taka = "\x8F\xF4\xFB";    // 髙
    const std::string saki = "\x8F\xF4\xBD";    // 﨑
    const std::string other = "\x8F\xB0\xA1";   // 丂, not in code page 932
    const std::string otherHigh = "\x8F\xB0\xE0";
    const std::string a = "\xA4\xA2";           // あ
    struct Row {
        const char* name;
        std::string bytes;
        std::string text;
        size_t unreadable;
        std::string saved;
    } rows[] = {
        {"readable only", taka + a + "\n" + saki + "\n", sj("髙あ") + "\r" + sj("﨑") + "\r", 0,
         taka + a + "\n" + saki + "\n"},
        {"unreadable ones warn once", other + taka + a + "\n" + otherHigh + a + saki,
         "?" + sj("髙あ") + "\r?" + sj("あ﨑"), 2, "?" + taka + a + "\n?" + a + saki},
    };
    settings.document.autoKanji = kReadEuc;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        create();
        fake.messages.clear();
        ASSERT_TRUE(openBytes("e.txt", r.bytes));
        EXPECT_EQ(text(), r.text);
        EXPECT_EQ(file->code(), kCodeEuc);
        if (r.unreadable == 0) {
            EXPECT_TRUE(fake.messages.shown.empty());
        } else {
            ASSERT_EQ(fake.messages.shown.size(), 1u);
            const std::string& shown = fake.messages.shown[0].text;
            EXPECT_NE(shown.find(dir.file("e.txt")), std::string::npos);
            EXPECT_NE(shown.find(" " + std::to_string(r.unreadable) + " "), std::string::npos);
            EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Exclamation);
        }
        fake.messages.clear();
        EXPECT_EQ(saved(), r.saved);
        EXPECT_TRUE(fake.messages.shown.empty());  // nothing the code cannot hold
    }
}
