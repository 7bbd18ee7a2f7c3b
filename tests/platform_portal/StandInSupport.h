// What the stand-in portals share: the record file of the calls they were given, the connection
// they serve on, the Request objects' Response signals, signals of the portal object, and the
// session objects whose Close the program calls.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QTimer>
#include <QVariantMap>

#include <functional>

namespace standin {

inline QString recordPath;
inline QDBusConnection* bus = nullptr;
inline const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// Appends one line to the record file.
inline void record(const QString& line) {
    QFile file(recordPath);
    if (file.open(QIODevice::Append)) file.write((line + "\n").toUtf8());
}

// The Request object path of a call from `sender` with the handle_token of `options`.
inline QString requestPath(const QString& sender, const QVariantMap& options) {
    QString name = sender.mid(1);
    name.replace('.', '_');
    return "/org/freedesktop/portal/desktop/request/" + name + "/" +
           options.value("handle_token").toString();
}

// The Request's Response, a moment after the call was answered, as portals send it.
inline void respond(const QString& path, uint code, const QVariantMap& results) {
    QTimer::singleShot(20, [path, code, results] {
        QDBusMessage signal =
            QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
        signal << code << results;
        bus->send(signal);
    });
}

// A signal of the portal object's `interface`.
inline void emitSignal(const QString& interface, const QString& name, const QList<QVariant>& args) {
    QDBusMessage signal = QDBusMessage::createSignal(kPortalPath, interface, name);
    signal.setArguments(args);
    bus->send(signal);
}

// Every session path below .../session: Close is recorded by `closed` (given the path) and
// answered.
class Sessions : public QDBusVirtualObject {
public:
    explicit Sessions(std::function<void(const QString& path)> closed)
        : closed_(std::move(closed)) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != "org.freedesktop.portal.Session" || message.member() != "Close")
            return false;
        closed_(message.path());
        connection.send(message.createReply());
        return true;
    }

private:
    std::function<void(const QString&)> closed_;
};

}  // namespace standin
