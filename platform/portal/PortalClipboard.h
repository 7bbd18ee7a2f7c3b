// The clipboard through the Clipboard interface of the desktop portal, for desktops whose
// compositor offers no data control (GNOME): it belongs to the RemoteDesktop session, which asks
// for it before it starts (RequestClipboard) and hands it over once the user allowed it. Setting
// data announces its formats (SetSelection); a window that pastes makes the portal ask for one
// (SelectionTransfer), answered through a pipe (SelectionWrite, SelectionWriteDone). The content
// before ours is read the same way (SelectionRead) in the formats the last owner change named.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QStringList>

#include "platform/portal/ClipboardSelection.h"

namespace vorbix::portal {

class PortalClipboard : public ClipboardSelection {
    Q_OBJECT
public:
    static constexpr char kInterface[] = "org.freedesktop.portal.Clipboard";
    // How long one call to the portal, and one transfer of our data, may take.
    static constexpr int kCallBoundMs = 1000;

    explicit PortalClipboard(QDBusConnection bus, QObject* parent = nullptr);

    // Whether the RemoteDesktop session is to ask for the clipboard (the desktop has the
    // interface and no other way is at hand; the inserter decides that).
    bool wanted() const { return wanted_; }
    void setWanted(bool wanted) { wanted_ = wanted; }
    // The session has started; `enabled`: the user gave it the clipboard.
    void attach(const QString& session, bool enabled);

    bool available() const override { return enabled_; }
    Formats read(int boundMs) override;
    void set(Formats formats) override;
    void clearOurs() override;
    bool holdsOurs() const override { return owner_; }

private slots:
    void onOwnerChanged(const QDBusMessage& message);
    void onTransfer(const QDBusMessage& message);

private:
    QDBusMessage call(const QString& method, const QList<QVariant>& args, int boundMs) const;
    void announce(const QStringList& mimeTypes);

    QDBusConnection bus_;
    QString session_;
    bool wanted_ = false;
    bool enabled_ = false;
    bool owner_ = false;
    Formats ours_;
    QStringList offered_;  // the formats of the content another owner set last
};

}  // namespace vorbix::portal
