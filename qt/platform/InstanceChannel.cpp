#include "qt/platform/InstanceChannel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "shell/InstanceControl.h"

namespace orvex::qt {

namespace {

struct ClientState {
    shell::HandOverReader reader;
};

}  // namespace

QString instanceSocketPath() {
    const QByteArray forced = qgetenv("ORVEX_INSTANCE_SOCKET");
    if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
    QString folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
    return folder + QStringLiteral("/orvex-%1.socket").arg(::getuid());
}

QString instanceFolder() {
    QString socket = instanceSocketPath();
    if (socket.endsWith(QStringLiteral(".socket"))) socket.chop(7);
    return socket + QStringLiteral(".d");
}

QString personalSocketPath() {
    return instanceFolder() + QStringLiteral("/%1.socket").arg(QCoreApplication::applicationPid());
}

QStringList otherInstances(int limit) {
    QStringList out;
    const QString own = personalSocketPath();
    const QDir folder(instanceFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.socket")}, QDir::System | QDir::Files, QDir::Name)) {
        if (out.size() >= limit) break;
        const QString path = folder.filePath(name);
        if (path == own) continue;
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(300)) {
            out << path;
            probe.abort();
        } else if (probe.error() == QLocalSocket::ConnectionRefusedError ||
                   probe.error() == QLocalSocket::ServerNotFoundError) {
            QFile::remove(path);  // left by an instance that ended without closing it
        }
    }
    return out;
}

HandOverResult handOver(const QString& socketPath, const shell::HandOverMessage& message, int timeoutMs,
                        int64_t* answer) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(std::min(timeoutMs, 2000))) return HandOverResult::NoInstance;
    const std::string frame = shell::encodeHandOver(message);
    socket.write(frame.data(), qint64(frame.size()));
    QElapsedTimer clock;
    clock.start();
    std::string received;
    while (clock.elapsed() < timeoutMs) {
        if (socket.bytesToWrite() > 0) socket.waitForBytesWritten(50);
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(50)) {
            if (socket.state() != QLocalSocket::ConnectedState && socket.bytesAvailable() == 0) break;
            continue;
        }
        const QByteArray bytes = socket.readAll();
        received.append(bytes.constData(), size_t(bytes.size()));
        bool invalid = false;
        const std::optional<int64_t> value = shell::decodeAnswer(received, &invalid);
        if (invalid) return HandOverResult::NotAnInstance;
        if (value) {
            if (answer) *answer = *value;
            return HandOverResult::Delivered;
        }
    }
    // Something took the bytes and never answered with the magic: with
    // nothing at all received it may be a busy instance.
    return received.empty() ? HandOverResult::NoAnswer : HandOverResult::NotAnInstance;
}

InstanceServer::InstanceServer(shell::InstanceControl& control, QObject* parent)
    : QObject(parent), m_control(control) {}

InstanceServer::~InstanceServer() {
    if (m_server) m_server->close();
}

bool InstanceServer::listen(const QString& path) {
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
    }
    // Two starts at the same moment decide one after the other.
    const QByteArray lockPath = QFile::encodeName(path + QStringLiteral(".lock"));
    const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    // A live listener keeps its socket (the server would otherwise put its
    // own in place: with access options it binds elsewhere and renames);
    // a dead socket file, left by an instance that crashed, is replaced.
    bool ok = false;
    QLocalSocket probe;
    probe.connectToServer(path);
    if (!probe.waitForConnected(500)) {
        QLocalServer::removeServer(path);
        ok = m_server->listen(path);
    }
    if (lock >= 0) ::close(lock);
    return ok;
}

bool InstanceServer::listenPersonal(const QString& path) {
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) return false;
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
    }
    // The name carries this process's id: a file there is a dead
    // instance's that had the same id.
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

bool InstanceServer::listening() const { return m_server && m_server->isListening(); }

QString InstanceServer::path() const { return m_server ? m_server->fullServerName() : QString(); }

void InstanceServer::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto state = std::make_shared<ClientState>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, state] {
            const QByteArray bytes = socket->readAll();
            const auto status = state->reader.feed(std::string_view(bytes.constData(), size_t(bytes.size())));
            if (status == shell::HandOverReader::Status::NeedMore) return;
            if (status == shell::HandOverReader::Status::Invalid) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            // One frame per connection: what comes after it is not read.
            disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            const shell::HandOverMessage m = state->reader.message();
            win::LParam lParam = m.argument;
            switch (m.code) {
            case shell::kCtlOpenPath:
            case shell::kCtlCommandLine:
            case shell::kCtlAppendLong:
            case shell::kCtlPlaceWindow:
                lParam = reinterpret_cast<win::LParam>(m.text.c_str());
                break;
            case shell::kCtlHandOver:
                m_control.setHandOver(m);
                break;
            default:
                break;
            }
            // Opening files may show messages (a nested event loop): the
            // socket may be gone when the answer is ready.
            const QPointer<QLocalSocket> alive(socket);
            const win::LResult r = win::sendMessage(m_control.handle(), shell::kControlMessage, m.code, lParam);
            if (!alive) return;
            // The other process cannot use this process's view; it learns
            // whether a view is active.
            const std::string answer = shell::encodeAnswer(r != 0 ? 1 : 0);
            if (socket->state() == QLocalSocket::ConnectedState) {
                socket->write(answer.data(), qint64(answer.size()));
                socket->flush();
                socket->disconnectFromServer();
            }
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that connects and sends nothing (or too little) is dropped.
        QTimer::singleShot(kClientTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
    }
}

}  // namespace orvex::qt
