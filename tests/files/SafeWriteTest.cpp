// Whole-file reads, safe replacement of files, the file lock and the
// shared reader.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>

#include "common/parallel/SplitWork.h"
#include "files/FileInfo.h"
#include "files/FileLock.h"
#include "files/FileReader.h"
#include "files/SafeFileWriter.h"
#include "files/SharedReader.h"
#include "support/FakePlatform.h"
#include "files/FileTestSupport.h"
#include "common/strings/StringTable.h"

using namespace orvex::files;
using namespace orvex::files::test;

namespace {

FileError save(const std::string& path, const std::string& bytes) {
    SafeFileWriter out;
    if (FileError e = out.open(path)) return e;
    out.write(bytes.data(), bytes.size());
    return out.commit();
}

}  // namespace

// --- the safe writer ------------------------------------------------------

class SafeWrite : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(SafeWrite, ReplacesContentsKeepingPermissionsAndLeavesNoTemporaryFile) {
    const std::string path = dir.file("a.txt");
    writeFile(path, "old contents", 0640);
    ASSERT_FALSE(save(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeWrite, NewFileGetsTheUmaskMode) {
    const mode_t old = ::umask(027);
    const std::string path = dir.file("new.txt");
    EXPECT_FALSE(save(path, "x"));
    ::umask(old);
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(readFile(path), "x");
}

TEST_F(SafeWrite, WritesThroughSymbolicLinksToTheirTarget) {
    ::mkdir(dir.file("real").c_str(), 0755);
    writeFile(dir.file("real/t.txt"), "old", 0600);
    ASSERT_EQ(::symlink("real/t.txt", dir.file("rel-link").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("rel-link").c_str(), dir.file("abs-link").c_str()), 0);
    SafeFileWriter out;
    ASSERT_FALSE(out.open(dir.file("abs-link")));
    EXPECT_EQ(out.targetPath(), dir.file("real/t.txt"));
    out.write("new", 3);
    ASSERT_FALSE(out.commit());
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("abs-link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(dir.file("real/t.txt")), "new");
    EXPECT_EQ(modeOf(dir.file("real/t.txt")), 0600u);

    // A dangling link creates the file it names.
    ASSERT_EQ(::symlink("made.txt", dir.file("dangling").c_str()), 0);
    ASSERT_FALSE(save(dir.file("dangling"), "made"));
    EXPECT_EQ(readFile(dir.file("made.txt")), "made");
}

TEST_F(SafeWrite, AbandonedOrUncommittedWritesLeaveTheOldFile) {
    const std::string path = dir.file("a.txt");
    writeFile(path, "old");
    {
        SafeFileWriter out;
        ASSERT_FALSE(out.open(path));
        out.write("new", 3);
        out.abandon();
        EXPECT_FALSE(out.isOpen());
    }
    {
        SafeFileWriter out;
        ASSERT_FALSE(out.open(path));
        out.write("newer", 5);
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeWrite, MissingFolderAndFolderTargetAreRefused) {
    EXPECT_EQ(save(dir.file("no/such/file"), "x").kind, FileErrorKind::NotFound);
    EXPECT_EQ(save(dir.path(), "x").kind, FileErrorKind::IsFolder);
    writeFile(dir.file("plain"), "");
    EXPECT_EQ(save(dir.file("plain/child"), "x").kind, FileErrorKind::BadPath);
}

TEST_F(SafeWrite, FolderRemovedWhileWritingIsReported) {
    ::mkdir(dir.file("sub").c_str(), 0755);
    SafeFileWriter out;
    ASSERT_FALSE(out.open(dir.file("sub/a.txt")));
    out.write("text", 4);
    std::filesystem::remove_all(dir.file("sub"));
    const FileError e = out.commit();
    EXPECT_EQ(e.kind, FileErrorKind::NotFound);
    EXPECT_FALSE(fileExists(dir.file("sub")));
}

TEST_F(SafeWrite, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    const std::string path = dir.file("big.txt");
    const std::string old(10000, 'o');
    writeFile(path, old);
    const std::string message = inChild([&]() -> std::string {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {16384, 16384};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return "setrlimit failed";
        const FileError e = save(path, std::string(50000, 'n'));
        if (e.kind != FileErrorKind::TooLarge) return "expected TooLarge, got " + std::to_string(int(e.kind));
        return {};
    });
    EXPECT_EQ(message, "");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"big.txt"});
}

TEST_F(SafeWrite, FullDiskFailsTheSaveAndKeepsTheOldFile) {
    const std::string point = dir.file("small");
    ::mkdir(point.c_str(), 0755);
    const std::string message = inSmallFileSystem(point, "64k", [&]() -> std::string {
        const std::string path = point + "/a.txt";
        const std::string old(40000, 'o');
        writeFile(path, old);
        if (readFile(path) != old) return "could not prepare the old file";
        const FileError e = save(path, std::string(40000, 'n'));
        if (e.kind != FileErrorKind::DiskFull) return "expected DiskFull, got " + std::to_string(int(e.kind));
        if (readFile(path) != old) return "old contents lost";
        size_t entries = 0;
        for ([[maybe_unused]] const auto& x : std::filesystem::directory_iterator(point)) ++entries;
        if (entries != 1) return "temporary file left behind";
        if (fileErrorMessage(e, path, true).find("ﾃﾞｨｽｸ") == std::string::npos) return "wrong message";
        // A save that fits still works afterwards.
        if (save(path, "short")) return "small save failed";
        return readFile(path) == "short" ? "" : "small save wrong";
    });
    if (message == "skip") GTEST_SKIP() << "no mount namespace for a small tmpfs here";
    EXPECT_EQ(message, "");
}

TEST_F(SafeWrite, ReadOnlyTargetIsRefusedWithItsMessage) {
    const std::string path = dir.file("ro.txt");
    writeFile(path, "old", 0444);
    const std::string message = asOrdinaryUser([&]() -> std::string {
        const FileError e = save(path, "new");
        if (e.kind != FileErrorKind::ReadOnly) return "expected ReadOnly";
        if (fileErrorMessage(e, path, true) != orvex::strings::format(orvex::strings::kReadOnlyFile, {path}))
            return "wrong message";
        if (!isReadOnlyFile(path)) return "not seen as read-only";
        return {};
    });
    if (message == "skip") GTEST_SKIP() << "cannot switch user";
    EXPECT_EQ(message, "");
    EXPECT_EQ(readFile(path), "old");
    EXPECT_FALSE(isReadOnlyFile(dir.file("missing")));
}

TEST_F(SafeWrite, ClosedFolderWithWritableFileIsWrittenInPlace) {
    ::mkdir(dir.file("closed").c_str(), 0755);  // root's: closed to the ordinary user
    const std::string path = dir.file("closed/a.txt");
    writeFile(path, "old old old", 0666);
    if (::geteuid() != 0) GTEST_SKIP() << "needs a folder owned by another user";
    struct stat before;
    ::stat(path.c_str(), &before);
    const std::string message = asOrdinaryUser([&]() -> std::string {
        if (FileError e = save(path, "new")) return "save failed: " + std::to_string(int(e.kind));
        return {};
    });
    if (message == "skip") GTEST_SKIP() << "cannot switch user";
    EXPECT_EQ(message, "");
    EXPECT_EQ(readFile(path), "new");
    struct stat after;
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(SafeWrite, OwnerAndGroupAreKeptWhenPermitted) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give files to others";
    const std::string path = dir.file("theirs.txt");
    writeFile(path, "old", 0604);
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_FALSE(save(path, "new"));
    struct stat st;
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

TEST_F(SafeWrite, DeviceTargetIsWrittenDirectlyNotReplaced) {
    ASSERT_FALSE(save("/dev/null", "discarded"));
    struct stat st;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(SafeWrite, PipeWithoutReaderFailsInsteadOfWaiting) {
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_TRUE(save(fifo, "x").failed());
    std::string out;
    EXPECT_FALSE(readWholeFile(fifo, 100, out).error);  // no writer: empty
    EXPECT_TRUE(out.empty());

    // A reader that goes away while the save writes: an error, and the
    // program lives on.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    SafeFileWriter writer;
    ASSERT_FALSE(writer.open(fifo));
    ::close(reader);
    EXPECT_FALSE(writer.write("lost", 4));
    EXPECT_EQ(writer.error().sysError, EPIPE);
    EXPECT_TRUE(writer.commit().failed());
}

TEST_F(SafeWrite, ReplaceStepRunsAfterTheNewContentsAreComplete) {
    const std::string path = dir.file("a.txt");
    writeFile(path, "old");
    SafeFileWriter out;
    ASSERT_FALSE(out.open(path));
    out.write("new", 3);
    std::string seen;
    ASSERT_FALSE(out.commit([&] {
        seen = readFile(path);
        std::filesystem::rename(path, dir.file("moved.txt"));
    }));
    EXPECT_EQ(seen, "old");
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(readFile(dir.file("moved.txt")), "old");
}

TEST_F(SafeWrite, CopyKeepsModeAndTime) {
    const std::string from = dir.file("from.txt");
    writeFile(from, "contents", 0751);
    struct timespec times[2] = {{1000000000, 0}, {1234567890, 500}};
    ::utimensat(AT_FDCWD, from.c_str(), times, 0);
    ASSERT_FALSE(copyFile(from, dir.file("to.txt")));
    EXPECT_EQ(readFile(dir.file("to.txt")), "contents");
    EXPECT_EQ(modeOf(dir.file("to.txt")), 0751u);
    EXPECT_EQ(modificationTime(dir.file("to.txt")), (FileTime{1234567890, 500}));
    EXPECT_EQ(copyFile(dir.file("none"), dir.file("x")).kind, FileErrorKind::NotFound);
}

// --- reading --------------------------------------------------------------

class ReadWhole : public ::testing::Test {
protected:
    TempDir dir;
    std::string out;
};

TEST_F(ReadWhole, ReadsEverythingWithinTheLimit) {
    const std::string path = dir.file("a.bin");
    std::string bytes(100000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    writeFile(path, bytes);
    ReadFileResult r = readWholeFile(path, bytes.size(), out);
    ASSERT_FALSE(r.error);
    EXPECT_EQ(out, bytes);
    EXPECT_EQ(r.time, *modificationTime(path));

    r = readWholeFile(path, bytes.size() - 1, out);
    EXPECT_EQ(r.error.kind, FileErrorKind::TooLarge);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(fileErrorMessage(r.error, path, false), kFileTooLargeText);

    writeFile(path, "");
    EXPECT_FALSE(readWholeFile(path, 0, out).error);
    EXPECT_TRUE(out.empty());
}

TEST_F(ReadWhole, LargeFilesReadAsTwoHalvesComeOutWhole) {
    // Files of every small size read as two halves at once: every byte in
    // place, the one past the middle too, the limit still enforced, and a
    // file without a size of its own read the usual way.
    orvex::parallel::ScopedSplitThreshold always(1);
    const std::string path = dir.file("halves.bin");
    for (size_t size : {size_t{1}, size_t{2}, size_t{3}, size_t{4095}, size_t{4096}, size_t{65537}, size_t{300001}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + size);
        writeFile(path, bytes);
        const ReadFileResult r = readWholeFile(path, size, out);
        ASSERT_FALSE(r.error) << size;
        ASSERT_EQ(out, bytes) << size;
        EXPECT_EQ(readWholeFile(path, size - 1, out).error.kind, FileErrorKind::TooLarge) << size;
    }
    EXPECT_FALSE(readWholeFile("/proc/self/status", 1 << 20, out).error);
    EXPECT_NE(out.find("Umask"), std::string::npos);
}

TEST_F(ReadWhole, ErrorsOfPathsAndFiles) {
    EXPECT_EQ(readWholeFile(dir.file("missing"), 100, out).error.kind, FileErrorKind::NotFound);
    EXPECT_EQ(readWholeFile(dir.path(), 100, out).error.kind, FileErrorKind::IsFolder);
    // Files with no size of their own are read to their end, or to the limit.
    EXPECT_FALSE(readWholeFile("/proc/self/status", 1 << 20, out).error);
    EXPECT_NE(out.find("Umask"), std::string::npos);
    EXPECT_EQ(readWholeFile("/dev/zero", 300000, out).error.kind, FileErrorKind::TooLarge);

    const std::string secret = dir.file("secret");
    writeFile(secret, "x", 0600);
    const std::string message = asOrdinaryUser([&]() -> std::string {
        std::string bytes;
        return readWholeFile(secret, 100, bytes).error.kind == FileErrorKind::AccessDenied ? "" : "not denied";
    });
    if (message != "skip") {
        EXPECT_EQ(message, "");
    }
}

// --- locks ----------------------------------------------------------------

class Locks : public ::testing::Test {
protected:
    void SetUp() override { writeFile(path, "text"); }
    TempDir dir;
    std::string path = dir.file("locked.txt");
    std::string out;
};

TEST_F(Locks, NoLockSettingOnlyProbes) {
    FileLock lock;
    EXPECT_EQ(lock.take(path, kLockNone), FileLock::Result::NotHeld);
    EXPECT_FALSE(lock.held());
    FileLock other;
    EXPECT_EQ(other.take(path, kLockExclusive), FileLock::Result::Held);
}

TEST_F(Locks, DenyWriteLetsReadersInAndKeepsWritersOut) {
    FileLock lock;
    ASSERT_EQ(lock.take(path, kLockDenyWrite), FileLock::Result::Held);
    EXPECT_FALSE(readWholeFile(path, 100, out).error);
    FileLock second;
    EXPECT_EQ(second.take(path, kLockDenyWrite), FileLock::Result::Denied);
    SafeFileWriter writer;
    const FileError e = writer.open(path);
    EXPECT_EQ(e.kind, FileErrorKind::SharingViolation);
    EXPECT_EQ(fileErrorMessage(e, path, true), orvex::strings::format(orvex::strings::kAccessDenied, {path}));
    lock.release();
    EXPECT_EQ(second.take(path, kLockDenyWrite), FileLock::Result::Held);
}

TEST_F(Locks, ExclusiveKeepsReadersOut) {
    FileLock lock;
    ASSERT_EQ(lock.take(path, kLockExclusive), FileLock::Result::Held);
    EXPECT_EQ(readWholeFile(path, 100, out).error.kind, FileErrorKind::SharingViolation);
    FileLock second;
    EXPECT_EQ(second.take(path, kLockNone), FileLock::Result::Denied);
}

TEST_F(Locks, ProbeFailsOnMissingOrUnreadableFiles) {
    FileLock lock;
    EXPECT_EQ(lock.take(dir.file("missing"), kLockDenyWrite), FileLock::Result::Denied);
    EXPECT_FALSE(lock.held());
}

TEST_F(Locks, SaveReplacesTheFileAndTheLockIsTakenOnTheNewOne) {
    FileLock lock;
    ASSERT_EQ(lock.take(path, kLockDenyWrite), FileLock::Result::Held);
    lock.release();  // a save releases the lock first
    ASSERT_FALSE(save(path, "saved"));
    EXPECT_EQ(lock.take(path, kLockDenyWrite), FileLock::Result::Held);
    EXPECT_EQ(readFile(path), "saved");
}

// --- the shared reader ----------------------------------------------------

class SharedRead : public ::testing::Test {
protected:
    TempDir dir;
    orvex::test::FakePlatform fake;
    std::string text;
};

TEST_F(SharedRead, AsksForAFileWhenGivenNone) {
    writeFile(dir.file("a.txt"), "abc\x1A");
    orvex::FileDialogResult chosen;
    chosen.paths = {dir.file("a.txt")};
    fake.fileDialogs.answer(chosen);
    SharedReadResult r = readTextFile(fake.platform(), "", 100, kReadDetect, text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.path, dir.file("a.txt"));
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(r.prepared.eofMark);
    EXPECT_FALSE(fake.fileDialogs.requests.front().save);
    // Cancelled: no read, no message.
    r = readTextFile(fake.platform(), "", 100, kReadDetect, text);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SharedRead, FailuresAreReported) {
    writeFile(dir.file("big.txt"), std::string(101, 'x'));
    EXPECT_FALSE(readTextFile(fake.platform(), dir.file("big.txt"), 100, kReadDetect, text).ok);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kFileTooLargeText);
    EXPECT_FALSE(readTextFile(fake.platform(), dir.file("none.txt"), 100, kReadDetect, text).ok);
    EXPECT_EQ(fake.messages.shown.size(), 2u);

    FileLock lock;
    ASSERT_EQ(lock.take(dir.file("big.txt"), kLockExclusive), FileLock::Result::Held);
    EXPECT_FALSE(readTextFile(fake.platform(), dir.file("big.txt"), 1000, kReadDetect, text).ok);
    EXPECT_EQ(fake.messages.ids().back(), orvex::strings::kAccessDenied);
}

TEST_F(SharedRead, NulsAskTheNotTextQuestion) {
    writeFile(dir.file("bin"), std::string("a\0b", 3));
    fake.messages.answerChoice(0);  // 強制的に開く
    SharedReadResult r = readTextFile(fake.platform(), dir.file("bin"), 100, kReadDetect, text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.notTextAnswer, kNotTextOpen);
    EXPECT_EQ(text, "a b");
    const orvex::ChoiceRequest& q = fake.messages.choices.front();
    EXPECT_EQ(q.title, "開く");
    EXPECT_EQ(q.text, "このﾌｧｲﾙの一部または全部がﾃｷｽﾄ形式ではありません");
    EXPECT_EQ(q.buttons, (std::vector<std::string>{"強制的に開く", "ｲﾒｰｼﾞ表示", "閉じる", "ﾍﾙﾌﾟ"}));

    fake.messages.answerChoice(1);
    r = readTextFile(fake.platform(), dir.file("bin"), 100, kReadDetect, text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.notTextAnswer, kNotTextView);
    EXPECT_TRUE(text.empty());
    fake.messages.answerChoice(3);
    EXPECT_EQ(readTextFile(fake.platform(), dir.file("bin"), 100, kReadDetect, text).notTextAnswer, kNotTextClose);
}
