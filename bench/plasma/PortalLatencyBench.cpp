// Latency of a hot key in a Wayland session, from the key press injected through the
// RemoteDesktop portal to the effect:
//   - vorbix: a key-simulation row (Ctrl+Alt+K types Shift+X) until the X shows in a
//     Wayland-native text field;
//   - a minimal portal client that only binds Ctrl+Alt+J through GlobalShortcuts and records
//     Activated (this program itself).
// Both in one run, the presses taking turns. Run it in the headless Plasma session:
//
//   tests/support/run-in-plasma.sh -- build/plasma_portal_latency_bench VORBIX TEXT_TARGET
//
// It prints the median, the 90th percentile and the extremes in milliseconds for each.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcuts.h"
#include "platform/portal/RemoteDesktopSession.h"

#include <xkbcommon/xkbcommon-keysyms.h>

using namespace vorbix::portal;

namespace {

constexpr int kPresses = 20;
const QString kGlobalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return true;
}

// The minimal client: one shortcut, and the time its Activated arrived.
class MinimalClient : public QObject {
    Q_OBJECT
public:
    qint64 activatedAt = -1;
    QElapsedTimer* clock = nullptr;
    bool bound = false;

    void bind(QDBusConnection bus) {
        registerPortalShortcutTypes();
        bus.connect(QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
                    kGlobalShortcuts, QStringLiteral("Activated"), this,
                    SLOT(onActivated(QDBusMessage)));
        const PortalShortcuts list = {
            {QStringLiteral("bench"),
             {{QStringLiteral("description"), QStringLiteral("latency bench")},
              {QStringLiteral("preferred_trigger"), QStringLiteral("CTRL+ALT+j")}}}};
        const QString token = newHandleToken();
        QDBusMessage create = QDBusMessage::createMethodCall(
            QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath), kGlobalShortcuts,
            QStringLiteral("CreateSession"));
        create << QVariantMap{
            {QStringLiteral("handle_token"), token},
            {QStringLiteral("session_handle_token"), QStringLiteral("vorbixbench")},
            {QStringLiteral("shortcuts"), QVariant::fromValue(list)}};
        PortalRequest::start(
            bus, create, token, this, [this, bus, list](uint32_t code, const QVariantMap& r) {
                if (code != kResponseSuccess) return;
                const QString session = r.value(QStringLiteral("session_handle")).toString();
                const QString bindToken = newHandleToken();
                QDBusMessage bindCall = QDBusMessage::createMethodCall(
                    QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
                    kGlobalShortcuts, QStringLiteral("BindShortcuts"));
                bindCall << QVariant::fromValue(QDBusObjectPath(session))
                         << QVariant::fromValue(list) << QString()
                         << QVariantMap{{QStringLiteral("handle_token"), bindToken}};
                PortalRequest::start(
                    bus, bindCall, bindToken, this,
                    [this](uint32_t c, const QVariantMap&) { bound = c == kResponseSuccess; });
            });
    }
public slots:
    void onActivated(const QDBusMessage& message) {
        if (message.arguments().size() > 1 && message.arguments().at(1).toString() == "bench")
            activatedAt = clock->nsecsElapsed() / 1000;
    }
};

struct Stats {
    std::vector<double> ms;
    void print(const char* what) const {
        if (ms.empty()) {
            std::printf("%-40s no effect seen\n", what);
            return;
        }
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        std::printf("%-40s n=%zu median %.1f ms, p90 %.1f ms, min %.1f ms, max %.1f ms\n", what,
                    s.size(), s[s.size() / 2], s[s.size() * 9 / 10], s.front(), s.back());
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3 || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "usage (in tests/support/run-in-plasma.sh): %s VORBIX TEXT_TARGET\n",
                     argv[0]);
        return 77;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    QElapsedTimer clock;
    clock.start();

    // Vorbix with one key-simulation row, in folders of its own.
    const QString work =
        QDir::tempPath() +
        QStringLiteral("/vorbix-portal-bench-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(work + QStringLiteral("/config/Vorbix"));
    QFile table(work + QStringLiteral("/config/Vorbix/HotKeys.hkv"));
    table.open(QIODevice::WriteOnly);
    table.write(
        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+Alt+K\r\n"
        "Action=Tastenkombination simulieren\r\nKeyComb=Umsch+X\r\n");
    table.close();
    // Message boxes would take the focus: the first start's notice, and after 10 s the one
    // telling that neither a tray icon (the session has no tray host) nor a show/hide
    // combination brings the window back.
    QFile config(work + QStringLiteral("/config/Vorbix/Config.ini"));
    config.open(QIODevice::WriteOnly);
    config.write("[Settings]\r\nPortalNotice=1\r\nSymbolHotKey=Strg+Alt+Umsch+F12\r\n");
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work + QStringLiteral("/config"));
    QProcess vorbix;
    vorbix.setProcessEnvironment(env);
    vorbix.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    vorbix.start(QString::fromLocal8Bit(argv[1]), {QStringLiteral("hide")});
    QThread::msleep(1500);
    QProcess field;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    field.setProcessEnvironment(env);
    const QString textFile = work + QStringLiteral("/text");
    field.start(QString::fromLocal8Bit(argv[2]), {textFile});
    QThread::msleep(1000);

    MinimalClient minimal;
    minimal.clock = &clock;
    minimal.bind(bus);

    RemoteDesktopSession keys(bus, std::string());
    int ready = -1;
    keys.open([&ready](bool ok) { ready = ok ? 1 : 0; });
    if (!waitUntil([&] { return ready >= 0 && minimal.bound; }, 10000) || ready != 1) {
        std::fprintf(stderr, "the portal sessions did not start (keys %d, shortcut bound %d)\n",
                     ready, int(minimal.bound));
        return 1;
    }
    // One key event at a time: the portal may pass calls that overlap on in another order.
    int inFlight = 0;
    auto send = [&](uint32_t sym, bool down) {
        ++inFlight;
        keys.send(sym, down, [&inFlight] { --inFlight; });
        waitUntil([&] { return inFlight == 0; }, 2000);
    };
    auto press = [&](uint32_t key) -> qint64 {
        send(XKB_KEY_Control_L, true);
        send(XKB_KEY_Alt_L, true);
        waitUntil([&] { return inFlight == 0; }, 2000);
        const qint64 t0 = clock.nsecsElapsed() / 1000;
        send(key, true);
        send(key, false);
        send(XKB_KEY_Alt_L, false);
        send(XKB_KEY_Control_L, false);
        return t0;
    };
    auto textLength = [&] {
        QFile f(textFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll().size() : 0;
    };

    // The first press may come before vorbix has bound its row.
    int before = textLength();
    for (int i = 0; i < 20 && textLength() == before; ++i) {
        press(XKB_KEY_k);
        waitUntil([&] { return textLength() != before; }, 1000);
    }
    if (textLength() == before) {
        std::fprintf(stderr, "vorbix's row never reached the text field\n");
        return 1;
    }
    QThread::msleep(300);

    Stats program, client;
    for (int i = 0; i < kPresses; ++i) {
        before = textLength();
        qint64 t0 = press(XKB_KEY_k);
        if (waitUntil([&] { return textLength() != before; }, 3000))
            program.ms.push_back((clock.nsecsElapsed() / 1000 - t0) / 1000.0);
        waitUntil([&] { return inFlight == 0; }, 2000);
        QThread::msleep(400);

        minimal.activatedAt = -1;
        t0 = press(XKB_KEY_j);
        if (waitUntil([&] { return minimal.activatedAt >= 0; }, 3000))
            client.ms.push_back((minimal.activatedAt - t0) / 1000.0);
        waitUntil([&] { return inFlight == 0; }, 2000);
        QThread::msleep(400);
    }
    program.print("vorbix row -> Wayland-native window");
    client.print("minimal portal client -> Activated");

    field.terminate();
    vorbix.terminate();
    field.waitForFinished(3000);
    vorbix.waitForFinished(5000);
    QDir(work).removeRecursively();
    return 0;
}

#include "PortalLatencyBench.moc"
