// Saving documents: what is written for each setting, backups, the read-only
// and lossy cases, what a save does to the undo history and the row marks,
// and a failed save that keeps the old file.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/strings/StringTable.h"
#include "files/DocumentTestSupport.h"
#include "files/FileTexts.h"

using namespace orvex;
using namespace orvex::files;
using namespace orvex::files::test;

class DocumentSave : public DocumentTest {};

TEST_F(DocumentSave, WrittenBytesBySetting) {
    struct Row {
        const char* name;
        std::string in;
        std::function<void(settings::DocumentOptions&)> set;
        std::string out;
    };
    const auto none = [](settings::DocumentOptions&) {};
    const Row rows[] = {
        {"last line without a line end", "a\r\nb", none, "a\r\nb"},
        {"ends with exactly one line end", "a\r\nb\r\n", none, "a\r\nb\r\n"},
        {"blank last lines", "a\r\n\r\n", none, "a\r\n\r\n"},
        {"CR LF LF is one line end", "a\r\n\nb", none, "a\r\nb"},
        {"eof mark kept (SaveEOF 0)", "abc\x1A", none, "abc\x1A"},
        {"eof mark dropped (SaveEOF 1)", "abc\x1A", [](auto& o) { o.saveEOF = 1; }, "abc"},
        {"eof mark added (SaveEOF 2)", "abc", [](auto& o) { o.saveEOF = 2; }, "abc\x1A"},
        {"mixed line ends take the last one", "a\r\nb\nc", none, "a\nb\nc"},
        {"form feed", "a\fb\r\n", none, "a\fb\r\n"},
        {"SaveCR 1", "a\nb\n", [](auto& o) { o.saveCR = 1; }, "a\r\nb\r\n"},
        {"SaveCR 2", "a\nb", [](auto& o) { o.saveCR = 2; }, "a\rb"},
        {"plain ASCII as Shift JIS", "abc\r\n", none, "abc\r\n"},
        {"Shift JIS to EUC", "\x82\xA0\xB1\r\n", [](auto& o) { o.saveKanji = 3; }, "\xA4\xA2\x8E\xB1\r\n"},
        {"Shift JIS to JIS with katakana", "\x88\x9F\xB1\r\n", [](auto& o) { o.saveKanji = 2; },
         "\x1B$B0!\x1B(I\xB1\x1B(B\r\n"},
        {"EUC back as EUC", "\xA4\xA2\n\xA4\xA4", none, "\xA4\xA2\n\xA4\xA4"},
        {"Shift JIS to UTF-16", "a\r\n", [](auto& o) { o.saveKanji = 4; }, std::string("\xFF\xFE" "a\0\r\0\n\0", 8)},
        {"SaveDelSpc", "a \t\r\n\x82\xA0  \r\nb ", [](auto& o) { o.saveDelSpc = 1; }, "a\r\n\x82\xA0\r\nb"},
        {"SaveTab 1", "\tx\r\nab\tc", [](auto& o) { o.saveTab = 1; }, "    x\r\nab  c"},
        {"SaveTab 2", "        x\r\nab  c\r\na b", [](auto& o) { o.saveTab = 2; }, "\t\tx\r\nab\tc\r\na b"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        settings.document = settings::DocumentOptions{};
        r.set(settings.document);
        create();
        ASSERT_TRUE(openBytes("f.txt", r.in));
        EXPECT_EQ(saved(), r.out);
    }
}

TEST_F(DocumentSave, DisplayRowsAsLinesWithSaveInsCr) {
    settings.editor.mode(0).lineMax = 10;
    settings.document.saveInsCR = 1;
    ASSERT_TRUE(openBytes("f.txt", "0123456789abcdefghijKLM\r\nx"));
    EXPECT_EQ(saved(), "0123456789\r\nabcdefghij\r\nKLM\r\nx");
}

TEST_F(DocumentSave, LineEndSettingBecomesTheDocumentsAndExplicitChoicesWin) {
    ASSERT_TRUE(openBytes("f.txt", "a\nb"));
    settings.document.saveCR = 1;
    EXPECT_EQ(saved(), "a\r\nb");
    EXPECT_EQ(file->lineEnd(), kLineEndCrLf);

    settings.document.saveCR = 1;
    settings.document.saveKanji = 1;
    file->setExplicitLineEnd(kLineEndLf);
    file->setExplicitCode(kCodeEuc);
    doc->insertRecordedAt(0, "\x82\xA0", 2, 1);
    EXPECT_EQ(saved(), "\xA4\xA2" "a\nb");
}

TEST_F(DocumentSave, BackupModes) {
    const std::string path = dir.file("a.txt");
    settings.document.backupMode = 1;
    ASSERT_TRUE(openBytes("a.txt", "v1"));
    typeAtEnd("+");
    EXPECT_EQ(saved(), "v1+");
    EXPECT_EQ(readFile(dir.file("a.bak")), "v1");

    // 2: under the same name in the backup folder.
    ::mkdir(dir.file("bk").c_str(), 0755);
    settings.document.backupMode = 2;
    settings.document.backupPath = dir.file("bk");
    typeAtEnd("+");
    EXPECT_EQ(saved(), "v1++");
    EXPECT_EQ(readFile(dir.file("bk/a.txt")), "v1+");

    // 4: the old file goes to the trash once the new one is complete.
    settings.document.backupMode = 4;
    settings.document.backupPath.clear();
    typeAtEnd("+");
    EXPECT_EQ(saved(), "v1+++");
    EXPECT_EQ(readFile(trash.homeTrash() + "/files/a.txt"), "v1++");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(DocumentSave, NumberedBackupsKeepTheLastVersions) {
    settings.document.backupMode = 3;
    settings.document.backupVerLimit = 3;
    ASSERT_TRUE(openBytes("a.txt", "0"));
    for (char c : std::string("1234")) {
        typeAtEnd(std::string(1, c));
        ASSERT_TRUE(file->saveDocument(file->path()));
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.txt", "a.txt.2", "a.txt.3", "a.txt.4"}));
    EXPECT_EQ(readFile(dir.file("a.txt.2")), "01");
    EXPECT_EQ(readFile(dir.file("a.txt.4")), "0123");
    EXPECT_EQ(readFile(dir.file("a.txt")), "01234");
}

TEST_F(DocumentSave, FailedBackupIsReportedAndTheSaveGoesOn) {
    struct Row {
        int mode;
        bool withTrash;
    } rows[] = {{2, true}, {4, false}, {1, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mode);
        settings.document.backupMode = r.mode;  // 2 without a backup folder fails
        ::mkdir(dir.file("a.bak").c_str(), 0755);  // 1 cannot copy over a folder
        fake.messages.clear();
        file.reset();
        doc = std::make_unique<CLuDoc>(fake.platform());
        DocumentFileServices s = services();
        if (!r.withTrash) s.trash = nullptr;
        file = std::make_unique<DocumentFile>(*doc, s);
        ASSERT_TRUE(openBytes("a.txt", "old"));
        typeAtEnd("!");
        EXPECT_EQ(saved(), "old!");
        EXPECT_EQ(fake.messages.ids(), std::vector<int>{strings::kBackupFailed});
    }
}

TEST_F(DocumentSave, KeepUndoAndKeepModifyMk) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("d");
    EXPECT_TRUE(doc->text().modifiedRowsPresent());
    ASSERT_TRUE(file->saveDocument(file->path()));  // KeepUndo 1, KeepModifyMk 1
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->text().modifiedRowsPresent());
    EXPECT_EQ(doc->title(), "a.txt");

    settings.document.keepUndo = 0;
    settings.document.keepModifyMk = 0;
    typeAtEnd("e");
    ASSERT_TRUE(file->saveDocument(file->path()));
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(doc->canUndo());
    EXPECT_TRUE(doc->text().modifiedRowsPresent());
    typeAtEnd("f");
    EXPECT_TRUE(doc->isModified());
    doc->undo();  // back to the saved state
    EXPECT_FALSE(doc->isModified());
    doc->undo();
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DocumentSave, CharactersTheCodeCannotHoldAreWrittenOnlyWhenConfirmed) {
    const std::string userDefined = "\xF0\x40";  // no JIS X 0208 row/cell
    settings.document.saveKanji = 2;
    ASSERT_TRUE(openBytes("a.txt", "old"));
    typeAtEnd(userDefined);
    fake.messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(file->saveDocument(file->path()));
    EXPECT_EQ(readFile(file->path()), "old");
    EXPECT_TRUE(doc->isModified());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              strings::substitute(kUnrepresentableQuestion, {file->path(), "1"}));

    fake.messages.answer(MsgResult::Ok);
    EXPECT_TRUE(file->saveDocument(file->path()));
    EXPECT_EQ(readFile(file->path()), "old?");
}

TEST_F(DocumentSave, CopyLeavesTheDocumentAsItWas) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("d");
    EXPECT_TRUE(file->saveDocument(dir.file("copy.txt"), SaveKind::Copy));
    EXPECT_EQ(readFile(dir.file("copy.txt")), "abcd");
    EXPECT_EQ(readFile(dir.file("a.txt")), "abc");
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(doc->canUndo());
    EXPECT_EQ(doc->pathName(), dir.file("a.txt"));
}

TEST_F(DocumentSave, FailedSaveKeepsTheOldFile) {
    // The folder disappears under an open document.
    ::mkdir(dir.file("sub").c_str(), 0755);
    writeFile(dir.file("sub/a.txt"), "old");
    ASSERT_TRUE(file->open(dir.file("sub/a.txt")));
    typeAtEnd("new");
    std::filesystem::remove_all(dir.file("sub"));
    EXPECT_FALSE(file->saveDocument(file->path()));
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(doc->isModified());

    // The disk fills up: the old contents survive whole.
    const std::string point = dir.file("small");
    ::mkdir(point.c_str(), 0755);
    const std::string result = inSmallFileSystem(point, "64k", [&]() -> std::string {
        const std::string path = point + "/a.txt";
        const std::string old(20000, 'o');
        writeFile(path, old);
        orvex::test::FakePlatform f;
        CLuDoc d(f.platform());
        DocumentFile df(d, services());
        if (!df.open(path)) return "open failed";
        const std::string big(100000, 'x');
        d.insertRecordedAt(0, big.data(), static_cast<int32_t>(big.size()), 1);
        if (df.saveDocument(path)) return "a save that cannot fit succeeded";
        if (f.messages.shown.size() != 1) return "no message";
        if (!d.isModified()) return "document marked saved";
        if (readFile(path) != old) return "old file damaged";
        if (std::distance(std::filesystem::directory_iterator(point), std::filesystem::directory_iterator()) != 1)
            return "temporary file left";
        return "";
    });
    if (result == "skip") GTEST_SKIP() << "no mount namespace for a small tmpfs here";
    EXPECT_EQ(result, "");
}

TEST(DocumentWriterLines, PiecesKeepDoubleByteCharactersWhole) {
    // A lead byte takes the byte after it, blank or not.
    EXPECT_EQ(lengthWithoutTrailingBlanks("ab \t "), 2u);
    EXPECT_EQ(lengthWithoutTrailingBlanks("a\x81 "), 3u);
    EXPECT_EQ(lengthWithoutTrailingBlanks("   "), 0u);
    std::string out;
    appendTabsAsBlanks("\x82\xA0\tx\t", 4, out);
    EXPECT_EQ(out, "\x82\xA0  x   ");
    out.clear();
    appendBlanksAsTabs("\x82\xA0  x \t y       z", 4, out);
    EXPECT_EQ(out, "\x82\xA0\tx \t y\t\t z");
}
