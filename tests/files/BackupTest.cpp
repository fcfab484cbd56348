// Backups before a save, the trash, and automatic backup copies.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

#include <ctime>

#include "files/AutoBackup.h"
#include "files/Backup.h"
#include "files/FileInfo.h"
#include "files/FreedesktopTrash.h"
#include "files/PathNames.h"
#include "files/FileTestSupport.h"

using namespace orvex::files;
using namespace orvex::files::test;

namespace {

class RecordingTrash final : public Trash {
public:
    FileError moveToTrash(const std::string& path) override {
        moved.push_back(path);
        if (fail) return FileError{FileErrorKind::AccessDenied, 0};
        std::filesystem::remove(path);
        return {};
    }
    std::vector<std::string> moved;
    bool fail = false;
};

}  // namespace

// --- names ----------------------------------------------------------------

TEST(BackupNames, ExtensionIsReplacedInTheFileNameOnly) {
    struct Row {
        const char* target;
        const char* folder;
        const char* bak;
    } rows[] = {
        {"/d/a.txt", "", "/d/a.bak"},
        {"/d/a.b.c", "", "/d/a.b.bak"},
        {"/d/noext", "", "/d/noext.bak"},
        {"/d.x/file", "", "/d.x/file.bak"},
        {"/d/.profile", "", "/d/.profile.bak"},
        {"/d/a.txt", "/backups", "/backups/a.bak"},
        {"/d/a.txt", "/backups/", "/backups/a.bak"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.target);
        EXPECT_EQ(bakName(backupBaseName(r.target, r.folder)), r.bak);
    }
}

TEST(BackupNames, PathPieces) {
    EXPECT_EQ(fileNameOf("/a/b.txt"), "b.txt");
    EXPECT_EQ(fileNameOf("b.txt"), "b.txt");
    EXPECT_EQ(folderOf("/a/b.txt"), "/a");
    EXPECT_EQ(folderOf("/b.txt"), "/");
    EXPECT_EQ(folderOf("b.txt"), ".");
    EXPECT_EQ(joinPath("", "n"), "n");
    EXPECT_EQ(extensionOf("a.tar.gz"), ".gz");
    EXPECT_EQ(extensionOf(".tag"), "");
}

// --- the modes ------------------------------------------------------------

class Backups : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(dir.file("doc").c_str(), 0755);
        ::mkdir(dir.file("bk").c_str(), 0755);
        writeFile(target, "v1", 0640);
    }
    BackupResult backup(int mode, const std::string& folder = {}, unsigned limit = 3) {
        return makeBackup(target, BackupOptions{mode, folder, limit}, &trash);
    }
    TempDir dir;
    std::string target = dir.file("doc/a.txt");
    RecordingTrash trash;
};

TEST_F(Backups, NothingForModeZeroOrAMissingFile) {
    BackupResult r = backup(kBackupNone);
    EXPECT_FALSE(r.made);
    EXPECT_FALSE(r.failed());
    std::filesystem::remove(target);
    r = backup(kBackupBak);
    EXPECT_FALSE(r.made);
    EXPECT_FALSE(r.failed());
}

TEST_F(Backups, BakBesideTheFileOrInTheFolder) {
    BackupResult r = backup(kBackupBak);
    ASSERT_TRUE(r.made);
    EXPECT_EQ(r.backup, dir.file("doc/a.bak"));
    EXPECT_EQ(readFile(r.backup), "v1");
    EXPECT_EQ(modeOf(r.backup), 0640u);
    // Overwritten by the next backup.
    writeFile(target, "v2");
    ASSERT_TRUE(backup(kBackupBak).made);
    EXPECT_EQ(readFile(dir.file("doc/a.bak")), "v2");

    r = backup(kBackupBak, dir.file("bk"));
    EXPECT_EQ(r.backup, dir.file("bk/a.bak"));
    EXPECT_EQ(readFile(r.backup), "v2");
}

TEST_F(Backups, FolderModeNeedsAFolderOtherThanTheFilesOwn) {
    EXPECT_TRUE(backup(kBackupFolder).failed());
    BackupResult r = backup(kBackupFolder, dir.file("bk"));
    ASSERT_TRUE(r.made);
    EXPECT_EQ(readFile(dir.file("bk/a.txt")), "v1");
    EXPECT_TRUE(backup(kBackupFolder, dir.file("doc")).failed());
    EXPECT_EQ(readFile(target), "v1");
    EXPECT_TRUE(backup(kBackupFolder, dir.file("missing")).failed());
}

TEST_F(Backups, NumberedVersionsKeepTheLimit) {
    // Four saves with BackupVerLimit 3 leave .2 .3 .4.
    for (int save = 1; save <= 4; ++save) {
        writeFile(target, "v" + std::to_string(save));
        BackupResult r = backup(kBackupNumbered);
        ASSERT_TRUE(r.made) << save;
        EXPECT_EQ(r.backup, target + "." + std::to_string(save));
        EXPECT_EQ(r.removed, save == 4 ? target + ".1" : "");
    }
    EXPECT_FALSE(fileExists(target + ".1"));
    EXPECT_EQ(readFile(target + ".2"), "v2");
    EXPECT_EQ(readFile(target + ".4"), "v4");
    NumberedVersions v = findNumberedVersions(target);
    EXPECT_EQ(v.count, 3u);
    EXPECT_EQ(v.lowest, 2u);
    EXPECT_EQ(v.highest, 4u);
}

TEST_F(Backups, OnlyPureNumbersCountAsVersions) {
    for (const char* name : {"a.txt.bak", "a.txt.1x", "a.txt.", "a.txt.-1", "a.txt.99999999999", "b.txt.5"})
        writeFile(dir.file(std::string("doc/") + name), "");
    writeFile(target + ".007", "");
    NumberedVersions v = findNumberedVersions(target);
    EXPECT_EQ(v.count, 1u);
    EXPECT_EQ(v.highest, 7u);
    EXPECT_EQ(backup(kBackupNumbered, {}, 5).backup, target + ".8");
    writeFile(target + ".4294967295", "");
    EXPECT_TRUE(backup(kBackupNumbered).failed());
}

TEST_F(Backups, NumberedVersionsInTheBackupFolder) {
    BackupResult r = backup(kBackupNumbered, dir.file("bk"));
    EXPECT_EQ(r.backup, dir.file("bk/a.txt.1"));
    EXPECT_EQ(readFile(r.backup), "v1");
}

TEST_F(Backups, TrashModeMovesTheFile) {
    BackupResult r = backup(kBackupTrash);
    EXPECT_TRUE(r.made);
    EXPECT_EQ(trash.moved, std::vector<std::string>{target});
    writeFile(target, "v2");
    trash.fail = true;
    EXPECT_TRUE(backup(kBackupTrash).failed());
    EXPECT_TRUE(makeBackup(target, BackupOptions{kBackupTrash, {}, 3}, nullptr).failed());
}

// --- the trash ------------------------------------------------------------

class TrashTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(TrashTest, HomeTrashHoldsTheFileAndItsInfo) {
    FreedesktopTrash trash(dir.file("data"));
    ::mkdir(dir.file("docs").c_str(), 0755);
    const std::string file = dir.file("docs/my file%.txt");
    writeFile(file, "one");
    const std::time_t before = std::time(nullptr);
    ASSERT_FALSE(trash.moveToTrash(file));
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(readFile(dir.file("data/Trash/files/my file%.txt")), "one");
    const std::string info = readFile(dir.file("data/Trash/info/my file%.txt.trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    EXPECT_NE(info.find("Path=" + FreedesktopTrash::encodePath(file) + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("my%20file%25.txt\n"), std::string::npos) << info;
    std::tm local{};
    ::localtime_r(&before, &local);
    char year[8];
    std::strftime(year, sizeof year, "%Y-", &local);
    EXPECT_NE(info.find(std::string("DeletionDate=") + year), std::string::npos) << info;
    EXPECT_EQ(modeOf(dir.file("data/Trash")), 0700u);

    // A second file of the same name gets a name of its own.
    writeFile(file, "two");
    ASSERT_FALSE(trash.moveToTrash(file));
    EXPECT_EQ(readFile(dir.file("data/Trash/files/my file%.2.txt")), "two");
    EXPECT_TRUE(fileExists(dir.file("data/Trash/info/my file%.2.txt.trashinfo")));
}

TEST_F(TrashTest, PathEncodingAndInfoText) {
    EXPECT_EQ(FreedesktopTrash::encodePath("/a b/\xE3\x81\x82%"), "/a%20b/%E3%81%82%25");
    std::tm t{};
    t.tm_year = 104;
    t.tm_mon = 7;
    t.tm_mday = 31;
    t.tm_hour = 22;
    t.tm_min = 32;
    t.tm_sec = 8;
    EXPECT_EQ(FreedesktopTrash::infoText("foo/bar", t),
              "[Trash Info]\nPath=foo/bar\nDeletionDate=2004-08-31T22:32:08\n");
}

TEST_F(TrashTest, MissingFileFails) {
    FreedesktopTrash trash(dir.file("data"));
    EXPECT_TRUE(trash.moveToTrash(dir.file("none.txt")).failed());
    EXPECT_FALSE(fileExists(dir.file("data/Trash/info/none.txt.trashinfo")));
}

TEST_F(TrashTest, OtherFileSystemUsesTheTrashAtItsTop) {
    const std::string point = dir.file("mnt");
    ::mkdir(point.c_str(), 0755);
    const std::string data = dir.file("data");
    const std::string message = inChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) return "skip";
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return "skip";
        if (::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=1m") != 0) return "skip";
        ::mkdir((point + "/sub").c_str(), 0755);
        writeFile(point + "/sub/x.txt", "x");
        FreedesktopTrash trash(data);
        if (trash.moveToTrash(point + "/sub/x.txt")) return "move failed";
        const std::string own = point + "/.Trash-" + std::to_string(::geteuid());
        if (readFile(own + "/files/x.txt") != "x") return "not in the top trash";
        if (readFile(own + "/info/x.txt.trashinfo").find("\nPath=sub/x.txt\n") == std::string::npos)
            return "path not relative to the top";
        return {};
    });
    if (message == "skip") GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(message, "");
}

// --- automatic backups ----------------------------------------------------

TEST(AutoBackupClockTest, DueWhenTheCountPassesTheTimeTimesSix) {
    AutoBackupClock clock;
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(clock.tick(1, 1)) << i;
    EXPECT_TRUE(clock.tick(1, 1));
    EXPECT_EQ(clock.count(), 0);
    // Off: the counter still runs and starts again, nothing is due.
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(clock.tick(0, 1));
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(clock.tick(1, 0));
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(clock.tick(1, -5));
    AutoBackupClock huge;
    EXPECT_FALSE(huge.tick(1, 0x7FFFFFFF));
}

TEST(AutoBackupFiles, NamesFoldersAndContents) {
    TempDir dir;
    std::tm t{};
    t.tm_mon = 2;
    t.tm_mday = 4;
    t.tm_hour = 5;
    t.tm_min = 6;
    EXPECT_EQ(autoBackupFileName("/bk", "/home/u/notes.txt", t), "/bk/03040506~notes.txt");
    EXPECT_EQ(autoBackupFolder("/bk"), "/bk");
    EXPECT_EQ(autoBackupFolder(""), temporaryFolder());

    const std::string a = createAutoBackupFile(dir.path());
    const std::string b = createAutoBackupFile(dir.path());
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(fileExists(a));
    EXPECT_TRUE(createAutoBackupFile(dir.file("missing")).empty());

    ASSERT_FALSE(writeAutoBackup(a, "text\r\n", true));
    EXPECT_EQ(readFile(a), "text\r\n\x1A");
    EXPECT_EQ(modeOf(a), 0600u);
    ASSERT_FALSE(writeAutoBackup(a, "again", false));
    EXPECT_EQ(readFile(a), "again");
}
