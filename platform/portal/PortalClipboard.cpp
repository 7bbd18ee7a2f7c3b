#include "platform/portal/PortalClipboard.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusUnixFileDescriptor>
#include <QLoggingCategory>

#include "platform/portal/PipeTransfer.h"
#include "platform/portal/PortalRequest.h"

Q_DECLARE_LOGGING_CATEGORY(lcStrokes)

namespace vorbix::portal {

PortalClipboard::PortalClipboard(QDBusConnection bus, QObject* parent)
    : ClipboardSelection(parent), bus_(std::move(bus)) {}

void PortalClipboard::attach(const QString& session, bool enabled) {
    session_ = session;
    enabled_ = enabled && !session.isEmpty();
    if (!enabled_) return;
    const QString service = QString::fromLatin1(kPortalService);
    const QString path = QString::fromLatin1(kPortalPath);
    const QString iface = QString::fromLatin1(kInterface);
    bus_.connect(service, path, iface, QStringLiteral("SelectionOwnerChanged"), this,
                 SLOT(onOwnerChanged(QDBusMessage)));
    bus_.connect(service, path, iface, QStringLiteral("SelectionTransfer"), this,
                 SLOT(onTransfer(QDBusMessage)));
    qCInfo(lcStrokes) << "Wayland clipboard through the portal's Clipboard interface";
}

QDBusMessage PortalClipboard::call(const QString& method, const QList<QVariant>& args,
                                   int boundMs) const {
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService),
                                                          QString::fromLatin1(kPortalPath),
                                                          QString::fromLatin1(kInterface), method);
    QList<QVariant> all{QVariant::fromValue(QDBusObjectPath(session_))};
    all.append(args);
    message.setArguments(all);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, boundMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        qCWarning(lcStrokes).noquote()
            << "the portal's clipboard refused" << method << ":" << reply.errorMessage();
    return reply;
}

void PortalClipboard::announce(const QStringList& mimeTypes) {
    call(QStringLiteral("SetSelection"), {QVariantMap{{QStringLiteral("mime_types"), mimeTypes}}},
         kCallBoundMs);
}

void PortalClipboard::set(Formats formats) {
    if (!enabled_) return;
    QStringList types;
    for (const auto& format : formats) types << QString::fromStdString(format.first);
    ours_ = std::move(formats);
    owner_ = true;
    announce(types);
}

void PortalClipboard::clearOurs() {
    if (!enabled_ || !owner_) return;
    owner_ = false;
    ours_.clear();
    announce({});
}

PortalClipboard::Formats PortalClipboard::read(int boundMs) {
    if (!enabled_) return {};
    if (owner_) return ours_;
    const int64_t deadline = nowMs() + boundMs;
    Formats formats;
    for (const QString& type : offered_) {
        const std::string mime = type.toStdString();
        if (!carriesData(mime)) continue;
        const int64_t left = deadline - nowMs();
        if (left <= 0) break;
        const QDBusMessage reply = call(QStringLiteral("SelectionRead"), {type}, int(left));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) continue;
        const QDBusUnixFileDescriptor fd =
            qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
        if (!fd.isValid()) continue;
        const int own = fd.fileDescriptor();
        ::fcntl(own, F_SETFL, ::fcntl(own, F_GETFL) | O_NONBLOCK);
        std::string bytes = readAll(own, deadline, kMaxFormatBytes);
        if (!bytes.empty()) formats.emplace_back(mime, std::move(bytes));
    }
    return formats;
}

void PortalClipboard::onOwnerChanged(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 2 || args.at(0).value<QDBusObjectPath>().path() != session_) return;
    const QVariantMap options = qdbus_cast<QVariantMap>(args.at(1));
    if (options.value(QStringLiteral("session_is_owner")).toBool()) return;
    // Someone else set the clipboard: ours is gone, theirs is what comes back later.
    owner_ = false;
    ours_.clear();
    offered_ = options.value(QStringLiteral("mime_types")).toStringList();
}

void PortalClipboard::onTransfer(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 3 || args.at(0).value<QDBusObjectPath>().path() != session_) return;
    const std::string mime = args.at(1).toString().toStdString();
    const uint serial = args.at(2).toUInt();
    const std::string* bytes = nullptr;
    for (const auto& format : ours_)
        if (format.first == mime) bytes = &format.second;
    bool written = false;
    if (owner_ && bytes) {
        const QDBusMessage reply = call(QStringLiteral("SelectionWrite"), {serial}, kCallBoundMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            const QDBusUnixFileDescriptor fd =
                qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
            if (fd.isValid()) {
                const int own = fd.fileDescriptor();
                ::fcntl(own, F_SETFL, ::fcntl(own, F_GETFL) | O_NONBLOCK);
                written = writeAll(own, *bytes, kCallBoundMs);
            }
        }
    }
    // Answered in every case, so the window that asked does not wait for nothing.
    QDBusMessage done = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QString::fromLatin1(kInterface), QStringLiteral("SelectionWriteDone"));
    done.setArguments({QVariant::fromValue(QDBusObjectPath(session_)), serial, written});
    bus_.asyncCall(done);
    if (written) emit dataSent();
}

}  // namespace vorbix::portal
