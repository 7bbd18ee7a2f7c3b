#include "shell/WaylandNotice.h"

#include <QLoggingCategory>
#include <QSystemTrayIcon>

#include "storage/LanguageFile.h"
#include "storage/LanguageKeys.h"
#include "storage/OneTimeNotice.h"

namespace vorbix {

namespace {
Q_LOGGING_CATEGORY(lcSession, "vorbix.session")

// How long the tray message stays when the desktop leaves it to the program.
constexpr int kTrayMessageMs = 20000;
}  // namespace

bool WaylandNotice::tellOnce(bool wayland, const std::string& configPath,
                             const LanguageFile& language, QSystemTrayIcon* tray,
                             Prompter& prompter) {
    if (!wayland || !takeOneTimeNotice(configPath, config::kWaylandNotice)) return false;
    const std::string text = language.text(lang::kMain, lang::kMessageWayland1) + "\r\n\r\n" +
                             language.text(lang::kMain, lang::kMessageWayland2);
    if (tray && QSystemTrayIcon::isSystemTrayAvailable() && tray->isVisible()) {
        qCInfo(lcSession,
               "Wayland session: hot keys only while an X11 window has the focus "
               "(told in the tray)");
        tray->showMessage(QStringLiteral("Vorbix"), QString::fromStdString(text),
                          QSystemTrayIcon::Information, kTrayMessageMs);
    } else {
        qCInfo(lcSession,
               "Wayland session: hot keys only while an X11 window has the focus "
               "(told in a message box)");
        prompter.showMessage(text, MessageType::Information);
    }
    return true;
}

}  // namespace vorbix
