#include "shell/WaylandNotice.h"

#include <QLoggingCategory>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include "storage/LanguageFile.h"
#include "storage/LanguageKeys.h"
#include "storage/OneTimeNotice.h"

namespace vorbix {

namespace {
Q_LOGGING_CATEGORY(lcSession, "vorbix.session")

// How long the tray message stays when the desktop leaves it to the program.
constexpr int kTrayMessageMs = 20000;

// Shows the text in the tray, or in a message box that blocks nothing; `what` goes to the
// diagnostics.
void tell(const std::string& text, const char* what, QSystemTrayIcon* tray, QWidget* owner) {
    if (tray && QSystemTrayIcon::isSystemTrayAvailable() && tray->isVisible()) {
        qCInfo(lcSession, "Wayland session: %s (told in the tray)", what);
        tray->showMessage(QStringLiteral("Vorbix"), QString::fromStdString(text),
                          QSystemTrayIcon::Information, kTrayMessageMs);
        return;
    }
    qCInfo(lcSession, "Wayland session: %s (told in a message box)", what);
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Vorbix"),
                                QString::fromStdString(text), QMessageBox::Ok,
                                owner && owner->isVisible() ? owner : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
}  // namespace

bool WaylandNotice::tellOnce(bool wayland, const std::string& configPath,
                             const LanguageFile& language, QSystemTrayIcon* tray, QWidget* owner) {
    if (!wayland || !takeOneTimeNotice(configPath, config::kWaylandNotice)) return false;
    const std::string text = language.text(lang::kMain, lang::kMessageWayland1) + "\r\n\r\n" +
                             language.text(lang::kMain, lang::kMessageWayland2);
    tell(text, "hot keys only while an X11 window has the focus", tray, owner);
    return true;
}

bool WaylandNotice::tellPortalOnce(const std::string& configPath, const LanguageFile& language,
                                   QSystemTrayIcon* tray, QWidget* owner) {
    if (!takeOneTimeNotice(configPath, config::kPortalNotice)) return false;
    tell(language.text(lang::kMain, "MessagePortalHotKeys"),
         "hot keys through the desktop's shortcut portal", tray, owner);
    return true;
}

}  // namespace vorbix
