// System-wide hot keys in a Wayland session, through the GlobalShortcuts desktop portal. The
// desktop binds them (and may ask the user first), so every registration answers "later" and
// the outcome is reported through the port's report handler.
//
// One portal session at a time, always under the same session token, so the desktop keeps one
// component for the program across restarts and the user's own changes to a binding stay. The
// portal binds a session's shortcuts once; a change of the set therefore closes the session
// and binds the whole set in a new one, after a short quiet time so that a burst of changes
// (loading a table, re-registering every row after a move) costs one request. The list goes
// both into CreateSession's options (what Plasma 5.27 binds) and to BindShortcuts (what later
// Plasma and GNOME bind).
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "core/Ports.h"
#include "platform/portal/PortalTrigger.h"

namespace vorbix::portal {

// How the back end below talks to the portal.
struct PortalHotKeyOptions {
    QString sessionToken = QStringLiteral("vorbix");
    int quietMs = 500;
    // The delay before the bindings are read back from KDE's kglobalaccel, which applies them
    // after the portal answered.
    int readBackMs = 300;
};

class PortalHotKeyBackend : public QObject, public HotKeyBackend {
    Q_OBJECT
public:
    using Handler = std::function<void(int32_t id)>;
    // The text the desktop shows for a registration (the action and its properties); never
    // empty, as the desktop drops a shortcut without a description.
    using Describer = std::function<std::string(int32_t id)>;

    using Options = PortalHotKeyOptions;

    explicit PortalHotKeyBackend(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 Options options = Options{});
    ~PortalHotKeyBackend() override;

    // Called from the event loop once per Activated of a bound shortcut, with the registration
    // identifier, as the X11 back end calls it.
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void setDescriber(Describer describer) { describer_ = std::move(describer); }
    // Which of a punctuation key's symbols the keyboard carries (the first one when unset).
    void setKeyboard(KeysymOnKeyboard onKeyboard) { onKeyboard_ = std::move(onKeyboard); }
    // While this says so, an Activated runs nothing: the program's own strokes are under way.
    void setIgnoreActivation(std::function<bool()> ignore) { ignore_ = std::move(ignore); }
    // Learns, before a row runs, the activation token the desktop sent with the press (empty
    // when it sent none): a program the row starts may take the focus with it.
    void setActivationTokenSink(std::function<void(const std::string&)> sink) {
        tokenSink_ = std::move(sink);
    }

    // Refused at once for a key without a trigger (NoKey) or a trigger another registration
    // holds (Duplicate); otherwise "later".
    HotKeyResult registerHotKey(int32_t id, const TWinHotKey& combination) override;
    void unregisterHotKey(int32_t id) override;

    // Whether the desktop offers its own dialog for the shortcuts (GlobalShortcuts version 2),
    // and opens it for this program's session.
    bool canConfigure() const;
    void configure();

    // A bound combination is held down: Activated came and Deactivated has not yet.
    bool anyHeld() const { return !held_.empty(); }
    // The shortcut id the portal knows a registration by ("CTRL+ALT+h", "show-hide").
    static QString shortcutId(int32_t id, const std::string& trigger);

    // Binds what waits at once instead of after the quiet time (tests, the end of start-up).
    void bindNow();

signals:
    // The last held combination went up.
    void released();
    // A bind request ended (its answers are reported); for tests and diagnostics.
    void bindFinished();

private slots:
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);

private:
    struct Entry {
        TWinHotKey combination;
        std::string trigger;
        QString shortcut;          // the portal's id
        QString boundDescription;  // the trigger text the desktop gave when it bound it
    };

    void scheduleBind();
    void startBind();
    void closeSession();
    void createSession();
    void bindShortcuts();
    void finishBind(uint32_t code, const QVariantMap& results);
    void readBack(uint64_t generation, const std::map<QString, QString>& bound);
    void reportAll(const std::map<QString, QString>& bound, const std::set<QString>& unbound);
    QVariant shortcutList() const;
    int32_t idOf(const QString& shortcut) const;
    bool ownSession(const QDBusMessage& message) const;

    QDBusConnection bus_;
    Options options_;
    Handler handler_;
    Describer describer_;
    KeysymOnKeyboard onKeyboard_;
    std::function<bool()> ignore_;
    std::function<void(const std::string&)> tokenSink_;
    std::map<int32_t, Entry> entries_;
    QTimer quiet_;
    QString session_;          // the open session's path, empty while none
    bool binding_ = false;     // a bind request is on its way
    bool bindAgain_ = false;   // the set changed while it was
    uint64_t generation_ = 0;  // counts bind requests, so late read-backs are dropped
    uint32_t version_ = 0;
    std::set<QString> held_;
};

}  // namespace vorbix::portal
