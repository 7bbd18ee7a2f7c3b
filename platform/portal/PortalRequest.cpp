#include "platform/portal/PortalRequest.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <atomic>

namespace vorbix::portal {

QString newHandleToken() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("vorbix%1").arg(++counter);
}

QString requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService();
    if (sender.startsWith(QLatin1Char(':'))) sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

PortalRequest::PortalRequest(QDBusConnection bus, QObject* context, Done done)
    : QObject(context), bus_(std::move(bus)), done_(std::move(done)) {}

void PortalRequest::start(QDBusConnection bus, const QDBusMessage& call, const QString& token,
                          QObject* context, Done done) {
    auto* request = new PortalRequest(bus, context, std::move(done));
    request->listen(requestPath(bus, token));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, request,
                     [request](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *w;
                         if (reply.isError()) {
                             request->finish(kResponseOther, {});
                             return;
                         }
                         // Portals older than the handle_token rule name another path.
                         const QString path = reply.value().path();
                         if (!request->finished_ && path != request->path_) request->listen(path);
                     });
}

void PortalRequest::listen(const QString& path) {
    if (!path_.isEmpty()) {
        bus_.disconnect(QString::fromLatin1(kPortalService), path_,
                        QString::fromLatin1(kRequestInterface), QStringLiteral("Response"), this,
                        SLOT(onResponse(QDBusMessage)));
    }
    path_ = path;
    bus_.connect(QString::fromLatin1(kPortalService), path_, QString::fromLatin1(kRequestInterface),
                 QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
}

void PortalRequest::onResponse(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 2) {
        finish(kResponseOther, {});
        return;
    }
    QVariantMap results;
    const QVariant second = args.at(1);
    if (second.userType() == qMetaTypeId<QDBusArgument>()) {
        second.value<QDBusArgument>() >> results;
    } else {
        results = second.toMap();
    }
    finish(args.at(0).toUInt(), results);
}

void PortalRequest::finish(uint32_t code, const QVariantMap& results) {
    if (finished_) return;
    finished_ = true;
    bus_.disconnect(QString::fromLatin1(kPortalService), path_,
                    QString::fromLatin1(kRequestInterface), QStringLiteral("Response"), this,
                    SLOT(onResponse(QDBusMessage)));
    Done done = std::move(done_);
    deleteLater();
    if (done) done(code, results);
}

uint32_t portalVersion(const QDBusConnection& bus, const QString& interface, int timeoutMs) {
    if (!bus.isConnected()) return 0;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
    const QVariant value = reply.arguments().front().value<QDBusVariant>().variant();
    bool ok = false;
    const uint32_t version = value.toUInt(&ok);
    return ok ? version : 0;
}

}  // namespace vorbix::portal
