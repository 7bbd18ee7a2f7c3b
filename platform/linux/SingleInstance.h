// One running program per user: the first start holds a lock file and listens on a local socket,
// both in a folder that only this user may enter ($XDG_RUNTIME_DIR, else a private folder in the
// temporary folder), so no other user can take the name first. A later start passes its arguments
// to the listener, but only after the listener's peer credentials show the same user, and ends
// with exit code 0. The lock, not the socket, decides who is first: a socket left behind by a
// crash is replaced, and a live instance is never joined by a second one.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

class QSocketNotifier;

namespace vorbix {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `socketPath`: the socket's full path; its lock file lies beside it. An empty path runs
    // without the single-instance service.
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket of this user's instance for the X display and the data folder, in the user's
    // private runtime folder; empty when there is no folder that only this user may enter.
    static QString defaultName(const QString& dataFolder);
    // A folder that only this user may enter: $XDG_RUNTIME_DIR when it is one, else
    // TMPDIR (or /tmp) + "/vorbix-UID", created when missing; empty when neither is private.
    static QString privateFolder();

    // Tries to become the first instance. False when another instance of this user runs: the
    // arguments were passed to it (or it holds the lock and never listened within `waitMs`), and
    // this process should end.
    bool listenOrForward(const QStringList& arguments, int waitMs = 3000);

    // Whether this process is the listening instance.
    bool isListening() const;

signals:
    // A later start reached this instance, with its arguments.
    void instanceCreated(const QStringList& arguments);

private:
    bool forward(const QStringList& arguments);
    bool takeLock();
    bool listen();
    void accept();
    void readFrom(int descriptor, QSocketNotifier* notifier, QByteArray* line);

    QString name_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QSocketNotifier* listener_ = nullptr;
};

}  // namespace vorbix
