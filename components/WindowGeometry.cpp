#include "components/WindowGeometry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "core/WindowFit.h"

namespace vorbix {

namespace {

// The designed minimum as the window set it, kept before a fit lowers it for a small screen.
constexpr char kDesignedMinimum[] = "vorbixDesignedMinimum";

Area areaOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// The available areas, the primary screen first.
std::vector<Area> availableAreas() {
    std::vector<Area> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) areas.push_back(areaOf(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary) areas.push_back(areaOf(screen->availableGeometry()));
    return areas;
}

// The screen that holds a place given in device pixels; the primary screen when none does.
QScreen* screenAtDevicePlace(int x, int y) {
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const double ratio = screen->devicePixelRatio();
        const QRect device(g.topLeft(),
                           QSize(sizeToDevice(g.width(), ratio), sizeToDevice(g.height(), ratio)));
        if (device.contains(x, y)) return screen;
    }
    return QGuiApplication::primaryScreen();
}

bool framed(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

FrameExtents frameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    // Not framed yet: under X11 a title bar is coming; elsewhere (offscreen) nothing is.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
}

// Down to the lowest menu bar of the window.
int menuHeight(const QWidget& window) {
    int bottom = 0;
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>())
        bottom = std::max(bottom, bar->mapTo(&window, QPoint(0, bar->height())).y());
    return bottom;
}

QSize designedMinimum(QWidget& window) {
    const QVariant kept = window.property(kDesignedMinimum);
    if (kept.isValid()) return kept.toSize();
    window.setProperty(kDesignedMinimum, window.minimumSize());
    return window.minimumSize();
}

// Fits `wanted` (client size, frame place, in the toolkit's pixels) and applies it.
void applyFit(QWidget& window, const QRect& wanted, bool centred) {
    const QSize minimum = designedMinimum(window);
    WindowRequest request;
    request.wanted = areaOf(wanted);
    request.centred = centred;
    request.minimumWidth = minimum.width();
    request.minimumHeight = minimum.height();
    request.frame = frameOf(window);
    // Scaled, a frame of one device pixel reads as one pixel or none.
    request.frameRounding = window.devicePixelRatioF() != 1.0 ? 1 : 0;
    request.headHeight = menuHeight(window);
    const WindowFit fit = fitToScreens(request, availableAreas());
    window.setMinimumSize(fit.minimumWidth, fit.minimumHeight);
    if (window.size() != QSize(fit.window.width, fit.window.height))
        window.resize(fit.window.width, fit.window.height);
    if (window.pos() != QPoint(fit.window.x, fit.window.y)) window.move(fit.window.x, fit.window.y);
}

// Checks the fit once more when the window manager has given the window its frame (whose title
// bar the first fit could only guess), then goes.
class FitWhenFramed : public QObject {
public:
    static constexpr char kName[] = "vorbixFitWhenFramed";

    explicit FitWhenFramed(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(QLatin1String(kName));
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show || e->type() == QEvent::Move || e->type() == QEvent::Resize)
            QTimer::singleShot(0, this, [this] { check(); });
        return false;
    }

private:
    void check() {
        if (!window_.isVisible() || !framed(window_)) return;
        if (!(window_.windowState() &
              (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
            applyFit(window_, QRect(window_.pos(), window_.size()), false);
        deleteLater();
    }

    QWidget& window_;
};

}  // namespace

void restorePlacement(QWidget& window, const WindowPlacement& p) {
    QScreen* screen = p.centred ? QGuiApplication::primaryScreen()
                                : screenAtDevicePlace(p.positionX, p.positionY);
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const QRect wanted(placeFromDevice(p.positionX, origin.x(), ratio),
                       placeFromDevice(p.positionY, origin.y(), ratio),
                       sizeFromDevice(p.clientWidth, ratio), sizeFromDevice(p.clientHeight, ratio));
    applyFit(window, wanted, p.centred);
    if (!framed(window) && !window.findChild<QObject*>(QLatin1String(FitWhenFramed::kName),
                                                       Qt::FindDirectChildrenOnly))
        new FitWhenFramed(window);
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
    const QScreen* screen = window.screen();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const QPoint place = maximized ? g.topLeft() : window.frameGeometry().topLeft();
    WindowPlacement p;
    p.clientWidth = sizeToDevice(g.width(), ratio);
    p.clientHeight = sizeToDevice(g.height(), ratio);
    p.positionX = placeToDevice(place.x(), origin.x(), ratio);
    p.positionY = placeToDevice(place.y(), origin.y(), ratio);
    p.centred = false;
    p.state = (state & Qt::WindowMinimized) ? WindowState::Minimized
              : maximized                   ? WindowState::Maximized
                                            : WindowState::Normal;
    return p;
}

}  // namespace vorbix
