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

// Shows the text in the tray, or in the prompter's message box, which blocks nothing; `what`
// goes to the diagnostics.
void tell(const std::string& text, const char* what, QSystemTrayIcon* tray, Prompter& prompter) {
    if (tray && QSystemTrayIcon::isSystemTrayAvailable() && tray->isVisible()) {
        qCInfo(lcSession, "Wayland session: %s (told in the tray)", what);
        tray->showMessage(QStringLiteral("Vorbix"), QString::fromStdString(text),
                          QSystemTrayIcon::Information, kTrayMessageMs);
        return;
    }
    qCInfo(lcSession, "Wayland session: %s (told in a message box)", what);
    prompter.showMessage(text, MessageType::Information);
}
}  // namespace

bool WaylandNotice::tellOnce(bool wayland, const std::string& configPath,
                             const LanguageFile& language, QSystemTrayIcon* tray,
                             Prompter& prompter) {
    if (!wayland || !takeOneTimeNotice(configPath, config::kWaylandNotice)) return false;
    const std::string text = language.text(lang::kMain, lang::kMessageWayland1) + "\r\n\r\n" +
                             language.text(lang::kMain, lang::kMessageWayland2);
    tell(text, "hot keys only while an X11 window has the focus", tray, prompter);
    return true;
}

bool WaylandNotice::tellPortalOnce(const std::string& configPath, const LanguageFile& language,
                                   QSystemTrayIcon* tray, Prompter& prompter) {
    if (!takeOneTimeNotice(configPath, config::kPortalNotice)) return false;
    tell(language.text(lang::kMain, "MessagePortalHotKeys"),
         "hot keys through the desktop's shortcut portal", tray, prompter);
    return true;
}

}  // namespace vorbix
