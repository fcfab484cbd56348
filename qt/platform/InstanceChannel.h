#pragma once
// The per-user local socket through which starts of the editor find each
// other. The running instance listens (InstanceServer); a second start
// connects, sends its hand-over and waits for the answer (handOver). The
// frames are shell/HandOver.h's; the server hands each message to the main
// window as the control message WM_USER+1 through the message layer.
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "shell/HandOver.h"
#include "winmsg/MessageLayer.h"

class QLocalServer;
class QLocalSocket;

namespace orvex::shell {
class InstanceControl;
}

namespace orvex::qt {

// "$XDG_RUNTIME_DIR/orvex-<uid>.socket", or the temporary folder when the
// runtime folder is not set. ORVEX_INSTANCE_SOCKET overrides it (tests).
QString instanceSocketPath();

// "orvex-<uid>.d" beside the instance socket, readable only by this user:
// one socket per running instance named by its process id, so that
// arranging the instances' windows finds all of them.
QString instanceFolder();
QString personalSocketPath();
// The sockets of the other instances that answer (at most `limit`, in name
// order); the files of instances that are gone are removed.
QStringList otherInstances(int limit);

enum class HandOverResult {
    Delivered,      // the running instance answered
    NoInstance,     // nobody listens (no socket, or a stale one)
    NotAnInstance,  // something listens but does not answer with the magic
    NoAnswer,       // an instance took the message but gave no answer in time
};

HandOverResult handOver(const QString& socketPath, const shell::HandOverMessage& message, int timeoutMs,
                        int64_t* answer = nullptr);

class InstanceServer final : public QObject {
    Q_OBJECT
public:
    // control: the main window's receiver of WM_USER+1 (attached).
    InstanceServer(shell::InstanceControl& control, QObject* parent = nullptr);
    ~InstanceServer() override;

    // Listens at path, readable only by this user. A socket left by an
    // instance that crashed is replaced; one that something still answers
    // on is left alone (false).
    bool listen(const QString& path);
    // Listens at this instance's own socket in instanceFolder(), which no
    // other process uses.
    bool listenPersonal(const QString& path);
    bool listening() const;
    QString path() const;

    // How long a client may take to send its frame.
    static constexpr int kClientTimeoutMs = 5000;

private:
    void accept();

    shell::InstanceControl& m_control;
    QLocalServer* m_server = nullptr;
};

}  // namespace orvex::qt
