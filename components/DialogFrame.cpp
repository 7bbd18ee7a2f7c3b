#include "components/DialogFrame.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "components/DesignStyle.h"
#include "components/ScreenScale.h"

namespace vorbix {

namespace {

// The frame lies this far inside the client edges; the buttons take the strip below it.
constexpr int kFrameInset = 8;
constexpr int kButtonStrip = 42;
// The line under the header: its top, and its distance from the sides.
constexpr int kHeaderLineTop = 48;
constexpr int kHeaderLineMargin = 20;

}  // namespace

void paintDialogFrame(QWidget& dialog, int ppi) {
    QPainter p(&dialog);
    const int line = std::max(1, scaled(1, ppi));
    const int inset = scaled(kFrameInset, ppi);
    const int w = dialog.width();
    const QRect frame(inset, inset, w - 2 * inset,
                      dialog.height() - inset - scaled(kButtonStrip, ppi));
    p.fillRect(QRect(frame.left(), frame.top(), frame.width(), line), kFrameColor);
    p.fillRect(QRect(frame.left(), frame.bottom() - line + 1, frame.width(), line), kFrameColor);
    p.fillRect(QRect(frame.left(), frame.top(), line, frame.height()), kFrameColor);
    p.fillRect(QRect(frame.right() - line + 1, frame.top(), line, frame.height()), kFrameColor);
    const int margin = scaled(kHeaderLineMargin, ppi);
    p.fillRect(QRect(margin, scaled(kHeaderLineTop, ppi), w - 2 * margin, line), kFrameColor);
}

}  // namespace vorbix
