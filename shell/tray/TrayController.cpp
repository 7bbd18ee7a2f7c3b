#include "shell/tray/TrayController.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

#include "components/DesignStyle.h"
#include "shell/common/Artwork.h"
#include "shell/common/MainMenus.h"
#include "storage/LanguageFile.h"

namespace vorbix {

TrayController::TrayController(const Artwork& art, MainMenus& menus, QWidget* window,
                               std::function<void()> beforeHide,
                               std::function<bool()> trayAvailable)
    : QObject(window),
      art_(art),
      menus_(menus),
      window_(window),
      beforeHide_(std::move(beforeHide)),
      trayAvailable_(std::move(trayAvailable)) {
    if (!trayAvailable_) trayAvailable_ = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(menus.action(Command::PopupStart));
    PopupMenu1->addAction(menus.action(Command::PopupDeactivate));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(menus.action(Command::MenuOpen));
    PopupMenu1->addAction(menus.action(Command::MenuSettings));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(menus.action(Command::PopupClose));
    PopupMenu1->setDefaultAction(menus.action(Command::PopupStart));
    PopupMenu1->setPalette(desktopPalette());
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
        menus_.showIcons();
        rules_.followVisibility(applicationVisible());
        showCaption();
    });

    Tray = new QSystemTrayIcon(this);
    Tray->setToolTip(QStringLiteral("Vorbix"));
    Tray->setContextMenu(PopupMenu1);
    Tray->setIcon(art_.trayIcon(true));
    // A left click shows or hides the window, as on Linux desktops; so does a double click.
    clickClock_.start();
    connect(Tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r != QSystemTrayIcon::Trigger && r != QSystemTrayIcon::DoubleClick) return;
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        if (auto step = rules_.iconClicked(applicationVisible(), clickClock_.elapsed(), interval))
            carryOut(*step);
    });
}

TrayController::~TrayController() {
    Tray->hide();
}

void TrayController::SetLanguage(const LanguageFile& file, std::string_view section) {
    rules_.setTexts({file.text(section, "PopupStart1"), file.text(section, "PopupStart2"),
                     file.text(section, "PopupActivate"), file.text(section, "PopupDeactivate")});
    rules_.languageApplied(applicationVisible());
    showCaption();
}

void TrayController::showCaption() {
    menus_.action(Command::PopupStart)->setText(QString::fromStdString(rules_.startCaption()));
}

void TrayController::setActive(bool active) {
    menus_.action(Command::PopupDeactivate)
        ->setText(QString::fromStdString(rules_.activationCaption(active)));
    // A missing icon file gets the built-in picture, so the presentation always follows the state.
    Tray->setIcon(art_.trayIcon(active));
}

void TrayController::setIconVisible(bool visible) {
    Tray->setVisible(visible);
}

bool TrayController::iconReachable() const {
    return Tray->isVisible() && trayAvailable_();
}

bool TrayController::notify(const QString& text) {
    if (!iconReachable()) return false;
    Tray->showMessage(QStringLiteral("Vorbix"), text, QSystemTrayIcon::Warning, 5000);
    return true;
}

bool TrayController::applicationVisible() const {
    return window_->isVisible() && !window_->isMinimized();
}

void TrayController::hideApplication() {
    if (beforeHide_) beforeHide_();
    if (iconReachable() || symbolHotKeyWorks_) {
        window_->hide();
        return;
    }
    // Nothing would bring a hidden window back: it stays reachable, minimised.
    window_->showMinimized();
    if (!std::exchange(noWayBackTold_, true) && noWayBack_) noWayBack_();
}

void TrayController::startHiddenApplication(int trayWaitMs) {
    if (iconReachable() || symbolHotKeyWorks_) return hideApplication();
    window_->showMinimized();
    trayWait_ = new QTimer(this);
    constexpr int kPollMs = 250;
    auto polls = std::make_shared<int>(std::max(1, trayWaitMs / kPollMs));
    connect(trayWait_, &QTimer::timeout, this, [this, polls] {
        const bool reachable = iconReachable() || symbolHotKeyWorks_;
        if (!reachable && --*polls > 0) return;
        trayWait_->deleteLater();
        trayWait_ = nullptr;
        // The user may have brought the window back meanwhile; then it stays.
        if (reachable && window_->isMinimized()) {
            hideApplication();
        } else if (!reachable && !std::exchange(noWayBackTold_, true) && noWayBack_) {
            noWayBack_();
        }
    });
    trayWait_->start(kPollMs);
}

void TrayController::showApplication() {
    if (window_->isMinimized())
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    if (beforeShow_) beforeShow_();
    window_->raise();
    window_->activateWindow();
}

void TrayController::carryOut(TrayRules::Step step) {
    showCaption();
    switch (step) {
        case TrayRules::Step::ShowApplication:
            return showApplication();
        case TrayRules::Step::HideApplication:
            return hideApplication();
        case TrayRules::Step::BringToFront:
            window_->raise();
            window_->activateWindow();
            return;
    }
}

void TrayController::PopupStartExecute() {
    carryOut(rules_.popupStart(applicationVisible()));
}

void TrayController::toggle() {
    carryOut(rules_.toggle(applicationVisible()));
}

void TrayController::InstanceCreated() {
    carryOut(rules_.instanceCreated(applicationVisible()));
}

}  // namespace vorbix
