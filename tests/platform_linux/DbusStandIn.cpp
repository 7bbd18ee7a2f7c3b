// Test helper: small stand-ins for the D-Bus services the program talks to. Every call is
// appended to a record file as one line ("<service> <method> <arguments>") before it is answered.
//
//   dbus_standin RECORD --system ADDRESS --session ADDRESS SERVICE...
//
// SERVICE is "logind" (system bus), "gnome-session" (session bus) or "mpris:NAME:STATUS" (session
// bus; STATUS Playing, Paused or Stopped, Broken for a player that answers every command with
// an error, or Hanging for one that never answers a command).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <cstdio>

namespace {

QString recordPath;

void record(const QString& line) {
    QFile file(recordPath);
    if (file.open(QIODevice::Append)) file.write((line + "\n").toUtf8());
}

class LogindManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public slots:
    void PowerOff(bool interactive) {
        record(QStringLiteral("logind PowerOff ") + (interactive ? "true" : "false"));
    }
    void Reboot(bool interactive) {
        record(QStringLiteral("logind Reboot ") + (interactive ? "true" : "false"));
    }
    void Suspend(bool interactive) {
        record(QStringLiteral("logind Suspend ") + (interactive ? "true" : "false"));
    }
    void TerminateSession(const QString& id) { record("logind TerminateSession " + id); }
    void LockSession(const QString& id) { record("logind LockSession " + id); }
    QDBusObjectPath GetSessionByPID(uint pid) {
        record(QStringLiteral("logind GetSessionByPID %1").arg(pid));
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/login1/session/_31"));
    }
};

class LogindSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
public slots:
    void Terminate() { record(QStringLiteral("logind-session Terminate")); }
    void Lock() { record(QStringLiteral("logind-session Lock")); }
};

class GnomeSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public slots:
    void Logout(uint mode) { record(QStringLiteral("gnome-session Logout %1").arg(mode)); }
};

class Player : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
public:
    Player(QString name, QString status) : name_(std::move(name)), status_(std::move(status)) {}
    QString playbackStatus() const {
        return status_ == "Broken" || status_ == "Hanging" ? "Playing" : status_;
    }
public slots:
    void PlayPause() { answer("PlayPause"); }
    void Stop() { answer("Stop"); }
    void Next() { answer("Next"); }
    void Previous() { answer("Previous"); }

private:
    void answer(const char* method) {
        record(name_ + " " + method);
        if (status_ == "Broken")
            sendErrorReply(QDBusError::Failed, QStringLiteral("this player refuses everything"));
        if (status_ == "Hanging") setDelayedReply(true);  // and never replies
    }
    QString name_, status_;
};

bool serve(QDBusConnection bus, const QString& service, const QString& path, QObject* object) {
    if (!bus.registerObject(path, object,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties))
        return false;
    return bus.registerService(service);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 5) return 2;
    recordPath = args.takeFirst();
    QString systemAddress, sessionAddress;
    while (args.size() >= 2 && args.first().startsWith("--")) {
        QString option = args.takeFirst();
        (option == "--system" ? systemAddress : sessionAddress) = args.takeFirst();
    }
    int n = 0;
    auto bus = [&n](const QString& address) {
        return QDBusConnection::connectToBus(address, QStringLiteral("standin-%1").arg(n++));
    };
    for (const QString& service : args) {
        bool ok = false;
        if (service == "logind") {
            QDBusConnection system = bus(systemAddress);
            ok = system.registerObject("/org/freedesktop/login1/session/_31", new LogindSession,
                                       QDBusConnection::ExportAllSlots) &&
                 serve(system, "org.freedesktop.login1", "/org/freedesktop/login1",
                       new LogindManager);
        } else if (service == "gnome-session") {
            ok = serve(bus(sessionAddress), "org.gnome.SessionManager", "/org/gnome/SessionManager",
                       new GnomeSession);
        } else if (service.startsWith("mpris:")) {
            QStringList parts = service.split(':');
            if (parts.size() == 3)
                ok = serve(bus(sessionAddress), "org.mpris.MediaPlayer2." + parts[1],
                           "/org/mpris/MediaPlayer2", new Player(parts[1], parts[2]));
        }
        if (!ok) {
            std::fprintf(stderr, "dbus_standin: cannot serve %s\n", qPrintable(service));
            return 1;
        }
    }
    return app.exec();
}

#include "DbusStandIn.moc"
