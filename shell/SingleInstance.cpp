#include "shell/SingleInstance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace vorbix {

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::defaultName(const QString& dataFolder) {
    // Hot keys belong to one X server, so each display of a user has its own instance; a
    // separate data folder (as the tests use) is a separate program state.
    const QByteArray key = qgetenv("DISPLAY") + '\n' + dataFolder.toUtf8();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    return QStringLiteral("vorbix-instance-%1-%2").arg(getuid()).arg(digest);
}

bool SingleInstance::listenOrForward(const QStringList& arguments) {
    // Another instance first: hand it the arguments.
    {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(name_);
        if (socket.waitForConnected(1000)) {
            socket.write(arguments.join(QChar(0)).toUtf8() + '\n');
            socket.waitForBytesWritten(1000);
            // Wait for the first instance to take the notice before leaving.
            socket.waitForReadyRead(2000);
            socket.disconnectFromServer();
            return false;
        }
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server_->listen(name_)) {
        // Someone else holds the name but did not answer: run without the single-instance
        // notice rather than not at all.
        return true;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Only the same user may ask this instance to show itself.
        struct ucred peer {};
        socklen_t length = sizeof(peer);
        if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) !=
                0 ||
            peer.uid != getuid()) {
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
