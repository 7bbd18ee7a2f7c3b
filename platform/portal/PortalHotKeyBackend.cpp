#include "platform/portal/PortalHotKeyBackend.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

#include "core/Registration.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcuts.h"

namespace vorbix::portal {

namespace {

Q_LOGGING_CATEGORY(lcPortalKeys, "vorbix.portal.hotkeys", QtInfoMsg)

constexpr char kInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char kGlobalAccelService[] = "org.kde.kglobalaccel";

// The shortcuts of a Response or a ShortcutsChanged: id -> trigger_description.
std::map<QString, QString> boundShortcuts(const QVariant& value) {
    std::map<QString, QString> bound;
    if (!value.isValid()) return bound;
    const PortalShortcuts list = qdbus_cast<PortalShortcuts>(value);
    for (const PortalShortcut& s : list)
        bound[s.id] = s.properties.value(QStringLiteral("trigger_description")).toString();
    return bound;
}

// Whether a part of a kglobalaccel shortcut record holds a key other than 0. Its key lists
// have been "ai" and "a(ai)" in different versions, so the record is walked as it comes.
bool holdsKey(const QDBusArgument& argument) {
    bool any = false;
    switch (argument.currentType()) {
        case QDBusArgument::BasicType:
            return argument.asVariant().toLongLong() != 0;
        case QDBusArgument::ArrayType:
            argument.beginArray();
            while (!argument.atEnd()) any = holdsKey(argument) || any;
            argument.endArray();
            return any;
        case QDBusArgument::StructureType:
            argument.beginStructure();
            while (!argument.atEnd()) any = holdsKey(argument) || any;
            argument.endStructure();
            return any;
        default:
            (void)argument.asVariant();
            return false;
    }
}

}  // namespace

PortalHotKeyBackend::PortalHotKeyBackend(QDBusConnection bus, Options options)
    : bus_(std::move(bus)), options_(std::move(options)) {
    registerPortalShortcutTypes();
    quiet_.setSingleShot(true);
    quiet_.setInterval(options_.quietMs);
    connect(&quiet_, &QTimer::timeout, this, [this] { startBind(); });
    version_ = portalVersion(bus_, QString::fromLatin1(kInterface));
    qCInfo(lcPortalKeys, "hot keys through the GlobalShortcuts portal (version %u)", version_);
    const QString service = QString::fromLatin1(kPortalService);
    const QString path = QString::fromLatin1(kPortalPath);
    const QString iface = QString::fromLatin1(kInterface);
    bus_.connect(service, path, iface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    bus_.connect(service, path, iface, QStringLiteral("Deactivated"), this,
                 SLOT(onDeactivated(QDBusMessage)));
    bus_.connect(service, path, iface, QStringLiteral("ShortcutsChanged"), this,
                 SLOT(onShortcutsChanged(QDBusMessage)));
}

PortalHotKeyBackend::~PortalHotKeyBackend() {
    closeSession();
}

QString PortalHotKeyBackend::shortcutId(int32_t id, const std::string& trigger) {
    if (id == SymbolHotKeyId) return QStringLiteral("show-hide");
    if (id == DeActivateHotKeyId) return QStringLiteral("activation");
    return QString::fromStdString(trigger);
}

HotKeyResult PortalHotKeyBackend::registerHotKey(int32_t id, const TWinHotKey& combination) {
    const std::string trigger = portalTrigger(combination, onKeyboard_);
    if (trigger.empty()) {
        unregisterHotKey(id);
        return HotKeyResult::refused(HotKeyRefusal::NoKey);
    }
    for (const auto& [other, entry] : entries_) {
        if (other != id && entry.trigger == trigger) {
            unregisterHotKey(id);
            return HotKeyResult::refused(HotKeyRefusal::Duplicate);
        }
    }
    Entry& entry = entries_[id];
    entry.combination = combination;
    entry.trigger = trigger;
    entry.shortcut = shortcutId(id, trigger);
    entry.boundDescription.clear();
    scheduleBind();
    return HotKeyResult::later();
}

void PortalHotKeyBackend::unregisterHotKey(int32_t id) {
    if (entries_.erase(id) > 0) scheduleBind();
}

void PortalHotKeyBackend::scheduleBind() {
    quiet_.start();
}

void PortalHotKeyBackend::bindNow() {
    quiet_.stop();
    startBind();
}

void PortalHotKeyBackend::startBind() {
    if (binding_) {
        bindAgain_ = true;
        return;
    }
    binding_ = true;
    bindAgain_ = false;
    ++generation_;
    closeSession();
    createSession();
}

void PortalHotKeyBackend::closeSession() {
    if (session_.isEmpty()) return;
    const QDBusMessage close = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), session_, QString::fromLatin1(kSessionInterface),
        QStringLiteral("Close"));
    // Waited for, so the session token is free again before the next CreateSession.
    bus_.call(close, QDBus::Block, 2000);
    session_.clear();
}

QVariant PortalHotKeyBackend::shortcutList() const {
    PortalShortcuts list;
    for (const auto& [id, entry] : entries_) {
        std::string description = describer_ ? describer_(id) : std::string();
        if (description.empty()) description = "Vorbix: " + entry.trigger;
        list.push_back(
            {entry.shortcut,
             {{QStringLiteral("description"), QString::fromStdString(description)},
              {QStringLiteral("preferred_trigger"), QString::fromStdString(entry.trigger)}}});
    }
    return QVariant::fromValue(list);
}

void PortalHotKeyBackend::createSession() {
    if (entries_.empty()) {
        // Nothing to bind: the closed session leaves no shortcut of ours active.
        binding_ = false;
        emit bindFinished();
        return;
    }
    const QString token = newHandleToken();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QString::fromLatin1(kInterface), QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), options_.sessionToken},
                        {QStringLiteral("shortcuts"), shortcutList()}};
    const uint64_t generation = generation_;
    PortalRequest::start(
        bus_, call, token, this, [this, generation](uint32_t code, const QVariantMap& results) {
            if (generation != generation_) return;
            const QString session = results.value(QStringLiteral("session_handle")).toString();
            if (code != kResponseSuccess || session.isEmpty()) {
                qCWarning(lcPortalKeys, "CreateSession failed (response %u)", code);
                finishBind(kResponseOther, {});
                return;
            }
            session_ = session;
            bindShortcuts();
        });
}

void PortalHotKeyBackend::bindShortcuts() {
    const QString token = newHandleToken();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QString::fromLatin1(kInterface), QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << shortcutList() << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    const uint64_t generation = generation_;
    PortalRequest::start(bus_, call, token, this,
                         [this, generation](uint32_t code, const QVariantMap& results) {
                             if (generation != generation_) return;
                             finishBind(code, results);
                         });
}

void PortalHotKeyBackend::finishBind(uint32_t code, const QVariantMap& results) {
    binding_ = false;
    if (bindAgain_) {
        // The set changed meanwhile: its answers would be stale.
        startBind();
        return;
    }
    if (code != kResponseSuccess) {
        const HotKeyResult refusal = HotKeyResult::refused(HotKeyRefusal::NoService);
        for (const auto& [id, entry] : entries_) report(id, refusal);
        emit bindFinished();
        return;
    }
    const std::map<QString, QString> bound =
        boundShortcuts(results.value(QStringLiteral("shortcuts")));
    for (auto& [id, entry] : entries_) {
        const auto it = bound.find(entry.shortcut);
        if (it != bound.end()) entry.boundDescription = it->second;
    }
    // Plasma names a trigger in its answer also where kwin keeps the keys for itself; what
    // kglobalaccel really holds for the component tells.
    const uint64_t generation = generation_;
    QTimer::singleShot(options_.readBackMs, this,
                       [this, generation, bound] { readBack(generation, bound); });
}

void PortalHotKeyBackend::readBack(uint64_t generation, const std::map<QString, QString>& bound) {
    if (generation != generation_ || binding_) return;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(kGlobalAccelService), QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("getComponent"));
    get << options_.sessionToken;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation, bound](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (generation != generation_ || binding_) return;
                const QDBusPendingReply<QDBusObjectPath> path = *w;
                if (path.isError()) {
                    // No kglobalaccel (not Plasma): the portal's answer is all there is.
                    reportAll(bound, {});
                    return;
                }
                const QDBusMessage infos = QDBusMessage::createMethodCall(
                    QString::fromLatin1(kGlobalAccelService), path.value().path(),
                    QStringLiteral("org.kde.kglobalaccel.Component"),
                    QStringLiteral("allShortcutInfos"));
                auto* second = new QDBusPendingCallWatcher(bus_.asyncCall(infos, 2000), this);
                connect(second, &QDBusPendingCallWatcher::finished, this,
                        [this, generation, bound](QDBusPendingCallWatcher* w2) {
                            w2->deleteLater();
                            if (generation != generation_ || binding_) return;
                            const QDBusMessage reply = w2->reply();
                            std::set<QString> unbound;
                            if (reply.type() == QDBusMessage::ReplyMessage &&
                                !reply.arguments().isEmpty()) {
                                const QDBusArgument list =
                                    reply.arguments().front().value<QDBusArgument>();
                                list.beginArray();
                                while (!list.atEnd()) {
                                    list.beginStructure();
                                    QString unique;
                                    list >> unique;
                                    // friendly name, component and context names
                                    for (int i = 0; i < 5; ++i) (void)list.asVariant();
                                    // the keys; the default keys after them do not count
                                    const bool hasKey = !list.atEnd() && holdsKey(list);
                                    list.endStructure();
                                    if (!hasKey) unbound.insert(unique);
                                }
                                list.endArray();
                            }
                            reportAll(bound, unbound);
                        });
            });
}

void PortalHotKeyBackend::reportAll(const std::map<QString, QString>& bound,
                                    const std::set<QString>& unbound) {
    for (const auto& [id, entry] : entries_) {
        const bool ok = bound.count(entry.shortcut) > 0 && unbound.count(entry.shortcut) == 0;
        if (!ok) qCInfo(lcPortalKeys, "not bound: %s", entry.trigger.c_str());
        report(id, ok ? HotKeyResult::accepted()
                      : HotKeyResult::refused(HotKeyRefusal::HeldByOther, kLocksOff | kCapsLockOn |
                                                                              kNumLockOn |
                                                                              kCapsAndNumLockOn));
    }
    size_t given = 0;
    for (const auto& [id, entry] : entries_)
        given += bound.count(entry.shortcut) > 0 && unbound.count(entry.shortcut) == 0;
    qCInfo(lcPortalKeys, "bound %zu of %zu shortcuts", given, entries_.size());
    emit bindFinished();
}

bool PortalHotKeyBackend::ownSession(const QDBusMessage& message) const {
    const QList<QVariant> args = message.arguments();
    if (args.isEmpty() || session_.isEmpty()) return false;
    return args.front().value<QDBusObjectPath>().path() == session_;
}

int32_t PortalHotKeyBackend::idOf(const QString& shortcut) const {
    for (const auto& [id, entry] : entries_)
        if (entry.shortcut == shortcut) return id;
    return 0;
}

void PortalHotKeyBackend::onActivated(const QDBusMessage& message) {
    if (!ownSession(message) || message.arguments().size() < 2) return;
    const QString shortcut = message.arguments().at(1).toString();
    const int32_t id = idOf(shortcut);
    if (id == 0) return;
    held_.insert(shortcut);
    if (ignore_ && ignore_()) {
        qCDebug(lcPortalKeys).noquote() << "activated by our own strokes, ignored:" << shortcut;
        return;
    }
    qCDebug(lcPortalKeys).noquote() << "activated:" << shortcut;
    if (tokenSink_) {
        QVariantMap options;
        if (message.arguments().size() > 3)
            options = qdbus_cast<QVariantMap>(message.arguments().at(3));
        tokenSink_(options.value(QStringLiteral("activation_token")).toString().toStdString());
    }
    if (handler_) handler_(id);
}

void PortalHotKeyBackend::onDeactivated(const QDBusMessage& message) {
    if (!ownSession(message) || message.arguments().size() < 2) return;
    qCDebug(lcPortalKeys).noquote() << "deactivated:" << message.arguments().at(1).toString();
    if (held_.erase(message.arguments().at(1).toString()) > 0 && held_.empty()) emit released();
}

void PortalHotKeyBackend::onShortcutsChanged(const QDBusMessage& message) {
    if (!ownSession(message) || message.arguments().size() < 2 || binding_) return;
    const std::map<QString, QString> now = boundShortcuts(message.arguments().at(1));
    for (auto& [id, entry] : entries_) {
        const auto it = now.find(entry.shortcut);
        if (it == now.end() || it->second.isEmpty()) {
            report(id,
                   HotKeyResult::refused(HotKeyRefusal::HeldByOther,
                                         kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn));
        } else if (entry.boundDescription.isEmpty() || it->second == entry.boundDescription) {
            entry.boundDescription = it->second;
            report(id, HotKeyResult::accepted());
        } else {
            report(id, HotKeyResult::boundTo(it->second.toStdString()));
        }
    }
}

bool PortalHotKeyBackend::canConfigure() const {
    return version_ >= 2;
}

void PortalHotKeyBackend::configure() {
    if (!canConfigure() || session_.isEmpty()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QString::fromLatin1(kInterface), QStringLiteral("ConfigureShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QString() << QVariantMap{};
    bus_.asyncCall(call);
}

}  // namespace vorbix::portal
