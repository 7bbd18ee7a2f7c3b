// A session of the RemoteDesktop portal with a keyboard device: CreateSession, SelectDevices
// (keyboard), Start, then one NotifyKeyboardKeysym call per key event. A desktop that offers
// version 2 keeps the permission across starts: its restore token is stored in the data folder
// (written atomically, readable by the user only) and handed back on the next start. Where a
// PortalClipboard wants it, the session asks for the clipboard too before it starts.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <string>

#include "platform/portal/PortalKeyboardOutput.h"

namespace vorbix::portal {

class PortalClipboard;

class RemoteDesktopSession : public QObject, public KeySink {
    Q_OBJECT
public:
    // The restore token's file name in the data folder.
    static constexpr char kTokenFileName[] = "RemoteDesktop.token";
    // A refused Start is tried again once after this: a portal back end started a moment ago
    // may not know the desktop's outputs yet and refuses until it does.
    static constexpr int kRetryMs = 500;

    RemoteDesktopSession(QDBusConnection bus, const std::string& tokenFolder,
                         QObject* parent = nullptr);
    ~RemoteDesktopSession() override;

    void open(std::function<void(bool ok)> ready) override;
    void send(uint32_t keysym, bool pressed, std::function<void()> sent) override;

    // Asked for the clipboard before the start (when it wants it) and attached after it.
    void setClipboard(PortalClipboard* clipboard) { clipboard_ = clipboard; }

    // The session's object path; empty before it exists.
    const QString& sessionHandle() const { return session_; }

private:
    void selectDevices();
    void requestClipboard();
    void start(bool retry);
    void done(bool ok, const QString& why = {});
    std::string tokenPath() const;

    QDBusConnection bus_;
    std::string tokenFolder_;
    uint32_t version_ = 0;
    QString session_;
    std::function<void(bool)> ready_;
    PortalClipboard* clipboard_ = nullptr;
};

}  // namespace vorbix::portal
