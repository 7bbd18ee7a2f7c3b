#include "platform/linux/LogindSession.h"

#include <unistd.h>

#include <QAtomicInt>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <cstdlib>

namespace vorbix {

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
constexpr int kTimeoutMs = 5000;

QString uniqueConnectionName(const char* what) {
    static QAtomicInt counter;
    return QStringLiteral("vorbix-%1-%2")
        .arg(QLatin1String(what))
        .arg(counter.fetchAndAddRelaxed(1));
}

QDBusConnection connect(const std::string& address, QDBusConnection::BusType fallback,
                        QString* ownName, const char* what) {
    if (address.empty())
        return fallback == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                      : QDBusConnection::sessionBus();
    *ownName = uniqueConnectionName(what);
    return QDBusConnection::connectToBus(QString::fromStdString(address), *ownName);
}

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool hasOwner(const QDBusConnection& bus, const QString& service) {
    if (!bus.isConnected() || !bus.interface()) return false;
    QDBusReply<bool> reply = bus.interface()->isServiceRegistered(service);
    return reply.isValid() && reply.value();
}

}  // namespace

LogindSession::LogindSession(const std::string& systemBusAddress,
                             const std::string& sessionBusAddress)
    : system_(connect(systemBusAddress, QDBusConnection::SystemBus, &ownSystemName_, "system")),
      session_(
          connect(sessionBusAddress, QDBusConnection::SessionBus, &ownSessionName_, "session")) {}

LogindSession::~LogindSession() {
    if (!ownSystemName_.isEmpty()) QDBusConnection::disconnectFromBus(ownSystemName_);
    if (!ownSessionName_.isEmpty()) QDBusConnection::disconnectFromBus(ownSessionName_);
}

bool LogindSession::callLogind(const QString& method, const QVariantList& args) {
    if (!system_.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager, method);
    call.setArguments(args);
    return answered(system_.call(call, QDBus::Block, kTimeoutMs));
}

bool LogindSession::sessionCall(const QString& managerMethod, const QString& sessionMethod) {
    if (!system_.isConnected()) return false;
    const char* id = std::getenv("XDG_SESSION_ID");
    if (id && *id) return callLogind(managerMethod, {QString::fromUtf8(id)});
    QDBusMessage find = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager,
                                                       QStringLiteral("GetSessionByPID"));
    find.setArguments({static_cast<uint>(::getpid())});
    QDBusReply<QDBusObjectPath> path = system_.call(find, QDBus::Block, kTimeoutMs);
    if (!path.isValid() || path.value().path().isEmpty()) return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kLogind, path.value().path(), kSession, sessionMethod);
    return answered(system_.call(call, QDBus::Block, kTimeoutMs));
}

bool LogindSession::logOffThroughSessionManager() {
    struct Manager {
        const char* service;
        const char* path;
        const char* interface;
        const char* method;
        QVariantList args;
    };
    // Log out without a confirmation dialog, letting programs save.
    const Manager managers[] = {
        {"org.gnome.SessionManager",
         "/org/gnome/SessionManager",
         "org.gnome.SessionManager",
         "Logout",
         {1u}},
        {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", {}},
        {"org.xfce.SessionManager",
         "/org/xfce/SessionManager",
         "org.xfce.Session.Manager",
         "Logout",
         {false, true}},
        {"org.lxqt.session", "/LXQtSession", "org.lxqt.session", "logout", {}},
    };
    for (const auto& m : managers) {
        // Only a manager that is running; none is started for this.
        if (!hasOwner(session_, QLatin1String(m.service))) continue;
        QDBusMessage call =
            QDBusMessage::createMethodCall(QLatin1String(m.service), QLatin1String(m.path),
                                           QLatin1String(m.interface), QLatin1String(m.method));
        call.setArguments(m.args);
        if (answered(session_.call(call, QDBus::Block, kTimeoutMs))) return true;
    }
    return false;
}

bool LogindSession::exitSession(SessionAction action) {
    switch (action) {
        case SessionAction::LogOff:
            return logOffThroughSessionManager() ||
                   sessionCall(QStringLiteral("TerminateSession"), QStringLiteral("Terminate"));
        case SessionAction::ShutDown:
            return callLogind(QStringLiteral("PowerOff"), {false});
        case SessionAction::Restart:
            return callLogind(QStringLiteral("Reboot"), {false});
        case SessionAction::Suspend:
            return callLogind(QStringLiteral("Suspend"), {false});
        case SessionAction::Lock:
            return sessionCall(QStringLiteral("LockSession"), QStringLiteral("Lock"));
    }
    return false;
}

}  // namespace vorbix
