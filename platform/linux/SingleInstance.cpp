#include "platform/linux/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
bool peerIsThisUser(int descriptor) {
    struct ucred peer {};
    socklen_t length = sizeof(peer);
    return ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           peer.uid == ::getuid();
}

// The address of a socket path that fits (defaultName() makes sure it does).
bool addressOf(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Sends all of `bytes`; false when the peer is gone or the send timed out.
bool sendAll(int descriptor, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(descriptor, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

// The most a later start may send: its arguments, one line.
constexpr qsizetype kMaxLine = 64 * 1024;

}  // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), name_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
    if (listenFd_ >= 0) {
        // The socket file goes before the lock does.
        ::unlink(name_.toLocal8Bit().constData());
        ::close(listenFd_);
    }
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
    return listenFd_ >= 0;
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
    ::unlink(name_.toLocal8Bit().constData());
    if (!listen()) {
        std::fprintf(stderr, "Vorbix cannot listen for later starts: %s\n", std::strerror(errno));
    }
    return true;
}

bool SingleInstance::listen() {
    sockaddr_un address;
    if (!addressOf(name_.toLocal8Bit(), address)) {
        errno = ENAMETOOLONG;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(fd, 16) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    listenFd_ = fd;
    listener_ = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(listener_, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

bool SingleInstance::forward(const QStringList& arguments) {
    sockaddr_un address;
    if (!addressOf(name_.toLocal8Bit(), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A listener that does not take the connection, the line or answer in time counts as none
    // (connecting), or is left (answering).
    const timeval sendLimit{1, 0};
    const timeval answerLimit{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof(sendLimit));
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &answerLimit, sizeof(answerLimit));
    int connected;
    do {
        connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (connected != 0 && errno == EINTR);
    // Only a listener of this same user gets the arguments; anything else is ignored.
    if (connected != 0 || !peerIsThisUser(fd)) {
        ::close(fd);
        return false;
    }
    sendAll(fd, arguments.join(QChar(0)).toUtf8() + '\n');
    // Wait for the first instance to take the notice before leaving.
    char answer[8];
    while (::recv(fd, answer, sizeof(answer), 0) < 0 && errno == EINTR) {
    }
    ::close(fd);
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
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;  // nothing more waiting (or a passing failure: the next call tries again)
        }
        // Only the same user may ask this instance to show itself.
        if (!peerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        auto* notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
        auto* line = new QByteArray;
        connect(notifier, &QSocketNotifier::activated, this,
                [this, fd, notifier, line] { readFrom(fd, notifier, line); });
    }
}

// Reads what a later start sends until its line is complete, answers it and tells about it;
// a peer that leaves early or sends more than a line of arguments is dropped.
void SingleInstance::readFrom(int descriptor, QSocketNotifier* notifier, QByteArray* line) {
    char buffer[4096];
    bool done = false;
    for (;;) {
        const ssize_t n = ::recv(descriptor, buffer, sizeof(buffer), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        if (n <= 0) {
            done = true;
            line->clear();
            break;
        }
        line->append(buffer, n);
        if (line->contains('\n') || line->size() > kMaxLine) {
            done = true;
            break;
        }
    }
    if (!done) return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    const qsizetype end = line->indexOf('\n');
    QStringList arguments;
    const bool complete = end >= 0;
    if (complete) {
        sendAll(descriptor, "ok\n");
        arguments = QString::fromUtf8(line->left(end)).trimmed().split(QChar(0));
    }
    ::close(descriptor);
    delete line;
    if (complete) emit instanceCreated(arguments);
}

}  // namespace vorbix
