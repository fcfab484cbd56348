// The file viewer reached the way a user reaches it: a file that is not
// text, the question answered with "ｲﾒｰｼﾞ表示", liborxview.so loaded by
// name, its window showing the dump or the formatted rich text, the copy
// buttons filling the clipboard; and the message when the library is
// missing.
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTextEdit>

#include "shell/FileViewerLauncher.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class FileViewerTest : public EditorWindowTest {
protected:
    std::string writeFile(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path.toStdString();
    }
    static void click(QWidget& dialog, const char* name) {
        auto* b = dialog.findChild<QPushButton*>(QString::fromUtf8(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
};

TEST_F(FileViewerTest, BinaryFileOpensInTheViewerAndCopyAllTakesTheDump) {
    QByteArray bytes;
    for (int i = 0; i < 40; ++i) bytes.append(char(i * 7));
    const std::string path = writeFile("data.bin", bytes);
    messages.answerChoice(1);  // "ｲﾒｰｼﾞ表示"
    ModalScript script;
    QString shown;
    script.then([&](QWidget& dialog) {
        shown = dialog.objectName();
        ASSERT_NE(dialog.findChild<QWidget*>(QStringLiteral("dump")), nullptr);
        click(dialog, "copyAll");
        click(dialog, "close");
    });
    EXPECT_EQ(frame->openFile(path), nullptr);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(script.seen, QStringList{QStringLiteral("data.bin")});
    EXPECT_EQ(shown, QString::fromUtf8("ﾌｧｲﾙ ｲﾒｰｼﾞ"));
    const QString copied = QGuiApplication::clipboard()->text();
    const QStringList lines = copied.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);  // three lines and the end after the last
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("00000000:00 07 0E 15 1C 23 2A 31 ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("00000010:70 77 7E 85 8C ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("00000020:E0 E7 EE F5 FC 03 0A 11    ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("     #*18?FMT[bi ")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileViewerTest, RichTextIsShownFormatted) {
    // A NUL after the text makes the load ask.
    QByteArray rtf("{\\rtf1\\ansicpg932{\\fonttbl{\\f0 x;}}\\b \\'93\\'fa\\'96\\'7b\\b0  text\\par next}");
    rtf.append('\0');
    rtf.append("\r\n");
    const std::string path = writeFile("note.txt", rtf);
    messages.answerChoice(1);
    ModalScript script;
    QString text;
    bool bold = false;
    script.then([&](QWidget& dialog) {
        auto* edit = dialog.findChild<QTextEdit*>();
        ASSERT_NE(edit, nullptr);
        text = edit->toPlainText();
        QTextCursor c(edit->document());
        c.movePosition(QTextCursor::NextCharacter);
        bold = c.charFormat().fontWeight() == QFont::Bold;
        click(dialog, "close");
    });
    frame->openFile(path);
    EXPECT_EQ(text, QString::fromUtf8("日本 text\nnext"));
    EXPECT_TRUE(bold);
}

TEST_F(FileViewerTest, MissingLibraryIsReportedOnce) {
    shell::FileViewerLauncher launcher(ctx->platform(), "liborxview-absent.so");
    EXPECT_FALSE(launcher.show("/tmp/x"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "ORXVIEW.DLLがありません");
}

}  // namespace
}  // namespace orvex::qt::test
