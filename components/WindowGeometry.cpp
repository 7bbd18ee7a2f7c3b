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
        window.move(p.positionX, p.positionY);
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

}  // namespace vorbix
