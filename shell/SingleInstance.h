// One running program per user: the first start listens on a local socket in the abstract
// namespace (nothing stale after a crash, a second listener is refused); a later start passes
// its arguments to it and ends with exit code 0.
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace vorbix {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    // The name of the socket: one instance per user, X display and data folder.
    static QString defaultName(const QString& dataFolder);
    // Tries to become the first instance. False when another one answers: the arguments were
    // passed to it and this process should end.
    bool listenOrForward(const QStringList& arguments);

signals:
    // A later start reached this instance, with its arguments.
    void instanceCreated(const QStringList& arguments);

private:
    void accept();
    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace vorbix
