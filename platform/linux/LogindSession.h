// Ending the session through systemd-logind on the system bus: PowerOff, Reboot, Suspend, and
// TerminateSession or LockSession for the session the program runs in. Logging off asks the
// desktop's session manager first (on the session bus), so that programs may save their work,
// and falls back to logind. Without a bus, logind or permission the result is false and nothing
// else happens; no shell command is ever run for it.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <string>

#include "core/Ports.h"

namespace vorbix {

class LogindSession : public SessionControl {
public:
    // Empty addresses mean the system bus and the session bus of the desktop.
    explicit LogindSession(const std::string& systemBusAddress = {},
                           const std::string& sessionBusAddress = {});
    ~LogindSession() override;
    LogindSession(const LogindSession&) = delete;
    LogindSession& operator=(const LogindSession&) = delete;

    bool exitSession(SessionAction action) override;

private:
    bool logOffThroughSessionManager();
    bool callLogind(const QString& method, const QVariantList& args);
    // TerminateSession or LockSession of the current session.
    bool sessionCall(const QString& managerMethod, const QString& sessionMethod);

    // The names of the connections this object opened itself; declared before the connections,
    // which the constructor fills them for.
    QString ownSystemName_, ownSessionName_;
    QDBusConnection system_;
    QDBusConnection session_;
};

}  // namespace vorbix
