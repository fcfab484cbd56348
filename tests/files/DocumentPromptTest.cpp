// Saving with the save dialog: when it is shown, the name it offers, what
// its lists change, and what the document takes from the new name.
#include <sys/file.h>

#include "common/strings/StringTable.h"
#include "files/CodeChoices.h"
#include "files/DocumentTestSupport.h"
#include "files/FileTexts.h"
#include "files/SaveNames.h"

using namespace orvex;
using namespace orvex::files;
using namespace orvex::files::test;

namespace {

FileDialogResult chosen(const std::string& path, int code = 0, int lineEnd = 0) {
    FileDialogResult r;
    r.paths = {path};
    r.codeIndex = code;
    r.lineEndIndex = lineEnd;
    return r;
}

}  // namespace

class DocumentPrompt : public DocumentTest {
protected:
    // The name the dialog offers an untitled document holding `utf8`.
    std::string offeredName(const std::string& utf8) {
        create();
        file->newDocument();
        typeAtEnd(sj(utf8));
        fake.fileDialogs.requests.clear();
        EXPECT_FALSE(file->saveWithPrompt({}, true));  // cancelled
        EXPECT_EQ(fake.fileDialogs.requests.size(), 1u);
        return fake.fileDialogs.requests.empty() ? std::string() : fake.fileDialogs.requests[0].fileName;
    }
};

TEST_F(DocumentPrompt, DefaultNamesOfAnUntitledDocument) {
    struct Row {
        int saveDefName;
        const char* text;
        const char* ext;
        const char* name;
    } rows[] = {
        {0, "\t 　日本語の題 です\r\n本文", ".txt", "日本語の題 です.txt"},
        {0, "a:b\r\n", ".txt", "a.txt"},
        {0, "version 1.2\r\n", ".txt", "version 1.2"},
        {0, "abc#def\r\n", "", "abc"},
        {1, "  ,,foo_bar baz", ".txt", "foo_bar.txt"},
        {1, "「かぎ」です", "txt", "「かぎ」です.txt"},
        {1, "ｶﾀｶﾅabc", ".txt", "ｶﾀｶﾅ.txt"},
        {1, "0123456789012345678901234567890123456789", ".txt", "01234567890123456789012345678901.txt"},
        {1, "   ", ".txt", "無題のﾌｧｲﾙ.txt"},  // nothing: the title
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        settings.document.saveDefName = r.saveDefName;
        settings.document.saveDefExtStr = r.ext;
        EXPECT_EQ(offeredName(r.text), r.name);
    }
    std::tm local{};
    localtime_r(&now, &local);
    char full[16], shortDate[16];
    std::strftime(full, sizeof full, "%y%m%d", &local);
    std::strftime(shortDate, sizeof shortDate, "%m%d", &local);
    settings.document.saveDefExtStr = ".txt";
    settings.document.saveDefName = 2;
    EXPECT_EQ(offeredName("x"), std::string(full) + ".txt");
    settings.document.saveDefName = 3;
    EXPECT_EQ(offeredName("x"), std::string(shortDate) + ".txt");
}

TEST_F(DocumentPrompt, TagFilesGetTheTagExtension) {
    file->newDocument();
    file->setTagFile(true);
    typeAtEnd("found");
    EXPECT_FALSE(file->saveWithPrompt({}, true));
    ASSERT_EQ(fake.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.requests[0].fileName, "found.tag");
}

TEST_F(DocumentPrompt, TitleCutAtTheFirstDubiousCharacter) {
    EXPECT_EQ(cutDubiousName("a b#c", true), "a");
    EXPECT_EQ(cutDubiousName("a b#c", false), "a b");
    EXPECT_EQ(cutDubiousName("x%y;z", false), "x");
    EXPECT_EQ(withDefaultExtension("a.b", false, ".txt"), "a.b");
    EXPECT_EQ(withDefaultExtension("a", true, ".txt"), "a.tag");
}

TEST_F(DocumentPrompt, DialogListsComeFromAndGoToTheSettings) {
    settings.document.saveKanji = 2;
    settings.document.saveCR = 3;
    file->newDocument();
    typeAtEnd(sj("あ\r\n"));
    fake.fileDialogs.answer(chosen(dir.file("new.txt"), 3, 1));
    ASSERT_TRUE(file->saveWithPrompt({}, true));
    const FileDialogRequest& q = fake.fileDialogs.requests.at(0);
    EXPECT_TRUE(q.save);
    EXPECT_EQ(q.title, kSaveAsTitle);
    EXPECT_EQ(q.codeChoices.size(), kSaveCodeChoices.size());
    EXPECT_EQ(q.lineEndChoices.size(), kSaveLineEndChoices.size());
    EXPECT_EQ(q.codeIndex, 2);
    EXPECT_EQ(q.lineEndIndex, 3);
    EXPECT_EQ(settings.document.saveKanji, 3);
    EXPECT_EQ(settings.document.saveCR, 1);
    EXPECT_EQ(readFile(dir.file("new.txt")), "\xA4\xA2\r\n");
    EXPECT_EQ(doc->pathName(), dir.file("new.txt"));
    EXPECT_EQ(doc->title(), "new.txt");
    EXPECT_FALSE(doc->isModified());
}

TEST_F(DocumentPrompt, PromptOnlyWhenNeeded) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("d");
    EXPECT_TRUE(file->save());
    EXPECT_TRUE(fake.fileDialogs.requests.empty());
    EXPECT_EQ(readFile(dir.file("a.txt")), "abcd");

    // Cancelling writes nothing.
    EXPECT_FALSE(file->saveWithPrompt({}, true));
    EXPECT_EQ(fake.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(fake.fileDialogs.requests[0].fileName, "a.txt");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.txt"});
}

TEST_F(DocumentPrompt, ReadOnlyDocumentAlwaysPromptsWithItsFolder) {
    ASSERT_TRUE(openBytes("a.txt", "abc", OpenOptions{true, false}));
    typeAtEnd("d");
    fake.fileDialogs.answer(chosen(dir.file("b.txt")));
    ASSERT_TRUE(file->save());
    const FileDialogRequest& q = fake.fileDialogs.requests.at(0);
    EXPECT_EQ(q.directory, dir.path());
    EXPECT_EQ(q.fileName, "");
    EXPECT_EQ(readFile(dir.file("a.txt")), "abc");
    EXPECT_EQ(readFile(dir.file("b.txt")), "abcd");
    EXPECT_FALSE(doc->readOnly());
    EXPECT_EQ(doc->pathName(), dir.file("b.txt"));
}

TEST_F(DocumentPrompt, FileThatIsNotTextPromptsUntilSavedUnderAName) {
    fake.messages.answerChoice(0);
    ASSERT_TRUE(openBytes("bin", std::string("a\0b", 3)));
    fake.fileDialogs.answer(chosen(dir.file("bin2")));
    ASSERT_TRUE(file->save());
    EXPECT_EQ(readFile(dir.file("bin")), std::string("a\0b", 3));
    EXPECT_EQ(readFile(dir.file("bin2")), "a b");
    EXPECT_EQ(file->notTextAnswer(), 0);
    EXPECT_TRUE(file->save());  // now under its name without asking
    EXPECT_EQ(fake.fileDialogs.requests.size(), 1u);
}

TEST_F(DocumentPrompt, NewNameBringsItsModeAndTheLock) {
    settings.editor.mode(1).extSel = "*.c";
    settings.editor.mode(1).tabStops = 32;
    settings.document.openFileLock = 2;
    ASSERT_TRUE(openBytes("a.txt", "\tx"));
    EXPECT_EQ(doc->text().tabWidth(), 4);
    fake.fileDialogs.answer(chosen(dir.file("a.c")));
    ASSERT_TRUE(file->saveWithPrompt({}, true));
    EXPECT_EQ(doc->fileTypeMode(), 1);
    EXPECT_EQ(doc->text().tabWidth(), 8);
    EXPECT_TRUE(file->lockHeld());
    const int oldFd = ::open(dir.file("a.txt").c_str(), O_RDONLY);
    const int newFd = ::open(dir.file("a.c").c_str(), O_RDONLY);
    EXPECT_EQ(::flock(oldFd, LOCK_EX | LOCK_NB), 0);
    EXPECT_NE(::flock(newFd, LOCK_EX | LOCK_NB), 0);
    ::close(oldFd);
    ::close(newFd);
}

TEST_F(DocumentPrompt, CopyKeepsTheName) {
    ASSERT_TRUE(openBytes("a.txt", "abc"));
    typeAtEnd("d");
    fake.fileDialogs.answer(chosen(dir.file("copy.txt")));
    ASSERT_TRUE(file->saveWithPrompt({}, false));
    EXPECT_EQ(fake.fileDialogs.requests.at(0).title, kSaveCopyTitle);
    EXPECT_EQ(readFile(dir.file("copy.txt")), "abcd");
    EXPECT_EQ(doc->pathName(), dir.file("a.txt"));
    EXPECT_TRUE(doc->isModified());
}
