// Presses key combinations through the desktop's RemoteDesktop portal, as a person's keyboard
// would: one portal session with a keyboard device, then a press and a release per key.
//
//   vorbix_portal_keys [--gap MS] [--stamp FILE] COMBINATION...
//
// A combination is keysym names joined with "+" ("ctrl+alt+h", "super+F5", "Return"); ctrl,
// alt, shift and super stand for the left modifier keys. --gap waits between combinations
// (default 50 ms). --stamp appends, per combination, the wall-clock time in microseconds at which
// its last key went down. Exit status 0 when every key was sent, 1 when the portal refused,
// 2 for a bad argument.
#include <xkbcommon/xkbcommon.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemote = QStringLiteral("org.freedesktop.portal.RemoteDesktop");

// Waits for the Response signal of a portal request.
class ResponseWaiter : public QObject {
    Q_OBJECT
public:
    uint32_t code = 2;
    QVariantMap results;
    bool answered = false;
public slots:
    void onResponse(uint c, const QVariantMap& r) {
        code = c;
        results = r;
        answered = true;
        loop.quit();
    }

public:
    QEventLoop loop;
};

int counter = 0;

// Calls a portal method whose last argument is the options map and waits for its Response.
bool request(const QString& method, QVariantList args, QVariantMap options, QVariantMap* results) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = QStringLiteral("vorbix_keys_%1").arg(++counter);
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString requestPath =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    ResponseWaiter waiter;
    bus.connect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), &waiter, SLOT(onResponse(uint, QVariantMap)));
    options.insert(QStringLiteral("handle_token"), token);
    args.append(options);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemote, method);
    call.setArguments(args);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(method), qPrintable(reply.errorMessage()));
        return false;
    }
    QTimer::singleShot(10000, &waiter.loop, &QEventLoop::quit);
    if (!waiter.answered) waiter.loop.exec();
    if (!waiter.answered || waiter.code != 0) {
        std::fprintf(stderr, "%s: response %u\n", qPrintable(method), waiter.code);
        return false;
    }
    if (results) *results = waiter.results;
    return true;
}

uint32_t keysymOf(const QString& name) {
    static const std::pair<const char*, const char*> kAliases[] = {
        {"ctrl", "Control_L"}, {"alt", "Alt_L"},    {"shift", "Shift_L"},
        {"super", "Super_L"},  {"logo", "Super_L"}, {"altgr", "ISO_Level3_Shift"}};
    QByteArray n = name.toUtf8();
    for (auto [alias, real] : kAliases)
        if (name.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0) n = real;
    xkb_keysym_t sym = xkb_keysym_from_name(n.constData(), XKB_KEYSYM_NO_FLAGS);
    if (sym == XKB_KEY_NoSymbol)
        sym = xkb_keysym_from_name(n.constData(), XKB_KEYSYM_CASE_INSENSITIVE);
    return sym;
}

bool notify(const QString& session, uint32_t keysym, bool pressed) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemote,
                                                       QStringLiteral("NotifyKeyboardKeysym"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(session)), QVariantMap(),
                       int32_t(keysym), uint32_t(pressed ? 1 : 0)});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "NotifyKeyboardKeysym: %s\n", qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int gapMs = 50;
    QString stampFile;
    std::vector<std::vector<uint32_t>> combinations;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--gap") && i + 1 < args.size()) {
            gapMs = args[++i].toInt();
        } else if (args[i] == QLatin1String("--stamp") && i + 1 < args.size()) {
            stampFile = args[++i];
        } else {
            std::vector<uint32_t> syms;
            for (const QString& part : args[i].split(QLatin1Char('+'))) {
                const uint32_t sym = keysymOf(part);
                if (sym == XKB_KEY_NoSymbol) {
                    std::fprintf(stderr, "unknown key name '%s'\n", qPrintable(part));
                    return 2;
                }
                syms.push_back(sym);
            }
            combinations.push_back(syms);
        }
    }
    if (combinations.empty()) {
        std::fprintf(stderr,
                     "usage: vorbix_portal_keys [--gap MS] [--stamp FILE] COMBINATION...\n");
        return 2;
    }

    QVariantMap results;
    if (!request(QStringLiteral("CreateSession"), {},
                 {{QStringLiteral("session_handle_token"), QStringLiteral("vorbix_keys")}},
                 &results))
        return 1;
    const QString session = results.value(QStringLiteral("session_handle")).toString();
    if (!request(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(session))},
                 {{QStringLiteral("types"), uint32_t(1)}}, nullptr))
        return 1;
    if (!request(QStringLiteral("Start"),
                 {QVariant::fromValue(QDBusObjectPath(session)), QString()}, {}, &results))
        return 1;
    if ((results.value(QStringLiteral("devices")).toUInt() & 1) == 0) {
        std::fprintf(stderr, "the portal gave no keyboard\n");
        return 1;
    }

    QFile stamps(stampFile);
    if (!stampFile.isEmpty() && !stamps.open(QIODevice::Append)) return 2;
    for (size_t c = 0; c < combinations.size(); ++c) {
        if (c > 0) std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
        const std::vector<uint32_t>& syms = combinations[c];
        for (uint32_t sym : syms)
            if (!notify(session, sym, true)) return 1;
        if (stamps.isOpen()) {
            const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            stamps.write(QByteArray::number(qint64(now.count())) + '\n');
            stamps.flush();
        }
        for (auto it = syms.rbegin(); it != syms.rend(); ++it)
            if (!notify(session, *it, false)) return 1;
    }
    QDBusMessage close = QDBusMessage::createMethodCall(
        kService, session, QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close"));
    QDBusConnection::sessionBus().call(close, QDBus::Block, 2000);
    return 0;
}

#include "PortalKeys.moc"
