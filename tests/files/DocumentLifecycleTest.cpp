// Closing documents (save question, empty files), automatic backups, the
// conversion of a document's code or line ends, and the document commands.
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/AutoBackupService.h"
#include "files/DocumentFileCommands.h"
#include "files/DocumentTestSupport.h"
#include "files/FileCommandIds.h"

using namespace orvex;
using namespace orvex::files;
using namespace orvex::files::test;

class DocumentLifecycle : public DocumentTest {};

TEST_F(DocumentLifecycle, EmptyFileIsOfferedForDeletionAtClose) {
    settings.document.delZeroFile = 1;
    ASSERT_TRUE(openBytes("zero.txt", ""));
    fake.messages.answer(MsgResult::No);
    file->close();
    EXPECT_EQ(fake.messages.ids(), std::vector<int>{strings::kEmptyFileDelete});
    EXPECT_EQ(fake.messages.shown[0].text, dir.file("zero.txt") + "は空のファイルです。ﾌｧｲﾙを削除しますか。");
    EXPECT_TRUE(fileExists(dir.file("zero.txt")));

    ASSERT_TRUE(file->open(dir.file("zero.txt")));
    fake.messages.answer(MsgResult::Yes);
    file->close();
    EXPECT_FALSE(fileExists(dir.file("zero.txt")));

    // Not offered: a file with text whose document was emptied without
    // saving, an untitled document, or without DelZeroFile.
    fake.messages.clear();
    ASSERT_TRUE(openBytes("full.txt", "abc"));
    doc->deleteRecordedAt(0, 3, 2);
    file->close();
    file->newDocument();
    file->close();
    settings.document.delZeroFile = 0;
    ASSERT_TRUE(openBytes("zero.txt", ""));
    file->close();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(fileExists(dir.file("full.txt")));
}

TEST_F(DocumentLifecycle, SaveQuestionBeforeClosing) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    EXPECT_TRUE(file->saveModified());  // not modified: nothing asked
    EXPECT_TRUE(fake.messages.shown.empty());
    typeAtEnd("d");
    fake.messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(file->saveModified());
    fake.messages.answer(MsgResult::No);
    EXPECT_TRUE(file->saveModified());
    EXPECT_EQ(readFile(dir.file("a.txt")), "abc");
    fake.messages.answer(MsgResult::Yes);
    EXPECT_TRUE(file->saveModified());
    EXPECT_EQ(readFile(dir.file("a.txt")), "abcd");
    EXPECT_EQ(fake.messages.shown[0].text, dir.file("a.txt") + "への変更を保存しますか？");
}

TEST_F(DocumentLifecycle, AutomaticBackupTicksAndCopies) {
    settings.app.autoBackup = 1;
    settings.app.autoBackupTime = 1;
    settings.app.autoBackupPath = dir.file("auto");
    ::mkdir(dir.file("auto").c_str(), 0700);
    AutoBackupService service(&fake.timers, &settings.app);
    service.start();
    ASSERT_TRUE(openBytes("a.txt", "abc\x1A"));
    service.add(*file);
    typeAtEnd("d");

    fake.timers.advance(6 * 10000);  // six ticks: not past AutoBackupTime × 6
    EXPECT_TRUE(file->autoBackupFile().empty());
    fake.timers.advance(10000);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%m%d%H%M~", &local);
    const std::string copy = dir.file("auto/") + stamp + "a.txt";
    EXPECT_EQ(file->autoBackupFile(), copy);
    EXPECT_EQ(readFile(copy), "abcd\x1A");  // as held, with the mark it had
    EXPECT_EQ(readFile(dir.file("a.txt")), "abc\x1A");
    EXPECT_TRUE(doc->isModified());

    // The same name at every step; removed at close.
    typeAtEnd("e");
    service.tick();
    EXPECT_EQ(service.clock().count(), 1);
    fake.timers.advance(6 * 10000);
    EXPECT_EQ(readFile(copy), "abcde\x1A");
    file->close();
    EXPECT_FALSE(fileExists(copy));
    service.remove(*file);
}

TEST_F(DocumentLifecycle, AutomaticBackupSavesTheDocumentItselfWithMode2) {
    settings.app.autoBackup = 2;
    settings.app.autoBackupPath = dir.file("auto");
    ::mkdir(dir.file("auto").c_str(), 0700);
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    file->autoBackupStep();  // not modified: nothing
    typeAtEnd("d");
    file->autoBackupStep();
    EXPECT_EQ(readFile(dir.file("a.txt")), "abcd");
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(file->autoBackupFile().empty());

    // Read-only and untitled documents get a copy instead.
    file->newDocument();
    typeAtEnd("new");
    file->autoBackupStep();
    ASSERT_FALSE(file->autoBackupFile().empty());
    EXPECT_EQ(file->autoBackupFile().rfind(dir.file("auto/"), 0), 0u);
    EXPECT_EQ(readFile(file->autoBackupFile()), "new");
    EXPECT_TRUE(doc->isModified());

    // A file opened despite NULs is never written over automatically.
    create();
    fake.messages.answerChoice(0);
    ASSERT_TRUE(openBytes("bin", std::string("a\0b", 3)));
    typeAtEnd("c");
    file->autoBackupStep();
    EXPECT_EQ(readFile(dir.file("bin")), std::string("a\0b", 3));
    EXPECT_EQ(readFile(file->autoBackupFile()), "a bc");
}

TEST_F(DocumentLifecycle, AutomaticBackupCopyOfUnicodeCharactersIsUtf8) {
    // A UTF-8 document with an emoji, held as a code of the user-defined
    // area: its copy keeps the emoji, not the code.
    settings.app.autoBackup = 1;
    settings.app.autoBackupPath = dir.file("auto");
    ::mkdir(dir.file("auto").c_str(), 0700);
    ASSERT_TRUE(openBytes("u.txt", "\xF0\x9F\x98\x80"));
    typeAtEnd("!");
    file->autoBackupStep();
    ASSERT_FALSE(file->autoBackupFile().empty());
    EXPECT_EQ(readFile(file->autoBackupFile()), "\xEF\xBB\xBF\xF0\x9F\x98\x80!");
}

TEST_F(DocumentLifecycle, AutomaticBackupWithoutRoomReportsOnce) {
    settings.app.autoBackup = 1;
    settings.app.autoBackupPath = dir.file("missing");
    file->newDocument();
    typeAtEnd("x");
    file->autoBackupStep();
    file->autoBackupStep();
    EXPECT_EQ(fake.messages.ids(), std::vector<int>{strings::kBackupFailed});
}

TEST_F(DocumentLifecycle, ConversionSetsTheExplicitCodeAndSaves) {
    ASSERT_TRUE(openBytes("a.txt", "\x82\xA0\r\n"));
    settings.document.saveKanji = 1;
    ASSERT_TRUE(file->convert(kCodeEuc, 0));
    EXPECT_EQ(readFile(dir.file("a.txt")), "\xA4\xA2\r\n");
    ASSERT_TRUE(file->convert(0, kLineEndLf));
    EXPECT_EQ(readFile(dir.file("a.txt")), "\xA4\xA2\n");
    EXPECT_TRUE(file->explicitCode());
    EXPECT_TRUE(file->explicitLineEnd());

    // An empty, unmodified document is only marked.
    file->newDocument();
    EXPECT_TRUE(file->convert(kCodeJis, 0));
    EXPECT_EQ(file->code(), kCodeJis);
    EXPECT_TRUE(fake.fileDialogs.requests.empty());
}

TEST_F(DocumentLifecycle, DocumentCommands) {
    int closed = 0;
    DocumentFileCommands commands(*file, [&] { ++closed; });
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("d");
    EXPECT_TRUE(commands.onCommand(cmd::kFileSave));
    EXPECT_EQ(readFile(dir.file("a.txt")), "abcd");
    typeAtEnd("e");
    fake.messages.answer(MsgResult::Cancel);
    EXPECT_TRUE(commands.onCommand(cmd::kFileClose));
    EXPECT_EQ(closed, 0);
    fake.messages.answer(MsgResult::No);
    EXPECT_TRUE(commands.onCommand(cmd::kFileClose));
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(commands.onCommand(cmd::kFileSaveAs));
    EXPECT_TRUE(commands.onCommand(cmd::kFileSaveCopyAs));
    EXPECT_EQ(fake.fileDialogs.requests.size(), 2u);
    EXPECT_FALSE(commands.onCommand(cmd::kInsertFile));
    EXPECT_TRUE(DocumentFileCommands::commandTable().overlaps().empty());
}

TEST_F(DocumentLifecycle, SettingsChangesReachAnOpenDocument) {
    ASSERT_TRUE(openBytes("a.txt", "\tx"));
    settings.editor.mode(0).tabStops = 32;
    settings.document.editEnable = 0;
    doc->setReadOnly(true);
    EXPECT_TRUE(doc->editable());
    file->applySettings();
    EXPECT_EQ(doc->text().tabWidth(), 8);
    EXPECT_EQ(doc->text().row(0).width, 10);  // the TAB to column 8, "x", the line-end mark
    EXPECT_FALSE(doc->editable());
}
