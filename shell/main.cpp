// Vorbix: wires the Linux platform into the core and runs the program.
#include <QApplication>
#include <QDBusConnection>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "VorbixVersion.h"
#include "components/HotkeyEx.h"
#include "core/CommandLine.h"
#include "core/SessionType.h"
#include "core/TextUtil.h"
#include "platform/linux/BackgroundThread.h"
#include "platform/linux/ChildProcess.h"
#include "platform/linux/DesktopLauncher.h"
#include "platform/linux/FreedMemory.h"
#include "platform/linux/LinuxAudioVolume.h"
#include "platform/linux/LogindSession.h"
#include "platform/linux/MprisMedia.h"
#include "platform/linux/OpticalDrives.h"
#include "platform/linux/PolicyHelper.h"
#include "platform/linux/SingleInstance.h"
#include "platform/linux/UserRights.h"
#include "platform/portal/PortalClipboard.h"
#include "platform/portal/PortalHotKeyBackend.h"
#include "platform/portal/PortalKeyboardOutput.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/RemoteDesktopSession.h"
#include "platform/portal/WaylandClipboardInserter.h"
#include "platform/x11/ClipboardInserterX11.h"
#include "platform/x11/WindowControlX11.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11KeyNames.h"
#include "platform/x11/X11KeyboardOutput.h"
#include "platform/x11/X11Keymap.h"
#include "shell/SessionEnd.h"
#include "shell/WaylandNotice.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/settings/LinuxSettingsServices.h"
#include "storage/LanguageFile.h"
#include "storage/LanguageKeys.h"
#include "storage/Policy.h"
#include "storage/StorageLocations.h"

using namespace vorbix;

namespace {

// The desktop's shortcut portal carries the hot keys in a Wayland session that offers it (its
// compositor listening, GlobalShortcuts on the session bus); the X server's grabs everywhere
// else.
HotKeyRoute hotKeyRoute(bool wayland) {
    if (!wayland) return HotKeyRoute::X11;
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const std::string socket =
        waylandSocketPath(runtimeDir ? runtimeDir : "", display ? display : "");
    std::error_code error;
    const bool listens = !socket.empty() && std::filesystem::is_socket(socket, error);
    // D-Bus may have to start the portal first, which takes a moment.
    const uint32_t version =
        listens
            ? portal::portalVersion(QDBusConnection::sessionBus(),
                                    QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), 5000)
            : 0;
    return chooseHotKeyRoute(wayland, listens, version);
}

// What the desktop lists for a registration: the row's action and properties, or what the
// special combination does, in the user's language.
std::string hotKeyDescription(TMain& main, int32_t id) {
    if (id == SymbolHotKeyId || id == DeActivateHotKeyId) {
        const LanguageFile texts = LanguageFile::load(ProgramFolder(), main.language());
        std::string text =
            texts.text("Settings", id == SymbolHotKeyId ? "LabelGUI1" : "GroupBoxDeActivate");
        while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
        return "Vorbix: " + text;
    }
    const HotKeyTable& table = main.core().table;
    const size_t row = size_t(id - kRowHotKeyIdBase);
    if (id < kRowHotKeyIdBase || row >= table.size()) return {};
    const HotKeyEntry& entry = table.at(row);
    if (entry.PropertiesText.empty()) return entry.ActionText;
    return entry.ActionText + ": " + entry.PropertiesText;
}

}  // namespace

int main(int argc, char** argv) {
    // The elevated step that writes the machine-wide change policy (run through pkexec).
    const std::vector<std::string> rawArguments(argv + 1, argv + argc);
    if (isApplyPolicyCommand(rawArguments)) return runApplyPolicyCommand(rawArguments);
    // --help, --version and mistakes are answered before anything touches the display.
    const CommandLine commandLine = parseCommandLine(rawArguments);
    switch (commandLine.mode) {
        case CommandLine::Mode::Help:
            std::fputs(commandLineUsage("vorbix").c_str(), stdout);
            return kExitSuccess;
        case CommandLine::Mode::Version:
            std::printf("vorbix %.*s\n", int(kVersionText.size()), kVersionText.data());
            return kExitSuccess;
        case CommandLine::Mode::Refused:
            std::fprintf(stderr, "vorbix: %s\n", commandLine.error.c_str());
            return kExitUsage;
        case CommandLine::Mode::Run:
            break;
    }

    // The window never runs as root on another user's files: they would become root's, and links
    // placed there would be followed as root.
    if (const std::optional<std::string> folder = userFolderOfRoot()) {
        std::fprintf(stderr,
                     "Vorbix does not run as root with folders that are not root's own (%s): "
                     "its files there would belong to root, and links placed there would be "
                     "followed as root.\nStart it as the user those folders belong to, without "
                     "sudo (vorbix), or as root with root's own folders (sudo -H vorbix, without "
                     "-E).\n",
                     escapeControlBytes(*folder).c_str());
        return 1;
    }

    // The program is an X11 client, also in a Wayland session (under XWayland).
    const bool wayland = isWaylandSession();
    if (const auto platform =
            requiredQtPlatform(wayland, qgetenv("QT_QPA_PLATFORM").toStdString())) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    }

    limitAllocatorArenas();

    // 1. The application object, titled "Vorbix".
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorbix"));
    // No display name: Qt would append it to every window caption that does not end with it,
    // and the editors' captions are to read as the language files give them.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setDesktopFileName(QStringLiteral("vorbix"));
    const QStringList arguments = app.arguments().mid(1);
    // SIGTERM and SIGHUP are caught before any start-up step, and handled once the table is
    // loaded, so an end during the start-up still saves.
    SessionEnd sessionEnd;
    sessionEnd.install();
    bool endedDuringStartUp = false;
    const QMetaObject::Connection early = QObject::connect(
        &sessionEnd, &SessionEnd::ending, [&endedDuringStartUp] { endedDuringStartUp = true; });

    // A second start hands its arguments to the first and ends before touching any file.
    const std::string dataFolder = DataFolder();
    SingleInstance instance(SingleInstance::defaultName(QString::fromStdString(dataFolder)));
    if (!instance.listenOrForward(arguments)) return 0;

    // The platform. The sound component loads its libraries and looks for the sound server on
    // first use: when the table holds a volume row, a volume row's editor opens or one is added.
    LinuxAudioVolume audio;
    x11::X11HotKeyBackend hotKeys;
    // In a Wayland session the desktop's shortcut portal, where it has one, carries the hot keys.
    const HotKeyRoute route = hotKeyRoute(wayland);
    std::unique_ptr<portal::PortalHotKeyBackend> portalHotKeys;
    std::unique_ptr<x11::X11Keymap> portalKeymap;
    if (route == HotKeyRoute::Portal) {
        portalHotKeys = std::make_unique<portal::PortalHotKeyBackend>();
        // Of a punctuation key's symbols, the one the keyboard carries is asked for.
        if (xcb_connection_t* connection = x11::applicationConnection()) {
            portalKeymap = std::make_unique<x11::X11Keymap>(connection);
            portalHotKeys->setKeyboard([keymap = portalKeymap.get()](uint32_t keysym) {
                return keymap->keycodeOf(keysym) != 0;
            });
        }
    }
    DesktopLauncher launcher;
    X11WindowControl windows(dataFolder + "HiddenWindows.txt");
    launcher.setWindowModeApplier(
        [&windows](pid_t pid, WindowMode mode) { windows.applyWindowModeWhenMapped(pid, mode); });
    x11::X11KeyboardOutput keys;
    // With the hot keys on the portal, strokes go through its RemoteDesktop session too: they
    // reach Wayland-native windows, wait for the hot key to be let go, and never fire a row.
    // The portal's own clipboard serves where the compositor has no data control (GNOME).
    std::unique_ptr<portal::PortalClipboard> clipboardPortal;
    std::unique_ptr<portal::PortalKeyboardOutput> portalKeys;
    std::unique_ptr<portal::WaylandClipboardInserter> portalClipboard;
    if (portalHotKeys) {
        clipboardPortal = std::make_unique<portal::PortalClipboard>(QDBusConnection::sessionBus());
        auto remoteDesktop = std::make_unique<portal::RemoteDesktopSession>(
            QDBusConnection::sessionBus(), dataFolder);
        remoteDesktop->setClipboard(clipboardPortal.get());
        portalKeys = std::make_unique<portal::PortalKeyboardOutput>(std::move(remoteDesktop));
        portalKeys->setHeldQuery([p = portalHotKeys.get()] { return p->anyHeld(); });
        QObject::connect(portalHotKeys.get(), &portal::PortalHotKeyBackend::released,
                         portalKeys.get(), &portal::PortalKeyboardOutput::combinationReleased);
        portalHotKeys->setIgnoreActivation([k = portalKeys.get()] { return k->strokesInFlight(); });
        portalClipboard =
            std::make_unique<portal::WaylandClipboardInserter>(*portalKeys, clipboardPortal.get());
    }
    // Our own strokes reach the focused window, never one of our hot keys.
    keys.setPressGuard([&hotKeys](uint8_t keycode, const std::function<void()>& press) {
        hotKeys.pressPastOwnGrabs(keycode, press);
    });
    x11::X11KeyNames keyNames;
    X11ClipboardInserter clipboard(keys);
    LogindSession session;
    OpticalDrives drives;
    BackgroundThread background;  // after the drives: it ends before them
    MprisMedia media(&keys);
    THotkeyEx::setKeysymMapper([](uint32_t keysym, uint32_t keycode) {
        return x11::virtualKeyOfKeyEvent(keysym, keycode);
    });
    THotkeyEx::setWinKeyProbe({x11::isWinKeycode, x11::winHeldInState});
    std::string policyError;
    const ChangePolicy policy = readChangePolicy(std::string(kPolicyFilePath),
                                                 PolicyReading::OnlyZeroForbids, &policyError);

    LinuxSettingsServices settingsServices(ProgramFolder());

    ShellEnvironment env;
    env.programFolder = ProgramFolder();
    env.dataFolder = dataFolder;
    env.hotKeys = portalHotKeys ? static_cast<HotKeyBackend*>(portalHotKeys.get()) : &hotKeys;
    env.waylandSession = wayland;
    if (portalHotKeys && portalHotKeys->canConfigure()) {
        env.configureDesktopShortcuts = [p = portalHotKeys.get()] { p->configure(); };
    }
    env.keyNames = &keyNames;
    env.returnFreedMemory = returnFreedMemory;
    env.desktop.keys = portalKeys ? static_cast<KeyboardOutput*>(portalKeys.get()) : &keys;
    env.desktop.clipboard =
        portalClipboard ? static_cast<ClipboardInserter*>(portalClipboard.get()) : &clipboard;
    env.desktop.session = &session;
    env.desktop.drives = &drives;
    env.desktop.media = &media;
    env.desktop.launcher = &launcher;
    env.desktop.windows = &windows;
    env.desktop.audio = &audio;
    env.desktop.background = &background;
    env.permissions.allowChangesHkv = policy.allowHotKeyChanges;
    env.permissions.allowChangesCfg = policy.allowConfigChanges;
    env.permissions.isAdministrator = IsAdministrator();
    env.autostart = &settingsServices;
    env.policyStep = &settingsServices;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        env.ppi = qRound(screen->logicalDotsPerInchY());
    }
    // Hidden in the tray, the window's pages are made when it is first shown.
    env.deferWidgets = commandLine.hidden;

    // 2. The main window and its start-up.
    TMain main(env);
    hotKeys.setHandler([&main](int32_t id) { main.WMHotKey(id); });
    if (portalHotKeys) {
        portalHotKeys->setHandler([&main](int32_t id) { main.WMHotKey(id); });
        portalHotKeys->setDescriber([&main](int32_t id) { return hotKeyDescription(main, id); });
        portalHotKeys->setActivationTokenSink(
            [](const std::string& token) { setActivationTokenForNextStart(token); });
    }
    // A text typed for want of a Wayland clipboard lacks what the keyboard cannot type: say so.
    if (portalClipboard) {
        QObject::connect(portalClipboard.get(),
                         &portal::WaylandClipboardInserter::charactersMissing, &main,
                         [&main, &env](const QString& characters) {
                             main.notifyFailure(fillPlaceholder(
                                 LanguageFile::load(env.programFolder, main.language())
                                     .text(lang::kMain, "MessageCharactersNotTyped"),
                                 "%s", characters.toStdString()));
                         });
    }
    main.startUp();
    // The window actions leave the program's own window alone, once it exists.
    auto ownWindow = [&windows, &main] { windows.setOwnWindows({main.winId()}); };
    if (main.widgetsBuilt())
        ownWindow();
    else
        QObject::connect(&main, &TMain::widgetsCreated, &main, ownWindow);
    // Windows that an earlier run hid and could not show again (it crashed) are offered back.
    if (const size_t left = windows.leftoversFromEarlierRun().size(); left > 0) {
        main.askHiddenWindowsBack(left, [&windows] { windows.restoreAfterCrash(); });
    }

    // 3. "hide" as the first argument: the window stays in the tray.
    if (commandLine.hidden)
        main.startHidden();
    else
        main.showAtStart();
    // A policy file that cannot be read locks changes (see readChangePolicy); say so.
    if (!policyError.empty()) {
        std::string text = LanguageFile::load(env.programFolder, main.language())
                               .text(lang::kMain, lang::kMessagePolicyUnreadable);
        if (const size_t at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, policyError);
        main.notifyFailure(text);
    }
    // In a Wayland session: the hot keys go through the desktop's portal, or reach the program
    // only while an X11 window has the focus.
    if (portalHotKeys) {
        WaylandNotice::tellPortalOnce(main.configPath(),
                                      LanguageFile::load(env.programFolder, main.language()),
                                      main.trayIcon(), main.prompter());
    } else if (wayland) {
        WaylandNotice::tellOnce(wayland, main.configPath(),
                                LanguageFile::load(env.programFolder, main.language()),
                                main.trayIcon(), main.prompter());
    }

    QObject::connect(&instance, &SingleInstance::instanceCreated, &main,
                     [&main](const QStringList&) { main.InstanceCreated(); });
    QObject::disconnect(early);
    QObject::connect(&sessionEnd, &SessionEnd::ending, &main, [&main] { main.sessionEnding(); });
    QObject::connect(&sessionEnd, &SessionEnd::saveRequested, &main,
                     [&main] { main.commitData(); });
    if (endedDuringStartUp) {
        QMetaObject::invokeMethod(
            &main, [&main] { main.sessionEnding(); }, Qt::QueuedConnection);
    }

    // What the start left behind is given back once the first events have been handled.
    QTimer::singleShot(0, &main, returnFreedMemory);

    // 5. The message loop. When the session manager ends it, the state is saved on the way out.
    const int status = app.exec();
    if (!main.closedForGood()) main.commitData();
    return status;
}
