// Find in files in the running window: the menu opens "ﾌｧｲﾙから文字列の
//検索", the folder and file types typed into it, "検索(&F)" fills a
// result document, and a tag jump from its line opens the file at the
// line; "ﾀｸﾞｼﾞｬﾝﾌﾟ元に戻る" comes back.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "qt/dialogs/FindInFilesDialog.h"
#include "qt/dialogs/HistoryCombo.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class FindInFilesWindowTest : public EditorWindowTest {
protected:
    void put(const QString& name, const QByteArray& bytes) {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path());
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(FindInFilesWindowTest, DialogSearchesTheFolderAndTheResultLineJumpsToTheFile) {
    put(QStringLiteral("src/a.c"), "int main() {\r\n  return needle;\r\n}\r\n");
    put(QStringLiteral("src/sub/b.c"), "/* no */\r\n\r\nx = needle + 1;\r\n");
    put(QStringLiteral("src/c.txt"), "needle in a text file\r\n");
    newChild();
    ModalScript script;
    script.then([&](QWidget& w) {
        auto& d = dynamic_cast<FindInFilesDialog&>(w);
        d.searchBox()->setEditText(QStringLiteral("needle"));
        d.folderBox()->setEditText(dir.filePath(QStringLiteral("src")));
        d.filterBox()->setEditText(QStringLiteral("*.c"));
        for (QCheckBox* box : d.findChildren<QCheckBox*>())
            if (box->text().startsWith(QString::fromUtf8("ｻﾌﾞﾃﾞｨﾚｸﾄﾘ"))) box->setChecked(true);
        ASSERT_TRUE(d.findButton()->isEnabled());
        d.findButton()->click();
    });
    QAction* a = findAction(frame->menuBar()->actions(), cmd::kFindInFilesKey);
    ASSERT_NE(a, nullptr);
    a->trigger();
    settle();
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(script.seen, QStringList{QString::fromUtf8("ﾌｧｲﾙから文字列の検索")});
    // The result document: one line per hit, the .txt file left out.
    const std::string src = dir.filePath(QStringLiteral("src")).toStdString();
    EXPECT_EQ(text(), src + "/a.c(2):   return needle;\r\n" + src + "/sub/b.c(3): x = needle + 1;\r\n");

    // Tag jump from the second line: b.c opens at line 3.
    view().placeCursor(1, 0);
    ASSERT_TRUE(frame->runCommand(cmd::kTagJump));
    settle();
    EXPECT_EQ(text(), "/* no */\r\n\r\nx = needle + 1;\r\n");
    EXPECT_EQ(view().cursor().row, 2);
    ASSERT_TRUE(frame->runCommand(cmd::kTagJumpBack));
    settle();
    EXPECT_EQ(text().substr(0, src.size()), src);
}

TEST_F(FindInFilesWindowTest, FindButtonIsGreyWithoutAString) {
    search::FindInFilesDialogData data;
    data.folder = dir.path().toStdString();
    FindInFilesDialog d(data);
    EXPECT_FALSE(d.findButton()->isEnabled());
    d.searchBox()->setEditText(QStringLiteral("x"));
    EXPECT_TRUE(d.findButton()->isEnabled());
    EXPECT_EQ(d.data().folder, data.folder);
    EXPECT_EQ(d.data().text, "x");
}

}  // namespace
}  // namespace orvex::qt::test
