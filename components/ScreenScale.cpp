#include "components/ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "storage/StorageLocations.h"

namespace vorbix {

int scaled(int value, int ppi) {
    return ScaleToScreen(value, ppi);
}

QSize scaled(const QSize& size, int ppi) {
    return QSize(scaled(size.width(), ppi), scaled(size.height(), ppi));
}

QRect scaled(const QRect& r, int ppi) {
    return QRect(scaled(r.left(), ppi), scaled(r.top(), ppi), scaled(r.width(), ppi),
                 scaled(r.height(), ppi));
}

int screenPpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

void centreOnScreen(QWidget& window) {
    QScreen* screen = window.parentWidget() ? window.parentWidget()->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    window.move(avail.center() - QPoint(window.width() / 2, window.height() / 2));
}

}  // namespace vorbix
