// The conversation pattern of the desktop portals: a method call returns the path of a Request
// object at once, and the result comes later as that object's Response signal. Plus the few
// facts every portal back end asks for: the portal's service, path and interface versions.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <functional>

namespace vorbix::portal {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
inline constexpr char kSessionInterface[] = "org.freedesktop.portal.Session";

// The Response codes: 0 done, 1 cancelled by the user, 2 ended otherwise. A call the portal
// rejects (no such method, bad arguments, no portal) is reported as 2 too.
enum ResponseCode : uint32_t { kResponseSuccess = 0, kResponseCancelled = 1, kResponseOther = 2 };

// A token for handle_token or session_handle_token: unique within this process.
QString newHandleToken();

// The Request object path the portal uses for `token` of a call made on `bus`.
QString requestPath(const QDBusConnection& bus, const QString& token);

// One call that answers through a Request. The Response is listened for before the call goes
// out, so no answer is missed; `done` runs exactly once (not at all when `context` is destroyed
// first). `call` carries handle_token `token` in its options.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(uint32_t code, const QVariantMap& results)>;
    static void start(QDBusConnection bus, const QDBusMessage& call, const QString& token,
                      QObject* context, Done done);

private:
    PortalRequest(QDBusConnection bus, QObject* context, Done done);
    void listen(const QString& path);
    void finish(uint32_t code, const QVariantMap& results);
private slots:
    void onResponse(const QDBusMessage& message);

private:
    QDBusConnection bus_;
    QString path_;
    Done done_;
    bool finished_ = false;
};

// The `version` property of a portal interface on `bus`; 0 when the portal or the interface is
// missing. Waits at most `timeoutMs` for the answer.
uint32_t portalVersion(const QDBusConnection& bus, const QString& interface, int timeoutMs = 2000);

}  // namespace vorbix::portal
