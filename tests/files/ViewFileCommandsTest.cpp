// The file commands of a view: insert a file at the cursor, revert, append
// the selection to a file, and the conversion commands.
#include <stdlib.h>

#include "common/strings/StringTable.h"
#include "files/CodeChoices.h"
#include "files/DocumentTestSupport.h"
#include "files/FileCommandIds.h"
#include "files/FileTexts.h"
#include "files/ViewFileCommands.h"
#include "text/CLuView.h"
#include "text/EditorState.h"

using namespace orvex;
using namespace orvex::files;
using namespace orvex::files::test;

namespace {

FileDialogResult chosen(const std::string& path) {
    FileDialogResult r;
    r.paths = {path};
    return r;
}

}  // namespace

class ViewFileCommandsTest : public DocumentTest {
protected:
    ViewFileCommandsTest() {
        const char* old = std::getenv("TMPDIR");
        if (old) m_oldTmp = old;
        ::setenv("TMPDIR", dir.path().c_str(), 1);
    }
    ~ViewFileCommandsTest() override {
        commands.reset();
        view.reset();
        if (m_oldTmp.empty()) ::unsetenv("TMPDIR");
        else ::setenv("TMPDIR", m_oldTmp.c_str(), 1);
    }

    // Opens the bytes and puts a view with its file commands on them.
    void openWithView(const std::string& bytes) {
        commands.reset();
        view.reset();
        create();
        ASSERT_TRUE(openBytes("doc.txt", bytes));
        ViewContext ctx;
        ctx.state = &state;
        ctx.options = &options;
        view = std::make_unique<CLuView>(*doc, ctx);
        commands = std::make_unique<ViewFileCommands>(*view, *file);
    }
    bool run(CommandId id) { return view->onCommand(id); }

    EditorState state;
    PlainViewOptions options;
    std::unique_ptr<CLuView> view;
    std::unique_ptr<ViewFileCommands> commands;

private:
    std::string m_oldTmp;
};

TEST_F(ViewFileCommandsTest, InsertFileAtTheCursorAsOneEdit) {
    openWithView("abc\r\ndef");
    writeFile(dir.file("ins.txt"), "\xA4\xA2\n\xA4\xA4");  // EUC, LF
    view->placeCursor(0, 1);
    fake.fileDialogs.answer(chosen(dir.file("ins.txt")));
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_EQ(text(), "a\x82\xA0\r\x82\xA2" "bc\r\ndef");
    EXPECT_FALSE(fake.fileDialogs.requests.at(0).save);
    EXPECT_TRUE(doc->isModified());
    doc->undo();
    EXPECT_EQ(text(), "abc\r\ndef");

    // Cancelled: nothing.
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_EQ(text(), "abc\r\ndef");
}

TEST_F(ViewFileCommandsTest, InsertedEucFileWarnsOnceOfCharactersReadAsQuestionMarks) {
    settings.document.autoKanji = kReadEuc;
    openWithView("x");
    fake.messages.clear();
    // 丂 and another JIS X 0212 kanji have no code page 932 form; 髙 has.
    writeFile(dir.file("ins.txt"), "\x8F\xB0\xA1\x8F\xF4\xFB\x8F\xB0\xA2");
    fake.fileDialogs.answer(chosen(dir.file("ins.txt")));
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_EQ(text(), "?\xFB\xFC?x");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find(" 2 "), std::string::npos);
}

TEST_F(ViewFileCommandsTest, InsertFileIsGreyedOnAReadOnlyDocumentThatMayNotBeEdited) {
    settings.document.editEnable = 0;
    openWithView("abc");
    doc->setReadOnly(true);
    CommandState s;
    EXPECT_TRUE(view->onUpdateCommand(cmd::kInsertFile, s));
    EXPECT_FALSE(s.enabled);
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_TRUE(fake.fileDialogs.requests.empty());
}

TEST_F(ViewFileCommandsTest, RevertAsksThenReadsTheFileAndGoesToTheTop) {
    openWithView("abc\r\ndef");
    view->placeCursor(1, 2);
    view->insertText("XYZ");
    fake.messages.answer(MsgResult::Cancel);
    EXPECT_TRUE(run(cmd::kRevert));
    EXPECT_EQ(text(), "abc\r\ndeXYZf");
    fake.messages.answer(MsgResult::Ok);
    EXPECT_TRUE(run(cmd::kRevert));
    EXPECT_EQ(fake.messages.ids(), (std::vector<int>{strings::kDiscardEdits, strings::kDiscardEdits}));
    EXPECT_EQ(text(), "abc\r\ndef");
    EXPECT_EQ(view->cursor().row, 0);
    EXPECT_EQ(view->cursor().byteColumn, 0);
    EXPECT_FALSE(doc->isModified());
}

TEST_F(ViewFileCommandsTest, AppendSelectionToAFile) {
    openWithView("one\r\ntwo\r\n");
    view->selectRange(0, 5);  // "one\r\n"
    const std::string target = dir.file("log.txt");
    writeFile(target, "head\n");

    // The target existed: asked 30042; No leaves it as it was.
    fake.fileDialogs.answer(chosen(target));
    fake.messages.answer(MsgResult::No);
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_EQ(readFile(target), "head\n");
    EXPECT_EQ(fake.fileDialogs.requests.at(0).title, kAppendTitle);
    EXPECT_TRUE(fake.fileDialogs.requests.at(0).save);

    fake.fileDialogs.answer(chosen(target));
    fake.messages.answer(MsgResult::Yes);
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_EQ(readFile(target), "head\none\n");  // in the target's line ends
    EXPECT_EQ(fake.messages.ids(), (std::vector<int>{strings::kSaveChangesTo, strings::kSaveChangesTo}));

    // A new target is written without a question; SaveCmnt puts a header
    // line first. No temporary file stays behind.
    fake.messages.clear();
    settings.document.saveCmnt = 1;
    fake.fileDialogs.answer(chosen(dir.file("new.txt")));
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_TRUE(fake.messages.shown.empty());
    const std::string written = readFile(dir.file("new.txt"));
    EXPECT_EQ(written.rfind("---- doc.txt ", 0), 0u);
    EXPECT_EQ(written.substr(written.size() - 12), " ----\r\none\r\n");
    for (const std::string& name : dir.names()) EXPECT_EQ(name.rfind("orv", 0), std::string::npos) << name;
    EXPECT_EQ(text(), "one\r\ntwo\r\n");
    EXPECT_FALSE(doc->isModified());

    // With SaveMess the existing target is saved without asking.
    settings.document.saveCmnt = 0;
    settings.document.saveMess = 1;
    fake.fileDialogs.answer(chosen(target));
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_EQ(readFile(target), "head\none\none\n");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ViewFileCommandsTest, AppendWithoutATemporaryFileIsReported) {
    openWithView("one\r\n");
    view->selectRange(0, 3);
    ::setenv("TMPDIR", dir.file("missing").c_str(), 1);
    fake.fileDialogs.answer(chosen(dir.file("t.txt")));
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_EQ(fake.messages.ids(), std::vector<int>{strings::kCannotCreateTemp});
    EXPECT_FALSE(fileExists(dir.file("t.txt")));

    // Without a selection the command is greyed and does nothing.
    view->clearSelection();
    CommandState s;
    view->onUpdateCommand(cmd::kAppendSelectionToFile, s);
    EXPECT_FALSE(s.enabled);
}

TEST_F(ViewFileCommandsTest, ConversionCommands) {
    openWithView("\x82\xA0\r\n");
    CommandState s;
    view->onUpdateCommand(cmd::kConvertToShiftJis, s);
    EXPECT_TRUE(s.checked);
    view->onUpdateCommand(cmd::kConvertToCrLf, s);
    EXPECT_TRUE(s.checked);

    EXPECT_TRUE(run(cmd::kConvertToJis));
    EXPECT_EQ(readFile(dir.file("doc.txt")), "\x1B$B$\"\x1B(B\r\n");
    EXPECT_TRUE(run(cmd::kConvertToUnicode));
    EXPECT_EQ(readFile(dir.file("doc.txt")), std::string("\xFF\xFE\x42\x30\r\0\n\0", 8));
    EXPECT_TRUE(run(cmd::kConvertToLf));
    EXPECT_EQ(readFile(dir.file("doc.txt")), std::string("\xFF\xFE\x42\x30\n\0", 6));
    view->onUpdateCommand(cmd::kConvertToUnicode, s);
    EXPECT_TRUE(s.checked);
    view->onUpdateCommand(cmd::kConvertToLf, s);
    EXPECT_TRUE(s.checked);
    view->onUpdateCommand(cmd::kConvertToShiftJis, s);
    EXPECT_FALSE(s.checked);
    EXPECT_TRUE(ViewFileCommands::commandTable().overlaps().empty());
}

TEST_F(ViewFileCommandsTest, InsertedFilesKeepUnicodeAndPrivateUseCharactersApart) {
    // A Shift JIS document whose text uses F040 for U+E000 itself.
    openWithView("a\xF0\x40");
    // An inserted UTF-8 file's emoji must not take F040.
    writeFile(dir.file("ins.utf8"), "\xF0\x9F\x98\x80");
    view->placeCursor(0, 3);
    fake.fileDialogs.answer(chosen(dir.file("ins.utf8")));
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_EQ(file->privateChars().codeOf(U'\U0001F600'), 0xF041);
    // An inserted Shift JIS file's F041 is U+E001, not the emoji.
    writeFile(dir.file("ins.sjis"), "\xF0\x41" "b");
    view->placeCursor(0, 5);
    fake.fileDialogs.answer(chosen(dir.file("ins.sjis")));
    EXPECT_TRUE(run(cmd::kInsertFile));
    EXPECT_EQ(file->privateChars().toUtf16(text()), u"a\uE000\U0001F600\uE001b");
    settings.document.saveKanji = kSaveUtf8;
    EXPECT_EQ(saved(), "a\xEE\x80\x80\xF0\x9F\x98\x80\xEE\x80\x81" "b");
}

TEST_F(ViewFileCommandsTest, AppendedCharactersTakeCodesOfTheTargetsTable) {
    // The target holds 😀 under F040; the source holds 🚀 under F040 too.
    const std::string target = dir.file("log.txt");
    writeFile(target, "\xF0\x9F\x98\x80\n");
    openWithView("\xF0\x9F\x9A\x80x\n");
    ASSERT_EQ(file->privateChars().codeOf(U'\U0001F680'), 0xF040);
    view->selectRange(0, 4);
    settings.document.saveMess = 1;
    fake.fileDialogs.answer(chosen(target));
    EXPECT_TRUE(run(cmd::kAppendSelectionToFile));
    EXPECT_EQ(readFile(target), "\xF0\x9F\x98\x80\n\xF0\x9F\x9A\x80x\n");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ViewFileCommandsTest, AppendRefusedWhenTheTargetsAreaIsFull) {
    // A target whose table is full, and a source with one more character.
    std::string many;
    for (char32_t c = 0x20000; c < 0x20000 + 1880; ++c) {
        many.push_back(static_cast<char>(0xF0));
        many.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        many.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        many.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    const std::string target = dir.file("full.txt");
    writeFile(target, many);
    openWithView("\xF0\x9F\x9A\x80");
    view->selectRange(0, 2);
    settings.document.saveMess = 1;
    fake.messages.clear();
    fake.fileDialogs.answer(chosen(target));
    run(cmd::kAppendSelectionToFile);
    EXPECT_TRUE(readFile(target) == many);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find("full.txt"), std::string::npos);
}
