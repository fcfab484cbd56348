// Instances and resident mode with the real main window: a second start of
// the real program hands its files over the per-user socket and ends while
// this window opens them; the socket is private, a stale one is replaced,
// junk on it is refused; closing in resident mode asks before it hides.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSystemTrayIcon>

#include "QtTestSupport.h"
#include "qt/platform/InstanceChannel.h"
#include "shell/EditorSession.h"
#include "shell/HandOver.h"

namespace orvex::qt::test {
namespace {

void pumpUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class InstanceTest : public EditorWindowTest {
protected:
    QString socketPath() const { return dir.filePath(QStringLiteral("instance.socket")); }
};

TEST_F(InstanceTest, SecondProgramHandsOverQuotedNameWithJumpAndEnds) {
    ASSERT_TRUE(frame->startInstanceServer(socketPath()));
    std::string lines;
    for (int i = 1; i <= 40; ++i) lines += "line " + std::to_string(i) + "\r\n";
    writeFile("my notes.txt", lines);
    // The second start's own settings: DualBoot on.
    QDir(dir.path()).mkpath(QStringLiteral("config/Pelmar/Orvex"));
    QFile ini(dir.filePath(QStringLiteral("config/Pelmar/Orvex/settings.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\r\nRegWinVer=512\r\nDualBoot=1\r\n");
    ini.close();

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data2")));
    env.insert(QStringLiteral("ORVEX_INSTANCE_SOCKET"), socketPath());
    env.remove(QStringLiteral("ORVEX_QUIT_AFTER_START"));
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(dir.path());
    // One argument with a blank, as a shell passes "my notes.txt"; a
    // relative name, taken in the second start's folder.
    second.start(QStringLiteral(ORVEX_PROGRAM), {QStringLiteral("my notes.txt"), QStringLiteral("/j25")});
    ASSERT_TRUE(second.waitForStarted(10000));
    pumpUntil([&] { return second.state() == QProcess::NotRunning; }, 60000);
    ASSERT_EQ(second.state(), QProcess::NotRunning) << "the second start did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    settle();
    ASSERT_EQ(frame->session().windows().size(), 1u);
    EXPECT_EQ(frame->session().activeWindow()->document().path(), path("my notes.txt"));
    EXPECT_EQ(view().cursor().row, 24);
}

// Two running instances (no hand-over between them): arranging them side
// by side gives this one the left half of the work area, reaches the other
// through its own socket, and drops the socket file of an instance that
// is gone.
TEST_F(InstanceTest, ArrangingSideBySideReachesTheOtherInstance) {
    qputenv("ORVEX_INSTANCE_SOCKET", socketPath().toLocal8Bit());
    ASSERT_TRUE(frame->startPersonalServer(personalSocketPath()));
    const QString stale = instanceFolder() + QStringLiteral("/999999999.socket");
    {
        QFile f(stale);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config2")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data2")));
    env.insert(QStringLiteral("ORVEX_INSTANCE_SOCKET"), socketPath());
    env.remove(QStringLiteral("ORVEX_QUIT_AFTER_START"));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ORVEX_PROGRAM), {});
    ASSERT_TRUE(second.waitForStarted(10000));
    pumpUntil([] { return otherInstances(8).size() == 1; }, 30000);
    const QStringList others = otherInstances(8);
    ASSERT_EQ(others.size(), 1);
    EXPECT_EQ(others.front(), instanceFolder() + QStringLiteral("/%1.socket").arg(second.processId()));
    EXPECT_FALSE(QFile::exists(stale));

    ASSERT_TRUE(frame->runCommand(cmd::kArrangeInstancesSideBySide));
    settle();
    const QRect work = frame->screen()->availableGeometry();
    EXPECT_EQ(frame->frameGeometry().topLeft(), work.topLeft());
    EXPECT_NEAR(frame->frameGeometry().width(), work.width() / 2, 2);
    // The other instance answered the place operation.
    shell::HandOverMessage m;
    m.code = shell::kCtlPlaceWindow;
    m.text = "0 0 300 200";
    EXPECT_EQ(handOver(others.front(), m, 5000), HandOverResult::Delivered);
    second.kill();
    second.waitForFinished(10000);
    qunsetenv("ORVEX_INSTANCE_SOCKET");
}

TEST_F(InstanceTest, SocketIsPrivateStaleOneReplacedLiveOneKept) {
    // A socket file left by a crashed instance: bound, nobody listening.
    const QByteArray p = QFile::encodeName(socketPath());
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::memcpy(a.sun_path, p.constData(), size_t(p.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        ::close(fd);
    }
    ASSERT_TRUE(QFile::exists(socketPath()));
    ASSERT_TRUE(frame->startInstanceServer(socketPath()));
    const QFile::Permissions perms = QFile::permissions(socketPath());
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    // A second listener does not take a live socket away.
    InstanceServer other(frame->instanceControl());
    EXPECT_FALSE(other.listen(socketPath()));
}

TEST_F(InstanceTest, JunkOnTheSocketIsRefusedAndTheServerGoesOn) {
    ASSERT_TRUE(frame->startInstanceServer(socketPath()));
    const size_t before = frame->session().windows().size();
    const std::vector<QByteArray> junk = {
        QByteArray("GET / HTTP/1.0\r\n\r\n"),
        QByteArray::fromHex("657672 4f 08000000 00000000 ffffffff"),  // magic, huge length
        QByteArray::fromHex("6576724f080000000000000004000000") + "abcd",  // no terminator
    };
    for (const QByteArray& bytes : junk) {
        QLocalSocket s;
        s.connectToServer(socketPath());
        ASSERT_TRUE(s.waitForConnected(2000));
        s.write(bytes);
        s.flush();
        pumpUntil([&] { return s.state() == QLocalSocket::UnconnectedState; }, 3000);
        EXPECT_EQ(s.state(), QLocalSocket::UnconnectedState);
        EXPECT_EQ(s.readAll().size(), 0);
    }
    // A path that does not exist: refused by the open, no crash, no window.
    shell::HandOverMessage m;
    m.code = shell::kCtlOpenPath;
    m.text = path("missing/none.txt");
    const std::string frameBytes = shell::encodeHandOver(m);
    QLocalSocket s;
    s.connectToServer(socketPath());
    ASSERT_TRUE(s.waitForConnected(2000));
    s.write(frameBytes.data(), qint64(frameBytes.size()));
    s.flush();
    pumpUntil([&] { return s.bytesAvailable() >= 12 || s.state() == QLocalSocket::UnconnectedState; }, 5000);
    const QByteArray answer = s.readAll();
    EXPECT_TRUE(shell::decodeAnswer(std::string(answer.constData(), size_t(answer.size()))).has_value());
    EXPECT_EQ(frame->session().windows().size(), before);
}

class ResidentTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override { s.app.keepRun = 1; }
};

TEST_F(ResidentTest, CloseWithUnsavedDocumentAsksAndCancelKeepsTheWindow) {
    frame->setUpResidentMode();
    newChild();
    view().typeText("unsaved");
    messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(frame->close());
    settle();
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(frame->session().windows().size(), 1u);
    EXPECT_EQ(text(), "unsaved");
    ASSERT_FALSE(messages.shown.empty());

    // No: the document goes unsaved, the window hides (or, without a
    // notification area, is minimised), the process stays.
    messages.answer(MsgResult::No);
    EXPECT_FALSE(frame->close());
    settle();
    EXPECT_TRUE(frame->session().windows().empty());
    EXPECT_FALSE(frame->session().exited());
    EXPECT_TRUE(!frame->isVisible() || frame->isMinimized());
    frame->restoreMainWindow();
    EXPECT_TRUE(frame->isVisible());
    // The exit that leaves resident mode ends for real.
    EXPECT_TRUE(frame->runCommand(cmd::kExitResident));
    EXPECT_TRUE(frame->session().exited());
}

}  // namespace
}  // namespace orvex::qt::test
