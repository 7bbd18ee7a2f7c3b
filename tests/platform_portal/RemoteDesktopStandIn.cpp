// Test helper: a stand-in for the RemoteDesktop desktop portal with its Clipboard interface, on a
// private session bus, as GNOME's portal offers them. Every call is appended to a record file as
// one line; the test plays the other windows through org.vorbix.PortalControl at /control (copy
// something, paste).
//
//   remote_desktop_standin RECORD ADDRESS [--no-clipboard-interface] [--clipboard-refused]
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QFile>
#include <QMap>
#include <QSocketNotifier>
#include <QTimer>

#include "tests/platform_portal/StandInSupport.h"

namespace {

using namespace standin;

struct State {
    bool clipboardRefused = false;
    bool clipboardAsked = false;
    bool started = false;
    QString session;
    QMap<QString, QByteArray> othersClipboard;  // what another window copied, by format
    uint serial = 0;
};
State state;

// Answers the call with its Request object's path, and the Response follows.
void answer(const QDBusMessage& call, const QVariantMap& options, uint code,
            const QVariantMap& results) {
    const QString path = requestPath(call.service(), options);
    call.setDelayedReply(true);
    respond(path, code, results);
    bus->send(call.createReply(QVariant::fromValue(QDBusObjectPath(path))));
}

QVariant session() {
    return QVariant::fromValue(QDBusObjectPath(state.session));
}

class RemoteDesktop : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
    Q_PROPERTY(uint version READ version)
public:
    explicit RemoteDesktop(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    uint version() const { return 1; }
public slots:
    void CreateSession(const QVariantMap& options, const QDBusMessage& call) {
        record("CreateSession");
        state.session = "/org/freedesktop/portal/desktop/session/x/" +
                        options.value("session_handle_token").toString();
        answer(call, options, 0, {{"session_handle", state.session}});
    }
    void SelectDevices(const QDBusObjectPath&, const QVariantMap& options,
                       const QDBusMessage& call) {
        record("SelectDevices " + options.value("types").toString());
        answer(call, options, 0, {});
    }
    void Start(const QDBusObjectPath&, const QString&, const QVariantMap& options,
               const QDBusMessage& call) {
        record("Start");
        state.started = true;
        answer(call, options, 0,
               {{"devices", 1u},
                {"clipboard_enabled", state.clipboardAsked && !state.clipboardRefused}});
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath&, const QVariantMap&, int keysym, uint down) {
        record(QStringLiteral("key %1%2").arg(down ? '+' : '-').arg(keysym, 0, 16));
    }
};

class Clipboard : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Clipboard")
    Q_PROPERTY(uint version READ version)
public:
    explicit Clipboard(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    uint version() const { return 1; }
public slots:
    void RequestClipboard(const QDBusObjectPath&, const QVariantMap&) {
        record(state.started ? "RequestClipboard after Start" : "RequestClipboard");
        state.clipboardAsked = true;
    }
    void SetSelection(const QDBusObjectPath&, const QVariantMap& options) {
        record("SetSelection " + options.value("mime_types").toStringList().join(','));
    }
    // The window that pastes reads what the program writes into the pipe.
    QDBusUnixFileDescriptor SelectionWrite(const QDBusObjectPath&, uint serial) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return {};
        auto* data = new QByteArray;
        auto* notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated, [=] {
            char buffer[4096];
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n > 0) return data->append(buffer, n), void();
            record(QStringLiteral("written %1 ").arg(serial) + QString::fromUtf8(*data));
            notifier->deleteLater();
            ::close(fds[0]);
            delete data;
        });
        QDBusUnixFileDescriptor out(fds[1]);
        ::close(fds[1]);
        return out;
    }
    void SelectionWriteDone(const QDBusObjectPath&, uint serial, bool ok) {
        record(QStringLiteral("WriteDone %1 %2").arg(serial).arg(ok ? "true" : "false"));
    }
    QDBusUnixFileDescriptor SelectionRead(const QDBusObjectPath&, const QString& mime) {
        record("SelectionRead " + mime);
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return {};
        const QByteArray bytes = state.othersClipboard.value(mime);
        if (::write(fds[1], bytes.data(), bytes.size()) < 0) record("SelectionRead failed");
        ::close(fds[1]);
        QDBusUnixFileDescriptor out(fds[0]);
        ::close(fds[0]);
        return out;
    }
};

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vorbix.PortalControl")
public slots:
    // Another window copies `text` in the format `mime`.
    void Copy(const QString& mime, const QString& text) {
        state.othersClipboard = {{mime, text.toUtf8()}};
        emitSignal("org.freedesktop.portal.Clipboard", "SelectionOwnerChanged",
                   {session(),
                    QVariantMap{{"mime_types", QStringList{mime}}, {"session_is_owner", false}}});
    }
    // A window pastes, asking for `mime`.
    void Paste(const QString& mime) {
        record(QStringLiteral("paste %1 ").arg(++state.serial) + mime);
        emitSignal("org.freedesktop.portal.Clipboard", "SelectionTransfer",
                   {session(), mime, state.serial});
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) return 2;
    recordPath = args.at(1);
    bool clipboardInterface = true;
    for (int i = 3; i < args.size(); ++i) {
        if (args[i] == "--no-clipboard-interface") clipboardInterface = false;
        if (args[i] == "--clipboard-refused") state.clipboardRefused = true;
    }
    static QDBusConnection connection = QDBusConnection::connectToBus(args.at(2), "standin");
    bus = &connection;
    QObject portal;
    new RemoteDesktop(&portal);
    if (clipboardInterface) new Clipboard(&portal);
    Sessions sessions([](const QString&) { record("Close"); });
    Control control;
    connection.registerObject(kPortalPath, &portal, QDBusConnection::ExportAdaptors);
    connection.registerVirtualObject("/org/freedesktop/portal/desktop/session", &sessions,
                                     QDBusConnection::SubPath);
    connection.registerObject("/control", &control, QDBusConnection::ExportAllSlots);
    connection.registerService("org.freedesktop.portal.Desktop");
    return app.exec();
}

#include "RemoteDesktopStandIn.moc"
