// The recent-file and favourite-file menus of the main window: made when
// they open, one numbered item per file (an "&" in a name doubled), and the
// items open their files.
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class FileListMenuTest : public EditorWindowTest {};

QMenu* submenuTitled(QMenuBar* bar, const QString& title) {
    for (QAction* top : bar->actions())
        if (top->menu())
            for (QAction* a : top->menu()->actions())
                if (a->menu() && a->text() == title) return a->menu();
    return nullptr;
}

TEST_F(FileListMenuTest, RecentAndFavouriteMenusListTheFilesAndOpenThem) {
    const QString path = dir.filePath(QStringLiteral("recent & more.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("text\r\n");
    }
    ASSERT_NE(frame->openFile(path.toStdString()), nullptr);
    frame->runCommand(cmd::kAddFavouriteFile);
    frame->runCommand(cmd::kFileClose);
    settle();
    ASSERT_TRUE(frame->childFrames().empty());

    QMenu* recent = submenuTitled(frame->menuBar(), QString::fromUtf8("最近使ったﾌｧｲﾙ"));
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    const QList<QAction*> items = recent->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_TRUE(items[0]->text().startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(items[0]->text().contains(QStringLiteral("recent && more.txt")));
    items[0]->trigger();
    settle();
    ASSERT_EQ(frame->childFrames().size(), 1u);
    EXPECT_EQ(text(), "text\r\n");

    QMenu* favourites = submenuTitled(frame->menuBar(), QString::fromUtf8("よく使うﾌｧｲﾙ"));
    ASSERT_NE(favourites, nullptr);
    emit favourites->aboutToShow();
    EXPECT_TRUE(favourites->actions().value(0)->text().contains(QStringLiteral("recent && more.txt")));
}

}  // namespace
}  // namespace orvex::qt::test
