#include "platform/portal/RemoteDesktopSession.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QLoggingCategory>
#include <QTimer>

#include "platform/portal/PortalClipboard.h"
#include "platform/portal/PortalRequest.h"
#include "storage/AtomicFile.h"

Q_LOGGING_CATEGORY(lcStrokes, "vorbix.strokes", QtInfoMsg)

namespace vorbix::portal {
namespace {

const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
constexpr uint32_t kKeyboardDevice = 1;
// Kept until the user revokes it in the desktop's settings.
constexpr uint32_t kPersistUntilRevoked = 2;

QDBusMessage remoteDesktopCall(const QString& method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService),
                                          QString::fromLatin1(kPortalPath), kRemoteDesktop, method);
}

}  // namespace

RemoteDesktopSession::RemoteDesktopSession(QDBusConnection bus, const std::string& tokenFolder,
                                           QObject* parent)
    : QObject(parent), bus_(std::move(bus)), tokenFolder_(tokenFolder) {}

RemoteDesktopSession::~RemoteDesktopSession() {
    if (session_.isEmpty() || !bus_.isConnected()) return;
    bus_.asyncCall(QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService), session_,
                                                  QString::fromLatin1(kSessionInterface),
                                                  QStringLiteral("Close")));
}

std::string RemoteDesktopSession::tokenPath() const {
    if (tokenFolder_.empty()) return {};
    return tokenFolder_ + (tokenFolder_.back() == '/' ? "" : "/") + kTokenFileName;
}

void RemoteDesktopSession::open(std::function<void(bool ok)> ready) {
    ready_ = std::move(ready);
    version_ = portalVersion(bus_, kRemoteDesktop);
    if (version_ == 0)
        return done(false, QStringLiteral("the desktop portal offers no RemoteDesktop"));
    const QString token = newHandleToken();
    QDBusMessage call = remoteDesktopCall(QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), newHandleToken()}};
    PortalRequest::start(
        bus_, call, token, this, [this](uint32_t code, const QVariantMap& results) {
            session_ = results.value(QStringLiteral("session_handle")).toString();
            if (code != kResponseSuccess || session_.isEmpty())
                return done(false, QStringLiteral("CreateSession answered %1").arg(code));
            selectDevices();
        });
}

void RemoteDesktopSession::selectDevices() {
    const QString token = newHandleToken();
    QVariantMap options{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("types"), kKeyboardDevice}};
    if (version_ >= 2) {
        options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
        if (const auto saved = readWholeFile(tokenPath()); saved && !saved->empty())
            options.insert(QStringLiteral("restore_token"), QString::fromStdString(*saved));
    }
    QDBusMessage call = remoteDesktopCall(QStringLiteral("SelectDevices"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << options;
    PortalRequest::start(bus_, call, token, this, [this](uint32_t code, const QVariantMap&) {
        if (code != kResponseSuccess)
            return done(false, QStringLiteral("SelectDevices answered %1").arg(code));
        requestClipboard();
    });
}

void RemoteDesktopSession::requestClipboard() {
    const QString clipboard = QString::fromLatin1(PortalClipboard::kInterface);
    if (!clipboard_ || !clipboard_->wanted() || portalVersion(bus_, clipboard) == 0)
        return start(true);
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService),
                                                       QString::fromLatin1(kPortalPath), clipboard,
                                                       QStringLiteral("RequestClipboard"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (w->isError())
            qCWarning(lcStrokes).noquote()
                << "the portal keeps its clipboard to itself:" << w->error().message();
        start(true);
    });
}

void RemoteDesktopSession::start(bool retry) {
    const QString token = newHandleToken();
    QDBusMessage call = remoteDesktopCall(QStringLiteral("Start"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    PortalRequest::start(
        bus_, call, token, this, [this, retry](uint32_t code, const QVariantMap& results) {
            if (code == kResponseOther && retry) {
                QTimer::singleShot(kRetryMs, this, [this] { start(false); });
                return;
            }
            if (code != kResponseSuccess)
                return done(false, code == kResponseCancelled
                                       ? QStringLiteral("the user refused the keyboard")
                                       : QStringLiteral("Start answered %1").arg(code));
            if ((results.value(QStringLiteral("devices")).toUInt() & kKeyboardDevice) == 0)
                return done(false, QStringLiteral("the desktop gave no keyboard"));
            const QString restore = results.value(QStringLiteral("restore_token")).toString();
            if (!restore.isEmpty() && !tokenFolder_.empty()) {
                const FileResult written = writeFileAtomically(
                    tokenPath(), restore.toStdString(),
                    WriteOptions{.mode = kPrivateFileMode, .modeForNewFileOnly = false});
                if (!written)
                    qCWarning(lcStrokes) << "restore token not kept:" << written.error.c_str();
            }
            if (clipboard_)
                clipboard_->attach(session_,
                                   results.value(QStringLiteral("clipboard_enabled")).toBool());
            done(true);
        });
}

void RemoteDesktopSession::done(bool ok, const QString& why) {
    if (ok) {
        qCInfo(lcStrokes) << "key strokes through the RemoteDesktop portal, version" << version_;
    } else {
        qCWarning(lcStrokes).noquote() << "no key strokes in this Wayland session:" << why;
    }
    if (auto ready = std::move(ready_)) ready(ok);
}

void RemoteDesktopSession::send(uint32_t keysym, bool pressed, std::function<void()> sent) {
    QDBusMessage call = remoteDesktopCall(QStringLiteral("NotifyKeyboardKeysym"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap()
         << static_cast<int32_t>(keysym) << static_cast<uint32_t>(pressed ? 1 : 0);
    // Calls from one connection reach the portal in the order they were sent.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [sent = std::move(sent)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (w->isError())
                    qCWarning(lcStrokes).noquote()
                        << "a key stroke failed:" << w->error().message();
                sent();
            });
}

}  // namespace vorbix::portal
