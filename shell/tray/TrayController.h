// The tray icon and its menu (show/hide, switch off/on, load a hot key file, settings, exit),
// and the showing and hiding of the application (the main window) that the menu, a click on
// the icon, the special hot key and a second start ask for. The captions and close rules are
// those of TrayRules.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <string_view>

#include "shell/tray/TrayRules.h"

class QMenu;
class QTimer;
class QSystemTrayIcon;
class QWidget;

namespace vorbix {

class Artwork;
class LanguageFile;
class MainMenus;

class TrayController : public QObject {
    Q_OBJECT
public:
    // `window` is the application's main window; `beforeHide` runs before it is hidden.
    // `trayAvailable` tells whether the desktop has a tray host (null: Qt asks the desktop).
    TrayController(const Artwork& art, MainMenus& menus, QWidget* window,
                   std::function<void()> beforeHide, std::function<bool()> trayAvailable = {});
    ~TrayController() override;

    TrayRules& rules() { return rules_; }
    const TrayRules& rules() const { return rules_; }
    QSystemTrayIcon* icon() const { return Tray; }
    QMenu* menu() const { return PopupMenu1; }

    void SetLanguage(const LanguageFile& file, std::string_view section);
    // The show/hide entry reads as the rules say.
    void showCaption();
    // The icon and the switch entry follow the activation state.
    void setActive(bool active);
    void setIconVisible(bool visible);
    // A balloon message over the icon; false when no tray can show it.
    bool notify(const QString& text);

    // The application is visible: its window is shown and not minimised.
    bool applicationVisible() const;
    // Hides the window when a way back is left (the tray icon on a desktop with a tray host, or
    // a working combination that shows it); otherwise the window is only minimised, and the
    // first time `noWayBack` is told.
    void hideApplication();
    void setNoWayBackNotice(std::function<void()> notice) { noWayBack_ = std::move(notice); }
    // The start with "hide". Without a way back the window starts minimised; a tray host that
    // comes up within `trayWaitMs` (at login it may start after the program) takes it in, and
    // only when none has come the user is told.
    void startHiddenApplication(int trayWaitMs = 10000);
    // Runs when the window is shown again, before it is activated (it chooses the focus).
    void setBeforeShow(std::function<void()> beforeShow) { beforeShow_ = std::move(beforeShow); }
    // The combination that shows and hides the program is in force.
    void setSymbolHotKeyWorks(bool works) { symbolHotKeyWorks_ = works; }
    // The tray icon is shown on a desktop that has a tray host.
    bool iconReachable() const;
    void showApplication();
    // The show/hide entry.
    void PopupStartExecute();
    // The special hot key: the entry after a caption update.
    void toggle();
    // A second start of the program.
    void InstanceCreated();

private:
    void carryOut(TrayRules::Step step);
    const Artwork& art_;
    MainMenus& menus_;
    QWidget* window_;
    std::function<void()> beforeHide_;
    std::function<bool()> trayAvailable_;
    std::function<void()> noWayBack_;
    std::function<void()> beforeShow_;
    bool symbolHotKeyWorks_ = false;
    bool noWayBackTold_ = false;
    QTimer* trayWait_ = nullptr;
    TrayRules rules_;
    QElapsedTimer clickClock_;  // the time of the icon's clicks
    QSystemTrayIcon* Tray = nullptr;
    QMenu* PopupMenu1 = nullptr;
};

}  // namespace vorbix
