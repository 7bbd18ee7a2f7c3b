#include "shell/mainwindow/DialogsFollowWindow.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace vorbix {

namespace {

int depth(const QWidget* w) {
    int d = 0;
    for (; w; w = w->parentWidget()) ++d;
    return d;
}

}  // namespace

DialogsFollowWindow::DialogsFollowWindow(QWidget* window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
}

bool DialogsFollowWindow::belongsToWindow(const QWidget* dialog) const {
    for (const QWidget* w = dialog->parentWidget(); w; w = w->parentWidget()) {
        if (w == window_) return true;
    }
    return false;
}

std::vector<QWidget*> DialogsFollowWindow::openDialogs() const {
    std::vector<QWidget*> open;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowType() == Qt::Dialog && w->isVisible() && belongsToWindow(w))
            open.push_back(w);
    }
    std::stable_sort(open.begin(), open.end(),
                     [](const QWidget* a, const QWidget* b) { return depth(a) < depth(b); });
    return open;
}

void DialogsFollowWindow::passFocusOn() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == window_ || !modal->isVisible() || !belongsToWindow(modal)) return;
    // After the window manager has finished activating the window.
    QTimer::singleShot(0, modal, [modal] {
        if (!modal->isVisible()) return;
        modal->raise();
        modal->activateWindow();
    });
}

bool DialogsFollowWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched != window_) return false;
    switch (e->type()) {
        case QEvent::ActivationChange:
            if (window_->isActiveWindow()) passFocusOn();
            break;
        case QEvent::Hide:
            // Hidden, not minimised (a minimised window stays visible to Qt).
            if (window_->isVisible()) break;
            for (QWidget* dialog : openDialogs()) {
                hidden_.emplace_back(dialog);
                dialog->hide();
            }
            break;
        case QEvent::Show:
            for (const QPointer<QWidget>& dialog : std::exchange(hidden_, {})) {
                if (dialog) dialog->show();
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace vorbix
