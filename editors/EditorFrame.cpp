#include "editors/EditorFrame.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "components/AnchorLayout.h"
#include "components/DesignStyle.h"

namespace vorbix {

namespace {

// The frame lies this far inside the client edges; the buttons take the strip below it.
constexpr int kFrameInset = 8;
constexpr int kButtonStrip = 42;

}  // namespace

void paintEditorFrame(QWidget& window, const AnchorLayout& layout) {
    QPainter p(&window);
    const int line = std::max(1, layout.scale(1));
    const int inset = layout.scale(kFrameInset);
    const int w = window.width();
    const QRect frame(inset, inset, w - 2 * inset,
                      window.height() - inset - layout.scale(kButtonStrip));
    // The frame, as four lines of the frame colour.
    p.fillRect(QRect(frame.left(), frame.top(), frame.width(), line), kFrameColor);
    p.fillRect(QRect(frame.left(), frame.bottom() - line + 1, frame.width(), line), kFrameColor);
    p.fillRect(QRect(frame.left(), frame.top(), line, frame.height()), kFrameColor);
    p.fillRect(QRect(frame.right() - line + 1, frame.top(), line, frame.height()), kFrameColor);
    // The line under the header.
    p.fillRect(QRect(layout.scale(20), layout.scale(48), w - 2 * layout.scale(20), line),
               kFrameColor);
}

void centreWindowOn(QWidget& window, QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    window.move(avail.center() - QPoint(window.width() / 2, window.height() / 2));
}

}  // namespace vorbix
