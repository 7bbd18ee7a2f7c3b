// Test helper: a stand-in for the GlobalShortcuts desktop portal and for KDE's kglobalaccel on
// a private session bus. Every call is appended to a record file as one line before it is
// answered; the test drives the desktop's side (key presses, changes in its settings) through
// the org.vorbix.PortalControl interface at /control.
//
//   portal_standin RECORD ADDRESS [--version N] [--cancel] [--no-kglobalaccel]
//                  [--held-by-compositor TRIGGER]...
//
// --cancel answers BindShortcuts as a user who cancels the dialog; --held-by-compositor makes
// kglobalaccel report the shortcut asked for with TRIGGER without any key, as kwin does for the
// combinations it keeps (while the portal's answer still names the trigger).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QSet>
#include <QTimer>

#include "platform/portal/PortalShortcuts.h"
#include "tests/platform_portal/StandInSupport.h"

using vorbix::portal::PortalShortcut;
using vorbix::portal::PortalShortcuts;
using namespace standin;

namespace {

QString describe(const PortalShortcuts& list) {
    QStringList parts;
    for (const PortalShortcut& s : list) {
        parts << s.id + "=" + s.properties.value("preferred_trigger").toString() + "|" +
                     s.properties.value("description").toString();
    }
    return parts.join(',');
}

// One KGlobalShortcutInfo: six names, the keys, the default keys.
struct ShortcutInfo {
    QString unique, friendly, component, componentFriendly, context, contextFriendly;
    QList<int> keys, defaultKeys;
};

QDBusArgument& operator<<(QDBusArgument& a, const ShortcutInfo& s) {
    a.beginStructure();
    a << s.unique << s.friendly << s.component << s.componentFriendly << s.context
      << s.contextFriendly << s.keys << s.defaultKeys;
    a.endStructure();
    return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, ShortcutInfo& s) {
    a.beginStructure();
    a >> s.unique >> s.friendly >> s.component >> s.componentFriendly >> s.context >>
        s.contextFriendly >> s.keys >> s.defaultKeys;
    a.endStructure();
    return a;
}

}  // namespace

Q_DECLARE_METATYPE(ShortcutInfo)

namespace {

struct State {
    uint version = 1;
    bool cancel = false;
    QSet<QString> heldByCompositor;
    QString session;        // the open session's path
    PortalShortcuts bound;  // what the last bind bound
};
State state;

class GlobalShortcuts : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    uint version() const { return state.version; }
public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options) {
        const PortalShortcuts list = qdbus_cast<PortalShortcuts>(options.value("shortcuts"));
        record("CreateSession " + options.value("session_handle_token").toString() + " " +
               describe(list));
        QString sender = message().service().mid(1);
        sender.replace('.', '_');
        const QString session = "/org/freedesktop/portal/desktop/session/" + sender + "/" +
                                options.value("session_handle_token").toString();
        if (!state.session.isEmpty()) {
            // The token is still taken by an open session.
            sendErrorReply(QDBusError::Failed, "session exists");
            return {};
        }
        state.session = session;
        const QString path = requestPath(message().service(), options);
        respond(path, 0, {{"session_handle", session}});
        return QDBusObjectPath(path);
    }
    // The list's type is spelt out: Qt D-Bus finds a slot's types by the names written here.
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  const QList<vorbix::portal::PortalShortcut>& list, const QString&,
                                  const QVariantMap& options) {
        record("BindShortcuts " + describe(list));
        const QString path = requestPath(message().service(), options);
        if (session.path() != state.session || state.cancel) {
            respond(path, state.cancel ? 1 : 2, {});
            return QDBusObjectPath(path);
        }
        PortalShortcuts answer;
        for (const PortalShortcut& s : list) {
            answer.push_back({s.id,
                              {{"description", s.properties.value("description")},
                               {"trigger_description",
                                "Shown " + s.properties.value("preferred_trigger").toString()}}});
        }
        state.bound = list;
        respond(path, 0, {{"shortcuts", QVariant::fromValue(answer)}});
        return QDBusObjectPath(path);
    }
    void ConfigureShortcuts(const QDBusObjectPath& session, const QString&, const QVariantMap&) {
        record("ConfigureShortcuts " + QString(session.path() == state.session ? "own" : "other"));
    }
};

class GlobalAccel : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KGlobalAccel")
public slots:
    QDBusObjectPath getComponent(const QString& name) {
        record("getComponent " + name);
        return QDBusObjectPath("/component/" + name);
    }
};

class Component : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kglobalaccel.Component")
public slots:
    QList<ShortcutInfo> allShortcutInfos() {
        QList<ShortcutInfo> infos;
        for (const PortalShortcut& s : state.bound) {
            const QString trigger = s.properties.value("preferred_trigger").toString();
            ShortcutInfo info{s.id,      s.properties.value("description").toString(),
                              "vorbix",  "vorbix",
                              "default", "Default",
                              {},        {}};
            if (!state.heldByCompositor.contains(trigger)) info.keys = {0x04000048};
            infos.push_back(info);
        }
        return infos;
    }
};

void emitPortal(const char* name, const QList<QVariant>& args) {
    emitSignal("org.freedesktop.portal.GlobalShortcuts", name, args);
}

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorbix.PortalControl")
public slots:
    // The user presses and lets go of a bound shortcut's keys.
    void Press(const QString& id) {
        emitPortal("Activated", {QVariant::fromValue(QDBusObjectPath(state.session)), id,
                                 QVariant::fromValue(qulonglong(0)), QVariantMap{}});
    }
    // A press that comes with an activation token, as newer desktops send.
    void PressWithToken(const QString& id, const QString& token) {
        emitPortal("Activated", {QVariant::fromValue(QDBusObjectPath(state.session)), id,
                                 QVariant::fromValue(qulonglong(0)),
                                 QVariantMap{{QStringLiteral("activation_token"), token}}});
    }
    void Release(const QString& id) {
        emitPortal("Deactivated", {QVariant::fromValue(QDBusObjectPath(state.session)), id,
                                   QVariant::fromValue(qulonglong(0)), QVariantMap{}});
    }
    // The user gives a shortcut another trigger in the desktop's settings ("" takes it away).
    void Change(const QString& id, const QString& trigger) {
        PortalShortcuts list;
        for (const PortalShortcut& s : state.bound) {
            const QString shown =
                s.id == id ? trigger
                           : "Shown " + s.properties.value("preferred_trigger").toString();
            list.push_back({s.id, {{"trigger_description", shown}}});
        }
        emitPortal("ShortcutsChanged", {QVariant::fromValue(QDBusObjectPath(state.session)),
                                        QVariant::fromValue(list)});
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) return 2;
    recordPath = args.at(1);
    bool kglobalaccel = true;
    for (int i = 3; i < args.size(); ++i) {
        if (args[i] == "--version" && i + 1 < args.size()) state.version = args[++i].toUInt();
        if (args[i] == "--cancel") state.cancel = true;
        if (args[i] == "--no-kglobalaccel") kglobalaccel = false;
        if (args[i] == "--held-by-compositor" && i + 1 < args.size())
            state.heldByCompositor.insert(args[++i]);
    }
    vorbix::portal::registerPortalShortcutTypes();
    qDBusRegisterMetaType<ShortcutInfo>();
    qDBusRegisterMetaType<QList<ShortcutInfo>>();
    static QDBusConnection connection = QDBusConnection::connectToBus(args.at(2), "standin");
    bus = &connection;
    GlobalShortcuts portal;
    // The stand-in serves one session at a time.
    Sessions session([](const QString& path) {
        record(path == state.session ? "Close" : "Close other");
        if (path == state.session) state.session.clear();
    });
    GlobalAccel accel;
    Component component;
    Control control;
    const auto flags = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    connection.registerObject("/org/freedesktop/portal/desktop", &portal, flags);
    connection.registerVirtualObject("/org/freedesktop/portal/desktop/session", &session,
                                     QDBusConnection::SubPath);
    connection.registerObject("/control", &control, QDBusConnection::ExportAllSlots);
    if (kglobalaccel) {
        connection.registerObject("/kglobalaccel", &accel, QDBusConnection::ExportAllSlots);
        connection.registerObject("/component/vorbix", &component, QDBusConnection::ExportAllSlots);
        connection.registerService("org.kde.kglobalaccel");
    }
    // The portal's name last: the test waits for it.
    connection.registerService("org.freedesktop.portal.Desktop");
    return app.exec();
}

#include "PortalStandIn.moc"
