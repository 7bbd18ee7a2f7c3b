#include "shell/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <cstdio>

namespace vorbix {

namespace {

// A folder that exists (or was just made), is no link, belongs to this user and is closed to
// everybody else.
bool isPrivateFolder(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// The user id the peer of a connected local socket had when it connected or listened.
bool peerIsThisUser(qintptr descriptor) {
    struct ucred peer {};
    socklen_t length = sizeof(peer);
    return ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           peer.uid == ::getuid();
}

}  // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), name_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();  // removes the socket file before the lock goes
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString SingleInstance::privateFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isPrivateFolder(runtime)) return QString::fromLocal8Bit(runtime);
    // Without a runtime folder: one of our own in the temporary folder. Another user may have
    // made that name first; then it is not ours and not used.
    QByteArray temp = qgetenv("TMPDIR");
    if (!temp.startsWith('/')) temp = "/tmp";
    const QByteArray own = temp + "/vorbix-" + QByteArray::number(::getuid());
    if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST) return {};
    return isPrivateFolder(own) ? QString::fromLocal8Bit(own) : QString();
}

QString SingleInstance::defaultName(const QString& dataFolder) {
    const QString folder = privateFolder();
    if (folder.isEmpty()) return {};
    // Hot keys belong to one X server, so each display of a user has its own instance; a
    // separate data folder (as the tests use) is a separate program state.
    const QByteArray key = qgetenv("DISPLAY") + '\n' + dataFolder.toUtf8();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    const QString path = folder + QStringLiteral("/vorbix-%1.socket").arg(digest);
    // A socket path must fit its address; a runtime folder that long is no use for it.
    if (path.toLocal8Bit().size() >= int(sizeof(sockaddr_un::sun_path))) return {};
    return path;
}

bool SingleInstance::isListening() const {
    return server_ && server_->isListening();
}

bool SingleInstance::listenOrForward(const QStringList& arguments, int waitMs) {
    if (name_.isEmpty()) return true;
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        // Another instance first: hand it the arguments.
        if (forward(arguments)) return false;
        if (takeLock()) break;
        // The lock is held, so an instance of this user runs: it is still starting, or it is
        // stuck. Either way this one does not run beside it.
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "Vorbix is already running but does not answer.\n");
            return false;
        }
        QThread::msleep(50);
    }
    // First: whatever socket is left at the name is stale or foreign; ours replaces it.
    const QByteArray path = name_.toLocal8Bit();
    ::unlink(path.constData());
    server_ = new QLocalServer(this);
    if (!server_->listen(name_)) {
        std::fprintf(stderr, "Vorbix cannot listen for later starts: %s\n",
                     qPrintable(server_->errorString()));
        return true;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

bool SingleInstance::forward(const QStringList& arguments) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(1000)) return false;
    // Only a listener of this same user gets the arguments; anything else is ignored.
    if (!peerIsThisUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    socket.write(arguments.join(QChar(0)).toUtf8() + '\n');
    socket.waitForBytesWritten(1000);
    // Wait for the first instance to take the notice before leaving.
    socket.waitForReadyRead(2000);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::takeLock() {
    if (lockFd_ < 0) {
        const QByteArray path = name_.toLocal8Bit() + ".lock";
        lockFd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        // Without a lock file there is no telling; run rather than not at all.
        if (lockFd_ < 0) return true;
    }
    return ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Only the same user may ask this instance to show itself.
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const QString line = QString::fromUtf8(socket->readLine()).trimmed();
            socket->write("ok\n");
            socket->flush();
            emit instanceCreated(line.split(QChar(0)));
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

}  // namespace vorbix
