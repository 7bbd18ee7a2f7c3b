#include "components/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vorbix {

void restorePlacement(QWidget& window, const WindowPlacement& p) {
    window.resize(std::max(p.clientWidth, window.minimumWidth()),
                  std::max(p.clientHeight, window.minimumHeight()));
    if (p.centred) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            window.move(avail.center() - QPoint(window.width() / 2, window.height() / 2));
        }
    } else {
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens << screen->availableGeometry();
        // The frame counts as well, once the window manager has given the window one.
        const QSize frame =
            window.size() + window.frameGeometry().size() - window.geometry().size();
        window.move(reachablePlace(QRect(QPoint(p.positionX, p.positionY), frame), screens));
    }
    if (p.state == WindowState::Maximized)
        window.setWindowState(Qt::WindowMaximized);
    else if (p.state == WindowState::Normal)
        window.setWindowState(Qt::WindowNoState);
}

WindowPlacement currentPlacement(const QWidget& window) {
    const Qt::WindowStates state = window.windowState();
    const bool maximized = state & Qt::WindowMaximized;
    const QRect g = (state & (Qt::WindowMaximized | Qt::WindowMinimized)) ? window.normalGeometry()
                                                                          : window.geometry();
    WindowPlacement p;
    p.clientWidth = g.width();
    p.clientHeight = g.height();
    const QPoint frame = window.frameGeometry().topLeft();
    p.positionX = maximized ? g.x() : frame.x();
    p.positionY = maximized ? g.y() : frame.y();
    p.centred = false;
    p.state = (state & Qt::WindowMinimized) ? WindowState::Minimized
              : maximized                   ? WindowState::Maximized
                                            : WindowState::Normal;
    return p;
}

QPoint reachablePlace(const QRect& window, const QList<QRect>& screens) {
    const int needX = std::min(window.width(), kReachable);
    const int needY = std::min(window.height(), kReachable);
    const QRect* nearest = nullptr;
    long long nearestDistance = 0;
    for (const QRect& screen : screens) {
        const QRect common = screen.intersected(window);
        if (common.width() >= needX && common.height() >= needY) return window.topLeft();
        // Squared distance from the window's centre to the screen.
        const QPoint c = window.center();
        const long long dx = c.x() < screen.left()    ? screen.left() - c.x()
                             : c.x() > screen.right() ? c.x() - screen.right()
                                                      : 0;
        const long long dy = c.y() < screen.top()      ? screen.top() - c.y()
                             : c.y() > screen.bottom() ? c.y() - screen.bottom()
                                                       : 0;
        const long long distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    if (!nearest) return window.topLeft();
    const int x =
        std::max(nearest->left(), std::min(window.left(), nearest->right() + 1 - window.width()));
    const int y =
        std::max(nearest->top(), std::min(window.top(), nearest->bottom() + 1 - window.height()));
    return {x, y};
}

}  // namespace vorbix
